#!/usr/bin/env python3
"""Draws the images of the tolerance frame editor's code buttons, BITMAP/416.png: 21 x 21 images in a
strip (a vertical bar, a diameter sign, then the circled P, S, L, M, F and E), with the shapes of
make_toolbar_images.py on a transparent ground. The build does not run this script: its output is kept
in resource/.

    python3 scripts/make_tolerance_code_images.py [resource folder]
"""

import importlib.util
import os
import sys

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("toolbar_images", os.path.join(_here, "make_toolbar_images.py"))
T = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(T)

CODE_IMAGES = 416
SIZE = 21
C = 10.5
W = 1.2

# Letters as strokes in the box 7.5..13.5 x 6.5..14.5.
L0, L1, TOP, BOT, MID = 7.5, 13.5, 6.5, 14.5, 10.5
LETTERS = {
    "P": [[(L0, BOT), (L0, TOP), (L1 - 1, TOP), (L1, TOP + 1), (L1, MID - 1), (L1 - 1, MID), (L0, MID)]],
    "S": [[(L1, TOP + 1), (L1 - 1, TOP), (L0 + 1, TOP), (L0, TOP + 1), (L0, MID - 1), (L0 + 1, MID), (L1 - 1, MID),
           (L1, MID + 1), (L1, BOT - 1), (L1 - 1, BOT), (L0 + 1, BOT), (L0, BOT - 1)]],
    "L": [[(L0, TOP), (L0, BOT), (L1, BOT)]],
    "M": [[(L0, BOT), (L0, TOP), (C, MID + 1), (L1, TOP), (L1, BOT)]],
    "F": [[(L1, TOP), (L0, TOP), (L0, BOT)], [(L0, MID), (L1 - 1, MID)]],
    "E": [[(L1, TOP), (L0, TOP), (L0, BOT), (L1, BOT)], [(L0, MID), (L1 - 1, MID)]],
}


def circled(letter):
    shapes = [T.circle(C, C, 8.8, T.INK, W)]
    for stroke in LETTERS[letter]:
        shapes.append(T.polyline(stroke, T.INK, W))
    return T.flat(*shapes)


def images():
    bar = T.flat(T.line(C, 3, C, 18, T.INK, 1.6))
    diameter = T.flat(T.circle(C, C, 5.5, T.INK, W), T.line(5, 16, 16, 5, T.INK, W))
    return [bar, diameter] + [circled(ch) for ch in "PSLMFE"]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(_here, "..", "resource")
    T.SIZE = SIZE
    strip = T.strip([T.render(shapes) for shapes in images()])
    for lang in ("ENG", "JPN"):
        folder = os.path.join(root, lang, "BITMAP")
        os.makedirs(folder, exist_ok=True)
        T.write_png(os.path.join(folder, "%d.png" % CODE_IMAGES), strip)


if __name__ == "__main__":
    main()
