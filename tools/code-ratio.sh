#!/bin/sh
# Non-blank lines of C, C++, Python and shell files under tests/ against
# those under src/, tools/ and bench/: the tests' share of the code, which
# should stay at most 0.50 (a quarter to a third of all of it).
cd "$(dirname "$0")/.."
count() {
    find "$@" -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' \) \
        -exec cat {} + | grep -c '[^[:space:]]'
}
tests=$(count tests)
code=$(count src tools bench)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "CODE RATIO tests %d / src+tools+bench %d = %.2f (at most 0.50)\n", t, c, t / c }'
