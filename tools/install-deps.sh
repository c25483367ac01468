#!/bin/sh
# Installs what the build and the tests need, only when something is missing,
# so a warm `make test` stays fast and works offline.
set -e
PKGS="cmake make g++ python3 googletest libbenchmark-dev clang libclang-rt-14-dev \
 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 \
 wine64 xvfb fonts-wine fonts-liberation netpbm imagemagick cups printer-driver-cups-pdf poppler-utils"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

missing_of() {
    for p in "$@"; do
        [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || printf ' %s' "$p"
    done
}

missing=$(missing_of $PKGS)
if [ -n "$missing" ]; then
    echo "installing:$missing"
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi

# 32-bit Wine, only where the kernel runs 32-bit programs at all. Optional:
# without it the 32-bit tests are skipped, and the build goes on.
# 32-bit Wine reaches CUPS's printers through the 32-bit libcups.
if sh "$(dirname "$0")/probe-wine32.sh" --kernel-only >/dev/null 2>&1 &&
    [ -n "$(missing_of wine32:i386 libcups2:i386)" ]; then
    echo "installing:$(missing_of wine32:i386 libcups2:i386)"
    { $SUDO dpkg --add-architecture i386 && $SUDO apt-get update -q &&
      $SUDO apt-get install -y -q --no-install-recommends wine32:i386 libcups2:i386; } ||
        echo "32-bit Wine could not be installed; the 32-bit tests will be skipped"
fi
exit 0
