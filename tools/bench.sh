#!/bin/sh
# make bench: the display pipeline natively against its memory-traffic
# baseline, then frames into a visible viewer under Wine against the
# native rebuild of the same frame. Ends with the RATIO lines.
set -u
. "$(dirname "$0")/wine-session.sh"
cd "$ZR_TOP"
out=build/native/bench.txt
build/native/display_bench --benchmark_min_time="${BENCH_MIN_TIME:-0.5}" | tee "$out" | grep -v '^\(TIME\|RATIO\)'
rebuild=$(sed -n 's/^TIME rebuild_spheres_1920x1080 //p' "$out")
trap 'wine_session_stop' EXIT INT TERM
wine_session_start 64
ingest=$(timeout 300 "$ZR_WINE" build/win64/zrhost.exe --plugin build/win64/zr40.p --size 1920x1080 \
    --ingest-timing "${INGEST_FRAMES:-30}" </dev/null | tr -d '\r' | sed -n 's/^INGEST 1920x1080 \([0-9.]*\) ms.*/\1/p')
echo
grep '^RATIO' "$out"
if [ -n "$ingest" ] && [ -n "$rebuild" ]; then
    echo "INGEST 1920x1080 under Wine: $ingest ms per frame; native rebuild of the same frame: $rebuild ms"
    awk -v a="$ingest" -v b="$rebuild" 'BEGIN { printf "RATIO ingest_1920x1080 %.2f\n", a / b }'
else
    echo "RATIO ingest_1920x1080 unavailable (no timing from Wine)"
    exit 1
fi
