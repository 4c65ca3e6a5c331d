#!/usr/bin/env python3
"""Compiles a theme source (.theme, text) into the engine's container (.she).

    theme_tool.py compile SOURCE OUTPUT   compile, then decode the output again and
                                          check it against what was meant
    theme_tool.py show CONTAINER          print a container's header and records

The source format and the container layout are described in ../THEME_FORMAT.md.
Only the standard library is used: lzma with a raw LZMA1 stream (lc 3, lp 0,
pb 2, 8 MiB dictionary), whose end marker lets the engine check the size.
"""
import lzma
import os
import re
import struct
import sys

# Palette keys in tag order (tag = index + 1). Must match engine/core/theme.h.
PALETTE = [
    "window", "window_text", "label_text", "accent",
    "button_face", "button_border", "button_text",
    "button_hot_face", "button_hot_border", "button_hot_text",
    "button_pressed_face", "button_pressed_border", "button_pressed_text",
    "button_disabled_face", "button_disabled_border", "button_disabled_text",
    "button_default_border", "focus_ring",
    "tab_strip", "tab_face", "tab_text", "tab_hot_face",
    "tab_selected_face", "tab_selected_text", "tab_border", "tab_body",
    "dialog", "dialog_text", "field", "field_text",
    "caption", "caption_text",
]
# (section, key): (tag, low, high, byte size)
NUMBERS = {
    ("metrics", "corner_radius"): (0x40, 0, 12, 1),
    ("metrics", "border_width"): (0x41, 1, 3, 1),
    ("metrics", "face_gradient"): (0x42, 0, 40, 1),
    ("font", "size"): (0x43, 8, 16, 1),
    ("font", "weight"): (0x44, 100, 900, 2),
}
FACE_TAG = 0x50
MAX_FACES = 4
CONTENT_MAGIC = b"SKTH"
CONTENT_VERSION = 1
SOURCE_FORMAT = 1

CONTAINER_MAGIC = b".SHE"
CONTAINER_VERSION = b"\x00\x03"
PROPERTIES = bytes([0x5D]) + struct.pack("<I", 8 << 20)
FILTERS = [{"id": lzma.FILTER_LZMA1, "dict_size": 8 << 20, "lc": 3, "lp": 0, "pb": 2}]
MAX_CONTENT = 4 << 20


class ThemeError(Exception):
    pass


def parse_source(text, name):
    """Returns {(section, key): value text} from the source, checking its shape."""
    entries = {}
    section = None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        # Colours begin with '#' too, so only whole lines are comments.
        if not line or line.startswith("#"):
            continue
        where = f"{name}:{number}"
        m = re.fullmatch(r"\[(\w+)\]", line)
        if m:
            section = m.group(1)
            if section not in ("palette", "metrics", "font"):
                raise ThemeError(f"{where}: unknown section [{section}]")
            continue
        m = re.fullmatch(r"([a-z_]+)\s*=\s*(.+)", line)
        if not m:
            raise ThemeError(f"{where}: expected 'key = value'")
        key = (section or "", m.group(1))
        if key in entries:
            raise ThemeError(f"{where}: {m.group(1)} given twice")
        entries[key] = (m.group(2).strip(), where)
    return entries


def build_content(entries, name):
    fmt = entries.pop(("", "format"), (None, name))
    if fmt[0] != str(SOURCE_FORMAT):
        raise ThemeError(f"{name}: 'format = {SOURCE_FORMAT}' expected at the top")
    records = []
    for tag, key in enumerate(PALETTE, 1):
        value, where = entries.pop(("palette", key), (None, name))
        if value is None:
            raise ThemeError(f"{name}: palette colour '{key}' missing")
        if not re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            raise ThemeError(f"{where}: colour '{value}' is not #RRGGBB")
        records.append(bytes([tag, 3]) + bytes.fromhex(value[1:]))
    for key, (tag, low, high, size) in NUMBERS.items():
        value, where = entries.pop(key, (None, name))
        if value is None or not value.isdigit() or not low <= int(value) <= high:
            raise ThemeError(f"{where}: {key[1]} must be a number from {low} to {high}")
        records.append(bytes([tag, size]) + int(value).to_bytes(size, "little"))
    faces, where = entries.pop(("font", "faces"), (None, name))
    if faces is None:
        raise ThemeError(f"{name}: font faces missing")
    names = [f.strip() for f in faces.split(";") if f.strip()]
    if not 1 <= len(names) <= MAX_FACES:
        raise ThemeError(f"{where}: 1 to {MAX_FACES} font faces expected")
    for face in names:
        encoded = face.encode("gbk")
        if len(encoded) > 31:
            raise ThemeError(f"{where}: font face '{face}' longer than 31 bytes")
        records.append(bytes([FACE_TAG, len(encoded)]) + encoded)
    if entries:
        (section, key), (_, where) = next(iter(entries.items()))
        raise ThemeError(f"{where}: unknown key '{key}' in [{section}]")
    head = CONTENT_MAGIC + struct.pack("<HH", CONTENT_VERSION, len(records))
    return head + b"".join(records)


def container(content):
    if not 0 < len(content) <= MAX_CONTENT:
        raise ThemeError("content size out of range")
    stream = lzma.compress(content, format=lzma.FORMAT_RAW, filters=FILTERS)
    return CONTAINER_MAGIC + CONTAINER_VERSION + struct.pack("<I", len(content)) + PROPERTIES + stream


def decode(data):
    """Decodes a container the way the engine checks it; returns the content."""
    if data[:4] != CONTAINER_MAGIC or data[4:6] != CONTAINER_VERSION:
        raise ThemeError("bad container header")
    size = struct.unpack_from("<I", data, 6)[0]
    if data[10:15] != PROPERTIES:
        raise ThemeError("unexpected LZMA properties")
    decoder = lzma.LZMADecompressor(format=lzma.FORMAT_RAW, filters=FILTERS)
    content = decoder.decompress(data[15:])
    if not decoder.eof or decoder.unused_data or len(content) != size:
        raise ThemeError("stream does not end with its marker at the announced size")
    return content


def compile_theme(source, output):
    with open(source, encoding="utf-8") as f:
        content = build_content(parse_source(f.read(), source), source)
    data = container(content)
    temporary = output + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    with open(temporary, "rb") as f:
        if decode(f.read()) != content:
            raise ThemeError(f"{output}: decoding the container again gave other bytes")
    os.replace(temporary, output)


def show(path):
    with open(path, "rb") as f:
        data = f.read()
    content = decode(data)
    print(f"{path}: {len(data)} bytes, content {len(content)} bytes")
    at = 8
    while at < len(content):
        tag, size = content[at], content[at + 1]
        value = content[at + 2:at + 2 + size]
        at += 2 + size
        if tag <= len(PALETTE):
            print(f"  {PALETTE[tag - 1]:24} #{value.hex().upper()}")
        elif tag == FACE_TAG:
            print(f"  {'font face':24} {value.decode('gbk')}")
        else:
            key = next(k for k, v in NUMBERS.items() if v[0] == tag)
            print(f"  {key[1]:24} {int.from_bytes(value, 'little')}")


def main(argv):
    try:
        if len(argv) == 4 and argv[1] == "compile":
            compile_theme(argv[2], argv[3])
        elif len(argv) == 3 and argv[1] == "show":
            show(argv[2])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (ThemeError, OSError, UnicodeError) as error:
        print(f"theme_tool: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
