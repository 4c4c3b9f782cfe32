#!/usr/bin/env bash
# Runs a scripted session on a display and in a Wine prefix of its own: the small display needs its
# own size (Wine's server keeps the one it started with).
# Usage: alone.sh EXE WIDTHxHEIGHT CASE
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source "$(dirname "$0")/../../scripts/wine-env.sh"
export WINEPREFIX=$(dirname "$exe")/wineprefix-$3
# The display first: a prefix being made or updated shows its notice there, not on the shared one.
hb_start_xvfb "$2x24" || exit 1
trap 'wineserver -k >/dev/null 2>&1; kill "$HB_XVFB_PID" >/dev/null 2>&1; wait 2>/dev/null' EXIT
hb_wine_prefix && hb_wine_managed N
# Wine's services start with the server's first program and inherit its output: start them here, with
# their output going nowhere, so that CTest, reading this script's output, does not wait on them.
wineserver -p >/dev/null 2>&1
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
wine "$exe" --gtest_filter="Scripted.$3"
