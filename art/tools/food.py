"""The 61 food pictures: group 1 everyday food up to group 5 the rarest treats."""

import math

from registry import picture
from shapes import C, E, P, Q, clipped, shaded, tube
from svgkit import NAVY, circle, doc, ellipse, line, path, poly, rect, render

LEAF, LEAF_SHADE, LEAF_LIGHT = "#5CB845", "#3A8A36", "#9ADB6A"
STEM = "#7A5230"
RED, RED_SHADE, RED_LIGHT = "#E8423C", "#B02A2E", "#FF9A8A"
CREAM, CREAM_SHADE = "#FFF4DC", "#E8D3A8"
BREAD, BREAD_SHADE, BREAD_LIGHT = "#D9964A", "#A9682E", "#F2BE74"
CHOC, CHOC_SHADE, CHOC_LIGHT = "#7A4A2A", "#55321C", "#A8714A"
WHITE = "#F7FAFC"  # never the pure white of a colour key
GLINT = "#FFFDF6"


class Pic:
    """One food picture under construction."""

    def __init__(self, w, h):
        self.w, self.h, self.defs, self.s, self.holes = w, h, [], [], []

    def add(self, *els):
        self.s.extend(els)
        return self

    def body(self, shape, base, shade=None, shade_d=None, light=None, light_d=None, extra=(), sw=1.1):
        """An outlined shape (path data, or a shape maker) with shading inside it."""
        shapes = [shape] if callable(shape) else [P(shape)]
        self.s.append(shaded(self.defs, shapes, base, shade, shade_d, light, light_d, sw, extra))
        return self

    def inside(self, shape, elements):
        shapes = [shape] if callable(shape) else [P(shape)]
        self.s.append(clipped(self.defs, shapes, elements))
        return self

    def hole(self, d):
        """Cuts a hole (path data) through everything drawn, with an outlined rim."""
        self.holes.append(d)
        self.s.append(path(d, None, NAVY, 2.2))
        return self

    def svg(self):
        body = self.s
        if self.holes:
            cuts = "".join(path(d, "#000", None) for d in self.holes)
            self.defs.append(f'<mask id="holes" maskUnits="userSpaceOnUse" x="0" y="0" width="{self.w}" '
                             f'height="{self.h}"><rect width="{self.w}" height="{self.h}" fill="#fff"/>{cuts}</mask>')
            body = [f'<g mask="url(#holes)">' + "".join(self.s) + "</g>"]
        return doc(self.w, self.h, body, "".join(self.defs))


def lower_right(w, h, k=0.55):
    """A shade area covering the lower right of the picture."""
    return f"M0,{h * k + h * 0.35} Q{w * 0.55},{h * 1.1} {w},{h * k - h * 0.15} L{w},{h} L0,{h} Z"


def upper_left_spot(x, y, rx, ry, fill=GLINT):
    return ellipse(x, y, rx, ry, fill, None)


def leaf(x, y, length, angle, width=None, fill=LEAF, vein=LEAF_SHADE):
    """A pointed leaf from (x, y) towards angle (degrees, 0 = right, y down)."""
    width = width or length * 0.45
    a = math.radians(angle)
    tx, ty = x + length * math.cos(a), y + length * math.sin(a)
    nx, ny = -math.sin(a) * width / 2, math.cos(a) * width / 2
    mx, my = (x + tx) / 2, (y + ty) / 2
    d = (f"M{x:.2f},{y:.2f} Q{mx + nx * 1.4:.2f},{my + ny * 1.4:.2f} {tx:.2f},{ty:.2f} "
         f"Q{mx - nx * 1.4:.2f},{my - ny * 1.4:.2f} {x:.2f},{y:.2f} Z")
    return path(d, fill, NAVY, 1.0) + path(f"M{x:.2f},{y:.2f} L{(x + tx * 2) / 3:.2f},{(y + ty * 2) / 3:.2f}",
                                           None, vein, 0.8)


FOOD = {}


def food(name):
    def wrap(fn):
        FOOD[name] = fn
        return fn
    return wrap


# ---------------------------------------------------------------- group 1: everyday food

@food("1_1")
def carrot(p):
    p.add(leaf(7.5, 9, 8, -100, 4), leaf(7, 9, 7, -135, 4), leaf(8, 9, 7, -60, 4))
    d = "M3,10.5 Q7.5,7.5 12.2,10.5 Q11.5,20 7.8,29.8 Q7,30.2 6.6,29.5 Q3.6,20 3,10.5 Z"
    p.body(d, "#F28C28", "#D0621A", "M8,8 L14,8 L14,31 L8,31 Z", "#FFB866", "M4.6,12 Q5.5,10 7,10 Q5.5,13 5.6,17 Z",
           extra=[path("M4,15 L6.5,15.6 M9.5,19 L11.5,18.4 M5,22.5 L7,23 M8.6,26 L9.8,25.6", None, "#B8561A", 0.9)])


@food("1_2")
def bread_loaf(p):
    d = "M2,19.5 L2,11 Q2,3 15.5,3 Q29,3 29,11 L29,19.5 Q29,21.8 26.8,21.8 L4.2,21.8 Q2,21.8 2,19.5 Z"
    p.body(d, BREAD, BREAD_SHADE, "M0,15 Q16,20 31,12 L31,23 L0,23 Z", BREAD_LIGHT, "M5,10 Q6,5 13,4.6 Q7,7 5,10 Z",
           extra=[path(f"M{x},{6.5} Q{x + 2.2},{9} {x + 1.5},{12.5}", None, BREAD_SHADE, 1.3) for x in (9, 14.5, 20)])


def apple(p, cx, cy, rx, ry, base=RED, shade=RED_SHADE, light=RED_LIGHT, leafy=True):
    d = (f"M{cx},{cy - ry * 0.62} Q{cx + rx * 0.45},{cy - ry * 1.05} {cx + rx * 0.85},{cy - ry * 0.7} "
         f"Q{cx + rx * 1.15},{cy - ry * 0.2} {cx + rx * 0.9},{cy + ry * 0.45} Q{cx + rx * 0.6},{cy + ry} {cx + rx * 0.2},{cy + ry} "
         f"Q{cx},{cy + ry * 0.88} {cx - rx * 0.2},{cy + ry} Q{cx - rx * 0.6},{cy + ry} {cx - rx * 0.9},{cy + ry * 0.45} "
         f"Q{cx - rx * 1.15},{cy - ry * 0.2} {cx - rx * 0.85},{cy - ry * 0.7} Q{cx - rx * 0.45},{cy - ry * 1.05} {cx},{cy - ry * 0.62} Z")
    p.body(d, base, shade, f"M{cx - rx * 1.2},{cy + ry * 0.2} Q{cx},{cy + ry * 1.3} {cx + rx * 1.2},{cy - ry * 0.4} "
                           f"L{cx + rx * 1.2},{cy + ry * 1.2} L{cx - rx * 1.2},{cy + ry * 1.2} Z",
           light, f"M{cx - rx * 0.75},{cy - ry * 0.1} Q{cx - rx * 0.7},{cy - ry * 0.6} {cx - rx * 0.3},{cy - ry * 0.65} "
                  f"Q{cx - rx * 0.55},{cy - ry * 0.35} {cx - rx * 0.75},{cy - ry * 0.1} Z")
    p.add(tube(f"M{cx},{cy - ry * 0.55} Q{cx + 0.5},{cy - ry * 1.0} {cx + 1.8},{cy - ry * 1.3}", STEM, 1.4))
    if leafy:
        p.add(leaf(cx + 1.3, cy - ry * 1.0, rx * 0.75, -20, rx * 0.42))


@food("1_3")
def red_apple(p):
    apple(p, 15, 15.5, 12.2, 10.2)


@food("1_4")
def corn(p):
    cob = "M9.5,2 Q15,4 14.5,16 Q14,25 9.5,29 Q5,25 4.5,16 Q4,4 9.5,2 Z"
    kern = []
    for y in range(4, 28, 3):
        kern.append(path(f"M3,{y} L16,{y + 0.5}", None, "#D9A52A", 0.8))
    for x in (7, 9.5, 12):
        kern.append(path(f"M{x},1 Q{x + (x - 9.5) * 0.2},16 {x},30", None, "#D9A52A", 0.8))
    p.body(cob, "#F7D54A", "#E0A82A", "M11,0 L17,0 L17,31 L11,31 Z", "#FFF0A0", "M6,8 Q7,4 9,3.5 Q7.5,7 7,12 Z",
           extra=kern)
    p.add(path("M9.5,31 Q2,26 1.2,13 Q5,18 8,24 Z", LEAF, NAVY, 1.0))
    p.add(path("M9.5,31 Q17,26 17.8,12 Q14,18 11,24 Z", LEAF_SHADE, NAVY, 1.0))
    p.add(path("M3,17 Q5,24 8.5,29", None, LEAF_LIGHT, 0.8))


@food("1_5")
def pear(p):
    d = "M9.5,6 Q12.5,6 13,11 Q13.6,15 16.2,19 Q18.4,24 15.8,28 Q13,31 9.5,31 Q6,31 3.2,28 Q0.6,24 2.8,19 Q5.4,15 6,11 Q6.5,6 9.5,6 Z"
    p.body(d, "#C9D94A", "#9CAF35", lower_right(19, 32, 0.7), "#EAF29A", "M4.5,20 Q5,17 7,15.5 Q6,19 5.8,22 Z",
           extra=[circle(12, 22, 0.5, "#8A9A30", None), circle(7, 26, 0.5, "#8A9A30", None)])
    p.add(tube("M9.5,6.5 Q9.5,3 11,1.5", STEM, 1.4), leaf(10.5, 4, 6, -10, 3.4))


@food("1_6")
def eggplant(p):
    d = "M8,7 Q13.5,7 14.5,15 Q16,23 13,28 Q10.5,30.5 7.5,30 Q3,29 2.5,23 Q2,17 4,12 Q5,7 8,7 Z"
    p.body(d, "#6B3A8E", "#4A2566", lower_right(17, 31, 0.65), "#A77BCB", "M4.8,18 Q5,13 7.2,10.5 Q6.2,14 6.2,19 Z")
    p.add(path("M3.5,9.5 Q8.5,4 13.5,9.5 Q11,8.5 10.5,11 Q8.5,9 6.5,11 Q6,8.5 3.5,9.5 Z", LEAF, NAVY, 1.0))
    p.add(tube("M8.5,6.5 Q8.5,3 10.5,1.5", LEAF_SHADE, 1.8))


@food("1_7")
def cheese(p):
    top = "M2,9 L26,2.5 L30,9 Z"
    front = "M2,9 L30,9 L30,21.5 L2,21.5 Z"
    p.body(front, "#FFD54A", "#F0B432", "M17,9 L31,9 L31,23 L17,23 Z", extra=[
        ellipse(8, 15, 2.4, 2.0, "#E0A030", None), ellipse(19, 17.5, 1.8, 1.5, "#E0A030", None),
        ellipse(25.5, 13, 1.5, 1.3, "#D8962A", None), ellipse(13, 11.5, 1.2, 0.9, "#E0A030", None)])
    p.body(top, "#FFE98A", extra=[ellipse(20, 6.5, 2.2, 1.0, "#F0C848", None)])


@food("1_8")
def fish(p):
    body = "M4.5,11.5 Q10,2.5 19,3.5 Q25,4.5 27.5,11.5 Q25,18.5 19,19.5 Q10,20.5 4.5,11.5 Z"
    p.add(path("M6,11.5 L1.2,5 Q3,11.5 1.2,18 Z", "#D85A3A", NAVY, 1.0))
    p.add(path("M14,5 Q16,0.8 20.5,2 L20,4.5 Z", "#D85A3A", NAVY, 1.0))
    p.body(body, "#F0784A", "#C8502E", "M2,13 Q16,19 30,11 L30,22 L2,22 Z", "#FFD0A8", "M9,14 Q15,18.5 22,16.5 Q15,16 9,14 Z",
           extra=[path("M17,5 Q15.5,11.5 17,18", None, "#C8502E", 0.9)])
    p.add(circle(23.2, 9.6, 1.9, WHITE, NAVY, 0.8), circle(23.7, 9.8, 0.9, NAVY, None))
    p.add(path("M27.3,12.5 L24.8,12.8", None, NAVY, 0.9))


@food("1_9")
def radish(p):
    p.add(leaf(8.5, 14, 11, -105, 5), leaf(7.5, 14, 9, -140, 4.5), leaf(9.5, 14, 9, -55, 4.5))
    p.add(path("M8.5,28 Q8.5,30 9.3,30.8", None, "#E8C8D0", 1.0))
    d = "M8.5,13.5 Q15,13.5 15,20.5 Q15,27 8.5,28.5 Q2,27 2,20.5 Q2,13.5 8.5,13.5 Z"
    p.body(d, "#E8436A", "#B82A50", lower_right(17, 31, 0.75), "#FF9AB6", "M4.5,19 Q5,16 8,15.5 Q5.8,17.5 5.6,20 Z",
           extra=[path("M5,26 Q8.5,29 12,26 L12,30 L5,30 Z", "#F4D8E0", None)])


@food("1_10")
def sausage(p):
    d = "M4.5,3 L26.5,3 Q30,3 30,7 Q30,11 26.5,11 L4.5,11 Q1,11 1,7 Q1,3 4.5,3 Z"
    p.body(d, "#C8553A", "#9A3A28", "M0,8.5 L31,8.5 L31,14 L0,14 Z", "#EE8E6E", "M6,4.8 L22,4.8 L22,6 L6,6 Z")
    p.add(path("M9,6 L11,8 M16,5.5 L18,7.5", None, "#9A3A28", 0.8))


@food("1_11")
def orange(p):
    d = "M15,4.5 Q27,4.5 27,15 Q27,25 15,25 Q3,25 3,15 Q3,4.5 15,4.5 Z"
    dots = [circle(x, y, 0.6, "#E8871A", None) for x, y in ((9, 12), (13, 16), (18, 11), (21, 17), (11, 20), (17, 21), (7, 16), (22, 22))]
    p.body(d, "#FF9F1C", "#E07A12", lower_right(30, 26, 0.55), "#FFCB70", "M7,12 Q8,8 12,7 Q9,9.5 8.5,13 Z", extra=dots)
    p.add(tube("M15,5.5 L15.5,3", STEM, 1.3), leaf(15.5, 4.2, 9, -25, 4.8))


@food("1_12")
def tomato(p):
    d = "M15.5,6 Q23,4.5 27.5,9 Q31,14 27.5,20 Q23,25.2 15.5,25.2 Q8,25.2 3.5,20 Q0,14 3.5,9 Q8,4.5 15.5,6 Z"
    p.body(d, "#E8342E", "#B02222", lower_right(31, 26, 0.6), "#FF8A7A", "M6,11 Q8,7.5 12,7 Q8.5,9.5 7.5,13 Z")
    p.add(poly([(15.5, 3), (17, 6.5), (21.5, 6), (17.5, 8.5), (19, 11), (15.5, 9.2), (12, 11), (13.5, 8.5),
                (9.5, 6), (14, 6.5)], LEAF, NAVY, 0.9))
    p.add(tube("M15.5,5 L15.8,1.5", LEAF_SHADE, 1.3))


@food("1_13")
def milk(p):
    d = "M5.5,6 L11.5,6 L11.5,10 Q15,12.5 15,16 L15,28.5 Q15,30 13.5,30 L3.5,30 Q2,30 2,28.5 L2,16 Q2,12.5 5.5,10 Z"
    p.body(d, "#F4F8FB", "#D4E0EA", "M10,9 L16,9 L16,31 L10,31 Z", None, None,
           extra=[rect(2, 17, 13, 7, "#3F8FD8", None), path("M4,19 L8,19", None, "#B8DCF8", 1.0),
                  path("M4,12.5 L4,27", None, GLINT, 1.0)])
    p.add(rect(2, 17, 13, 7, None, NAVY, 0.8))
    p.add(rect(4.8, 1.5, 7.4, 4.8, "#3F8FD8", NAVY, 1.0, rx=1.2))


@food("1_14")
def banana(p):
    d = "M2,5 Q4,3 5,4.5 Q15,11 27,4 Q29,3 29.5,5 Q28,12 16.5,12.6 Q6,12.6 2,5 Z"
    p.body(d, "#FFE14A", "#E0B02A", "M0,9 Q16,16 31,6 L31,14 L0,14 Z", "#FFF3A8", "M7,7.5 Q15,11 24,7 Q15,9.5 7,7.5 Z")
    p.add(path("M1.5,5 L3.6,4.1", None, "#6B4A2A", 2.0), path("M28.5,4.5 L29.8,3.2", None, "#6B4A2A", 1.8))


@food("1_15")
def pea_pod(p):
    d = "M1.5,7 Q8,1.5 16,2.5 Q25,3.5 29.5,7 Q25,11.5 16,12 Q7,12.5 1.5,7 Z"
    p.body(d, "#6FC24A", "#4E9A32", "M0,8 Q15,15 31,7 L31,14 L0,14 Z")
    for x in (8.5, 13.2, 17.9, 22.6):
        p.add(circle(x, 6.8, 2.35, "#9BE06A", NAVY, 0.8), circle(x - 0.7, 6.1, 0.7, "#D8F7B8", None))
    p.add(path("M3,7.5 Q15,10.8 28,7.5", None, NAVY, 0.9))
    p.add(tube("M1.5,7 Q0.8,4 2,2.5", LEAF_SHADE, 1.1))


@food("1_16")
def baguette(p):
    d = "M4,10.5 Q1,9 2,6 Q3.5,3 9,2.5 L26,2.5 Q30,3.2 29.5,6.5 Q29,10 25,11.2 L8,12 Q5,12 4,10.5 Z"
    p.body(d, BREAD, BREAD_SHADE, "M0,9 Q15,13 31,7 L31,14 L0,14 Z", BREAD_LIGHT, "M5,5.5 Q8,3.8 14,3.6 Q8,5 5,7 Z",
           extra=[path(f"M{x},{4} Q{x + 2},{6} {x + 2.5},{9}", None, BREAD_SHADE, 1.2) for x in (8, 13.5, 19, 24)])


@food("1_17")
def boiled_egg(p):
    p.body("M10,2 Q16.8,2 16.8,11.5 Q16.8,19 10,19 Q3.2,19 3.2,11.5 Q3.2,2 10,2 Z", "#F7FAFC", "#D6DEE6",
           "M11,0 L18,0 L18,20 L11,20 Z", GLINT, "M5.5,10 Q5.5,5 8.5,3.8 Q6.8,7 6.8,11 Z")
    cup = "M2.5,15 L17.5,15 Q17.5,23.5 12.5,25 L13.5,27 L16.5,27.5 L16.5,30 L3.5,30 L3.5,27.5 L6.5,27 L7.5,25 Q2.5,23.5 2.5,15 Z"
    p.body(cup, "#F2683A", "#C84A28", "M11,14 L19,14 L19,31 L11,31 Z", "#FFA27A", "M4.5,17 L6,17 Q6,20.5 8,23 Q4.8,21 4.5,17 Z")


@food("1_18")
def cucumber(p):
    d = "M8,2 Q13,2 13.2,8 L13.2,22 Q13,27.8 8,27.8 Q3,27.8 2.8,22 L2.8,8 Q3,2 8,2 Z"
    bumps = [circle(x, y, 0.6, "#A8E07A", None) for x, y in ((5.5, 8), (9.5, 11), (6, 15), (10, 19), (5.5, 22), (8.5, 24.5), (9, 6))]
    p.body(d, "#4FA83A", "#2F7A2A", "M8.5,0 L15,0 L15,29 L8.5,29 Z", "#86CC5E", "M4.5,8 Q4.8,4.5 7,3.5 Q5.8,7 5.8,12 L5.8,20 L4.5,20 Z",
           extra=bumps)
    p.add(ellipse(8, 2.6, 2.2, 1.0, "#D6E889", NAVY, 0.7))


@food("1_19")
def strawberry(p):
    d = "M10.5,6 Q18.5,4.5 19.2,10 Q19.5,15 14.5,20 Q12,22.8 10.5,22.8 Q9,22.8 6.5,20 Q1.5,15 1.8,10 Q2.5,4.5 10.5,6 Z"
    seeds = [ellipse(x, y, 0.55, 0.8, "#FFE27A", None) for x, y in ((6, 10), (10.5, 9.5), (15, 10), (8, 14), (13, 14),
                                                                     (10.5, 18), (5, 14.5), (16, 14))]
    p.body(d, "#E8343E", "#B0202E", lower_right(21, 24, 0.55), "#FF8A94", "M4.5,10 Q5,7.5 8,7 Q6,9 5.8,11.5 Z", extra=seeds)
    p.add(poly([(10.5, 3.5), (12.5, 6.2), (17, 5.5), (13.5, 8), (10.5, 9.5), (7.5, 8), (4, 5.5), (8.5, 6.2)],
               LEAF, NAVY, 0.9))
    p.add(tube("M10.5,5 L11,1.5", LEAF_SHADE, 1.2))


@food("1_20")
def cherries(p):
    p.add(tube("M6,15 Q8,7 13,2.5", "#6B8A2A", 1.2), tube("M15,16 Q15,8 13,2.5", "#6B8A2A", 1.2))
    p.add(leaf(13, 2.8, 7.5, -5, 4))
    for cx, cy in ((6, 17.5), (15, 18.5)):
        p.body(f"M{cx},{cy - 5} Q{cx + 5.4},{cy - 5.6} {cx + 5},{cy} Q{cx + 4.6},{cy + 5} {cx},{cy + 5} "
               f"Q{cx - 4.6},{cy + 5} {cx - 5},{cy} Q{cx - 5.4},{cy - 5.6} {cx},{cy - 5} Z",
               "#D8203A", "#9E1428", f"M{cx - 6},{cy + 1} Q{cx},{cy + 7} {cx + 6},{cy - 2} L{cx + 6},{cy + 6} L{cx - 6},{cy + 6} Z",
               "#FF8A9A", f"M{cx - 3},{cy - 1} Q{cx - 2.8},{cy - 3.5} {cx - 0.8},{cy - 3.6} Q{cx - 2},{cy - 2} {cx - 3},{cy - 1} Z")


# ---------------------------------------------------------------- group 2: meals

def jar(p, fill, fill_shade, lid, lid_shade, label_extra):
    d = "M4,8 L22,8 Q24.5,8 24.5,11 L24.5,27 Q24.5,30 21.5,30 L4.5,30 Q1.5,30 1.5,27 L1.5,11 Q1.5,8 4,8 Z"
    p.body(d, fill, fill_shade, "M15,7 L26,7 L26,31 L15,31 Z", None, None,
           extra=[path("M4,11 L4,26", None, "#FFF4D8", 1.2)])
    p.add(rect(5, 15, 16, 10, "#FFF4DC", NAVY, 0.9, rx=1.5))
    p.add(*label_extra)
    return lid, lid_shade


@food("2_1")
def honey(p):
    jar(p, "#F2A81C", "#C8801A", None, None, [
        path("M8,22 Q13,16 18,22", None, "#F2A81C", 1.6),
        ellipse(13, 20, 3.2, 2.4, "#FFD23F", NAVY, 0.8), path("M11.2,19 L14.8,19 M11,21 L15,21", None, NAVY, 0.7),
        ellipse(11.5, 17.5, 1.4, 1.0, "#DDF2FF", NAVY, 0.6), ellipse(14.5, 17.5, 1.4, 1.0, "#DDF2FF", NAVY, 0.6)])
    p.add(rect(2.5, 3, 21, 6, "#B9773A", NAVY, 1.0, rx=1.8), path("M4,5 L22,5", None, "#D9975A", 1.0))
    p.add(path("M6,9 Q6,12.5 7.2,12.5 Q8.4,12.5 8.4,9 Z", "#F2A81C", NAVY, 0.8))


@food("2_2")
def jam(p):
    jar(p, "#D8203A", "#9E1428", None, None, [
        path("M13,24 Q9,21 9,18.5 Q9,16.5 11,16.5 Q12.5,16.5 13,18 Q13.5,16.5 15,16.5 Q17,16.5 17,18.5 Q17,21 13,24 Z",
             "#E8343E", NAVY, 0.8)])
    cloth = "M1,7.5 Q2,2 13,2 Q24,2 25,7.5 L23.5,10.5 L20,8.5 L16.5,10.5 L13,8.5 L9.5,10.5 L6,8.5 L2.5,10.5 Z"
    p.body(cloth, "#F4F8FB", extra=[rect(x, y, 3, 3, "#E8343E", None) for x in (2, 8, 14, 20) for y in (2, 8)]
           + [rect(x, 5, 3, 3, "#E8343E", None) for x in (5, 11, 17, 23)])
    p.add(path("M2,8.2 L24,8.2", None, "#7A4A2A", 1.2))


@food("2_3")
def hot_dog(p):
    p.body("M2,11 Q2,20.5 16.5,21 Q31,20.5 31,11 Q27,14.5 16.5,14.5 Q6,14.5 2,11 Z", BREAD, BREAD_SHADE,
           "M0,17 Q16,24 33,15 L33,23 L0,23 Z")
    p.body("M3.5,9 Q1,6.5 3,4.5 Q6,3 10,5.5 L23,5.5 Q27,3 30,4.5 Q32,6.5 29.5,9 Q27,13 16.5,13 Q6,13 3.5,9 Z",
           "#C8553A", "#9A3A28", "M0,10 Q16,15 33,9 L33,14 L0,14 Z", "#EE8E6E", "M6,6.8 L20,6.8 L20,7.8 L6,7.8 Z")
    p.add(path("M6,8.5 L8,6.5 L10,8.5 L12,6.5 L14,8.5 L16,6.5 L18,8.5 L20,6.5 L22,8.5 L24,6.5 L26,8.5", None,
               "#FFD23F", 1.3))
    p.body("M2,11 Q1,7.5 4,8 Q6,12.5 16.5,13 Q27,12.5 29,8 Q32,7.5 31,11 Q29,16 16.5,16.5 Q4,16 2,11 Z", BREAD_LIGHT,
           BREAD, "M0,14 Q16,19 33,13 L33,18 L0,18 Z")


@food("2_4")
def pizza(p):
    d = "M2,5.5 Q15,0.5 27,5.5 L15.5,25 Z"
    p.body(d, "#FFD54A", "#F0B032", "M15,0 L30,0 L30,26 L15,26 Z", extra=[
        circle(10, 9.5, 2.4, "#D8343A", NAVY, 0.7), circle(18.5, 9, 2.2, "#D8343A", NAVY, 0.7),
        circle(14.5, 15.5, 2.1, "#D8343A", NAVY, 0.7), ellipse(12.5, 20, 0.9, 0.6, LEAF, None),
        ellipse(20, 13.5, 0.9, 0.6, LEAF, None)])
    p.add(path("M1.5,5.5 Q15,-0.5 27.5,5.5 Q27.5,8.5 24.5,8 Q15,4.5 4.5,8 Q1.5,8.5 1.5,5.5 Z", BREAD, NAVY, 1.0))
    p.add(path("M4,6.2 Q15,2.5 25,6.2", None, BREAD_LIGHT, 0.9))
    p.add(path("M21,12 Q22,15 21,17.5", None, "#FFE27A", 1.4))


@food("2_5")
def pineapple(p):
    for a, ln in ((-90, 11), (-115, 9), (-65, 9), (-140, 7), (-40, 7)):
        p.add(leaf(13.5, 12.5, ln, a, 3.6, LEAF, LEAF_SHADE))
    d = "M13.5,10.5 Q23,10.5 23,20 Q23,30 13.5,30 Q4,30 4,20 Q4,10.5 13.5,10.5 Z"
    hatch = [path(f"M{x},10 L{x + 14},31", None, "#C8801A", 0.9) for x in range(-6, 24, 5)]
    hatch += [path(f"M{x},10 L{x - 14},31", None, "#C8801A", 0.9) for x in range(4, 34, 5)]
    p.body(d, "#F7C23A", "#D8962A", lower_right(27, 31, 0.75), "#FFE38A", "M6.5,17 Q7.5,13 11,12 Q8.5,15 8,18 Z",
           extra=hatch)


@food("2_6")
def burger(p):
    p.body("M2.5,21.5 L28.5,21.5 Q28.5,27 23,27 L8,27 Q2.5,27 2.5,21.5 Z", BREAD, BREAD_SHADE, "M0,25 L31,25 L31,28 L0,28 Z")
    p.add(path("M2,17 L29,17 Q30.5,17 30.5,19 Q30.5,21.5 28.5,21.5 L2.5,21.5 Q0.5,21.5 0.5,19 Q0.5,17 2,17 Z",
               "#7A4226", NAVY, 1.0))
    p.add(path("M4,18.5 L27,18.5", None, "#A0603A", 1.0))
    p.add(poly([(3, 16.5), (28, 16.5), (25, 20.5), (21, 17.5), (16, 21.5), (12, 17.5), (7, 20), (3, 16.5)],
               "#FFC83A", NAVY, 0.9))
    p.add(path("M1.5,15.5 Q4,13 6.5,15.5 Q9,13 11.5,15.5 Q14,13 16.5,15.5 Q19,13 21.5,15.5 Q24,13 26.5,15.5 Q29,13 30,15.5 "
               "L30,17.2 L1.5,17.2 Z", "#6FC24A", NAVY, 0.9))
    top = "M2,14 Q2,2.5 15.5,2.5 Q29,2.5 29,14 Z"
    p.body(top, "#E0A04E", "#B87530", "M0,10 Q16,16 31,7 L31,15 L0,15 Z", "#F8CA86", "M5,10 Q6,5 12,4 Q7.5,6.5 6.5,10 Z",
           extra=[ellipse(x, y, 1.0, 0.55, "#FFF4DC", None) for x, y in ((11, 6.5), (17, 5.5), (21.5, 8), (14, 9.5), (8, 9.8), (24.5, 11))])


@food("2_7")
def juice(p):
    d = "M6.5,8 L11.5,8 L11.5,10.5 Q15.8,12.5 15.8,17 L15.8,29 Q15.8,30.8 14,30.8 L4,30.8 Q2.2,30.8 2.2,29 L2.2,17 Q2.2,12.5 6.5,10.5 Z"
    p.body(d, "#FFA21C", "#E07A12", "M11,8 L17,8 L17,31 L11,31 Z", None, None,
           extra=[rect(2, 18, 14, 8, "#FFF4DC", None), circle(9, 22, 2.6, "#FF9F1C", NAVY, 0.7),
                  path("M4.2,13.5 L4.2,17 M4.2,27 L4.2,29", None, "#FFD58A", 1.1)])
    p.add(rect(2, 18, 14, 8, None, NAVY, 0.8))
    p.add(rect(5.8, 3, 6.4, 5.3, "#5CB845", NAVY, 1.0, rx=1.0), path("M6.8,5 L11.2,5", None, "#9ADB6A", 0.9))


@food("2_8")
def drumstick(p):
    p.add(tube("M11,20 L5,26.5", "#FFF4DC", 3.4))
    p.add(circle(3.5, 25.5, 2.6, "#FFF4DC", NAVY, 1.0), circle(5.8, 28.2, 2.6, "#FFF4DC", NAVY, 1.0))
    d = "M16,2 Q24.5,2 24,11 Q23.5,18 15,21.5 Q12,23 10,21 Q8,19 9.5,15.5 Q8,8 10.5,5 Q12.5,2 16,2 Z"
    p.body(d, "#C8743A", "#9A5226", "M8,16 Q18,22 25,8 L25,24 L8,24 Z", "#EAA060", "M12,8 Q13.5,4.5 17,4 Q14,6.5 13.5,9.5 Z")


@food("2_9")
def kebab(p):
    p.add(line([(0.8, 6), (31.2, 6)], NAVY, 2.4), line([(1, 6), (31, 6)], "#D6BF92", 1.2))
    parts = [(5, "#A8582E", "#7A3A1E", 3.2), (10, "#5CB845", "#3A8A36", 2.2), (14.5, "#E8342E", "#B02222", 2.6),
             (19, "#A8582E", "#7A3A1E", 3.2), (24, "#F2E8C6", "#D6C69A", 2.2), (28, "#A8582E", "#7A3A1E", 2.2)]
    for x, base, shade, rw in parts:
        p.body(f"M{x - rw},{2} L{x + rw},{2} Q{x + rw + 0.8},{6} {x + rw},{10} L{x - rw},{10} Q{x - rw - 0.8},{6} {x - rw},{2} Z",
               base, shade, f"M0,7.5 L32,7.5 L32,12 L0,12 Z")


@food("2_10")
def grapes(p):
    p.add(tube("M10,7 Q10,3 12.5,1.5", STEM, 1.4), leaf(11, 4, 8, -15, 4.2))
    for x, y in ((5, 10), (10, 9.5), (15, 10), (7.5, 14.5), (12.5, 14.5), (4.8, 18.6), (10, 19), (15.2, 18.6),
                 (7.5, 23), (12.5, 23), (10, 27)):
        p.add(circle(x, y, 3.3, "#8E5CC2", NAVY, 0.9), circle(x + 0.9, y + 1, 1.6, "#6A3E9A", None),
              circle(x - 1.1, y - 1.1, 0.8, "#C9A8EE", None))


@food("2_11")
def pretzel(p):
    d = "M5,19 Q1,13 4,7.5 Q7.5,2 12,7 Q16.5,2 20,7.5 Q23,13 19,19 M12,7 Q9,14 5,19 M12,7 Q15,14 19,19 M4,20.5 L20,20.5"
    p.add(path(d, None, NAVY, 5.2), path(d, None, "#B8743A", 3.0), path(d, None, "#D8985A", 1.0))
    for x, y in ((4.5, 11), (8.5, 5.5), (16, 5), (20, 12), (8.6, 15.5), (15.5, 15.2), (12, 20.5)):
        p.add(rect(x - 0.6, y - 0.6, 1.3, 1.3, "#FFFBF0", None))


@food("2_12")
def sandwich(p):
    p.body("M2,13 L29,13 Q29.5,17.5 26,17.5 L5,17.5 Q1.5,17.5 2,13 Z", BREAD_LIGHT, BREAD, "M0,16 L31,16 L31,19 L0,19 Z")
    p.add(path("M1.5,11 Q4,8.5 6.5,11 Q9,8.5 11.5,11 Q14,8.5 16.5,11 Q19,8.5 21.5,11 Q24,8.5 26.5,11 Q29,8.5 29.5,11 "
               "L29.5,13.5 L1.5,13.5 Z", "#6FC24A", NAVY, 0.9))
    p.add(rect(3, 9.5, 11, 2.5, "#E8342E", NAVY, 0.8, rx=1), rect(16, 9.5, 12, 2.5, "#FFD54A", NAVY, 0.8))
    p.body("M2,9.5 Q1,2.5 6,2 L25,2 Q30,2.5 29,9.5 Z", BREAD_LIGHT, BREAD, "M0,7 L31,7 L31,10 L0,10 Z",
           "#FFE0A8", "M5,4 L16,4 L16,5 L5,5 Z")


@food("2_13")
def taco(p):
    p.add(path("M4,11 Q3,4 8,3.5 Q9,1 12.5,2.5 Q16,0.5 18,3 Q22.5,3 21.5,9 Z", "#6FC24A", NAVY, 0.9))
    p.add(circle(9, 6, 1.6, "#E8342E", NAVY, 0.6), circle(16, 5.2, 1.5, "#E8342E", NAVY, 0.6),
          ellipse(12.5, 6.5, 2.5, 1.3, "#FFD54A", NAVY, 0.6))
    p.body("M1.5,13 Q1.5,4.5 12.5,4.5 Q23.5,4.5 23.5,13 Q23.5,15 21.5,15 L3.5,15 Q1.5,15 1.5,13 Z".replace(
        "Q1.5,4.5 12.5,4.5 Q23.5,4.5 23.5,13", "Q2,8 7,7 Q12.5,15 18,7 Q23,8 23.5,13"),
        "#F2C14E", "#D8982A", "M0,12.5 L25,12.5 L25,16 L0,16 Z")


@food("2_14")
def noodles(p):
    p.add(path("M17,1.5 L26,11 M21,1 L27.5,10", None, NAVY, 2.6), path("M17,1.5 L26,11 M21,1 L27.5,10", None, "#C9A27A", 1.2))
    p.add(ellipse(14, 12.5, 12.5, 4.5, "#FFF0C0", NAVY, 1.0))
    p.add(path("M4,12 Q7,9.5 10,12 Q13,14.5 16,12 Q19,9.5 22,12 M6,14 Q9,11.5 12,14 Q15,16.5 18,14 Q21,11.5 24,14",
               None, "#E8C87A", 1.1))
    p.add(ellipse(18.5, 11.5, 3.2, 2.1, "#F7FAFC", NAVY, 0.7), circle(18.5, 11.7, 1.2, "#FFB81C", None))
    p.add(ellipse(9.5, 11.6, 2.4, 1.2, "#6FC24A", NAVY, 0.6))
    bowl = "M1.2,13 L26.8,13 Q26.5,22.5 18,25.5 L18.5,27 L9.5,27 L10,25.5 Q1.5,22.5 1.2,13 Z"
    p.body(bowl, "#E8483C", "#B02E2A", "M14,12 L28,12 L28,28 L14,28 Z", "#FF8A7A", "M3.5,15 L5.5,15 Q6,19 9,22 Q4.5,20 3.5,15 Z",
           extra=[path("M2,17 L26,17", None, "#FFD23F", 1.2)])


@food("2_15")
def fries(p):
    for x, y, col in ((4, 3.5, "#FFD54A"), (7, 1.5, "#FFE27A"), (10, 3, "#FFD54A"), (13, 1.2, "#FFE27A"),
                      (16, 4, "#FFD54A"), (8.5, 6, "#F2C14E"), (12, 5.5, "#F2C14E")):
        p.add(rect(x - 1.5, y, 3, 14, col, NAVY, 0.9, rx=0.6))
    box = "M1.5,12 L18.5,12 L16.5,30 L3.5,30 Z"
    p.body(box, "#E8343E", "#B0202E", "M12,11 L20,11 L20,31 L12,31 Z", extra=[
        path("M2,12 Q10,17 18,12", "#F7FAFC", None), path("M2,12 Q10,17 18,12", None, NAVY, 0.9),
        path("M7,20 Q10,17.5 13,20 Q10,25 7,20 Z", "#FFD23F", NAVY, 0.7)])


# ---------------------------------------------------------------- group 3: sweets and snacks

@food("3_1")
def ice_cream(p):
    cone = "M4,13 L18,13 L11,30 Z"
    p.body(cone, "#E0A85A", "#B87A3A", "M11,12 L20,12 L20,31 L11,31 Z",
           extra=[path(f"M{x},12 L{x + 9},30", None, "#A8703A", 0.8) for x in (0, 5, 10)]
           + [path(f"M{x},12 L{x - 9},30", None, "#A8703A", 0.8) for x in (12, 17, 22)])
    scoop = "M3,14 Q1.5,12.5 2.5,10 Q2,3 11,2.5 Q20,3 19.5,10 Q20.5,12.5 19,14 Q17,15.5 15,14 Q13,16 11,14.5 Q9,16 7,14 Q5,15.5 3,14 Z"
    p.body(scoop, "#FF9ABE", "#E0668F", "M0,11 Q11,17 22,8 L22,17 L0,17 Z", "#FFD0E0", "M5,8 Q6,4.5 10,4 Q7,6 6.5,9 Z",
           extra=[rect(7, 7, 1.6, 0.8, "#5CB845", None), rect(13, 9, 1.6, 0.8, "#FFD23F", None),
                  rect(15, 5.5, 1.6, 0.8, "#3F8FD8", None)])
    p.add(circle(12.5, 2.6, 2.2, "#D8203A", NAVY, 0.8), circle(11.9, 2, 0.6, "#FF9AA6", None))


@food("3_2")
def lollipop(p):
    p.add(tube("M10,17 L10,29", "#FFF4DC", 1.6))
    p.body(C(10, 9.5, 8.3), "#FF6FA8", "#D8447E", "M0,11 Q10,20 20,7 L20,20 L0,20 Z", extra=[
        path("M10,9.5 Q12.5,8 11.5,6.2 Q9.5,4.5 7.2,6.5 Q5,9.5 7.5,12.5 Q10.5,15 14,12.5 Q17,9.5 15.5,5.5", None, "#FFF0F6", 1.8)])
    p.add(upper_left_spot(6.2, 5.5, 1.4, 0.9))


@food("3_3")
def candy(p):
    p.add(poly([(7.5, 8.5), (1.5, 2.5), (3.5, 8.5), (1.5, 14.5)], "#FFD23F", NAVY, 1.0))
    p.add(poly([(21.5, 8.5), (27.5, 2.5), (25.5, 8.5), (27.5, 14.5)], "#FFD23F", NAVY, 1.0))
    p.body(E(14.5, 8.5, 8.5, 6.3), "#E8343E", "#B0202E", "M5,11 Q14,17 24,9 L24,16 L5,16 Z", extra=[
        path(f"M{x},1 L{x + 5},16", None, "#FFF0F0", 1.5) for x in (8, 13, 18)])
    p.add(upper_left_spot(10.5, 5, 1.6, 0.9))


@food("3_4")
def chocolate_bar(p):
    p.body("M2,4 L22,4 L22,19 L2,19 Z", CHOC, CHOC_SHADE, "M0,15 L24,15 L24,21 L0,21 Z",
           extra=[rect(x + 0.8, y + 0.8, 4.8, 4.2, "#8E5A36", None) for x in (2, 8.6, 15.2) for y in (4, 9.6)]
           + [path("M8.6,4 L8.6,19 M15.2,4 L15.2,19 M2,9.6 L22,9.6 M2,15 L22,15", None, CHOC_SHADE, 0.9)])
    p.add(path("M17,3 L30.5,3 L30.5,20 L17,20 L19,17 L17.5,14 L19.5,11 L17.5,8 L19.5,5.5 Z", "#3F8FD8", NAVY, 1.0))
    p.add(path("M22,6 L29,6 M22,17 L29,17", None, "#FFD23F", 1.4))
    p.add(circle(25.5, 11.5, 2.6, "#FFD23F", NAVY, 0.7))
    p.add(path("M15.5,3.2 L18,5 L16,7.5 L18,10 L16,12.5 L18,15 L16,17.5 L17,19.8", None, "#D6DEE6", 1.2))


@food("3_5")
def donut(p):
    p.body(E(14.5, 12, 13, 9.3), "#E0A85A", "#B87A3A", "M0,14 L29,14 L29,22 L0,22 Z")
    icing = "M2.5,11 Q2.5,3.5 14.5,3.5 Q26.5,3.5 26.5,11 Q26,14 24,13 Q22,15.5 20,14 Q17,17 14.5,15 Q12,17 9,14.5 Q7,16 5,13.5 Q2.8,14 2.5,11 Z"
    p.body(icing, "#FF8AB8", "#E0608F", "M0,11 Q15,18 29,9 L29,17 L0,17 Z", "#FFC8DC", "M6,8 Q8,5 13,4.6 Q8.5,6.5 7.5,8.5 Z",
           extra=[rect(x, y, 1.8, 0.9, c, None) for x, y, c in ((7, 10, "#FFD23F"), (20, 7, "#5CB845"), (11, 6, "#3F8FD8"),
                                                                 (21, 11, "#FFF4DC"), (17, 5.2, "#FFD23F"), (5, 7, "#FFF4DC"))])
    p.add(path("M10.5,10.5 Q14.5,13.5 18.5,10.5", None, "#C08440", 1.2))
    p.hole("M10.6,10 Q10.6,7.5 14.5,7.5 Q18.4,7.5 18.4,10 Q18.4,12.4 14.5,12.4 Q10.6,12.4 10.6,10 Z")


@food("3_6")
def cupcake(p):
    cup = "M5,15 L24,15 L21.5,27 L7.5,27 Z"
    p.body(cup, "#3FB8C8", "#2A8A9A", "M16,14 L26,14 L26,28 L16,28 Z",
           extra=[path(f"M{x},15 L{x + (14.5 - x) * 0.13},27", None, "#2A8A9A", 0.9) for x in (8.5, 12, 15.5, 19, 22)])
    frost = "M3.5,16 Q1,14 3,11.5 Q2,8 6,7.5 Q7,3.5 12,4.5 Q14.5,1 17.5,4.5 Q22.5,3.5 23,7.5 Q27,8 26,11.5 Q28,14 25.5,16 Z"
    p.body(frost, "#FFF0C8", "#E8CF98", "M0,13 Q15,19 29,10 L29,17 L0,17 Z", extra=[
        path("M6,11 Q11,8.5 15,11 Q19,13 23,10.5", None, "#E8CF98", 1.0)])
    p.add(circle(14.5, 3.5, 2.6, "#D8203A", NAVY, 0.8), circle(13.8, 2.8, 0.7, "#FF9AA6", None),
          path("M15,1 Q16,-0.5 18,0.5", None, "#3A8A36", 0.9))


@food("3_7")
def cookie(p):
    d = "M15.5,2 Q24,2 27.5,8 Q30.5,14 27.5,20 Q23.5,26.5 15.5,26.5 Q7.5,26.5 3.5,20 Q0.5,14 3.5,8 Q7,2 15.5,2 Z"
    chips = [ellipse(x, y, 1.6, 1.3, CHOC, None) for x, y in ((9, 9), (17, 7), (22.5, 12), (12, 15), (19, 18),
                                                              (8, 20), (24, 19.5), (14.5, 22.5), (6, 13.5))]
    p.body(d, "#E8B466", "#C08440", lower_right(31, 28, 0.65), "#F8D294", "M5.5,11 Q7,6 11.5,4.5 Q8,8 7.5,12 Z", extra=chips)


@food("3_8")
def pie(p):
    p.add(ellipse(15.5, 19, 14, 9.6, "#C8B8A8", NAVY, 1.0))
    p.body(E(15.5, 15.5, 13.8, 11.8), "#C82838", "#9A1A2A", lower_right(31, 30, 0.6))
    lat = []
    for k in range(-2, 3):
        lat.append(path(f"M{15.5 + k * 5.2 - 6},2 L{15.5 + k * 5.2 + 6},29", None, NAVY, 3.4))
        lat.append(path(f"M{15.5 + k * 5.2 - 6},2 L{15.5 + k * 5.2 + 6},29", None, "#E8B466", 2.2))
        lat.append(path(f"M{15.5 + k * 5.2 + 6},2 L{15.5 + k * 5.2 - 6},29", None, NAVY, 3.4))
        lat.append(path(f"M{15.5 + k * 5.2 + 6},2 L{15.5 + k * 5.2 - 6},29", None, "#E8B466", 2.2))
    p.inside(E(15.5, 15.5, 13.8, 11.8), lat)
    p.add(ellipse(15.5, 15.5, 13.8, 11.8, None, "#C08440", 2.6), ellipse(15.5, 15.5, 15.0, 13.0, None, NAVY, 1.0))
    p.add(path("M4,10 Q8,4.5 14,3.8", None, "#F8D294", 1.2))


@food("3_9")
def jelly(p):
    p.add(ellipse(13.5, 25.5, 12.5, 3, "#DCE8F2", NAVY, 1.0))
    d = "M5,25 Q3,15 5.5,8 Q7,3.5 13.5,3.5 Q20,3.5 21.5,8 Q24,15 22,25 Q13.5,27.5 5,25 Z"
    p.body(d, "#E8344E", "#B01E38", "M14,2 L26,2 L26,28 L14,28 Z", "#FF9AAA", "M7.5,20 Q6.5,12 8.5,7 Q9,13 9.5,20 Z",
           extra=[path("M5.5,10.5 Q13.5,13.5 21.5,10.5", None, "#B01E38", 1.0), path("M4.5,18 Q13.5,21 22.5,18", None, "#B01E38", 1.0)])
    p.add(ellipse(13.5, 4.8, 4, 1.4, "#FFB0BC", None))


@food("3_10")
def swiss_roll(p):
    p.body("M4,2.5 L21,2.5 L21,15 L4,15 Q1.5,15 1.5,8.75 Q1.5,2.5 4,2.5 Z", "#D9843A", "#A85E28", "M0,11 L22,11 L22,16 L0,16 Z",
           "#F0A858", "M4,4 L18,4 L18,5 L4,5 Z", extra=[path("M5,7 L18,7 M5,10.5 L18,10.5", None, "#F7E8D0", 0.8)])
    p.body(E(22.5, 8.75, 7.3, 6.8), "#F0C27A", "#D8A45A", "M15,11 L31,11 L31,17 L15,17 Z")
    p.add(path("M22.5,8.8 Q24.5,8 23.7,6.5 Q22,5.2 20.5,6.8 Q19,9 20.8,11 Q23.5,12.8 26,10.5 Q28,8 26.3,4.8", None,
               "#F7F4EE", 1.8))
    p.add(path("M22.5,8.8 Q24.5,8 23.7,6.5 Q22,5.2 20.5,6.8 Q19,9 20.8,11 Q23.5,12.8 26,10.5 Q28,8 26.3,4.8", None,
               "#E8343E", 0.5))


@food("3_11")
def marshmallows(p):
    for cx, cy, base, shade in ((8, 8.5, "#F7F4F8", "#D8D0E0"), (22, 8.5, "#FFC0D8", "#E890B4"),
                                (15, 11, "#F7F4F8", "#D8D0E0")):
        d = f"M{cx - 6},{cy - 3} Q{cx - 6},{cy - 6} {cx},{cy - 6} Q{cx + 6},{cy - 6} {cx + 6},{cy - 3} L{cx + 6},{cy + 3} Q{cx + 6},{cy + 6} {cx},{cy + 6} Q{cx - 6},{cy + 6} {cx - 6},{cy + 3} Z"
        p.body(d, base, shade, f"M{cx - 7},{cy + 1} Q{cx},{cy + 4} {cx + 7},{cy - 1} L{cx + 7},{cy + 7} L{cx - 7},{cy + 7} Z")
        p.add(ellipse(cx - 2.5, cy - 3, 2, 0.9, "#FFFFFE", None))


@food("3_12")
def candy_apple(p):
    p.add(tube("M13,10 L15.5,1.5", "#E8D3A8", 1.8))
    p.add(path("M3,20.5 Q2,25.5 7,26.5 L19,26.5 Q24,25.5 23,20.5 Z", "#F2A81C", NAVY, 1.0))
    apple(p, 13, 17.5, 10.5, 9.2, "#D8102A", "#9A0A20", "#FF7A8A", leafy=False)
    p.add(path("M3.5,21 Q13,26 22.5,21", None, "#F2A81C", 2.4), path("M3,20.5 Q13,25.5 23,20.5", None, NAVY, 0.8))
    p.add(upper_left_spot(8, 14, 1.6, 2.4))


@food("3_13")
def praline(p):
    p.body(C(8, 8.8, 6.4), CHOC, CHOC_SHADE, "M0,9 Q8,17 16,6 L16,16 L0,16 Z", CHOC_LIGHT, "M3.5,7.5 Q4,4.5 7,3.8 Q5,5.5 4.8,8 Z")
    p.add(path("M3,7 Q5.5,5.5 8,7 Q10.5,8.5 13,7", None, "#FFF4DC", 1.1))
    p.add(circle(8, 2.6, 1.3, "#D8203A", NAVY, 0.6))


@food("3_14")
def watermelon(p):
    p.body("M1.5,3 Q15,4 28.5,3 Q27.5,16.5 15,16.5 Q2.5,16.5 1.5,3 Z", "#3A9A3A", "#2A7A2A", "M0,12 L30,12 L30,18 L0,18 Z")
    p.body("M3.5,3 Q15,4 26.5,3 Q25.5,13.5 15,13.5 Q4.5,13.5 3.5,3 Z", "#F0485A", "#C8303E", "M0,9 Q15,16 30,6 L30,15 L0,15 Z",
           extra=[ellipse(x, y, 0.7, 1.1, "#2A1A1A", None) for x, y in ((8, 6.5), (13, 8.5), (18, 8.5), (22.5, 6), (15.5, 5.5), (10.5, 10.5), (20, 10.8))])
    p.add(path("M3.5,3 Q15,4 26.5,3", None, NAVY, 1.0))


@food("3_15")
def pancakes(p):
    for y in (19, 14.5, 10):
        p.add(ellipse(14, y + 1.5, 12.8, 4, "#C8843A", NAVY, 1.0), ellipse(14, y, 12.8, 3.6, "#F0C070", None),
              path(f"M2,{y + 0.5} Q14,{y + 4.5} 26,{y + 0.5}", None, "#C8843A", 0.8))
    p.add(ellipse(14, 22.5, 13.4, 3, None, None))
    p.add(path("M4,9.5 Q14,4 24,9.5 Q24.5,12 22.5,13.5 Q22,16 21,13.5 Q14,14.5 8,13 Q7.5,17.5 6.5,13 Q4,12.5 4,9.5 Z",
               "#B8601A", NAVY, 0.9))
    p.add(rect(10.5, 4, 7, 4.5, "#FFE27A", NAVY, 0.9, rx=1), path("M11.5,5.3 L15,5.3", None, "#FFF6C0", 0.9))


@food("3_16")
def popcorn(p):
    for x, y in ((6, 8), (10.5, 5.5), (15.5, 4.5), (20.5, 6), (23, 10), (8.5, 11), (13, 9.5), (18, 9.8), (4, 12),
                 (24.5, 13.5)):
        p.add(circle(x, y, 3.1, "#FFF4D0", NAVY, 0.9), circle(x + 0.8, y + 0.8, 1.4, "#F2D27A", None))
    box = "M2.5,12 L25.5,12 L22.5,27 L5.5,27 Z"
    p.body(box, "#F7F4EE", "#D8D0C4", "M17,11 L27,11 L27,28 L17,28 Z",
           extra=[path(f"M{x},11 L{x + (14 - x) * 0.18},28", None, "#E8343E", 3.0) for x in (6, 12, 18, 24)])
    p.add(path("M2,12 L26,12", None, NAVY, 1.2))


# ---------------------------------------------------------------- group 4: feasts

@food("4_1")
def roast_chicken(p):
    p.add(ellipse(13.5, 24.5, 13, 3.2, "#DCE8F2", NAVY, 1.0))
    for x0, x1 in ((8, 4), (19, 23)):
        p.add(tube(f"M{x0},12 L{x1},5", "#FFF4DC", 2.6), circle(x1, 4.2, 2.2, "#FFF4DC", NAVY, 0.9))
    d = "M2,17 Q2,9.5 9,8.5 Q13.5,5.5 18,8.5 Q25,9.5 25,17 Q25,24 13.5,24 Q2,24 2,17 Z"
    p.body(d, "#D8903A", "#A8622A", lower_right(27, 28, 0.75), "#F2BC6A", "M5,14 Q7,10 11,9.5 Q8,12 7,15 Z")
    p.add(path("M9,16 Q13.5,19 18,16", None, "#A8622A", 1.0))


@food("4_2")
def cake_slice(p):
    front = "M2,10 L23,10 L30,14 L30,24 L9,24 L2,20 Z"
    p.body("M2,10 L9,14 L9,24 L2,20 Z", "#F2D9A0", extra=[path("M2,14 L9,18", None, "#E8343E", 1.6)])
    p.body("M9,14 L30,14 L30,24 L9,24 Z", "#F8E2B0", "#E8C890", "M9,21 L30,21 L30,24 L9,24 Z",
           extra=[path("M9,18 L30,18", None, "#FFF4F0", 2.0), path("M9,19.5 L30,19.5", None, "#E8343E", 1.4)])
    top = "M2,10 L23,5 L30,14 L9,14 Z"
    p.body(top, "#FFF0F4", "#F0D0DC", "M20,5 L31,14 L20,14 Z")
    p.add(path("M2,10 L9,14 L30,14", None, NAVY, 1.0))
    for x, y in ((10, 10.5), (16, 9.5), (22, 9)):
        p.add(ellipse(x, y, 2, 1, "#FFFDFB", NAVY, 0.6))
    p.add(path("M16,2 Q20.5,1.5 20.5,5 Q20,8.5 16.5,10 Q13,8.5 12.5,5 Q12.5,1.5 16,2 Z", "#E8343E", NAVY, 0.9))
    p.add(poly([(14, 2.2), (16.5, 0.5), (19, 2.2), (16.5, 3.2)], LEAF, NAVY, 0.6))
    del front


@food("4_3")
def sushi(p):
    p.add(rect(1, 13, 29, 4, "#B8844A", NAVY, 1.0, rx=1))
    for cx in (8, 22.5):
        p.body(f"M{cx - 6.5},{13} Q{cx - 7},{7} {cx},{7} Q{cx + 7},{7} {cx + 6.5},{13} Z", "#F4F1E8", "#D6CFC0",
               f"M{cx - 8},{11} L{cx + 8},{11} L{cx + 8},{14} L{cx - 8},{14} Z")
        p.body(f"M{cx - 7},{7.5} Q{cx - 7},{2.5} {cx},{2.5} Q{cx + 7.5},{2.5} {cx + 7},{7.5} Q{cx},{9.5} {cx - 7},{7.5} Z",
               "#FF8A5A", "#E0603A", f"M{cx - 8},{6.5} L{cx + 8},{6.5} L{cx + 8},{10} L{cx - 8},{10} Z",
               extra=[path(f"M{cx - 4 + k * 3},{3} L{cx - 5 + k * 3},{8}", None, "#FFD0B8", 0.9) for k in range(4)])
        p.add(rect(cx - 1.8, 2.2, 3.6, 9, "#1E3A2A", NAVY, 0.7))


@food("4_4")
def popsicle(p):
    p.add(tube("M6.5,17 L6.5,21.5", "#E8D3A8", 2.4))
    d = "M1.5,5.5 Q1.5,1.2 6.5,1.2 Q11.5,1.2 11.5,5.5 L11.5,17.5 L1.5,17.5 Z"
    p.body(d, "#FF6FA8", "#D8447E", "M8,0 L13,0 L13,19 L8,19 Z", extra=[
        rect(0, 8, 13, 4, "#FFD23F", None), rect(0, 12, 13, 6, "#6FC8F0", None),
        path("M3.5,4 L3.5,15", None, "#FFFFFE", 1.0)])


@food("4_5")
def lobster(p):
    p.add(path("M4,19 L1,22 M7,20 L5,23 M10,20.5 L9.5,23.5", None, NAVY, 1.1))
    for cy, s in ((5.5, -1), (18.5, 1)):
        p.add(tube(f"M19,{12 + s * 2} Q23,{cy + s * 1} 24,{cy}", "#E8483C", 2.0))
        p.body(f"M22,{cy} Q25,{cy - 4.5 * 1} 30,{cy - 1.5} L26,{cy} L30,{cy + 1.5} Q25,{cy + 4.5} 22,{cy} Z",
               "#E8483C", "#B02E2A", f"M20,{cy + 0.5} L31,{cy + 0.5} L31,{cy + 6} L20,{cy + 6} Z")
    body = "M3,12 Q3,8.5 7,8.5 L19,9 Q23.5,9.5 23.5,12 Q23.5,14.5 19,15 L7,15.5 Q3,15.5 3,12 Z"
    p.body(body, "#E8483C", "#B02E2A", "M0,13 L25,13 L25,17 L0,17 Z", "#FF9A7A", "M8,10 L18,10 L18,11 L8,11 Z",
           extra=[path(f"M{x},8 L{x},16", None, "#B02E2A", 0.9) for x in (7, 10, 13)])
    p.add(path("M3.5,12 L0.8,8.5 L0.8,15.5 Z", "#E8483C", NAVY, 0.9))
    p.add(circle(20.5, 10.6, 0.9, NAVY, None), path("M23,11 Q27,9 30,10.5 M23,13 Q27,15 30,13.5", None, NAVY, 0.7))


@food("4_6")
def ham(p):
    p.add(tube("M23,10 L28.5,4.5", "#FFF4DC", 3.2))
    p.add(circle(28.8, 2.8, 1.9, "#FFF4DC", NAVY, 0.9), circle(30, 5.4, 1.9, "#FFF4DC", NAVY, 0.9))
    d = "M3,15 Q1.5,7 9,4.5 Q16,2.5 22,7.5 Q26,11 24.5,16 Q22.5,22.5 13,22.5 Q4.5,22.5 3,15 Z"
    p.body(d, "#E8806A", "#C0584A", lower_right(31, 24, 0.75), "#FFB8A4", "M5.5,11 Q7,6.5 12,5.5 Q8,8.5 7.5,12 Z",
           extra=[path("M6,16 L12,9 M10,19 L18,10 M15,20.5 L21,13", None, "#F4C8B0", 1.1)])
    p.add(ellipse(23.2, 10.3, 2.6, 3.2, "#F8E0D0", NAVY, 0.9), circle(23.2, 10.3, 1.0, "#F4C8B0", None))


# ---------------------------------------------------------------- group 5: rare treats

@food("5_1")
def golden_apple(p):
    apple(p, 10.5, 18.5, 9.3, 10.2, "#FFCC33", "#E0921C", "#FFF3A0")
    p.add(path("M3.5,3 L4.5,5 L6.5,6 L4.5,7 L3.5,9 L2.5,7 L0.5,6 L2.5,5 Z", "#FFF8C8", "#F2B83A", 0.8))
    p.add(path("M18,9 L18.7,10.6 L20.3,11.3 L18.7,12 L18,13.6 L17.3,12 L15.7,11.3 L17.3,10.6 Z", "#FFF8C8", "#F2B83A", 0.8))
    p.add(path("M17,25 L17.5,26.2 L18.7,26.7 L17.5,27.2 L17,28.4 L16.5,27.2 L15.3,26.7 L16.5,26.2 Z", "#FFFDE8", None))


@food("5_2")
def chocolate_box(p):
    from items import heart_path
    p.body(heart_path(16, 13, 29, 22.5), "#D8203A", "#9E1428", lower_right(32, 25, 0.6), "#FF7A8A",
           "M5,7 Q6,3.5 9.5,3 Q7,5 6.5,8 Z")
    p.add(path(heart_path(16, 12.3, 21, 16), None, "#FFD23F", 1.2))
    p.add(path("M16,5 L16,23 M2.5,9.5 Q16,12 29.5,9.5", None, NAVY, 2.6), path("M16,5 L16,23 M2.5,9.5 Q16,12 29.5,9.5", None, "#FFD23F", 1.3))
    p.add(path("M16,9.5 Q11,3 9,6.5 Q9,10 16,9.5 Q21,3 23,6.5 Q23,10 16,9.5 Z", "#FFD23F", NAVY, 0.9))
    p.add(circle(16, 9.6, 1.6, "#F2B83A", NAVY, 0.8))


@food("5_3")
def birthday_cake(p):
    p.add(ellipse(13, 29.5, 12.3, 2.2, "#DCE8F2", NAVY, 1.0))
    p.body("M2.5,19 L23.5,19 L23.5,28.5 L2.5,28.5 Z", "#F8D6E0", "#E8B0C0", "M16,18 L25,18 L25,29 L16,29 Z",
           extra=[path("M2.5,23.5 L23.5,23.5", None, "#FF6FA8", 1.4)])
    p.add(path("M2,19.5 Q4,22 6,19.5 Q8,22 10,19.5 Q12,22 14,19.5 Q16,22 18,19.5 Q20,22 22,19.5 Q23.5,21.5 24,19.5 L24,18 L2,18 Z",
               "#FFF4F8", NAVY, 0.8))
    p.body("M5.5,12 L20.5,12 L20.5,19 L5.5,19 Z", "#FFE7A0", "#F2C870", "M15,11 L22,11 L22,20 L15,20 Z",
           extra=[circle(9, 16, 1.1, "#E8343E", None), circle(13, 16.5, 1.1, "#3F8FD8", None), circle(17, 16, 1.1, "#5CB845", None)])
    p.add(path("M5,12.5 Q7,14.5 9,12.5 Q11,14.5 13,12.5 Q15,14.5 17,12.5 Q19,14.5 21,12.5 L21,11.3 L5,11.3 Z", "#FFF4F8", NAVY, 0.8))
    for x, c in ((8.5, "#3F8FD8"), (13, "#FF6FA8"), (17.5, "#5CB845")):
        p.add(rect(x - 1, 6, 2, 5.5, c, NAVY, 0.8))
        p.add(path(f"M{x},1 Q{x + 2},3.5 {x + 1.2},5 Q{x},6 {x - 1.2},5 Q{x - 1.8},3.5 {x},1 Z", "#FFB81C", NAVY, 0.7))
        p.add(ellipse(x, 4.2, 0.5, 0.9, "#FFF6C0", None))


@food("5_4")
def sundae(p):
    glass = "M3,12 L24,12 Q23,20.5 15.5,22 L15.5,26 L20,27.5 L20,29 L7,29 L7,27.5 L11.5,26 L11.5,22 Q4,20.5 3,12 Z"
    p.body(glass, "#CDEAF5", "#A8D2E4", "M14,11 L25,11 L25,30 L14,30 Z", extra=[
        path("M3,12 L24,12 Q23.3,17 19,19.5 L8,19.5 Q3.7,17 3,12 Z", "#FFB0C8", None),
        path("M5,15 L22,15", None, "#7A4A2A", 1.4), path("M5.5,13 L5.5,17", None, "#F4FCFF", 1.0)])
    p.add(circle(9, 9.5, 4.5, "#F4E6C8", NAVY, 0.9), circle(18, 9.5, 4.5, "#9A5A36", NAVY, 0.9))
    cream = "M6,9 Q5,5 9,4.8 Q10.5,1.8 13.5,3.5 Q16.5,1.8 18,4.8 Q22,5 21,9 Q18,11 13.5,10 Q9,11 6,9 Z"
    p.body(cream, "#FBF8F4", "#E4DCD0", "M6,7.5 Q13,11 21,7 L21,12 L6,12 Z")
    p.add(circle(13.5, 3, 2.3, "#D8203A", NAVY, 0.8), circle(12.9, 2.4, 0.6, "#FF9AA6", None))
    p.add(path("M19,7 L25,0.8 L26.5,2.2 L20.8,8.4 Z", "#E8B466", NAVY, 0.8))


def _make(name, item):
    p = Pic(item.w, item.h)
    FOOD[name](p)
    return render(p.svg())


for _name in list(FOOD):
    picture(_name)(lambda item, _n=_name: [_make(_n, item)])
