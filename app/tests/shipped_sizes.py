#!/usr/bin/env python3
"""The size figures of the images that ship, taken from the files themselves:
the program's size beyond its packs (their archives and manifests, the payload
it exists to carry) and the engine's size, each with its target.
check_image.py asserts the engine's limit; scripts/bench-packs.sh prints both.

Usage: shipped_sizes.py ARCH PROGRAM ENGINE PACK-FILES ("|" between them)
"""
import os
import sys

# The engine's budget (the program carries it and writes it beside itself on
# a first start): 88,576 bytes on i686, a tenth more on x86_64 (wider code,
# and the unwind tables that 64-bit Windows needs).
ENGINE_LIMITS = {"i686": 88576, "x86_64": 88576 * 11 // 10}
OVERHEAD_TARGET = 0.35  # MB: the program's code, resources, themes and engine copy
MB = 1000 * 1000


def engine_row(arch, engine_path):
    """(within the limit, text) for the engine's file."""
    size, limit = os.path.getsize(engine_path), ENGINE_LIMITS[arch]
    return size <= limit, f"engine: {size:,} bytes, at most {limit:,} ({arch})"


def overhead_line(program_path, pack_files):
    size = os.path.getsize(program_path)
    payload = sum(os.path.getsize(path) for path in pack_files)
    overhead = size - payload
    return (f"program: {size:,} bytes, its packs {payload:,}, overhead {overhead:,} bytes = "
            f"{overhead / MB:.2f} MB (target <= {OVERHEAD_TARGET} MB)")


def main():
    arch, program_path, engine_path, pack_files = sys.argv[1:5]
    print(overhead_line(program_path, [f for f in pack_files.split("|") if f]))
    print(engine_row(arch, engine_path)[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
