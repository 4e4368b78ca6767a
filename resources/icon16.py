"""A 16 x 16 pixel canvas for the program's drawn icons, written as a 32-bit .ico file.

The drawing scripts beside the icons (msgtext/make_pictures.py, sim/make_icons.py) add their own
shapes on top of the pixel, line and file routines kept here.
"""
import os
import struct

N = 16


class Canvas:
    def __init__(self):
        self.px = [[None] * N for _ in range(N)]  # None: transparent

    def dot(self, x, y, c):
        if 0 <= x < N and 0 <= y < N:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def ico(self):
        rows = b""
        for y in range(N - 1, -1, -1):  # bottom-up
            for x in range(N):
                c = self.px[y][x]
                rows += struct.pack("<BBBB", 0, 0, 0, 0) if c is None else struct.pack("<BBBB", c[2], c[1], c[0], 255)
        mask = b""
        for y in range(N - 1, -1, -1):
            bits = 0
            for x in range(N):
                if self.px[y][x] is None:
                    bits |= 1 << (15 - x)
            mask += struct.pack(">H", bits) + b"\0\0"
        header = struct.pack("<IiiHHIIiiII", 40, N, 2 * N, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
        image = header + rows + mask
        return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", N, N, 0, 0, 1, 32, len(image), 22) + image


def write_all(folder, drawings, make):
    """Draws each (file name, drawing function) pair on a new canvas from `make` into `folder`."""
    for name, draw in drawings:
        p = make()
        draw(p)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(p.ico())
