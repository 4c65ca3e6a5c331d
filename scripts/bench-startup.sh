#!/usr/bin/env bash
# Start-up benchmark: the program with its 100 MB of packs against the same
# program built with empty packs, under Wine on a private Xvfb. Prints medians
# of interleaved runs and their ratios, each line naming the build it ran (the
# 32-bit one where the host runs 32-bit code natively, the 64-bit one otherwise). Given
# a DPI (144 for 150 %), also the start to the main window on a screen of that
# DPI against 96, in the same run.
# Usage: bash scripts/bench-startup.sh [runs [dpi]]
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_runnable startup_bench skin_pack_tool skin_pack_tool_empty_packs

start_wine_session "$arch"

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
wine "$built_startup_bench" \
    "$(windows_path "$built_program")" "$(windows_path "$built_empty_packs_program")" "${1:-5}" ${2:+"$2"} 2>/dev/null | figures "$arch"
