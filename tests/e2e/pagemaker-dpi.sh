#!/usr/bin/env bash
# The Page Maker's window at a DPI, on a screen of the size given with a taskbar off its work area,
# in a Wine prefix of its own (the suite's stays at 96 DPI): pagemaker-dpi.sh EXE DPI WIDTH HEIGHT
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") dpi=$2 width=$3 height=$4
source "$(dirname "$0")/../../scripts/wine-env.sh"
export WINEPREFIX=$(dirname "$exe")/wineprefix-dpi
# The display first: the prefix's first boot shows a notice on whatever display it is given.
hb_start_xvfb "${width}x${height}x24" || exit 1
hb_wine_prefix && hb_wine_managed N
# Wine reads the DPI as its server starts, the work area from the root window (kept while connected).
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k; wineserver -w
xprop -root -spy >/dev/null 2>&1 & spy=$!
trap 'wineserver -k >/dev/null 2>&1; kill $spy $HB_XVFB_PID >/dev/null 2>&1; wait 2>/dev/null' EXIT
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0,0,$width,$((height - 40 * dpi / 96))"
wineserver -p >/dev/null 2>&1; wine cmd.exe /c exit </dev/null >/dev/null 2>&1
wine "$exe" --gtest_filter=Scripted.PageMakerFits
