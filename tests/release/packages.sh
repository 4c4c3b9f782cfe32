#!/usr/bin/env bash
# The packages under Wine as a parent meets them: install, colour, upgrade, repair, uninstall, then the
# zip. packages.sh DIST_DIR WIN_BUILD_DIR, on the test display, in a Wine prefix of its own.
set -eEuo pipefail
trap 'echo "FAIL (line $LINENO): $BASH_COMMAND" >&2' ERR
fail() { echo "FAIL: $*" >&2; exit 1; }
dist=$(cd "$1" && pwd) exe=$(cd "$2" && pwd)/hueberry.exe tmp=$(mktemp -d)
export HB_WINEPREFIX=$(cd "$(dirname "$0")/../.." && pwd)/build/release-prefix
source "$(dirname "$0")/../../scripts/wine-env.sh"
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$tmp"' EXIT
rm -rf "$WINEPREFIX"; hb_wine_prefix >/dev/null && hb_wine_managed N
msi=$(ls "$dist"/hueberry-*-x64.msi); version=${msi##*/hueberry-}; version=${version%-x64.msi}
home=$WINEPREFIX/drive_c/users/$(id -un); dir=$home/AppData/Local/Programs/Hueberry
lnk="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Hueberry.lnk"
maker=$(dirname "$exe")/hbpages.exe pm=${lnk%.lnk}" Page Maker.lnk"
msiexec() { (cd "$tmp" && wine msiexec "$@" /qn); }
# Name and version of every installed-apps entry (under Wine a per-user one is under HKLM too).
entries() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk '$1 ~ /^Display(Name|Version)$/ { printf "%s ", $3 }'; }
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
wait_pixel() { # x y colour
    for _ in $(seq 100); do [ "$(pixel "$1" "$2")" = "$3" ] && return; sleep 0.2; done; fail "($1, $2) is not $3"; }
# Starts program $2 in folder $1, closes the intro (once its title's red H shows), colours the plate of
# the first picture's stand red, and quits with Q, pressed until the fill is over and the program gone.
play() {
    (cd "$1" && exec wine "$2" >/dev/null 2>&1) &
    wait_pixel 272 250 '#FF0000'; xdotool key Return
    wait_pixel 405 490 '#EFEFEF'; xdotool mousemove 405 490 click 1
    wait_pixel 405 490 '#FF0000'
    for _ in $(seq 20); do kill -0 $! 2>/dev/null || break; xdotool key q; sleep 1; done
    wait $!
}
pages="bones.col duck.col parrots.col pig.col spider.col buy_me.col"
same_pages() { for f in "$@"; do cmp "$HB_ROOT/data/$f" "$dir/$f"; done; }

# Both programs' version blocks give the installer's version; their manifests ask for the user's own
# rights and name Windows 7, 8, 8.1 and 10/11 (Wine runs a program without one all the same).
for p in "$exe" "$maker"; do
    [ "$(strings -el "$p" | grep -A1 -x ProductVersion | tail -1)" = "$version" ]
    [ "$(strings "$p" | grep -c -e 'level="asInvoker"' -e '<supportedOS Id=')" = 5 ]
done
[ "$(strings "$exe" | grep -c '<dpiAwareness.*>system<')" = 1 ]
[ "$(strings "$maker" | grep -c -e '<dpiAwareness.*>PerMonitorV2' -e 'Common-Controls" version="6')" = 2 ]
msiexec /i "$msi"
cmp "$exe" "$dir/hueberry.exe"; same_pages $pages hueberry.mid
[ -s "$dir/README.txt" ]; [ -s "$dir/LICENSE.txt" ]; [ "$(entries)" = "Hueberry $version " ]
target=$(strings "$lnk" | grep -m1 -o 'C:\\.*\.exe$'); folder=$(strings -el "$lnk" | grep -o 'C:\\.*\\$')
[ "$(winepath -u "$target")" -ef "$dir/hueberry.exe" ]; [ "$(winepath -u "$folder")" -ef "$dir" ]
cmp "$HB_ROOT/resources/HueberryIcon.ico" "$(winepath -u "$(strings -el "$lnk" | grep -o 'C:\\.*\.ico$')")"
cmp "$maker" "$dir/hbpages.exe"; [ "$(winepath -u "$(strings -el "$pm" | grep -o 'C:\\.*\\$')")" -ef "$dir" ]
play "$(winepath -u "$folder")" "$target"
cmp -s "$HB_ROOT/data/bones.col" "$dir/bones.col" && fail "the click coloured nothing"
cp "$dir/bones.col" "$tmp/coloured.col"; [ -s "$dir/printer.dta" ]

# A newer build, whose program differs from the installed one, replaces it and keeps the colouring.
next=${version%.*}.$((${version##*.} + 1)); mkdir "$tmp/bin"; cp "$exe" "$maker" "$tmp/bin/"; printf x >>"$tmp/bin/hueberry.exe"
"$HB_ROOT/packaging/build-dist.sh" "$next" "$tmp/next" "$tmp/bin" >/dev/null; newer=$tmp/next/hueberry-$next-x64.msi
msiexec /i "$newer"; cmp "$tmp/bin/hueberry.exe" "$dir/hueberry.exe"; cmp "$tmp/coloured.col" "$dir/bones.col"
[ "$(entries)" = "Hueberry $next " ]; msiexec /i "$msi" && fail "an older package replaced a newer one"
# Repair puts back a deleted picture as it came and leaves a coloured one. Wine's msiexec /f answers
# "unknown product" for this per-user package: this is the same repair, given as properties.
rm "$dir/duck.col"; msiexec /i "$newer" REINSTALL=ALL REINSTALLMODE=omus; same_pages duck.col
msiexec /x "$newer"
for f in "$dir"/{hueberry.exe,hbpages.exe,hueberry.mid,README.txt,LICENSE.txt} "$lnk" "$pm"; do [ -e "$f" ] && fail "$f is left"; done
[ -z "$(entries)" ]; same_pages ${pages#bones.col }; cmp "$tmp/coloured.col" "$dir/bones.col"

unzip -q "$dist"/hueberry-*-win64.zip -d "$tmp/zip"; [ "$(ls "$tmp/zip")" = Hueberry ]; dir=$tmp/zip/Hueberry
cmp "$exe" "$dir/hueberry.exe"; cmp "$maker" "$dir/hbpages.exe"; same_pages $pages hueberry.mid
play "$dir" ./hueberry.exe
if cmp -s "$HB_ROOT/data/bones.col" "$dir/bones.col"; then fail "the program from the zip coloured nothing"; fi
