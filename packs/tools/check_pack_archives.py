#!/usr/bin/env python3
"""Checks a folder of real pack archives before the build embeds them.

Each archive must lie in the folder under its pack file name (UTF-8 on this
file system), have the catalogue's size to the byte, and end with a ZIP
end-of-central-directory record. A wrong archive would be written into the
game folder as it is, so any mismatch stops the build, naming the file.

Usage: check_pack_archives.py CATALOGUE_DIR ARCHIVE_DIR --list
           prints the archive paths, one a line, in catalogue order
       check_pack_archives.py CATALOGUE_DIR ARCHIVE_DIR --stamp FILE
           checks, and writes FILE when all is well
"""
from __future__ import annotations

import pathlib
import sys

import pack_catalogue

END_RECORD = b"PK\x05\x06"
END_RECORD_SIZE = 22
MAX_COMMENT = 0xFFFF


def has_end_record(path: pathlib.Path, size: int) -> bool:
    # The record is the last 22 bytes plus a comment of at most 64 KiB, and its
    # comment length must reach exactly to the end of the file.
    tail_size = min(size, END_RECORD_SIZE + MAX_COMMENT)
    with path.open("rb") as f:
        f.seek(size - tail_size)
        tail = f.read(tail_size)
    at = tail.rfind(END_RECORD)
    while at >= 0:
        if at + END_RECORD_SIZE <= len(tail):
            comment = int.from_bytes(tail[at + 20:at + 22], "little")
            if at + END_RECORD_SIZE + comment == len(tail):
                return True
        at = tail.rfind(END_RECORD, 0, at)
    return False


def fault(entry, path: pathlib.Path) -> str | None:
    if not path.is_file():
        return f"pack archive {path} of entry {entry.number} is missing"
    size = path.stat().st_size
    if size != entry.layout.size:
        return (f"pack archive {path} of entry {entry.number} has {size} bytes; "
                f"the catalogue says {entry.layout.size}")
    if not has_end_record(path, size):
        return f"pack archive {path} of entry {entry.number} is not a ZIP archive (no end record)"
    return None


def main(argv: list[str]) -> int:
    if len(argv) < 4 or argv[3] not in ("--list", "--stamp"):
        print(__doc__, file=sys.stderr)
        return 2
    entries = pack_catalogue.read_catalogue(pathlib.Path(argv[1]))
    folder = pathlib.Path(argv[2]).resolve()
    paths = [folder / e.pack_file_name for e in entries]
    if argv[3] == "--list":
        print("\n".join(str(p) for p in paths))
        return 0
    faults = [f for f in (fault(e, p) for e, p in zip(entries, paths)) if f]
    for f in faults:
        print(f"error: {f}", file=sys.stderr)
    if faults:
        # No stamp of an earlier check may let the build go on.
        pathlib.Path(argv[4]).unlink(missing_ok=True)
        return 1
    stamp = pathlib.Path(argv[4])
    stamp.parent.mkdir(parents=True, exist_ok=True)
    stamp.write_text("checked\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
