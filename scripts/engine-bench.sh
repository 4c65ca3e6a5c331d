#!/usr/bin/env bash
# Prints the window engine's figures (nothing asserted): the attach call
# against a plain decode of the same theme, one window server round trip and
# attach counted in them, and the main window's repaint themed against
# unthemed. Runs are as noisy as the machine: compare lines of one run.
# Usage: bash scripts/engine-bench.sh [runs]   (builds what it needs first)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_project engine_bench skinh_el >/dev/null

export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh
wine_prefix_ready

start_private_display
keep_wineserver_up
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

for _ in $(seq "${1:-1}"); do
    wine "$build/engine/engine_bench.exe" 2>/dev/null
done
