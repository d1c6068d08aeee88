#!/usr/bin/env bash
# Starts CUPS when it is not running and creates the two test printers (safe to run again):
#   qor-raw  a raw queue whose device is socket://127.0.0.1:$QOR_RAW_PORT (default 9123);
#            a test listens there with socat and receives the bytes unchanged;
#   qor-pdf  a cups-pdf queue writing its PDF files into $QOR_PDF_DIR
#            (default /var/spool/cups-pdf/qor), read back with pdftotext.
set -euo pipefail
raw_port=${QOR_RAW_PORT:-9123}
pdf_dir=${QOR_PDF_DIR:-/var/spool/cups-pdf/qor}
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

# cups-pdf: one folder for every user, the job number in each file name, files readable.
conf=/etc/cups/cups-pdf.conf
if [ -f "$conf" ]; then
    want_out="Out $pdf_dir"
    if ! grep -qx "$want_out" "$conf" || ! grep -qx "Label 2" "$conf" || ! grep -qx "UserUMask 0022" "$conf"; then
        $SUDO sed -i -E -e "s|^#?Out .*|$want_out|" -e "s|^#?Label .*|Label 2|" \
            -e "s|^#?UserUMask .*|UserUMask 0022|" "$conf"
    fi
fi
$SUDO mkdir -p "$pdf_dir"
$SUDO chmod 1777 "$pdf_dir"

running() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! running; then
    if command -v systemctl >/dev/null && systemctl is-system-running >/dev/null 2>&1; then
        $SUDO systemctl start cups
    else
        $SUDO cupsd
    fi
    for _ in $(seq 1 60); do running && break; sleep 0.5; done
    running || { echo "CUPS ne démarre pas (cupsd)." >&2; exit 1; }
fi

queue_device() { lpstat -v "$1" 2>/dev/null | sed -n 's/^device for [^:]*: //p'; }

if [ "$(queue_device qor-raw)" != "socket://127.0.0.1:$raw_port" ]; then
    # Raw queues are deprecated in CUPS 2.4 but still supported; the warning is expected.
    $SUDO lpadmin -p qor-raw -E -v "socket://127.0.0.1:$raw_port" -m raw 2>/dev/null
fi
if [ "$(queue_device qor-pdf)" != "cups-pdf:/" ]; then
    ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || true)
    $SUDO lpadmin -p qor-pdf -E -v cups-pdf:/ ${ppd:+-P "$ppd"} 2>/dev/null
fi
# The PDF queue turns jobs into PostScript with pdftocairo, which keeps the text of
# the page readable by pdftotext.
$SUDO lpadmin -p qor-pdf -o pdftops-renderer-default=pdftocairo
# Jobs left by an interrupted test would reach the next listener: cancel them.
$SUDO cancel -a qor-raw qor-pdf 2>/dev/null || true
# Both queues enabled and accepting jobs, even after a test left them otherwise.
for q in qor-raw qor-pdf; do
    $SUDO cupsenable "$q"
    $SUDO cupsaccept "$q"
done
# Qt lists the printers of the CUPS server; wait until the scheduler answers for both.
for _ in $(seq 1 60); do
    lpstat -a qor-raw >/dev/null 2>&1 && lpstat -a qor-pdf >/dev/null 2>&1 && exit 0
    sleep 0.5
done
echo "Les imprimantes de test qor-raw et qor-pdf ne sont pas visibles dans CUPS." >&2
exit 1
