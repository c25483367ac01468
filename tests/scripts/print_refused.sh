#!/bin/sh
# A print the spooler refuses is not reported as done: with the "Proof"
# queue rejecting jobs, the document's end fails, and the viewer says so.
# usage: print_refused.sh BUILD_DIR EMULATOR  (77: no printer set up)
set -u
cd "$1"; wine=$2
[ -n "${ZR_PDF_DIR:-}" ] && [ -d "$ZR_PDF_DIR" ] || { echo "no PDF printer (ZR_PDF_DIR)"; exit 77; }
command -v cupsreject >/dev/null || { echo "cupsreject is not installed"; exit 77; }
log=$(mktemp)
trap 'cupsaccept Proof; rm -f "$log"' EXIT
cupsreject Proof || exit 1
if "$wine" ./zrhost.exe --plugin zr40.p --frames 1 --size 150x100 --pattern spheres --no-render-status \
    --print 1:Proof --quit-after 0 </dev/null >"$log" 2>&1; then
    cat "$log"; echo "the refused print was not reported"; exit 1
fi
grep -q "the viewer said: An error occurred during printing." "$log" || { cat "$log"; exit 1; }
echo ok
