#!/bin/sh
# Remakes the screenshots in docs/ that show the status bar, captions, the Add Text
# dialog, the Notes and Settings sheet, the safe areas and the comparison of two
# renders. Run after a build:
#   sh tools/docs-shots.sh
set -u
. "$(dirname "$0")/wine-session.sh"
cd "$ZR_TOP"
out=build/docs-shots
mkdir -p "$out/float" "$out/outline" "$out/solid" "$out/caption" "$out/magnified"
printf '{ ZRConfig\nPixelDisplayType 1\n}\n' >"$out/float/zr4.cfg"
printf '{ ZRConfig\nSafeParams 1.85 0.02 3 0\n}\n' >"$out/outline/zr4.cfg"
printf '{ ZRConfig\nBlackWhite 0 0.25\n}\n' >"$out/magnified/zr4.cfg"
printf '{ ZRConfig\nSafeParams 1.85 0.02 3 1\n}\n' >"$out/solid/zr4.cfg"
printf '{ ZRConfig\n{ TextOptions\nFont "Arial" -28 0 0 0 700 0 0 0 0 0 0 0 0\nText "spheres_v12  2026-12-08"\nColor 255 220 120 0\nShadowOptions 1 2 2\n}\n}\n' >"$out/caption/zr4.cfg"
trap 'wine_session_stop' EXIT INT TERM
wine_session_start 64
host="build/win64/zrhost.exe --plugin build/win64/zr40.p --frames 1 --no-render-status --quit-after 200"
png() {  # bmp name [rows]
    python3 tools/bmp2png.py "$1" "docs/$2.png" ${3:-}
}

# The status bar of a 4K frame at 1/65x and at 65x, read in floating point.
out_keys=",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"
in_keys=$(echo "$out_keys" | tr ',' '.')
for shot in "status-1-65x|$out_keys|40,20" "status-65x|$in_keys{END}{PGDN}|-10,-10"; do
    name=${shot%%|*}; rest=${shot#*|}; keys=${rest%|*}; pointer=${rest#*|}
    timeout 120 "$ZR_WINE" $host --settings-dir "$out/float" --size 3840x2160 --pattern hdr \
        --keys "$keys" --pointer "$pointer" --screenshot "$out/$name.bmp" </dev/null | tr -d '\r'
    png "$out/$name.bmp" "$name" 44
done

# The sheet's four pages.
timeout 120 "$ZR_WINE" $host --size 640x360 --pattern spheres --sheet-shots "$out/sheet-" </dev/null | tr -d '\r'
for n in 1 2 3 4; do png "$out/sheet-$n.bmp" "sheet-page-$n"; done

# A caption with its shadow stamped into a render, at 1x and zoomed in.
for shot in "caption-1x|t{CLICK:24,330}{OK}" "caption-zoomed|t{CLICK:24,330}{OK}{CLICK:60,322}{CLICK:60,322}"; do
    name=${shot%%|*}; keys=${shot#*|}
    timeout 120 "$ZR_WINE" $host --settings-dir "$out/caption" --size 640x360 --pattern spheres \
        --keys "$keys" --screenshot "$out/$name.bmp" </dev/null | tr -d '\r'
    png "$out/$name.bmp" "$name"
done

# The Add Text dialog with the caption's options, and its face list dropped.
timeout 120 "$ZR_WINE" $host --settings-dir "$out/caption" --size 640x360 --pattern spheres \
    --text-dialog-shots "$out/text-dialog-" </dev/null | tr -d '\r'
png "$out/text-dialog-1.bmp" text-dialog
png "$out/text-dialog-2.bmp" text-dialog-faces

# Video safe and a 1.85 frame over a render, outlined and solid.
for style in outline solid; do
    timeout 120 "$ZR_WINE" $host --settings-dir "$out/$style" --size 640x360 --pattern spheres \
        --keys "f" --screenshot "$out/safe-$style.bmp" </dev/null | tr -d '\r'
    png "$out/safe-$style.bmp" "safe-$style"
done

# Two frames of the spheres, the balls a little moved: the first as the
# reference, wiped against the second, and their difference at white 0.25.
two="build/win64/zrhost.exe --plugin build/win64/zr40.p --frames 2 --no-render-status --quit-after 200"
timeout 120 "$ZR_WINE" $two --size 640x360 --pattern spheres --keys "{CTRL+1}w" --pointer "300,200" \
    --screenshot "$out/compare-wipe.bmp" </dev/null | tr -d '\r'
png "$out/compare-wipe.bmp" compare-wipe
timeout 120 "$ZR_WINE" $two --settings-dir "$out/magnified" --size 640x360 --pattern spheres --keys "{CTRL+1}x" \
    --pointer "300,200" --screenshot "$out/compare-difference.bmp" </dev/null | tr -d '\r'
png "$out/compare-difference.bmp" compare-difference
