#!/usr/bin/env bash
# Fuzzes the engine's container and theme parser natively with libFuzzer.
# Usage: bash scripts/engine-fuzz.sh [SECONDS [OUTDIR]]
#   SECONDS defaults to 30, OUTDIR to build/engine-fuzz. Builds the fuzz
#   project (engine/fuzz) into OUTDIR/build, seeds the corpus with the themes,
#   and fails when the fuzzer finds a crash (the input is kept in OUTDIR as
#   crash-*).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-30}
out=$(realpath -m "${2:-$root/build/engine-fuzz}")
mkdir -p "$out/corpus"

# The sanitized build takes longer than a short run: Ninja redoes only what a
# changed source needs.
cmake -S engine/fuzz -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE= \
      -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$out/build"

for source in engine/themes/*.theme; do
    name=$(basename "$source" .theme)
    [ -f "$out/corpus/$name.she" ] || python3 engine/tools/theme_tool.py compile "$source" "$out/corpus/$name.she"
done

cd "$out"
build/fuzz_theme -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 corpus 2>&1 | tail -n 12
