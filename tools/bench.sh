#!/bin/sh
# make bench: the display pipeline natively against its memory-traffic
# baseline, then frames into a visible viewer under Wine against the
# native rebuild of the same frame. Ends with the RATIO lines.
set -u
. "$(dirname "$0")/wine-session.sh"
cd "$ZR_TOP"
out=build/native/bench.txt
ppm=build/native/iff_1920x1080.ppm
ZR_IFF_PPM=$ppm build/native/display_bench --benchmark_min_time="${BENCH_MIN_TIME:-0.2}" \
    --benchmark_repetitions="${BENCH_REPETITIONS:-5}" --benchmark_report_aggregates_only=true | tee "$out" |
    grep -v '^\(TIME\|RATIO\)'
rebuild=$(sed -n 's/^TIME rebuild_spheres_1920x1080 //p' "$out")
trap 'wine_session_stop' EXIT INT TERM
wine_session_start 64
timeout 300 "$ZR_WINE" build/win64/zrhost.exe --plugin build/win64/zr40.p --size 1920x1080 \
    --ingest-timing "${INGEST_FRAMES:-40}" </dev/null | tr -d '\r' >build/native/ingest.txt
ingest=$(sed -n 's/^INGEST 1920x1080 \([0-9.]*\) ms.*/\1/p' build/native/ingest.txt)
# netpbm's encoder on the same pixels: its time on the frame less its time
# on a 1 x 1 picture, so that starting the program does not count; the
# median of five runs of each, in milliseconds.
median_ms() {
    for run in 1 2 3 4 5; do
        start=$(date +%s%N)
        ppmtoilbm -compress "$1" >/dev/null 2>&1
        echo $(( ($(date +%s%N) - start) / 1000 ))
    done | sort -n | sed -n 3p | awk '{ printf "%.3f", $1 / 1000 }'
}
printf 'P6\n1 1\n255\n\000\000\000' >build/native/iff_1x1.ppm
iff_ours=$(sed -n 's/^TIME iff_encode_1920x1080 //p' "$out")
iff_netpbm=$(awk -v a="$(median_ms "$ppm")" -v b="$(median_ms build/native/iff_1x1.ppm)" 'BEGIN { printf "%.3f", a - b }')
echo
grep '^RATIO' "$out"
echo "IFF 1920x1080: ours $iff_ours ms in process, ppmtoilbm -compress $iff_netpbm ms (its run on the frame less its run on 1 x 1)"
awk -v a="$iff_ours" -v b="$iff_netpbm" 'BEGIN { if (b > 0) printf "RATIO iff_encode_1920x1080 %.2f\n", a / b }'
if [ -n "$ingest" ] && [ -n "$rebuild" ]; then
    echo "INGEST 1920x1080 under Wine: $ingest ms per frame once the ten slots are full; native rebuild of the same frame: $rebuild ms"
    sed -n 's/^INGEST PARTS /INGEST 1920x1080 parts: /p' build/native/ingest.txt
    awk -v a="$ingest" -v b="$rebuild" 'BEGIN { printf "RATIO ingest_1920x1080 %.2f\n", a / b }'
else
    echo "RATIO ingest_1920x1080 unavailable (no timing from Wine)"
    exit 1
fi
