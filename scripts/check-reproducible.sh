#!/usr/bin/env bash
# Builds the program as it ships (i686) twice, each time from a fresh copy of
# the committed tree in a folder of its own (different names, different
# depths), and compares the program and its engine byte for byte.
# Prints each image's SHA-256 from both builds and, where they differ, the
# first differing offsets; exits non-zero on any difference. Two clean builds
# of the 106 MB program take minutes, so scripts/test.sh does not run it.
# Usage: bash scripts/check-reproducible.sh [CMAKE-OPTION...]
#   (-DPACKS_ARCHIVE_DIR=<folder> checks a build with the real packs)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
setup_once

commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain)" ] ||
    echo "check-reproducible: uncommitted changes are left out: this builds the commit ${commit:0:12}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trees=("$work/one" "$work/second/tree")

for tree in "${trees[@]}"; do
    mkdir -p "$tree"
    git archive "$commit" | tar -x -C "$tree"
    echo "check-reproducible: building ${commit:0:12} in $tree"
    cmake -S "$tree" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-i686.cmake" "$@" >/dev/null
    cmake --build "$tree/build" --target skin_pack_tool skinh_el >/dev/null
    . "$tree/build/build_paths.sh"
    images=("${built_program#"$tree/build/"}" "${built_engine#"$tree/build/"}")
done

# compare FIRST SECOND: the first differing offsets (at most 10), if any.
compare() {
    python3 - "$1" "$2" <<'EOF'
import sys
a, b = (open(p, "rb").read() for p in sys.argv[1:3])
if len(a) != len(b):
    print(f"  sizes differ: {len(a)} and {len(b)} bytes")
shown, chunk = 0, 1 << 20
for start in range(0, min(len(a), len(b)), chunk):
    if shown == 10:
        break
    if a[start:start + chunk] == b[start:start + chunk]:
        continue
    for i in range(start, min(start + chunk, len(a), len(b))):
        if a[i] != b[i] and shown < 10:
            print(f"  offset {i:#010x}: {a[i]:02x} / {b[i]:02x}")
            shown += 1
sys.exit(1 if a != b else 0)
EOF
}

status=0
for image in "${images[@]}"; do
    first=${trees[0]}/build/$image second=${trees[1]}/build/$image
    echo "$(sha256sum "$first" | cut -d' ' -f1)  $image (first build)"
    echo "$(sha256sum "$second" | cut -d' ' -f1)  $image (second build)"
    if compare "$first" "$second"; then
        echo "  identical, $(stat -c %s "$first") bytes"
    else
        status=1
    fi
done
if [ $status -eq 0 ]; then
    echo "check-reproducible: both builds of ${commit:0:12} are identical bit for bit"
else
    echo "check-reproducible: the two builds of ${commit:0:12} differ"
fi
exit $status
