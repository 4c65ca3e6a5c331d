#!/usr/bin/env python3
"""Generates the program's catalogue table and the manifest files.

Usage: make_catalogue_data.py CATALOGUE_DIR OUTPUT_DIR
writes OUTPUT_DIR/catalogue_table.inc, OUTPUT_DIR/include/packs/entry_rows.h,
OUTPUT_DIR/stock_manifest.txt and OUTPUT_DIR/manifest_NN.txt (GBK bytes, CR LF
between lines, none at the end).
"""
from __future__ import annotations

import pathlib
import sys

import pack_catalogue


def cpp_string(text: str) -> str:
    # The sources are UTF-8; the compiler turns narrow literals into GBK.
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def table(entries) -> str:
    lines = ["// Generated from packs/catalogue.tsv by packs/tools/make_catalogue_data.py.",
             "// Included once, by packs/catalogue.cpp.", ""]
    for e in entries:
        lines.append(f'extern "C" const unsigned char pack_archive_{e.number:02d}[], '
                     f"pack_manifest_{e.number:02d}[];")
    lines += ['extern "C" const unsigned char stock_manifest_bytes[];', "",
              "namespace packs {", "namespace {", "",
              "constexpr CatalogueRow kCatalogueRows[kEntryCount] = {"]
    for e in entries:
        lines.append(f"    {{{cpp_string(e.label)}, {e.page}, {cpp_string(e.pack_file_name)}, "
                     f"{e.layout.size}u, pack_archive_{e.number:02d}, "
                     f"pack_manifest_{e.number:02d}}},")
    lines += ["};", "", "}  // namespace", "}  // namespace packs", ""]
    return "\n".join(lines)


def entry_rows(entries) -> str:
    lines = ["#pragma once",
             "// Generated from packs/catalogue.tsv by packs/tools/make_catalogue_data.py:",
             "// how many entries there are, and the label and page of each, for the",
             "// catalogue and for the rows of the main window.",
             "", "namespace packs {", "",
             f"inline constexpr int kEntryCount = {len(entries)};", "",
             "struct EntryRow {",
             "    const char* label;  // GBK, shown by the row's transparent label",
             "    int page;           // 1 \"电玩\" or 2 \"源计划\"",
             "};", "",
             "inline constexpr EntryRow kEntryRows[kEntryCount] = {"]
    for e in entries:
        lines.append(f"    {{{cpp_string(e.label)}, {e.page}}},")
    lines += ["};", "", "}  // namespace packs", ""]
    return "\n".join(lines)


def write_if_changed(path: pathlib.Path, data: bytes) -> None:
    # Unchanged outputs keep their time stamp, so nothing downstream rebuilds.
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main(argv: list[str]) -> int:
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    entries = pack_catalogue.read_catalogue(pathlib.Path(argv[1]))
    out = pathlib.Path(argv[2])
    out.mkdir(parents=True, exist_ok=True)
    write_if_changed(out / "catalogue_table.inc", table(entries).encode("utf-8"))
    (out / "include" / "packs").mkdir(parents=True, exist_ok=True)
    write_if_changed(out / "include" / "packs" / "entry_rows.h", entry_rows(entries).encode("utf-8"))
    write_if_changed(out / "stock_manifest.txt", pack_catalogue.stock_manifest())
    for e in entries:
        write_if_changed(out / f"manifest_{e.number:02d}.txt", pack_catalogue.pack_manifest(e))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
