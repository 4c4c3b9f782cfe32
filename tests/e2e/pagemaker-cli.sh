#!/usr/bin/env bash
# The Page Maker's command line under Wine, run from another folder than the program's, which is
# named in three scripts (the system's code page being Western): counts before and after mending,
# the picture beside the program replaced with a backup from a drawing named in a fourth script,
# and nothing written for a broken or blank drawing, a target that is not one of the six pictures,
# or a read-only picture: pagemaker-cli.sh EXE
source "$(dirname "$0")/../../scripts/wine-env.sh"
set -euxo pipefail
exe=$(realpath "$1")
cd "$(mktemp -d)"
program="写真 Фото Ωμέγα"
mkdir "$program" elsewhere
cp "$exe" "$HB_ROOT/data/duck.col" "$program/"
cd elsewhere
# A box halved by a line with a gap that comes out three pixels wide on the page.
convert -size 700x480 xc:white -fill none -stroke black -strokewidth 4 -draw 'rectangle 50,50 650,430' \
    -draw 'line 350,50 350,238' -draw 'line 350,242 350,430' drawing.png
head -c 2000 drawing.png >broken.png
convert -size 1x1 xc:black black.png
echo notes >README.txt
cp drawing.png hat.png
cp drawing.png шапка.png
run() { wine "../$program/hbpages.exe" "$@" | tr -d '\r'; }
for args in "broken.png duck" "black.png duck" "drawing.png hat.png" "drawing.png README.txt" \
    "drawing.png ../elsewhere/duck.col" "drawing.png duck --gaps 7"; do
    if run $args; then exit 1; fi
done
cmp "../$program/duck.col" "$HB_ROOT/data/duck.col"
cmp hat.png drawing.png
[ "$(cat README.txt)" = notes ] && [ ! -e duck.col ] && [ ! -e "../$program/duck.col.bak" ]
[ "$(run шапка.png DUCK --mend)" = "Before mending: Regions 2, leaks 1, tiny regions 0, largest area 82%
After mending: Regions 3, leaks 0, tiny regions 0, largest area 41%
Wrote Z:$(cd "../$program" && pwd | tr / '\\')\\duck.col" ]
cmp "../$program/duck.col.bak" "$HB_ROOT/data/duck.col"
# A read-only picture is refused as Hueberry refuses it (Wine alone would replace it).
cp "../$program/duck.col" mended.col
chmod a-w "../$program/duck.col"
if run шапка.png duck --gaps 1; then exit 1; fi
cmp "../$program/duck.col" mended.col
cd ..
rm -rf "$PWD"
