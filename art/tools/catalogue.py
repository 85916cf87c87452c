"""The picture catalogue of the game: every item's name, size, pattern grid and colour key.

Colour keys are colour values 0x00BBGGRR (red in the low byte), as the game stores them.
"""

CL_BLACK = 0x000000
CL_WHITE = 0xFFFFFF
CL_FUCHSIA = 0xFF00FF

# name, picture width, height, pattern width, height (0 = whole), colour key (None = opaque)
IMAGES = [
    ("Splash", 50, 28, 0, 0, 16701295),
    ("Normal", 90, 47, 0, 0, 11185067),
    ("DragonR", 84, 42, 42, 42, 718071),
    ("Stable", 90, 45, 0, 0, 11250860),
    ("Prize", 360, 46, 36, 46, CL_FUCHSIA),
    ("Level", 27, 35, 0, 0, 16759615),
    ("Life", 29, 25, 0, 0, CL_WHITE),
    ("Time", 35, 35, 0, 0, 12563331),
    ("Score", 35, 35, 0, 0, 15514172),
    ("GameOver", 351, 45, 0, 0, CL_WHITE),
    ("Complete", 390, 44, 0, 0, CL_FUCHSIA),
    ("Pause", 157, 49, 0, 0, CL_WHITE),
    ("Exit", 118, 37, 0, 0, CL_WHITE),
    ("New", 154, 38, 0, 0, CL_WHITE),
    ("Stepped", 90, 47, 0, 0, 11185067),
    ("Monster1R", 72, 37, 36, 37, 327172),
    ("Hiscore", 254, 37, 0, 0, CL_WHITE),
    ("MegaPrize", 120, 30, 30, 30, CL_BLACK),
    ("ArrowUp", 76, 29, 19, 29, CL_FUCHSIA),
    ("Monster2R", 88, 49, 44, 49, 39168),
    ("Options", 220, 38, 0, 0, CL_WHITE),
    ("Title", 449, 35, 0, 0, CL_WHITE),
    ("Stars", 330, 55, 55, 55, CL_BLACK),
    ("SandClock", 80, 36, 20, 36, CL_WHITE),
    ("Pulse", 116, 25, 29, 25, CL_FUCHSIA),
    ("Monster3R", 90, 48, 45, 48, 1143551),
    ("Fnt1", 935, 19, 0, 0, CL_BLACK),
    ("HeartEmpty", 29, 25, 0, 0, CL_WHITE),
    ("Numz", 250, 23, 25, 23, CL_BLACK),
    ("Help", 130, 35, 0, 0, CL_WHITE),
    ("Cursor", 20, 20, 0, 0, CL_WHITE),
    ("HurryUp", 165, 29, 0, 0, CL_WHITE),
    ("Hungry", 248, 23, 0, 0, CL_WHITE),
    ("Ok", 90, 60, 90, 30, 11007),
    ("SNums", 130, 12, 13, 12, CL_WHITE),
    ("MenuBtn", 137, 60, 0, 30, CL_FUCHSIA),
    ("Keys", 117, 78, 0, 0, CL_FUCHSIA),
    ("Demo", 152, 36, 0, 0, CL_WHITE),
]

FOOD_SIZES = {
    1: [(15, 31), (31, 23), (30, 27), (19, 32), (19, 32), (17, 31), (32, 23), (32, 23), (17, 31),
        (31, 14), (30, 26), (31, 26), (17, 31), (31, 14), (31, 14), (31, 14), (20, 31), (16, 29),
        (21, 24), (21, 24)],
    2: [(26, 31), (26, 31), (33, 23), (29, 26), (27, 31), (31, 28), (18, 32), (25, 30), (32, 12),
        (20, 31), (24, 24), (31, 19), (25, 16), (28, 28), (20, 31)],
    3: [(22, 31), (20, 30), (29, 17), (32, 21), (29, 22), (29, 28), (31, 28), (31, 30), (27, 29),
        (31, 17), (30, 18), (26, 28), (16, 16), (30, 18), (28, 26), (28, 28)],
    4: [(27, 28), (32, 26), (31, 18), (13, 23), (31, 24), (31, 24)],
    5: [(21, 31), (32, 25), (26, 32), (27, 30)],
}
FOOD_BLACK_KEY = {"1_13", "1_17", "3_10", "3_11", "5_4"}


def key_rgb(value):
    """The (r, g, b) of a colour value 0x00BBGGRR."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


class Item:
    def __init__(self, name, w, h, pw, ph, key):
        self.name, self.w, self.h, self.key = name, w, h, key
        self.pw = pw or w
        self.ph = ph or h
        self.cols = w // self.pw
        self.rows = h // self.ph

    @property
    def count(self):
        return self.cols * self.rows

    @property
    def key_rgb(self):
        return None if self.key is None else key_rgb(self.key)


def all_items():
    items = [Item(*row) for row in IMAGES]
    for group, sizes in FOOD_SIZES.items():
        for n, (w, h) in enumerate(sizes, 1):
            name = f"{group}_{n}"
            items.append(Item(name, w, h, 0, 0, CL_BLACK if name in FOOD_BLACK_KEY else CL_WHITE))
    return items


# The glyph table of the font strip "Fnt1": character, left column, width.
FONT_GLYPHS = (
    [(str(d), 12 * d, 12) for d in range(10)]
    + [("A", 120, 14), ("B", 134, 14), ("C", 148, 14), ("D", 162, 14), ("E", 176, 12),
       ("F", 188, 11), ("G", 199, 14), ("H", 213, 14), ("I", 227, 6), ("J", 233, 11),
       ("K", 244, 14), ("L", 258, 12), ("M", 270, 22), ("N", 292, 14), ("O", 306, 14),
       ("P", 320, 14), ("Q", 334, 14), ("R", 348, 15), ("S", 363, 14), ("T", 377, 12),
       ("U", 389, 14), ("V", 403, 14), ("W", 417, 22), ("X", 439, 14), ("Y", 453, 14),
       ("Z", 467, 14),
       ("a", 481, 14), ("b", 495, 14), ("c", 509, 14), ("d", 523, 14), ("e", 537, 14),
       ("f", 551, 10), ("g", 561, 14), ("h", 575, 14), ("i", 589, 7), ("j", 596, 10),
       ("k", 606, 14), ("l", 620, 7), ("m", 627, 22), ("n", 649, 14), ("o", 663, 14),
       ("p", 677, 14), ("q", 691, 14), ("r", 705, 12), ("s", 717, 14), ("t", 731, 14),
       ("u", 745, 14), ("v", 759, 14), ("w", 773, 22), ("x", 795, 14), ("y", 809, 14),
       ("z", 823, 14),
       (".", 837, 5), (",", 842, 5), (":", 847, 6), ("!", 853, 6), ("?", 859, 12),
       ("-", 871, 12), ("$", 883, 12), ("/", 895, 10), ("\\", 905, 10), ("(", 915, 8),
       (")", 923, 8), ("'", 931, 4)]
)
FONT_SPACE = 10
