#!/usr/bin/env python3
"""Draws the icons of the simulation bars as 16 x 16 32-bit .ico files next to this script: the
lamp of the Inputs and Outputs bars' buttons (off and lit) and the Simulation bar's Power, Start,
Stop, Suspend/Resume, Step (with its four animation frames) and Clock pictures. Run it again
after changing a picture; the .ico files are committed so that the build needs no Python.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from icon16 import N, Canvas, write_all  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY_DARK = (96, 96, 96)
GREY = (160, 160, 160)
GREY_LIGHT = (208, 208, 208)
YELLOW = (255, 230, 0)
YELLOW_PALE = (255, 250, 170)
ORANGE = (210, 140, 0)
GREEN = (0, 170, 0)
GREEN_DARK = (0, 100, 0)
RED = (220, 0, 0)
RED_DARK = (130, 0, 0)
BLUE = (0, 70, 200)
BLUE_DARK = (0, 30, 120)


class Pic(Canvas):
    def rect(self, x0, y0, x1, y1, c, filled=True):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if filled or x in (x0, x1) or y in (y0, y1):
                    self.dot(x, y, c)

    def disc(self, cx, cy, r, fill, edge):
        """A disc of radius r round the pixel centre (cx, cy), with a one-pixel rim."""
        for y in range(N):
            for x in range(N):
                d = math.hypot(x - cx, y - cy)
                if d <= r + 0.3:
                    self.dot(x, y, edge if d > r - 0.75 else fill)

    def polygon(self, pts, fill, edge):
        """A filled polygon (pixel-centre coordinates) whose boundary pixels take the edge colour."""
        inside = [[False] * N for _ in range(N)]
        for y in range(N):
            for x in range(N):
                inside[y][x] = _inside(pts, x, y)
        for y in range(N):
            for x in range(N):
                if not inside[y][x]:
                    continue
                rim = any(not (0 <= x + dx < N and 0 <= y + dy < N and inside[y + dy][x + dx])
                          for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.dot(x, y, edge if rim else fill)

def _inside(pts, x, y):
    # even-odd rule at the pixel centre, with points on an edge counted inside
    px, py = x, y
    n = len(pts)
    hit = False
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        # on the segment
        cross = (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0)
        if abs(cross) < 1e-9 and min(x0, x1) <= px <= max(x0, x1) and min(y0, y1) <= py <= max(y0, y1):
            return True
        if (y0 > py) != (y1 > py) and px < (x1 - x0) * (py - y0) / (y1 - y0) + x0:
            hit = not hit
    return hit


# ---- the Inputs and Outputs bars' lamp ----

def lamp(p, lit):
    # the glass: a round bulb narrowing into the neck
    glass, rim = (YELLOW, ORANGE) if lit else (GREY_LIGHT, GREY_DARK)
    p.disc(7.5, 6, 5.5, glass, rim)
    p.rect(5, 10, 10, 11, glass)
    p.dot(5, 10, rim), p.dot(10, 10, rim), p.dot(5, 11, rim), p.dot(10, 11, rim)
    # the filament
    wire = RED if lit else GREY_DARK
    p.line(6, 8, 6, 10, wire)
    p.line(9, 8, 9, 10, wire)
    p.line(6, 7, 9, 7, wire)
    if lit:
        p.rect(4, 3, 5, 4, YELLOW_PALE)  # the shine on the glass
    # the screw base
    for y, c in ((12, GREY_DARK), (13, GREY), (14, GREY_DARK)):
        p.rect(6, y, 9, y, c)
    p.rect(7, 15, 8, 15, BLACK)


# ---- the Simulation bar ----

def power(p, colour, edge):
    # the ring open at the top, and the bar through the opening
    for y in range(N):
        for x in range(N):
            d = math.hypot(x - 7.5, y - 8.5)
            angle = math.degrees(math.atan2(x - 7.5, 8.5 - y))  # 0 straight up
            if 4.6 <= d <= 6.6 and abs(angle) > 38:
                p.dot(x, y, colour if 5.1 <= d <= 6.1 else edge)
    p.rect(7, 1, 8, 8, colour)
    p.rect(6, 1, 6, 8, edge), p.rect(9, 1, 9, 8, edge)
    p.rect(7, 0, 8, 0, edge), p.rect(7, 9, 8, 9, edge)


def start(p):
    p.polygon([(4, 2), (13, 7.5), (4, 13)], GREEN, GREEN_DARK)


def stop(p):
    p.rect(3, 3, 12, 12, RED)
    p.rect(3, 3, 12, 12, RED_DARK, filled=False)


def pause(p):
    for x0 in (4, 9):
        p.rect(x0, 3, x0 + 2, 12, BLUE)
        p.rect(x0, 3, x0 + 2, 12, BLUE_DARK, filled=False)


def resume(p):
    # a bar and a triangle: carry on from where it stood
    p.rect(2, 3, 4, 12, BLUE)
    p.rect(2, 3, 4, 12, BLUE_DARK, filled=False)
    p.polygon([(6, 3), (14, 7.5), (6, 12)], GREEN, GREEN_DARK)


def step(p, shift=None):
    """A triangle running into a bar (one step ahead); the frames move the triangle on."""
    p.rect(12, 3, 14, 12, BLUE)
    p.rect(12, 3, 14, 12, BLUE_DARK, filled=False)
    if shift is None:
        p.polygon([(2, 3), (10, 7.5), (2, 12)], BLUE, BLUE_DARK)
        return
    x0 = 1 + 2 * shift
    p.polygon([(x0, 4), (x0 + 6, 7.5), (x0, 11)], GREEN, GREEN_DARK)
    for k in range(shift):  # the trail behind it
        p.rect(1 + 2 * k, 7, 1 + 2 * k, 8, GREEN)


def clock(p, active):
    face = YELLOW_PALE if active else WHITE
    p.disc(7.5, 7.5, 7, face, BLACK)
    for k in range(12):
        a = math.radians(k * 30)
        x, y = 7.5 + 5.6 * math.sin(a), 7.5 - 5.6 * math.cos(a)
        if k % 3 == 0:
            p.dot(int(round(x)), int(round(y)), GREY_DARK)
    hands = RED if active else BLACK
    p.line(7, 7, 7, 3, hands)   # minutes towards 12
    p.line(8, 8, 11, 8, hands)  # hours towards 3
    p.rect(7, 7, 8, 8, hands)


ICONS = [
    ("lamp_off.ico", lambda p: lamp(p, False)),    # 209
    ("lamp_on.ico", lambda p: lamp(p, True)),      # 204
    ("power_on.ico", lambda p: power(p, GREEN, GREEN_DARK)),  # 187
    ("power_off.ico", lambda p: power(p, RED, RED_DARK)),     # 188
    ("start.ico", start),                          # 176
    ("stop.ico", stop),                            # 177
    ("suspend.ico", pause),                        # 186
    ("resume.ico", resume),                        # 184
    ("step.ico", step),                            # 200
    ("step_frame0.ico", lambda p: step(p, 0)),     # 197
    ("step_frame1.ico", lambda p: step(p, 1)),     # 196
    ("step_frame2.ico", lambda p: step(p, 2)),     # 199
    ("step_frame3.ico", lambda p: step(p, 3)),     # 198
    ("clock.ico", lambda p: clock(p, False)),      # 191
    ("clock_active.ico", lambda p: clock(p, True)),  # 192
]


def main():
    write_all(HERE, ICONS, Pic)


if __name__ == "__main__":
    main()
