# Sourced by the scripts that run Wine programs. Gives them a virtual
# display and a running wineserver whose helper processes are detached from
# every pipe (otherwise a reader of a Wine program's output waits for them).
#   wine_session_start 64|32    wine_session_stop
ZR_TOP=${ZR_TOP:-$(cd "$(dirname "$0")/.." && pwd)}

wine_session_start()
{
    bits=$1
    if [ "$bits" = 32 ]; then
        export WINEPREFIX="${ZR_WINEPREFIX32:-$HOME/.cache/zr-wine32}" WINEARCH=win32
        ZR_WINE="$ZR_TOP/cmake/wine32-run.sh"; ZR_WINESERVER=/usr/lib/wine/wineserver
    else
        export WINEPREFIX="${ZR_WINEPREFIX64:-$HOME/.cache/zr-wine64}"
        ZR_WINE="$ZR_TOP/cmake/wine64-run.sh"; ZR_WINESERVER=/usr/lib/wine/wineserver64
    fi
    [ -x "$ZR_WINESERVER" ] || ZR_WINESERVER=/usr/lib/wine/wineserver
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
    if [ -z "${ZR_XVFB_PID:-}" ] && [ -z "${ZR_KEEP_DISPLAY:-}" ]; then
        displayfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
        ZR_XVFB_PID=$!
        for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
        export DISPLAY=":$(cat "$displayfile")"
        rm -f "$displayfile"
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$ZR_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
    newprefix=$([ -f "$WINEPREFIX/system.reg" ] || echo -i)
    timeout 300 "$ZR_WINE" wineboot $newprefix </dev/null >/dev/null 2>&1 || true
    if [ -n "$newprefix" ]; then setup_fonts; fi
    # The first window of a session starts the desktop and RPC helpers,
    # which would otherwise hold the first test's output pipe open.
    probe="$ZR_TOP/build/win$bits/wine_probe.exe"
    if [ -f "$probe" ]; then
        timeout 60 "$ZR_WINE" "$probe" </dev/null >/dev/null 2>&1
        # One window held for the whole session keeps that desktop process
        # alive (see wine_probe.c); wineserver -k ends it with the session.
        "$ZR_WINE" "$probe" --hold </dev/null >/dev/null 2>&1 &
    fi
    return 0
}

# Real font files and the common face names mapped to them, so captions
# and dialogs look the same on every machine.
setup_fonts()
{
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    for f in /usr/share/fonts/truetype/liberation/*.ttf; do [ -f "$f" ] && cp "$f" "$fonts/"; done
    key='HKCU\Software\Wine\Fonts\Replacements'
    for pair in "Arial:Liberation Sans" "Times New Roman:Liberation Serif" "Courier New:Liberation Mono"; do
        timeout 60 "$ZR_WINE" reg add "$key" /v "${pair%%:*}" /d "${pair#*:}" /f </dev/null >/dev/null 2>&1 || true
    done
}

wine_session_stop()
{
    [ -n "${ZR_WINESERVER:-}" ] && "$ZR_WINESERVER" -k </dev/null >/dev/null 2>&1
    if [ -n "${ZR_XVFB_PID:-}" ]; then kill "$ZR_XVFB_PID" 2>/dev/null; wait "$ZR_XVFB_PID" 2>/dev/null; fi
    ZR_XVFB_PID=
    return 0
}
