#!/usr/bin/env bash
# Runs the small-display end-to-end test on its own 640x480 Xvfb, in a Wine prefix of its own: Wine's
# server keeps the screen size of the display it started with, so the shared prefix would report 800x600.
# Usage: small-display.sh path/to/e2e_tests.exe
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source "$(dirname "$0")/../../scripts/wine-env.sh"
export WINEPREFIX=$(dirname "$exe")/wineprefix-640x480
hb_wine_prefix
hb_start_xvfb 640x480x24 || exit 1
trap 'wineserver -k >/dev/null 2>&1; kill "$HB_XVFB_PID" >/dev/null 2>&1; wait 2>/dev/null' EXIT
# Wine's services start with the server's first program and inherit its output: keep the server up and
# let them start here with their output going nowhere, so that a caller reading this script's output
# (CTest) does not wait on them.
wineserver -p >/dev/null 2>&1
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
wine "$exe" --gtest_also_run_disabled_tests --gtest_filter='Session.DISABLED_SmallDisplay'
