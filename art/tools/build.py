"""Draws every picture of the game from the sources in art/ and writes them into src/data.

Run through art/make-art. Fails when a picture does not match its catalogue entry or when a
colour key shows up inside a picture.
"""

import argparse
import os
import sys

import numpy as np
from PIL import Image

import catalogue
import registry
import keying

# The drawing modules register their producers on import.
import creatures  # noqa: F401
import items  # noqa: F401
import panel  # noqa: F401
import food  # noqa: F401
import lettering  # noqa: F401

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
IMAGES_DIR = os.path.join(ROOT, "src", "data", "images")


class ArtError(Exception):
    pass


def assemble(item, frames):
    if len(frames) != item.count:
        raise ArtError(f"{item.name}: {len(frames)} patterns drawn, {item.count} expected")
    strip = np.zeros((item.h, item.w, 4), dtype=np.uint8)
    for i, f in enumerate(frames):
        if f.shape[:2] != (item.ph, item.pw):
            raise ArtError(f"{item.name}: pattern {i} is {f.shape[1]}x{f.shape[0]}, "
                           f"{item.pw}x{item.ph} expected")
        r, c = divmod(i, item.cols)
        strip[r * item.ph:(r + 1) * item.ph, c * item.pw:(c + 1) * item.pw] = f
    return strip


def check(item, rgb, mask):
    if rgb.shape != (item.h, item.w, 3):
        raise ArtError(f"{item.name}: picture is {rgb.shape[1]}x{rgb.shape[0]}, "
                       f"{item.w}x{item.h} expected")
    if item.key is None:
        return
    is_key = np.all(rgb == np.array(item.key_rgb, dtype=np.uint8), axis=-1)
    stray = is_key & mask
    if stray.any():
        y, x = np.argwhere(stray)[0]
        raise ArtError(f"{item.name}: the colour key shows inside the picture at ({x}, {y})")
    if (~is_key & ~mask).any():
        raise ArtError(f"{item.name}: a transparent pixel is not the colour key")
    if not mask.any():
        raise ArtError(f"{item.name}: the picture is empty")
    for i in range(item.count):
        r, c = divmod(i, item.cols)
        if not mask[r * item.ph:(r + 1) * item.ph, c * item.pw:(c + 1) * item.pw].any():
            raise ArtError(f"{item.name}: pattern {i} is empty")


def make_item(item):
    fn, edge, threshold = registry.PRODUCERS[item.name]
    strip = assemble(item, fn(item))
    kwargs = {"threshold": threshold}
    if edge is not None:
        kwargs["edge"] = edge
    rgb, mask = keying.key_picture(strip, item.key_rgb, **kwargs)
    check(item, rgb, mask)
    return rgb


def save_png(rgb, path):
    Image.fromarray(rgb, "RGB").save(path, optimize=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("names", nargs="*", help="only these items")
    args = ap.parse_args()
    os.makedirs(IMAGES_DIR, exist_ok=True)
    wanted = set(args.names)
    failed = False
    for item in catalogue.all_items():
        if wanted and item.name not in wanted:
            continue
        if item.name not in registry.PRODUCERS:
            print(f"missing: {item.name}", file=sys.stderr)
            failed = True
            continue
        try:
            rgb = make_item(item)
        except ArtError as e:
            print(f"error: {e}", file=sys.stderr)
            failed = True
            continue
        save_png(rgb, os.path.join(IMAGES_DIR, item.name + ".png"))
    if not wanted or "extras" in wanted:
        import extras
        extras.build_all(ROOT)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
