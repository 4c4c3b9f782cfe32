#!/usr/bin/env bash
# The Page Maker's window at 96, 144 and 192 DPI, each on a screen as a laptop at that scale has it,
# a taskbar kept off its work area, in a Wine prefix of its own (the suite's stays at 96 DPI):
# pagemaker-dpi.sh EXE
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source "$(dirname "$0")/../../scripts/wine-env.sh"
export WINEPREFIX=$(dirname "$exe")/wineprefix-dpi
hb_wine_prefix && hb_wine_managed N
stop() { wineserver -k >/dev/null 2>&1; kill ${spy:-} ${HB_XVFB_PID:-} >/dev/null 2>&1; wait 2>/dev/null; }
trap stop EXIT
for run in 96:1024x600 144:1366x768 192:1920x1080; do
    dpi=${run%%:*} screen=${run#*:}
    # Wine reads the DPI as its server starts, and the work area from the root window, which keeps
    # its properties only while a client stays connected.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k && wineserver -w
    hb_start_xvfb "${screen}x24" || exit 1
    xprop -root -spy >/dev/null 2>&1 & spy=$!
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA \
        "0,0,${screen%x*},$((${screen#*x} - 40 * dpi / 96))"
    wineserver -p >/dev/null 2>&1
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    echo "At $dpi DPI on $screen:"
    wine "$exe" --gtest_filter=Scripted.PageMakerFits || exit 1
    stop
done
