#!/usr/bin/env python3
"""Writes a copy of the picture pack with its JPEG pictures turned into PNG (for builds that
read no JPEG: the web browser's). The pack is a table of six little-endian 32-bit offsets, then
the picture files; entry i runs from offset i up to offset i + 1.

usage: png_pack.py IN OUT   (ImageMagick's convert does the conversion)"""
import struct
import subprocess
import sys

COUNT = 6


def main():
    src, dst = sys.argv[1], sys.argv[2]
    data = open(src, "rb").read()
    offsets = struct.unpack_from("<%dI" % COUNT, data)
    entries = []
    for i in range(COUNT - 1):
        entry = data[offsets[i]:offsets[i + 1]]
        if entry[:3] == b"\xff\xd8\xff":
            entry = subprocess.run(["convert", "jpg:-", "-strip", "png24:-"], input=entry,
                                   stdout=subprocess.PIPE, check=True).stdout
        entries.append(entry)
    out = bytearray()
    pos = 4 * COUNT
    table = []
    for entry in entries:
        table.append(pos)
        pos += len(entry)
    table.append(pos)
    out += struct.pack("<%dI" % COUNT, *table)
    for entry in entries:
        out += entry
    open(dst, "wb").write(bytes(out))


if __name__ == "__main__":
    main()
