#!/usr/bin/env bash
# Fuzzes the engine's container and theme parser natively with libFuzzer.
# Usage: bash scripts/engine-fuzz.sh [SECONDS [OUTDIR]]
#   SECONDS defaults to 30, OUTDIR to build/engine-fuzz. Builds into OUTDIR, seeds the corpus with the 33 themes, and
# fails when the fuzzer finds a crash (the input is kept there as crash-*).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-30}
out=$(realpath -m "${2:-$root/build/engine-fuzz}")
mkdir -p "$out/corpus" "$out/objects"

sources=(engine/core/container.cpp engine/core/theme_content.cpp engine/core/load_theme.cpp
         engine/fuzz/fuzz_theme.cpp)
flags=(-O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
# The sanitized build takes longer than a short run: redo it only when a source changed.
stale() {
    local file
    [ -x "$out/fuzz_theme" ] || return 0
    for file in "${sources[@]}" engine/core/*.h "$0"; do
        [ "$file" -nt "$out/fuzz_theme" ] && return 0
    done
    return 1
}
if stale; then
    clang-14 "${flags[@]/-fsanitize=fuzzer,/-fsanitize=fuzzer-no-link,}" -w -I/usr/include/lzma \
        -c /usr/include/lzma/LzmaDec.c -o "$out/objects/LzmaDec.o"
    clang++-14 -std=c++20 "${flags[@]}" -I"$root" -isystem /usr/include/lzma \
        "${sources[@]}" "$out/objects/LzmaDec.o" -o "$out/fuzz_theme"
fi

for source in engine/themes/*.theme; do
    name=$(basename "$source" .theme)
    [ -f "$out/corpus/$name.she" ] || python3 engine/tools/theme_tool.py compile "$source" "$out/corpus/$name.she"
done

cd "$out"
./fuzz_theme -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 corpus 2>&1 | tail -n 12
