#!/usr/bin/env python3
"""Draws the style dialog's tree icons BITMAP/407.png: eight 16 x 16 pictures (0 a dimension sub-page,
1 basic shape, 2 point marker, 3 text, 4 lead, 5 balloon, 6 dimension, 7 hatch) with the shapes of
make_toolbar_images.py. The build does not run this script: its output is kept in resource/.

    python3 scripts/make_style_tree_images.py [resource folder]
"""

import importlib.util
import os
import sys

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("toolbar_images", os.path.join(_here, "make_toolbar_images.py"))
T = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(T)

STYLE_TREE = 407


def img_sub_page():
    return T.flat(T.rect(5.5, 5.5, 10.5, 10.5, T.GREY, 1.0))


def img_basic_shape():
    return T.flat(T.line(1.5, 14, 14, 1.5, T.INK, 1.4), T.circle(9.5, 9.5, 4.5, T.BLUE, 1.4))


def img_point_marker():
    return T.flat(T.line(8, 2, 8, 14, T.RED, 1.6), T.line(2, 8, 14, 8, T.RED, 1.6), T.circle(8, 8, 3.5, T.INK, 1.2))


def img_text():
    # A capital A and a base line.
    return T.flat(T.line(3, 13, 8, 2, T.INK, 1.6), T.line(8, 2, 13, 13, T.INK, 1.6), T.line(5, 9, 11, 9, T.INK, 1.4),
                  T.line(1.5, 15, 14.5, 15, T.BLUE, 1.0))


def img_lead():
    return T.flat(T.line(3, 13, 9, 5, T.INK, 1.4), T.line(9, 5, 15, 5, T.INK, 1.4), T.arrow_head(2.5, 13.5, -0.6, 0.8, T.INK),
                  T.line(10, 3, 14, 3, T.BLUE, 1.2))


def img_balloon():
    return T.flat(T.circle(10, 6, 4.5, T.INK, 1.4), T.line(6.8, 9.2, 2, 14, T.INK, 1.4), T.line(10, 4, 10, 8, T.BLUE, 1.4))


def img_dimension():
    return T.flat(T.line(2, 3, 2, 13, T.GREY, 1.0), T.line(14, 3, 14, 13, T.GREY, 1.0), T.line(3, 10, 13, 10, T.INK, 1.2),
                  T.arrow_head(2.5, 10, -1, 0, T.INK), T.arrow_head(13.5, 10, 1, 0, T.INK), T.line(6, 6, 10, 6, T.BLUE, 1.4))


def img_hatch():
    return T.flat(T.rect(1.5, 1.5, 14.5, 14.5, T.INK, 1.2), T.line(2, 10, 6, 14, T.BLUE, 1.0),
                  T.line(2, 6, 10, 14, T.BLUE, 1.0), T.line(2, 2, 14, 14, T.BLUE, 1.0), T.line(6, 2, 14, 10, T.BLUE, 1.0),
                  T.line(10, 2, 14, 6, T.BLUE, 1.0))


IMAGES = [img_sub_page, img_basic_shape, img_point_marker, img_text, img_lead, img_balloon, img_dimension, img_hatch]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(_here, "..", "resource")
    images = [T.render(draw()) for draw in IMAGES]
    for lang in ("ENG", "JPN"):
        os.makedirs(os.path.join(root, lang, "BITMAP"), exist_ok=True)
        T.write_png(os.path.join(root, lang, "BITMAP", "%d.png" % STYLE_TREE), T.strip(images))


if __name__ == "__main__":
    main()
