"""Status-line icons, the hearts, the mouse pointer and the arrow-key hint."""

import numpy as np

from items import HEART, HEART_LIGHT, HEART_SHADE, STAR, STAR_SHADE, heart, star5
from registry import picture
from shapes import C, E, P, clipped, shaded, tube
from svgkit import NAVY, circle, doc, ellipse, path, poly, rect, render

EMPTY, EMPTY_SHADE, EMPTY_LIGHT = "#3B4A6B", "#2B3752", "#5B6E96"


@picture("Life")
def life(item):
    defs = []
    return [render(doc(29, 25, [heart(defs, 14.5, 12.6, 26.0, 22.4)], "".join(defs)))]


@picture("HeartEmpty")
def heart_empty(item):
    defs = []
    return [render(doc(29, 25, [heart(defs, 14.5, 12.6, 26.0, 22.4, EMPTY, EMPTY_SHADE, EMPTY_LIGHT)],
                       "".join(defs)))]


FLAG, FLAG_SHADE, FLAG_LIGHT, POLE, POLE_LIGHT = "#5CC04A", "#3A8A36", "#A8E27A", "#8A6A4A", "#C9A27A"


@picture("Level")
def level(item):
    defs = []
    s = []
    s.append(tube("M5.5,6 L5.5,32.5", POLE, 2.2))
    s.append(path("M5.5,7 L5.5,31", None, POLE_LIGHT, 0.8))
    flag = "M6.5,5 Q16,6.5 25.5,12 Q16,17 6.5,20.5 Z"
    s.append(shaded(defs, [P(flag)], FLAG, sw=1.1, shade=FLAG_SHADE,
                    shade_d="M6,15 Q16,13 26,11 L26,22 L6,22 Z",
                    light=FLAG_LIGHT, light_d="M7.5,7 Q12,7.5 15,9 Q11,9 7.5,10 Z"))
    s.append(path("M7,12.8 Q15,12.3 22,12", None, "#FFE27A", 1.6))
    s.append(circle(5.5, 4.2, 2.3, "#FFD23F", NAVY, 1.0))
    s.append(ellipse(6.5, 33, 5.2, 1.6, "#6B4E36", NAVY, 0.9))
    return [render(doc(27, 35, s, "".join(defs)))]


CLOCK, CLOCK_SHADE, FACE = "#E8583C", "#B23A2C", "#FFF6E0"


@picture("Time")
def time_icon(item):
    defs = []
    s = []
    # Bells and legs.
    s.append(tube("M8,31 L5.5,33.5", CLOCK_SHADE, 2.0))
    s.append(tube("M27,31 L29.5,33.5", CLOCK_SHADE, 2.0))
    s.append(path("M3,10 Q3,3 10,3 Z", "#FFD23F", NAVY, 1.1))
    s.append(path("M32,10 Q32,3 25,3 Z", "#FFD23F", NAVY, 1.1))
    s.append(tube("M17.5,6 L17.5,3", CLOCK_SHADE, 1.6))
    s.append(circle(17.5, 2.4, 1.6, "#FFD23F", NAVY, 0.9))
    s.append(shaded(defs, [C(17.5, 19, 13.2)], CLOCK, sw=1.2, shade=CLOCK_SHADE,
                    shade_d="M3,22 Q17,40 33,15 L35,35 L0,35 Z",
                    light="#FF9A7A", light_d="M7,15 Q8,8 15,7 Q10,10 7,15 Z"))
    s.append(circle(17.5, 19, 9.6, FACE, NAVY, 1.0))
    for k in range(12):
        import math
        a = math.radians(k * 30)
        r0 = 7.4 if k % 3 else 6.4
        s.append(path(f"M{17.5 + r0 * math.sin(a):.2f},{19 - r0 * math.cos(a):.2f} "
                      f"L{17.5 + 8.4 * math.sin(a):.2f},{19 - 8.4 * math.cos(a):.2f}", None,
                      NAVY if k % 3 == 0 else "#9AA6B8", 1.0))
    s.append(path("M17.5,19 L17.5,12.5", None, NAVY, 1.6))
    s.append(path("M17.5,19 L22.5,21.5", None, NAVY, 1.3))
    s.append(circle(17.5, 19, 1.3, NAVY, None))
    return [render(doc(35, 35, s, "".join(defs)))]


GOLD, GOLD_SHADE, GOLD_LIGHT, GOLD_DARK = "#FFCC33", "#E0921C", "#FFF0A0", "#B86E14"


@picture("Score")
def score_icon(item):
    defs = []
    s = []
    # Handles.
    s.append(path("M8,8 Q1,8 2.5,14 Q4,19 10,20", None, NAVY, 4.2))
    s.append(path("M8,8 Q1,8 2.5,14 Q4,19 10,20", None, GOLD_SHADE, 2.0))
    s.append(path("M27,8 Q34,8 32.5,14 Q31,19 25,20", None, NAVY, 4.2))
    s.append(path("M27,8 Q34,8 32.5,14 Q31,19 25,20", None, GOLD_SHADE, 2.0))
    # Stem and base.
    s.append(path("M14.5,24 L20.5,24 L21.5,29 L13.5,29 Z", GOLD_SHADE, NAVY, 1.1))
    s.append(path("M8,29 L27,29 L28,33.5 L7,33.5 Z", "#8A5A2C", NAVY, 1.1))
    s.append(path("M9,31 L26,31", None, "#B07A44", 1.0))
    cup = "M6,4 L29,4 Q29,20 17.5,24.5 Q6,20 6,4 Z"
    s.append(shaded(defs, [P(cup)], GOLD, sw=1.2, shade=GOLD_SHADE, shade_d="M19,3 L30,3 L30,26 L17,26 Q24,16 19,3 Z",
                    light=GOLD_LIGHT, light_d="M8.5,6 L11,6 Q11,15 14,20 Q8.5,16 8.5,6 Z"))
    s.append(path("M5,4 L30,4", None, NAVY, 2.8))
    s.append(path("M5.8,4 L29.2,4", None, GOLD_LIGHT, 1.0))
    s.append(star5(17.5, 12.5, 5.0, fill="#FFF3B0", sw=0.8))
    return [render(doc(35, 35, s, "".join(defs)))]


CURSOR, CURSOR_SHADE, CURSOR_LIGHT = "#FFD23F", "#F29A1C", "#FFF3B0"


@picture("Cursor")
def cursor(item):
    defs = []
    shape = "M0.6,0.6 L0.6,16.2 L4.6,12.6 L7.6,18.8 L10.8,17.4 L7.9,11.4 L13.2,11.4 Z"
    s = [shaded(defs, [P(shape)], CURSOR, sw=1.2, shade=CURSOR_SHADE,
                shade_d="M4,13 L8,20 L12,20 L12,9 L8,11 Z",
                light=CURSOR_LIGHT, light_d="M2,3.5 L2,9 L4.5,6.5 Z")]
    rgba = render(doc(20, 20, s, "".join(defs)))
    # The pointer's hot spot is its top-left pixel: make sure it is drawn.
    rgba[0, 0] = (0x1A, 0x24, 0x33, 255)
    return [rgba]


KEY_TOP, KEY_SIDE, KEY_EDGE = "#F1F6FA", "#B4C3D3", "#D9E3EC"
KEY_ARROW, KEY_ARROW_SHADE = "#FF9F1C", "#D9731A"


def keycap(x, y, direction):
    s = [rect(x, y, 36, 36, KEY_SIDE, NAVY, 1.2, rx=6),
         rect(x + 3, y + 2, 30, 27.5, KEY_TOP, None, 0, rx=4.5),
         path(f"M{x + 4},{y + 4} L{x + 4},{y + 26}", None, "#FFFFFE", 1.0)]
    cx, cy = x + 18, y + 15.8
    # An arrow pointing up, turned to its direction.
    arrow = [(0, -9), (8, 0), (3.5, 0), (3.5, 8), (-3.5, 8), (-3.5, 0), (-8, 0)]
    rot = {"up": 0, "right": 90, "down": 180, "left": 270}[direction]
    pts = " ".join(f"{px},{py}" for px, py in arrow)
    s.append(f'<g transform="translate({cx},{cy}) rotate({rot})"><polygon points="{pts}" fill="{KEY_ARROW}" '
             f'stroke="{NAVY}" stroke-width="1.1" stroke-linejoin="round"/>'
             f'<polygon points="0,-9 8,0 3.5,0 3.5,8 0,8 0,-9" fill="{KEY_ARROW_SHADE}"/>'
             f'<polygon points="{pts}" fill="none" stroke="{NAVY}" stroke-width="1.1" stroke-linejoin="round"/></g>')
    return "".join(s)


@picture("Keys")
def keys(item):
    s = [keycap(40.5, 1.2, "up"), keycap(1.2, 40.5, "left"), keycap(40.5, 40.5, "down"),
         keycap(79.8, 40.5, "right")]
    return [render(doc(117, 78, s))]
