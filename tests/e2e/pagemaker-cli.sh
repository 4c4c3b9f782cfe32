#!/usr/bin/env bash
# The Page Maker's command line under Wine: counts, a broken image refused, a backup: pagemaker-cli.sh EXE
source "$(dirname "$0")/../../scripts/wine-env.sh"
set -euxo pipefail
exe=$(realpath "$1")
cd "$(mktemp -d)"
cp "$HB_ROOT/data/duck.col" .
# A box halved by a line with a gap that comes out two pixels wide on the page.
convert -size 800x560 xc:white -fill none -stroke black -strokewidth 4 -draw 'rectangle 100,100 700,460' \
    -draw 'line 400,100 400,268' -draw 'line 400,273 400,460' drawing.png
head -c 2000 drawing.png >broken.png
if wine "$exe" broken.png duck.col; then exit 1; fi
cmp duck.col "$HB_ROOT/data/duck.col"
[ "$(wine "$exe" drawing.png duck.col | tr -d '\r')" = $'Regions 2, leaks 1, tiny regions 0\nWrote duck.col' ]
cmp duck.col.bak "$HB_ROOT/data/duck.col"
rm -r "$PWD"
