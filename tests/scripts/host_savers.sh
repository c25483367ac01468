#!/bin/sh
# The stand-in host's savers, reached through the viewer's save dialog, read
# back by readers that are not ours: a Targa decoded by ImageMagick holds
# the same colours as the ZR BMP of the same frame (both from samples in 0
# to 1, truncated to bytes), and its alpha those of the ZR BMP of the alpha
# view.
# usage: host_savers.sh BUILD_DIR EMULATOR
set -u
cd "$1"; wine=$2
command -v convert >/dev/null || { echo "ImageMagick is not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winwork="Z:$(echo "$work" | tr / '\\')"
# The same frame twice: shown in colour, then in the alpha view.
for run in "--save colour:0 --save colour:3" "--keys a --save alpha:0"; do
    # shellcheck disable=SC2086
    "$wine" ./zrhost.exe --plugin zr40.p --frames 1 --size 67x33 --pattern ramps --no-render-status \
        --output-dir "$winwork" $run --quit-after 0 </dev/null >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
done
for f in colour.bmp colour.tga alpha.bmp; do
    [ -f "$work/$f" ] || { cat "$work/log"; echo "$f was not saved"; exit 1; }
done
convert "$work/colour.tga" -alpha off -depth 8 rgb:"$work/tga.rgb" &&
    convert "$work/colour.bmp" -depth 8 rgb:"$work/bmp.rgb" &&
    convert "$work/colour.tga" -alpha extract -depth 8 gray:"$work/tga.alpha" &&
    convert "$work/alpha.bmp" -depth 8 gray:"$work/bmp.alpha" || exit 1
[ "$(stat -c %s "$work/tga.rgb")" = $((67 * 33 * 3)) ] || { echo "the Targa is not 67 x 33"; exit 1; }
cmp "$work/tga.rgb" "$work/bmp.rgb" || { echo "the Targa's colours differ from the BMP's"; exit 1; }
cmp "$work/tga.alpha" "$work/bmp.alpha" || { echo "the Targa's alpha differs from the alpha BMP"; exit 1; }
echo ok
