#!/bin/sh
# Printing end to end to CUPS's PDF printer: two copies of a render give a
# document of two pages, each with the picture centred and, read back by
# poppler, the same pixels as the BMP the viewer saves of it. In the
# difference view the page holds the difference of the two renders.
# usage: print_pdf.sh BUILD_DIR EMULATOR  (77: no printer set up)
set -u
cd "$1"; wine=$2; here=$(dirname "$0")
[ -n "${ZR_PDF_DIR:-}" ] && [ -d "$ZR_PDF_DIR" ] || { echo "no PDF printer (ZR_PDF_DIR)"; exit 77; }
command -v pdfinfo >/dev/null || { echo "poppler-utils is not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -f "$ZR_PDF_DIR"/*.pdf
winwork="Z:$(echo "$work" | tr / '\\')"
"$wine" ./zrhost.exe --plugin zr40.p --frames 1 --size 150x100 --pattern spheres --no-render-status \
    --output-dir "$winwork" --save ref:0 --print 2 --quit-after 0 </dev/null >"$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
[ -f "$work/ref.bmp" ] || { echo "the reference BMP was not saved"; exit 1; }
# The newest document in the PDF folder, once it has settled.
wait_pdf() {
    pdf=
    for _ in $(seq 100); do
        pdf=$(ls "$ZR_PDF_DIR"/*.pdf 2>/dev/null | head -1)
        [ -n "$pdf" ] && break
        sleep 0.2
    done
    [ -n "$pdf" ] || { echo "no document arrived in $ZR_PDF_DIR"; exit 1; }
    sleep 1  # cups-pdf renames the finished file into place; let it settle
}
wait_pdf
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || { echo "$pdf has $pages pages, not 2"; exit 1; }
for page in 1 2; do
    pdftoppm -r 300 -f $page -l $page "$pdf" "$work/page" || exit 1
    python3 "$here/pdf_matches_bmp.py" "$work"/page-*$page.ppm "$work/ref.bmp" || { echo "page $page"; exit 1; }
done
rm -f "$pdf" "$work"/page-*

# The same first frame as the reference, the second one current, shown as
# their difference.
"$wine" ./zrhost.exe --plugin zr40.p --frames 2 --size 150x100 --pattern spheres --no-render-status \
    --output-dir "$winwork" --keys "{CTRL+1}x" --save second:0 --print 1 --quit-after 0 </dev/null \
    >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
wait_pdf
pdftoppm -r 300 -f 1 -l 1 "$pdf" "$work/page" || exit 1
python3 "$here/pdf_matches_bmp.py" "$work"/page-*1.ppm --difference "$work/ref.bmp" "$work/second.bmp" ||
    { echo "the difference view"; exit 1; }
rm -f "$pdf"
echo ok
