#!/usr/bin/env python3
"""Prints what a browser downloads of the web build, per file, gzip-compressed as a web server
sends it (level 6): the files the page needs before the game's first frame, then the music
(fetched after it), the help page and its pictures (opened on demand), with the totals.

usage: sizes.py [FOLDER]   (default build/web)"""
import gzip
import os
import sys

# Loaded before the title's first frame: the page and the game with its packed files.
FIRST = ["index.html", "tarvelle.css", "tarvelle-page.js", "launcher.png", "tarvelle.js",
         "tarvelle.wasm", "tarvelle.data"]


def size(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), compresslevel=6))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build/web"
    rest = []
    for base, _, names in os.walk(folder):
        for name in names:
            rel = os.path.relpath(os.path.join(base, name), folder)
            if rel not in FIRST:
                rest.append(rel)
    first_total = 0
    print("before the first frame (gzip bytes):")
    for name in FIRST:
        n = size(os.path.join(folder, name))
        first_total += n
        print("  %-28s %9d" % (name, n))
    print("  %-28s %9d  (%.2f MB; goal under 1.5 MB)" % ("total", first_total, first_total / 1e6))
    music = sorted(r for r in rest if r.startswith("music" + os.sep))
    print("after the first frame (the music):")
    for name in music:
        print("  %-28s %9d" % (name, size(os.path.join(folder, name))))
    help_files = [r for r in rest if r not in music]
    help_total = sum(size(os.path.join(folder, r)) for r in help_files)
    print("on demand (the help page and its pictures, %d files): %d" % (len(help_files), help_total))
    rest_total = help_total + sum(size(os.path.join(folder, r)) for r in music)
    all_total = first_total + rest_total
    print("everything: %d (%.2f MB; goal under 5 MB)" % (all_total, all_total / 1e6))


if __name__ == "__main__":
    main()
