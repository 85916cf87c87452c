"""Small helpers that write SVG by hand-picked coordinates and render it with rsvg-convert."""

import io
import subprocess

import numpy as np
from PIL import Image

NAVY = "#1A2433"
SW = 1.1  # outline width at 1x


def _attrs(fill=None, stroke=NAVY, sw=SW, extra=""):
    a = f' fill="{fill or "none"}"'
    if stroke:
        a += f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round" stroke-linecap="round"'
    if extra:
        a += " " + extra
    return a


def path(d, fill=None, stroke=NAVY, sw=SW, extra=""):
    return f'<path d="{d}"{_attrs(fill, stroke, sw, extra)}/>'


def ellipse(cx, cy, rx, ry, fill=None, stroke=NAVY, sw=SW, extra=""):
    return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}"{_attrs(fill, stroke, sw, extra)}/>'


def circle(cx, cy, r, fill=None, stroke=NAVY, sw=SW, extra=""):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}"{_attrs(fill, stroke, sw, extra)}/>'


def rect(x, y, w, h, fill=None, stroke=NAVY, sw=SW, rx=0, extra=""):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}"'
            f'{_attrs(fill, stroke, sw, extra)}/>')


def poly(points, fill=None, stroke=NAVY, sw=SW, extra=""):
    pts = " ".join(f"{x},{y}" for x, y in points)
    return f'<polygon points="{pts}"{_attrs(fill, stroke, sw, extra)}/>'


def line(points, stroke=NAVY, sw=SW, extra=""):
    pts = " ".join(f"{x},{y}" for x, y in points)
    return f'<polyline points="{pts}"{_attrs(None, stroke, sw, extra)}/>'


def group(children, transform="", extra=""):
    t = f' transform="{transform}"' if transform else ""
    return f"<g{t} {extra}>" + "".join(children) + "</g>"


def lin_grad(gid, stops, x1=0, y1=0, x2=0, y2=1):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return (f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{s}'
            "</linearGradient>")


def rad_grad(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    f = f' fx="{fx}" fy="{fy}"' if fx is not None else ""
    return f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}"{f}>{s}</radialGradient>'


def clip(cid, shape):
    return f'<clipPath id="{cid}">{shape}</clipPath>'


def doc(w, h, body, defs="", vb=None):
    vb = vb or (0, 0, w, h)
    return ('<svg xmlns="http://www.w3.org/2000/svg" '
            f'width="{w}" height="{h}" viewBox="{vb[0]} {vb[1]} {vb[2]} {vb[3]}">'
            f"<defs>{defs}</defs>{''.join(body) if isinstance(body, list) else body}</svg>")


def render(svg_text, w=None, h=None):
    """Renders SVG text to an RGBA array (h, w, 4) of uint8, straight (not premultiplied) alpha."""
    cmd = ["rsvg-convert", "-f", "png"]
    if w:
        cmd += ["-w", str(w)]
    if h:
        cmd += ["-h", str(h)]
    out = subprocess.run(cmd, input=svg_text.encode(), capture_output=True, check=True).stdout
    img = Image.open(io.BytesIO(out)).convert("RGBA")
    return np.array(img)
