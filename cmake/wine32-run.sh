#!/bin/sh
# Runs a 32-bit Windows program under the 32-bit Wine loader (only where the
# kernel can execute 32-bit programs; see tools/probe-wine32.sh).
: "${WINEPREFIX:=$HOME/.cache/zr-wine32}"
: "${WINEARCH:=win32}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d}"
export WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES DISPLAY
exec /usr/lib/wine/wine "$@"
