#!/bin/sh
# Asks readers that are not ours what our IFF and BMP files hold: netpbm's
# ilbmtoppm for IFF, ImageMagick for BMP. Every file must decode to exactly
# the pixels it was written from.
# Run: check_readers.sh WRITE_SAMPLES_PROGRAM
set -u
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$program" "$dir" || exit 1
failed=0
count=0
for expected in "$dir"/*.rgb; do
    base=${expected%.rgb}
    size=$(basename "$base" | cut -d- -f1)
    bytes=$(( ${size%x*} * ${size#*x} * 3 ))
    ilbmtoppm "$base.iff" 2>/dev/null | tail -c "$bytes" >"$base.iff.rgb"
    convert "$base.bmp" -depth 8 rgb:- >"$base.bmp.rgb" 2>/dev/null
    for decoded in "$base.iff.rgb" "$base.bmp.rgb"; do
        count=$((count + 1))
        if ! cmp -s "$expected" "$decoded"; then
            echo "FAILED: $(basename "$decoded" .rgb) does not decode to the pixels written"
            failed=1
        fi
    done
done
[ "$failed" = 0 ] && echo "readers: $count files decode to exactly the pixels written"
exit "$failed"
