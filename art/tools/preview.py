"""Quick look at one item, enlarged over the plain water: preview.py NAME [scale] [output.png]."""
import sys
import numpy as np
from PIL import Image
import build, catalogue

name = sys.argv[1]
scale = int(sys.argv[2]) if len(sys.argv) > 2 else 8
item = [i for i in catalogue.all_items() if i.name == name][0]
rgb = build.make_item(item)
key = np.all(rgb == np.array(item.key_rgb, dtype=np.uint8), axis=-1) if item.key is not None else np.zeros(rgb.shape[:2], bool)
out = rgb.copy()
out[key] = (0x46, 0xB1, 0xDD)
img = Image.fromarray(out).resize((rgb.shape[1] * scale, rgb.shape[0] * scale), Image.NEAREST)
img.save(sys.argv[3] if len(sys.argv) > 3 else f"/tmp/prev_{name}.png")
