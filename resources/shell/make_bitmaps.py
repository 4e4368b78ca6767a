#!/usr/bin/env python3
"""Draws the shell's small bitmaps (toolbar, WorkBox tabs and views, Close All header, context-menu
pictures, status-bar button) as 24-bit BMP files next to this script. Run it again after changing
a picture; the BMP files are committed so that the build needs no Python."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

GREY = (192, 192, 192)
GREEN = (0, 255, 0)
MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (128, 128, 128)
BLUE = (0, 0, 160)
RED = (200, 0, 0)
YELLOW = (255, 223, 140)
CREAM = (245, 217, 129)

# 3 x 5 digit and letter shapes for the small labels
FONT = {
    'A': ["010", "101", "111", "101", "101"], 'B': ["110", "101", "110", "101", "110"],
    'C': ["011", "100", "100", "100", "011"], 'D': ["110", "101", "101", "101", "110"],
    'E': ["111", "100", "110", "100", "111"], 'F': ["111", "100", "110", "100", "100"],
    'I': ["111", "010", "010", "010", "111"], 'L': ["100", "100", "100", "100", "111"],
    'M': ["101", "111", "111", "101", "101"], 'O': ["010", "101", "101", "101", "010"],
    'P': ["110", "101", "110", "100", "100"], 'Q': ["010", "101", "101", "011", "001"],
    'R': ["110", "101", "110", "101", "101"], 'S': ["011", "100", "010", "001", "110"],
    'T': ["111", "010", "010", "010", "010"], 'U': ["101", "101", "101", "101", "111"],
    'X': ["101", "101", "010", "101", "101"], '/': ["001", "001", "010", "100", "100"],
    '?': ["110", "001", "010", "000", "010"], '+': ["000", "010", "111", "010", "000"],
    '-': ["000", "000", "111", "000", "000"], '&': ["010", "101", "010", "101", "011"],
    '1': ["010", "110", "010", "010", "111"], 'H': ["101", "101", "111", "101", "101"],
}


class Image:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.put(x, y, c)
                elif fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def text(self, x, y, s, c):
        for ch in s:
            for row, bits in enumerate(FONT.get(ch, ["000"] * 5)):
                for col, b in enumerate(bits):
                    if b == '1':
                        self.put(x + col, y + row, c)
            x += 4

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.put(ox + x, oy + y, other.px[y][x])


def strip(images):
    w = sum(i.w for i in images)
    out = Image(w, images[0].h, GREY)
    x = 0
    for i in images:
        out.blit(i, x, 0)
        x += i.w
    return out


def save(img, name):
    row = (img.w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(img.h - 1, -1, -1):
        line = bytearray()
        for x in range(img.w):
            r, g, b = img.px[y][x]
            line += bytes((b, g, r))
        line += b'\0' * (row - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, img.w, img.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(header + info + data)


def page(bg, w=16, h=15):
    i = Image(w, h, bg)
    i.rect(3, 1, 12, 13, BLACK, WHITE)
    i.line(9, 1, 12, 4, BLACK)
    return i


def toolbar():
    """One 16 x 15 picture per button of the main toolbar, in button order."""
    imgs = []
    imgs.append(page(GREY))                                   # new
    i = Image(16, 15, GREY); i.rect(1, 4, 14, 12, BLACK, YELLOW); i.rect(1, 2, 6, 4, BLACK, YELLOW)
    imgs.append(i)                                            # open
    i = Image(16, 15, GREY); i.rect(1, 1, 14, 13, BLACK, BLUE); i.rect(4, 1, 11, 6, BLACK, WHITE)
    i.rect(4, 9, 11, 13, BLACK, DARK); imgs.append(i)         # save
    i = Image(16, 15, GREY); i.line(4, 1, 10, 9, BLACK); i.line(11, 1, 5, 9, BLACK)
    i.rect(2, 9, 5, 13, BLACK); i.rect(10, 9, 13, 13, BLACK); imgs.append(i)   # cut
    i = Image(16, 15, GREY); i.rect(1, 1, 9, 10, BLACK, WHITE); i.rect(6, 4, 14, 13, BLACK, WHITE)
    imgs.append(i)                                            # copy
    i = Image(16, 15, GREY); i.rect(2, 2, 12, 13, BLACK, YELLOW); i.rect(5, 1, 9, 3, BLACK, DARK)
    i.rect(7, 6, 14, 13, BLACK, WHITE); imgs.append(i)        # paste
    i = Image(16, 15, GREY); i.rect(1, 6, 14, 11, BLACK, DARK); i.rect(4, 1, 11, 6, BLACK, WHITE)
    i.rect(4, 10, 11, 13, BLACK, WHITE); imgs.append(i)       # print
    i = Image(16, 15, GREY)
    for k in range(9):
        i.line(4, 2 + k, 4 + k * 2 // 3, 2 + k, BLACK)
    i.line(7, 9, 10, 14, BLACK); imgs.append(i)               # select
    i = Image(16, 15, GREY); i.rect(1, 2, 4, 5, BLACK, CREAM); i.rect(11, 9, 14, 12, BLACK, CREAM)
    i.line(4, 3, 8, 3, BLUE); i.line(8, 3, 8, 10, BLUE); i.line(8, 10, 11, 10, BLUE)
    imgs.append(i)                                            # connect
    i = Image(16, 15, GREY); i.rect(1, 2, 14, 12, BLACK, YELLOW); i.text(6, 5, "T", BLACK)
    imgs.append(i)                                            # comment
    i = Image(16, 15, GREY); i.line(0, 7, 6, 7, BLUE); i.line(9, 7, 15, 7, BLUE)
    i.line(6, 2, 9, 12, RED); imgs.append(i)                  # cut/join
    i = Image(16, 15, GREY); i.rect(2, 2, 13, 12, BLACK, WHITE); i.text(6, 5, "S", RED)
    imgs.append(i)                                            # simulation
    i = Image(16, 15, GREY); i.text(1, 1, "PC", BLACK); i.line(2, 9, 13, 9, BLUE)
    i.line(13, 9, 10, 6, BLUE); i.line(13, 9, 10, 12, BLUE); imgs.append(i)    # PC->Device
    i = Image(16, 15, GREY); i.text(1, 1, "PC", BLACK); i.line(2, 9, 13, 9, BLUE)
    i.line(2, 9, 5, 6, BLUE); i.line(2, 9, 5, 12, BLUE); imgs.append(i)        # Device->PC
    i = Image(16, 15, GREY); i.rect(3, 3, 12, 11, BLACK, RED); imgs.append(i)  # run/stop
    for sign in "+-":
        i = Image(16, 15, GREY); i.rect(1, 1, 9, 9, BLACK, WHITE); i.text(4, 3, sign, BLACK)
        i.line(9, 9, 14, 14, BLACK); i.line(10, 9, 15, 14, BLACK); imgs.append(i)  # zoom in, out
    i = Image(16, 15, GREY); i.text(6, 5, "?", BLUE); i.rect(2, 1, 13, 13, BLUE); imgs.append(i)
    return strip(imgs)


def tabs():
    """WorkBox tab images, 13 x 13, pure green transparent: BSC, TMR, I/O, Misc, Aux, Math,
    Profile."""
    imgs = []
    labels = ["&", "T", "IQ", "M", "A", "+", "L"]
    for s in labels:
        i = Image(13, 13, GREEN)
        i.rect(1, 1, 11, 11, BLACK, CREAM)
        i.text(6 - 2 * len(s), 4, s, BLACK)
        imgs.append(i)
    return strip(imgs)


def views():
    """Images of the palette views, 16 x 16, pure green transparent."""
    imgs = []
    for s in ["&", "T", "IQ", "M", "A", "+", "L"]:
        i = Image(16, 16, GREEN)
        i.rect(2, 1, 13, 14, BLACK, WHITE)
        i.text(8 - 2 * len(s), 5, s, BLUE)
        imgs.append(i)
    return strip(imgs)


def header():
    i = Image(16, 16, MAGENTA)
    i.rect(2, 2, 13, 13, BLACK, WHITE)
    for k in range(3):
        i.line(4, 7 + k, 6, 9 + k, BLACK)
        i.line(6, 9 + k, 11, 4 + k, BLACK)
    return i


def menu_pictures():
    out = {}
    tb = toolbar()
    for name, index in (("menu_cut.bmp", 3), ("menu_copy.bmp", 4), ("menu_paste.bmp", 5)):
        i = Image(16, 16, GREY)
        for y in range(15):
            for x in range(16):
                i.put(x, y, tb.px[y][index * 16 + x])
        out[name] = i
    i = Image(16, 16, GREY)
    i.line(3, 3, 12, 12, RED); i.line(4, 3, 13, 12, RED)
    i.line(12, 3, 3, 12, RED); i.line(13, 3, 4, 12, RED)
    out["menu_delete.bmp"] = i
    return out


def status_button():
    i = Image(12, 12, GREY)
    i.rect(1, 1, 10, 10, BLACK, CREAM)
    i.text(4, 4, "H", BLACK)
    return i


if __name__ == '__main__':
    save(toolbar(), "toolbar.bmp")
    save(tabs(), "workbox_tabs.bmp")
    save(views(), "workbox_views.bmp")
    save(header(), "closeall_header.bmp")
    for name, img in menu_pictures().items():
        save(img, name)
    save(status_button(), "status_button.bmp")
