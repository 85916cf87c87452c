"""Which function draws which catalogue item."""

PRODUCERS = {}


def picture(*names, edge=None, threshold=0.5):
    """Registers a function that draws the patterns of the named items.

    The function receives the catalogue item and returns a list of RGBA arrays, one per
    pattern in pattern order, each of the pattern size. `edge` is the colour that soft rims are
    flattened against (the outline colour of the drawing, navy unless given).
    """

    def wrap(fn):
        for n in names:
            PRODUCERS[n] = (fn, edge, threshold)
        return fn

    return wrap
