"""Writers shared by the scripts that draw the suite's bitmaps and icons."""
import os
import struct
import sys


def bmp_bytes(rows):
    """A 24-bit bottom-up BMP file of rows of (r, g, b) pixels."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def write_files(script, files):
    """Writes {name: bytes} into the folder given on the command line, or
    beside `script` when none is given."""
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(script))
    os.makedirs(out, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
