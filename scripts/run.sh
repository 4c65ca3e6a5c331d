#!/usr/bin/env bash
# Builds everything and starts the program under Wine. Usage: bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
build=$root/build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build"
export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh
wine_prefix_ready
# The window does not exist yet: run the runtime's own test program. It shows
# and answers message boxes, so it needs a display: a private one when there
# is none.
if [ -n "${DISPLAY:-}" ]; then
    wine "$build/runtime/runtime_tests.exe"
else
    xvfb-run -a wine "$build/runtime/runtime_tests.exe"
fi
