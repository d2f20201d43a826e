#!/usr/bin/env python3
"""Draws the images of the drawing bar, the component palette and the overview bar.

Bitmap 402 holds the drawing tree's images (16 x 16 each, on magenta, the image list's mask colour):
closed and open folder, active / displayed / hidden paper, active / displayed / hidden part drawing,
pencil, grey pencil, padlock. The toolbars 302 (drawing bar), 303 (component palette), 313 and 315
(overview bar) get their TOOLBAR text and BITMAP strip. Same pictogram shapes as the other toolbars.

    python3 scripts/make_structure_images.py [resource folder]
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_toolbar_images import (BLUE, FOLDER, GREEN, GREY, INK, LIGHT, PAPER, RED, SKY, WHITE, YELLOW,  # noqa: E402
                                 SEP, arrow_head, circle, disc, fill_rect, flat, framed_polygon, img_delete,
                                 img_zoom_all, img_zoom_in, img_zoom_out, img_zoom_paper, line, page, polyline,
                                 rect, render, strip, write_png)

MAGENTA = (255, 0, 255)
HIDDEN = (175, 175, 175)


def sheet(fill, edge=INK):
    pts = [(2.5, 1.5), (10.5, 1.5), (13.5, 4.5), (13.5, 14.5), (2.5, 14.5)]
    return flat(framed_polygon(pts, fill, edge), polyline([(10.5, 1.5), (10.5, 4.5), (13.5, 4.5)], edge))


def part(fill, edge=INK):
    # a smaller sheet with a cut-out region drawn on it
    return flat(sheet(fill, edge), rect(4.5, 7.5, 10.5, 12.5, edge, 1.0, (1.5, 1.0)))


def pencil(c=YELLOW, edge=INK):
    return flat(framed_polygon([(3, 13), (11, 5), (13, 7), (5, 15)], c, edge),
                framed_polygon([(3, 13), (5, 15), (1.5, 15.5)], PAPER, edge))


def padlock():
    return flat(circle(8, 6, 3, INK, 1.6), framed_polygon([(3.5, 7.5), (12.5, 7.5), (12.5, 14.5), (3.5, 14.5)],
                                                           YELLOW), disc(8, 10.5, 1.2, INK))


TREE_IMAGES = [
    lambda: framed_polygon([(1.5, 3.5), (5.5, 3.5), (6.5, 5), (14.5, 5), (14.5, 13.5), (1.5, 13.5)], FOLDER),
    lambda: flat(framed_polygon([(1.5, 3.5), (5.5, 3.5), (6.5, 5), (12.5, 5), (12.5, 13.5), (1.5, 13.5)], FOLDER),
                 framed_polygon([(3.5, 7.5), (15.0, 7.5), (12.5, 13.5), (1.5, 13.5)], YELLOW)),
    lambda: sheet(SKY),
    lambda: sheet(WHITE),
    lambda: sheet(LIGHT, HIDDEN),
    lambda: part(SKY),
    lambda: part(WHITE),
    lambda: part(LIGHT, HIDDEN),
    lambda: pencil(),
    lambda: pencil(LIGHT, HIDDEN),
    padlock,
]


def on_magenta(rows):
    out = []
    for row in rows:
        r2 = []
        for (r, g, b, a) in row:
            f = a / 255.0
            r2.append((round(r * f + MAGENTA[0] * (1 - f)), round(g * f + MAGENTA[1] * (1 - f)),
                       round(b * f + MAGENTA[2] * (1 - f)), 255))
        out.append(r2)
    return out


def plus(x, y, c=GREEN):
    return [line(x - 2.5, y, x + 2.5, y, c, 1.6), line(x, y - 2.5, x, y + 2.5, c, 1.6)]


def img_add_paper():
    return flat(sheet(WHITE), plus(12, 12))


def img_add_part():
    return flat(part(WHITE), plus(12, 12))


def img_add_layout():
    return flat(sheet(WHITE), rect(4.5, 6.5, 11.5, 12.5, BLUE, 1.2), plus(12, 12))


def img_activate():
    return flat(sheet(SKY), pencil())


def img_properties():
    return flat(framed_polygon([(2.5, 1.5), (13.5, 1.5), (13.5, 14.5), (2.5, 14.5)], WHITE),
                line(4.5, 5, 11.5, 5, GREY, 1.2), line(4.5, 8, 11.5, 8, GREY, 1.2), line(4.5, 11, 9.5, 11, GREY, 1.2))


def img_large_icons():
    return flat(rect(1.5, 1.5, 6.5, 6.5, INK), rect(9.5, 1.5, 14.5, 6.5, INK), rect(1.5, 9.5, 6.5, 14.5, INK),
                rect(9.5, 9.5, 14.5, 14.5, INK))


def img_list():
    return flat(*[[rect(1.5, y, 4.5, y + 3, INK), line(6.5, y + 1.5, 14.5, y + 1.5, INK)] for y in (1.5, 6.5, 11.5)])


def img_register():
    return flat(circle(6, 7, 4, BLUE, 1.3), rect(7.5, 6.5, 13.5, 12.5, BLUE, 1.3), plus(12, 12))


def img_attributes():
    return flat(img_properties(), disc(12, 12, 2.5, BLUE))


def img_place():
    return flat(rect(2.5, 2.5, 9.5, 9.5, BLUE, 1.3), arrow_head(14, 14, 1, 1, INK, 4), line(8, 8, 13, 13, INK, 1.3))


def img_pan_hand():
    return flat(arrow_head(8, 1.5, 0, -1, INK, 3.5), arrow_head(8, 14.5, 0, 1, INK, 3.5),
                arrow_head(1.5, 8, -1, 0, INK, 3.5), arrow_head(14.5, 8, 1, 0, INK, 3.5),
                line(8, 3, 8, 13, INK, 1.2), line(3, 8, 13, 8, INK, 1.2))


def img_fit():
    return flat(rect(1.5, 1.5, 14.5, 14.5, GREY), rect(4.5, 5.5, 11.5, 10.5, RED, 1.4))


def img_store_view():
    return flat(rect(1.5, 2.5, 14.5, 12.5, INK), rect(4.5, 5.5, 11.5, 9.5, RED, 1.3), plus(13, 13))


def digit_view(n):
    from make_toolbar_images import DIGITS

    def draw():
        items = [rect(1.5, 1.5, 14.5, 14.5, GREY)]
        for dy, row in enumerate(DIGITS[str(n)]):
            for dx, cell in enumerate(row):
                if cell == "#":
                    items.append(fill_rect(5 + 2 * dx, 3 + 2 * dy, 7 + 2 * dx, 5 + 2 * dy, BLUE))
        return flat(*items)
    return draw


def img_prev_view():
    return flat(arrow_head(3, 8, -1, 0, BLUE, 5), line(4, 8, 13, 8, BLUE, 2))


def img_next_view():
    return flat(arrow_head(13, 8, 1, 0, BLUE, 5), line(3, 8, 12, 8, BLUE, 2))


TOOLBARS = {
    302: ("Drawing bar toolbar", [(34342, img_add_paper), (34328, img_add_part), (34344, img_add_layout), SEP,
                                  (34329, img_delete), SEP, (34330, img_activate), (34336, img_properties)]),
    303: ("Component palette toolbar", [(34431, img_large_icons), (34432, img_list), SEP, (33613, img_register),
                                        (34434, img_place), (34433, img_attributes), SEP, (34429, img_delete)]),
    313: ("Overview bar toolbar", [(37050, img_zoom_in), (37051, img_zoom_out), SEP, (37052, img_zoom_all),
                                   (37053, img_zoom_paper), SEP, (37054, img_fit)]),
    315: ("Overview bar saved views", [(37055, img_store_view), SEP] +
          [(37071 + i, digit_view(i + 1)) for i in range(8)] + [SEP, (37081, img_prev_view),
                                                                 (37082, img_next_view)]),
}


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                                "resource")
    tree = strip([on_magenta(render(draw())) for draw in TREE_IMAGES])
    bars = {}
    for res, (comment, items) in TOOLBARS.items():
        lines = ["# %s (written by scripts/make_structure_images.py)" % comment, "TOOLBAR 16 16"]
        images = []
        for item in items:
            if item == SEP:
                lines.append("SEPARATOR")
                continue
            lines.append("BUTTON %d" % item[0])
            images.append(render(item[1]()))
        bars[res] = ("\n".join(lines) + "\n", strip(images))
    for lang in ("ENG", "JPN"):
        for kind in ("TOOLBAR", "BITMAP"):
            os.makedirs(os.path.join(root, lang, kind), exist_ok=True)
        write_png(os.path.join(root, lang, "BITMAP", "402.png"), tree)
        for res, (text, images) in bars.items():
            with open(os.path.join(root, lang, "TOOLBAR", str(res)), "w") as f:
                f.write(text)
            write_png(os.path.join(root, lang, "BITMAP", "%d.png" % res), images)


if __name__ == "__main__":
    main()
