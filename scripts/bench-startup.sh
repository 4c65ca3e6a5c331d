#!/usr/bin/env bash
# Start-up benchmark: the program with its 100 MB of packs against the same
# program built with empty packs, under Wine on a private Xvfb. Prints medians
# of interleaved runs and their ratios. Usage: bash scripts/bench-startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
build=$root/build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" --target startup_bench skin_pack_tool skin_pack_tool_empty_packs

export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh
wine_prefix_ready

exec 8>"$build/bench-xvfb.display"
Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$build/bench-xvfb.display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$build/bench-xvfb.display")
exec 8>&-
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
wine "$build/app/bench/startup_bench.exe" \
    "$(windows_path "$build/app/skin_pack_tool.exe")" \
    "$(windows_path "$build/app/bench/skin_pack_tool_empty_packs.exe")" "${1:-5}" 2>/dev/null
