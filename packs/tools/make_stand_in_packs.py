#!/usr/bin/env python3
"""Makes the stand-in pack archives from the catalogue.

The real packs hold copyrighted game files, so the build makes stand-ins that
match the catalogue exactly: size to the byte, entry counts, folder spellings,
GBK entry names without the UTF-8 flag, the one archive comment, the nested
packs with their inner archives. The content is synthetic. The bytes are the
same on every run: fixed timestamps, a seed per archive, no host metadata.

Usage: make_stand_in_packs.py CATALOGUE_DIR OUTPUT_DIR [NUMBER ...]
writes OUTPUT_DIR/NN.zip for every entry (or the numbers given).
"""
from __future__ import annotations

import calendar
import io
import pathlib
import random
import struct
import sys
import zipfile

import pack_catalogue

# A local and a central header without name and extra, and the end record.
LOCAL_HEADER = 30
CENTRAL_HEADER = 46
END_RECORD = 22

# Game folders below a champion's folder, and below the sound folder.
CHARACTER_SUBFOLDERS = ["Skins", "Skins/Base", "Skins/Skin01", "Animations", "Particles",
                        "Info", "HUD", "HUD/Icons2D", "Skins/Skin02", "Skins/Skin03"]
SOUND_SUBFOLDERS = ["sfx", "vo", "sfx/Characters", "vo/zh_CN", "vo/zh_CN/Characters",
                    "sfx/Characters/Skins", "vo/zh_CN/Characters/Skins"]
PARTICLE_SUBFOLDERS = ["Textures", "Meshes"]


class GbkZipInfo(zipfile.ZipInfo):
    """Entry names in GBK and never flagged as UTF-8, as the archivers of the
    game's Chinese edition store them."""

    def _encodeFilenameFlags(self):  # zipfile's hook for the stored name
        return self.filename.encode(pack_catalogue.CODEC), self.flag_bits & ~0x800


def entry_info(name: str, date, compress_type: int, extra: bytes = b"") -> GbkZipInfo:
    info = GbkZipInfo(name, date_time=(date.year, date.month, date.day, 12, 0, 0))
    info.compress_type = compress_type
    info.create_system = 0  # written on Windows: FAT attributes
    info.external_attr = 0x10 if name.endswith("/") else 0x20
    info.extra = extra
    return info


def subfolder_names(top: str) -> list[str]:
    last = top.rsplit("/", 1)[-1].lower()
    if last == "wwise":
        base = SOUND_SUBFOLDERS
    elif last == "particles":
        base = PARTICLE_SUBFOLDERS
    else:
        base = CHARACTER_SUBFOLDERS + [f"Skins/Skin{n:02d}" for n in range(4, 40)]
    return [f"{top}/{s}" for s in base]


def folder_plan(layout: pack_catalogue.ArchiveLayout) -> tuple[list[str], list[str]]:
    """The folders that get an entry (as many as the catalogue says), and the
    folders that hold files."""
    tops = list(layout.replaces)
    ancestors = []
    for top in tops:
        parts = top.split("/")
        for depth in range(1, len(parts)):
            a = "/".join(parts[:depth])
            if a not in ancestors and a not in tops:
                ancestors.append(a)
    # Subfolders taken round-robin, so each game folder gets some.
    lists = [subfolder_names(t) for t in tops]
    subs = [s for group in zip(*[l + [None] * (40 - len(l)) for l in lists]) for s in group if s]
    candidates = tops + ancestors + subs
    if len(candidates) < layout.folders:
        raise ValueError(f"{layout.name}: cannot make {layout.folders} folders")
    with_entry = set(candidates[:layout.folders])
    holding = tops + [s for s in subs if s in with_entry]
    order = sorted(with_entry, key=lambda f: [p.lower() for p in f.split("/")])
    return [f + "/" for f in order], holding


def file_kind(folder: str, rng: random.Random) -> tuple[str, int]:
    """An extension and how it is stored: sound banks and textures are stored,
    the rest deflated, as the game's own archives do."""
    low = folder.lower()
    if "wwise" in low:
        return rng.choice([(".bnk", zipfile.ZIP_STORED), (".wpk", zipfile.ZIP_STORED)])
    if low.endswith("animations"):
        return ".anm", zipfile.ZIP_DEFLATED
    return rng.choice([(".dds", zipfile.ZIP_STORED), (".skn", zipfile.ZIP_DEFLATED),
                       (".skl", zipfile.ZIP_DEFLATED), (".inibin", zipfile.ZIP_DEFLATED),
                       (".troybin", zipfile.ZIP_DEFLATED), (".dds", zipfile.ZIP_STORED)])


def compressible(rng: random.Random, size: int) -> bytes:
    # Like the game's vertex and key-frame tables: noise in every other byte.
    data = bytearray(size)
    data[0::2] = rng.randbytes(len(range(0, size, 2)))
    return bytes(data)


def author_note_text(name: str) -> bytes:
    lines = [name.rsplit(".", 1)[0], "把压缩包放到英雄联盟的Game目录下,",
             "再把压缩包的文件名加到Game\\ClientZips.txt的最后一行。", "仅供学习交流。"]
    return "\r\n".join(lines).encode(pack_catalogue.CODEC)


def build_plain(layout, date, seed: str, author_note=None, comment=None) -> bytes:
    """An archive of game-file stand-ins, padded to its exact size by its last
    (stored) file."""
    rng = random.Random(seed)
    folder_entries, holding = folder_plan(layout)
    comment_bytes = comment.encode(pack_catalogue.CODEC) if comment else b""

    files: list[tuple[str, int, bytes]] = []
    if author_note:
        files.append((author_note, zipfile.ZIP_DEFLATED, author_note_text(author_note)))
    count = layout.files - len(files) - 1
    # Stored files take about 80 % of the archive, deflated ones about 8 %;
    # the padding file takes what is left.
    budget = layout.size - layout.files * 200 - len(folder_entries) * 150
    kinds = []
    for i in range(count):
        folder = holding[i % len(holding)]
        ext, method = file_kind(folder, rng)
        champion = folder.split("/")[2] if folder.count("/") >= 2 else folder.split("/")[-1]
        kinds.append((f"{folder}/{champion}_{i:03d}{ext}", method, rng.lognormvariate(0, 1)))
    stored_weight = sum(w for _, m, w in kinds if m == zipfile.ZIP_STORED) or 1
    deflated_weight = sum(w for _, m, w in kinds if m == zipfile.ZIP_DEFLATED) or 1
    for name, method, weight in kinds:
        if method == zipfile.ZIP_STORED:
            files.append((name, method, rng.randbytes(int(budget * 0.80 * weight / stored_weight))))
        else:
            raw = int(budget * 0.08 / 0.6 * weight / deflated_weight)
            files.append((name, method, compressible(rng, raw)))
    pad_folder = holding[0]
    pad_name = f"{pad_folder}/{pad_folder.rsplit('/', 1)[-1]}_loadscreen.dds"

    def write(pad: bytes) -> bytes:
        out = io.BytesIO()
        with zipfile.ZipFile(out, "w") as z:
            for folder in folder_entries:
                z.writestr(entry_info(folder, date, zipfile.ZIP_STORED), b"")
            for name, method, data in files:
                z.writestr(entry_info(name, date, method), data)
            z.writestr(entry_info(pad_name, date, zipfile.ZIP_STORED), pad)
            z.comment = comment_bytes
        return out.getvalue()

    pad = layout.size - len(write(b""))
    if pad < 0:
        raise ValueError(f"{layout.name}: content exceeds the catalogue size by {-pad} bytes")
    data = write(rng.randbytes(pad))
    assert len(data) == layout.size, layout.name
    return data


def ntfs_times(date) -> bytes:
    """The NTFS time stamps extra field (0x000A) Windows archivers write."""
    ticks = (int(calendar.timegm(date.timetuple())) + 11644473600) * 10_000_000
    return struct.pack("<HHIHH3Q", 0x000A, 32, 0, 1, 24, ticks, ticks, ticks)


def unix_time(date) -> bytes:
    """The extended timestamp extra field (0x5455), modification time only."""
    seconds = int(calendar.timegm(date.timetuple()))
    return struct.pack("<HHBI", 0x5455, 5, 1, seconds)


def build_nested(entry: pack_catalogue.Entry) -> bytes:
    """An archive of archives, all stored. The outer size is fixed by the
    catalogue, so the entries carry whichever standard time stamp extra field
    makes the headers come out exact."""
    names = [f"{i.folder}/{i.layout.name}" for i in entry.inner]
    inner = [build_plain(i.layout, entry.date, f"{entry.number}/{i.layout.name}")
             for i in entry.inner]
    header_bytes = entry.layout.size - sum(map(len, inner)) - END_RECORD
    fixed = sum(LOCAL_HEADER + CENTRAL_HEADER + 2 * len(n.encode(pack_catalogue.CODEC))
                for n in names)
    extra_total = header_bytes - fixed
    for extra in (b"", ntfs_times(entry.date), unix_time(entry.date)):
        if 2 * len(extra) * len(names) == extra_total:
            break
    else:
        raise ValueError(f"{entry.pack_file_name}: no extra field fits {extra_total} header bytes")
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as z:
        for name, data in zip(names, inner):
            z.writestr(entry_info(name, entry.date, zipfile.ZIP_STORED, extra), data)
    data = out.getvalue()
    assert len(data) == entry.layout.size, entry.pack_file_name
    return data


def build(entry: pack_catalogue.Entry) -> bytes:
    if entry.nested:
        return build_nested(entry)
    return build_plain(entry.layout, entry.date, f"{entry.number}/{entry.pack_file_name}",
                       entry.author_note, entry.comment)


def write_if_changed(path: pathlib.Path, data: bytes) -> None:
    # Same bytes keep their time stamp: the build (restat) then skips
    # re-embedding and relinking 106 MB after an edit that changed nothing.
    if path.exists() and path.stat().st_size == len(data) and path.read_bytes() == data:
        return
    path.write_bytes(data)


def main(argv: list[str]) -> int:
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    entries = pack_catalogue.read_catalogue(pathlib.Path(argv[1]))
    out = pathlib.Path(argv[2])
    out.mkdir(parents=True, exist_ok=True)
    wanted = {int(n) for n in argv[3:]} or {e.number for e in entries}
    for entry in entries:
        if entry.number in wanted:
            write_if_changed(out / f"{entry.number:02d}.zip", build(entry))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
