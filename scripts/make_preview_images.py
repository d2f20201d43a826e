#!/usr/bin/env python3
"""Draws the print preview's toolbar (TOOLBAR/300, its strip BITMAP/300.png and the hot images
BITMAP/414.png), the hand cursor CURSOR/432.png and the realtime-zoom cursor CURSOR/433.png, with the shapes of make_toolbar_images.py; the
help buttons' picture BITMAP/404.png is kept in resource/ as drawn. The build does not run this
script: its output is kept in resource/.

    python3 scripts/make_preview_images.py [resource folder]
"""

import importlib.util
import os
import struct
import sys
import zlib

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("toolbar_images", os.path.join(_here, "make_toolbar_images.py"))
T = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(T)

PREVIEW_TOOLBAR = 300
PREVIEW_HOT = 414
HAND_CURSOR = 432
ZOOM_CURSOR = 433
MASK_GREEN = (0, 255, 0)


def img_page_setup():
    return T.flat(T.page(1.5, 1.5, 11.5, 14.5, 2.5), T.rect(4, 5, 9, 11.5, T.BLUE, 1.0, (1.5, 1)),
                  T.line(9.5, 15, 15, 9.5, T.INK, 1.6))


def img_previous_page():
    return T.flat(T.page(4.5, 1.5, 13.5, 14.5), T.line(11, 8, 4, 8, T.BLUE, 1.6), T.arrow_head(2.2, 8, -1, 0, T.BLUE))


def img_next_page():
    return T.flat(T.page(2.5, 1.5, 11.5, 14.5), T.line(5, 8, 12, 8, T.BLUE, 1.6), T.arrow_head(13.8, 8, 1, 0, T.BLUE))


def hand(scale=1.0, ox=0.0, oy=0.0):
    """An open hand, palm down, in a 16 x 16 box scaled and moved."""
    def p(x, y):
        return (ox + x * scale, oy + y * scale)

    skin = (250, 226, 196)
    shapes = []
    # fingers, then the palm over their roots, then the thumb
    for x, top in ((4.5, 3.0), (7.0, 1.8), (9.5, 2.4), (12.0, 4.0)):
        x0, y0 = p(x - 1.1, top)
        x1, y1 = p(x + 1.1, 10)
        shapes += T.framed_polygon([(x0, y0 + scale), (x0 + scale * 1.1, y0), (x1, y0 + scale), (x1, y1), (x0, y1)],
                                   skin, T.INK, max(1.0, scale * 0.9))
    shapes += T.framed_polygon([p(3.2, 8), p(13.2, 8), p(13.2, 12), p(11, 15), p(5.5, 15), p(3.2, 12)], skin, T.INK,
                               max(1.0, scale * 0.9))
    shapes += T.framed_polygon([p(3.4, 11.5), p(1.0, 8.5), p(1.8, 7.5), p(4.4, 9.2)], skin, T.INK,
                               max(1.0, scale * 0.9))
    return shapes


def zoom_cursor():
    """A magnifier with arrows up (zoom in) and down (zoom out), 32 x 32, its lens centre the hot spot."""
    return T.flat(T.disc(12, 12, 8, (235, 244, 255)), T.circle(12, 12, 8, T.INK, 2.0),
                  T.line(17.8, 17.8, 27, 27, T.INK, 4.0),
                  T.line(12, 7, 12, 17, T.INK, 1.6), T.arrow_head(12, 5.5, 0, -1, T.INK, 3.0),
                  T.arrow_head(12, 18.5, 0, 1, T.INK, 3.0))


def img_hand():
    return hand()


def img_close():
    return T.flat(T.line(4, 4, 12, 12, T.RED, 2.0), T.line(12, 4, 4, 12, T.RED, 2.0))


def img_zoom_box():
    return T.flat(T.rect(1.5, 4.5, 14.5, 11.5, T.GREY, 1.0), T.line(9.5, 7, 13, 7, T.INK), T.line(10.5, 9, 12, 9, T.INK))


BUTTONS = [(58116, T.img_print), (34536, img_page_setup), T.SEP, (34531, T.img_zoom_in), (34532, T.img_zoom_out),
           (34533, img_previous_page), (34534, img_next_page), (34530, img_hand), (34535, img_zoom_box), T.SEP,
           (58112, img_close), (57666, T.img_help)]


def render_big(shapes, size):
    saved = T.SIZE
    T.SIZE = size
    try:
        return T.render(shapes)
    finally:
        T.SIZE = saved


def write_png_with_text(path, rows, key, value):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"tEXt", key.encode() + b"\0" + value.encode())
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(_here, "..", "resource")
    images = [T.render(draw()) for item in BUTTONS if item != T.SEP for draw in [item[1]]]
    lines = ["# Print preview toolbar (written by scripts/make_preview_images.py)", "TOOLBAR 16 16"]
    for item in BUTTONS:
        lines.append("SEPARATOR" if item == T.SEP else "BUTTON %d" % item[0])
    cursor = render_big(hand(2.0), 32)
    zoom = render_big(zoom_cursor(), 32)
    for lang in ("ENG", "JPN"):
        for kind in ("TOOLBAR", "BITMAP", "CURSOR"):
            os.makedirs(os.path.join(root, lang, kind), exist_ok=True)
        with open(os.path.join(root, lang, "TOOLBAR", str(PREVIEW_TOOLBAR)), "w") as f:
            f.write("\n".join(lines) + "\n")
        T.write_png(os.path.join(root, lang, "BITMAP", "%d.png" % PREVIEW_TOOLBAR), T.strip(images))
        T.write_png(os.path.join(root, lang, "BITMAP", "%d.png" % PREVIEW_HOT), T.strip(images))
        write_png_with_text(os.path.join(root, lang, "CURSOR", "%d.png" % HAND_CURSOR), cursor, "hotspot", "16,14")
        write_png_with_text(os.path.join(root, lang, "CURSOR", "%d.png" % ZOOM_CURSOR), zoom, "hotspot", "12,12")


if __name__ == "__main__":
    main()
