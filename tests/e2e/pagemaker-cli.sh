#!/usr/bin/env bash
# pagemaker-cli.sh EXE: the Page Maker's command line under Wine, run from beside its folder named in
# three scripts. A drawing named in a fourth: counts before and after mending, its picture replaced with
# a backup. Photos: a camera's, and one of 67 million pixels (past the old refusal), each a page of 15 to
# 80 closed areas; --drawing takes the drawing's way. Nothing written for a broken or blank drawing,
# another target, a HEIC photo the system cannot decode (said, with what to do), a read-only picture.
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
# A red ball on soft clouds of colour, as a camera would give; the same 8200 pixels square.
convert -size 1200x900 -seed 7 plasma:fractal -blur 0x3 -fill '#c0392b' \
    -draw 'circle 600,450 600,250' photo.jpg
convert photo.jpg -sample 8200x8200! -quality 60 large.jpg
printf '\0\0\0\30ftypheic\0\0\0\0mif1heic and the rest of it' >photo.heic
echo notes >README.txt
run() { wine "../$program/hbpages.exe" "$@" | tr -d '\r'; }
for args in "broken.png duck" "black.png duck" "шапка.png README.txt" "шапка.png ../elsewhere/duck.col" \
    "шапка.png duck --gaps 7"; do
    if run $args; then exit 1; fi
done
if run photo.heic duck 2>err.txt; then exit 1; fi
grep -q 'is a HEIC photo, .*save it as JPEG.*nothing was written' err.txt
cmp "../$program/duck.col" "$HB_ROOT/data/duck.col"
[ "$(cat README.txt)" = notes ]; [ ! -e duck.col ]; [ ! -e "../$program/duck.col.bak" ]
[ "$(run шапка.png DUCK --mend)" = "Before mending: Regions 2, leaks 1, tiny regions 0, largest area 82%
After mending: Regions 3, leaks 0, tiny regions 0, largest area 41%
Wrote Z:$(cd "../$program" && pwd | tr / '\\')\\duck.col" ]
cmp "../$program/duck.col.bak" "$HB_ROOT/data/duck.col"
{ run photo.jpg --drawing || true; } | grep -q '^Regions [0-9]*, leaks'
for image in photo.jpg large.jpg; do
    out=$(run "$image" duck)
    n=$(sed -nE 's/^Photo, detail 3: Regions ([0-9]+), leaks 0, tiny regions 0, .*/\1/p' <<<"$out")
    [ "$n" -ge 15 ]; [ "$n" -le 80 ]; grep -q '^Wrote ' <<<"$out"
done
# A read-only picture is refused as Hueberry refuses it (Wine alone would replace it).
cp "../$program/duck.col" made.col
chmod a-w "../$program/duck.col"
if run шапка.png duck --gaps 1; then exit 1; fi
cmp "../$program/duck.col" made.col
rm -rf "$(dirname "$PWD")"
