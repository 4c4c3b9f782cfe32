#!/usr/bin/env bash
# Runs every test layer in one CTest run on a virtual X display, then stops everything it started.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
hb_wine_prefix

cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "${HB_XVFB_PID:-}" ] && kill "$HB_XVFB_PID" >/dev/null 2>&1
    [ -n "${HB_CUPS_STARTED:-}" ] && "$HB_ROOT/tests/tools/cups.sh" stop >/dev/null 2>&1
    wait 2>/dev/null
}
trap cleanup EXIT

hb_start_xvfb 800x600x24 || exit 1
if [ -x "$HB_ROOT/tests/tools/cups.sh" ]; then
    "$HB_ROOT/tests/tools/cups.sh" start && HB_CUPS_STARTED=1
fi
# Wine's server stays up between the tests so each program start is quick. The first Wine program of a
# server starts Wine's own services, which inherit its output: run it here, with its output going
# nowhere, or CTest would wait for a pipe that those services keep open until the server ends.
wineserver -p >/dev/null 2>&1
wine cmd.exe /c exit </dev/null >/dev/null 2>&1

ctest --test-dir "$HB_ROOT/build/native" --output-on-failure -j 2 --timeout 600 "$@"
