"""Writes the eleven 16x16 icons of the drive icon library "mvdl.icl" and its
resource script into the folder given: one small picture per kind of item
(fixed, removable, CD/DVD, RAM, network, floppy, FTP, computer, documents,
network folder, portable device)."""
import struct
import sys

# (body colour, mark colour, shape) per icon index.
KINDS = [
    ((90, 110, 140), (120, 220, 120), "drive"),      # 0 fixed
    ((200, 150, 60), (250, 230, 120), "drive"),      # 1 removable
    ((170, 170, 190), (80, 120, 220), "disc"),       # 2 CD/DVD
    ((60, 150, 90), (230, 250, 230), "chip"),        # 3 RAM
    ((70, 110, 200), (250, 250, 250), "net"),        # 4 network drive
    ((80, 80, 90), (230, 230, 230), "floppy"),       # 5 A: or B:
    ((150, 80, 180), (250, 220, 120), "net"),        # 6 FTP
    ((60, 90, 150), (160, 220, 250), "screen"),      # 7 computer
    ((220, 190, 80), (250, 250, 230), "folder"),     # 8 documents
    ((70, 150, 200), (250, 250, 250), "folder"),     # 9 network folder
    ((40, 40, 50), (120, 200, 250), "phone"),        # 10 portable device
]


def inside(shape, x, y):
    """(body, mark) for pixel x, y (top-left origin) of a shape."""
    if shape == "drive":
        return 1 <= x <= 14 and 5 <= y <= 11, 11 <= x <= 12 and 8 <= y <= 9
    if shape == "disc":
        d = (x - 7.5) ** 2 + (y - 7.5) ** 2
        return d <= 49, d <= 4
    if shape == "chip":
        return 3 <= x <= 12 and 3 <= y <= 12, (x in (1, 14) and y % 3 == 1) or (5 <= x <= 10 and 5 <= y <= 10)
    if shape == "net":
        return 1 <= x <= 14 and 3 <= y <= 9, (7 <= x <= 8 and 10 <= y <= 13) or (3 <= x <= 12 and y == 14)
    if shape == "floppy":
        return 2 <= x <= 13 and 2 <= y <= 13, 5 <= x <= 10 and 2 <= y <= 6
    if shape == "screen":
        return 1 <= x <= 14 and 2 <= y <= 11, (3 <= x <= 12 and 4 <= y <= 9) or (5 <= x <= 10 and y == 13)
    if shape == "folder":
        return (1 <= x <= 14 and 4 <= y <= 13) or (1 <= x <= 6 and y == 3), 2 <= x <= 13 and y == 6
    if shape == "phone":
        return 4 <= x <= 11 and 1 <= y <= 14, 5 <= x <= 10 and 3 <= y <= 11
    return False, False


def icon_bytes(body, mark, shape):
    pixels = b""
    mask = b""
    for y in range(15, -1, -1):  # bottom-up rows
        bits = 0
        for x in range(16):
            is_body, is_mark = inside(shape, x, y)
            if is_mark:
                r, g, b = mark
                pixels += bytes((b, g, r, 255))
            elif is_body:
                r, g, b = body
                pixels += bytes((b, g, r, 255))
            else:
                pixels += bytes((0, 0, 0, 0))
                bits |= 0x8000 >> x
        mask += struct.pack(">HH", bits, 0)
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, len(image), 22) + image


def main(folder):
    lines = ["// The drive icon library: resource-only, read by index with PrivateExtractIconsW."]
    for index, (body, mark, shape) in enumerate(KINDS):
        name = "mvdl%02d.ico" % index
        with open(folder + "/" + name, "wb") as f:
            f.write(icon_bytes(body, mark, shape))
        lines.append('%d ICON "%s"' % (index + 1, name))
    with open(folder + "/mvdl.rc", "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
