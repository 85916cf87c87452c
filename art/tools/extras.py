"""The water pictures and their pack, the launcher's picture and the application icon."""

import io
import os
import re
import struct
import subprocess

import numpy as np
from PIL import Image

import creatures
import items
from svgkit import NAVY, circle, doc, ellipse, path, rad_grad, render

WATER_SIZE = (640, 480)
WATER_FILL = np.array([0x46, 0xB1, 0xDD], np.float64)
DEEP = np.array([0x2B, 0x8F, 0xC7], np.float64)
GLINT = np.array([0x9F, 0xDD, 0xF5], np.float64)
FOAM = np.array([0xE8, 0xF7, 0xFD], np.float64)


def _spectrum(rng, h, w, f_lo, f_hi, slope):
    """Random Fourier coefficients of a band of spatial frequencies (cycles per picture)."""
    fy = np.fft.fftfreq(h) * h
    fx = np.fft.fftfreq(w) * w
    f = np.sqrt(fy[:, None] ** 2 + (fx[None, :] * h / w) ** 2)
    band = (f >= f_lo) & (f <= f_hi)
    amp = np.where(band, 1.0 / np.maximum(f, 1) ** slope, 0)
    coeff = amp * np.exp(2j * np.pi * rng.random((h, w)))
    speed = rng.uniform(-1, 1, (h, w)) * 2 * np.pi
    return coeff, speed


def _field(coeff, speed, t):
    n = np.fft.ifft2(coeff * np.exp(1j * speed * t)).real
    return n / (np.abs(n).max() + 1e-9)


def water_pictures():
    """Two views of the same calm pond a moment apart. Both wrap around at their edges."""
    w, h = WATER_SIZE
    rng = np.random.default_rng(20240611)
    ripple_a = _spectrum(rng, h, w, 6, 22, 1.2)
    ripple_b = _spectrum(rng, h, w, 8, 28, 1.2)
    swell = _spectrum(rng, h, w, 1, 4, 1.0)
    sparkle_rng = np.random.default_rng(7)
    out = []
    for t in (0.0, 0.08):
        a = _field(*ripple_a, t)
        b = _field(*ripple_b, t * 1.3)
        s = _field(*swell, t * 0.3)
        # Caustic lines where the ripples cross zero; a soft swell darkens and lightens whole areas.
        lines = np.clip(1 - np.abs(a) * 7, 0, 1) ** 2 * 0.55 + np.clip(1 - np.abs(b) * 8, 0, 1) ** 2 * 0.35
        img = WATER_FILL[None, None, :] + (DEEP - WATER_FILL)[None, None, :] * np.clip(-s, 0, 1)[..., None] * 0.32
        img = img + (GLINT - WATER_FILL)[None, None, :] * (lines * 0.26 + np.clip(s, 0, 1) * 0.10)[..., None]
        # A few glints of sun on the ripple crests, different in each picture.
        glints = sparkle_rng.random((h, w)) > 0.99965
        glints &= lines > 0.3
        gy, gx = np.nonzero(glints)
        for y, x in zip(gy, gx):
            for dy, dx, k in ((0, 0, 0.8), (0, 1, 0.45), (0, -1, 0.45), (1, 0, 0.3), (-1, 0, 0.3)):
                yy, xx = (y + dy) % h, (x + dx) % w
                img[yy, xx] = img[yy, xx] * (1 - k) + FOAM * k
        out.append(np.clip(np.rint(img), 0, 255).astype(np.uint8))
    return out


def jpeg_bytes(rgb):
    buf = io.BytesIO()
    Image.fromarray(rgb, "RGB").save(buf, "JPEG", quality=90, subsampling=0, optimize=True)
    return buf.getvalue()


def write_pack(path, entries):
    """The picture pack: six little-endian offsets, then the entries back to back.

    Entry i runs from offset i to offset i + 1; the entries after the given ones are empty.
    """
    offsets = [24]
    for e in entries:
        offsets.append(offsets[-1] + len(e))
    while len(offsets) < 6:
        offsets.append(offsets[-1])
    with open(path, "wb") as f:
        f.write(struct.pack("<6I", *offsets))
        for e in entries:
            f.write(e)


def embed(svg_text, x, y, w, h):
    """Nests a whole SVG document as an element at (x, y) scaled to w x h."""
    return re.sub(r'^<svg xmlns="http://www.w3.org/2000/svg" width="[^"]*" height="[^"]*"',
                  f'<svg x="{x}" y="{y}" width="{w}" height="{h}"', svg_text, count=1)


def icon_scene(badge):
    """The Dragon on a lily pad in the pond, with the diamond's sparkle. `badge` draws it as a
    round badge (the application icon); otherwise it fills the square (the launcher's picture)."""
    defs = [rad_grad("pond", [(0, "#5CC3EA"), (0.7, "#46B1DD"), (1, "#2B8FC7")], cx=0.45, cy=0.4, r=0.7)]
    s = []
    if badge:
        defs.append('<clipPath id="badge"><circle cx="32" cy="32" r="30.5"/></clipPath>')
        s.append(circle(32, 32, 30.5, "url(#pond)", None))
    else:
        s.append('<rect x="0" y="0" width="64" height="64" fill="url(#pond)"/>')
    ripples = [ellipse(32, 47, 29, 11, None, "#9FDDF5", 1.0), ellipse(32, 47, 34, 14, None, "#7FCDEE", 0.8),
               path("M6,16 Q12,13 18,16", None, "#9FDDF5", 1.0), path("M44,10 Q50,7 56,10", None, "#9FDDF5", 1.0)]
    scene = ripples
    scene.append(embed(items._pad(90, 47, items.PAD_BASE, items.PAD_SHADE, items.PAD_LIGHT, items.PAD_VEIN,
                                  items.PAD_RIM), 6, 33, 52, 27.2))
    scene.append(embed(creatures.dragon(0), 11, 7, 42, 42))
    scene.append(items._star4(52.5, 12.5, 5.2))
    scene.append(items._star4(46, 6.5, 2.4))
    if badge:
        s.append(f'<g clip-path="url(#badge)">{"".join(scene)}</g>')
        s.append(circle(32, 32, 30.5, None, NAVY, 2.2))
    else:
        s.extend(scene)
    return doc(64, 64, s, "".join(defs))


def build_all(root):
    data = os.path.join(root, "src", "data")
    files = os.path.join(data, "files")
    os.makedirs(files, exist_ok=True)
    w1, w2 = water_pictures()
    write_pack(os.path.join(files, "TvFree.dat"), [jpeg_bytes(w1), jpeg_bytes(w2)])

    launcher = render(icon_scene(badge=False), 64, 64)
    os.makedirs(os.path.join(data, "launcher"), exist_ok=True)
    Image.fromarray(launcher[..., :3].copy(), "RGB").save(
        os.path.join(data, "launcher", "Launcher.png"), optimize=True)

    icon_svg = icon_scene(badge=True)
    scalable = os.path.join(data, "icons", "scalable")
    os.makedirs(scalable, exist_ok=True)
    svg_path = os.path.join(scalable, "tarvelle.svg")
    with open(svg_path, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n' + icon_svg + "\n")
    for size in (16, 24, 32, 48, 64, 128, 256):
        folder = os.path.join(data, "icons", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        out = os.path.join(folder, "tarvelle.png")
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", out, svg_path], check=True)
        Image.open(out).convert("RGBA").save(out, optimize=True)
