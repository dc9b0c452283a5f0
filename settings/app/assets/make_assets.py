#!/usr/bin/env python3
"""Draws MerovSet's icons and the page tree's default pictures. Run it after
changing the design; its output files sit beside it and are what the
resource script includes.

    python3 make_assets.py [OUTPUT_DIR]

Icons are 32-bit with an AND mask (16x16, the program's icon also 32x32);
the tree bitmap holds two 16x16 pictures side by side on white, the colour
the sheet treats as transparent.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "scripts"))
from asset_files import bmp_bytes, write_files  # noqa: E402

WHITE = (255, 255, 255)


def icon_image(pixels):
    """One icon image: pixels is a list of rows of (r, g, b) or None."""
    size = len(pixels)
    xor = bytearray()
    and_mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                xor += bytes((0, 0, 0, 0))
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                xor += bytes((p[2], p[1], p[0], 255))
        and_mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def icon_bytes(images):
    data = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    blobs = [icon_image(img) for img in images]
    for img, blob in zip(images, blobs):
        size = len(img)
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        data += blob
    return bytes(data)


def draw(size, paint):
    """Calls paint(x, y, s) with s = size / 16 for every pixel."""
    s = size / 16.0
    return [[paint(x / s, y / s) for x in range(size)] for y in range(size)]


BLUE = (40, 90, 170)
LIGHT = (120, 170, 230)
DARK = (20, 40, 80)
GREY = (110, 110, 110)
KEY = (235, 235, 235)
YELLOW = (240, 200, 70)
ORANGE = (230, 120, 30)


def program(x, y):
    # A key cap with an "M" on it.
    if not (1 <= x < 15 and 1 <= y < 15):
        return None
    if x < 2 or x >= 14 or y < 2 or y >= 14:
        return DARK
    inner_m = (4 <= x < 5.5 or 10.5 <= x < 12) and 4 <= y < 12
    diag = 4 <= y < 9 and (abs((x - 5.5) - (y - 4) * 0.5) < 0.75 or abs((10.5 - x) - (y - 4) * 0.5) < 0.75)
    if inner_m or diag:
        return (255, 255, 255)
    return BLUE if y >= 3 else LIGHT


def keyboard(x, y):
    # A keyboard: two rows of keys over a space bar, grey gaps between them.
    if not (1 <= x < 15 and 4 <= y < 13):
        return None
    if x < 2 or x >= 14 or y < 5 or y >= 12 or int(y) in (7, 9):
        return GREY
    if int(y) < 9:
        return GREY if int(x) % 3 == 1 else KEY
    return KEY if 4 <= x < 12 else GREY


def folder(x, y):
    if 2 <= x < 7 and 3 <= y < 5:
        return ORANGE
    if 1 <= x < 15 and 4 <= y < 13:
        return ORANGE if (x < 2 or x >= 14 or y < 5 or y >= 12) else YELLOW
    return None


def funnel(fill, edge):
    def paint(x, y):
        if 2 <= y < 7:
            half = 6.5 - (y - 2) * 1.1
            if abs(x - 8) < half:
                return edge if abs(x - 8) >= half - 1 or y < 3 else fill
        if 7 <= y < 14 and 7 <= x < 9:
            return edge
        return None
    return paint


def sign(vertical):
    # A green "+" (add a module) or a red "-" (remove one).
    colour = (40, 140, 60) if vertical else (190, 40, 40)

    def paint(x, y):
        if 3 <= x < 13 and 6.5 <= y < 9.5:
            return colour
        if vertical and 6.5 <= x < 9.5 and 3 <= y < 13:
            return colour
        return None
    return paint


def tree_pictures():
    rows = [[WHITE] * 32 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            node = folder(x, y)
            if node:
                rows[y][x] = node
            # A page: a sheet with text lines.
            if 3 <= x < 13 and 1 <= y < 15:
                edge = x == 3 or x == 12 or y == 1 or y == 14
                line = y in (4, 6, 8, 10, 12) and 5 <= x < 11
                rows[y][16 + x] = GREY if edge else (BLUE if line else (254, 254, 254))
    return rows


def info(x, y):
    # A blue disc with a white "i".
    dx, dy = x - 7.5, y - 7.5
    if dx * dx + dy * dy > 56:
        return None
    if 7 <= x < 9 and (3 <= y < 5 or 6 <= y < 13):
        return WHITE
    return BLUE


def gear(x, y):
    # A grey cog wheel: a ring with eight teeth around a hole.
    dx, dy = x - 7.5, y - 7.5
    d = dx * dx + dy * dy
    if d < 4:
        return None
    if d < 25:
        return GREY
    tooth = (abs(dx) < 1.5 or abs(dy) < 1.5 or abs(abs(dx) - abs(dy)) < 1.5) and d < 49
    return DARK if tooth else None


def command_list(x, y):
    # A sheet with three command lines and a pointer to the right.
    if 2 <= x < 11 and 2 <= y < 14:
        if x < 3 or x >= 10 or y < 3 or y >= 13:
            return GREY
        return BLUE if y in (5, 8, 11) and 4 <= x < 9 else KEY
    if 11 <= x < 15 and abs(y - 8) <= (14.5 - x):
        return ORANGE
    return None


def picture(x, y):
    # A framed landscape: sky, a sun and a green hill.
    if not (1 <= x < 15 and 2 <= y < 14):
        return None
    if x < 2 or x >= 14 or y < 3 or y >= 13:
        return DARK
    if (x - 10) ** 2 + (y - 6) ** 2 < 3:
        return YELLOW
    return (60, 150, 60) if y > 12 - 4 * (1 - ((x - 6) / 8.0) ** 2) else LIGHT


def mask_arrow(before):
    # A mask "*" with an arrow into the text: from the left (before) or
    # from the right (after).
    def paint(x, y):
        star_x = 4 if before else 12
        dx, dy = abs(x - star_x), abs(y - 8)
        if (dx < 0.8 and dy < 3.5) or (dy < 0.8 and dx < 3.5) or (abs(dx - dy) < 0.8 and dx < 2.5):
            return ORANGE
        shaft = 7 <= y < 9 and (8 <= x < 14 if before else 2 <= x < 8)
        head = abs(y - 8) < (x - 5) if before else abs(y - 8) < (11 - x)
        if shaft or (head and (6 <= x < 9 if before else 7 <= x < 10)):
            return BLUE
        return None
    return paint


def about_picture(kind):
    """A 32x32 picture for the About page: sun, sea, hill or night sky."""
    rows = []
    for y in range(32):
        row = []
        for x in range(32):
            if kind == 0:
                d = (x - 16) ** 2 + (y - 16) ** 2
                p = YELLOW if d < 64 else (ORANGE if d < 100 and (x + y) % 4 == 0 else (200, 225, 250))
            elif kind == 1:
                wave = 16 + (3 if (x // 4) % 2 else -3) * ((x % 4) / 4.0)
                p = (200, 225, 250) if y < wave else (30, 80 + y * 3, 150 + y * 2)
            elif kind == 2:
                hill = 22 - 8 * (1 - ((x - 12) / 16.0) ** 2)
                p = (200, 225, 250) if y < hill else (60, 140 - y, 60)
            else:
                star = (x * 7 + y * 13) % 29 == 0
                p = WHITE if star else (10, 15, 40 + y)
            row.append(p)
        rows.append(row)
    return rows


def preview_files():
    """The picture behind the mark previews: a file list on white, a column
    header, then rows 16 pixels high from y 6 (the sample rows start at 38)
    with an icon and a name on each; the right part of every row stays white."""
    width, height = 200, 170
    rows = [[WHITE] * width for _ in range(height)]
    for y in range(17):
        for x in range(width):
            rows[y][x] = (212, 208, 200) if y < 16 and x % 70 != 69 else GREY
    names = [70, 52, 88, 61, 95, 47, 76, 58, 83]
    for i, length in enumerate(names):
        top = 22 + i * 16
        for y in range(top + 2, top + 14):
            for x in range(4, 16):
                folder_row = i < 3
                edge = x in (4, 15) or y in (top + 2, top + 13)
                rows[y][x] = (ORANGE if edge else YELLOW) if folder_row else (GREY if edge else (250, 250, 250))
        for y in range(top + 6, top + 10):
            for x in range(22, 22 + length):
                if (x - 22) % 7 != 6:
                    rows[y][x] = DARK
        for y in range(top + 6, top + 10):
            for x in range(130, 130 + (length // 3)):
                rows[y][x] = GREY
    return rows


def folder_tab(x, y):
    # A folder tab: a raised tab over a blue page.
    if 2 <= x < 8 and 3 <= y < 5:
        return DARK if (x < 3 or x >= 7 or y < 4) else LIGHT
    if 1 <= x < 15 and 5 <= y < 13:
        return DARK if (x < 2 or x >= 14 or y >= 12) else LIGHT
    return None


def main():
    write_files(__file__, {
        "merovset.ico": icon_bytes([draw(32, program), draw(16, program)]),
        "keyboard.ico": icon_bytes([draw(16, keyboard)]),
        "browse.ico": icon_bytes([draw(16, folder)]),
        "filter.ico": icon_bytes([draw(16, funnel(ORANGE, DARK))]),
        "filter_all.ico": icon_bytes([draw(16, funnel(KEY, GREY))]),
        "plus.ico": icon_bytes([draw(16, sign(True))]),
        "minus.ico": icon_bytes([draw(16, sign(False))]),
        "tree.bmp": bmp_bytes(tree_pictures()),
        "about.ico": icon_bytes([draw(16, info)]),
        "misc.ico": icon_bytes([draw(16, gear)]),
        "command_browse.ico": icon_bytes([draw(16, command_list)]),
        "picture_browse.ico": icon_bytes([draw(16, picture)]),
        "tab_icon.ico": icon_bytes([draw(16, folder_tab)]),
        "mask_before.ico": icon_bytes([draw(16, mask_arrow(True))]),
        "mask_after.ico": icon_bytes([draw(16, mask_arrow(False))]),
        "about_sun.bmp": bmp_bytes(about_picture(0)),
        "about_sea.bmp": bmp_bytes(about_picture(1)),
        "about_hill.bmp": bmp_bytes(about_picture(2)),
        "about_night.bmp": bmp_bytes(about_picture(3)),
        "preview_files.bmp": bmp_bytes(preview_files()),
    })


if __name__ == "__main__":
    main()
