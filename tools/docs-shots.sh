#!/bin/sh
# Remakes the status bar screenshots in docs/: a 4K frame at 1/65x and at
# 65x, with the pointer on the image and the readout in floating point.
# Run after a build: sh tools/docs-shots.sh
set -u
. "$(dirname "$0")/wine-session.sh"
cd "$ZR_TOP"
out=build/docs-shots
mkdir -p "$out/settings"
printf '{ ZRConfig\nPixelDisplayType 1\n}\n' >"$out/settings/zr4.cfg"
trap 'wine_session_stop' EXIT INT TERM
wine_session_start 64
host="build/win64/zrhost.exe --plugin build/win64/zr40.p --settings-dir $out/settings --frames 1
      --size 3840x2160 --pattern hdr --no-render-status --quit-after 200"
out_keys=",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"
in_keys=$(echo "$out_keys" | tr ',' '.')
shot() {  # name keys pointer
    timeout 120 "$ZR_WINE" $host --keys "$2" --pointer "$3" --screenshot "$out/$1.bmp" </dev/null | tr -d '\r'
    python3 tools/bmp2png.py "$out/$1.bmp" "docs/$1.png" 44
}
shot status-1-65x "$out_keys" 40,20
shot status-65x "$in_keys{END}{PGDN}" -10,-10
