"""Reads what check_image.py checks in a PE image: headers, sections, exports,
imports and resources. Nothing is run."""
import struct

SCN_MEM_EXECUTE = 0x20000000
SCN_MEM_WRITE = 0x80000000
RESOURCE_SUBDIRECTORY = 0x80000000


class Section:
    def __init__(self, name, rva, virtual_size, raw, raw_size, flags):
        self.name, self.rva, self.raw, self.raw_size, self.flags = name, rva, raw, raw_size, flags
        self.size = max(virtual_size, raw_size)

    def holds_offset(self, at):
        return self.raw <= at < self.raw + self.raw_size


class Image:
    def __init__(self, path):
        self.path = path
        self.name = path.rsplit("/", 1)[-1]
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise SystemExit(f"{path}: no MZ header")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise SystemExit(f"{path}: no PE signature")
        (self.machine, count, self.timestamp, self.symbol_table, self.symbol_count,
         optional_size, self.characteristics) = struct.unpack_from("<HHIIIHH", d, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", d, optional)[0]
        self.section_alignment, self.file_alignment = struct.unpack_from("<II", d, optional + 32)
        os_major, os_minor, _, _, subsystem_major, subsystem_minor = struct.unpack_from("<6H", d, optional + 40)
        self.os_version, self.subsystem_version = (os_major, os_minor), (subsystem_major, subsystem_minor)
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", d, optional + 68)
        self.directories = optional + (96 if self.magic == 0x10B else 112)
        self.sections = []
        for i in range(count):
            name, virtual_size, rva, raw_size, raw, flags = struct.unpack_from(
                "<8sIIII12xI", d, optional + optional_size + 40 * i)
            self.sections.append(Section(self._section_name(name), rva, virtual_size, raw, raw_size, flags))

    def _section_name(self, field):
        name = field.rstrip(b"\0").decode()
        # "/123": a long name, kept in the string table after the symbols.
        if name.startswith("/") and self.symbol_table:
            at = self.symbol_table + 18 * self.symbol_count + int(name[1:])
            return self.data[at:self.data.index(b"\0", at)].decode()
        return name

    def offset(self, rva):
        for s in self.sections:
            if s.rva <= rva < s.rva + s.size:
                return s.raw + rva - s.rva
        raise SystemExit(f"{self.path}: RVA {rva:#x} in no section")

    def section_at_offset(self, at):
        return next((s for s in self.sections if s.holds_offset(at)), None)

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
        """(dll, function) pairs; a function imported by ordinal reads "#n"."""
        rva, size = self.directory(1)
        wide = self.magic == 0x20B
        thunk_format, by_ordinal = ("<Q", 1 << 63) if wide else ("<I", 1 << 31)
        found, at = [], self.offset(rva) if size else None
        while at is not None:
            lookup, name, first = struct.unpack_from("<I8xII", self.data, at)
            if name == 0:
                break
            dll = self.string(name)
            thunk = self.offset(lookup or first)
            while True:
                entry = struct.unpack_from(thunk_format, self.data, thunk)[0]
                if entry == 0:
                    break
                found.append((dll, f"#{entry & 0xFFFF}" if entry & by_ordinal else self.string(entry + 2)))
                thunk += 8 if wide else 4
            at += 20
        return found

    def resource(self, type_id):
        """The bytes of the first resource of the given type, or None."""
        rva, size = self.directory(2)
        if size == 0:
            return None
        root = self.offset(rva)
        at, wanted = root, type_id
        while True:  # type, name, language: the first of each
            named, numbered = struct.unpack_from("<12xHH", self.data, at)
            entries = [struct.unpack_from("<II", self.data, at + 16 + 8 * i) for i in range(named + numbered)]
            targets = [target for key, target in entries if wanted is None or key == wanted]
            if not targets:
                return None
            if not targets[0] & RESOURCE_SUBDIRECTORY:
                break
            at, wanted = root + (targets[0] & ~RESOURCE_SUBDIRECTORY), None
        data_rva, data_size = struct.unpack_from("<II", self.data, root + targets[0])
        start = self.offset(data_rva)
        return self.data[start:start + data_size]

    def version_strings(self, rt_version=16):
        """The texts of the version resource's string table by key ({} without one)."""
        block = self.resource(rt_version) or b""
        found = {}

        def walk(at, end):
            # Each node: length, value length, type (1: text), its key, then
            # its value and its children, each on a 4-byte boundary.
            while at + 6 <= end:
                length, value_length, text = struct.unpack_from("<HHH", block, at)
                if length == 0:
                    return
                key_end = at + 6
                while block[key_end:key_end + 2] != b"\0\0":
                    key_end += 2
                value = (key_end + 2 + 3) & ~3
                value_size = value_length * 2 if text else value_length
                if text and value_length:
                    found[block[at + 6:key_end].decode("utf-16-le")] = \
                        block[value:value + value_size].decode("utf-16-le").rstrip("\0")
                walk((value + value_size + 3) & ~3, at + length)
                at = (at + length + 3) & ~3

        walk(0, len(block))
        return found
