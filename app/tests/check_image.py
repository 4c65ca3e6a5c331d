#!/usr/bin/env python3
"""Checks the built program and its engine without running them (a native test,
so it holds on hosts that cannot run the build's code):

- both are PE images of the build's architecture; the program is a GUI
  program whose sections start on 4096-byte boundaries (Wine maps such an
  image instead of reading its 106 MB at start);
- the engine exports SkinH_AttachRes under exactly that name (a stdcall
  export keeps its "@8" unless the link strips it, and the program looks the
  entry up by its plain name) and imports nothing but system DLLs, since it is
  written beside the program alone;
- every embedded file is in the program as a byte set: a 32-bit 1, the
  32-bit length, then the file's bytes.

Usage: check_image.py ARCH PROGRAM ENGINE EMBEDDED-FILES ("|" between them)
"""
import struct
import sys

MACHINES = {"i686": (0x014C, 0x10B), "x86_64": (0x8664, 0x20B)}
IMAGE_FILE_DLL = 0x2000
SUBSYSTEM_WINDOWS_GUI = 2
# DLLs the MinGW runtime would need if it were not linked in statically.
NOT_SYSTEM = ("libstdc++", "libgcc", "libwinpthread")


class Image:
    def __init__(self, path):
        self.path = path
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise SystemExit(f"{path}: no MZ header")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise SystemExit(f"{path}: no PE signature")
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from("<HHIIIHH", d, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", d, optional)[0]
        self.section_alignment, self.file_alignment = struct.unpack_from("<II", d, optional + 32)
        self.subsystem = struct.unpack_from("<H", d, optional + 68)[0]
        self.directories = optional + (96 if self.magic == 0x10B else 112)
        self.sections = []
        for i in range(sections):
            name, virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<8sIIII", d, optional + optional_size + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), rva, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for _, start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise SystemExit(f"{self.path}: RVA {rva:#x} in no section")

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode()

    def directory(self, index):
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def exports(self):
        rva, size = self.directory(0)
        if size == 0:
            return []
        count, names = struct.unpack_from("<I4xI", self.data, self.offset(rva) + 24)
        return [self.string(struct.unpack_from("<I", self.data, self.offset(names) + 4 * i)[0]) for i in range(count)]

    def imports(self):
        rva, size = self.directory(1)
        found, at = [], self.offset(rva) if size else None
        while at is not None:
            name = struct.unpack_from("<I", self.data, at + 12)[0]
            if name == 0:
                break
            found.append(self.string(name))
            at += 20
        return found


def main():
    arch, program_path, engine_path, embedded = sys.argv[1:5]
    machine, magic = MACHINES[arch]
    failures = []

    def check(ok, text):
        print(("ok    " if ok else "FAIL  ") + text)
        if not ok:
            failures.append(text)

    program, engine = Image(program_path), Image(engine_path)
    for image in (program, engine):
        name = image.path.rsplit("/", 1)[-1]
        check(image.machine == machine and image.magic == magic,
              f"{name}: machine {image.machine:#06x}, optional header {image.magic:#x} ({arch})")
    check(program.subsystem == SUBSYSTEM_WINDOWS_GUI, "program: GUI subsystem")
    check(program.file_alignment == 4096 and all(raw % 4096 == 0 for *_, raw in program.sections),
          f"program: file alignment {program.file_alignment}, every section on a 4096-byte boundary")
    check(engine.characteristics & IMAGE_FILE_DLL != 0, "engine: a DLL")
    exports = engine.exports()
    check(exports == ["SkinH_AttachRes"], f"engine: exports {exports}, exactly the undecorated SkinH_AttachRes")
    imports = engine.imports()
    check(not any(dll.lower().startswith(NOT_SYSTEM) for dll in imports), f"engine: imports only system DLLs {imports}")

    files = [f for f in embedded.split("|") if f]
    missing = []
    for path in files:
        with open(path, "rb") as f:
            content = f.read()
        head = struct.pack("<II", 1, len(content)) + content[:4096]
        at = program.data.find(head)
        while at >= 0 and program.data[at + 8:at + 8 + len(content)] != content:
            at = program.data.find(head, at + 1)
        if at < 0:
            missing.append(path)
    check(not missing, f"program: holds {len(files)} embedded files as byte sets" +
          (f"; missing: {missing}" if missing else ""))

    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
