"""Reads the pack catalogue (catalogue.tsv, nested.tsv) for the build tools.

The two tables are the one source of the pack file names, labels, pages, the
window's rows and the archive layouts: the stand-in archives, the manifests,
the program's C++ tables and the build's entry numbers are all generated from
them. A malformed row stops the build here, with the row's number.
"""
from __future__ import annotations

import csv
import dataclasses
import datetime
import pathlib
import re

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
class RowControl:
    """One control of an entry's row in the main window (96-DPI pixels)."""
    name: str            # 透明标签N or 按钮N
    number: int          # N, which makes the control's id
    left: int
    top: int
    width: int
    height: int


@dataclasses.dataclass(frozen=True)
class Entry:
    number: int
    page: int            # 1, 2, ...: the order in which the page captions appear
    page_caption: str
    label: str
    label_control: RowControl
    apply_button: RowControl
    restore_button: RowControl
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


_CONTROL = re.compile(r"(透明标签|按钮)([1-9][0-9]*) ([0-9]+),([0-9]+),([1-9][0-9]*),([1-9][0-9]*)")


def _row_control(number: int, text: str, kind: str) -> RowControl:
    match = _CONTROL.fullmatch(text)
    if not match or match[1] != kind:
        raise ValueError(f"catalogue.tsv, entry {number}: {text!r} is not '{kind}N left,top,width,height'")
    return RowControl(match[1] + match[2], *(int(match[i]) for i in range(2, 7)))


def _check_controls(entries: list[Entry]) -> None:
    # Labels and buttons number their ids apart (ui/control_table.h): each name
    # stands once.
    for controls in ([e.label_control for e in entries],
                     [b for e in entries for b in (e.apply_button, e.restore_button)]):
        names = [c.name for c in controls]
        twice = sorted({n for n in names if names.count(n) > 1})
        if twice:
            raise ValueError(f"catalogue.tsv: control names that stand twice: {twice}")


def page_captions(entries: list[Entry]) -> list[str]:
    captions: list[str] = []
    for e in entries:
        if e.page_caption not in captions:
            captions.append(e.page_caption)
    return captions


def read_catalogue(directory: pathlib.Path) -> list[Entry]:
    inner: dict[int, list[InnerArchive]] = {}
    for outer, folder, name, size, files, folders, replaces in _rows(directory / "nested.tsv"):
        inner.setdefault(int(outer), []).append(InnerArchive(
            folder, ArchiveLayout(name, int(size), int(files), int(folders),
                                  tuple(replaces.split()))))

    entries = []
    captions: list[str] = []
    for row in _rows(directory / "catalogue.tsv"):
        if len(row) != 14:
            raise ValueError(f"catalogue.tsv: a row of {len(row)} columns, not 14: {row[:3]}")
        (number, caption, label, label_control, apply_button, restore_button, name, size, files,
         folders, replaces, date, note, comment) = row
        number = int(number)
        nested = replaces == "nested"
        if caption not in captions:
            captions.append(caption)
        entries.append(Entry(
            number=number, page=captions.index(caption) + 1, page_caption=caption, label=label,
            label_control=_row_control(number, label_control, "透明标签"),
            apply_button=_row_control(number, apply_button, "按钮"),
            restore_button=_row_control(number, restore_button, "按钮"),
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
    if [e.page for e in entries] != sorted(e.page for e in entries):
        raise ValueError("catalogue.tsv must list each page's rows together, pages in order")
    _check_controls(entries)
    return entries


def stock_manifest() -> bytes:
    return CRLF.join(n.encode("ascii") for n in STOCK_NAMES)


def pack_manifest(entry: Entry) -> bytes:
    return stock_manifest() + CRLF + entry.pack_file_name.encode(CODEC)
