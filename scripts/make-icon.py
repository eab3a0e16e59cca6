#!/usr/bin/env python3
"""Draws Corvane's program icon and writes it as a Windows .ico file.

One 32 x 32 image in the 16 standard colours: a shield, split light and dark
blue, with a white power sign on it (what the program guards is what starts
when the computer is switched on). The same image serves as the window icon
and the notification-area icon.

    python3 scripts/make-icon.py [OUTPUT]     (default: src/app/corvane.ico)
"""
import math
import os
import struct
import sys

SIZE = 32

# The 16 colours of the standard Windows palette, in their usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, BLUE, AQUA, WHITE = 0, 4, 12, 14, 15
TRANSPARENT = None

CENTRE_X = 16.0  # the shield's axis lies between columns 15 and 16
TOP, SHOULDER, TIP = 2.0, 15.0, 30.5
HALF_WIDTH = 12.0


def shield_half_width(y):
    """Half the shield's width at height y (pixel centres), 0 outside it."""
    if y < TOP or y > TIP:
        return 0.0
    if y <= SHOULDER:
        return HALF_WIDTH
    # Below the shoulders the sides curve in to the tip along an ellipse.
    t = (y - SHOULDER) / (TIP - SHOULDER)
    return HALF_WIDTH * math.sqrt(max(0.0, 1.0 - t * t))


def inside_shield(x, y):
    return abs(x + 0.5 - CENTRE_X) < shield_half_width(y + 0.5)


def on_power_sign(x, y):
    """The power sign: an open ring with a bar through its gap."""
    px, py = x + 0.5 - CENTRE_X, y + 0.5 - 16.5
    radius = math.hypot(px, py)
    angle = math.degrees(math.atan2(px, -py))  # 0 straight up, clockwise
    ring = 5.0 <= radius <= 7.2 and abs(angle) >= 38
    bar = abs(px) <= 1.0 and -9.0 <= py <= 0.5
    return ring or bar


def pixel(x, y):
    if not inside_shield(x, y):
        return TRANSPARENT
    # The outline: a pixel of the shield next to one outside it.
    neighbours = [(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)]
    if any(not (0 <= nx < SIZE and 0 <= ny < SIZE) or not inside_shield(nx, ny)
           for nx, ny in neighbours):
        return BLACK
    if on_power_sign(x, y):
        return WHITE
    # A light rim along the top and the left side, as if lit from there.
    if not inside_shield(x, y - 2) or (x + 0.5 < CENTRE_X and not inside_shield(x - 2, y)):
        return AQUA if x + 0.5 < CENTRE_X else BLUE
    return BLUE if x + 0.5 < CENTRE_X else NAVY


def draw():
    return [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]


def ico_bytes(image):
    """A one-image .ico: a 4-bit colour bitmap and its 1-bit transparency mask."""
    rows_bottom_up = list(reversed(image))
    colours = bytearray()
    for row in rows_bottom_up:
        for x in range(0, SIZE, 2):
            high, low = (c or 0 for c in row[x:x + 2])
            colours.append(high << 4 | low)
    mask = bytearray()
    for row in rows_bottom_up:
        bits = 0
        for c in row:
            bits = bits << 1 | (1 if c is TRANSPARENT else 0)
        mask += struct.pack(">I", bits)  # 32 pixels, leftmost in the top bit
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image_size = len(colours) + len(mask)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, image_size, 0, 0, 16, 0)
    resource = header + palette + colours + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(resource), 6 + 16)
    return directory + entry + resource


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "app",
                                                                "corvane.ico")
    with open(output, "wb") as f:
        f.write(ico_bytes(draw()))


if __name__ == "__main__":
    main()
