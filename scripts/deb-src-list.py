#!/usr/bin/env python3
"""Writes the source entries of the machine's sources of Debian's own archives (the only ones
that carry Debian's source packages), for apt-get's source command through a configuration of
its own: OUT/sources.list from the one-line lists, OUT/parts/debian.sources from the deb822
stanzas. Missing files are passed over; other archives, disabled stanzas and comments left out.
   deb-src-list.py OUT SOURCES-FILE...
"""
import os
import re
import sys


def main(out, paths):
    lines, stanzas = [], []
    for path in paths:
        if not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        if path.endswith(".sources"):
            for stanza in re.split(r"\n\s*\n", text):
                fields = [l for l in stanza.splitlines()
                          if l.strip() and not l.lstrip().startswith("#")]
                uris = " ".join(l for l in fields if l.lower().startswith("uris:"))
                enabled = not any(re.match(r"enabled:\s*no\b", l, re.I) for l in fields)
                if "debian.org" in uris and enabled:
                    stanzas.append("\n".join("Types: deb-src" if l.lower().startswith("types:")
                                             else l for l in fields))
        else:
            for line in text.splitlines():
                m = re.match(r"\s*deb(-src)?\s+(.*)", line)
                if m and "debian.org" in m.group(2):
                    entry = "deb-src " + m.group(2).strip()
                    if entry not in lines:
                        lines.append(entry)
    os.makedirs(os.path.join(out, "parts"), exist_ok=True)
    with open(os.path.join(out, "sources.list"), "w") as f:
        f.write("".join(l + "\n" for l in lines))
    with open(os.path.join(out, "parts", "debian.sources"), "w") as f:
        f.write("\n\n".join(stanzas) + "\n")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: deb-src-list.py OUT SOURCES-FILE...")
    main(sys.argv[1], sys.argv[2:])
