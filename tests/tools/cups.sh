#!/usr/bin/env bash
# cups.sh start|stop: a CUPS scheduler with a PDF printer "PDF" (the default) for end-to-end print tests.
#
# start: points cups-pdf at $HB_PDF_OUT (default build/pdf-out), starts cupsd unless one is running
#        (then it is reused and left alone by stop), waits for it and sets up the queue. Wine only sees
#        the printers that exist when its first program starts, so run this before any Wine program.
# stop:  stops the scheduler that start started, if any.
set -uo pipefail
HB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PID_FILE=$HB_ROOT/build/cups.pid
PDF_OUT=${HB_PDF_OUT:-$HB_ROOT/build/pdf-out}
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
CONF=/etc/cups/cups-pdf.conf

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

# The pid that start recorded, if that process is still a cupsd.
our_pid() {
    local pid
    [ -f "$PID_FILE" ] || return 1
    pid=$(cat "$PID_FILE" 2>/dev/null)
    [ -n "$pid" ] && [ "$(cat /proc/"$pid"/comm 2>/dev/null)" = cupsd ] && echo "$pid"
}

start() {
    local missing=""
    for tool in /usr/sbin/cupsd lpstat lpadmin "$PPD" /usr/lib/cups/backend/cups-pdf; do
        [ -e "$tool" ] || command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
    done
    if [ -n "$missing" ]; then
        echo "cups.sh: missing$missing (packages cups cups-bsd cups-client printer-driver-cups-pdf)" >&2
        return 1
    fi
    mkdir -p "$PDF_OUT" /run/cups "$(dirname "$PID_FILE")"
    # cups-pdf drops to the job's user before writing; anyone may write here.
    chmod 1777 "$PDF_OUT"
    # cups-pdf reads its configuration for every job, so a changed folder needs no restart.
    if grep -q '^Out ' "$CONF"; then
        sed -i "s|^Out .*|Out $PDF_OUT|" "$CONF"
    else
        echo "Out $PDF_OUT" >>"$CONF"
    fi

    if ! scheduler_running; then
        rm -f "$PID_FILE"
        /usr/sbin/cupsd -f >/dev/null 2>&1 &
        echo $! >"$PID_FILE"
        disown 2>/dev/null
        local i
        for i in $(seq 1 100); do
            scheduler_running && break
            if ! kill -0 "$(cat "$PID_FILE")" 2>/dev/null; then
                echo "cups.sh: cupsd exited at start" >&2
                rm -f "$PID_FILE"
                return 1
            fi
            sleep 0.1
        done
        scheduler_running || { echo "cups.sh: the scheduler did not come up" >&2; stop; return 1; }
    fi

    if ! lpstat -v PDF >/dev/null 2>&1; then
        # lpadmin warns that PPD drivers are deprecated; only a failure is worth showing.
        local out
        out=$(lpadmin -p PDF -E -v cups-pdf:/ -P "$PPD" -o TitlePref=1 -o Label=1 -o PageSize=A4 2>&1) ||
            { echo "$out" >&2; return 1; }
    fi
    cupsenable PDF >/dev/null 2>&1
    cupsaccept PDF >/dev/null 2>&1
    lpadmin -d PDF || return 1
}

stop() {
    local pid i
    pid=$(our_pid) || { rm -f "$PID_FILE"; return 0; }
    kill "$pid" 2>/dev/null
    for i in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null
    rm -f "$PID_FILE"
    return 0
}

case "${1:-}" in
start) start ;;
stop) stop ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
