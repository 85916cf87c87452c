#!/usr/bin/env python3
"""Packs PNG pictures of one icon at several sizes into a Windows .ico file.

Each picture goes in as it is (Windows Vista and later read PNG inside .ico files).
  make_ico.py OUT.ico SIZE.png...
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("make_ico.py: not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main():
    out, pictures = sys.argv[1], [open(p, "rb").read() for p in sys.argv[2:]]
    pictures.sort(key=lambda d: png_size(d)[0])
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries, body = b"", b""
    for data in pictures:
        w, h = png_size(data)
        if w > 256 or h > 256:
            raise SystemExit("make_ico.py: pictures of an icon are 256 pixels at most")
        # 0 stands for 256; 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data),
                               offset + len(body))
        body += data
    with open(out, "wb") as f:
        f.write(header + entries + body)


if __name__ == "__main__":
    main()
