#!/usr/bin/env bash
# Runs sessions on a display and in a Wine prefix of their own: Wine's server keeps the display size it
# started with, and reads the DPI as it starts. Usage: alone.sh EXE WIDTHxHEIGHT PREFIX RUN..., each RUN
# DPI:TEST or DPI:TEST:fonts, the last with Debian's Liberation fonts, the ones that narrowed the intro,
# offered to this prefix's Wine alone. The Page Maker's session has a taskbar off its work area.
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") size=$2
source "$(dirname "$0")/../../scripts/wine-env.sh"
export WINEPREFIX=$(dirname "$exe")/wineprefix-$3
# The display first: a prefix being made or updated shows its notice there, not on the shared one.
hb_start_xvfb "${size}x24" || exit 1
xprop -root -spy >/dev/null 2>&1 & spy=$! # the root window keeps a work area while connected
trap 'wineserver -k >/dev/null 2>&1; kill $spy "$HB_XVFB_PID" >/dev/null 2>&1; wait 2>/dev/null' EXIT
hb_wine_prefix && hb_wine_managed N
fonts=$(dirname "$exe")/extra-fonts
if [[ "$*" == *:fonts* && ! -d "$fonts/usr" ]]; then
    mkdir -p "$fonts" && cd "$fonts" &&
        { apt-get download fonts-liberation2 >/dev/null 2>&1 ||
            { apt-get update -qq >/dev/null && apt-get download fonts-liberation2 >/dev/null; }; } &&
        dpkg-deb -x fonts-liberation2_*.deb . && cd - >/dev/null || { echo "no fonts-liberation2"; exit 1; }
fi
cat >"$fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><include>/etc/fonts/fonts.conf</include><dir>$fonts/usr/share/fonts</dir><cachedir>$fonts/cache</cachedir></fontconfig>
CONF
failed=0
for run in "${@:4}"; do
    IFS=: read -r dpi test extra <<<"$run"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k; wineserver -w
    [ "$test" != Scripted.PageMakerFits ] ||
        xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0,0,${size%x*},$((${size#*x} - 40 * dpi / 96))"
    env=(); [ -z "$extra" ] || env=(FONTCONFIG_FILE="$fonts.conf")
    # Wine's services start with the server's first program and inherit its output: start them here,
    # their output going nowhere, so that CTest, reading this script's output, does not wait on them.
    env "${env[@]}" wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    echo "== $run"
    env "${env[@]}" wine "$exe" --gtest_filter="$test" || failed=1
done
exit $failed
