#!/usr/bin/env bash
# A day of colouring at 120, 144 and 192 DPI, and at 96 DPI with desktop fonts the machine's Wine
# would otherwise use: every compared screen, dialogs included, as at 96 DPI with Wine's own fonts.
# On a display and in a Wine prefix of their own. Usage: scaled.sh EXE
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source "$(dirname "$0")/../../scripts/wine-env.sh"
export WINEPREFIX=$(dirname "$exe")/wineprefix-scaled
hb_start_xvfb 800x600x24 || exit 1 # first: the prefix's first boot shows a notice
hb_wine_prefix && hb_wine_managed N
trap 'wineserver -k >/dev/null 2>&1; kill "$HB_XVFB_PID" >/dev/null 2>&1; wait 2>/dev/null' EXIT

# Debian's Liberation fonts, the ones that narrowed the intro, offered to this prefix's Wine alone.
fonts=$(dirname "$exe")/extra-fonts
if [ ! -d "$fonts/usr" ]; then
    mkdir -p "$fonts" && cd "$fonts" &&
        { apt-get download fonts-liberation2 >/dev/null 2>&1 ||
            { apt-get update -qq >/dev/null && apt-get download fonts-liberation2 >/dev/null; }; } &&
        dpkg-deb -x fonts-liberation2_*.deb . && cd - >/dev/null || { echo "no fonts-liberation2"; exit 1; }
fi
cat >"$fonts/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><include>/etc/fonts/fonts.conf</include><dir>$fonts/usr/share/fonts</dir><cachedir>$fonts/cache</cachedir></fontconfig>
CONF

session() { # DPI [environment]
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k; wineserver -w
    # Wine's services start with the server's first program and inherit its output.
    env "${@:2}" wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    echo "== $1 DPI ${*:2}"
    env "${@:2}" wine "$exe" --gtest_filter=Session.ADayOfColouring || failed=1
}
failed=0
for dpi in 120 144 192; do session $dpi; done
session 96 FONTCONFIG_FILE="$fonts/fonts.conf"
exit $failed
