#!/usr/bin/env bash
# pagemaker-cli.sh EXE: the Page Maker's command line under Wine, run from beside its folder named in
# three scripts: counts before and after mending, its picture replaced with a backup from a drawing
# named in a fourth; nothing written for a broken or blank drawing, another target, a read-only one.
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
    -draw 'line 350,50 350,238' -draw 'line 350,242 350,430' шапка.png
head -c 2000 шапка.png >broken.png
convert -size 1x1 xc:black black.png
echo notes >README.txt
run() { wine "../$program/hbpages.exe" "$@" | tr -d '\r'; }
for args in "broken.png duck" "black.png duck" "шапка.png README.txt" "шапка.png ../elsewhere/duck.col" \
    "шапка.png duck --gaps 7"; do
    if run $args; then exit 1; fi
done
cmp "../$program/duck.col" "$HB_ROOT/data/duck.col"
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
rm -rf "$(dirname "$PWD")"
