#!/usr/bin/env bash
# Prepares build/play, or $HB_PLAY (seeded once from data/, never overwriting coloured pages), and starts
# Hueberry there under Wine; with no DISPLAY, on a virtual display a web browser on this machine can show.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
hb_wine_prefix
play=${HB_PLAY:-$HB_ROOT/build/play}
mkdir -p "$play"
for f in "$HB_ROOT"/data/*; do
    [ -e "$play/$(basename "$f")" ] || cp "$f" "$play/"
done
cp "$HB_ROOT/build/win64/hueberry.exe" "$play/"
cd "$play"
# Ctrl-C or SIGTERM is how the program is stopped here, not a failure: the script then ends with 0,
# so that make reports no error. Wine runs in the background, so that the signal ends the wait at once.
if [ -n "${DISPLAY:-}" ]; then
    hb_wine_managed Y
    trap 'wineserver -k >/dev/null 2>&1; exit 0' INT TERM
    wine ./hueberry.exe &
    wait $!
    exit
fi

# No screen: Xvfb (with a cookie, so no other local user can open it) -> x11vnc -> websockify with
# noVNC's page. Every part listens on 127.0.0.1 only: x11vnc would add [::1] without -noipv6, and
# websockify given a bare port would listen on every address. -sb 0: the screen never blanks, so the
# first frame after an idle minute is not late.
pids=()
private=$(mktemp -d)
stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" >/dev/null 2>&1 || true
    wait >/dev/null 2>&1 || true
    rm -rf "$private"
}
# Quietly: the shell would also report the program that wineserver -k ended.
trap 'stop_all 2>/dev/null' EXIT
trap 'exit 0' INT TERM

hb_wine_managed N
hb_start_xvfb 800x600x24 "$private/Xauthority"
pids+=("$HB_XVFB_PID")
listening() { ss -Hltn "sport = :$1" | grep -q .; }
free_port() {
    local port=$1
    while listening "$port"; do port=$((port + 1)); done
    echo "$port"
}
vnc_port=$(free_port 5900)
x11vnc -display "$DISPLAY" -auth "$XAUTHORITY" -localhost -noipv6 -rfbport "$vnc_port" -forever -shared \
    -sb 0 >/dev/null 2>&1 &
pids+=($!)
web_port=$(free_port 6080)
websockify --web /usr/share/novnc "127.0.0.1:$web_port" "127.0.0.1:$vnc_port" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
    listening "$vnc_port" && listening "$web_port" && break
    sleep 0.1
done
if ! listening "$vnc_port" || ! listening "$web_port"; then
    echo "run.sh: the browser view did not start (x11vnc on $vnc_port, websockify on $web_port)" >&2
    exit 1
fi
echo "No screen here: Hueberry runs on a virtual display. Open it in a web browser on this machine:"
echo "    http://127.0.0.1:$web_port/vnc.html?autoconnect=1&resize=scale"
echo "Quit Hueberry (Q), or press Ctrl-C here, to stop it all."
# In the background, so that Ctrl-C ends the wait at once and the clean-up runs. Wine's complaints
# about the missing sound card would bury the address: they go to build/run-wine.log.
wine ./hueberry.exe >"$HB_ROOT/build/run-wine.log" 2>&1 &
wait $!
