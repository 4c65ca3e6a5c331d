"""Reads the pack catalogue (catalogue.tsv, nested.tsv) for the build tools.

The two tables are the one source of the pack file names, labels, pages and
archive layouts: the stand-in archives, the manifests and the program's C++
table are all generated from them.
"""
from __future__ import annotations

import csv
import dataclasses
import datetime
import pathlib

CODEC = "gbk"  # the game's and the program's code page (936)

# The game's own archive list, in its order. "ParticleTextrues" is how the game
# spells its archives.
STOCK_NAMES = [
    "Aatrox.zip", "Azir.zip",
    "CharacterAnimations.zip", "CharacterAnimations1.zip", "CharacterAnimations2.zip",
    "CharacterAnimations3.zip", "CharacterAnimations4.zip",
    "Characters.zip", "CharacterSkins.zip", "CharacterSkins1.zip",
    "CharacterTextures.zip", "CharacterTextures1.zip", "CharacterTextures2.zip",
    "CharacterTextures3.zip", "CharacterTextures4.zip", "CharacterTextures5.zip",
    "CharacterTextures6.zip", "CharacterTextures7.zip", "CharacterTextures8.zip",
    "CharacterTextures9.zip",
    "Datas.zip", "Datas1.zip", "Datas2.zip", "Datas3.zip",
    "Jinx.zip", "Loading.zip", "Lucian.zip", "Particles.zip",
    "ParticleTextrues.zip", "ParticleTextrues1.zip", "ParticleTextrues2.zip",
    "ParticleTextrues3.zip", "ParticleTextrues4.zip",
    "Yasuo.zip",
]
CRLF = b"\r\n"


@dataclasses.dataclass(frozen=True)
class ArchiveLayout:
    """What one archive (a pack or an inner archive of a nested pack) holds."""
    name: str            # pack file name or inner archive name
    size: int            # bytes, exact
    files: int
    folders: int
    replaces: tuple[str, ...]  # top-level game folders, spelled as stored


@dataclasses.dataclass(frozen=True)
class InnerArchive:
    folder: str
    layout: ArchiveLayout


@dataclasses.dataclass(frozen=True)
class Entry:
    number: int
    page: int
    label: str
    layout: ArchiveLayout
    date: datetime.date
    author_note: str | None      # a small text file of the pack's author
    comment: str | None          # the archive comment
    inner: tuple[InnerArchive, ...]  # non-empty for a nested pack

    @property
    def pack_file_name(self) -> str:
        return self.layout.name

    @property
    def nested(self) -> bool:
        return bool(self.inner)


def _rows(path: pathlib.Path):
    with path.open(encoding="utf-8", newline="") as f:
        lines = [line for line in f if line.strip() and not line.startswith("#")]
    return list(csv.reader(lines, delimiter="\t", quoting=csv.QUOTE_NONE))


def _optional(text: str) -> str | None:
    return None if text == "-" else text


def read_catalogue(directory: pathlib.Path) -> list[Entry]:
    inner: dict[int, list[InnerArchive]] = {}
    for outer, folder, name, size, files, folders, replaces in _rows(directory / "nested.tsv"):
        inner.setdefault(int(outer), []).append(InnerArchive(
            folder, ArchiveLayout(name, int(size), int(files), int(folders),
                                  tuple(replaces.split()))))

    entries = []
    for (number, page, label, name, size, files, folders, replaces, date,
         note, comment) in _rows(directory / "catalogue.tsv"):
        number = int(number)
        nested = replaces == "nested"
        entries.append(Entry(
            number=number, page=int(page), label=label,
            layout=ArchiveLayout(name, int(size), int(files), int(folders),
                                 () if nested else tuple(replaces.split())),
            date=datetime.date.fromisoformat(date),
            author_note=_optional(note), comment=_optional(comment),
            inner=tuple(inner.pop(number, [])) if nested else ()))

    if [e.number for e in entries] != list(range(1, len(entries) + 1)):
        raise ValueError("catalogue.tsv must number its entries from 1, in order")
    if inner:
        raise ValueError(f"nested.tsv names entries that are not nested: {sorted(inner)}")
    names = [e.pack_file_name for e in entries]
    if len(set(names)) != len(names) or set(names) & set(STOCK_NAMES):
        raise ValueError("pack file names must be distinct and differ from the stock names")
    return entries


def stock_manifest() -> bytes:
    return CRLF.join(n.encode("ascii") for n in STOCK_NAMES)


def pack_manifest(entry: Entry) -> bytes:
    return stock_manifest() + CRLF + entry.pack_file_name.encode(CODEC)
