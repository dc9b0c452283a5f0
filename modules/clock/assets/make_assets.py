#!/usr/bin/env python3
"""Draws the clock's pictures: the background, the two seven-segment digit
strips and the three state icons. Run it after changing the design; its
output files sit beside it and are what the resource script includes.

    python3 make_assets.py [OUTPUT_DIR]

Every glyph of a digit strip uses the same pixel mask: a pixel belongs to
one of the seven segments (lit or unlit colour) or is the key colour
0xFF00FF. A glyph drawn over another therefore replaces it completely,
while the background shows through the key-coloured gaps.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "scripts"))
from asset_files import bmp_bytes, write_files  # noqa: E402

KEY = (255, 0, 255)
LIT = (80, 240, 120)
UNLIT = (26, 50, 34)
PANEL = (14, 22, 18)
FRAME = (72, 96, 84)
DOT = (80, 240, 120)

# Segments a..g lit by each digit; glyph 10 is the blank digit.
DIGIT_SEGMENTS = [
    "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg",
    "abc", "abcdefg", "abcdfg", "",
]


def segment_of(px, py, w, h, t, mx, my):
    """Returns the segment letter the pixel centre lies in, or None."""
    x, y = px + 0.5, py + 0.5
    half = t / 2.0
    left, right = mx + half, w - mx - half
    top, bottom = my + half, h - my - half
    middle = float(h // 2)
    gap = 0.6
    horizontal = {"a": top, "g": middle, "d": bottom}
    for name, cy in horizontal.items():
        dy = abs(y - cy)
        if dy < half and x - left > dy + gap and right - x > dy + gap:
            return name
    vertical = {"f": (left, top, middle), "b": (right, top, middle),
                "e": (left, middle, bottom), "c": (right, middle, bottom)}
    for name, (cx, y0, y1) in vertical.items():
        dx = abs(x - cx)
        if dx < half and y - y0 > dx + gap and y1 - y > dx + gap:
            return name
    return None


def digit_strip(w, h, count, t, mx, my):
    rows = [[KEY] * (w * count) for _ in range(h)]
    for n in range(count):
        lit = DIGIT_SEGMENTS[n]
        for py in range(h):
            for px in range(w):
                seg = segment_of(px, py, w, h, t, mx, my)
                if seg is not None:
                    rows[py][n * w + px] = LIT if seg in lit else UNLIT
    return rows


def fill(rows, x, y, w, h, colour):
    for py in range(y, y + h):
        for px in range(x, x + w):
            rows[py][px] = colour


def background():
    w, h = 165, 72
    rows = [[PANEL] * w for _ in range(h)]
    for px in range(w):
        rows[0][px] = rows[h - 1][px] = FRAME
    for py in range(h):
        rows[py][0] = rows[py][w - 1] = FRAME
    fill(rows, 3, 27, w - 6, 1, FRAME)          # rule under the top row
    fill(rows, 59, 42, 3, 3, DOT)                # hour:minute colon
    fill(rows, 59, 55, 3, 3, DOT)
    fill(rows, 117, 56, 2, 2, DOT)               # minute:second colon
    fill(rows, 117, 62, 2, 2, DOT)
    fill(rows, 34, 19, 3, 3, DOT)                # separators of the top row
    fill(rows, 70, 19, 3, 3, DOT)
    return rows


def icon_bytes(mask, colour):
    """A 16 x 16 32-bit icon; mask is 16 strings, '#' opaque, '.' clear."""
    size = 16
    xor = bytearray()
    and_mask = bytearray()
    for row in reversed(mask):
        bits = 0
        for px, ch in enumerate(row):
            if ch == "#":
                r, g, b = colour
                xor += bytes((b, g, r, 255))
            else:
                xor += bytes((0, 0, 0, 0))
                bits |= 0x80000000 >> px
        and_mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def shape(test):
    return ["".join("#" if test(x, y) else "." for x in range(16)) for y in range(16)]


STOPPED = shape(lambda x, y: 3 <= x <= 12 and 3 <= y <= 12)
RUNNING = shape(lambda x, y: 4 <= x <= 13 and abs(y - 7.5) <= (13 - x) * 0.6 + 0.5)
PAUSED = shape(lambda x, y: 2 <= y <= 13 and (3 <= x <= 6 or 9 <= x <= 12))

ICON_COLOURS = {"stopped": (230, 60, 50), "running": (80, 240, 120), "paused": (250, 200, 40)}


def main():
    write_files(__file__, {
        "background.bmp": bmp_bytes(background()),
        "digits_large.bmp": bmp_bytes(digit_strip(24, 34, 10, 4, 3, 2)),
        "digits_small.bmp": bmp_bytes(digit_strip(12, 17, 11, 2, 2, 1)),
        "stopped.ico": icon_bytes(STOPPED, ICON_COLOURS["stopped"]),
        "running.ico": icon_bytes(RUNNING, ICON_COLOURS["running"]),
        "paused.ico": icon_bytes(PAUSED, ICON_COLOURS["paused"]),
    })


if __name__ == "__main__":
    main()
