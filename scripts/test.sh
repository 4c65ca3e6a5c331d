#!/usr/bin/env bash
# Builds everything and runs every test. Usage: bash scripts/test.sh
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

# A display of our own for the tests that open windows, whether or not the
# user has one, and one wineserver kept up for the whole run.
exec 8>"$build/xvfb.display"
Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$build/xvfb.display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$build/xvfb.display")
exec 8>&-
# -p fails when a server already runs for this prefix; that one serves as well.
wineserver -p </dev/null >/dev/null 2>&1 || true
# Wine's service processes start with the first program and outlive it; start
# them here, so they don't hold CTest's output pipes open.
wine cmd /c exit </dev/null >/dev/null 2>&1
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

status=0
ctest --test-dir "$build" --output-on-failure || status=$?
exit $status
