#!/usr/bin/env python3
"""Draws the toolbar image strips and the bar icons of the language libraries.

Every image is a 16 x 16 pictogram made of a few shapes (lines, outlines, fills), rendered with
4 x 4 samples a pixel into an RGBA PNG. The toolbar strips (BITMAP/<id>.png) hold one image per
BUTTON line of TOOLBAR/<id>, in order; the icons are ICON/<id>.png. Both languages get the same
files. The build does not run this script: its output is kept in resource/.

    python3 scripts/make_toolbar_images.py [resource folder]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 16
SUB = 4

# Colours.
INK = (45, 45, 45)
GREY = (125, 125, 125)
LIGHT = (200, 200, 200)
WHITE = (255, 255, 255)
PAPER = (252, 252, 246)
BLUE = (30, 95, 205)
SKY = (120, 170, 235)
RED = (205, 45, 40)
GREEN = (40, 145, 65)
YELLOW = (240, 200, 70)
FOLDER = (235, 190, 80)
ORANGE = (235, 130, 40)
CYAN = (35, 160, 190)
PURPLE = (130, 70, 170)


# ---- shapes: each is a test of a point (pixel units, y down) plus a colour ----------------------

def _seg_dist(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / ll))
    qx, qy = x0 + t * dx, y0 + t * dy
    return math.hypot(px - qx, py - qy), t


def line(x0, y0, x1, y1, c, w=1.0, dash=None):
    length = math.hypot(x1 - x0, y1 - y0)

    def hit(px, py):
        d, t = _seg_dist(px, py, x0, y0, x1, y1)
        if d > w / 2:
            return False
        if dash:
            on, off = dash
            return (t * length) % (on + off) < on
        return True
    return (hit, c)


def polyline(points, c, w=1.0):
    segs = list(zip(points, points[1:]))

    def hit(px, py):
        return any(_seg_dist(px, py, a[0], a[1], b[0], b[1])[0] <= w / 2 for a, b in segs)
    return (hit, c)


def fill_rect(x0, y0, x1, y1, c):
    return (lambda px, py: x0 <= px <= x1 and y0 <= py <= y1, c)


def rect(x0, y0, x1, y1, c, w=1.0, dash=None):
    pts = [(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)]
    if dash:
        parts = [line(a[0], a[1], b[0], b[1], c, w, dash)[0] for a, b in zip(pts, pts[1:])]
        return (lambda px, py: any(p(px, py) for p in parts), c)
    return polyline(pts, c, w)


def disc(cx, cy, r, c):
    return (lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r, c)


def circle(cx, cy, r, c, w=1.0):
    return (lambda px, py: abs(math.hypot(px - cx, py - cy) - r) <= w / 2, c)


def _angle(px, py, cx, cy):
    return math.degrees(math.atan2(cy - py, px - cx)) % 360.0


def arc(cx, cy, r, a0, a1, c, w=1.0):
    """Counter-clockwise on screen from a0 to a1 degrees (0 = right, 90 = up)."""
    span = (a1 - a0) % 360.0 or 360.0

    def hit(px, py):
        if abs(math.hypot(px - cx, py - cy) - r) > w / 2:
            return False
        return (_angle(px, py, cx, cy) - a0) % 360.0 <= span
    return (hit, c)


def ellipse(cx, cy, rx, ry, c, w=1.0):
    def hit(px, py):
        dx, dy = (px - cx) / rx, (py - cy) / ry
        return abs(math.hypot(dx, dy) - 1.0) * min(rx, ry) <= w / 2
    return (hit, c)


def polygon(points, c):
    def hit(px, py):
        inside = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > py) != (y1 > py):
                xc = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
                if px < xc:
                    inside = not inside
        return inside
    return (hit, c)


def framed_polygon(points, fill, edge=INK, w=1.0):
    return [polygon(points, fill), polyline(points + [points[0]], edge, w)]


def arrow_head(x, y, dx, dy, c, size=3.0):
    """A filled head with its tip at (x, y) pointing along (dx, dy)."""
    ll = math.hypot(dx, dy)
    ux, uy = dx / ll, dy / ll
    bx, by = x - ux * size, y - uy * size
    nx, ny = -uy * size * 0.6, ux * size * 0.6
    return polygon([(x, y), (bx + nx, by + ny), (bx - nx, by - ny)], c)


def bezier(p0, p1, p2, p3, steps=24):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        a, b, cc, d = (1 - t) ** 3, 3 * t * (1 - t) ** 2, 3 * t * t * (1 - t), t ** 3
        pts.append((a * p0[0] + b * p1[0] + cc * p2[0] + d * p3[0], a * p0[1] + b * p1[1] + cc * p2[1] + d * p3[1]))
    return pts


def flat(*items):
    out = []
    for it in items:
        if isinstance(it, list):
            out.extend(flat(*it))
        else:
            out.append(it)
    return out


# ---- pieces shared by several pictograms ---------------------------------------------------------

def page(x0=3.5, y0=1.5, x1=12.5, y1=14.5, fold=3.0):
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    return framed_polygon(pts, PAPER) + [polyline([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], INK)]


def magnifier(cx=6.5, cy=6.5, r=4.5, inner=None):
    return flat(disc(cx, cy, r, (235, 244, 255)), inner or [], circle(cx, cy, r, INK, 1.3),
                line(cx + r * 0.72, cy + r * 0.72, 14.5, 14.5, INK, 2.4))


def endpoint(x, y, c=BLUE):
    return [fill_rect(x - 1.5, y - 1.5, x + 1.5, y + 1.5, c)]


def dimension(x0, x1, y, ext_top, c=BLUE):
    return [line(x0, ext_top, x0, y + 2, GREY), line(x1, ext_top, x1, y + 2, GREY),
            line(x0 + 1.5, y, x1 - 1.5, y, c), arrow_head(x0, y, -1, 0, c, 2.5), arrow_head(x1, y, 1, 0, c, 2.5)]


def letter_a(x0, y0, x1, y1, c, w=1.4):
    mx = (x0 + x1) / 2
    return [polyline([(x0, y1), (mx, y0), (x1, y1)], c, w),
            line(x0 + (mx - x0) * 0.45, y0 + (y1 - y0) * 0.6, x1 - (x1 - mx) * 0.45, y0 + (y1 - y0) * 0.6, c, w)]


# ---- the pictograms by command id ----------------------------------------------------------------

def img_new():
    return flat(page(), line(12.5, 10.5, 12.5, 15.5, GREEN, 1.6), line(10, 13, 15, 13, GREEN, 1.6))


def img_open():
    return flat(framed_polygon([(1.5, 3.5), (5.5, 3.5), (6.5, 5), (12.5, 5), (12.5, 13.5), (1.5, 13.5)], FOLDER),
                framed_polygon([(3.5, 7.5), (15.0, 7.5), (12.5, 13.5), (1.5, 13.5)], YELLOW))


def img_save():
    return flat(framed_polygon([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)], BLUE),
                fill_rect(4, 2, 11.5, 6.5, WHITE), fill_rect(8.5, 3, 10.5, 5.5, BLUE),
                fill_rect(3.5, 9.5, 12.5, 14.0, PAPER), line(5, 11.5, 11, 11.5, LIGHT))


def img_print():
    return flat(framed_polygon([(4.5, 1.5), (11.5, 1.5), (11.5, 6.5), (4.5, 6.5)], PAPER),
                framed_polygon([(1.5, 6.5), (14.5, 6.5), (14.5, 11.5), (1.5, 11.5)], LIGHT),
                disc(12.5, 8.5, 0.8, GREEN),
                framed_polygon([(4.5, 10.5), (11.5, 10.5), (11.5, 14.5), (4.5, 14.5)], PAPER),
                line(6, 12.5, 10, 12.5, GREY))


def img_preview():
    return flat(page(1.5, 1.5, 10.5, 14.5), line(3.5, 5.5, 7.5, 5.5, GREY), line(3.5, 8.5, 6.5, 8.5, GREY),
                disc(10, 9, 3.2, (235, 244, 255)), circle(10, 9, 3.2, INK, 1.2), line(12.3, 11.3, 15, 14, INK, 2.2))


def img_cut():
    return flat(line(4.5, 1.5, 10.5, 11, GREY, 1.4), line(11.5, 1.5, 5.5, 11, GREY, 1.4),
                circle(4.5, 12.5, 2.2, RED, 1.4), circle(11.5, 12.5, 2.2, RED, 1.4))


def img_copy():
    return flat(page(1.5, 1.5, 9.5, 11.5, 2.5), page(6.5, 4.5, 14.5, 14.5, 2.5),
                line(8.5, 9.5, 12.5, 9.5, GREY), line(8.5, 11.5, 12.5, 11.5, GREY))


def img_paste():
    return flat(framed_polygon([(2.5, 2.5), (11.5, 2.5), (11.5, 14.5), (2.5, 14.5)], (190, 140, 80)),
                fill_rect(5, 1.2, 9, 3.8, GREY), page(7.5, 6.5, 14.5, 15.0, 2.0))


def img_delete():
    return flat(line(3, 3, 13, 13, RED, 2.6), line(13, 3, 3, 13, RED, 2.6))


def img_undo():
    return flat(arc(8, 9, 5, 270, 140, BLUE, 2.0), arrow_head(2.0, 5.0, -0.4, -1.0, BLUE, 4.2),
                line(8, 14, 5, 14, BLUE, 2.0))


def img_redo():
    return flat(arc(8, 9, 5, 40, 270, BLUE, 2.0), arrow_head(14.0, 5.0, 0.4, -1.0, BLUE, 4.2),
                line(8, 14, 11, 14, BLUE, 2.0))


def img_select_shape():
    return flat(rect(1.5, 1.5, 11.5, 9.5, BLUE, 1.0, (2, 1.5)),
                framed_polygon([(7.5, 6.5), (7.5, 15.0), (9.7, 12.8), (11.3, 15.5), (12.6, 14.8), (11.2, 12.2),
                                (14.0, 12.0)], WHITE))


def img_filter():
    return flat(framed_polygon([(1.5, 2.5), (14.5, 2.5), (9.5, 8.5), (9.5, 13.5), (6.5, 14.5), (6.5, 8.5)], SKY))


def img_grid():
    out = [rect(1.5, 1.5, 14.5, 14.5, LIGHT)]
    for y in (3.5, 6.5, 9.5, 12.5):
        for x in (3.5, 6.5, 9.5, 12.5):
            out.append(fill_rect(x - 0.9, y - 0.9, x + 0.9, y + 0.9, INK))
    return out


def img_snap():
    return flat(line(8, 1, 8, 15, GREY), line(1, 8, 15, 8, GREY), rect(4.5, 4.5, 11.5, 11.5, RED, 1.6),
                disc(8, 8, 1.4, INK))


def img_angle_snap():
    return flat(line(2, 13.5, 15, 13.5, INK, 1.4), line(2, 13.5, 12, 3.5, INK, 1.4),
                arc(2, 13.5, 7, 0, 45, RED, 1.4), disc(2, 13.5, 1.3, RED))


def img_angle_value():
    return flat(line(1.5, 13.5, 10, 13.5, INK, 1.2), line(1.5, 13.5, 8, 5, INK, 1.2), arc(1.5, 13.5, 5, 0, 50, RED),
                circle(12.5, 4, 2, BLUE, 1.2))


def img_options():
    out = []
    for k in range(8):
        a = math.radians(k * 45)
        out.append(line(8 + 4.5 * math.cos(a), 8 + 4.5 * math.sin(a), 8 + 7 * math.cos(a), 8 + 7 * math.sin(a),
                        GREY, 2.6))
    return flat(out, disc(8, 8, 5.2, GREY), disc(8, 8, 2.2, WHITE), circle(8, 8, 5.2, INK))


def img_help():
    return flat(disc(8, 8, 7, BLUE), arc(8, 6, 2.6, 330, 180, WHITE, 1.8), line(9.7, 8.4, 8, 9.6, WHITE, 1.8),
                line(8, 9.6, 8, 10.6, WHITE, 1.8), disc(8, 12.9, 1.1, WHITE))


# shape toolbar

def img_point():
    return flat(line(8, 2, 8, 14, INK), line(2, 8, 14, 8, INK), circle(8, 8, 3, RED, 1.4), disc(8, 8, 1.2, RED))


def img_line():
    return flat(line(3, 13, 13, 3, INK, 1.4), endpoint(3, 13), endpoint(13, 3))


def img_polyline():
    pts = [(1.5, 13.5), (5, 4), (9.5, 12), (14.5, 2.5)]
    return flat(polyline(pts, INK, 1.4), [endpoint(x, y) for x, y in pts])


def img_rectangle():
    return flat(rect(2.5, 4.5, 13.5, 12.5, INK, 1.4), endpoint(2.5, 12.5), endpoint(13.5, 4.5))


def img_spline():
    pts = bezier((1.5, 13), (4, 0), (12, 16), (14.5, 3))
    return flat(polyline(pts, INK, 1.4), endpoint(1.5, 13), endpoint(14.5, 3))


def img_circle():
    return flat(circle(8, 8, 6, INK, 1.4), line(8, 8, 14, 8, GREY, 1.0, (1.5, 1)), disc(8, 8, 1.4, BLUE))


def img_arc():
    return flat(arc(8, 11, 6.5, 0, 180, INK, 1.4), endpoint(1.5, 11), endpoint(14.5, 11), disc(8, 11, 1.2, BLUE))


def img_text():
    return flat(letter_a(2, 2.5, 11, 13.5, INK, 1.8), line(10, 13.5, 15, 13.5, BLUE, 1.2),
                line(12.5, 9.5, 12.5, 15.5, BLUE, 1.0))


def img_linear_dim():
    return flat(line(2.5, 13.5, 13.5, 13.5, INK, 1.4), dimension(2.5, 13.5, 5.5, 13.5))


def img_continued_dim():
    return flat(line(1.5, 13.5, 14.5, 13.5, INK, 1.4), line(1.5, 5, 1.5, 13, GREY), line(8, 5, 8, 13, GREY),
                line(14.5, 5, 14.5, 13, GREY), line(2.5, 6.5, 7, 6.5, BLUE), line(9, 6.5, 13.5, 6.5, BLUE),
                arrow_head(1.5, 6.5, -1, 0, BLUE, 2.2), arrow_head(8, 6.5, 1, 0, BLUE, 2.2),
                arrow_head(8, 6.5, -1, 0, BLUE, 2.2), arrow_head(14.5, 6.5, 1, 0, BLUE, 2.2))


def img_baseline_dim():
    return flat(line(1.5, 14.5, 14.5, 14.5, INK, 1.4), line(1.5, 2, 1.5, 14, GREY), line(8, 8, 8, 14, GREY),
                line(14.5, 2, 14.5, 14, GREY), line(2.5, 10.5, 7, 10.5, BLUE), arrow_head(1.5, 10.5, -1, 0, BLUE, 2.2),
                arrow_head(8, 10.5, 1, 0, BLUE, 2.2), line(2.5, 4.5, 13.5, 4.5, BLUE),
                arrow_head(1.5, 4.5, -1, 0, BLUE, 2.2), arrow_head(14.5, 4.5, 1, 0, BLUE, 2.2))


def img_progressive_dim():
    out = [line(1.5, 13.5, 14.5, 13.5, INK, 1.4), line(1.5, 6.5, 14.5, 6.5, BLUE)]
    for x in (1.5, 6.5, 10.5, 14.5):
        out += [line(x, 4.5, x, 12.5, GREY), disc(x, 6.5, 1.2, BLUE)]
    return out


def img_lead():
    return flat(line(3.5, 12.5, 9.5, 5.5, INK, 1.2), line(9.5, 5.5, 15, 5.5, INK, 1.2),
                arrow_head(2.5, 13.7, -0.65, 0.76, BLUE, 3.5), letter_a(10, 1, 14, 4.5, BLUE, 1.0))


def img_hatch():
    out = [rect(2.5, 2.5, 13.5, 13.5, INK, 1.4)]
    for k in range(-8, 12, 3):
        x0, y0, x1, y1 = 2.5 + k, 13.5, 2.5 + k + 11, 2.5
        # clip the diagonal to the square
        t0 = max(0.0, (2.5 - x0) / 11.0)
        t1 = min(1.0, (13.5 - x0) / 11.0)
        if t1 > t0:
            out.append(line(x0 + 11 * t0, y0 - 11 * t0, x0 + 11 * t1, y0 - 11 * t1, GREEN, 1.0))
    return out


# edit toolbar

def img_move():
    return flat(line(8, 2.5, 8, 13.5, BLUE, 1.6), line(2.5, 8, 13.5, 8, BLUE, 1.6),
                arrow_head(8, 0.8, 0, -1, BLUE), arrow_head(8, 15.2, 0, 1, BLUE),
                arrow_head(0.8, 8, -1, 0, BLUE), arrow_head(15.2, 8, 1, 0, BLUE))


def img_copy_shape():
    return flat(rect(1.5, 1.5, 7.5, 7.5, GREY, 1.2), rect(8.5, 8.5, 14.5, 14.5, INK, 1.4),
                line(5.5, 10.5, 5.5, 13.5, BLUE, 1.4), line(4, 12, 7, 12, BLUE, 1.4),
                line(7.5, 7.5, 10, 10, BLUE, 1.0, (1.5, 1)))


def img_trim():
    return flat(line(8, 1.5, 8, 14.5, INK, 1.4), line(1.5, 8, 8, 8, INK, 1.4), line(8, 8, 14.5, 8, RED, 1.2, (2, 1.5)),
                line(11, 5, 13.5, 2.5, RED, 1.2), line(11, 5, 13.5, 7.5, RED, 1.2))


def img_change_setting():
    return flat(line(2, 14, 8, 14, RED, 2.2), line(2, 10.5, 8, 10.5, BLUE, 1.2),
                framed_polygon([(8.5, 11.5), (13.5, 2.5), (15.3, 3.5), (10.3, 12.5)], YELLOW),
                polygon([(8.5, 11.5), (10.3, 12.5), (8.2, 14.2)], INK))


def img_fillet():
    return flat(line(2.5, 14, 2.5, 8, INK, 1.4), arc(8.5, 8, 6, 90, 180, BLUE, 1.6), line(8.5, 2, 14, 2, INK, 1.4),
                line(2.5, 2, 8.5, 2, GREY, 1.0, (1.5, 1)), line(2.5, 2, 2.5, 8, GREY, 1.0, (1.5, 1)))


def img_chamfer():
    return flat(line(2.5, 14, 2.5, 7.5, INK, 1.4), line(2.5, 7.5, 8, 2, BLUE, 1.6), line(8, 2, 14, 2, INK, 1.4),
                line(2.5, 2, 8, 2, GREY, 1.0, (1.5, 1)), line(2.5, 2, 2.5, 7.5, GREY, 1.0, (1.5, 1)))


def img_offset():
    return flat(polyline(bezier((1.5, 11), (5, 4), (10, 4), (14.5, 9)), INK, 1.4),
                polyline(bezier((1.5, 15), (5, 8), (10, 8), (14.5, 13)), BLUE, 1.4),
                line(8, 5.5, 8, 8.5, GREY), arrow_head(8, 9.8, 0, 1, GREY, 2.2))


def img_stretch():
    return flat(rect(1.5, 4.5, 8.5, 11.5, GREY, 1.0, (1.5, 1)), rect(1.5, 4.5, 14.5, 11.5, INK, 1.4),
                line(9, 8, 12, 8, BLUE, 1.4), arrow_head(13.5, 8, 1, 0, BLUE, 3))


def img_divide():
    return flat(line(1.5, 8, 14.5, 8, INK, 1.4), [line(x, 4.5, x, 11.5, RED, 1.4) for x in (5.5, 10.5)],
                endpoint(1.5, 8, BLUE), endpoint(14.5, 8, BLUE))


def img_adjust():
    return flat(line(13.5, 1.5, 13.5, 14.5, INK, 1.4), line(1.5, 8, 8, 8, INK, 1.4),
                line(8, 8, 11.5, 8, BLUE, 1.2, (1.5, 1)), arrow_head(13, 8, 1, 0, BLUE, 3))


def img_explode():
    return flat(rect(5.5, 5.5, 10.5, 10.5, INK, 1.4), [line(8 + 3.8 * dx, 8 + 3.8 * dy, 8 + 7 * dx, 8 + 7 * dy, ORANGE, 1.4)
                                                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1), (0.7, 0.7),
                                                                      (-0.7, 0.7), (0.7, -0.7), (-0.7, -0.7))])


# view toolbar

def img_zoom_all():
    return magnifier(inner=[rect(4, 4, 9, 9, BLUE, 1.0)])


def img_zoom_window():
    return flat(rect(1.5, 1.5, 10.5, 8.5, RED, 1.0, (1.5, 1)), disc(9, 10, 3.2, (235, 244, 255)),
                circle(9, 10, 3.2, INK, 1.2), line(11.3, 12.3, 15, 15, INK, 2.2))


def img_zoom_realtime():
    return magnifier(inner=[line(6.5, 3.5, 6.5, 9.5, BLUE, 1.2), arrow_head(6.5, 2.6, 0, -1, BLUE, 2.2),
                            arrow_head(6.5, 10.4, 0, 1, BLUE, 2.2)])


def img_pan():
    return flat(line(8, 3, 8, 13, GREEN, 1.6), line(3, 8, 13, 8, GREEN, 1.6), arrow_head(8, 0.8, 0, -1, GREEN),
                arrow_head(8, 15.2, 0, 1, GREEN), arrow_head(0.8, 8, -1, 0, GREEN), arrow_head(15.2, 8, 1, 0, GREEN),
                disc(8, 8, 2, WHITE), circle(8, 8, 2, GREEN, 1.2))


def img_zoom_in():
    return magnifier(inner=[line(4, 6.5, 9, 6.5, BLUE, 1.6), line(6.5, 4, 6.5, 9, BLUE, 1.6)])


def img_zoom_out():
    return magnifier(inner=[line(4, 6.5, 9, 6.5, BLUE, 1.6)])


def img_zoom_paper():
    return flat(page(1.5, 1.5, 11.5, 14.5, 2.5), disc(10, 10, 3.2, (235, 244, 255)), circle(10, 10, 3.2, INK, 1.2),
                line(12.3, 12.3, 15, 15, INK, 2.2))


# attribute toolbar

def img_colour():
    return flat(fill_rect(1.5, 1.5, 7.5, 7.5, RED), fill_rect(8.5, 1.5, 14.5, 7.5, GREEN),
                fill_rect(1.5, 8.5, 7.5, 14.5, BLUE), fill_rect(8.5, 8.5, 14.5, 14.5, YELLOW),
                rect(1.5, 1.5, 14.5, 14.5, INK))


def img_line_type():
    return flat(line(1.5, 3.5, 14.5, 3.5, INK, 1.4), line(1.5, 8, 14.5, 8, INK, 1.4, (3, 2)),
                line(1.5, 12.5, 14.5, 12.5, INK, 1.4, (5, 1.5)), disc(10, 12.5, 0.7, INK))


def img_line_width():
    return flat(line(1.5, 3, 14.5, 3, INK, 1.0), line(1.5, 7.5, 14.5, 7.5, INK, 2.0), line(1.5, 12.5, 14.5, 12.5, INK, 3.2))


def table(inner):
    return flat(fill_rect(1.5, 1.5, 14.5, 14.5, WHITE), inner, rect(1.5, 1.5, 14.5, 14.5, INK),
                line(1.5, 4.5, 14.5, 4.5, INK), fill_rect(2, 2, 14, 4, SKY))


def img_colour_table():
    return table([fill_rect(3, 6, 7, 9, RED), fill_rect(9, 6, 13, 9, GREEN), fill_rect(3, 10.5, 7, 13.5, BLUE),
                  fill_rect(9, 10.5, 13, 13.5, YELLOW)])


def img_line_type_table():
    return table([line(3, 7.5, 13, 7.5, INK, 1.0, (2.5, 1.5)), line(3, 11.5, 13, 11.5, INK, 1.0, (4, 1.5))])


def img_line_width_table():
    return table([line(3, 7.5, 13, 7.5, INK, 1.0), line(3, 11.5, 13, 11.5, INK, 2.4)])


# command bar toolbar

def img_end_command():
    return flat(disc(8, 8, 6.8, RED), line(5, 5, 11, 11, WHITE, 2.0), line(11, 5, 5, 11, WHITE, 2.0))


def img_confirm():
    return flat(polyline([(2.5, 8.5), (6.5, 12.5), (13.5, 3.5)], GREEN, 2.6))


def img_clear_value():
    return flat(fill_rect(1.5, 5.5, 14.5, 11.5, WHITE), rect(1.5, 5.5, 14.5, 11.5, INK),
                framed_polygon([(7, 13.5), (11, 6.5), (15, 6.5), (11, 13.5)], (240, 150, 160)))


def img_step_back():
    pts = [(2, 13), (6, 6), (10, 11)]
    return flat(polyline(pts, INK, 1.2), [endpoint(x, y) for x, y in pts], line(10, 11, 14, 4, GREY, 1.0, (1.5, 1)),
                arc(12, 8, 3, 60, 200, RED, 1.4), arrow_head(9.2, 7.2, -0.2, 1, RED, 2.6))


def img_input_options():
    out = []
    for k in range(6):
        a = math.radians(k * 60)
        out.append(line(10 + 3 * math.cos(a), 10 + 3 * math.sin(a), 10 + 5 * math.cos(a), 10 + 5 * math.sin(a),
                        GREY, 2.2))
    return flat(fill_rect(1.5, 1.5, 9.5, 6.5, WHITE), rect(1.5, 1.5, 9.5, 6.5, INK), line(3, 4, 6, 4, BLUE),
                out, disc(10, 10, 3.6, GREY), disc(10, 10, 1.4, WHITE))


def img_length_two_points():
    return flat(line(3, 11, 13, 11, BLUE, 1.2), arrow_head(2, 11, -1, 0, BLUE, 2.4), arrow_head(14, 11, 1, 0, BLUE, 2.4),
                endpoint(3, 5, RED), endpoint(13, 5, RED), line(3, 6.5, 3, 12, GREY), line(13, 6.5, 13, 12, GREY))


def img_length_of_shape():
    return flat(line(2, 5, 14, 5, INK, 1.6), line(3, 11, 13, 11, BLUE, 1.2), arrow_head(2, 11, -1, 0, BLUE, 2.4),
                arrow_head(14, 11, 1, 0, BLUE, 2.4))


def img_angle_two_points():
    return flat(line(2, 13.5, 14, 13.5, GREY), line(2, 13.5, 12, 4, BLUE, 1.2), endpoint(2, 13.5, RED),
                endpoint(12, 4, RED), arc(2, 13.5, 6, 0, 43, BLUE))


def img_angle_three_points():
    return flat(polyline([(14, 13), (3, 10), (11, 2.5)], BLUE, 1.2), endpoint(14, 13, RED), endpoint(3, 10, RED),
                endpoint(11, 2.5, RED), arc(3, 10, 5.5, 318, 30, BLUE))


def img_angle_of_shape():
    return flat(line(2, 13.5, 14, 13.5, GREY), line(2, 13.5, 12, 4, INK, 1.6), arc(2, 13.5, 6, 0, 43, BLUE, 1.2))


def img_relative_angle():
    return flat(line(1.5, 10, 14.5, 6, INK, 1.6), line(6, 8.6, 11, 15, BLUE, 1.2), arc(6, 8.6, 4.5, 285, 345, RED, 1.2))


def img_relative_point():
    return flat(endpoint(3.5, 12.5, GREY), line(4.5, 11.5, 10.5, 5.5, BLUE, 1.2, (1.5, 1)),
                arrow_head(12, 4, 1, -1, BLUE, 3), disc(12.5, 3.5, 1.5, RED))


def img_middle_point():
    return flat(line(2, 12, 14, 4, INK, 1.2), endpoint(2, 12, GREY), endpoint(14, 4, GREY), disc(8, 8, 2.2, RED))


def img_select_by_filter():
    return flat(rect(1.5, 1.5, 12.5, 10.5, BLUE, 1.0, (2, 1.5)),
                framed_polygon([(6.5, 7.5), (15, 7.5), (12, 11), (12, 15), (9.5, 15.5), (9.5, 11)], SKY))


# ---- the members of the group buttons' drop-downs (image collection 310, bitmap 153) ----------------
# Each member has a picture of its own; the first member of a group looks like the group's button.

MAGENTA = (200, 40, 160)


def corner_badge(*shapes):
    """A small sign in the lower right corner over a white patch, telling members of one group apart."""
    return flat(fill_rect(9.5, 9.5, 16, 16, WHITE), *shapes)


def badge_rotate():
    return corner_badge(arc(12.8, 12.8, 2.4, 20, 300, RED, 1.2), arrow_head(14.9, 11.6, 0.2, 1, RED, 2.0))


def badge_scale():
    return corner_badge(rect(10.5, 12.5, 13, 15, GREY), rect(10.5, 10.5, 15, 15, RED, 1.1))


def badge_scale_rotate():
    return corner_badge(rect(10.5, 12.5, 13, 15, GREY), arc(12.8, 12.8, 2.6, 20, 250, RED, 1.1))


def badge_cut():
    return corner_badge(circle(11.2, 14, 1.3, RED, 1.0), circle(14.3, 14, 1.3, RED, 1.0),
                        line(11.6, 12.8, 14.5, 9.8, INK, 1.0), line(13.9, 12.8, 11, 9.8, INK, 1.0))


def badge_mirror():
    return corner_badge(line(12.75, 9.8, 12.75, 15.8, INK, 1.0, (1.2, 0.8)), polygon([(12, 11), (12, 15), (10, 15)], BLUE),
                        polygon([(13.5, 11), (13.5, 15), (15.5, 15)], SKY))


def badge_layer():
    return corner_badge(framed_polygon([(12.8, 12.5), (16, 14), (12.8, 15.5), (9.8, 14)], GREEN),
                        framed_polygon([(12.8, 10), (16, 11.5), (12.8, 13), (9.8, 11.5)], YELLOW))


def img_move_member(badge):
    return flat(img_move(), badge)


def img_copy_member(badge):
    return flat(img_copy_shape(), badge)


def img_rect_array():
    return flat([rect(x, y, x + 3.5, y + 3.5, INK if (x, y) == (1.5, 1.5) else BLUE, 1.1)
                 for x in (1.5, 6.5, 11.5) for y in (1.5, 6.5, 11.5)])


def img_polar_array():
    out = [circle(8, 8, 5, GREY, 1.0), disc(8, 8, 1.2, RED)]
    for k in range(6):
        a = math.radians(90 + k * 60)
        x, y = 8 + 5.2 * math.cos(a), 8 - 5.2 * math.sin(a)
        out.append(rect(x - 1.6, y - 1.6, x + 1.6, y + 1.6, INK if k == 0 else BLUE, 1.1))
    return out


def img_relative_point_marker():
    return flat(line(2, 14, 2, 9, GREY), line(-0.5, 11.5, 4.5, 11.5, GREY), line(3.5, 10, 9.5, 5.5, BLUE, 1.0, (1.5, 1)),
                line(12, 1, 12, 9, INK), line(8, 5, 16, 5, INK), circle(12, 5, 2.4, RED, 1.3))


def img_intersection_point():
    return flat(line(1.5, 2.5, 14.5, 13.5, INK, 1.3), line(1.5, 13.5, 14.5, 2.5, INK, 1.3), circle(8, 8, 3, RED, 1.4),
                disc(8, 8, 1.1, RED))


def img_division_point():
    return flat(line(1.5, 8, 14.5, 8, INK, 1.3), [circle(x, 8, 1.8, RED, 1.2) for x in (4.5, 8, 11.5)],
                endpoint(1.5, 8, BLUE), endpoint(14.5, 8, BLUE))


def img_vertical_line():
    return flat(line(8, 2.5, 8, 13.5, INK, 1.4), endpoint(8, 13.5), endpoint(8, 2.5))


def img_horizontal_line():
    return flat(line(2.5, 8, 13.5, 8, INK, 1.4), endpoint(2.5, 8), endpoint(13.5, 8))


def img_hv_line():
    return flat(polyline([(3, 2.5), (3, 13), (13.5, 13)], INK, 1.4), endpoint(3, 2.5), endpoint(3, 13), endpoint(13.5, 13))


def img_parallel_line():
    return flat(line(1.5, 10.5, 10.5, 1.5, GREY, 1.2), line(5.5, 14.5, 14.5, 5.5, INK, 1.4), endpoint(5.5, 14.5),
                endpoint(14.5, 5.5))


def img_perpendicular_line():
    return flat(line(1.5, 13.5, 14.5, 13.5, GREY, 1.2), line(8, 13, 8, 2.5, INK, 1.4), endpoint(8, 2.5),
                polyline([(8, 10.5), (10.5, 10.5), (10.5, 13)], BLUE, 1.0))


def img_tangent_line():
    return flat(circle(6, 10, 4.5, GREY, 1.2), line(1, 5.5, 15, 5.5, INK, 1.4), disc(6, 5.5, 1.4, RED))


def img_tangent_two_curves():
    return flat(circle(4, 10, 3.2, GREY, 1.1), circle(12, 10.5, 2.8, GREY, 1.1), line(0.5, 6.8, 15.5, 7.7, INK, 1.4),
                disc(4, 6.9, 1.2, RED), disc(12, 7.6, 1.2, RED))


def img_angled_line():
    return flat(line(1.5, 13.5, 14.5, 13.5, GREY, 1.2), line(2.5, 13.5, 13, 3, INK, 1.4), arc(2.5, 13.5, 6, 0, 45, RED, 1.2),
                endpoint(13, 3))


def img_multi_line():
    return flat(line(2, 14.5, 14.5, 2, INK, 1.2), line(1.5, 10, 10, 1.5, BLUE, 1.2), line(6, 14.5, 14.5, 6, BLUE, 1.2))


def img_infinite_line():
    return flat(line(2.5, 13.5, 13.5, 2.5, INK, 1.4), arrow_head(1.2, 14.8, -1, 1, INK, 3), arrow_head(14.8, 1.2, 1, -1, INK, 3),
                disc(6, 10, 1.3, BLUE), disc(10, 6, 1.3, BLUE))


def img_semi_infinite_line():
    return flat(line(3, 13, 13.5, 2.5, INK, 1.4), endpoint(3, 13), arrow_head(14.8, 1.2, 1, -1, INK, 3), disc(8, 8, 1.3, BLUE))


def img_polygon():
    pts = [(8 + 6.5 * math.cos(math.radians(90 + 60 * k)), 8 - 6.5 * math.sin(math.radians(90 + 60 * k))) for k in range(6)]
    return flat(polyline(pts + [pts[0]], INK, 1.4), disc(8, 8, 1.2, BLUE), endpoint(pts[0][0], pts[0][1]))


def img_spline_through_points():
    pts = bezier((1.5, 13), (4, 0), (12, 16), (14.5, 3))
    return flat(polyline(pts, INK, 1.4), [disc(x, y, 1.5, RED) for x, y in (pts[0], pts[8], pts[16], pts[24])])


def img_circle_2p():
    return flat(circle(8, 8, 6, INK, 1.4), line(3.8, 12.2, 12.2, 3.8, GREY, 1.0, (1.5, 1)), endpoint(3.8, 12.2),
                endpoint(12.2, 3.8))


def img_circle_3p():
    pts = [(8 + 6 * math.cos(math.radians(a)), 8 - 6 * math.sin(math.radians(a))) for a in (100, 220, 340)]
    return flat(circle(8, 8, 6, INK, 1.4), [endpoint(x, y) for x, y in pts])


def img_tangent_circle():
    return flat(line(1, 14.5, 15, 14.5, GREY, 1.2), circle(8, 8.5, 5.5, INK, 1.4), disc(8, 14.2, 1.4, RED))


def img_circle_tangent_2():
    return flat(line(1, 14.5, 15, 14.5, GREY, 1.2), line(1.5, 1, 1.5, 15, GREY, 1.2), circle(7.5, 8.5, 5.5, INK, 1.4),
                disc(7.5, 14.2, 1.3, RED), disc(2, 8.5, 1.3, RED))


def img_circle_tangent_3():
    return flat(line(1, 14.5, 15, 14.5, GREY, 1.2), line(1.5, 1, 1.5, 15, GREY, 1.2), line(14.5, 1, 14.5, 15, GREY, 1.2),
                circle(8, 8.5, 5.7, INK, 1.4), disc(8, 14.2, 1.2, RED), disc(2.3, 8.5, 1.2, RED), disc(13.7, 8.5, 1.2, RED))


def img_ellipse():
    return flat(ellipse(8, 8, 6.5, 4, INK, 1.4), line(8, 8, 14.5, 8, GREY, 1.0, (1.5, 1)), line(8, 8, 8, 4, GREY, 1.0, (1.5, 1)),
                disc(8, 8, 1.3, BLUE))


def img_arc_2p():
    return flat(arc(8, 11, 6.5, 0, 180, INK, 1.4), endpoint(1.5, 11), endpoint(14.5, 11), line(1.5, 11, 14.5, 11, GREY, 1.0, (1.5, 1)))


def img_arc_3p():
    return flat(arc(8, 11, 6.5, 0, 180, INK, 1.4), endpoint(1.5, 11), endpoint(14.5, 11), endpoint(8, 4.5))


def img_tangent_arc():
    return flat(line(1, 14.5, 15, 14.5, GREY, 1.2), arc(8, 8.5, 5.5, 180, 0, INK, 1.4), disc(8, 14.2, 1.4, RED))


def img_arc_tangent_2():
    return flat(line(1, 14.5, 15, 14.5, GREY, 1.2), line(1.5, 1, 1.5, 15, GREY, 1.2), arc(7.5, 8.5, 5.5, 90, 0, INK, 1.4),
                disc(7.5, 14.2, 1.3, RED), disc(2, 8.5, 1.3, RED))


def img_arc_tangent_3():
    return flat(line(1, 14.5, 15, 14.5, GREY, 1.2), line(1.5, 1, 1.5, 15, GREY, 1.2), line(14.5, 1, 14.5, 15, GREY, 1.2),
                arc(8, 8.5, 5.7, 180, 0, INK, 1.4), disc(8, 14.2, 1.2, RED), disc(2.3, 8.5, 1.2, RED), disc(13.7, 8.5, 1.2, RED))


def img_ellipse_arc():
    def hit(px, py):
        dx, dy = (px - 8) / 6.5, (py - 9) / 4
        return abs(math.hypot(dx, dy) - 1.0) * 4 <= 0.7 and py <= 9.5
    return flat((hit, INK), disc(8, 9, 1.2, BLUE), endpoint(1.5, 9), endpoint(14.5, 9))


def img_text_paragraph():
    return flat(letter_a(1.5, 1.5, 7.5, 8.5, INK, 1.4), [line(9, y, 15, y, GREY, 1.1) for y in (3, 6)],
                [line(1.5, y, 15, y, GREY, 1.1) for y in (11, 14)])


def img_hollow_hatch():
    out = [rect(1.5, 1.5, 14.5, 14.5, INK, 1.3), rect(5.5, 5.5, 10.5, 10.5, INK, 1.2)]
    hatch = img_hatch()[1:]

    def outside_hole(h):
        hit, c = h
        return (lambda px, py: hit(px, py) and not (5 <= px <= 11 and 5 <= py <= 11), c)
    return out + [outside_hole(h) for h in hatch]


def dim_linear():
    return flat(line(2.5, 13.5, 13.5, 13.5, INK, 1.4), dimension(2.5, 13.5, 5.5, 13.5))


def dim_horizontal():
    return flat(line(2.5, 13.5, 13.5, 9.5, INK, 1.4), dimension(2.5, 13.5, 4.5, 13.5), line(13.5, 4.5, 13.5, 9.5, GREY))


def dim_vertical():
    return flat(line(11, 2.5, 11, 13.5, INK, 1.4), line(3.5, 2.5, 10.5, 2.5, GREY), line(3.5, 13.5, 10.5, 13.5, GREY),
                line(4.5, 4, 4.5, 12, BLUE), arrow_head(4.5, 2.5, 0, -1, BLUE, 2.5), arrow_head(4.5, 13.5, 0, 1, BLUE, 2.5))


def dim_parallel():
    return flat(line(5, 14.5, 14.5, 5, INK, 1.4), line(1.5, 11, 11, 1.5, BLUE), line(5, 14.5, 1, 10.5, GREY),
                line(14.5, 5, 10.5, 1, GREY), arrow_head(1.2, 11.3, -1, 1, BLUE, 2.5), arrow_head(11.3, 1.2, 1, -1, BLUE, 2.5))


def dim_radius():
    return flat(circle(6.5, 9.5, 5.5, INK, 1.4), disc(6.5, 9.5, 1.1, INK), line(6.5, 9.5, 14.5, 1.5, BLUE),
                arrow_head(10.4, 5.6, 1, -1, BLUE, 2.5), letter_a(11, 9.5, 15, 14, BLUE, 1.0))


def dim_diameter():
    return flat(circle(8, 8, 6, INK, 1.4), line(4.5, 11.5, 11.5, 4.5, BLUE), arrow_head(3.8, 12.2, -1, 1, BLUE, 2.5),
                arrow_head(12.2, 3.8, 1, -1, BLUE, 2.5))


def dim_angular():
    return flat(line(1.5, 14, 15, 14, INK, 1.4), line(1.5, 14, 11, 3, INK, 1.4), arc(1.5, 14, 9, 2, 46, BLUE, 1.1),
                arrow_head(10.5, 13.8, 0, 1, BLUE, 2.3), arrow_head(7.6, 7.4, -0.75, -0.66, BLUE, 2.3))


def dim_arc_length():
    return flat(arc(8, 14, 6, 20, 160, INK, 1.4), arc(8, 14, 10, 30, 150, BLUE, 1.0), arrow_head(15.8, 9.9, 0.6, 0.8, BLUE, 2.3),
                arrow_head(0.2, 9.9, -0.6, 0.8, BLUE, 2.3))


def badge_continued():
    return corner_badge(line(10, 13, 16, 13, BLUE, 1.0), [line(x, 10.5, x, 15.5, INK, 1.0) for x in (10.3, 13, 15.7)])


def badge_baseline():
    return corner_badge(line(10.3, 10, 10.3, 16, INK, 1.2), line(10.5, 11.5, 15.8, 11.5, BLUE, 1.0),
                        line(10.5, 14.5, 13.5, 14.5, BLUE, 1.0))


def badge_progressive():
    return corner_badge(line(10, 13, 16, 13, BLUE, 1.0), [disc(x, 13, 1.1, BLUE) for x in (10.5, 13, 15.5)])


DIM_KINDS = [dim_linear, dim_horizontal, dim_vertical, dim_parallel, dim_angular, dim_arc_length]


def chain_dim(kind, badge):
    return lambda: flat(kind(), badge())


def img_chamfer_lead():
    return flat(line(3.5, 12.5, 9.5, 5.5, INK, 1.2), line(9.5, 5.5, 15, 5.5, INK, 1.2),
                arrow_head(2.5, 13.7, -0.65, 0.76, BLUE, 3.5), line(10, 1, 14, 4.5, RED, 1.0), line(10, 4.5, 14, 1, RED, 1.0))


def img_trim_rect():
    return flat(line(1.5, 8, 14.5, 8, INK, 1.4), line(8, 1.5, 8, 14.5, INK, 1.4), rect(5, 5, 11, 11, RED, 1.0, (1.5, 1)))


def setting_member(badge):
    return lambda: flat(img_change_setting(), badge)


GROUP_MEMBERS = [
    (33402, img_point), (33403, img_relative_point_marker), (33404, img_intersection_point), (33405, img_division_point),
    (33412, img_line), (33413, img_vertical_line), (33414, img_horizontal_line), (33415, img_hv_line),
    (33416, img_parallel_line), (33417, img_perpendicular_line), (33418, img_tangent_line),
    (33419, img_tangent_two_curves), (33420, img_angled_line), (33435, img_multi_line), (33522, img_infinite_line),
    (33523, img_semi_infinite_line),
    (33431, lambda: flat(img_polyline(), corner_badge(line(10.5, 15, 15.5, 10.5, INK, 1.0), endpoint(10.5, 15, RED),
                                                      endpoint(15.5, 10.5, RED)))),
    (33432, img_polyline),
    (33433, img_rectangle), (33434, img_polygon),
    (33502, img_spline), (33503, img_spline_through_points),
    (33442, img_circle), (33443, img_circle_2p), (33444, img_circle_3p), (33445, img_tangent_circle),
    (33446, img_circle_tangent_2), (33447, img_circle_tangent_3), (33482, img_ellipse),
    (33462, img_arc), (33463, img_arc_2p), (33464, img_arc_3p), (33465, img_tangent_arc), (33466, img_arc_tangent_2),
    (33467, img_arc_tangent_3), (33492, img_ellipse_arc),
    (33512, img_text), (33513, img_text_paragraph),
    (33572, img_hatch), (33573, img_hollow_hatch),
    (33552, dim_linear), (33553, dim_horizontal), (33554, dim_vertical), (33555, dim_parallel), (33556, dim_radius),
    (33557, dim_diameter), (33558, dim_angular), (33559, dim_arc_length),
] + [(33560 + i, chain_dim(k, badge_continued)) for i, k in enumerate(DIM_KINDS)] \
  + [(33566 + i, chain_dim(k, badge_baseline)) for i, k in enumerate(DIM_KINDS)] \
  + [(33580 + i, chain_dim(k, badge_progressive)) for i, k in enumerate(DIM_KINDS)] + [
    (33532, img_lead), (33533, img_chamfer_lead),
    (33723, img_move), (33727, lambda: img_move_member(badge_rotate())), (33728, lambda: img_move_member(badge_scale())),
    (33729, lambda: img_move_member(badge_scale_rotate())), (33730, lambda: img_move_member(badge_cut())),
    (33731, lambda: flat(line(8, 1, 8, 15, INK, 1.0, (1.5, 1)), polygon([(6.5, 3), (6.5, 13), (1.5, 13)], BLUE),
                         polygon([(9.5, 3), (9.5, 13), (14.5, 13)], SKY))),
    (33739, lambda: img_move_member(badge_layer())),
    (33724, img_copy_shape), (33732, lambda: img_copy_member(badge_rotate())),
    (33733, lambda: img_copy_member(badge_scale())), (33734, lambda: img_copy_member(badge_scale_rotate())),
    (33735, lambda: img_copy_member(badge_cut())),
    (33736, lambda: flat(line(8, 1, 8, 15, INK, 1.0, (1.5, 1)), framed_polygon([(6.5, 3), (6.5, 13), (1.5, 13)], SKY),
                         framed_polygon([(9.5, 3), (9.5, 13), (14.5, 13)], SKY))),
    (33737, img_rect_array), (33738, img_polar_array), (33740, lambda: img_copy_member(badge_layer())),
    (33753, img_trim), (33754, img_trim_rect),
    (33823, img_change_setting),
    (33824, setting_member(corner_badge(line(10, 13, 16, 13, INK, 1.4)))),
    (33825, setting_member(corner_badge(line(13, 10, 13, 16, INK, 1.0), line(10, 13, 16, 13, INK, 1.0),
                                        circle(13, 13, 1.6, RED, 1.0)))),
    (33826, setting_member(corner_badge(letter_a(10, 10, 16, 16, INK, 1.1)))),
    (33827, setting_member(corner_badge(line(11, 15, 15, 11, INK, 1.0), arrow_head(10, 16, -1, 1, BLUE, 2.5)))),
    (33828, setting_member(corner_badge(circle(13, 13, 2.6, INK, 1.1), line(10, 16, 11.2, 14.8, INK, 1.0)))),
    (33829, setting_member(corner_badge(line(11, 13, 15, 13, BLUE, 1.0), arrow_head(10, 13, -1, 0, BLUE, 2),
                                        arrow_head(16, 13, 1, 0, BLUE, 2)))),
    (33830, setting_member(corner_badge(rect(10.5, 10.5, 15.5, 15.5, INK, 1.0), line(10.5, 15.5, 15.5, 10.5, GREEN, 1.0),
                                        line(10.5, 13, 13, 10.5, GREEN, 1.0), line(13, 15.5, 15.5, 13, GREEN, 1.0)))),
]


# ---- the snap kinds (image collection 311): the snap's marker over the shape it snaps to ----------------

SNAP_KINDS = [
    (34650, lambda: flat(line(8, 2, 8, 14, GREY), line(2, 8, 14, 8, GREY), line(4.5, 4.5, 11.5, 11.5, MAGENTA, 1.5),
                         line(4.5, 11.5, 11.5, 4.5, MAGENTA, 1.5))),
    (34651, lambda: flat(arc(8, 8, 6.5, 200, 160, GREY, 1.2), circle(8, 8, 3, MAGENTA, 1.5), disc(8, 8, 0.9, MAGENTA))),
    (34652, lambda: flat(line(1.5, 14.5, 10, 6, GREY, 1.3), rect(8, 2, 14, 8, MAGENTA, 1.5))),
    (34653, lambda: flat(line(1.5, 2, 14.5, 14, GREY, 1.3), line(1.5, 14, 14.5, 2, GREY, 1.3),
                         line(4, 4, 12, 12, MAGENTA, 1.6), line(4, 12, 12, 4, MAGENTA, 1.6))),
    (34654, lambda: flat(line(1, 12.5, 15, 12.5, GREY, 1.3), polyline([(4, 12.5), (8, 5), (12, 12.5), (4, 12.5)], MAGENTA, 1.5))),
    (34655, lambda: flat(circle(8, 9, 6, GREY, 1.2), polyline([(8, 0.8), (11.5, 3), (8, 5.2), (4.5, 3), (8, 0.8)], MAGENTA, 1.4))),
    (34656, lambda: flat(line(1, 13, 15, 5, GREY, 1.3), polyline([(4.5, 4.5), (11.5, 4.5), (4.5, 13), (11.5, 13), (4.5, 4.5)],
                                                                 MAGENTA, 1.4))),
    (34657, lambda: flat(circle(8, 10, 4.5, GREY, 1.2), line(1, 5.5, 15, 5.5, GREY, 1.2), circle(8, 5.5, 2.4, MAGENTA, 1.4),
                         line(4.5, 3, 11.5, 3, MAGENTA, 1.4))),
    (34658, lambda: flat(line(1, 13.5, 15, 13.5, GREY, 1.3), polyline([(4, 4.5), (4, 13.5)], GREY, 1.3),
                         polyline([(4, 8), (9, 8), (9, 13.5)], MAGENTA, 1.5), line(2.5, 13.5, 12, 13.5, MAGENTA, 1.5))),
    (34659, lambda: flat(line(1.5, 8, 14.5, 8, GREY, 1.3), [line(x, 4.5, x, 11.5, MAGENTA, 1.4) for x in (5.5, 10.5)])),
    (34666, lambda: flat(disc(3, 3, 1.5, GREY), disc(13, 13, 1.5, GREY), line(3, 13, 13, 13, MAGENTA, 1.0, (1.5, 1)),
                         line(3, 3, 3, 13, MAGENTA, 1.0, (1.5, 1)), line(1, 11, 5, 15, MAGENTA, 1.4), line(1, 15, 5, 11, MAGENTA, 1.4))),
    (34667, lambda: flat(line(1.5, 14.5, 8, 8, GREY, 1.3), endpoint(8, 8, GREY), line(8, 8, 13, 3, MAGENTA, 1.0, (1.5, 1)),
                         line(11, 1, 15, 5, MAGENTA, 1.4), line(11, 5, 15, 1, MAGENTA, 1.4))),
    (34668, lambda: flat(line(1, 13.5, 15, 13.5, GREY, 1.3), line(8, 13, 8, 3, MAGENTA, 1.0, (1.5, 1)),
                         polyline([(8, 10.5), (10.5, 10.5), (10.5, 13)], MAGENTA, 1.0), line(6, 1, 10, 5, MAGENTA, 1.4),
                         line(6, 5, 10, 1, MAGENTA, 1.4))),
]


# ---- bar icons -----------------------------------------------------------------------------------

def icon_property():
    out = [fill_rect(1.5, 1.5, 14.5, 14.5, WHITE), rect(1.5, 1.5, 14.5, 14.5, INK), line(6.5, 1.5, 6.5, 14.5, GREY)]
    for y in (5, 8.5, 12):
        out += [line(1.5, y + 1.5, 14.5, y + 1.5, LIGHT), line(3, y, 5.5, y, BLUE, 1.2), line(8, y, 13, y, INK, 1.2)]
    return out


def icon_layer():
    def sheet(y, c):
        return framed_polygon([(8, y - 3.5), (15, y), (8, y + 3.5), (1, y)], c)
    return flat(sheet(11.5, GREEN), sheet(8, YELLOW), sheet(4.5, SKY))


def icon_drawing():
    return flat(fill_rect(1.5, 2.5, 14.5, 13.5, WHITE), rect(1.5, 2.5, 14.5, 13.5, INK),
                rect(9.5, 10.5, 14.5, 13.5, INK), line(3.5, 9, 9, 4.5, BLUE, 1.2), circle(10.5, 6, 2, RED, 1.0))


def icon_paper_tab():
    # A sheet with its title block: the tab of a paper drawing.
    return flat(fill_rect(2.5, 1.5, 13.5, 14.5, WHITE), rect(2.5, 1.5, 13.5, 14.5, INK),
                rect(8.5, 11.5, 13.5, 14.5, INK), line(4.5, 5, 11.5, 5, BLUE, 1.0), line(4.5, 8, 9.5, 8, BLUE, 1.0))


def icon_part_tab():
    # A part outline with a hole: the tab of a part drawing.
    return flat(framed_polygon([(1.5, 12.5), (1.5, 4.5), (6.5, 4.5), (6.5, 2.5), (14.5, 2.5), (14.5, 12.5)], YELLOW),
                circle(10.5, 8, 2, INK, 1.0))


def icon_command():
    return flat(fill_rect(1.5, 2.5, 14.5, 13.5, (40, 50, 70)), rect(1.5, 2.5, 14.5, 13.5, INK),
                polyline([(3.5, 5.5), (6, 8), (3.5, 10.5)], WHITE, 1.4), line(7.5, 10.5, 12, 10.5, WHITE, 1.4))


def icon_component():
    return flat(framed_polygon([(1.5, 1.5), (8.5, 1.5), (8.5, 8.5), (1.5, 8.5)], SKY),
                framed_polygon([(7.5, 7.5), (14.5, 7.5), (14.5, 14.5), (7.5, 14.5)], YELLOW),
                circle(5, 5, 2, BLUE), line(9.5, 12.5, 12.5, 9.5, INK))


def icon_hourglass():
    return flat(line(3, 1.5, 13, 1.5, INK, 1.4), line(3, 14.5, 13, 14.5, INK, 1.4),
                framed_polygon([(4, 2), (12, 2), (8.7, 8), (12, 14), (4, 14), (7.3, 8)], WHITE),
                polygon([(5.5, 13.3), (10.5, 13.3), (8, 10.5)], YELLOW), polygon([(6, 3.5), (10, 3.5), (8, 6.5)], YELLOW))


def icon_busy():
    out = []
    for k in range(8):
        a = math.radians(k * 45)
        shade = 60 + k * 22
        out.append(disc(8 + 5 * math.cos(a), 8 - 5 * math.sin(a), 1.6, (shade // 3, shade // 2 + 40, 200)))
    return out


def icon_info():
    return flat(disc(8, 8, 7, BLUE), disc(8, 4.3, 1.2, WHITE), line(8, 7, 8, 12.5, WHITE, 2.0),
                line(6.5, 7, 8.5, 7, WHITE, 1.2), line(6.5, 12.5, 9.5, 12.5, WHITE, 1.2))


# ---- what goes where -----------------------------------------------------------------------------

SEP = 0

TOOLBARS = {
    # the standard toolbar (its hot images are bitmap 413, the same pictures)
    110: [(57600, img_new), (57601, img_open), (57603, img_save), SEP, (57607, img_print), (57609, img_preview), SEP,
          (57635, img_cut), (57634, img_copy), (57637, img_paste), (57632, img_delete), SEP, (57643, img_undo),
          (57644, img_redo), SEP, (34126, img_select_shape), (34131, img_filter), SEP, (34639, img_grid),
          (34649, img_snap), (34662, img_angle_snap), (34663, img_angle_value), SEP, (34644, img_options),
          (57666, img_help)],
    # shapes: one drop-down group button each
    305: [(33936, img_point), (33924, img_line), (33937, img_polyline), (33925, img_rectangle), (33926, img_spline),
          (33927, img_circle), (33928, img_arc), (33929, img_text), SEP, (33930, img_linear_dim),
          (33938, img_continued_dim), (33939, img_baseline_dim), (33940, img_progressive_dim), (33941, img_lead), SEP,
          (33931, img_hatch)],
    306: [(33932, img_move), (33933, img_copy_shape), (33934, img_trim), (33935, img_change_setting), SEP,
          (33763, img_fillet), (33764, img_chamfer), (33774, img_offset), (33773, img_stretch), (33765, img_divide),
          (33776, img_adjust), (33793, img_explode)],
    307: [(34646, img_colour), (34647, img_line_type), (34648, img_line_width), SEP, (34640, img_colour_table),
          (34641, img_line_type_table), (34642, img_line_width_table)],
    # the command bar's toolbar: its standard buttons, then the images of the buttons it shows by
    # the type of the selected row
    304: [(37101, img_end_command), SEP, (37102, img_confirm), (37103, img_clear_value), SEP, (37104, img_step_back),
          (37105, img_input_options), (37152, img_length_two_points), (37153, img_length_of_shape),
          (37154, img_angle_two_points), (37155, img_angle_three_points), (37156, img_angle_of_shape),
          (37157, img_relative_angle), (37158, img_relative_point), (37159, img_middle_point),
          (34133, img_select_by_filter)],
    # the property bar's pick modes
    312: [(37158, img_relative_point), (37159, img_middle_point), (37152, img_length_two_points),
          (37153, img_length_of_shape), (37154, img_angle_two_points), (37155, img_angle_three_points),
          (37156, img_angle_of_shape), (37157, img_relative_angle)],
    308: [(34025, img_zoom_all), (34027, img_zoom_window), (34028, img_zoom_realtime), (34029, img_pan), SEP,
          (34030, img_zoom_in), (34031, img_zoom_out), (34032, img_zoom_paper)],
    # images only: the members of the group buttons' drop-downs and the snap kinds
    310: GROUP_MEMBERS,
    311: SNAP_KINDS,
}

# The strip of a toolbar, when its number differs from the toolbar's.
BITMAP_OF = {310: 153}

ICONS = {450: icon_property, 451: icon_layer, 452: icon_drawing, 453: icon_command, 454: icon_component,
         455: icon_hourglass, 456: icon_busy, 457: icon_info, 458: icon_paper_tab, 459: icon_part_tab}

COMMENTS = {304: "Command bar toolbar", 110: "Standard toolbar", 305: "Shape toolbar: drop-down group buttons",
            306: "Edit toolbar", 312: "Property bar toolbar: the pick modes", 307: "Attribute toolbar", 308: "View toolbar",
            310: "The images of the group buttons' members (no toolbar of its own; strip in BITMAP/153)",
            311: "Snap kinds: offered on the customisation sheet, no toolbar of its own"}


# ---- rendering and PNG output --------------------------------------------------------------------

def render(shapes):
    """16 x 16 RGBA rows from the shapes in painting order."""
    rows = []
    offs = [(i + 0.5) / SUB for i in range(SUB)]
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            r = g = b = a = 0.0
            for oy in offs:
                for ox in offs:
                    px, py = x + ox, y + oy
                    colour = None
                    for hit, c in reversed(shapes):
                        if hit(px, py):
                            colour = c
                            break
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1.0
            n = SUB * SUB
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def strip(images):
    rows = [[] for _ in range(SIZE)]
    for img in images:
        for y in range(SIZE):
            rows[y].extend(img[y])
    return rows


# ---- the default images of user-defined buttons ----------------------------------------------------
# A strip of plain numbered squares that the user starts from. They are opaque and drawn pixel by pixel
# without smoothing: the program keeps them as a 24-bit picture, and the toolbar treats the grey of the
# corners (192, 192, 192) as transparent.

USER_IMAGES_ID = 30100
USER_IMAGE_COUNT = 16
MASK = (192, 192, 192)

# 3 x 5 digits, one string a row, "#" for ink.
DIGITS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"],
    "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
}


def user_image(number):
    rows = [[MASK + (255,) for _ in range(SIZE)] for _ in range(SIZE)]
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            edge = x in (1, SIZE - 2) or y in (1, SIZE - 2)
            rows[y][x] = (GREY if edge else WHITE) + (255,)
    text = str(number)
    width = 4 * len(text) - 1
    x0 = (SIZE - width) // 2
    y0 = (SIZE - 5) // 2 + 1
    for i, ch in enumerate(text):
        for dy, line in enumerate(DIGITS[ch]):
            for dx, cell in enumerate(line):
                if cell == "#":
                    rows[y0 + dy][x0 + 4 * i + dx] = BLUE + (255,)
    return rows


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                                "resource")
    cache = {}
    for lang in ("ENG", "JPN"):
        for kind in ("TOOLBAR", "BITMAP", "ICON"):
            os.makedirs(os.path.join(root, lang, kind), exist_ok=True)
        for res, items in TOOLBARS.items():
            lines = ["# %s (written by scripts/make_toolbar_images.py)" % COMMENTS[res], "TOOLBAR 16 16"]
            images = []
            for item in items:
                if item == SEP:
                    lines.append("SEPARATOR")
                    continue
                cmd, draw = item
                lines.append("BUTTON %d" % cmd)
                if cmd not in cache:
                    cache[cmd] = render(draw())
                images.append(cache[cmd])
            with open(os.path.join(root, lang, "TOOLBAR", str(res)), "w") as f:
                f.write("\n".join(lines) + "\n")
            write_png(os.path.join(root, lang, "BITMAP", "%d.png" % BITMAP_OF.get(res, res)), strip(images))
            if res == 110:
                write_png(os.path.join(root, lang, "BITMAP", "413.png"), strip(images))
        write_png(os.path.join(root, lang, "BITMAP", "%d.png" % USER_IMAGES_ID),
                  strip([user_image(n) for n in range(1, USER_IMAGE_COUNT + 1)]))
        for res, draw in ICONS.items():
            key = "icon%d" % res
            if key not in cache:
                cache[key] = render(draw())
            write_png(os.path.join(root, lang, "ICON", "%d.png" % res), cache[key])


if __name__ == "__main__":
    main()
