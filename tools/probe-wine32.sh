#!/bin/sh
# Can this machine run 32-bit Wine? Many kernels here refuse 32-bit
# programs outright, so ask the kernel first with a tiny 32-bit program,
# then look for the 32-bit Wine loader. Prints the reason and exits 1 when
# it cannot. (The test run then checks with a real 32-bit Windows program.)
# usage: probe-wine32.sh [--kernel-only]
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 "$(dirname "$0")/elf32_exit.py" "$dir/exit42"
chmod +x "$dir/exit42"
"$dir/exit42" 2>/dev/null
if [ $? -ne 42 ]; then
    echo "this kernel cannot execute 32-bit programs"
    exit 1
fi
[ "${1:-}" = --kernel-only ] && { echo "this kernel runs 32-bit programs"; exit 0; }
if [ ! -x /usr/lib/wine/wine ]; then
    echo "32-bit Wine (wine32:i386) is not installed"
    exit 1
fi
echo "32-bit Wine works"
