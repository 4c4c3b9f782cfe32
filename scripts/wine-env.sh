# Sourced by the test and run scripts: one Wine prefix inside the build tree, quiet and headless.
HB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${HB_WINEPREFIX:-$HB_ROOT/build/wineprefix}
export WINEDEBUG=-all
# No Mono or Gecko installer dialog may block a headless boot.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Creates the prefix once; later runs reuse it.
hb_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX (once)..."
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # Wine's own fonts in the prefix, where Wine looks first: a face the programs name (Tahoma, the
    # system font) is then always Wine's, never whatever fontconfig offers on this machine (Debian's
    # Wine does not look where fonts-wine puts them; with fonts-liberation2 installed every face
    # turned into Liberation Sans and the intro shrank from 383 to 300 pixels).
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    [ -e "$fonts/tahoma.ttf" ] || cp /usr/share/wine/fonts/* "$fonts/"
    return 0
}

# Whether Wine leaves its windows to a window manager (Y, its default) or places them itself (N).
# On the virtual displays of the tests and of the browser view no window manager runs, and Wine waits
# 2 s for one to confirm every window it hides (a closed dialog stays frozen on the screen that
# long); under a desktop its window manager should place and decorate them. Set before each run, as
# one prefix serves both.
hb_wine_managed() {
    grep -q "^\"Managed\"=\"$1\"" "$WINEPREFIX/user.reg" 2>/dev/null && return 0
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1
    wineserver -w
}

# Starts Xvfb on a free display with the given screen (e.g. 800x600x24); sets HB_XVFB_PID and DISPLAY.
# Given an X authority file, only holders of the random cookie written there may connect, and
# XAUTHORITY names it.
hb_start_xvfb() {
    local screen=$1 auth=${2:-} n
    local -a access=()
    for n in $(seq 91 140); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        if [ -n "$auth" ]; then
            touch "$auth"
            xauth -q -f "$auth" add ":$n" . "$(mcookie)"
            access=(-auth "$auth")
            export XAUTHORITY=$auth
        fi
        Xvfb :$n -screen 0 "$screen" -nolisten tcp "${access[@]}" >/dev/null 2>&1 &
        HB_XVFB_PID=$!
        for _ in $(seq 1 100); do
            # Ours only when the display's lock names our server: two scripts starting at once
            # may pick the same number, and the one whose server lost would use the other's.
            if xdpyinfo -display :$n >/dev/null 2>&1; then
                [ "$(tr -d ' ' </tmp/.X$n-lock 2>/dev/null)" = "$HB_XVFB_PID" ] && export DISPLAY=:$n && return 0
                break
            fi
            kill -0 $HB_XVFB_PID 2>/dev/null || break
            sleep 0.05
        done
    done
    echo "could not start Xvfb" >&2
    return 1
}
