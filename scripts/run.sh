#!/usr/bin/env bash
# Prepares build/play (seeded once from data/, never overwriting coloured pages) and starts Hueberry there under Wine.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
hb_wine_prefix
play=$HB_ROOT/build/play
mkdir -p "$play"
for f in "$HB_ROOT"/data/*; do
    [ -e "$play/$(basename "$f")" ] || cp "$f" "$play/"
done
cp "$HB_ROOT/build/win64/hueberry.exe" "$play/"
cd "$play"
if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: starting Hueberry on a virtual 800x600 display (Xvfb)."
    hb_start_xvfb 800x600x24
    trap 'wineserver -k; kill $HB_XVFB_PID' EXIT
fi
wine ./hueberry.exe
