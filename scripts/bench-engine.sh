#!/usr/bin/env bash
# Prints the window engine's figures (nothing asserted): the attach call
# against a plain decode of the same theme, one window server round trip and
# attach counted in them, and the main window's repaint themed against
# unthemed. Runs are as noisy as the machine: compare lines of one run. Each
# line names the build it ran (32-bit where the host runs 32-bit code
# natively, never through emulation).
# Usage: bash scripts/bench-engine.sh [runs]   (builds what it needs first)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_runnable engine_bench skinh_el >/dev/null

start_wine_session "$arch"

for _ in $(seq "${1:-1}"); do
    wine "$built_engine_bench" 2>/dev/null
done | figures "$arch"
