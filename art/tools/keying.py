"""Turns anti-aliased RGBA drawings into colour-keyed RGB pictures with hard edges."""

import numpy as np

NAVY_RGB = np.array([0x1A, 0x24, 0x33], dtype=np.float64)


def _neighbours4(mask):
    n = np.zeros_like(mask)
    n[1:, :] |= mask[:-1, :]
    n[:-1, :] |= mask[1:, :]
    n[:, 1:] |= mask[:, :-1]
    n[:, :-1] |= mask[:, 1:]
    return n


def nudge(key):
    """A colour one step away from the key, used where a drawing hits the key exactly."""
    return tuple(c + 1 if c < 128 else c - 1 for c in key)


def key_picture(rgba, key, edge=NAVY_RGB, threshold=0.5):
    """Flattens rgba over the edge colour and keys out what is mostly transparent.

    Pixels at least `threshold` opaque stay, blended over the edge colour so their soft rim
    darkens into the outline rather than into the key; faint pixels touching them (the outer
    half of an anti-aliased outline) stay too, so the outline never breaks. Everything else
    becomes the key. Returns (rgb uint8 array, opaque mask).
    """
    a = rgba[..., 3].astype(np.float64) / 255.0
    rgb = rgba[..., :3].astype(np.float64)
    flat = rgb * a[..., None] + np.asarray(edge, dtype=np.float64) * (1.0 - a[..., None])
    solid = a >= threshold
    mask = solid | ((a > 0.3) & _neighbours4(solid))
    out = np.clip(np.rint(flat), 0, 255).astype(np.uint8)
    if key is not None:
        hit = mask & np.all(out == np.array(key, dtype=np.uint8), axis=-1)
        out[hit] = nudge(key)
        out[~mask] = key
    return out, mask


def opaque(rgba):
    """An opaque picture: alpha dropped after flattening onto itself (used for backgrounds)."""
    return rgba[..., :3].copy(), np.ones(rgba.shape[:2], dtype=bool)
