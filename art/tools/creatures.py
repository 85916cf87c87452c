"""The Dragon and the three monsters, facing right (the game mirrors the left-facing ones)."""

from registry import picture
from shapes import C, E, P, Q, blob, clipped, eye, shaded, tube
from svgkit import NAVY, circle, doc, ellipse, path, poly, render

# Dragon colours
D_BASE, D_SHADE, D_LIGHT = "#F2A03D", "#C8742A", "#FFC766"
D_BELLY, D_BELLY_LINE = "#FBE7B5", "#E2BE7E"
D_WING, D_WING_DARK = "#E36A3A", "#B8472A"
BLUSH = "#F58C7A"
HORN = "#FFF1CF"


def dragon(frame):
    defs = []
    up = frame == 1  # wings up, body pressed down a pixel
    b = 1 if up else 0
    s = []
    # Tail with a spade tip, behind everything.
    tip = (2.8, 28.2) if not up else (3.2, 27.4)
    s.append(tube(f"M13,{36.5 + b * 0.3} C7,{39.5} 2.5,{37} {tip[0]},{tip[1] + 3.2}", D_BASE, 3.0))
    tx, ty = tip
    s.append(poly([(tx, ty - 3.2), (tx + 3.0, ty + 2.4), (tx, ty + 1.2), (tx - 2.6, ty + 2.4)],
                  D_WING, NAVY))
    # Wing behind the body: spread back, or raised.
    if up:
        wing = ("M16.5,22 C14.5,16 12.5,10 10.5,3 C8.5,6.5 5.5,8.5 2.5,9.5 C5,11.5 5,14.5 4,17.5 "
                "C7,17 9.5,19 9.5,21.5 C12,21 13.5,23 14,25.5 Z")
        bones = ["M16.5,22 L10.5,3.8", "M13.5,16 L4.5,10.5", "M14,19.5 L5,17"]
    else:
        wing = ("M16.5,22 C12,18.5 8,14.5 3,11 C4,14.5 3,17.5 1.5,20.5 C4.5,20 6.5,21.5 6.5,24.5 "
                "C9,23.5 11.5,25 12.5,27.5 Z")
        bones = ["M16.5,22 L3.6,11.6", "M12,18.5 L2.5,20", "M13.5,20 L6.8,24"]
    s.append(path(wing, D_WING, NAVY))
    for d in bones:
        s.append(path(d, None, D_WING_DARK, 0.9))
    # Feet.
    s.append(ellipse(13.5, 39.3, 4.2, 2.3, D_SHADE, NAVY))
    s.append(ellipse(24.5, 39.3, 4.2, 2.3, D_SHADE, NAVY))
    # Body.
    body = [E(19, 29 + b * 0.5, 10.2, 10 - b * 0.5)]
    s.append(shaded(defs, body, D_BASE,
                    shade=D_SHADE, shade_d="M6,36 Q20,44 31,27 L31,42 L6,42 Z",
                    light=D_LIGHT, light_d=f"M10,{27 + b} Q11,{21 + b} 17,{20 + b} Q12,{23 + b} 10,{27 + b} Z"))
    # Belly with plates.
    belly = [E(23, 31 + b * 0.5, 5.6, 7.3 - b * 0.3)]
    s.append(shaded(defs, belly, D_BELLY, extra=[
        path(f"M17,{28 + b} Q23,{30 + b} 29,{28 + b}", None, D_BELLY_LINE, 0.9),
        path(f"M17,{32 + b} Q23,{34 + b} 29,{32 + b}", None, D_BELLY_LINE, 0.9),
    ]))
    # Little arm.
    s.append(tube(f"M25,{26.5 + b} Q29,{27.5 + b} 30,{30.5 + b}", D_BASE, 2.6))
    hy = b  # head bob
    # Horns behind the head.
    s.append(poly([(19.5, 9.5 + hy), (15.8, 1.2 + hy), (23.8, 6.2 + hy)], HORN, NAVY))
    s.append(poly([(25.2, 6.5 + hy), (26, 0.6 + hy), (30, 6.8 + hy)], HORN, NAVY))
    # Back spikes.
    s.append(poly([(17.5, 14 + hy), (13.2, 14.2 + hy), (16.6, 18 + hy)], D_WING, NAVY))
    s.append(poly([(14, 19.5 + hy), (9.8, 20 + hy), (13, 23.5 + hy)], D_WING, NAVY))
    # Head and snout as one blob.
    head = [C(26.5, 14.5 + hy, 9.3), E(33.5, 18 + hy, 6.8, 5.1)]
    s.append(shaded(defs, head, D_BASE,
                    shade=D_SHADE, shade_d=f"M17,{19 + hy} Q28,{28 + hy} 41,{19 + hy} L41,30 L17,30 Z",
                    light=D_LIGHT, light_d=f"M20,{11 + hy} Q22,{6 + hy} 27,{6 + hy} Q22,{8 + hy} 20,{11 + hy} Z"))
    # Face.
    s.append(eye(29.3, 12.2 + hy, 3.5, 4.1, 30.6, 12.8 + hy, 2.0))
    s.append(ellipse(33.5, 20.3 + hy, 2.1, 1.2, BLUSH, None))
    s.append(circle(38.6, 16.2 + hy, 0.75, NAVY, None))
    s.append(path(f"M32.5,{21.2 + hy} Q36,{23.3 + hy} 39.6,{20.4 + hy}", None, NAVY, 0.95))
    return doc(42, 42, s, "".join(defs))


@picture("DragonR")
def dragon_r(item):
    return [render(dragon(f)) for f in range(2)]


# Red monster: a round little imp with horns, beady eyes and a fanged grin.
R_BASE, R_SHADE, R_LIGHT, R_SPOT = "#D8343A", "#9E1F2A", "#F2686A", "#B52832"
BONE, BONE_SHADE = "#F6E7C6", "#D6BF92"
MOUTH = "#5A1424"
FANG = "#FBF6EA"


def red_monster(frame):
    defs = []
    sq = frame == 1  # squashed, arms up, mouth wide
    s = []
    cy = 21.5 if not sq else 22.5
    ry = 12.8 if not sq else 11.8
    rx = 13.0 if not sq else 13.9
    # Devil tail.
    s.append(tube(f"M8,{cy + 7} C3,{cy + 8} 1.5,{cy + 3} 3,{cy - 1}", R_BASE, 2.4))
    s.append(poly([(3, cy - 4.5), (5.8, cy), (0.8, cy + 0.2)], R_SHADE, NAVY))
    # Feet.
    s.append(ellipse(12, 34.3, 4.3, 2.3, R_SHADE, NAVY))
    s.append(ellipse(24, 34.3, 4.3, 2.3, R_SHADE, NAVY))
    # Back arm.
    s.append(tube(f"M9,{cy + 3} Q5,{cy + 5 - (5 if sq else 0)} 4.5,{cy + 8 - (9 if sq else 0)}",
                  R_SHADE, 2.6))
    # Horns.
    s.append(path(f"M10,{cy - 9} Q5,{cy - 14} 7,{cy - 20} Q10,{cy - 14} 14.5,{cy - 11} Z", BONE, NAVY))
    s.append(path(f"M22,{cy - 11.5} Q25,{cy - 17} 30,{cy - 19} Q29,{cy - 13} 26.5,{cy - 9} Z",
                  BONE, NAVY))
    # Body.
    body = [E(18, cy, rx, ry)]
    s.append(shaded(defs, body, R_BASE,
                    shade=R_SHADE, shade_d=f"M3,{cy + 5} Q18,{cy + 17} 33,{cy - 2} L33,40 L3,40 Z",
                    light=R_LIGHT, light_d=f"M8,{cy - 4} Q9,{cy - 10} 15,{cy - 11} Q10,{cy - 8} 8,{cy - 4} Z",
                    extra=[circle(9, cy + 1, 1.6, R_SPOT, None), circle(12.5, cy - 5, 1.2, R_SPOT, None),
                           circle(7.5, cy - 4.5, 0.9, R_SPOT, None)]))
    # Beady eyes under angry brows.
    ey = cy - 4
    s.append(eye(21, ey, 2.5, 2.9, 22.1, ey + 0.4, 1.35))
    s.append(eye(28, ey - 0.5, 2.5, 2.9, 29.1, ey - 0.1, 1.35))
    s.append(path(f"M18,{ey - 4.2} L23.5,{ey - 2.6}", None, NAVY, 1.3))
    s.append(path(f"M25.8,{ey - 3} L31,{ey - 4.8}", None, NAVY, 1.3))
    # Grin with fangs.
    my = cy + 3
    if sq:
        mouth = f"M18.5,{my} Q25,{my + 1} 31,{my - 2} Q30,{my + 5} 25,{my + 5.5} Q20,{my + 5} 18.5,{my} Z"
    else:
        mouth = f"M18.5,{my} Q25,{my + 1.2} 31,{my - 2} Q29,{my + 3} 25,{my + 3.2} Q20.5,{my + 3} 18.5,{my} Z"
    s.append(path(mouth, MOUTH, NAVY, 1.0))
    s.append(poly([(20.8, my + 0.4), (22.0, my + 3.0), (23.2, my + 0.7)], FANG, NAVY, 0.7))
    s.append(poly([(26.4, my + 0.4), (27.6, my + 2.8), (28.8, my - 0.1)], FANG, NAVY, 0.7))
    # Front arm.
    if sq:
        s.append(tube(f"M24,{cy + 8} Q28,{cy + 9} 30,{cy + 6}", R_BASE, 2.8))
        s.append(circle(30.3, cy + 5.4, 1.9, R_BASE, NAVY))
    else:
        s.append(tube(f"M23,{cy + 8.5} Q26,{cy + 11} 29,{cy + 10}", R_BASE, 2.8))
        s.append(circle(29.3, cy + 9.6, 1.9, R_BASE, NAVY))
    return doc(36, 37, s, "".join(defs))


@picture("Monster1R")
def monster1(item):
    return [render(red_monster(f)) for f in range(2)]


# Green monster: a big toad with bulging eyes, a wide mouth and a throat that puffs.
G_BASE, G_SHADE, G_LIGHT, G_BELLY, G_WART = "#6FBF3A", "#4D8A2A", "#9BDB5C", "#D6E889", "#4D8A2A"
G_IRIS, G_SAC = "#F4D03F", "#E9F1B0"


def green_monster(frame):
    defs = []
    puff = frame == 1
    s = []
    by = 0.6 if puff else 0
    # Back leg, folded, with a long webbed foot.
    s.append(path("M2.5,46.5 Q3,43.5 8,43.5 L16,44 Q17,46.8 14,47.2 Z", G_SHADE, NAVY))
    leg = [E(10.5, 38.5, 7.8, 7.0)]
    s.append(shaded(defs, leg, G_BASE, shade=G_SHADE, shade_d="M2,40 Q10,48 19,38 L19,48 L2,48 Z",
                    light=G_LIGHT, light_d="M5,36 Q6,32 10,31.5 Q7,33.5 5,36 Z"))
    # Body, head and the two eye bumps as one blob.
    body = [E(20.5, 35 + by, 15, 11.5), E(28.5, 25 + by, 13.2, 9.5), C(23.5, 16 + by, 5.6),
            C(34.5, 15.5 + by, 5.6)]
    s.append(shaded(defs, body, G_BASE,
                    shade=G_SHADE, shade_d=f"M4,{38 + by} Q22,{52 + by} 42,{29 + by} L44,49 L4,49 Z",
                    light=G_LIGHT, light_d=f"M9,{31 + by} Q12,{24 + by} 19,{23 + by} Q13,{26 + by} 9,{31 + by} Z",
                    extra=[circle(12, 32 + by, 1.9, G_WART, None), circle(16.5, 27.8 + by, 1.3, G_WART, None),
                           circle(8.5, 38 + by, 1.3, G_WART, None), circle(15.5, 34.5 + by, 1.0, G_WART, None),
                           ellipse(29, 40 + by, 8, 6, G_BELLY, None)]))
    # Throat sac.
    if puff:
        s.append(ellipse(36, 30.8 + by, 6.0, 4.4, G_SAC, NAVY))
        s.append(ellipse(34.5, 29.6 + by, 2.2, 1.1, "#FAFCE0", None))
    # Eyes: yellow irises with slit pupils under heavy lids.
    for ex, ey in ((23.5, 16), (34.5, 15.5)):
        s.append(circle(ex + 0.5, ey + by, 3.9, G_IRIS, NAVY, 0.9))
        s.append(ellipse(ex + 1.3, ey + 0.2 + by, 2.4, 1.2 if not puff else 0.7, NAVY, None))
        s.append(circle(ex - 0.6, ey - 1.4 + by, 0.85, "#FFFBEA", None))
        s.append(path(f"M{ex - 4.3},{ey - 1.2 + by} Q{ex + 0.5},{ey - 6.2 + by} {ex + 4.6},{ey - 1.4 + by}",
                      None, NAVY, 1.2))
    # The wide mouth, from cheek to snout.
    s.append(path(f"M19,{26.5 + by} Q31,{31.5 + by} 42,{22.5 + by}", None, NAVY, 1.4))
    s.append(path(f"M18.2,{24.8 + by} Q17.8,{27 + by} 19.8,{27.8 + by}", None, NAVY, 1.1))
    s.append(circle(40, 20 + by, 0.75, NAVY, None))
    # Front legs.
    s.append(tube(f"M24,{40 + by} Q23.5,{44} 25,{45.8}", G_SHADE, 3.4))
    s.append(ellipse(27, 46.4, 4.2, 1.8, G_SHADE, NAVY))
    s.append(tube(f"M33.5,{38 + by} Q35.5,{42} 35,{45.5}", G_BASE, 3.6))
    s.append(ellipse(37.3, 46.3, 4.6, 1.9, G_BASE, NAVY))
    return doc(44, 49, s, "".join(defs))


@picture("Monster2R")
def monster2(item):
    return [render(green_monster(f)) for f in range(2)]


# Shaggy monster: a mop of purple-brown fur with eyes peeking out under its fringe.
S_BASE, S_SHADE, S_LIGHT, S_DARK = "#7B4F8E", "#5A3A6B", "#A57BB8", "#3E2750"
S_FOOT, S_CLAW = "#4A2F5A", "#F3E2C0"


def tufts(cx, cy, rx, ry, n, depth, phase, skip_bottom=False):
    """A closed outline of n fur tufts around an ellipse; each tuft is a pointed bump."""
    import math
    pts = []
    for i in range(n):
        a0 = 2 * math.pi * (i / n) + phase
        a1 = 2 * math.pi * ((i + 0.5) / n) + phase
        dep = depth * (1.0, 0.65, 0.85)[i % 3]
        pts.append((cx + rx * math.cos(a0), cy + ry * math.sin(a0), cx + (rx + dep) * math.cos(a1),
                    cy + (ry + dep) * math.sin(a1)))
    d = f"M{pts[0][0]:.2f},{pts[0][1]:.2f} "
    for i in range(n):
        x0, y0, tx, ty = pts[i]
        nx, ny = pts[(i + 1) % n][0], pts[(i + 1) % n][1]
        # Control point bent sideways so each tuft leans like combed fur.
        d += f"Q{(x0 + tx) / 2 + (ty - y0) * 0.35:.2f},{(y0 + ty) / 2 - (tx - x0) * 0.35:.2f} {tx:.2f},{ty:.2f} "
        d += f"Q{(tx + nx) / 2:.2f},{(ty + ny) / 2:.2f} {nx:.2f},{ny:.2f} "
    return d + "Z"


def shaggy_monster(frame):
    import math
    defs = []
    alt = frame == 1
    s = []
    # Feet with claws.
    for fx in (14.5, 29.5):
        s.append(ellipse(fx, 44.8, 5.6, 2.6, S_FOOT, NAVY))
        for k in (-3, 0, 3):
            s.append(ellipse(fx + k + 1.2, 46.3, 1.0, 0.9, S_CLAW, NAVY, 0.6))
    cy = 24.5 if not alt else 25.2
    phase = 0.0 if not alt else math.pi / 17
    fur = tufts(22.3, cy, 16.6 if not alt else 17.2, 15.6 if not alt else 15.0, 17, 4.2, phase)
    body = [P(fur)]
    inner = []
    # Fur strands drawn inside.
    for i in range(9):
        a = 2 * math.pi * i / 9 + 0.4 + phase
        x, y = 22.3 + 11 * math.cos(a), cy + 10 * math.sin(a)
        inner.append(path(f"M{x:.1f},{y:.1f} q{2 * math.cos(a + 0.6):.1f},{2 * math.sin(a + 0.6):.1f} "
                          f"{3.5 * math.cos(a):.1f},{3.5 * math.sin(a):.1f}", None, S_LIGHT if y < cy else S_DARK, 1.0))
    s.append(shaded(defs, body, S_BASE, shade=S_SHADE,
                    shade_d=f"M2,{cy + 4} Q22,{cy + 26} 44,{cy - 4} L45,48 L0,48 Z",
                    light=S_LIGHT, light_d=f"M8,{cy - 5} Q10,{cy - 13} 19,{cy - 15} Q11,{cy - 10} 8,{cy - 5} Z",
                    extra=inner))
    # Eyes peeking under the fringe.
    ex = 0.8 if alt else 0
    for x in (26.5, 35):
        s.append(circle(x, cy - 1.5, 4.0, "#FBFDFF", NAVY, 0.9))
        s.append(circle(x + 1.4 + ex, cy - 0.7, 2.0, NAVY, None))
        s.append(circle(x + 2.0 + ex, cy - 1.4, 0.7, "#FBFDFF", None))
    edge = (f"M20,{cy - 8} Q22.5,{cy - 2.5} 24.5,{cy - 5} Q27,{cy - 1.6} 29.5,{cy - 5} "
            f"Q32,{cy - 1.6} 34,{cy - 5} Q36.5,{cy - 1.4} 38.5,{cy - 4.8} Q40.5,{cy - 2} 42,{cy - 5.5}")
    fringe = edge + f" L42,{cy - 14} L20,{cy - 14} Z"
    s.append(clipped(defs, body, [path(fringe, S_BASE, None), path(edge, None, NAVY, 1.0)]))
    # Open mouth with one tooth.
    my = cy + 7
    if alt:
        s.append(ellipse(31.5, my + 0.5, 4.2, 3.2, MOUTH, NAVY, 1.0))
        s.append(poly([(29.5, my - 2.4), (31, my + 0.5), (32.5, my - 2.4)], FANG, NAVY, 0.6))
    else:
        s.append(path(f"M26.5,{my - 0.5} Q31.5,{my + 5} 36.5,{my - 1} Q31.5,{my + 1.5} 26.5,{my - 0.5} Z", MOUTH, NAVY, 1.0))
        s.append(poly([(29.5, my + 0.6), (30.7, my + 2.6), (31.9, my + 0.9)], FANG, NAVY, 0.6))
    return doc(45, 48, s, "".join(defs))


@picture("Monster3R")
def monster3(item):
    return [render(shaggy_monster(f)) for f in range(2)]
