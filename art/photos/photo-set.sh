#!/usr/bin/env bash
# The working set of photos the photo pages are judged on, taken from Debian packages (wallpapers,
# a puzzle game's pictures, account pictures), one stored turned with its EXIF orientation; each
# made into a page by the real Page Maker under Wine (the Wine server kept up), timed with
# farm-bench (wall_s: the median of 3 runs), its page checked with pagecheck, and a contact sheet of photo beside page.
#   art/photos/photo-set.sh HBPAGES_EXE PAGECHECK OUTDIR   (run as root: apt-get download, exiftool)
set -euo pipefail
exe=$(realpath "$1") pagecheck=$(realpath "$2") out=$(realpath -m "$3")
source "$(dirname "$0")/../../scripts/wine-env.sh"
mkdir -p "$out"/debs "$out"/x "$out"/set "$out"/run
cd "$out"/debs
apt-get download palapeli-data lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 plasma-workspace-wallpapers \
    gnome-control-center-data mate-backgrounds >/dev/null 2>&1
for deb in *.deb; do dpkg-deb -x "$deb" ../x; done
command -v exiftool >/dev/null || apt-get install -y -qq libimage-exiftool-perl >/dev/null
x=$out/x/usr/share faces=$x/pixmaps/faces bg=$x/backgrounds
while read -r name from; do cp "$from" "$out/set/$name.jpg"; done <<LIST
cat $faces/cat.jpg
citrus $x/palapeli/collection/citrus-fruits.jpg
tomatoes $faces/tomatoes.jpg
fig $bg/Picture_0B_by_freespace.jpg
plane $faces/plane.jpg
boats $x/wallpapers/EveningGlow/contents/images/1920x1080.jpg
surfer $faces/surfer.jpg
castle $x/palapeli/collection/castle-maintenon.jpg
hills $bg/aitzgorri_by_Aitzol_Berasategi.jpg
bridge $x/palapeli/collection/cincinnati-bridge.jpg
room $bg/Wine_by_Jakkub_Mede.jpg
bee $x/palapeli/collection/european-honey-bee.jpg
chameleon $x/palapeli/collection/panther-chameleon-female.jpg
hummingbird $faces/hummingbird.jpg
nuthatch $bg/Kleiber_by_Lukas_Baubkus.jpg
LIST
# A hold-out set from the same packages, never tuned on: judged apart, named hold-*.
while read -r name from; do cp "$from" "$out/set/hold-$name.jpg"; done <<LIST
puppy $faces/puppy.jpg
bicycle $faces/bicycle.jpg
grapes $faces/grapes.jpg
penguin $faces/penguin.jpg
dragonfly $bg/Dragonfly_by_Bolly.jpg
rose $faces/yellow-rose.jpg
LIST
# A second hold-out set, added after the weights were last tuned and never tuned on: named new-*.
while read -r name from; do cp "$from" "$out/set/new-$name.jpg"; done <<LIST
astronaut $faces/astronaut.jpg
fish $faces/fish.jpg
launch $faces/launch.jpg
coffee $faces/coffee.jpg
tree $faces/tree.jpg
ladybird $bg/mate/nature/LadyBird.jpg
LIST
# The dogs stored on their side, as a phone stores a photo held upright: turned a quarter
# anticlockwise, with the orientation that turns it back.
convert "$bg/friends_by_Aitzol_Berasategi.jpg" -rotate -90 "$out/set/dogs-turned.jpg"
exiftool -q -overwrite_original -Orientation=6 -n "$out/set/dogs-turned.jpg"
cd "$out"/run
cp "$exe" hbpages.exe
(wineserver -p >/dev/null 2>&1 </dev/null &)
printf "%-14s %6s %8s %6s %6s\n" photo areas smallest leaks wall_s
for photo in "$out"/set/*.jpg; do
    name=$(basename "$photo" .jpg)
    cp "$HB_ROOT/data/duck.col" duck.col
    wall=$(farm-bench -n 3 -- wine hbpages.exe "$photo" duck 2>&1 | awk '/wall s/ {print $5}')
    wine hbpages.exe "$photo" duck >/dev/null 2>&1 </dev/null
    cp duck.col "$name.col"
    check=$("$pagecheck" "$name.col" || true)
    regions=$(sed -E 's/.*: ([0-9]+) regions.*/\1/' <<<"$check")
    smallest=$(sed -E 's/.*smallest ([0-9]+) pixels.*/\1/' <<<"$check")
    leaks=$(sed -E 's/.* ([0-9]+) leaks.*/\1/' <<<"$check")
    printf "%-14s %6s %8s %6s %6s\n" "$name" "$regions" "$smallest" "$leaks" "$wall"
    # The page as an image: a page file is a bitmap under another magic.
    printf 'BM' | cat - <(tail -c +3 "$name.col") >"$name.bmp"
    convert "$photo" -auto-orient -resize 330x230 "$name-photo.png"
    # The lines thickened before shrinking, or a shrunk line two pixels wide fades to pale grey.
    convert "$name.bmp" -morphology Erode Square:1 -resize 330x230 "$name-page.png"
done
montage -label '%t' $(for p in "$out"/set/*.jpg; do n=$(basename "$p" .jpg); echo "$n-photo.png $n-page.png"; done) \
    -tile 4x -geometry 330x230+4+4 "$out/contact-sheet.png"
echo "contact sheet: $out/contact-sheet.png"
