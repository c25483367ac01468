#!/bin/sh
# The demo: the stand-in host loads the plug-in and activates both servers,
# on the user's X display when there is one, else on a virtual one.
set -u
. "$(dirname "$0")/wine-session.sh"
cd "$ZR_TOP"
[ -n "${DISPLAY:-}" ] && ZR_KEEP_DISPLAY=1
trap 'wine_session_stop' EXIT INT TERM
wine_session_start 64
echo "zrhost loads build/win64/zr40.p and activates its servers:"
timeout 60 "$ZR_WINE" build/win64/zrhost.exe --plugin build/win64/zr40.p --info </dev/null | tr -d '\r'
echo "and a host without \"File IO\" (the handler refuses, the interface still activates):"
timeout 60 "$ZR_WINE" build/win64/zrhost.exe --plugin build/win64/zr40.p --info --omit fileio </dev/null | tr -d '\r'
