#!/usr/bin/env bash
# Prints a sheet in each layout through the real program and run-tests.sh's PDF printer, then checks
# each: named "Hueberry: Printing" and, rendered at 300 dpi, equal to its golden pixel for pixel;
# then prints on its printer with no printable area.
# Usage: print.sh path/to/e2e_tests.exe (on run-tests.sh's display and Wine server); with
# HB_E2E_GOLDEN=<folder>, the renders are written there instead of compared.
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
golden=$(cd "$(dirname "$0")" && pwd)/golden
source "$(dirname "$0")/../../scripts/wine-env.sh"
out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
[ -d "$out" ] && lpstat -v PDF >/dev/null 2>&1 || { echo "no PDF printer: run from tests/tools/run-tests.sh"; exit 1; }
rm -f "$out"/*.pdf
# Into a file, not a pipe: Wine's services may hold a pipe open after the test has ended.
log=$(dirname "$exe")/e2e-work/print.log
wine "$exe" --gtest_filter=Scripted.Printing </dev/null >"$log" 2>&1 ||
    { cat "$log"; exit 1; }

# The sheets, in the order of their jobs, once the printer has finished each (its end-of-file mark).
for _ in $(seq 600); do
    mapfile -t sheets < <(ls "$out"/*.pdf 2>/dev/null | sort -V)
    [ ${#sheets[@]} -eq 4 ] && tail -c 16 "${sheets[@]}" | grep -c '%%EOF' | grep -qx 4 && break
    sleep 0.1
done
bad=0
# The jobs printed Alternate 1 (from a mode the program does not know, then chosen), Default and
# Alternate 2.
layouts=(1 1 0 2)
for job in 0 1 2 3; do
    layout=${layouts[$job]} pdf=${sheets[$job]:-none}
    png=$(dirname "$exe")/e2e-work/Printing/sheet-$layout.png
    # One A4 page (else the render differs), named as the job was.
    pdfinfo "$pdf" | grep -qx 'Title: *Hueberry: Printing' || { echo "sheet $layout: no title"; bad=1; }
    gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r300 -dNOINTERPOLATE -sOutputFile="$png" "$pdf"
    if [ -n "${HB_E2E_GOLDEN:-}" ]; then cp "$png" "$HB_E2E_GOLDEN/"; continue; fi
    wrong=$(compare -metric AE "$png" "$golden/sheet-$layout.png" null: 2>&1)
    echo "sheet $layout: $wrong pixels differ from the golden"
    [ "$wrong" = 0 ] || bad=1
done
# Then a job on the printer with no printable area, after the sheets were taken.
wine "$exe" --gtest_filter=Scripted.PrinterWithNoPrintableArea </dev/null >"$log" 2>&1 ||
    { cat "$log"; bad=1; }
exit $bad
