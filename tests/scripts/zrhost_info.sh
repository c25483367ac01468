#!/bin/sh
# zrhost --info prints one line per server with its activation result;
# --about opens the interface server's box.
# usage: zrhost_info.sh BUILD_DIR EMULATOR
set -u
cd "$1"; wine=$2
expect() {
    want=$1; shift
    got=$("$wine" ./zrhost.exe --plugin zr40.p --info "$@" </dev/null 2>&1 | tr -d '\r')
    if [ "$got" != "$want" ]; then
        printf 'zrhost --info %s\nwanted:\n%s\ngot:\n%s\n' "$*" "$want" "$got"
        exit 1
    fi
}
expect "FrameBufferHandler ZR40 0
FrameBufferInterface ZR40 0"
expect "FrameBufferHandler ZR40 2
FrameBufferInterface ZR40 0" --omit fileio
expect "FrameBufferHandler ZR40 2
FrameBufferInterface ZR40 0" --omit "Host Display Info"
expect "FrameBufferHandler ZR40 1
FrameBufferInterface ZR40 1" --version 5
"$wine" ./zrhost.exe --plugin no-such-file.p --info </dev/null >/dev/null 2>&1 && { echo "a missing plug-in must fail"; exit 1; }
# --about presses the options button; an inactive interface server is said.
"$wine" ./zrhost.exe --plugin zr40.p --about --quit-after 100 </dev/null >/dev/null 2>&1 || { echo "--about failed"; exit 1; }
"$wine" ./zrhost.exe --plugin zr40.p --about --version 5 </dev/null >/dev/null 2>&1 && { echo "--about needs the server"; exit 1; }
echo ok
