#!/usr/bin/env python3
"""Draws the layer views' pictures with the shapes of make_toolbar_images.py: BITMAP/401.png, the
strip of the layer trees and lists (closed folder, open folder, current layer, displayed layer,
layer not displayed, pencil, grey pencil, padlock; 16 x 16 each, transparent where nothing is
drawn), the layer bar's toolbar TOOLBAR/301 with its strip BITMAP/301.png, the layer table's toolbar
TOOLBAR/309 with BITMAP/309.png, and BITMAP/406.png, the large folder behind a group's thumbnail. The
build does not run this script: its output is kept in resource/.

    python3 scripts/make_layer_images.py [resource folder]
"""

import importlib.util
import os
import sys

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("toolbar_images", os.path.join(_here, "make_toolbar_images.py"))
T = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(T)

LAYER_IMAGES = 401
LAYER_TOOLBAR = 301
TABLE_TOOLBAR = 309
GROUP_PICTURE = 406


def folder(open_):
    back = T.framed_polygon([(1.5, 3.5), (6, 3.5), (7.5, 5), (14.5, 5), (14.5, 13.5), (1.5, 13.5)], T.FOLDER)
    if not open_:
        return T.flat(back, T.line(1.5, 6.5, 14.5, 6.5, T.INK))
    return T.flat(back, T.framed_polygon([(4, 7.5), (15.5, 7.5), (13, 13.5), (1.5, 13.5)], T.YELLOW))


def sheets(fill_top, fill_back, edge=T.INK):
    """Three sheets seen slanted, stacked from the bottom up."""
    out = []
    for dy, fill in ((6, fill_back), (3, fill_back), (0, fill_top)):
        out += T.framed_polygon([(5.5, 2.5 + dy), (14.5, 2.5 + dy), (10.5, 7.5 + dy), (1.5, 7.5 + dy)], fill, edge)
    return T.flat(out)


def pencil(body, tip):
    """A small pencil in the lower left corner, pointing down-left (an overlay)."""
    return T.flat(T.framed_polygon([(8.5, 6.5), (10.5, 8.5), (4.5, 14.5), (2.5, 12.5)], body),
                  T.polygon([(2.5, 12.5), (4.5, 14.5), (1.0, 15.5)], tip))


def padlock():
    """A small padlock in the lower left corner (an overlay)."""
    return T.flat(T.arc(4.5, 10, 2.3, 0, 180, T.INK, 1.3), T.line(2.2, 10, 2.2, 11, T.INK, 1.3),
                  T.line(6.8, 10, 6.8, 11, T.INK, 1.3),
                  T.framed_polygon([(0.5, 10.5), (8.5, 10.5), (8.5, 15.5), (0.5, 15.5)], T.YELLOW),
                  T.fill_rect(4, 12.2, 5, 14, T.INK))


IMAGES = [
    lambda: folder(False),
    lambda: folder(True),
    lambda: sheets(T.SKY, (180, 215, 250), T.BLUE),
    lambda: sheets(T.WHITE, T.WHITE),
    lambda: sheets(T.LIGHT, T.LIGHT, T.GREY),
    lambda: pencil(T.ORANGE, T.INK),
    lambda: pencil(T.LIGHT, T.GREY),
    padlock,
]


def plus(x, y):
    return [T.line(x, y - 3, x, y + 3, T.GREEN, 1.8), T.line(x - 3, y, x + 3, y, T.GREEN, 1.8)]


def table():
    out = [T.framed_polygon([(1.5, 2.5), (14.5, 2.5), (14.5, 13.5), (1.5, 13.5)], T.WHITE)]
    out.append(T.fill_rect(2, 3, 14, 5.5, T.SKY))
    for y in (8, 10.8):
        out.append(T.line(2, y, 14, y, T.LIGHT))
    out.append(T.line(6, 3, 6, 13, T.LIGHT))
    return T.flat(out)


# The layer bar's buttons: add layer, add group, delete, make current, properties, layer table.
TOOLBAR = [
    (34227, lambda: T.flat(sheets(T.WHITE, T.WHITE), plus(12, 12))),
    (34228, lambda: T.flat(folder(False), plus(12, 11.5))),
    None,
    (34229, lambda: T.flat(T.line(3, 3, 13, 13, T.RED, 2.6), T.line(13, 3, 3, 13, T.RED, 2.6))),
    None,
    (34230, lambda: T.flat(sheets(T.SKY, (180, 215, 250), T.BLUE), pencil(T.ORANGE, T.INK))),
    (34240, lambda: T.flat(T.page(), T.line(5.5, 6, 10.5, 6, T.INK), T.line(5.5, 8.5, 10.5, 8.5, T.INK),
                           T.line(5.5, 11, 10.5, 11, T.INK))),
    (33306, table),
]


def up_arrow():
    return [T.line(11.5, 14, 11.5, 7, T.GREEN, 1.8), T.polygon([(8, 8), (11.5, 3.5), (15, 8)], T.GREEN)]


def thumbnails():
    out = []
    for x, y in ((1.5, 1.5), (9, 1.5), (1.5, 9), (9, 9)):
        out += T.framed_polygon([(x, y), (x + 5.5, y), (x + 5.5, y + 5.5), (x, y + 5.5)], T.WHITE)
    return T.flat(out)


def preview():
    out = T.framed_polygon([(1.5, 1.5), (14.5, 1.5), (14.5, 10.5), (1.5, 10.5)], (238, 242, 251))
    out += [T.line(4, 8, 7, 4.5, T.BLUE), T.line(7, 4.5, 12, 8, T.BLUE)]
    for x in (1.5, 6, 10.5):
        out += T.framed_polygon([(x, 12), (x + 4, 12), (x + 4, 15), (x, 15)], T.WHITE)
    return T.flat(out)


# The layer table's buttons: parent group, add layer, add group, delete, mode, preview options.
TABLE_TOOLBAR_BUTTONS = [
    (39488, lambda: T.flat(folder(False), up_arrow())),
    None,
    TOOLBAR[0],
    TOOLBAR[1],
    TOOLBAR[3],
    None,
    (39489, table),
    (39490, preview),
]


def render_large(shapes, size):
    """size x size RGBA rows of 16-unit shapes, sampled at the larger size."""
    scale = 16.0 / size
    sub = 2
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = a = 0.0
            for oy in range(sub):
                for ox in range(sub):
                    px, py = (x + (ox + 0.5) / sub) * scale, (y + (oy + 0.5) / sub) * scale
                    for hit, c in reversed(shapes):
                        if hit(px, py):
                            r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1.0
                            break
            row.append((0, 0, 0, 0) if a == 0 else (round(r / a), round(g / a), round(b / a), round(255 * a / (sub * sub))))
        rows.append(row)
    return rows


def write_toolbar(root, lang, number, title, buttons):
    T.write_png(os.path.join(root, lang, "BITMAP", "%d.png" % number),
                T.strip([T.render(item[1]()) for item in buttons if item is not None]))
    lines = ["# %s (written by scripts/make_layer_images.py)" % title, "TOOLBAR 16 16"]
    lines += ["SEPARATOR" if item is None else "BUTTON %d" % item[0] for item in buttons]
    with open(os.path.join(root, lang, "TOOLBAR", str(number)), "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(_here, "..", "resource")
    strip = T.strip([T.render(draw()) for draw in IMAGES])
    group = render_large(folder(False), 124)
    for lang in ("ENG", "JPN"):
        for kind in ("BITMAP", "TOOLBAR"):
            os.makedirs(os.path.join(root, lang, kind), exist_ok=True)
        T.write_png(os.path.join(root, lang, "BITMAP", "%d.png" % LAYER_IMAGES), strip)
        write_toolbar(root, lang, LAYER_TOOLBAR, "Layer bar toolbar", TOOLBAR)
        write_toolbar(root, lang, TABLE_TOOLBAR, "Layer table toolbar", TABLE_TOOLBAR_BUTTONS)
        T.write_png(os.path.join(root, lang, "BITMAP", "%d.png" % GROUP_PICTURE), group)


if __name__ == "__main__":
    main()
