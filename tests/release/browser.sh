#!/usr/bin/env bash
# `make run` with no display: Chromium at the one printed address shows the intro and takes keys and
# clicks; nothing listens beyond 127.0.0.1, the display wants its cookie, and Ctrl-C stops it all.
set -eEuo pipefail
trap 'echo "FAIL (line $LINENO): $BASH_COMMAND" >&2' ERR
fail() { echo "FAIL: $*" >&2; exit 1; }
root=$(cd "$(dirname "$0")/../.." && pwd) out=$(mktemp) play=$(mktemp -d)
trap '[ -z "${run:-}" ] || kill -INT -- -$run 2>/dev/null || true; rm -rf "$out" "$play"' EXIT
# In a session of its own, as from a terminal, whose Ctrl-C reaches the whole process group.
HB_PLAY=$play HB_WINEPREFIX=$root/build/release-prefix env -u DISPLAY setsid "$root/scripts/run.sh" >"$out" 2>&1 & run=$!
for _ in $(seq 600); do grep -q http "$out" && break; kill -0 $run || fail "$(cat "$out")"; sleep 0.1; done
[ "$(grep -c http "$out")" = 1 ]
chain=$(ss -Hltnp | grep -E '"(x11vnc|websockify|Xvfb)"')
[ "$(grep -c . <<<"$chain")" = 2 ]
grep -v ' 127\.0\.0\.1:' <<<"$chain" && fail "listening beyond the loopback address"
display=$(ps -o args= -g $run | grep -o -m1 '^Xvfb :[0-9]*' | cut -d' ' -f2)
XAUTHORITY=/dev/null xdpyinfo -display "$display" >/dev/null 2>&1 && fail "the display opens without its cookie"
timeout 90 "$root/tests/release/browser.py" "$(grep -o 'http://[^ ]*' "$out")" "$root/build/release-browser"
kill -INT -- -$run; wait $run || true
if pgrep -g $run; then fail "left running after Ctrl-C"; fi
