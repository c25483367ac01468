#!/bin/sh
# A scene saved by the stand-in host, loaded and saved again, is the same
# file byte for byte, and a scene's settings reach the plug-in.
# usage: scene_roundtrip.sh BUILD_DIR EMULATOR
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1/zr40.p" "$1/zrhost.exe" "$work/"
cd "$work"; wine=$2
host() { "$wine" ./zrhost.exe --plugin zr40.p "$@" </dev/null >/dev/null 2>&1; }
host --scene-save first.lws || { echo "save failed"; exit 1; }
host --scene-load first.lws --scene-save second.lws || { echo "load and save failed"; exit 1; }
cmp first.lws second.lws || { echo "scene changed on the way"; diff first.lws second.lws; exit 1; }
sed 's/BlackWhite 0 1/BlackWhite 0.25 0.5/' first.lws >edited.lws
host --scene-load edited.lws --scene-save third.lws
grep -q 'BlackWhite 0.25 0.5$' third.lws || { echo "the loaded scene's levels were not kept"; cat third.lws; exit 1; }
host --scene-load no-such.lws && { echo "a missing scene must fail"; exit 1; }
echo ok
