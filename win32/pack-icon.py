#!/usr/bin/env python3
"""Packs PNG images into one ICO file as they are (PNG entries: Windows Vista on).

Usage: pack-icon.py out.ico image.png ...
"""
import struct
import sys


def size_of(png):
    if png[:8] != b"\x89PNG\r\n\x1a\n" or png[12:16] != b"IHDR":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", png[16:24])


def main(out, paths):
    images = [open(path, "rb").read() for path in paths]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, data = b"", b""
    for png in images:
        width, height = size_of(png)
        if width > 256 or height > 256:
            raise SystemExit("an icon image is at most 256 pixels")
        # 0 stands for 256; planes 1, 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    with open(out, "wb") as ico:
        ico.write(header + entries + data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
