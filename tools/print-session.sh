# Sourced by the test runner: a CUPS daemon with two cups-pdf printers,
# "PDF" (the default) and "Proof", so that printing is tested for real and
# the printer chosen in one print can be seen preselected in the next.
#   print_session_start    print_session_stop
# PDFs land in $HOME/PDF. Nothing happens where CUPS is not installed.
ZR_CUPSD_PID=

print_session_start()
{
    [ -x /usr/sbin/cupsd ] && command -v lpadmin >/dev/null || { echo "CUPS is not installed: no printing tests"; return 1; }
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
        /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
        ZR_CUPSD_PID=$!
        for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
    fi
    ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null)
    for p in PDF Proof; do
        lpstat -p "$p" >/dev/null 2>&1 ||
            lpadmin -p "$p" -v cups-pdf:/ -E ${ppd:+-P "$ppd"} >/dev/null 2>&1 || return 1
    done
    lpadmin -d PDF
    mkdir -p "$HOME/PDF"
    return 0
}

print_session_stop()
{
    if [ -n "${ZR_CUPSD_PID:-}" ]; then kill -TERM "$ZR_CUPSD_PID" 2>/dev/null; wait "$ZR_CUPSD_PID" 2>/dev/null; fi
    ZR_CUPSD_PID=
    return 0
}
