#!/usr/bin/env bash
# Runs every test layer in one CTest run on a virtual X display, with a CUPS PDF printer "PDF" for the
# print tests, then stops everything it started. Extra arguments go to ctest.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
hb_wine_prefix && hb_wine_managed N
out=$HB_ROOT/build/pdf-out cups=""
trap 'wineserver -k >/dev/null 2>&1; kill ${HB_XVFB_PID:-} $cups >/dev/null 2>&1; wait 2>/dev/null' EXIT
hb_start_xvfb 800x600x24 || exit 1

# The printer: started before Wine's server, which lists the printers once. cups-pdf writes as the
# job's user, and reads its folder from its configuration for every job. A running scheduler is used.
mkdir -p "$out" /run/cups && chmod 1777 "$out"
sed -i '/^Out /d' /etc/cups/cups-pdf.conf && echo "Out $out" >>/etc/cups/cups-pdf.conf
running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! running; then
    /usr/sbin/cupsd -f >/dev/null 2>&1 & cups=$!
    for _ in $(seq 100); do running && break; sleep 0.1; done
fi
lpstat -v PDF >/dev/null 2>&1 || lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    -o TitlePref=1 -o Label=1 -o PageSize=A4 2>/dev/null
cupsenable PDF && cupsaccept PDF && lpadmin -d PDF || exit 1
# A second printer whose printable area is empty.
sed -E 's/^(\*ImageableArea [^:]*: )"[^"]*"/\1"0 0 0 0"/' /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$HB_ROOT/build/blank.ppd"
lpstat -v Blank >/dev/null 2>&1 || lpadmin -p Blank -E -v cups-pdf:/ -P "$HB_ROOT/build/blank.ppd" 2>/dev/null
cupsenable Blank && cupsaccept Blank || exit 1

# Wine's server stays up between tests. Its first program starts Wine's services, which inherit its
# output: run one here, its output going nowhere, or CTest would wait on a pipe they hold open.
wineserver -p >/dev/null 2>&1
wine cmd.exe /c exit </dev/null >/dev/null 2>&1

ctest --test-dir "$HB_ROOT/build/native" --output-on-failure -j 2 --timeout 600 "$@"
