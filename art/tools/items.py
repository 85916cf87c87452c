"""Pads, the splash, the diamond and the five bonuses."""

import math

from registry import picture
from shapes import C, E, P, Q, blob, clipped, shaded, tube, uid
from svgkit import NAVY, circle, doc, ellipse, group, lin_grad, path, poly, render

# Lily pad
PAD_BASE, PAD_SHADE, PAD_LIGHT, PAD_VEIN, PAD_RIM = "#3FA34D", "#2C7A36", "#7CC85A", "#236B2E", "#1F5E2A"
# Stepped pad: faded, torn
ST_BASE, ST_SHADE, ST_LIGHT, ST_VEIN, ST_RIM, ST_TEAR = ("#A3A540", "#7F7C2F", "#C7C464", "#6E6A2A",
                                                         "#5E5A24", "#7A5A2E")
# Island
SAND, SAND_LIGHT, WET_SAND, GRASS, GRASS_LIGHT, GRASS_DARK, PEBBLE, PEBBLE_LIGHT = (
    "#E3C277", "#F2DA9E", "#B8924E", "#5AA84A", "#86CC5E", "#3E8A3A", "#8C8C8C", "#BDBDBD")


def _mask(mid, shapes):
    """A mask that keeps everything except the given black shapes."""
    return (f'<mask id="{mid}" maskUnits="userSpaceOnUse" x="0" y="0" width="100" height="60">'
            f'<rect x="0" y="0" width="100" height="60" fill="#fff"/>{shapes}</mask>')


def _pad(w, h, base, shade, light, vein, rim, worn=False):
    defs = []
    cx, cy, rx, ry = w / 2, 21.5, w / 2 - 1.6, 19.6
    thick = 3.2
    s = []
    notch_a0, notch_a1 = math.radians(58), math.radians(86)
    notch = [(cx, cy), (cx + (rx + 4) * math.cos(notch_a0), cy + (ry + 4) * math.sin(notch_a0)),
             (cx + (rx + 4) * math.cos(notch_a1), cy + (ry + 4) * math.sin(notch_a1))]
    cut = poly(notch, "#000", None)
    holes = ""
    if worn:
        # Holes worn through the pad show the water.
        holes = (path("M20,14 Q25,11 28,15 Q27,19 23,19.5 Q19,18 20,14 Z", "#000", None)
                 + path("M60,27 Q64,24 68,27 Q67,30.5 63,31 Q59,30 60,27 Z", "#000", None)
                 + ellipse(54, 10, 3.2, 2.2, "#000", None)
                 # ragged bites out of the rim
                 + circle(6, 30, 4.5, "#000", None) + circle(82, 9, 4.0, "#000", None)
                 + circle(30, 42.5, 3.8, "#000", None))
    mid = uid("m")
    defs.append(_mask(mid, cut + holes))
    body = []
    # The pad's thickness shows as a darker rim below.
    body.append(ellipse(cx, cy + thick, rx, ry, rim, NAVY, 1.3))
    body.append(ellipse(cx, cy, rx, ry, base, NAVY, 1.3))
    inner = [path(f"M{cx - rx},{cy + 2} Q{cx},{cy + ry * 1.9} {cx + rx},{cy - 2} L{w},{h} L0,{h} Z", shade, None),
             path(f"M{cx - rx + 5},{cy - 3} Q{cx - rx + 10},{cy - ry + 3} {cx - 6},{cy - ry + 3} "
                  f"Q{cx - rx + 14},{cy - ry + 8} {cx - rx + 5},{cy - 3} Z", light, None)]
    for k in range(14):
        a = math.radians(84 + 8 + k * (360 - 30) / 13)
        x2, y2 = cx + (rx - 3) * math.cos(a), cy + (ry - 2.5) * math.sin(a)
        mx, my = cx + (rx * 0.55) * math.cos(a + 0.06), cy + (ry * 0.55) * math.sin(a + 0.06)
        inner.append(path(f"M{cx},{cy} Q{mx:.1f},{my:.1f} {x2:.1f},{y2:.1f}", None, vein, 0.9))
    inner.append(ellipse(cx, cy, 2.2, 1.4, vein, None))
    body.append(clipped(defs, [E(cx, cy, rx - 0.3, ry - 0.3)], inner))
    if worn:
        # Brown tears across the worn pad.
        body.append(path("M36,6 L40,12 L37,16 L43,22", None, ST_TEAR, 1.6))
        body.append(path("M70,20 L74,16 L79,19", None, ST_TEAR, 1.4))
        body.append(path("M14,24 L19,27 L16,32", None, ST_TEAR, 1.4))
        # The cut edges of the holes get a dark rim.
        body.append(path("M20,14 Q25,11 28,15 Q27,19 23,19.5 Q19,18 20,14 Z", None, NAVY, 1.8))
        body.append(path("M60,27 Q64,24 68,27 Q67,30.5 63,31 Q59,30 60,27 Z", None, NAVY, 1.8))
        body.append(ellipse(54, 10, 3.2, 2.2, None, NAVY, 1.8))
        body.append(circle(6, 30, 4.5, None, NAVY, 1.8) + circle(82, 9, 4.0, None, NAVY, 1.8)
                    + circle(30, 42.5, 3.8, None, NAVY, 1.8))
    body.append(poly(notch, None, NAVY, 1.6))
    s.append(group(body, extra=f'mask="url(#{mid})"'))
    return doc(w, h, s, "".join(defs))


@picture("Normal")
def normal(item):
    return [render(_pad(90, 47, PAD_BASE, PAD_SHADE, PAD_LIGHT, PAD_VEIN, PAD_RIM))]


@picture("Stepped")
def stepped(item):
    return [render(_pad(90, 47, ST_BASE, ST_SHADE, ST_LIGHT, ST_VEIN, ST_RIM, worn=True))]


def _grass_edge(cx, cy, rx, ry, n, seed):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        r = 1.0 + 0.09 * math.sin(i * 2.7 + seed) + 0.06 * math.cos(i * 1.3)
        pts.append((cx + rx * r * math.cos(a), cy + ry * r * math.sin(a)))
    d = f"M{pts[0][0]:.1f},{pts[0][1]:.1f} "
    for i in range(1, n + 1):
        x, y = pts[i % n]
        px, py = pts[i - 1]
        d += f"Q{(px + x) / 2 + (y - py) * 0.25:.1f},{(py + y) / 2 - (x - px) * 0.25:.1f} {x:.1f},{y:.1f} "
    return d + "Z"


@picture("Stable")
def stable(item):
    w, h = 90, 45
    defs = []
    cx, cy, rx, ry = 45, 20.5, 43.2, 18.6
    s = [ellipse(cx, cy + 3.5, rx, ry, WET_SAND, NAVY, 1.3)]
    sand = [E(cx, cy, rx, ry)]
    grass = _grass_edge(44, 18, 26, 11, 16, 0.7)
    s.append(shaded(defs, sand, SAND, sw=1.3,
                    shade=WET_SAND, shade_d=f"M0,{cy + 8} Q{cx},{cy + ry * 2.1} 90,{cy + 4} L90,45 L0,45 Z",
                    light=SAND_LIGHT, light_d=f"M6,{cy - 2} Q10,{cy - 15} {cx - 8},{cy - 17} Q14,{cy - 11} 6,{cy - 2} Z",
                    extra=[circle(16, 24, 0.7, WET_SAND, None), circle(74, 13, 0.7, WET_SAND, None),
                           circle(80, 22, 0.6, WET_SAND, None), circle(12, 15, 0.6, WET_SAND, None)]))
    s.append(path(grass, GRASS, NAVY, 1.1))
    s.append(clipped(defs, [P(grass)], [
        path("M16,24 Q44,36 72,20 L72,34 L16,34 Z", GRASS_DARK, None),
        path("M24,14 Q30,8 40,8.5 Q30,11 24,14 Z", GRASS_LIGHT, None),
    ]))
    # Grass blades and a flower.
    for x, y in ((30, 17), (52, 14), (60, 22), (38, 24), (46, 19)):
        s.append(path(f"M{x - 1.5},{y + 1.5} L{x - 0.5},{y - 2} L{x + 0.5},{y + 1} L{x + 1.6},{y - 1.5}", None,
                      GRASS_DARK, 0.9))
    # Two round bushes make the patch read as land.
    for x, y, r in ((63, 13.5, 4.2), (24.5, 19.5, 3.6)):
        s.append(circle(x, y + 1, r, GRASS_DARK, NAVY, 0.9))
        s.append(circle(x - r * 0.25, y + 0.4, r * 0.62, GRASS, None))
        s.append(circle(x - r * 0.4, y - r * 0.1, r * 0.28, GRASS_LIGHT, None))
    s.append(circle(56, 17, 1.5, "#FFF2A8", NAVY, 0.7))
    s.append(circle(33, 21, 1.3, "#F58CB0", NAVY, 0.7))
    # Pebbles on the sand.
    for x, y, r in ((73, 27, 3.0), (78.5, 24.5, 2.2), (15, 28, 2.4)):
        s.append(ellipse(x, y, r, r * 0.75, PEBBLE, NAVY, 0.9))
        s.append(ellipse(x - r * 0.3, y - r * 0.3, r * 0.4, r * 0.25, PEBBLE_LIGHT, None))
    return [render(doc(w, h, s, "".join(defs)))]


# Splash: a crown of water flung up where a pad went under.
FOAM, GLINT, SPL_MID, SPL_EDGE = "#E8F7FD", "#9FDDF5", "#5FC0E8", "#1F6FA8"


@picture("Splash", edge=(0x1F, 0x6F, 0xA8))
def splash(item):
    s = []
    o = SPL_EDGE
    s.append(ellipse(25, 21, 21.5, 5.6, GLINT, o, 1.1))
    s.append(ellipse(25, 21.3, 14, 3.2, SPL_MID, None))
    crown = ("M6,21 L5,12 L9.5,17.5 L11,6 L15,16 L18.5,3.5 L21.5,15 L25,7.5 L28.5,15 L32,3.5 L35,16 "
             "L39,6 L40.5,17.5 L45,12 L44,21 Q25,27 6,21 Z")
    s.append(path(crown, FOAM, o, 1.1))
    s.append(path("M9,20.5 Q25,25 41,20.5", None, GLINT, 1.3))
    s.append(path("M14,18 L15,12 M25,17.5 L25,11 M35,18 L35,12", None, GLINT, 1.0))
    for x, y, r in ((3, 6, 1.5), (15, 2, 1.3), (26, 1.8, 1.2), (36, 1.8, 1.4), (47, 6.5, 1.5), (8, 1.8, 1.0),
                    (43, 1.8, 1.0)):
        s.append(circle(x, y, r, FOAM, o, 0.8))
    return [render(doc(50, 28, s))]


# The diamond.
GEM = ["#F3FDFF", "#C9F1FD", "#97E0F7", "#62C4EC", "#3A9DD6"]
SPARK, SPARK_EDGE = "#FFF8C8", "#F2B83A"


def _star4(cx, cy, r, fill=SPARK, stroke=SPARK_EDGE, sw=0.8):
    t = r * 0.28
    pts = [(cx, cy - r), (cx + t, cy - t), (cx + r, cy), (cx + t, cy + t), (cx, cy + r), (cx - t, cy + t),
           (cx - r, cy), (cx - t, cy - t)]
    return poly(pts, fill, stroke, sw)


def diamond(frame):
    defs = []
    s = []
    top, gird, bot = 9.5, 18.5, 44.0
    L, R, tl, tr, cx = 2.2, 33.8, 10.5, 25.5, 18
    outline = [(tl, top), (tr, top), (R, gird), (cx, bot), (L, gird)]
    # Crown facets.
    m1, m2 = (tl + L) / 2 + 1.5, (tr + R) / 2 - 1.5
    facets = [
        ([(tl, top), (tr, top), (cx, gird)], GEM[0]),
        ([(tl, top), (cx, gird), (L, gird)], GEM[1]),
        ([(tr, top), (R, gird), (cx, gird)], GEM[2]),
        ([(L, gird), (10, gird), (cx, bot)], GEM[1]),
        ([(10, gird), (cx, gird), (cx, bot)], GEM[2]),
        ([(cx, gird), (26, gird), (cx, bot)], GEM[3]),
        ([(26, gird), (R, gird), (cx, bot)], GEM[4]),
    ]
    body = [Q(outline)]
    inner = [poly(p, c, None) for p, c in facets]
    inner += [poly(p, None, "#3A8FC8", 0.7) for p, _ in facets]
    inner.append(path(f"M{m1},{top + 3} L{tl + 2},{top + 1}", None, "#FFFFFE", 1.0))
    # A band of light sweeps across the stone.
    sweep = -14 + frame * 7.5
    inner.append(poly([(sweep, 0), (sweep + 5, 0), (sweep - 9, 50), (sweep - 14, 50)], "#FDFFFF", None,
                      extra='opacity="0.75"'))
    s.append(blob(body, GEM[2], 1.2))
    s.append(clipped(defs, body, inner))
    s.append(poly(outline, None, NAVY, 1.2))
    # Sparkles twinkle in turn around the stone.
    stars = {0: [(30, 7, 4.5)], 1: [(30, 7, 6.5)], 2: [(30, 7, 3.5), (6, 29, 3.0)], 3: [(6, 29, 5.0)],
             4: [(6, 29, 3.5), (24, 33, 2.5)], 5: [(24, 33, 4.0)], 6: [(24, 33, 2.5), (8, 6, 3.0)],
             7: [(8, 6, 5.5)], 8: [(8, 6, 3.5)], 9: [(30, 7, 2.5)]}
    for x, y, r in stars[frame]:
        s.append(_star4(x, y, r))
    return doc(36, 46, s, "".join(defs))


@picture("Prize")
def prize(item):
    return [render(diamond(f)) for f in range(10)]


# Bonuses.
HEART, HEART_SHADE, HEART_LIGHT = "#EC3B55", "#B22340", "#FF8FA0"


def heart_path(cx, cy, w, h):
    """A plump heart whose bounding box is w x h centred on (cx, cy)."""
    x0, y0 = cx - w / 2, cy - h / 2
    X = lambda u: x0 + u * w  # noqa: E731
    Y = lambda v: y0 + v * h  # noqa: E731
    return (f"M{X(0.5)},{Y(0.24)} C{X(0.5)},{Y(0.02)} {X(0.86)},{Y(-0.06)} {X(0.97)},{Y(0.18)} "
            f"C{X(1.07)},{Y(0.42)} {X(0.84)},{Y(0.68)} {X(0.5)},{Y(1.0)} "
            f"C{X(0.16)},{Y(0.68)} {X(-0.07)},{Y(0.42)} {X(0.03)},{Y(0.18)} "
            f"C{X(0.14)},{Y(-0.06)} {X(0.5)},{Y(0.02)} {X(0.5)},{Y(0.24)} Z")


def heart(defs, cx, cy, w, h, base=HEART, shade=HEART_SHADE, light=HEART_LIGHT, sw=1.2):
    d = heart_path(cx, cy, w, h)
    x0, y0 = cx - w / 2, cy - h / 2
    return shaded(defs, [P(d)], base, sw=sw,
                  shade=shade, shade_d=f"M{x0 - 2},{y0 + h * 0.55} Q{cx},{y0 + h * 1.2} {x0 + w + 2},{y0 + h * 0.2} "
                                       f"L{x0 + w + 2},{y0 + h + 2} L{x0 - 2},{y0 + h + 2} Z",
                  light=light, light_d=f"M{x0 + w * 0.14},{y0 + h * 0.36} Q{x0 + w * 0.13},{y0 + h * 0.1} "
                                       f"{x0 + w * 0.34},{y0 + h * 0.1} Q{x0 + w * 0.22},{y0 + h * 0.2} "
                                       f"{x0 + w * 0.14},{y0 + h * 0.36} Z")


@picture("Pulse")
def pulse(item):
    out = []
    for scale, glow in ((0.74, False), (1.0, True), (0.84, False), (0.96, True)):
        defs = []
        w, h = 25.5 * scale, 22.0 * scale
        s = []
        if glow:
            s.append(path(heart_path(14.5, 12.6, w + 3.5, h + 3), None, "#FFB3C0", 1.1))
        s.append(heart(defs, 14.5, 12.3, w, h))
        out.append(render(doc(29, 25, s, "".join(defs))))
    return out


WOOD, WOOD_SHADE, GLASS, GLASS_LIGHT, SAND_C, SAND_S = ("#B9773A", "#8A5426", "#D6F1FA", "#F4FCFF",
                                                         "#F2C14E", "#D39A2C")


@picture("SandClock")
def sandclock(item):
    out = []
    for f in range(4):
        defs = []
        s = []
        top_fill = [0.88, 0.62, 0.38, 0.14][f]
        bulb = "M4,6 Q4,15 9.2,18 Q4,21 4,30 L16,30 Q16,21 10.8,18 Q16,15 16,6 Z"
        s.append(path(bulb, GLASS, NAVY, 1.1))
        # Sand in the top bulb: a level that sinks.
        ty = 7 + (1 - top_fill) * 10
        upper = f"M4,{ty} L16,{ty} L16,6 L4,6 Z"
        sand_top = clipped(defs, [P(bulb)], [path(f"M0,{ty} Q10,{ty + 1.5} 20,{ty} L20,18 L0,18 Z", SAND_C, None)])
        s.append(sand_top)
        # Sand heap in the bottom bulb.
        by = 29.5 - (1 - top_fill) * 9
        s.append(clipped(defs, [P(bulb)], [path(f"M0,30 L0,{by + 3} Q10,{by - 3} 20,{by + 3} L20,30 Z", SAND_C, None),
                                            path(f"M11,30 L20,{by + 3} L20,30 Z", SAND_S, None)]))
        # The falling stream, with a grain that moves.
        s.append(path(f"M10,18 L10,{by}", None, SAND_S, 1.1))
        s.append(circle(10, 19.5 + f * 2.2, 0.7, SAND_C, None))
        s.append(path("M6,9 Q6,14 8,16", None, GLASS_LIGHT, 1.2))
        s.append(path(bulb, None, NAVY, 1.1))
        del upper
        # Wooden ends and posts.
        s.append(tube("M3,5 L3,31", WOOD_SHADE, 1.4))
        s.append(tube("M17,5 L17,31", WOOD_SHADE, 1.4))
        s.append(path("M1.2,1.5 L18.8,1.5 L18.8,5.5 L1.2,5.5 Z", WOOD, NAVY, 1.1))
        s.append(path("M1.2,30.5 L18.8,30.5 L18.8,34.5 L1.2,34.5 Z", WOOD, NAVY, 1.1))
        s.append(path("M2.5,3 L17.5,3", None, "#D9975A", 0.9))
        s.append(path("M2.5,33 L17.5,33", None, WOOD_SHADE, 0.9))
        out.append(render(doc(20, 36, s, "".join(defs))))
    return out


ARROW, ARROW_SHADE, ARROW_LIGHT = "#8EE04A", "#4E9E2E", "#D2F7A6"


@picture("ArrowUp")
def arrow_up(item):
    out = []
    for f in range(4):
        defs = []
        oy = [5.0, 3.3, 1.6, 0.0][f]
        s = []
        shape = (f"M9.5,{1 + oy} L18,{10.5 + oy} L13,{10.5 + oy} L13,{22.5 + oy} L6,{22.5 + oy} L6,{10.5 + oy} "
                 f"L1,{10.5 + oy} Z")
        s.append(shaded(defs, [P(shape)], ARROW, sw=1.2,
                        shade=ARROW_SHADE, shade_d=f"M11,{oy} L20,{oy + 11} L20,30 L11,30 Z",
                        light=ARROW_LIGHT, light_d=f"M3.5,{9.6 + oy} L9.5,{3 + oy} L9.5,{5 + oy} L5.5,{9.6 + oy} Z"))
        # Speed dashes trail below.
        for k, (x, ln) in enumerate(((7.5, 2.5), (11.5, 3.5))):
            y = 24.5 + oy + (1 + k) * 0.5
            if y + ln <= 28.5:
                s.append(path(f"M{x},{y} L{x},{y + ln}", None, ARROW_SHADE, 1.4))
        out.append(render(doc(19, 29, s, "".join(defs))))
    return out


# Fruit basket: food everywhere.
WICKER, WICKER_SHADE, WICKER_LINE = "#D39A55", "#A8713A", "#8A5A2C"


@picture("MegaPrize")
def mega_prize(item):
    out = []
    for f in range(4):
        defs = []
        s = []
        hop = [[0, 0, 0], [-2, 0, 0], [0, -2, 0], [0, 0, -2]][f]
        # Handle.
        s.append(tube("M6,15 Q15,0 24,15", WICKER_SHADE, 2.0))
        # Fruits peeking out of the basket.
        s.append(shaded(defs, [C(10, 14 + hop[0], 5.2)], "#E8423C", shade="#B02A2E",
                        shade_d=f"M4,{15 + hop[0]} Q10,{22 + hop[0]} 16,{12 + hop[0]} L16,22 L4,22 Z",
                        light="#FF9A8A", light_d=f"M7,{12 + hop[0]} Q8,{10 + hop[0]} 10,{10 + hop[0]} Q8,{11 + hop[0]} 7,{12 + hop[0]} Z"))
        s.append(path(f"M10,{9.5 + hop[0]} Q11,{7 + hop[0]} 13,{7 + hop[0]}", None, "#3E8A3A", 1.2))
        for gx, gy in ((19, 12), (22.5, 12), (20.8, 9.2), (24, 9.5), (17.5, 9)):
            s.append(circle(gx, gy + hop[1], 2.1, "#8E5CC2", NAVY, 0.8))
        s.append(circle(20.4, 8.6 + hop[1], 0.6, "#C9A8EE", None))
        s.append(path(f"M13,{15 + hop[2]} Q15,{6 + hop[2]} 22,{4.5 + hop[2]} Q18,{9 + hop[2]} 17,{15 + hop[2]} Z",
                      "#FFD64A", NAVY, 0.9))
        # Basket.
        basket = "M2.5,15 L27.5,15 L24.5,28 L5.5,28 Z"
        s.append(shaded(defs, [P(basket)], WICKER, sw=1.2, shade=WICKER_SHADE, shade_d="M15,15 L30,15 L30,30 L20,30 Z",
                        extra=[path("M3.5,19.5 L26.5,19.5 M4.5,23.8 L25.5,23.8", None, WICKER_LINE, 0.9)]
                        + [path(f"M{x},{15} L{x + (15 - x) * 0.12},{28}", None, WICKER_LINE, 0.8)
                           for x in (8, 12.5, 17, 21.5)]))
        s.append(path("M1.5,15 L28.5,15", None, NAVY, 2.6))
        s.append(path("M2,15 L28,15", None, WICKER, 1.2))
        # A sparkle that hops around.
        sx, sy = [(26, 4), (4, 6), (27, 24), (3, 22)][f]
        s.append(_star4(sx, sy, 3.2))
        out.append(render(doc(30, 30, s, "".join(defs))))
    return out


STAR, STAR_SHADE, STAR_LIGHT = "#FFD23F", "#E89A1C", "#FFF3B0"


def star5(cx, cy, r, rot=0.0, fill=STAR, sw=1.0):
    pts = []
    for i in range(10):
        a = math.radians(-90 + 36 * i) + rot
        rr = r if i % 2 == 0 else r * 0.48
        pts.append((round(cx + rr * math.cos(a), 2), round(cy + rr * math.sin(a), 2)))
    return poly(pts, fill, NAVY, sw)


@picture("Stars")
def stars(item):
    out = []
    for f in range(6):
        defs = []
        s = []
        # A little island in the middle.
        s.append(ellipse(27.5, 33.5, 14.5, 7.0, WET_SAND, NAVY, 1.1))
        s.append(ellipse(27.5, 32, 14.5, 6.3, SAND, NAVY, 1.1))
        s.append(path(_grass_edge(27, 31, 8.5, 3.6, 10, 1.3), GRASS, NAVY, 0.9))
        s.append(ellipse(24.5, 30, 3, 1.2, GRASS_LIGHT, None))
        # Three stars circle round it.
        back, front = [], []
        for k in range(3):
            a = math.radians(f * 20 + k * 120)
            x, y = 27.5 + 20 * math.cos(a), 26 + 13 * math.sin(a)
            r = 6.8 + 1.8 * math.sin(a)
            star = star5(x, y, r, rot=a * 0.5)
            (front if math.sin(a) > 0 else back).append(star)
        s = back + s + front
        # Twinkles.
        tw = [(8, 8), (47, 10), (45, 47), (10, 45), (27, 4), (50, 30)][f]
        s.append(_star4(tw[0], tw[1], 3.3))
        out.append(render(doc(55, 55, s, "".join(defs))))
    return out
