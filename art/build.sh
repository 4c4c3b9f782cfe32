#!/usr/bin/env bash
# Regenerates every asset in resources/, data/ and docs/art/ from art/; with --check, compares instead.
set -euo pipefail

ART="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(dirname "$ART")"
PY=/usr/bin/python3   # Debian's interpreter, whatever python3 is first on PATH
CHECK=0
case "${1:-}" in
    --check) CHECK=1 ;;
    "") ;;
    *) echo "usage: art/build.sh [--check]" >&2; exit 2 ;;
esac

# Debian packages the generators need; installed only when one is missing.
PACKAGES="python3 librsvg2-bin imagemagick fonts-dejavu-core sox cmake g++ make fluidsynth timgm6mb-soundfont"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q ' installed$' || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The pictures go through the program's own converter and the Page Maker's check.
TOOLS="$ROOT/build/art-tools"
cmake -S "$ROOT" -B "$TOOLS" -DCMAKE_BUILD_TYPE=Release -DHB_TESTS=OFF >/dev/null
cmake --build "$TOOLS" --target bmp2col pagecheck -j 2 >/dev/null

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
if [ "$CHECK" = 1 ]; then OUT="$TMP/out"; else OUT="$ROOT"; fi
mkdir -p "$OUT" "$TMP/work"

# Fixed locale and time zone keep every tool's output the same from run to run.
export LC_ALL=C TZ=UTC SOURCE_DATE_EPOCH=0 PYTHONDONTWRITEBYTECODE=1

"$PY" "$ART/gen/bitmaps.py" "$OUT"
"$PY" "$ART/gen/sounds.py" "$OUT"
"$PY" "$ART/gen/tune.py" "$OUT"
"$PY" "$ART/gen/pictures.py" "$OUT" "$TOOLS/bmp2col" "$TOOLS/pagecheck" "$TMP/work"
"$PY" "$ART/gen/resources_rc.py" "$OUT"
"$PY" "$ART/gen/contact.py" "$OUT"
# The tune, rendered offline (no MIDI device here), must sound from its start to its end.
"$PY" "$ART/check_tune.py" "$OUT/data/hueberry.mid"

if [ "$CHECK" = 1 ]; then
    status=0
    count=0
    while IFS= read -r -d '' f; do
        rel="${f#"$OUT"/}"
        count=$((count + 1))
        if ! cmp -s "$f" "$ROOT/$rel"; then
            echo "differs: $rel"
            status=1
        fi
    done < <(find "$OUT" -type f -print0 | sort -z)
    if [ "$status" = 0 ]; then echo "art check: all $count generated files match"; else echo "art check: FAILED"; fi
    exit "$status"
fi
echo "art: regenerated resources/, data/ and docs/art/"
