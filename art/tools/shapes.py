"""Drawing idioms shared by the sprites: outlined blobs, shaded bodies, outlined tubes."""

from svgkit import NAVY, SW, circle, clip, ellipse, group, path, poly

_uid = [0]


def uid(prefix="c"):
    _uid[0] += 1
    return f"{prefix}{_uid[0]}"


def E(cx, cy, rx, ry):
    return lambda fill, stroke, sw: ellipse(cx, cy, rx, ry, fill, stroke, sw)


def C(cx, cy, r):
    return lambda fill, stroke, sw: circle(cx, cy, r, fill, stroke, sw)


def P(d):
    return lambda fill, stroke, sw: path(d, fill, stroke, sw)


def Q(points):
    return lambda fill, stroke, sw: poly(points, fill, stroke, sw)


def blob(shapes, fill, sw=SW, stroke=NAVY):
    """Several shapes merged into one outlined silhouette.

    The outlines are drawn first, twice as wide, then the fills on top: the fills hide the inner
    halves and the overlaps, so the union keeps one clean outer rim of width sw.
    """
    out = [s(None, stroke, sw * 2) for s in shapes]
    out += [s(fill, None, 0) for s in shapes]
    return "".join(out)


def shaded(defs, shapes, base, shade=None, shade_d=None, light=None, light_d=None, sw=SW,
           extra=()):
    """An outlined blob with shade and highlight areas (SVG path data) painted inside it.

    `extra` are further elements clipped to the blob (spots, stripes).
    """
    cid = uid("clip")
    defs.append(clip(cid, "".join(s("#000", None, 0) for s in shapes)))
    inner = []
    if shade and shade_d:
        inner.append(path(shade_d, shade, None))
    if light and light_d:
        inner.append(path(light_d, light, None))
    inner += list(extra)
    return blob(shapes, base, sw) + group(inner, extra=f'clip-path="url(#{cid})"')


def clipped(defs, shapes, elements):
    cid = uid("clip")
    defs.append(clip(cid, "".join(s("#000", None, 0) for s in shapes)))
    return group(elements, extra=f'clip-path="url(#{cid})"')


def tube(d, fill, width, sw=SW, stroke=NAVY):
    """A limb or tail: a thick stroked path with an outline."""
    return path(d, None, stroke, width + 2 * sw) + path(d, None, fill, width)


def eye(cx, cy, rx, ry, px, py, pr, white="#FBFDFF", glint=True):
    out = ellipse(cx, cy, rx, ry, white, NAVY, 0.9)
    out += circle(px, py, pr, NAVY, None)
    if glint:
        out += circle(px + pr * 0.35, py - pr * 0.4, max(0.55, pr * 0.35), "#FBFDFF", None)
    return out
