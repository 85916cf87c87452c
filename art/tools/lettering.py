"""Captions, menu pictures, digits, buttons and the font strip, in one rounded display face."""

import math

import numpy as np
from PIL import Image, ImageDraw, ImageFont

import catalogue
from registry import picture
from svgkit import NAVY, doc, lin_grad, path, rect, render

FACE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
S = 4  # supersampling factor

FILL_TOP, FILL_BOTTOM = (0xFF, 0xD2, 0x3F), (0xFF, 0x9F, 0x1C)
OUTLINE = (0x1A, 0x24, 0x33)
SHADOW = (0x0F, 0x1B, 0x2A)
CREAM = (0xFF, 0xF3, 0xD6)
CREAM_BOTTOM = (0xF6, 0xDF, 0xB0)


def _font(size):
    return ImageFont.truetype(FACE, max(1, int(round(size * S))))


def _masks(text, size, fatten, outline, spacing):
    """Fill and outline coverage masks of a line of text at S times the size."""
    font = _font(size)
    fw, ow = int(round(fatten * S)), int(round((fatten + outline) * S))
    advance = [font.getlength(ch) + spacing * S for ch in text]
    width = int(sum(advance) + 4 * ow + 8 * S)
    asc, desc = font.getmetrics()
    height = asc + desc + 4 * ow
    fill = Image.new("L", (width, height), 0)
    edge = Image.new("L", (width, height), 0)
    fd, ed = ImageDraw.Draw(fill), ImageDraw.Draw(edge)
    x = 2 * ow
    for ch, adv in zip(text, advance):
        fd.text((x, 2 * ow), ch, font=font, fill=255, stroke_width=fw, stroke_fill=255)
        ed.text((x, 2 * ow), ch, font=font, fill=255, stroke_width=ow, stroke_fill=255)
        x += adv
    return np.array(fill, np.float64) / 255, np.array(edge, np.float64) / 255, 2 * ow + asc


def _gradient(h, top, bottom, y0, y1):
    t = np.clip((np.arange(h) - y0) / max(1, y1 - y0), 0, 1)[:, None]
    return np.asarray(top, np.float64) * (1 - t) + np.asarray(bottom, np.float64) * t


def over(dst, src):
    """Straight-alpha 'over' of float RGBA arrays (0..1 alpha, 0..255 colour)."""
    sa, da = src[..., 3:4], dst[..., 3:4]
    a = sa + da * (1 - sa)
    rgb = np.where(a > 0, (src[..., :3] * sa + dst[..., :3] * da * (1 - sa)) / np.maximum(a, 1e-9), 0)
    return np.concatenate([rgb, a], axis=-1)


def text_layer(text, size, fatten=0.7, outline=2.0, shadow=2.0, top=FILL_TOP, bottom=FILL_BOTTOM,
               spacing=0.0, squeeze=1.0):
    """A line of lettering as a float RGBA array at 1x, cropped to its ink."""
    fill, edge, _ = _masks(text, size, fatten, outline, spacing)
    ys, xs = np.nonzero(edge > 0.02)
    y0, y1, x0, x1 = ys.min(), ys.max() + 1, xs.min(), xs.max() + 1
    sh = int(round(shadow * S))
    fill, edge = fill[y0:y1, x0:x1], edge[y0:y1, x0:x1]
    h, w = edge.shape
    canvas = np.zeros((h + sh, w + sh, 4))
    if sh:
        layer = np.zeros_like(canvas)
        layer[sh:, sh:, :3] = SHADOW
        layer[sh:, sh:, 3] = edge
        canvas = over(canvas, layer)
    layer = np.zeros_like(canvas)
    layer[:h, :w, :3] = OUTLINE
    layer[:h, :w, 3] = edge
    canvas = over(canvas, layer)
    fys = np.nonzero(fill.max(axis=1) > 0.5)[0]
    grad = _gradient(h, top, bottom, fys.min(), fys.max())
    layer = np.zeros_like(canvas)
    layer[:h, :w, :3] = grad[:, None, :]
    layer[:h, :w, 3] = fill
    canvas = over(canvas, layer)
    return downsample(canvas, squeeze)


def downsample(canvas, squeeze=1.0):
    """Box-filters an S-times float RGBA canvas down to 1x (premultiplied), optionally narrower."""
    h, w = canvas.shape[:2]
    ph, pw = -h % S, -w % S
    c = np.pad(canvas, ((0, ph), (0, pw), (0, 0)))
    pre = c[..., :3] * c[..., 3:4]
    img = np.concatenate([pre, c[..., 3:4] * 255], axis=-1)
    oh, ow = c.shape[0] // S, c.shape[1] // S
    small = img.reshape(oh, S, ow, S, 4).mean(axis=(1, 3))
    if squeeze != 1.0:
        nw = max(1, int(round(ow * squeeze)))
        small = np.stack([np.array(Image.fromarray(small[..., k].astype(np.float32), "F").resize(
            (nw, oh), Image.BILINEAR)) for k in range(4)], axis=-1)
    a = small[..., 3:4] / 255
    rgb = np.where(a > 0, small[..., :3] / np.maximum(a, 1e-9), 0)
    return np.concatenate([np.clip(rgb, 0, 255), np.clip(a, 0, 1)], axis=-1)


def place(layer, w, h, x=None, y=None):
    """Puts a float RGBA layer into a w x h picture, centred unless x or y is given."""
    lh, lw = layer.shape[:2]
    if lw > w or lh > h:
        raise ValueError(f"lettering {lw}x{lh} does not fit {w}x{h}")
    out = np.zeros((h, w, 4))
    x = (w - lw) // 2 if x is None else x
    y = (h - lh) // 2 if y is None else y
    out[y:y + lh, x:x + lw] = layer
    return out


def to_rgba8(f):
    return np.dstack([np.clip(np.rint(f[..., :3]), 0, 255), np.clip(np.rint(f[..., 3] * 255), 0, 255)]).astype(np.uint8)


def fit_size(text, w, h, lo=6.0, hi=80.0, **kw):
    """The largest font size (in steps of 0.25 px) at which the lettering fits w x h."""
    best = lo
    while hi - lo > 0.25:
        mid = (lo + hi) / 2
        lay = text_layer(text, mid, **kw)
        if lay.shape[1] <= w and lay.shape[0] <= h:
            best, lo = mid, mid
        else:
            hi = mid
    return best


# Captions: the words the player reads.
CAPTIONS = {
    "GameOver": "Game Over",
    "Complete": "Level Complete!",
    "Pause": "Paused",
    "HurryUp": "Hurry Up!",
    "Hungry": "I'm hungry!",
}
MENU = {
    "New": "New Game",
    "Hiscore": "High Scores",
    "Options": "Options",
    "Demo": "Demo",
    "Help": "Help",
    "Exit": "Exit",
}


def _menu_size():
    """One letter size for all the menu pictures: the size that the tightest one allows, with a
    little horizontal condensing where a long word needs it."""
    sizes = []
    for name, text in MENU.items():
        item = _item(name)
        sizes.append(fit_size(text, item.w - 2, item.h - 1, squeeze=0.86))
    return min(sizes)


def _item(name):
    return next(i for i in catalogue.all_items() if i.name == name)


@picture(*CAPTIONS.keys())
def caption(item):
    text = CAPTIONS[item.name]
    size = fit_size(text, item.w - 2, item.h - 1)
    return [to_rgba8(place(text_layer(text, size), item.w, item.h))]


_MENU_CACHE = {}


@picture(*MENU.keys())
def menu_picture(item):
    if "size" not in _MENU_CACHE:
        _MENU_CACHE["size"] = _menu_size()
    size = _MENU_CACHE["size"]
    text = MENU[item.name]
    lay = text_layer(text, size)
    if lay.shape[1] > item.w - 2:
        lay = text_layer(text, size, squeeze=(item.w - 2) / lay.shape[1])
    return [to_rgba8(place(lay, item.w, item.h))]


@picture("Title")
def title(item):
    """The game's name, with the Dragon on the left and the diamond it chases on the right."""
    import creatures
    import items
    text = "Tarvelle"
    size = fit_size(text, item.w - 2, item.h - 1, spacing=3.0)
    word = text_layer(text, size, spacing=3.0)
    out = place(word, item.w, item.h)
    wx = (item.w - word.shape[1]) // 2
    hero = render(creatures.dragon(0), 34, 34).astype(np.float64) * np.array([1, 1, 1, 1 / 255])
    gem = render(items.diamond(1), 26, 33).astype(np.float64) * np.array([1, 1, 1, 1 / 255])
    out = over(out, place(hero, item.w, item.h, x=wx - 34 - 12, y=0))
    out = over(out, place(gem, item.w, item.h, x=wx + word.shape[1] + 10, y=1))
    return [to_rgba8(out)]


@picture("Numz")
def numz(item):
    size = min(fit_size(str(d), item.pw - 1, item.ph, outline=2.0, shadow=1.0) for d in range(10))
    return [to_rgba8(place(text_layer(str(d), size, outline=2.0, shadow=1.0), item.pw, item.ph))
            for d in range(10)]


@picture("SNums")
def snums(item):
    size = min(fit_size(str(d), item.pw - 1, item.ph, outline=1.2, shadow=0.0, fatten=0.5) for d in range(10))
    return [to_rgba8(place(text_layer(str(d), size, outline=1.2, shadow=0.0, fatten=0.5), item.pw, item.ph))
            for d in range(10)]


# The font strip: every glyph inside its own column span, on a common baseline.
FONT_SIZE = 16.5
FONT_BASELINE = 14  # in strip pixels
FONT_WIDEN = 1.12  # the glyph table gives roomy cells: letters are drawn a little wide


def glyph_layer(ch, width):
    fill, edge, base = _masks(ch, FONT_SIZE, 0.4, 1.0, 0)
    ys, xs = np.nonzero(edge > 0.02)
    x0, x1 = xs.min(), xs.max() + 1
    # Keep rows relative to the baseline so every glyph sits on the same line.
    top = base - FONT_BASELINE * S
    pad = max(0, -top)
    fill = np.pad(fill, ((pad, 0), (0, 0)))
    edge = np.pad(edge, ((pad, 0), (0, 0)))
    top += pad
    fill = fill[top:top + 19 * S, x0:x1]
    edge = edge[top:top + 19 * S, x0:x1]
    h, w = edge.shape
    canvas = np.zeros((19 * S, w, 4))
    layer = np.zeros_like(canvas)
    layer[:h, :, :3] = OUTLINE
    layer[:h, :, 3] = edge
    canvas = over(canvas, layer)
    grad = _gradient(19 * S, CREAM, CREAM_BOTTOM, 3 * S, 15 * S)
    layer = np.zeros_like(canvas)
    layer[:h, :, :3] = grad[:h, None, :]
    layer[:h, :, 3] = fill
    canvas = over(canvas, layer)
    room = width - 2 if width > 6 else width - 1
    squeeze = min(FONT_WIDEN, room / (w / S))
    return downsample(canvas, squeeze)


@picture("Fnt1")
def font_strip(item):
    strip = np.zeros((item.h, item.w, 4))
    for ch, x, width in catalogue.FONT_GLYPHS:
        lay = glyph_layer(ch, width)
        lw = lay.shape[1]
        gx = x + (width - lw) // 2
        if width - lw == 1:
            gx = x  # a single spare column goes to the right, between this glyph and the next
        if gx < x or gx + lw > x + width:
            raise ValueError(f"glyph {ch!r} is {lw} wide, its cell only {width}")
        strip[:, gx:gx + lw] = over(strip[:, gx:gx + lw], lay[:item.h])
    return [to_rgba8(strip)]


# Buttons of the options screen.
BTN = {0: ("#3E8EDB", "#1F5FA8", "#7CC0F5"), 1: ("#6CD05A", "#2F8A36", "#B4F08E")}


def button_face(w, h, state):
    top, bottom, light = BTN[state]
    gid = f"bg{state}"
    defs = lin_grad(gid, [(0, top), (1, bottom)])
    s = [rect(1.2, 1.2, w - 2.4, h - 2.4, f"url(#{gid})", NAVY, 1.4, rx=(h - 2.4) / 2),
         path(f"M{h / 2},{4} L{w - h / 2},{4}", None, light, 1.6)]
    if state == 1:
        s.append(rect(2.6, 2.6, w - 5.2, h - 5.2, None, "#FFF3B0", 1.0, rx=(h - 5.2) / 2))
    return render(doc(w, h, s, defs)).astype(np.float64) * np.array([1, 1, 1, 1 / 255])


@picture("Ok")
def ok_button(item):
    out = []
    for state in (0, 1):
        face = button_face(item.pw, item.ph, state)
        lay = text_layer("OK", 17.5, fatten=0.5, outline=1.6, shadow=1.0)
        out.append(to_rgba8(over(face, place(lay, item.pw, item.ph))))
    return out


@picture("MenuBtn")
def menu_button(item):
    return [to_rgba8(button_face(item.pw, item.ph, state)) for state in (0, 1)]
