#!/bin/sh
# Every test: native unit tests, the DLL checks, and the Wine tests of the
# 64-bit build (and of the 32-bit build where this machine can run it).
set -u
. "$(dirname "$0")/wine-session.sh"
. "$(dirname "$0")/print-session.sh"
cd "$ZR_TOP"
failed=0
step() { echo "== $*"; }

step "include layers"
python3 tools/check-layers.py --self-test && python3 tools/check-layers.py || failed=1

step "native unit tests"
ctest --test-dir build/native --output-on-failure -j2 || failed=1

step "native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 build/native-asan/core_tests --gtest_brief=1 || failed=1

step "fuzzing the settings reader (${ZR_FUZZ_SECONDS:-20} s)"
corpus=build/fuzz/corpus
mkdir -p "$corpus"
build/fuzz/settings_fuzz -max_total_time="${ZR_FUZZ_SECONDS:-20}" -print_final_stats=0 \
    "$corpus" tests/fuzz/corpus >build/fuzz/last-run.log 2>&1 || { tail -40 build/fuzz/last-run.log; failed=1; }
grep -E '^Done|^#[0-9]+ *DONE' build/fuzz/last-run.log | tail -1

step "independent readers: netpbm for IFF, ImageMagick for BMP"
sh tests/readers/check_readers.sh build/native/write_samples || failed=1

step "benchmarks, one short run without thresholds"
build/native/display_bench --benchmark_min_time=0.05 2>/dev/null | grep '^RATIO' || failed=1

step "DLL exports, imports and machine types"
sh tools/check-dlls.sh build/win64/zr40.p build/win32/zr40.p || failed=1

step "Wine tests, 64-bit build"
trap 'wine_session_stop; print_session_stop' EXIT INT TERM
# Printing goes to CUPS's PDF printers, whose documents the tests read.
if print_session_start; then export ZR_PDF_DIR="$HOME/PDF"; else failed=1; fi
wine_session_start 64
ctest --test-dir build/win64 --output-on-failure -j2 || failed=1
wine_session_stop

if reason=$(sh tools/probe-wine32.sh 2>&1); then
    wine_session_start 32
    if [ "$(timeout 120 "$ZR_WINE" build/win32/wine_probe.exe </dev/null 2>/dev/null | tr -d '\r')" = wine32-ok ]; then
        step "Wine tests, 32-bit build"
        ctest --test-dir build/win32 --output-on-failure -j2 || failed=1
    else
        echo "== 32-bit Wine tests skipped: 32-bit Wine does not run a 32-bit program here"
    fi
    wine_session_stop
else
    echo "== 32-bit Wine tests skipped: $reason"
fi

sh tools/code-ratio.sh
[ $failed -eq 0 ] && echo "ALL TESTS PASSED" || echo "SOME TESTS FAILED"
exit $failed
