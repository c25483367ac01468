#!/bin/sh
# Runs a Windows program under 64-bit Wine with the project's prefix.
# winedbg is disabled so that a crash exits at once instead of waiting in a
# dialog forever.
: "${WINEPREFIX:=$HOME/.cache/zr-wine64}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES DISPLAY
exec /usr/lib/wine/wine64 "$@"
