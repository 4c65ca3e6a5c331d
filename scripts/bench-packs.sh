#!/usr/bin/env bash
# Prints the figures of the pack embedding and apply path (nothing asserted):
#   the time of each embedding step in a clean build of them (making the
#   stand-in archives, assembling them into the object, linking the 106 MB
#   executable), then packs_bench under Wine: apply of the largest pack
#   against CopyFileA;
#   the shipped program's size beyond its payload, and its engine's size,
#   from build/app/skin_pack_tool.exe and build/engine/SkinH_EL.dll (the
#   32-bit build, always, since that is what ships).
# Runs the 32-bit build where the host runs 32-bit code natively, the 64-bit one
# otherwise; every line names it.
# Usage: bash scripts/bench-packs.sh   (after scripts/test.sh, or on its own)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
# Everything the steps need but the steps themselves.
build_runnable runtime packs_bench_code >/dev/null

seconds() { awk -v s="$1" -v e="$(date +%s%N)" 'BEGIN { printf "%.2f", (e - s) / 1e9 }'; }
# Fresh archives make every step below do its whole work: the assembly
# depends on them, the library and the executable on the assembly.
rm -rf "$built_archive_dir"

{
    start=$(date +%s%N)
    cmake --build "$build" --target packs_data >/dev/null
    made=$(seconds "$start")
    archives=("$built_archive_dir"/*.zip)
    echo "embed step, making the ${#archives[@]} stand-in archives ($(cat "${archives[@]}" | wc -c) bytes): $made s"
    start=$(date +%s%N)
    cmake --build "$build" --target packs_byte_sets >/dev/null
    echo "embed step, assembling them into one object (.incbin):           $(seconds "$start") s"
    start=$(date +%s%N)
    cmake --build "$build" --target packs_bench >/dev/null
    echo "embed step, linking the executable:                              $(seconds "$start") s"

    start_wine_session "$arch"
    wine "$built_packs_bench"
} | figures "$arch"

build_project_for i686 shipped_sizes | grep -E '^(program|engine):' | figures i686
