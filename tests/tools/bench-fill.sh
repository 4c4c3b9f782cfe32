#!/usr/bin/env bash
# Measures the real program under Wine on its own 800x600 virtual display: start to intro, one page step,
# and the pace of a whole-page fill and of the clearing wipe against their design (the disabled
# Benchmark end-to-end tests: FillPace and WipePace).
# Usage: bench-fill.sh [windows build dir, default build/win64]; build its e2e_tests target first.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd) || exit 1
exe=$build/e2e_tests.exe
[ -f "$exe" ] || { echo "no $exe: build the e2e_tests target first" >&2; exit 1; }
source "$root/scripts/wine-env.sh"
hb_wine_prefix
hb_start_xvfb 800x600x24 || exit 1
# Let the Wine processes of this display end before the display goes.
trap 'timeout 10 wineserver -w >/dev/null 2>&1; kill "$HB_XVFB_PID" >/dev/null 2>&1; wait 2>/dev/null' EXIT
wine "$exe" --gtest_also_run_disabled_tests --gtest_filter='Benchmark.*'
