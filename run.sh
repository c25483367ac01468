#!/bin/sh
# The two commands of a fresh machine, which has no make and no compiler yet:
#   ./run.sh test    install what is missing, build everything, run every test
#   ./run.sh demo    install what is missing, build, render frames into the viewer
# Any other make target works too (./run.sh bench). Once installed, make
# itself runs the same targets.
set -e
cd "$(dirname "$0")"
[ $# -gt 0 ] || { echo "usage: ./run.sh test | demo | bench | TARGET..." >&2; exit 2; }
sh tools/install-deps.sh
exec make "$@"
