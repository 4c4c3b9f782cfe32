#!/usr/bin/env bash
# Photos on the Page Maker's command line under Wine: a photo told from a drawing and made into a
# page of 15 to 80 closed areas, more with more detail; one of 67 million pixels (past the old
# refusal) made into a page too; --drawing taking the drawing's way; a HEIC photo the system cannot
# decode refused with what to do, nothing written: photo-cli.sh EXE
source "$(dirname "$0")/../../scripts/wine-env.sh"
set -euxo pipefail
exe=$(realpath "$1")
cd "$(mktemp -d)"
cp "$exe" "$HB_ROOT/data/duck.col" .
# A red ball on soft clouds of colour, as a camera would give; the same 8200 pixels square.
convert -size 1200x900 -seed 7 plasma:fractal -blur 0x3 -fill '#c0392b' \
    -draw 'circle 600,450 600,250' photo.jpg
convert photo.jpg -sample 8200x8200! -quality 60 large.jpg
printf '\0\0\0\30ftypheic\0\0\0\0mif1heic and the rest of it' >photo.heic
run() { wine hbpages.exe "$@" | tr -d '\r'; }
regions() { sed -nE 's/^Photo, detail [1-5]: Regions ([0-9]+), leaks 0, tiny regions 0, .*/\1/p'; }
if run photo.heic duck 2>err.txt; then exit 1; fi
grep -q 'is a HEIC photo, .*save it as JPEG.*nothing was written' err.txt
cmp duck.col "$HB_ROOT/data/duck.col"
few=$(run photo.jpg --detail 1 | regions) many=$(run photo.jpg --detail 5 | regions)
[ "$few" -le "$many" ]
{ run photo.jpg --drawing || true; } | grep -q '^Regions [0-9]*, leaks'
for image in photo.jpg large.jpg; do
    out=$(run "$image" duck)
    n=$(regions <<<"$out")
    [ "$n" -ge 15 ]
    [ "$n" -le 80 ]
    grep -q '^Wrote ' <<<"$out"
done
[ -s duck.col.bak ]
if cmp -s duck.col "$HB_ROOT/data/duck.col"; then exit 1; fi
cd ..
rm -rf "$OLDPWD"
