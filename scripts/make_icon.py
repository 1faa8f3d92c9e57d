#!/usr/bin/env python3
"""Draws the program's icon, res/velm.ico: one 32 x 32 image in 16 colours.

A window with a blue title bar holding a short list of address lines, the
top one highlighted. Run it again after changing the drawing; the build uses
the committed .ico.
"""
import struct
import sys

# The 16 colours of the standard VGA palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, BLUE, WHITE, TEAL = 0, 4, 8, 7, 12, 15, 6
SIZE = 32


def draw():
    """Returns rows (top first) of palette indices, None for transparent."""
    pixels = [[None] * SIZE for _ in range(SIZE)]

    def fill(left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                pixels[y][x] = colour

    fill(2, 3, 29, 28, BLACK)      # frame
    fill(3, 4, 28, 8, NAVY)        # title bar
    fill(25, 5, 27, 7, SILVER)     # close box
    fill(3, 9, 28, 27, WHITE)      # list area
    fill(4, 11, 27, 14, BLUE)      # the selected entry
    fill(6, 12, 20, 13, WHITE)
    for top in (17, 21, 25):       # further entries
        fill(6, top, 18 + (top % 3) * 3, top + 1, GREY)
    fill(24, 17, 26, 26, SILVER)   # scroll bar
    fill(24, 17, 26, 19, TEAL)
    return pixels


def icon_bytes(pixels):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):   # bitmaps run bottom-up
        for x in range(0, SIZE, 2):
            hi, lo = (c if c is not None else 0 for c in row[x:x + 2])
            xor.append(hi << 4 | lo)
        bits = 0
        for x, colour in enumerate(row):
            if colour is None:
                bits |= 1 << (SIZE - 1 - x)
        mask += bits.to_bytes(4, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "res/velm.ico"
    with open(out, "wb") as f:
        f.write(icon_bytes(draw()))
    print(out)


if __name__ == "__main__":
    main()
