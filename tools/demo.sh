#!/bin/sh
# The demo: the stand-in host renders a short sequence of its scenes into
# the plug-in's viewer. With an X display the viewer opens there and stays
# until you close it; without one it runs on a virtual display and the
# viewer is saved as a screenshot.
set -u
. "$(dirname "$0")/wine-session.sh"
cd "$ZR_TOP"
out=build/demo
mkdir -p "$out"
trap 'wine_session_stop' EXIT INT TERM
host="build/win64/zrhost.exe --plugin build/win64/zr40.p --frames 6 --size 800x450 --fps 30
      --pattern spheres,bars,ramps,hdr --interval 300"
if [ -n "${DISPLAY:-}" ]; then
    ZR_KEEP_DISPLAY=1
    wine_session_start 64
    echo "The viewer opens on $DISPLAY: try the digit keys, r g b a i, h, and Esc to close it."
    "$ZR_WINE" $host </dev/null | tr -d '\r'
else
    wine_session_start 64
    timeout 120 "$ZR_WINE" $host --keys "2" --screenshot "$out/viewer.bmp" --quit-after 300 </dev/null | tr -d '\r'
    python3 tools/bmp2png.py "$out/viewer.bmp" "$out/viewer.png" &&
        echo "No X display: the viewer was shown on a virtual one. Screenshot: $out/viewer.png"
fi
