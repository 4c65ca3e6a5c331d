#!/usr/bin/env python3
"""Checks generated stand-in archives against the catalogue: what the game and
the program rely on, read back with an independent ZIP reader.

Usage: check_stand_in_packs.py CATALOGUE_DIR ARCHIVE_DIR
"""
from __future__ import annotations

import io
import pathlib
import sys
import zipfile

import pack_catalogue

UTF8_FLAG = 0x800


def check_layout(where: str, data: bytes, layout, comment: bytes = b"") -> list[str]:
    faults = []
    if len(data) != layout.size:
        faults.append(f"{where}: {len(data)} bytes, catalogue says {layout.size}")
    if not data.startswith(b"PK\x03\x04"):
        faults.append(f"{where}: does not begin with a local file header")
    with zipfile.ZipFile(io.BytesIO(data)) as z:
        bad = z.testzip()
        if bad:
            faults.append(f"{where}: CRC error in {bad}")
        infos = z.infolist()
        folders = [i for i in infos if i.is_dir()]
        if (len(infos) - len(folders), len(folders)) != (layout.files, layout.folders):
            faults.append(f"{where}: {len(infos) - len(folders)} files + {len(folders)} folders, "
                          f"catalogue says {layout.files} + {layout.folders}")
        if any(i.flag_bits & UTF8_FLAG for i in infos):
            faults.append(f"{where}: an entry name is flagged UTF-8")
        if z.comment != comment:
            faults.append(f"{where}: archive comment {z.comment!r}, expected {comment!r}")
        # Without the UTF-8 flag zipfile reads names as code page 437.
        names = [i.filename.encode("cp437").decode(pack_catalogue.CODEC) for i in infos]
        for name in names:
            inside = any(name.startswith(top + "/") or (top + "/").startswith(name)
                         for top in layout.replaces)
            if "/" in name and not inside:
                faults.append(f"{where}: {name} lies outside {layout.replaces}")
        if any(i.compress_type not in (zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED) for i in infos):
            faults.append(f"{where}: an entry is neither stored nor deflated")
    return faults


def check_entry(entry: pack_catalogue.Entry, data: bytes) -> list[str]:
    where = f"{entry.number:02d}.zip ({entry.pack_file_name})"
    comment = entry.comment.encode(pack_catalogue.CODEC) if entry.comment else b""
    if entry.number == 8 and len(comment) != 56:
        return [f"{where}: the comment must be 56 bytes"]
    if not entry.nested:
        return check_layout(where, data, entry.layout, comment)

    faults = []
    if len(data) != entry.layout.size:
        faults.append(f"{where}: {len(data)} bytes, catalogue says {entry.layout.size}")
    with zipfile.ZipFile(io.BytesIO(data)) as z:
        infos = z.infolist()
        if len(infos) != len(entry.inner):
            faults.append(f"{where}: {len(infos)} entries, expected {len(entry.inner)}")
        for info, inner in zip(infos, entry.inner):
            name = info.filename.encode("cp437").decode(pack_catalogue.CODEC)
            if name != f"{inner.folder}/{inner.layout.name}":
                faults.append(f"{where}: entry {name!r} is not {inner.layout.name!r}")
            if info.compress_type != zipfile.ZIP_STORED:
                faults.append(f"{where}: {name} is not stored")
            faults += check_layout(f"{where}/{name}", z.read(info), inner.layout)
    return faults


def main(argv: list[str]) -> int:
    entries = pack_catalogue.read_catalogue(pathlib.Path(argv[1]))
    archives = pathlib.Path(argv[2])
    faults = []
    total = 0
    for entry in entries:
        data = (archives / f"{entry.number:02d}.zip").read_bytes()
        total += len(data)
        faults += check_entry(entry, data)
    if total != 106_153_006:
        faults.append(f"the archives total {total} bytes, not 106,153,006")
    for fault in faults:
        print(fault)
    print(f"{len(entries)} archives checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
