#!/usr/bin/env python3
"""Checks the built program and its engine without running them (a native test,
so it holds on hosts that cannot run the build's code), one row per property:

- both are PE images of the build's architecture, relocatable (DYNAMIC_BASE,
  and base relocations to do it with: a directory that is not empty,
  RELOCS_STRIPPED clear), with non-executable data (NX_COMPAT), on x86_64
  with HIGH_ENTROPY_VA, no section both writable and executable; the program
  is a terminal-server aware GUI program whose sections start on 4096-byte
  boundaries (Wine maps such an image instead of reading its 106 MB at start);
- both are as a player gets them and as any build of the same commit makes
  them: time stamp 0, no COFF symbols, no debug sections, no path of the
  source or build folder;
- the program's manifest asks for asInvoker, names the build's architecture
  and declares DPI awareness (per-monitor v2, else per-monitor, else
  system-aware on Windows 7), so Windows never stretches its window;
- every function either imports is on allowed_imports.txt (beside this file),
  so that a new import, and with it a new minimum Windows or one more call a
  virus scanner counts against us, is added on purpose;
- the engine exports SkinH_AttachRes under exactly that name (a stdcall
  export keeps its "@8" unless the link strips it, and the program looks the
  entry up by its plain name) and imports nothing but system DLLs, since it is
  written beside the program alone;
- every embedded file is in the program as a byte set (a 32-bit 1, the 32-bit
  length, then the file's bytes), in read-only data;
- both are linked as subsystem and OS version 6.0, so Windows gives them the
  frame metrics of Windows 7 and later rather than those of old programs;
- the engine carries a version resource of the program's product and
  version: the program knows an engine file as one of its own builds by it;
- the engine stays within its size budget (shipped_sizes.py); the program's
  size beyond its packs is printed, not checked.

Usage: check_image.py ARCH BUILD-FOLDER PROGRAM ENGINE PACK-FILES OTHER-EMBEDDED-FILES
       ("|" between the files of one list)
"""
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

from pe_image import SCN_MEM_EXECUTE, SCN_MEM_WRITE, Image
from shipped_sizes import engine_row, overhead_line

# machine, optional header magic, the manifest's processorArchitecture
ARCHITECTURES = {"i686": (0x014C, 0x10B, "x86"), "x86_64": (0x8664, 0x20B, "amd64")}
IMAGE_FILE_RELOCS_STRIPPED, IMAGE_FILE_DLL = 0x0001, 0x2000
BASE_RELOCATION_DIRECTORY = 5
SUBSYSTEM_WINDOWS_GUI = 2
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x8000
RT_MANIFEST = 24
# DLLs the MinGW runtime would need if it were not linked in statically.
NOT_SYSTEM = ("libstdc++", "libgcc", "libwinpthread")
HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_ROOT = os.path.dirname(os.path.dirname(HERE))


def allowed_imports():
    """(dll, function) pairs of allowed_imports.txt, the DLL in lower case."""
    allowed = set()
    with open(os.path.join(HERE, "allowed_imports.txt"), encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if words and not words[0].startswith("#"):
                allowed.add((words[0].lower(), words[1]))
    return allowed


def manifest_values(program):
    """The manifest's execution level, architecture, dpiAware and dpiAwareness
    (None where missing)."""
    text = program.resource(RT_MANIFEST)
    if text is None:
        return None, None, None, None
    elements = list(ElementTree.fromstring(text).iter())

    def attribute(tag, name):
        return next((e.get(name) for e in elements if e.tag.endswith("}" + tag)), None)

    def text_of(tag):
        return next((e.text.strip() for e in elements if e.tag.endswith("}" + tag) and e.text), None)

    return (attribute("requestedExecutionLevel", "level"), attribute("assemblyIdentity", "processorArchitecture"),
            text_of("dpiAware"), text_of("dpiAwareness"))


def find_byte_set(data, content):
    head = struct.pack("<II", 1, len(content)) + content[:4096]
    at = data.find(head)
    while at >= 0 and data[at + 8:at + 8 + len(content)] != content:
        at = data.find(head, at + 1)
    return at


def embedded_rows(program, files):
    missing, writable = [], []
    for path in files:
        with open(path, "rb") as f:
            at = find_byte_set(program.data, f.read())
        section = program.section_at_offset(at) if at >= 0 else None
        if at < 0:
            missing.append(path)
        elif section is None or section.flags & SCN_MEM_WRITE:
            writable.append(path)
    return [
        (not missing, f"program: holds {len(files)} embedded files as byte sets" +
         (f"; missing: {missing}" if missing else "")),
        (not writable, "program: every embedded file in a read-only section" +
         (f"; writable: {writable}" if writable else "")),
    ]


def image_rows(arch, image, allowed, folders):
    machine, magic, _ = ARCHITECTURES[arch]
    name = image.name
    flags = image.dll_characteristics
    relocations = image.directory(BASE_RELOCATION_DIRECTORY)
    wx = [s.name for s in image.sections if s.flags & SCN_MEM_WRITE and s.flags & SCN_MEM_EXECUTE]
    debug = [s.name for s in image.sections if s.name.startswith((".debug", "/"))]
    paths = [p for p in folders if p.encode() in image.data or p.encode("utf-16-le") in image.data]
    imports = {(dll.lower(), function) for dll, function in image.imports()}
    unlisted = sorted(f"{dll} {function}" for dll, function in imports - allowed)
    rows = [
        (image.machine == machine and image.magic == magic,
         f"{name}: machine {image.machine:#06x}, optional header {image.magic:#x} ({arch})"),
        (flags & DYNAMIC_BASE, f"{name}: DYNAMIC_BASE"),
        (relocations[1] > 0 and not image.characteristics & IMAGE_FILE_RELOCS_STRIPPED,
         f"{name}: base relocations ({relocations[1]} bytes), RELOCS_STRIPPED clear"),
        (flags & NX_COMPAT, f"{name}: NX_COMPAT"),
        (not wx, f"{name}: no section both writable and executable {wx}"),
        (image.timestamp == 0, f"{name}: time stamp {image.timestamp:#x}, 0"),
        (image.symbol_table == 0 and image.symbol_count == 0,
         f"{name}: {image.symbol_count} COFF symbols, none"),
        (not debug, f"{name}: no debug section {debug}"),
        (not paths, f"{name}: no path of the source or build folder {paths}"),
        (image.subsystem_version == (6, 0) and image.os_version == (6, 0),
         name + ": subsystem version %d.%d, OS version %d.%d; 6.0" % (image.subsystem_version + image.os_version)),
        (imports and not unlisted, f"{name}: its {len(imports)} imported functions all on allowed_imports.txt" +
         (f"; not listed: {unlisted}" if unlisted else "")),
    ]
    if arch == "x86_64":
        rows.append((flags & HIGH_ENTROPY_VA, f"{name}: HIGH_ENTROPY_VA"))
    return rows


def main():
    arch, build_folder, program_path, engine_path, pack_files, other_files = sys.argv[1:7]
    pack_files = [f for f in pack_files.split("|") if f]
    program, engine = Image(program_path), Image(engine_path)
    folders = [SOURCE_ROOT, os.path.abspath(build_folder)]
    allowed = allowed_imports()
    level, architecture, dpi_aware, dpi_awareness = manifest_values(program)
    exports = engine.exports()
    dlls = sorted({dll for dll, _ in engine.imports()})
    ours = {key: program.version_strings().get(key) for key in ("ProductName", "FileVersion")}
    engine_version = {key: engine.version_strings().get(key) for key in ours}

    rows = image_rows(arch, program, allowed, folders) + image_rows(arch, engine, allowed, folders)
    rows += [
        (program.subsystem == SUBSYSTEM_WINDOWS_GUI, "program: GUI subsystem"),
        (program.dll_characteristics & TERMINAL_SERVER_AWARE, "program: TERMINAL_SERVER_AWARE"),
        (program.file_alignment == 4096 and all(s.raw % 4096 == 0 for s in program.sections),
         f"program: file alignment {program.file_alignment}, every section on a 4096-byte boundary"),
        (level == "asInvoker", f"program: manifest execution level {level}, asInvoker"),
        (architecture == ARCHITECTURES[arch][2],
         f"program: manifest architecture {architecture}, {ARCHITECTURES[arch][2]}"),
        ((dpi_aware, dpi_awareness) == ("true/pm", "PerMonitorV2, PerMonitor"),
         f"program: manifest DPI awareness {dpi_aware!r}, {dpi_awareness!r}; true/pm, PerMonitorV2, PerMonitor"),
        (engine.characteristics & IMAGE_FILE_DLL != 0, "engine: a DLL"),
        (exports == ["SkinH_AttachRes"], f"engine: exports {exports}, exactly the undecorated SkinH_AttachRes"),
        (not any(dll.lower().startswith(NOT_SYSTEM) for dll in dlls), f"engine: imports only system DLLs {dlls}"),
        (None not in ours.values() and engine_version == ours,
         f"engine: version resource {engine_version}, the program's {ours}"),
        engine_row(arch, engine_path),
    ]
    rows += embedded_rows(program, pack_files + [f for f in other_files.split("|") if f])

    failures = [text for ok, text in rows if not ok]
    for ok, text in rows:
        print(("ok    " if ok else "FAIL  ") + text)
    print("      " + overhead_line(program_path, pack_files))
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
