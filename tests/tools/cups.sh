#!/usr/bin/env bash
# cups.sh start|stop: a CUPS scheduler with a PDF printer "PDF" (the default) writing into
# $HB_PDF_OUT (default build/pdf-out), for the print tests. Wine lists the printers once, when its
# server starts: start this first. A scheduler already running is used and left running.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
pid_file=$root/build/cups.pid
out=${HB_PDF_OUT:-$root/build/pdf-out}
running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

case "${1:-}" in
start)
    mkdir -p "$out" /run/cups "$root/build"
    chmod 1777 "$out" # cups-pdf writes as the job's user
    # cups-pdf reads its configuration for every job: no restart is needed.
    sed -i '/^Out /d' /etc/cups/cups-pdf.conf && echo "Out $out" >>/etc/cups/cups-pdf.conf
    if ! running; then
        /usr/sbin/cupsd -f >/dev/null 2>&1 &
        echo $! >"$pid_file"
        for _ in $(seq 100); do running && break; sleep 0.1; done
        running || { echo "cups.sh: the scheduler did not start" >&2; exit 1; }
    fi
    lpstat -v PDF >/dev/null 2>&1 ||
        lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
            -o TitlePref=1 -o Label=1 -o PageSize=A4 2>/dev/null || exit 1
    cupsenable PDF && cupsaccept PDF && lpadmin -d PDF
    ;;
stop)
    pid=$(cat "$pid_file" 2>/dev/null)
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cupsd ] && kill "$pid"
    rm -f "$pid_file"
    ;;
*) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
