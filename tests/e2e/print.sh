#!/usr/bin/env bash
# Prints in each layout through the real program and the PDF printer, then checks every sheet: one A4
# page named "Hueberry: Printing", rendered at 300 dpi and compared pixel by pixel with the page printed.
# Usage: print.sh path/to/e2e_tests.exe path/to/print_check
#
# Needs the CUPS scheduler of tests/tools/cups.sh, started before Wine's server (Wine lists the printers
# once, when its server starts). Under tests/tools/run-tests.sh it uses that run's display and Wine
# server; run without a display, it starts a virtual display and a Wine server of its own, in a prefix
# of its own beside the exe unless HB_WINEPREFIX names one.
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
check=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"

fail() {
    echo "print.sh: $*" >&2
    exit 1
}

for tool in pdfinfo gs; do
    command -v $tool >/dev/null || fail "$tool is missing (packages poppler-utils, ghostscript)"
done
if ! lpstat -r 2>/dev/null | grep -q 'scheduler is running' || ! lpstat -v PDF >/dev/null 2>&1; then
    fail "no CUPS scheduler with the printer PDF is running: start it with tests/tools/cups.sh start," \
        "before any Wine program (tests/tools/run-tests.sh does)"
fi
# The printer writes where cups-pdf is configured to; cups.sh points it at $HB_PDF_OUT or build/pdf-out.
if [ -z "${HB_PDF_OUT:-}" ]; then
    HB_PDF_OUT=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
fi
if [ -z "$HB_PDF_OUT" ] || [ ! -d "$HB_PDF_OUT" ]; then
    fail "the PDF printer's output folder '$HB_PDF_OUT' does not exist"
fi
export HB_PDF_OUT # Wine hands it on to the test, which waits for the sheets there

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    # A prefix of its own unless one is named: the server is ended afterwards, and another run's
    # server in the shared prefix must not be.
    export WINEPREFIX=${HB_WINEPREFIX:-$(dirname "$exe")/wineprefix-print}
    hb_wine_prefix
    hb_start_xvfb 800x600x24 || exit 1
    trap 'wineserver -k >/dev/null 2>&1; kill "$HB_XVFB_PID" >/dev/null 2>&1; wait 2>/dev/null' EXIT
    # As in run-tests.sh: Wine's services start with the server's first program and inherit its output.
    wineserver -p >/dev/null 2>&1
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
fi

work=$(dirname "$exe")/e2e-work
log=$(mktemp)
# The output goes to a file, not a pipe: Wine's services may hold it open after the test ends.
wine "$exe" --gtest_also_run_disabled_tests --gtest_filter='Print.*' </dev/null >"$log" 2>&1
status=$?
grep -v '^ALSA lib' "$log"
rm -f "$log"

sheets=0 bad=0
for manifest in "$work"/Print.*/prints.txt; do
    [ -f "$manifest" ] || continue
    dir=$(dirname "$manifest")
    while read -r pdf page mode ms; do
        [ -n "$pdf" ] || continue
        sheets=$((sheets + 1))
        what="$(basename "$dir")/$pdf"
        info=$(pdfinfo "$dir/$pdf" 2>&1)
        problems=""
        grep -qx 'Pages: *1' <<<"$info" || problems+=" not one page;"
        grep -qx 'Title: *Hueberry: Printing' <<<"$info" || problems+=" title not \"Hueberry: Printing\";"
        grep -q '^Page size: *595 x 842 pts' <<<"$info" || problems+=" not an A4 page of 595 x 842 pts;"
        ppm="$dir/${pdf%.pdf}.ppm"
        if ! gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=ppmraw -r300 -dNOINTERPOLATE \
            -sOutputFile="$ppm" "$dir/$pdf" >/dev/null 2>&1; then
            problems+=" Ghostscript could not render it;"
        elif ! result=$("$check" "$ppm" "$dir/$page" "$mode"); then
            problems+=" the picture is wrong;"
        fi
        echo "$what (against $page, Return to finished PDF $ms ms): ${result:-}"
        if [ -n "$problems" ]; then
            echo "  FAILED:$problems kept $ppm"
            bad=$((bad + 1))
        else
            rm -f "$ppm" # 26 MB each
        fi
        result=""
    done <"$manifest"
done

[ "$status" -eq 0 ] || fail "the print tests failed (exit status $status)"
[ "$sheets" -eq 6 ] || fail "expected 6 printed sheets (2 per layout), found $sheets"
[ "$bad" -eq 0 ] || fail "$bad of $sheets sheets are wrong"
echo "print.sh: all $sheets sheets are right"
