#!/usr/bin/env python3
"""Draws every picture of vrx and writes it as XPM into resources/xpm/.

    python3 scripts/make_pictures.py [--sheet out.png]

Python 3 standard library only. The generated files are committed, so the build needs no
Python: after changing a drawing, run this again and commit resources/xpm/ as a whole.

Besides one .xpm per picture and state it writes resources/xpm/pictures.inc, which
resources/Pictures.cpp includes: the XPM includes and one table row per PictureId, in
the order of the enum in resources/Pictures.h (PICTURES below must follow that order).

How it draws: every shape is a signed distance function; a pixel's coverage is
clamp(0.5 - distance), which gives anti-aliased edges from one evaluation per pixel.
Text uses a small stroke font of our own (GLYPHS). Colours are reduced to at most
MAX_COLOURS per picture (median cut, with the background and large flat areas kept
exact), so each XPM uses one character per pixel. Button states are made from one
drawing of the symbol: hover adds a light frame, pressed a sunken frame and shifts the
symbol by one pixel, disabled greys and fades it, on (toggles) adds a blue frame.
"""

import math
import os
import struct
import sys
import zlib

BG = (236, 233, 216)  # the program's window background
MAX_COLOURS = 64

INK = (44, 52, 70)
BLUE = (28, 110, 200)
BLUE_L = (120, 185, 240)
BLUE_D = (18, 68, 145)
RED = (205, 45, 35)
RED_D = (140, 25, 20)
GREEN = (35, 145, 55)
GREEN_D = (20, 95, 35)
YELLOW = (250, 210, 95)
YELLOW_D = (215, 160, 45)
GREY = (150, 156, 168)
GREY_L = (214, 218, 226)
GREY_D = (92, 98, 112)
PAPER = (253, 253, 249)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------- shapes (distance fields)

class Prim:
    def __init__(self, d, bbox):
        self.d, self.bbox = d, bbox


class Union:
    def __init__(self, parts):
        self.parts = [p for p in parts if p is not None]


class Sub:
    def __init__(self, a, b):
        self.a, self.b = a, b


class Inter:
    def __init__(self, a, b):
        self.a, self.b = a, b


def inflate(s, k):
    """Grows a shape by k pixels (shrinks for negative k)."""
    if isinstance(s, Prim):
        d = s.d
        x0, y0, x1, y1 = s.bbox
        m = max(k, 0)
        return Prim(lambda x, y: d(x, y) - k, (x0 - m, y0 - m, x1 + m, y1 + m))
    if isinstance(s, Union):
        return Union([inflate(p, k) for p in s.parts])
    if isinstance(s, Sub):
        return Sub(inflate(s.a, k), inflate(s.b, -k))
    return Inter(inflate(s.a, k), inflate(s.b, k))


def circle(cx, cy, r):
    return Prim(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    def d(x, y):
        px, py = (x - cx) / rx, (y - cy) / ry
        k0 = math.hypot(px, py)
        k1 = math.hypot(px / rx, py / ry)
        if k1 == 0:
            return -min(rx, ry)
        return k0 * (k0 - 1.0) / k1
    return Prim(d, (cx - rx, cy - ry, cx + rx, cy + ry))


def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx = abs(x - cx) - hx + r
        qy = abs(y - cy) - hy + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return Prim(d, (x0, y0, x1, y1))


def seg(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    ee = ex * ex + ey * ey or 1e-9

    def d(x, y):
        wx, wy = x - ax, y - ay
        t = (wx * ex + wy * ey) / ee
        t = 0.0 if t < 0 else (1.0 if t > 1 else t)
        return math.hypot(wx - ex * t, wy - ey * t) - r
    return Prim(d, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def polyline(pts, r):
    return Union([seg(a[0], a[1], b[0], b[1], r) for a, b in zip(pts, pts[1:])])


def poly(pts):
    n = len(pts)

    def d(x, y):
        best = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            vix, viy = pts[i]
            vjx, vjy = pts[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            ee = ex * ex + ey * ey or 1e-9
            t = (wx * ex + wy * ey) / ee
            t = 0.0 if t < 0 else (1.0 if t > 1 else t)
            bx, by = wx - ex * t, wy - ey * t
            dd = bx * bx + by * by
            if dd < best:
                best = dd
            c1 = y >= viy
            c2 = y < vjy
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(best)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Prim(d, (min(xs), min(ys), max(xs), max(ys)))


def arc(cx, cy, rx, ry, a0, a1, step=8.0):
    """Points of an elliptic arc, angles in degrees, y pointing down, counter-clockwise on
    screen for a1 > a0."""
    n = max(2, int(abs(a1 - a0) / step) + 1)
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy - ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def wave(x0, x1, y, amp, period, phase=0.0, step=1.5):
    pts = []
    x = x0
    while x < x1:
        pts.append((x, y + amp * math.sin((x - x0) / period * 2 * math.pi + phase)))
        x += step
    pts.append((x1, y + amp * math.sin((x1 - x0) / period * 2 * math.pi + phase)))
    return pts


# ---------------------------------------------------------------- coverage and canvas

class Cov:
    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0 = x0, y0
        self.w, self.h = max(0, x1 - x0), max(0, y1 - y0)
        self.data = [0.0] * (self.w * self.h)

    def get(self, x, y):
        x -= self.x0
        y -= self.y0
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.data[y * self.w + x]
        return 0.0


def rast(s, W, H):
    if isinstance(s, Prim):
        bx0, by0, bx1, by1 = s.bbox
        x0 = max(0, int(math.floor(bx0)) - 1)
        y0 = max(0, int(math.floor(by0)) - 1)
        x1 = min(W, int(math.ceil(bx1)) + 2)
        y1 = min(H, int(math.ceil(by1)) + 2)
        c = Cov(x0, y0, x1, y1)
        d, data, k = s.d, c.data, 0
        for y in range(y0, y1):
            py = y + 0.5
            for x in range(x0, x1):
                v = 0.5 - d(x + 0.5, py)
                data[k] = 0.0 if v <= 0 else (1.0 if v >= 1 else v)
                k += 1
        return c
    if isinstance(s, Union):
        parts = [rast(p, W, H) for p in s.parts]
        parts = [p for p in parts if p.w and p.h]
        if not parts:
            return Cov(0, 0, 0, 0)
        c = Cov(min(p.x0 for p in parts), min(p.y0 for p in parts),
                max(p.x0 + p.w for p in parts), max(p.y0 + p.h for p in parts))
        for p in parts:
            for yy in range(p.h):
                row = (p.y0 - c.y0 + yy) * c.w + (p.x0 - c.x0)
                src = yy * p.w
                for xx in range(p.w):
                    v = p.data[src + xx]
                    if v > c.data[row + xx]:
                        c.data[row + xx] = v
        return c
    a = rast(s.a, W, H)
    b = rast(s.b, W, H)
    for yy in range(a.h):
        for xx in range(a.w):
            k = yy * a.w + xx
            if a.data[k]:
                v = b.get(a.x0 + xx, a.y0 + yy)
                a.data[k] *= (1.0 - v) if isinstance(s, Sub) else v
    return a


class Canvas:
    """Premultiplied RGBA in floats 0..1."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        n = w * h
        if bg:
            self.r = [bg[0] / 255.0] * n
            self.g = [bg[1] / 255.0] * n
            self.b = [bg[2] / 255.0] * n
            self.a = [1.0] * n
        else:
            self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n

    def draw(self, s, colour, alpha=1.0):
        c = rast(s, self.w, self.h)
        fn = colour if callable(colour) else None
        if not fn:
            cr, cg, cb = (v / 255.0 for v in colour)
        for yy in range(c.h):
            y = c.y0 + yy
            for xx in range(c.w):
                v = c.data[yy * c.w + xx] * alpha
                if v <= 0:
                    continue
                x = c.x0 + xx
                if fn:
                    cr, cg, cb = (q / 255.0 for q in fn(x + 0.5, y + 0.5))
                k = y * self.w + x
                u = 1.0 - v
                self.r[k] = cr * v + self.r[k] * u
                self.g[k] = cg * v + self.g[k] * u
                self.b[k] = cb * v + self.b[k] * u
                self.a[k] = v + self.a[k] * u

    def blit(self, src, dx=0, dy=0, fn=None):
        """Draws src over this canvas at (dx, dy); fn maps (r, g, b, a) premultiplied."""
        for y in range(src.h):
            ty = y + dy
            if not 0 <= ty < self.h:
                continue
            for x in range(src.w):
                tx = x + dx
                if not 0 <= tx < self.w:
                    continue
                k = y * src.w + x
                sa = src.a[k]
                if sa <= 0:
                    continue
                sr, sg, sb = src.r[k], src.g[k], src.b[k]
                if fn:
                    sr, sg, sb, sa = fn(sr, sg, sb, sa)
                t = ty * self.w + tx
                u = 1.0 - sa
                self.r[t] = sr + self.r[t] * u
                self.g[t] = sg + self.g[t] * u
                self.b[t] = sb + self.b[t] * u
                self.a[t] = sa + self.a[t] * u

    def pixels(self):
        """(r, g, b) bytes per pixel, or None where the picture is transparent."""
        out = []
        for k in range(self.w * self.h):
            a = self.a[k]
            if a < 0.5:
                out.append(None)
                continue
            out.append(tuple(max(0, min(255, int(round(c / a * 255))))
                             for c in (self.r[k], self.g[k], self.b[k])))
        return out


def vgrad(y0, c0, y1, c1):
    def f(x, y):
        t = 0.0 if y <= y0 else (1.0 if y >= y1 else (y - y0) / (y1 - y0))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return f


def lighter(c, t):
    return tuple(v + (255 - v) * t for v in c)


def fill(cv, s, colour, outline=INK, lw=1.0):
    """A shape with an outline of lw pixels drawn inside its edge."""
    if outline:
        cv.draw(s, outline)
        cv.draw(inflate(s, -lw), colour)
    else:
        cv.draw(s, colour)


# ---------------------------------------------------------------- stroke font

def _glyphs():
    def e(cx, cy, rx, ry, a0, a1):  # glyphs are drawn with y pointing up
        return [(x, 2 * cy - y) for x, y in arc(cx, cy, rx, ry, a0, a1, step=10.0)]
    xh = 0.7
    g = {
        'V': (0.66, [[(0, 1), (0.33, 0), (0.66, 1)]]),
        'R': (0.56, [[(0, 0), (0, 1), (0.28, 1)] + e(0.28, 0.74, 0.26, 0.26, 90, -90) + [(0, 0.48)],
                     [(0.26, 0.48), (0.56, 0)]]),
        'X': (0.62, [[(0, 1), (0.62, 0)], [(0, 0), (0.62, 1)]]),
        'U': (0.6, [[(0, 1), (0, 0.3)] + e(0.3, 0.3, 0.3, 0.3, 180, 360) + [(0.6, 1)]]),
        'S': (0.54, [e(0.27, 0.75, 0.26, 0.25, 30, 270) + e(0.27, 0.25, 0.27, 0.25, 90, -150)]),
        'B': (0.54, [[(0, 0.5), (0, 1), (0.26, 1)] + e(0.26, 0.75, 0.24, 0.25, 90, -90) + [(0, 0.5)],
                     [(0, 0.5), (0.28, 0.5)] + e(0.28, 0.25, 0.26, 0.25, 90, -90) + [(0, 0), (0, 0.5)]]),
        'C': (0.6, [e(0.33, 0.5, 0.33, 0.5, 40, 320)]),
        'D': (0.6, [[(0.22, 0), (0, 0), (0, 1), (0.22, 1)] + e(0.22, 0.5, 0.38, 0.5, 90, -90) + [(0.22, 0)]]),
        'E': (0.5, [[(0.5, 1), (0, 1), (0, 0), (0.5, 0)], [(0, 0.52), (0.42, 0.52)]]),
        'a': (0.5, [e(0.25, xh / 2, 0.25, xh / 2, 0, 360), [(0.5, xh), (0.5, 0)]]),
        'c': (0.48, [e(0.27, xh / 2, 0.27, xh / 2, 40, 320)]),
        'd': (0.5, [e(0.25, xh / 2, 0.25, xh / 2, 0, 360), [(0.5, 1), (0.5, 0)]]),
        'e': (0.52, [[(0.0, 0.36), (0.52, 0.36)] + e(0.26, 0.35, 0.26, 0.35, 0, 310)]),
        'f': (0.34, [[(0.1, 0), (0.1, 0.8)] + e(0.28, 0.8, 0.18, 0.2, 180, 40), [(0, 0.68), (0.32, 0.68)]]),
        'g': (0.5, [e(0.25, xh / 2, 0.25, xh / 2, 0, 360),
                    [(0.5, xh), (0.5, -0.02)] + e(0.26, -0.02, 0.24, 0.22, 0, -160)]),
        'h': (0.5, [[(0, 1), (0, 0)], [(0, 0.42)] + e(0.25, 0.45, 0.25, 0.25, 180, 0) + [(0.5, 0)]]),
        'i': (0.02, [[(0, 0), (0, xh)], [(0, 0.93), (0, 0.94)]]),
        'k': (0.46, [[(0, 1), (0, 0)], [(0.44, xh), (0, 0.26)], [(0.16, 0.4), (0.46, 0)]]),
        'l': (0.02, [[(0, 1), (0, 0)]]),
        'n': (0.5, [[(0, xh), (0, 0)], [(0, 0.42)] + e(0.25, 0.45, 0.25, 0.25, 180, 0) + [(0.5, 0)]]),
        'o': (0.54, [e(0.27, xh / 2, 0.27, xh / 2, 0, 360)]),
        'r': (0.32, [[(0, xh), (0, 0)], [(0, 0.36)] + e(0.3, 0.4, 0.3, 0.3, 180, 80)]),
        's': (0.44, [e(0.22, 0.525, 0.21, 0.175, 30, 270) + e(0.22, 0.175, 0.22, 0.175, 90, -150)]),
        't': (0.32, [[(0.1, 0.95), (0.1, 0.17)] + e(0.27, 0.17, 0.17, 0.17, 180, 290),
                     [(0, xh), (0.32, xh)]]),
        'w': (0.72, [[(0, xh), (0.18, 0), (0.36, 0.58), (0.54, 0), (0.72, xh)]]),
        '1': (0.3, [[(0, 0.78), (0.22, 1), (0.22, 0)]]),
        '2': (0.52, [e(0.26, 0.72, 0.26, 0.28, 160, -30) + [(0, 0), (0.54, 0)]]),
        '4': (0.56, [[(0.42, 0), (0.42, 1), (0, 0.32), (0.58, 0.32)]]),
        '5': (0.54, [[(0.5, 1), (0.07, 1), (0.03, 0.56)] + e(0.26, 0.32, 0.28, 0.32, 140, -150)]),
        '.': (0.02, [[(0, 0), (0, 0.01)]]),
        '-': (0.3, [[(0, 0.4), (0.3, 0.4)]]),
        ' ': (0.25, []),
    }
    return g


GLYPHS = _glyphs()
SPACING = 0.2


def text_width(text, cap, r):
    return sum((GLYPHS[ch][0] + SPACING) * cap + 2 * r for ch in text) - SPACING * cap


def text_shape(text, x, baseline, cap, r):
    parts = []
    for ch in text:
        w, strokes = GLYPHS[ch]
        for st in strokes:
            pts = [(x + r + px * cap, baseline - py * cap) for px, py in st]
            parts.append(polyline(pts, r))
        x += (w + SPACING) * cap + 2 * r
    return Union(parts)


def text_centered(text, cx, baseline, cap, r):
    return text_shape(text, cx - text_width(text, cap, r) / 2, baseline, cap, r)


# ---------------------------------------------------------------- symbols

def sym_open(cv):
    fill(cv, poly([(6, 9), (17, 9), (20, 12), (40, 12), (40, 35), (6, 35)]), YELLOW_D, lw=1.2)
    fill(cv, box(11, 15, 36, 30), PAPER, outline=GREY_D, lw=0.8)
    for y in (19, 23):
        cv.draw(seg(15, y, 31, y, 0.5), GREY)
    fill(cv, poly([(6, 35), (11.5, 20), (46, 20), (40, 35)]),
         vgrad(20, lighter(YELLOW, 0.35), 35, YELLOW), lw=1.2)


def sym_save(cv):
    fill(cv, poly([(9, 3), (37, 3), (41, 7), (41, 37), (9, 37)]), vgrad(3, BLUE, 37, BLUE_D), lw=1.2)
    fill(cv, box(15, 3, 34, 15), vgrad(3, GREY_L, 15, GREY), outline=GREY_D, lw=0.9)
    cv.draw(box(27, 5.5, 31, 12.5), GREY_D)
    fill(cv, box(13, 20, 37, 37, 1.5), PAPER, outline=INK, lw=0.9)
    for y in (25, 29, 33):
        cv.draw(seg(16.5, y, 33.5, y, 0.55), BLUE_L)


def sym_print(cv):
    fill(cv, box(13, 4, 37, 18), PAPER, outline=GREY_D, lw=0.9)
    fill(cv, box(5, 15, 45, 32, 3), vgrad(15, GREY_L, 32, GREY), lw=1.2)
    cv.draw(box(10, 26, 40, 28.5, 1), INK)
    cv.draw(circle(39.5, 20.5, 1.8), GREEN)
    fill(cv, box(12, 27, 38, 39), PAPER, outline=GREY_D, lw=0.9)
    cv.draw(polyline([(15, 36), (19, 33), (23, 35), (28, 30.5), (35, 32)], 0.8), BLUE)


def sym_save_image(cv):
    fill(cv, box(5, 4, 45, 35, 2), PAPER, outline=INK, lw=1.6)
    cv.draw(seg(10, 9, 10, 30, 0.5), GREY_D)
    cv.draw(seg(10, 30, 40, 30, 0.5), GREY_D)
    cv.draw(polyline(wave(11, 40, 19, 6, 22, 0.4), 1.0), BLUE)
    cv.draw(polyline(wave(11, 40, 24, 3, 15, 2.0), 0.8), RED)
    cv.draw(circle(39, 33, 8), WHITE)
    fill(cv, circle(39, 33, 7), vgrad(26, lighter(GREEN, 0.2), 40, GREEN_D), outline=GREEN_D, lw=0.8)
    cv.draw(poly([(34.5, 32), (43.5, 32), (39, 37.5)]), WHITE)
    cv.draw(box(37.6, 27.5, 40.4, 32.5), WHITE)


def sym_zoom(cv, plus):
    cv.draw(seg(20, 18, 28.5, 26.5, 2.6), INK)
    cv.draw(seg(21.5, 19.5, 28, 26, 1.2), GREY)
    cv.draw(circle(14, 12, 9.5), INK)
    cv.draw(circle(14, 12, 7.6), vgrad(4, WHITE, 20, (190, 220, 248)))
    cv.draw(seg(10, 12, 18, 12, 1.25), BLUE_D)
    if plus:
        cv.draw(seg(14, 8, 14, 16, 1.25), BLUE_D)


def sym_fit(cv):
    """A curve that fills the frame its four corners mark."""
    for (x, y, dx, dy) in ((4, 3, 1, 1), (31, 3, -1, 1), (4, 27, 1, -1), (31, 27, -1, -1)):
        cv.draw(seg(x, y, x + 6 * dx, y, 0.9), INK)
        cv.draw(seg(x, y, x, y + 6 * dy, 0.9), INK)
    cv.draw(polyline([(7, 23), (11, 15), (15, 18), (20, 8), (24, 12), (28, 7)], 1.1), BLUE)


def sym_measure(cv, colour, digit):
    curve = [(3, 22), (8, 19), (13, 12), (18, 10), (23, 13), (28, 11), (33, 9)]
    cv.draw(seg(15.5, 2, 15.5, 27, 0.5), GREY_D)
    cv.draw(seg(2, 11, 33, 11, 0.5), GREY_D)
    cv.draw(polyline(curve, 1.1), colour)
    cv.draw(box(12, 7.5, 19, 14.5), INK)
    cv.draw(box(13.2, 8.7, 17.8, 13.3), WHITE)
    cv.draw(box(14.2, 9.7, 16.8, 12.3), colour)
    cv.draw(text_shape(digit, 24, 27, 9, 0.95), colour)


def sym_grid(cv):
    fill(cv, box(4, 2, 31, 26), PAPER, lw=1.2)
    for k in (1, 2):
        x = 4 + 27 * k / 3
        y = 2 + 24 * k / 3
        for t in range(4, 25, 3):
            cv.draw(circle(x, t + 0.5, 0.7), GREY_D)
        for t in range(6, 30, 3):
            cv.draw(circle(t + 0.5, y, 0.7), GREY_D)
    cv.draw(polyline([(6, 21), (12, 15), (18, 17), (24, 9), (29, 8)], 1.0), BLUE)


def sym_points(cv):
    cv.draw(seg(3.5, 2, 3.5, 26, 0.6), GREY_D)
    cv.draw(seg(3, 25.5, 33, 25.5, 0.6), GREY_D)
    for x, y in [(8, 20), (12, 15), (16, 12.5), (20, 13), (24, 10), (28, 7), (32, 6.5)]:
        cv.draw(circle(x, y, 2.2), BLUE_D)
        cv.draw(circle(x, y, 1.2), BLUE_L)


def sym_filter(cv):
    zig = [(2, 15), (5, 9), (8, 19), (11, 8), (14, 18), (17, 7), (20, 16), (23, 6), (26, 14),
           (29, 7), (33, 11)]
    cv.draw(polyline(zig, 0.7), GREY)
    cv.draw(polyline(wave(2, 33, 12.5, 3, 24, 2.6), 1.6), BLUE)
    cv.draw(seg(4, 25.5, 31, 25.5, 0.5), GREY_D)


def sym_view_flow(cv):
    for i, y in enumerate((11, 20, 29)):
        cv.draw(polyline(wave(5, 35, y, 2.4, 15, 0.8 * i), 2.2), BLUE_D)
        cv.draw(polyline(wave(5, 35, y, 2.4, 15, 0.8 * i), 1.2), BLUE_L if i != 1 else BLUE)
        ye = y + 2.4 * math.sin(30 / 15 * 2 * math.pi + 0.8 * i)
        fill(cv, poly([(35, ye - 5.5), (45, ye), (35, ye + 5.5)]), BLUE, outline=BLUE_D, lw=0.9)


def sym_view_volume(cv):
    glass = poly([(9, 5), (40, 5), (37, 37), (13, 37)])
    cv.draw(glass, (240, 247, 252))
    water = Inter(poly([(9, 16), (20, 14.5), (30, 17.5), (41, 15), (41, 40), (9, 40)]), glass)
    cv.draw(water, vgrad(14, BLUE_L, 37, BLUE))
    for i, y in enumerate(range(10, 36, 5)):
        cv.draw(seg(15 - 0.1 * y, y, (20 if i % 2 else 18) - 0.1 * y, y, 0.55), INK)
    cv.draw(Sub(glass, inflate(glass, -1.4)), INK)
    cv.draw(seg(7.5, 5, 42, 5, 1.0), INK)


def sym_view_pressure(cv):
    cx, cy, r = 25, 20, 17
    fill(cv, circle(cx, cy, r), vgrad(3, WHITE, 37, GREY_L), lw=1.6)
    cv.draw(Sub(circle(cx, cy, r - 1.6), circle(cx, cy, r - 3.3)), GREY)
    for k in range(9):
        a = math.radians(225 - k * 33.75)
        ca, sa = math.cos(a), -math.sin(a)
        inner = r - (8 if k % 2 == 0 else 6)
        cv.draw(seg(cx + ca * inner, cy + sa * inner, cx + ca * (r - 4), cy + sa * (r - 4),
                    0.8 if k % 2 == 0 else 0.5), INK)
    a = math.radians(35)
    cv.draw(seg(cx, cy, cx + math.cos(a) * (r - 5), cy - math.sin(a) * (r - 5), 1.3), RED)
    cv.draw(circle(cx, cy, 3), INK)
    cv.draw(circle(cx - 0.6, cy - 0.6, 1.1), GREY)


def glossy_disc(cv, cx, cy, r, colour, dark):
    cv.draw(circle(cx, cy, r), dark)
    cv.draw(circle(cx, cy, r - 1.5), vgrad(cy - r, lighter(colour, 0.3), cy + r, colour))
    cv.draw(ellipse(cx - r * 0.15, cy - r * 0.5, r * 0.6, r * 0.32), WHITE, 0.45)


def sym_live_start(cv):
    glossy_disc(cv, 35, 35, 19, RED, RED_D)
    beat = [(20, 37), (26, 37), (29, 31), (33, 45), (37, 26), (41, 40), (43.5, 37), (50, 37)]
    cv.draw(polyline(beat, 1.7), WHITE)


def sym_live_stop(cv):
    fill(cv, box(16, 16, 54, 54, 6), vgrad(16, (95, 105, 125), 54, (38, 44, 58)), lw=1.5)
    cv.draw(box(18, 18, 52, 30, 5), WHITE, 0.18)
    fill(cv, box(27, 27, 43, 43, 1.5), WHITE, outline=None)


def gear(cx, cy, r_out, r_in, teeth):
    pts = []
    for i in range(teeth):
        base = 2 * math.pi * i / teeth
        step = 2 * math.pi / teeth
        for frac, rad in ((0.0, r_in), (0.12, r_out), (0.38, r_out), (0.5, r_in)):
            a = base + frac * step
            pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
        a = base + 0.75 * step
        pts.append((cx + r_in * math.cos(a), cy + r_in * math.sin(a)))
    return poly(pts)


def sym_device_settings(cv):
    g = Sub(gear(35, 35, 22, 16.5, 9), circle(35, 35, 6.5))
    fill(cv, g, vgrad(13, GREY_L, 57, GREY_D), lw=1.5)
    cv.draw(Sub(circle(35, 35, 11), circle(35, 35, 9.6)), GREY_D)


def sym_erase_memory(cv):
    for i in range(6):
        x = 20 + i * 5.5
        cv.draw(box(x - 1.3, 15, x + 1.3, 47), GREY)
    fill(cv, box(14, 19, 54, 43, 2), vgrad(19, (80, 86, 100), 43, (40, 44, 54)), lw=1.0)
    cv.draw(circle(19, 24, 1.6), GREY)
    glossy_disc(cv, 46, 45, 11, RED, RED_D)
    cv.draw(seg(41.5, 40.5, 50.5, 49.5, 1.8), WHITE)
    cv.draw(seg(50.5, 40.5, 41.5, 49.5, 1.8), WHITE)


def sym_download(cv):
    tray = poly([(13, 40), (19, 40), (19, 49), (51, 49), (51, 40), (57, 40), (57, 55), (13, 55)])
    fill(cv, tray, vgrad(40, GREY_L, 55, GREY), lw=1.2)
    arrow = poly([(30, 13), (40, 13), (40, 31), (49, 31), (35, 47), (21, 31), (30, 31)])
    fill(cv, arrow, vgrad(13, lighter(GREEN, 0.3), 47, GREEN), outline=GREEN_D, lw=1.3)


def sym_tip_help(cv):
    fill(cv, box(4, 30, 34, 60, 4), vgrad(30, BLUE_L, 60, BLUE), outline=BLUE_D, lw=1.3)
    fill(cv, drop(19, 49, 6, 14), WHITE, outline=None)
    note = box(30, 6, 66, 30, 2)
    cv.draw(box(32, 8, 68, 32, 2), INK, 0.25)
    fill(cv, note, (255, 250, 200), lw=1.0)
    for y, x1 in ((13, 60), (19, 62), (25, 52)):
        cv.draw(seg(35, y, x1, y, 0.9), GREY_D)
    tip = (24, 36)
    arrow = [tip, (24, 55), (28.5, 50.5), (32, 58), (35, 56.6), (31.5, 49.2), (38, 49)]
    fill(cv, poly(arrow), WHITE, outline=(0, 0, 0), lw=1.2)


# ---------------------------------------------------------------- small menu images (16 x 15)

def menu_open(cv):
    fill(cv, poly([(1, 2), (6, 2), (7, 3), (13, 3), (13, 13), (1, 13)]), YELLOW_D)
    fill(cv, poly([(1, 13), (4, 6), (16, 6), (13, 13)]), YELLOW)


def menu_save(cv):
    fill(cv, poly([(1, 1), (13, 1), (15, 3), (15, 14), (1, 14)]), BLUE)
    cv.draw(box(4, 1, 11, 5), GREY_L)
    cv.draw(box(8, 2, 10, 4), GREY_D)
    fill(cv, box(3, 8, 13, 14), PAPER)


def menu_print(cv):
    fill(cv, box(4, 1, 12, 6), PAPER)
    fill(cv, box(1, 5, 15, 11), GREY)
    cv.draw(box(3, 8, 13, 9), INK)
    fill(cv, box(4, 9, 12, 14), PAPER)
    cv.draw(box(11.5, 6, 13, 7.5), GREEN)


# ---------------------------------------------------------------- larger pictures

def drop(cx, cy, r, tip_h):
    """A water drop: circle of radius r at (cx, cy) drawn up into a point tip_h above it."""
    d = tip_h
    t = math.asin(r / d)  # the sides touch the circle where they meet it at a right angle
    p1 = (cx - r * math.cos(t), cy - r * math.sin(t))
    p2 = (cx + r * math.cos(t), cy - r * math.sin(t))
    return Union([circle(cx, cy, r), poly([(cx, cy - d), p2, (cx, cy), p1])])


def badge(cv):
    outer = box(1, 1, 97, 59, 9)
    fill(cv, outer, vgrad(1, (60, 140, 220), 44, BLUE_D), outline=BLUE_D, lw=1.4)
    low = Inter(poly([(0, 45)] + wave(0, 98, 43, 2.5, 49, 0.0) + [(98, 60), (0, 60)]),
                inflate(outer, -1.4))
    cv.draw(low, vgrad(42, (214, 234, 252), 60, (196, 224, 250)))
    cv.draw(Inter(polyline(wave(0, 98, 43, 2.5, 49, 0.0), 0.8), outer), WHITE)
    d = drop(17, 30, 7, 16)
    fill(cv, d, vgrad(14, (190, 225, 255), 37, BLUE_L), outline=WHITE, lw=1.2)
    cv.draw(text_shape("VRX", 30, 35, 21, 2.4), WHITE)


def status_picture(cv, lines, colour, crossed, cap):
    # cable, plug body with the USB trident, metal connector
    cv.draw(seg(-2, 35, 18, 35, 3.6), INK)
    fill(cv, box(15, 21, 51, 49, 4), vgrad(21, (110, 116, 130), 49, (50, 55, 68)), lw=1.2)
    t = WHITE
    cv.draw(seg(21, 35, 43, 35, 0.9), t)
    cv.draw(poly([(47, 35), (42, 32.2), (42, 37.8)]), t)
    cv.draw(polyline([(25, 35), (29, 29), (34, 29)], 0.9), t)
    cv.draw(circle(35, 29, 1.6), t)
    cv.draw(polyline([(28, 35), (32, 41), (36, 41)], 0.9), t)
    cv.draw(box(35.5, 39.4, 38.7, 42.6), t)
    cv.draw(circle(21.5, 35, 2.0), t)
    fill(cv, box(50, 25, 74, 45, 1), vgrad(25, WHITE, 45, GREY), outline=GREY_D, lw=1.0)
    cv.draw(box(56, 30, 60, 33.5), GREY_D)
    cv.draw(box(64, 30, 68, 33.5), GREY_D)
    if crossed:
        for a, b in (((12, 12), (74, 58)), ((12, 58), (74, 12))):
            cv.draw(seg(a[0], a[1], b[0], b[1], 5.0), BG)
            cv.draw(seg(a[0], a[1], b[0], b[1], 3.4), RED)
    r = cap * 0.11
    if len(lines) == 1:
        baselines = [35 + cap / 2]
    else:
        baselines = [29, 29 + cap + 12]
    for text, base in zip(lines, baselines):
        cv.draw(text_shape(text, 90, base, cap, r), colour)


def splash(cv):
    W, H = cv.w, cv.h
    cv.draw(box(0, 0, W, H), vgrad(0, (8, 34, 82), 420, (30, 100, 175)))
    # grid of a plot behind the curve
    for x in range(40, W, 56):
        cv.draw(seg(x, 250, x, 430, 0.5), (90, 150, 215), 0.5)
    for y in range(262, 430, 42):
        cv.draw(seg(20, y, W - 20, y, 0.5), (90, 150, 215), 0.5)
    # a recording: flow ramps up, runs with ripple, ramps down; pressure dips while it flows
    flow, pres = [], []
    for i in range(0, 601, 4):
        x = 20 + i
        u = i / 600
        level = 1 / (1 + math.exp(-(u - 0.18) * 30)) - 1 / (1 + math.exp(-(u - 0.8) * 30))
        flow.append((x, 410 - level * (120 + 8 * math.sin(u * 40))))
        pres.append((x, 300 + level * (50 + 5 * math.sin(u * 25 + 1))))
    cv.draw(polyline(pres, 2.2), (240, 90, 80))
    cv.draw(polyline(flow, 3.2), (250, 250, 255))
    # water at the bottom
    for y, amp, per, ph, c in ((440, 8, 210, 0.0, (40, 120, 200)),
                                (465, 7, 170, 1.5, (60, 150, 225)),
                                (495, 6, 240, 3.0, (120, 190, 245))):
        pts = wave(-10, W + 10, y, amp, per, ph, step=4)
        cv.draw(poly(pts + [(W + 10, H + 10), (-10, H + 10)]), c)
        cv.draw(polyline(pts, 1.4), lighter(c, 0.45))
    # drop on the left, gauge on the right, name in the middle
    d = drop(92, 122, 42, 96)
    fill(cv, d, vgrad(20, (180, 220, 255), 165, (40, 130, 215)), outline=WHITE, lw=3)
    cv.draw(ellipse(76, 124, 9, 16), WHITE, 0.55)
    cx, cy, r = 548, 110, 64
    fill(cv, circle(cx, cy, r), vgrad(cy - r, WHITE, cy + r, GREY_L), outline=(200, 210, 225), lw=5)
    for k in range(11):
        a = math.radians(225 - k * 27)
        ca, sa = math.cos(a), -math.sin(a)
        inner = r - (22 if k % 2 == 0 else 16)
        cv.draw(seg(cx + ca * inner, cy + sa * inner, cx + ca * (r - 9), cy + sa * (r - 9),
                    2.0 if k % 2 == 0 else 1.2), INK)
    cv.draw(Sub(circle(cx, cy, r - 9), circle(cx, cy, r - 13)),
            lambda x, y: (200, 50, 40) if x > cx + 20 and y < cy + 10 else (60, 70, 90))
    a = math.radians(40)
    cv.draw(seg(cx, cy, cx + math.cos(a) * (r - 14), cy - math.sin(a) * (r - 14), 3.5), RED)
    cv.draw(circle(cx, cy, 8), INK)
    cv.draw(text_centered("VRX", W / 2 + 4, 194, 104, 11.5), (0, 20, 50), 0.45)
    cv.draw(text_centered("VRX", W / 2, 190, 104, 11.5), WHITE)
    cv.draw(text_centered("Version 4.5", W / 2, 248, 26, 2.6), (200, 228, 255))


def window_icon(cv, s):
    d = drop(16 * s, 20 * s, 11 * s, 18 * s)
    fill(cv, d, vgrad(2 * s, BLUE_L, 31 * s, BLUE), outline=BLUE_D, lw=max(1.0, 1.4 * s))
    cv.draw(Inter(polyline(wave(5 * s, 27 * s, 21 * s, 3 * s, 12 * s, 0.0), 1.3 * s),
                  inflate(d, -1.5 * s)), WHITE)
    if s > 0.6:
        cv.draw(ellipse(11.5 * s, 15 * s, 1.8 * s, 3.2 * s), WHITE, 0.6)


# ---------------------------------------------------------------- states

def frame_shape(frame):
    x0, y0, x1, y1 = frame
    return box(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, 4 if x1 - x0 > 40 else 3)


def fade_grey(r, g, b, a):
    if a <= 0:
        return r, g, b, a
    lum = (0.3 * r + 0.59 * g + 0.11 * b) / a
    v = lum * 0.45 + 0.5
    na = a * 0.75
    return v * na, v * na, v * na, na


def states(w, h, draw, frame, toggle):
    sym = Canvas(w, h)
    draw(sym)
    out = {}
    fs = frame_shape(frame)
    cv = Canvas(w, h, BG)
    cv.blit(sym)
    out['normal'] = cv
    cv = Canvas(w, h, BG)
    fill(cv, fs, vgrad(frame[1], (252, 251, 246), frame[3], (242, 240, 230)), outline=(150, 165, 190))
    cv.blit(sym)
    out['hover'] = cv
    cv = Canvas(w, h, BG)
    fill(cv, fs, vgrad(frame[1], (200, 196, 178), frame[3], (218, 214, 198)), outline=(110, 108, 96))
    cv.blit(sym, 1, 1)
    out['pressed'] = cv
    cv = Canvas(w, h, BG)
    cv.blit(sym, 0, 0, fade_grey)
    out['disabled'] = cv
    if toggle:
        cv = Canvas(w, h, BG)
        fill(cv, fs, vgrad(frame[1], (214, 232, 252), frame[3], (182, 212, 245)), outline=(50, 105, 180),
             lw=1.4)
        cv.blit(sym)
        out['on'] = cv
    return out


# ---------------------------------------------------------------- the inventory

BUTTON_STATES = ('normal', 'hover', 'pressed', 'disabled', 'on')

# (enum name, file stem, w, h, kind, drawing); kind: button / toggle / single / transparent.
PICTURES = [
    ('PictureOpen', 'open', 50, 50, 'button', sym_open),
    ('PictureSave', 'save', 50, 50, 'button', sym_save),
    ('PicturePrint', 'print', 50, 50, 'button', sym_print),
    ('PictureSaveImage', 'save_image', 50, 50, 'button', sym_save_image),
    ('PictureBadge', 'badge', 98, 60, 'single', badge),
    ('PictureZoomIn', 'zoom_in', 35, 30, 'button', lambda cv: sym_zoom(cv, True)),
    ('PictureZoomOut', 'zoom_out', 35, 30, 'button', lambda cv: sym_zoom(cv, False)),
    ('PictureZoomFit', 'zoom_fit', 35, 30, 'button', sym_fit),
    ('PictureMeasureFlow', 'measure_flow', 35, 30, 'toggle', lambda cv: sym_measure(cv, BLUE, '1')),
    ('PictureMeasurePressure', 'measure_pressure', 35, 30, 'toggle',
     lambda cv: sym_measure(cv, RED, '2')),
    ('PictureGrid', 'grid', 35, 30, 'toggle', sym_grid),
    ('PicturePoints', 'points', 35, 30, 'toggle', sym_points),
    ('PictureFilter', 'filter', 35, 30, 'toggle', sym_filter),
    ('PictureViewFlow', 'view_flow', 50, 50, 'toggle', sym_view_flow),
    ('PictureViewVolume', 'view_volume', 50, 50, 'toggle', sym_view_volume),
    ('PictureViewPressure', 'view_pressure', 50, 50, 'toggle', sym_view_pressure),
    ('PictureLiveStart', 'live_start', 70, 70, 'button', sym_live_start),
    ('PictureLiveStop', 'live_stop', 70, 70, 'button', sym_live_stop),
    ('PictureDeviceSettings', 'device_settings', 70, 70, 'button', sym_device_settings),
    ('PictureEraseMemory', 'erase_memory', 70, 70, 'button', sym_erase_memory),
    ('PictureDownload', 'download', 70, 70, 'button', sym_download),
    ('PictureTipHelp', 'tip_help', 70, 70, 'single', sym_tip_help),
    ('PictureMenuOpen', 'menu_open', 16, 15, 'transparent', menu_open),
    ('PictureMenuSave', 'menu_save', 16, 15, 'transparent', menu_save),
    ('PictureMenuPrint', 'menu_print', 16, 15, 'transparent', menu_print),
    ('PictureSplash', 'splash', 640, 540, 'single', splash),
    ('PictureUsbConnected', 'usb_connected', 280, 70, 'status', None),
    ('PictureDownloadDone', 'download_done', 280, 70, 'status', None),
    ('PictureUsbMissing', 'usb_missing', 280, 70, 'status', None),
    ('PictureWindowIcon', 'icon32', 32, 32, 'transparent', lambda cv: window_icon(cv, 1.0)),
]

STATUS = {
    'usb_connected': (["USB Connected"], (30, 140, 50), False),
    'download_done': (["Download Erfolgreich"], (30, 140, 50), False),
    'usb_missing': (["USB nicht erkannt.", "Re-Stecken Sie den USB"], (200, 30, 30), True),
}


def status_cap(two_lines):
    """One text size for the one-line captions and one for the two-line caption: the
    largest that fits each of their lines."""
    texts = [t for v in STATUS.values() if (len(v[0]) > 1) == two_lines for t in v[0]]
    cap = 16.0
    while cap > 8 and any(text_width(t, cap, cap * 0.11) > 280 - 90 - 6 for t in texts):
        cap -= 0.5
    return cap


def render_all():
    """{file stem: Canvas}, plus the table rows for pictures.inc."""
    out, rows = {}, []
    for enum, stem, w, h, kind, draw in PICTURES:
        files = {}
        if kind in ('button', 'toggle'):
            frame = (10, 10, 60, 60) if w == 70 else (0, 0, w, h)
            for st, cv in states(w, h, draw, frame, kind == 'toggle').items():
                files[st] = f"{stem}_{st}"
                out[files[st]] = cv
        else:
            cv = Canvas(w, h, None if kind == 'transparent' else BG)
            if kind == 'status':
                lines, colour, crossed = STATUS[stem]
                status_picture(cv, lines, colour, crossed, status_cap(len(lines) > 1))
            else:
                draw(cv)
            files['normal'] = stem
            out[stem] = cv
        rows.append((enum, stem, w, h, files))
    for s in (16, 48):
        cv = Canvas(s, s)
        window_icon(cv, s / 32)
        out[f"icon{s}"] = cv
    return out, rows


# ---------------------------------------------------------------- colours and files

XPM_CHARS = [chr(c) for c in range(32, 127) if chr(c) not in '"\\?']


def median_cut(hist, n):
    if n <= 0 or not hist:
        return []
    boxes = [list(hist.items())]
    while len(boxes) < n:
        best, best_score = None, 0
        for i, b in enumerate(boxes):
            if len(b) < 2:
                continue
            rng = max(max(c[0][k] for c in b) - min(c[0][k] for c in b) for k in range(3))
            score = rng * math.sqrt(sum(c[1] for c in b))
            if score > best_score:
                best, best_score = i, score
        if best is None:
            break
        b = boxes.pop(best)
        k = max(range(3), key=lambda k: max(c[0][k] for c in b) - min(c[0][k] for c in b))
        b.sort(key=lambda c: c[0][k])
        total = sum(c[1] for c in b)
        acc, cut = 0, 1
        for i, c in enumerate(b):
            acc += c[1]
            if acc >= total / 2:
                cut = min(max(i + 1, 1), len(b) - 1)
                break
        boxes += [b[:cut], b[cut:]]
    pal = []
    for b in boxes:
        total = sum(c[1] for c in b)
        pal.append(tuple(int(round(sum(c[0][k] * c[1] for c in b) / total)) for k in range(3)))
    return pal


def quantize(pixels, limit):
    hist = {}
    for p in pixels:
        if p is not None:
            hist[p] = hist.get(p, 0) + 1
    if len(hist) <= limit:
        return list(hist), {c: c for c in hist}
    n = sum(hist.values())
    # Keep the background and big flat areas exact; spread the rest over the other slots.
    fixed = [c for c, k in sorted(hist.items(), key=lambda i: -i[1]) if c == BG or k > n * 0.01]
    fixed = fixed[:limit // 2]
    rest = {c: k for c, k in hist.items() if c not in fixed}
    pal = fixed + [c for c in median_cut(rest, limit - len(fixed)) if c not in fixed]
    mapping = {}
    for c in hist:
        mapping[c] = min(pal, key=lambda p: (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2
                         + (p[2] - c[2]) ** 2)
    return pal, mapping


BAYER4 = [0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5]


def dither(pixels, w, pal, mapping, amplitude):
    """Ordered dithering, so the few colours of a large gradient do not show as bands."""
    cache = {}
    out = []
    for k, p in enumerate(pixels):
        if p is None:
            out.append(None)
            continue
        t = BAYER4[(k // w % 4) * 4 + k % w % 4]
        key = (p, t)
        c = cache.get(key)
        if c is None:
            off = (t / 15.0 - 0.5) * amplitude
            q = tuple(v + off for v in p)
            c = min(pal, key=lambda m: (m[0] - q[0]) ** 2 + (m[1] - q[1]) ** 2
                    + (m[2] - q[2]) ** 2)
            if mapping[p] == p:  # colours the palette holds exactly stay exact
                c = p
            cache[key] = c
        out.append(c)
    return out


def write_xpm(path, name, cv, limit, dither_amplitude=0):
    pixels = cv.pixels()
    pal, mapping = quantize(pixels, limit)
    if dither_amplitude:
        mapped = dither(pixels, cv.w, pal, mapping, dither_amplitude)
        mapping = {}
        pixels = mapped
        for p in mapped:
            if p is not None:
                mapping[p] = p
    has_none = any(p is None for p in pixels)
    assert len(pal) + has_none <= len(XPM_CHARS)
    codes = {}
    lines = [f'"{cv.w} {cv.h} {len(pal) + has_none} 1",']
    chars = iter(XPM_CHARS)
    if has_none:
        codes[None] = next(chars)
        lines.append(f'"{codes[None]} c None",')
    for c in pal:
        codes[c] = next(chars)
        lines.append(f'"{codes[c]} c #{c[0]:02X}{c[1]:02X}{c[2]:02X}",')
    for y in range(cv.h):
        row = ''.join(codes[None if p is None else mapping[p]]
                      for p in pixels[y * cv.w:(y + 1) * cv.w])
        lines.append(f'"{row}"' + (',' if y < cv.h - 1 else ''))
    with open(path, 'w', encoding='ascii') as f:
        f.write('/* XPM */\n')
        f.write('/* Drawn by scripts/make_pictures.py; regenerate rather than edit. */\n')
        f.write(f'static const char* const {name}_xpm[] = {{\n')
        f.write('\n'.join(lines))
        f.write('\n};\n')
    return [None if p is None else mapping[p] for p in pixels]


def write_inc(path, rows, stems):
    with open(path, 'w', encoding='ascii') as f:
        f.write('// Generated by scripts/make_pictures.py together with the .xpm files beside it.\n')
        for s in sorted(stems):
            f.write(f'#include "{s}.xpm"\n')
        f.write('\n#define VRX_PICTURE_ROWS \\\n')
        for enum, stem, w, h, files in rows:
            cells = ', '.join(f"{files[st]}_xpm" if st in files else 'nullptr'
                              for st in BUTTON_STATES)
            f.write(f'  {{{enum}, "{stem}", {w}, {h}, {{{cells}}}}}, \\\n')
        f.write('\n')
        f.write('#define VRX_ICON_16 icon16_xpm\n#define VRX_ICON_32 icon32_xpm\n'
                '#define VRX_ICON_48 icon48_xpm\n')


def write_png(path, w, h, rgb):
    raw = b''.join(b'\x00' + bytes(v for p in rgb[y * w:(y + 1) * w] for v in p) for y in range(h))

    def chunk(t, d):
        c = struct.pack('>I', len(d)) + t + d
        return c + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def write_sheet(path, images):
    """All pictures side by side at twice their size (the splash at its own), as PNG."""
    order = sorted(images, key=lambda s: (images[s][1] * images[s][2], s))
    W = 1300
    x, y, row_h, placed = 10, 10, 0, []
    for s in order:
        _, w, h = images[s]
        sc = 1 if w > 200 else 2
        if x + w * sc > W - 10:
            x, y, row_h = 10, y + row_h + 10, 0
        placed.append((s, x, y, sc))
        x += w * sc + 10
        row_h = max(row_h, h * sc)
    H = y + row_h + 10
    sheet = [(120, 120, 120)] * (W * H)
    for s, x0, y0, sc in placed:
        px, w, h = images[s]
        for yy in range(h * sc):
            for xx in range(w * sc):
                p = px[(yy // sc) * w + xx // sc]
                sheet[(y0 + yy) * W + x0 + xx] = p if p is not None else (
                    (200, 200, 200) if (xx // 4 + yy // 4) % 2 else (255, 255, 255))
    write_png(path, W, H, sheet)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    outdir = os.path.join(root, 'resources', 'xpm')
    os.makedirs(outdir, exist_ok=True)
    canvases, rows = render_all()
    images = {}
    for stem, cv in sorted(canvases.items()):
        splash_like = stem == 'splash'
        px = write_xpm(os.path.join(outdir, stem + '.xpm'), stem, cv, 90 if splash_like else MAX_COLOURS,
                       10 if splash_like else 0)
        images[stem] = (px, cv.w, cv.h)
    for f in os.listdir(outdir):
        if f.endswith('.xpm') and f[:-4] not in canvases:
            os.remove(os.path.join(outdir, f))
    write_inc(os.path.join(outdir, 'pictures.inc'), rows, canvases)
    if len(argv) > 2 and argv[1] == '--sheet':
        write_sheet(argv[2], images)
    print(f"{len(canvases)} pictures written to {outdir}")


if __name__ == '__main__':
    main(sys.argv)
