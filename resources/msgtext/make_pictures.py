#!/usr/bin/env python3
"""Draws the pictures of the message-text graph fields (numbers 0-29, icons 386-415) and the
scope (422) and pointer (420) button icons as 16 x 16 32-bit .ico files next to this script. Run it
again after changing a picture; the .ico files are committed so that the build needs no Python."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from icon16 import N, Canvas, write_all  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
INK = (0, 0, 0)
BLUE = (0, 0, 200)
RED = (200, 0, 0)
GREY = (128, 128, 128)


class Pic(Canvas):
    def dot(self, x, y, c=INK):
        Canvas.dot(self, x, y, c)

    def line(self, x0, y0, x1, y1, c=INK):
        Canvas.line(self, x0, y0, x1, y1, c)

    def poly(self, pts, c=INK, closed=True):
        for i in range(len(pts) - (0 if closed else 1)):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % len(pts)]
            self.line(x0, y0, x1, y1, c)

    def fill(self, pts, c=INK):
        for y in range(N):
            for x in range(N):
                inside = False
                j = len(pts) - 1
                for i in range(len(pts)):
                    (xi, yi), (xj, yj) = pts[i], pts[j]
                    if (yi > y + 0.5) != (yj > y + 0.5) and x + 0.5 < (xj - xi) * (y + 0.5 - yi) / (yj - yi) + xi:
                        inside = not inside
                    j = i
                if inside:
                    self.dot(x, y, c)
        self.poly(pts, c)

    def rect(self, x0, y0, x1, y1, c=INK, filled=False):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if filled or x in (x0, x1) or y in (y0, y1):
                    self.dot(x, y, c)

    def ellipse(self, cx, cy, rx, ry, c=INK, filled=False):
        for y in range(N):
            for x in range(N):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1.0 and (filled or d >= (1.0 - 1.9 / min(rx, ry))):
                    self.dot(x, y, c)

    def circle(self, cx, cy, r, c=INK, filled=False):
        self.ellipse(cx, cy, r, r, c, filled)

    def arrow(self, direction):
        # an arrow pointing up, turned by quarter turns
        pts = [(7.5, 1), (14, 8), (10, 8), (10, 14), (5, 14), (5, 8), (1, 8)]
        turned = []
        for x, y in pts:
            for _ in range(direction):
                x, y = 15 - y, x
            turned.append((int(round(x)), int(round(y))))
        self.fill(turned)

def lamp(p):
    p.circle(7.5, 6, 5)
    p.rect(5, 11, 10, 11)
    p.rect(6, 12, 9, 14, filled=True)
    p.line(6, 5, 7, 8)
    p.line(9, 5, 8, 8)


def fan(p):
    p.circle(7.5, 7.5, 7)
    for k in range(3):
        a = k * 2 * math.pi / 3
        tip = (7.5 + 5.5 * math.cos(a), 7.5 + 5.5 * math.sin(a))
        side = (7.5 + 4.5 * math.cos(a + 0.9), 7.5 + 4.5 * math.sin(a + 0.9))
        p.fill([(7, 7), (int(round(tip[0])), int(round(tip[1]))), (int(round(side[0])), int(round(side[1])))])
    p.circle(7.5, 7.5, 1.5, filled=True)


def pump(p):
    p.circle(7.5, 8.5, 6)
    p.fill([(4, 12), (7, 3), (11, 12)])
    p.line(0, 8, 1, 8)
    p.line(14, 8, 15, 8)


def motor(p):
    p.circle(7.5, 7.5, 7)
    p.poly([(4, 11), (4, 4), (7, 8), (11, 4), (11, 11)], closed=False)


def valve(p):
    p.fill([(1, 4), (7, 8), (1, 12)])
    p.fill([(14, 4), (8, 8), (14, 12)])
    p.line(7, 8, 7, 2)
    p.rect(4, 1, 11, 2, filled=True)


def heater(p):
    p.poly([(1, 12), (3, 3), (5, 12), (7, 3), (9, 12), (11, 3), (13, 12), (14, 8)], closed=False)
    p.rect(0, 14, 15, 15, filled=True)


def thermometer(p):
    p.rect(6, 1, 9, 10)
    p.circle(7.5, 12, 3, filled=True)
    p.rect(7, 5, 8, 10, filled=True)
    for y in (3, 5, 7):
        p.line(11, y, 12, y)


def drop(p):
    p.fill([(7, 1), (12, 9), (10, 13), (5, 13), (3, 9), (8, 1)])
    p.circle(7.5, 10, 4.5, filled=True)


def flame(p):
    p.fill([(7, 0), (12, 6), (13, 11), (10, 15), (5, 15), (2, 11), (4, 5), (6, 8)])


def sun(p):
    p.circle(7.5, 7.5, 3.5, filled=True)
    for k in range(8):
        a = k * math.pi / 4
        p.line(int(round(7.5 + 5 * math.cos(a))), int(round(7.5 + 5 * math.sin(a))),
               int(round(7.5 + 7 * math.cos(a))), int(round(7.5 + 7 * math.sin(a))))


def moon(p):
    p.circle(7.5, 7.5, 6.5, filled=True)
    for y in range(N):
        for x in range(N):
            if (x - 10.5) ** 2 + (y - 5.5) ** 2 <= 5.5 ** 2:
                p.px[y][x] = None


def clock(p):
    p.circle(7.5, 7.5, 7)
    p.line(7, 7, 7, 3)
    p.line(8, 8, 11, 9)


def bell(p):
    p.fill([(7, 1), (11, 4), (12, 11), (14, 12), (1, 12), (3, 11), (4, 4), (8, 1)])
    p.rect(6, 13, 9, 14, filled=True)


def lock(p):
    p.rect(3, 7, 12, 15, filled=True)
    p.ellipse(7.5, 5, 3.5, 4)
    for y in range(6, 8):
        p.dot(4, y)
        p.dot(11, y)
    p.px[10][7] = None
    p.px[11][7] = None
    p.px[10][8] = None
    p.px[11][8] = None


def house(p):
    p.poly([(0, 8), (7, 1), (8, 1), (15, 8)], closed=False)
    p.rect(2, 8, 13, 15)
    p.rect(6, 10, 9, 15, filled=True)


def door(p):
    p.rect(3, 0, 12, 15)
    p.rect(5, 2, 10, 15)
    p.dot(9, 9)


def check(p):
    p.poly([(1, 8), (5, 12), (14, 2)], closed=False)
    p.poly([(1, 9), (5, 13), (14, 3)], closed=False)
    p.poly([(1, 10), (5, 14), (14, 4)], closed=False)


def cross(p):
    for d in (0, 1):
        p.line(2 + d, 2, 13 + d, 13)
        p.line(13 - d, 2, 2 - d, 13)


def warning(p):
    p.poly([(7, 0), (15, 14), (0, 14), (8, 0)])
    p.line(7, 5, 7, 9)
    p.line(8, 5, 8, 9)
    p.rect(7, 11, 8, 12, filled=True)


def gear(p):
    p.circle(7.5, 7.5, 5, filled=True)
    for k in range(8):
        a = k * math.pi / 4
        p.rect(int(round(7 + 6 * math.cos(a))), int(round(7 + 6 * math.sin(a))),
               int(round(8 + 6 * math.cos(a))), int(round(8 + 6 * math.sin(a))), filled=True)
    for y in range(N):
        for x in range(N):
            if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 2.2 ** 2:
                p.px[y][x] = None


def battery(p):
    p.rect(1, 4, 13, 11)
    p.rect(14, 6, 15, 9, filled=True)
    p.rect(3, 6, 8, 9, filled=True)


def lightning(p):
    p.fill([(9, 0), (3, 9), (7, 9), (5, 15), (12, 6), (8, 6), (10, 0)])


def person(p):
    p.circle(7.5, 2.5, 2.5, filled=True)
    p.rect(5, 6, 10, 10, filled=True)
    p.rect(5, 11, 6, 15, filled=True)
    p.rect(9, 11, 10, 15, filled=True)
    p.line(4, 6, 2, 10)
    p.line(11, 6, 13, 10)


def key(p):
    p.circle(4, 7.5, 3.5)
    p.line(7, 7, 15, 7)
    p.line(7, 8, 15, 8)
    p.line(12, 9, 12, 11)
    p.line(14, 9, 14, 11)


def tank(p):
    p.rect(2, 1, 13, 15)
    p.rect(3, 8, 12, 14, filled=True)
    p.line(14, 8, 15, 8)


def truck(p):
    p.rect(0, 4, 9, 11, filled=True)
    p.poly([(10, 6), (13, 6), (15, 9), (15, 11), (10, 11)])
    p.circle(3, 13, 2, filled=True)
    p.circle(12, 13, 2, filled=True)


def arrow(direction):
    return lambda p: p.arrow(direction)


PICTURES = [lamp, fan, pump, motor, valve, heater, thermometer, drop, flame, sun,
            moon, clock, bell, lock, house, door, arrow(0), arrow(2), arrow(3), arrow(1),
            check, cross, warning, gear, battery, lightning, person, key, tank, truck]


def scope(p):
    p.rect(0, 1, 15, 14, GREY)
    p.line(1, 7, 14, 7, GREY)
    last = None
    for x in range(1, 15):
        y = int(round(7.5 - 4.5 * math.sin((x - 1) * 2 * math.pi / 13)))
        if last:
            p.line(last[0], last[1], x, y, BLUE)
        last = (x, y)


def pointer(p):
    for k in range(0, 181, 3):
        a = math.radians(180 + k)
        p.dot(int(round(7.5 + 7 * math.cos(a))), int(round(12 + 7 * math.sin(a))), GREY)
    for k in range(0, 181, 45):
        a = math.radians(180 + k)
        p.line(int(round(7.5 + 5 * math.cos(a))), int(round(12 + 5 * math.sin(a))),
               int(round(7.5 + 7 * math.cos(a))), int(round(12 + 7 * math.sin(a))))
    p.line(7, 12, 11, 6, RED)
    p.line(8, 12, 12, 6, RED)
    p.rect(6, 11, 9, 13, filled=True)


def main():
    drawings = [("picture%02d.ico" % i, f) for i, f in enumerate(PICTURES)]
    drawings += [("scope.ico", scope), ("pointer.ico", pointer)]
    write_all(HERE, drawings, Pic)


if __name__ == "__main__":
    main()
