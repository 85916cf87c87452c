"""Writes a contact sheet of every picture and pattern at 2x over the water, plus two mock
screens (a level in play and the title menu) at 1x, to judge the pictures as the game shows them.

Usage: contact_sheet.py [output folder]   (default: build/ in the repository)
"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

import catalogue

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
IMAGES = os.path.join(ROOT, "src", "data", "images")
PACK = os.path.join(ROOT, "src", "data", "files", "TvFree.dat")
WATER_FILL = (0x46, 0xB1, 0xDD)
LABEL_FONT = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12)


def load(item):
    """The item's picture as RGBA, its colour key made transparent."""
    rgb = np.array(Image.open(os.path.join(IMAGES, item.name + ".png")).convert("RGB"))
    a = np.full(rgb.shape[:2], 255, np.uint8)
    if item.key is not None:
        a[np.all(rgb == np.array(item.key_rgb, np.uint8), axis=-1)] = 0
    return Image.fromarray(np.dstack([rgb, a]), "RGBA")


def water_pictures():
    import io
    import struct
    try:
        data = open(PACK, "rb").read()
        offs = struct.unpack("<6I", data[:24])
        return [Image.open(io.BytesIO(data[offs[i]:offs[i + 1]])).convert("RGB") for i in (0, 1)]
    except (OSError, struct.error):
        plain = Image.new("RGB", (640, 480), WATER_FILL)
        return [plain, plain]


def water_tile(water, w, h, x=0, y=0):
    tile = Image.new("RGB", (w, h))
    for ty in range(0, h, 480):
        for tx in range(0, w, 640):
            tile.paste(water.crop(((x + tx) % 640, (y + ty) % 480, (x + tx) % 640 + 640, (y + ty) % 480 + 480)),
                       (tx, ty))
    return tile


def patterns(item, img):
    out = []
    for i in range(item.count):
        r, c = divmod(i, item.cols)
        out.append(img.crop((c * item.pw, r * item.ph, (c + 1) * item.pw, (r + 1) * item.ph)))
    return out


def stretch(img, w, h):
    return img.resize((max(1, w), max(1, h)), Image.NEAREST)


class Flow:
    """Places labelled tiles left to right, wrapping at the sheet width."""

    def __init__(self, width):
        self.width, self.tiles, self.x, self.y, self.row_h = width, [], 10, 10, 0

    def add(self, img, label, pad=14):
        w, h = max(img.size[0], int(LABEL_FONT.getlength(label)) + 2), img.size[1] + 16
        if self.x + w > self.width - 10:
            self.x, self.y, self.row_h = 10, self.y + self.row_h + pad, 0
        self.tiles.append((self.x, self.y, img.convert("RGBA"), label))
        self.x += w + pad
        self.row_h = max(self.row_h, h)

    def newline(self):
        if self.x > 10:
            self.x, self.y, self.row_h = 10, self.y + self.row_h + 14, 0

    def render(self, water):
        height = self.y + self.row_h + 20
        sheet = water_tile(water, self.width, height).convert("RGBA")
        d = ImageDraw.Draw(sheet)
        for x, y, img, label in self.tiles:
            sheet.alpha_composite(img, (x, y))
            d.text((x + 1, y + img.size[1] + 3), label, font=LABEL_FONT, fill=(0, 0, 0))
            d.text((x, y + img.size[1] + 2), label, font=LABEL_FONT, fill=(255, 255, 255))
        return sheet.convert("RGB")


def font_line(fnt, text, scale=1):
    glyphs = {ch: (x, w) for ch, x, w in catalogue.FONT_GLYPHS}
    width = sum(catalogue.FONT_SPACE if ch == " " else glyphs.get(ch, (0, 0))[1] for ch in text)
    line = Image.new("RGBA", (max(width, 1), fnt.size[1]), (0, 0, 0, 0))
    pen = 0
    for ch in text:
        if ch == " ":
            pen += catalogue.FONT_SPACE
            continue
        if ch not in glyphs or glyphs[ch][1] == 0:
            continue
        x, w = glyphs[ch]
        line.alpha_composite(fnt.crop((x, 0, x + w, fnt.size[1])), (pen, 0))
        pen += w
    return stretch(line, line.size[0] * scale, line.size[1] * scale)


def contact_sheet(out_dir):
    items = {i.name: i for i in catalogue.all_items()}
    pics = {n: load(i) for n, i in items.items() if os.path.exists(os.path.join(IMAGES, n + ".png"))}
    water1, water2 = water_pictures()
    flow = Flow(1800)
    for name, item in items.items():
        if name not in pics:
            continue
        if name[0].isdigit() and name[1] == "_" and name.endswith("_1"):
            flow.newline()
        if name == "Fnt1":
            continue
        for i, p in enumerate(patterns(item, pics[name])):
            label = name if item.count == 1 else f"{name} {i}"
            flow.add(stretch(p, p.size[0] * 2, p.size[1] * 2), label, pad=8 if item.count > 1 else 14)
        if name.endswith("R") and name[:-1] in ("Dragon", "Monster1", "Monster2", "Monster3"):
            for i, p in enumerate(reversed(patterns(item, pics[name]))):
                m = p.transpose(Image.FLIP_LEFT_RIGHT)
                flow.add(stretch(m, m.size[0] * 2, m.size[1] * 2), f"{name[:-1]}L {i}", pad=8)
    flow.newline()
    # Pads at the sizes the game stretches them to, at 2x.
    for name in ("Normal", "Stepped", "Stable"):
        if name not in pics:
            continue
        img = pics[name]
        for size in (10, 16, 24, 32, 45, 60, 75, 90):
            h = img.size[1] * size // img.size[0]
            p = stretch(img, size, h)
            flow.add(stretch(p, size * 2, h * 2), f"{name} {size}", pad=8)
        flow.newline()
    # Menu pictures at the 60 percent the menu shows them when not selected, at 2x.
    for name in ("New", "Hiscore", "Options", "Demo", "Help", "Exit"):
        if name in pics:
            img = pics[name]
            p = stretch(img, img.size[0] * 6 // 10, img.size[1] * 6 // 10)
            flow.add(stretch(p, p.size[0] * 2, p.size[1] * 2), f"{name} 60%")
    flow.newline()
    if "Fnt1" in pics:
        fnt = pics["Fnt1"]
        flow.add(stretch(fnt, fnt.size[0] * 2, fnt.size[1] * 2), "Fnt1")
        flow.newline()
        for text in ("Press any key to continue...", "Exit to menu? (Y/N)  Enter Your Name:",
                     "Sound Music Difficulty Easy Normal Hard Ok  Page 1/2",
                     "The Dragon can jump on small islands and lily pads.",
                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789 .,:!?-$/\\()'"):
            flow.add(font_line(fnt, text, 2), text[:40])
        flow.newline()
    flow.add(water_tile(water1, 320, 240), "Water1 (1x crop)")
    flow.add(water_tile(water2, 320, 240), "Water2 (1x crop)")
    sheet = flow.render(water1)
    os.makedirs(out_dir, exist_ok=True)
    sheet.save(os.path.join(out_dir, "contact-sheet.png"))
    mock_play(pics, water1, out_dir)
    mock_title(pics, water1, out_dir)


def paste(canvas, img, x, y):
    canvas.alpha_composite(img, (int(x), int(y)))


def mock_play(pics, water, out_dir):
    """A level as the playfield draws it, 1x: pads, actors, food, bonuses and the status line."""
    need = ["Normal", "Stable", "Stepped", "DragonR", "Monster1R", "Monster2R", "Monster3R", "Prize",
            "Level", "Life", "HeartEmpty", "Time", "Score", "Numz"]
    if any(n not in pics for n in need):
        return
    items = {i.name: i for i in catalogue.all_items()}
    c = water.copy().convert("RGBA")
    cols, rows = 10, 8
    cw, ch = 640 // cols, 440 // rows
    import random
    rnd = random.Random(7)
    layout = {}
    for x in range(1, cols + 1):
        for y in range(1, rows + 1):
            r = rnd.random()
            if r < 0.25:
                continue
            kind = "Normal" if r < 0.7 else ("Stable" if r < 0.85 else "Stepped")
            size = cw - 4 if kind == "Stable" else rnd.choice([cw - 4, cw - 10, cw - 20, 30, 20, 12])
            layout[(x, y)] = (kind, size)
    for (x, y), (kind, size) in sorted(layout.items()):
        img = pics[kind]
        h = img.size[1] * size // img.size[0]
        paste(c, stretch(img, size, h), (x - 1) * cw + (cw - size) // 2, (y - 1) * ch + 20 + (ch - h) // 2)
    if "Splash" in pics:
        paste(c, pics["Splash"], 9 * cw + (cw - 50) // 2, 20 + 5 * ch + (ch - 28) // 2)

    def stand(name, col, row, frame=0):
        it = items[name]
        p = patterns(it, pics[name])[frame]
        paste(c, p, cw * (col - 1) + (cw - it.pw) // 2, 20 + ch * (row - 1) + ch // 2 - it.ph + 3)

    cells = [k for k, v in sorted(layout.items()) if v[1] >= cw - 10]
    actors = [("DragonR", 0), ("Monster1R", 1), ("Monster2R", 0), ("Monster3R", 1), ("Prize", 3)]
    foods = [n for n in pics if n[0].isdigit()]
    extra = ["Pulse", "SandClock", "ArrowUp", "MegaPrize", "Stars"]
    spots = cells[:]
    rnd.shuffle(spots)
    for (name, frame), (col, row) in zip(actors, spots):
        stand(name, col, row, frame)
    for n, (col, row) in zip(rnd.sample(foods, min(8, len(foods))) + [e for e in extra if e in pics],
                             spots[len(actors):]):
        it = items[n]
        p = patterns(it, pics[n])[0]
        paste(c, p, cw * (col - 1) + (cw - it.pw) // 2, 20 + ch * (row - 1) + (ch - it.ph) // 2)
    # Status line.
    def icon(x, name):
        img = pics[name]
        paste(c, img, x, 440 + (40 - img.size[1]) // 2)

    def number(value, digits, x):
        it = items["Numz"]
        pats = patterns(it, pics["Numz"])
        for i in range(digits - 1, -1, -1):
            paste(c, pats[value % 10], x + i * it.pw, 440 + (40 - it.ph) // 2)
            value //= 10

    icon(10, "Level")
    icon(130, "HeartEmpty")
    life = pics["Life"]
    cut = (100 - 60) * 25 // 100
    paste(c, life.crop((0, cut, life.size[0], life.size[1])), 130, 440 + (40 - life.size[1]) // 2 + cut)
    icon(250, "Time")
    icon(400, "Score")
    number(7, 2, 50)
    number(3, 1, 170)
    number(85, 2, 290)
    number(12450, 6, 440)
    if "SNums" in pics:
        it = items["SNums"]
        pats = patterns(it, pics["SNums"])
        for i, d in enumerate((2, 5, 0)):
            paste(c, pats[d], 300 + i * it.pw, 60)
    if "HurryUp" in pics:
        paste(c, pics["HurryUp"], (640 - pics["HurryUp"].size[0]) // 2, 150)
    if "Keys" in pics:
        paste(c, pics["Keys"], 262, 335)
    if "Cursor" in pics:
        paste(c, pics["Cursor"], 600, 100)
    c.convert("RGB").save(os.path.join(out_dir, "mock-play.png"))


def mock_title(pics, water, out_dir):
    names = ["New", "Hiscore", "Options", "Demo", "Help", "Exit"]
    if any(n not in pics for n in names + ["Title"]):
        return
    c = water.copy().convert("RGBA")
    t = pics["Title"]
    paste(c, t, (640 - t.size[0]) // 2, 20)
    top, spacing, selected = 140, 21, 1
    for i, n in enumerate(names, 1):
        img = pics[n]
        mw, mh = img.size[0] * 6 // 10, img.size[1] * 6 // 10
        w, h = (img.size if i == selected else (mw, mh))
        x = (640 - w) // 2
        y = top - h // 2 + (i - 1) * (mh + spacing)
        paste(c, stretch(img, w, h), x, y)
    if "Cursor" in pics:
        paste(c, pics["Cursor"], 330, 150)
    # The options panel beside it, as the options screen draws it.
    d = ImageDraw.Draw(c)
    x0, y0, w, h = 170, 330, 300, 120
    d.rectangle((x0, y0, x0 + w - 1, y0 + h - 1), fill=(4, 114, 188))
    d.rectangle((x0 + 2, y0 + 2, x0 + w - 3, y0 + h - 3), fill=(4, 190, 244))
    d.rectangle((x0 + 3, y0 + 3, x0 + w - 4, y0 + h - 4), outline=(4, 114, 188))
    if "Fnt1" in pics:
        paste(c, font_line(pics["Fnt1"], "Difficulty: Normal"), x0 + 20, y0 + 15)
        paste(c, font_line(pics["Fnt1"], "Press any key to continue..."), x0 + 20, y0 + 40)
    if "Ok" in pics:
        ok = pics["Ok"]
        paste(c, ok.crop((0, 0, 90, 30)), x0 + 20, y0 + 75)
        paste(c, ok.crop((0, 30, 90, 60)), x0 + 150, y0 + 75)
    c.convert("RGB").save(os.path.join(out_dir, "mock-title.png"))


if __name__ == "__main__":
    contact_sheet(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
