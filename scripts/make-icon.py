#!/usr/bin/env python3
"""Draws Corvane's program icon and writes it as a Windows .ico file.

A shield, split light and dark blue, with a white power sign on it (what the
program guards is what starts when the computer is switched on). It is drawn
anew for every size Windows asks for -- 16, 20, 24, 32, 48 and 256 pixels --
in 32-bit colour with an alpha channel and smoothed edges. Each size has its
own strokes: a 16-pixel sign drawn as a scaled-down 256-pixel one would be a
grey smudge, so the small sizes get thicker lines laid on whole pixels.

    python3 scripts/make-icon.py [OUTPUT] [--preview PNG]
        OUTPUT   the .ico (default: src/app/corvane.ico)
        PNG      also every size side by side, as drawn and magnified, on a
                 light and a dark background, to look at

Pure Python: the 256-pixel image is stored as PNG inside the .ico (as Windows
expects for that size), the others as 32-bit bitmaps with their mask.
"""
import math
import os
import struct
import sys
import zlib

OUTLINE = (16, 42, 92)
LIGHT = (58, 140, 232)
LIGHT_TOP = (104, 172, 246)
DARK = (24, 76, 168)
DARK_TOP = (36, 96, 190)
SIGN = (255, 255, 255)

# For each size, in pixels: the shield's margin to the icon's edge, its
# outline, the power sign's ring (radius to the middle of the stroke, and
# the centre's height), its stroke, the space between the ring's ends and
# the bar, and whether the strokes end round (only where there is room).
STYLES = {
    16: dict(margin=1.0, outline=1.0, radius=3.5, centre_y=8.5, stroke=2.0, space=1.0,
             round=False),
    20: dict(margin=1.0, outline=1.0, radius=4.5, centre_y=10.5, stroke=2.0, space=1.0,
             round=False),
    24: dict(margin=1.0, outline=1.0, radius=5.25, centre_y=12.5, stroke=2.5, space=1.2,
             round=False),
    32: dict(margin=1.5, outline=1.0, radius=7.0, centre_y=16.5, stroke=3.0, space=1.5,
             round=True),
    48: dict(margin=2.0, outline=1.5, radius=10.5, centre_y=25.0, stroke=4.0, space=2.2,
             round=True),
    256: dict(margin=8.0, outline=7.0, radius=58.0, centre_y=134.0, stroke=20.0, space=12.0,
              round=True),
}
SIZES = sorted(STYLES)


class Shield:
    """The shield's outline at one size, shrunk inwards by `inset`."""

    def __init__(self, size, margin, inset=0.0):
        self.centre_x = size / 2.0
        self.half_width = size / 2.0 - margin - inset
        self.top = margin + inset
        self.tip = size - margin * 0.5 - inset * 1.6  # a point: its inset is deeper
        self.shoulder = self.top + 0.42 * (size - 1.5 * margin - self.top)
        self.corner = max(0.5, size * 0.09 - inset)

    def contains(self, x, y):
        if y < self.top or y > self.tip:
            return False
        dx = abs(x - self.centre_x)
        if y <= self.shoulder:
            # Straight sides; the top corners rounded.
            inner = self.half_width - self.corner
            if dx <= inner:
                return True
            if y >= self.top + self.corner:
                return dx <= self.half_width
            return math.hypot(dx - inner, y - self.top - self.corner) <= self.corner
        # Below the shoulders the sides curve in to the tip along an ellipse.
        t = (y - self.shoulder) / (self.tip - self.shoulder)
        return dx <= self.half_width * math.sqrt(max(0.0, 1.0 - t * t))


class PowerSign:
    """An open ring with a bar through its gap, centred on the shield's axis."""

    def __init__(self, size, radius, centre_y, stroke, space, round):
        self.cx, self.cy = size / 2.0, centre_y
        self.radius, self.half = radius, stroke / 2.0
        self.round = round
        # The ring stops where its end keeps `space` clear of the bar.
        reach = (stroke + space) if round else (self.half + space)
        inner = radius if round else radius - self.half
        self.gap = math.asin(min(1.0, reach / inner))
        self.bar_top = centre_y - radius - self.half * (1.2 if round else 1.0)
        self.bar_bottom = centre_y - (0.1 * radius if round else 0.0)

    def contains(self, x, y):
        px, py = x - self.cx, y - self.cy
        # The bar.
        if abs(px) <= self.half and self.bar_top <= py + self.cy <= self.bar_bottom:
            return True
        if self.round:
            for end_y in (self.bar_top, self.bar_bottom):
                if math.hypot(px, y - end_y) <= self.half:
                    return True
        # The ring, open at the top.
        distance = math.hypot(px, py)
        angle = math.atan2(abs(px), -py)  # 0 straight up
        if abs(distance - self.radius) <= self.half and angle >= self.gap:
            return True
        if self.round:
            end_x = self.radius * math.sin(self.gap)
            end_y = -self.radius * math.cos(self.gap)
            return math.hypot(abs(px) - end_x, py - end_y) <= self.half
        return False


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def draw(size):
    """One size of the icon: rows of (r, g, b, a), top row first."""
    style = STYLES[size]
    outer = Shield(size, style["margin"])
    inner = Shield(size, style["margin"], style["outline"])
    sign = PowerSign(size, style["radius"], style["centre_y"], style["stroke"], style["space"],
                     style["round"])
    samples = 4 if size > 64 else 8  # per side of a pixel
    # Lit from the top: the fill darkens downwards, which only the bigger
    # sizes have the room to show.
    shade = 1.0 if size >= 32 else 0.0
    image = []
    for row in range(size):
        line = []
        for column in range(size):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(samples):
                y = row + (sy + 0.5) / samples
                for sx in range(samples):
                    x = column + (sx + 0.5) / samples
                    if not outer.contains(x, y):
                        continue
                    if not inner.contains(x, y):
                        colour = OUTLINE
                    elif sign.contains(x, y):
                        colour = SIGN
                    else:
                        height = (y - inner.top) / (inner.tip - inner.top)
                        depth = shade * max(0.0, min(1.0, height))
                        if x < inner.centre_x:
                            colour = mix(LIGHT_TOP, LIGHT, depth)
                        else:
                            colour = mix(DARK_TOP, DARK, depth)
                    covered += 1
                    for i in range(3):
                        total[i] += colour[i]
            if covered == 0:
                line.append((0, 0, 0, 0))
            else:
                alpha = round(255 * covered / (samples * samples))
                line.append(tuple(round(c / covered) for c in total) + (alpha,))
        image.append(line)
    return image


def png_bytes(image):
    """An RGBA PNG of the image."""
    height, width = len(image), len(image[0])
    raw = bytearray()
    for line in image:
        raw.append(0)  # no filter
        for pixel in line:
            raw += bytes(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def dib_bytes(image):
    """A 32-bit bitmap as an icon holds it: BGRA rows bottom up, then the mask."""
    size = len(image)
    rows = list(reversed(image))
    colours = bytearray()
    for line in rows:
        for r, g, b, a in line:
            colours += bytes((b, g, r, a))
    mask = bytearray()
    stride = (size + 31) // 32 * 4
    for line in rows:
        bits = bytearray(stride)
        for x, pixel in enumerate(line):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask),
                         0, 0, 0, 0)
    return header + colours + mask


def ico_bytes(images):
    """An .ico of the images, smallest first; 256 pixels as PNG."""
    resources = [png_bytes(image) if len(image) >= 256 else dib_bytes(image) for image in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, resource in zip(images, resources):
        side = len(image) % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(resource), offset)
        offset += len(resource)
    return directory + b"".join(resources)


def preview(images):
    """Every size as drawn and magnified to 96 pixels, over a light and a dark band."""
    zoom_side = 96
    gap = 8
    width = gap + sum(len(image) + gap for image in images) + sum(
        zoom_side + gap for image in images if len(image) < 256)
    band = max(256, zoom_side) + 2 * gap
    canvas = []
    for background in ((240, 240, 240), (32, 32, 32)):
        band_rows = [[background for _ in range(width)] for _ in range(band)]
        x = gap
        for image in images:
            pieces = [(image, 1)]
            if len(image) < 256:
                pieces.append((image, zoom_side // len(image)))
            for piece, zoom in pieces:
                for row in range(len(piece) * zoom):
                    for column in range(len(piece) * zoom):
                        r, g, b, a = piece[row // zoom][column // zoom]
                        under = band_rows[gap + row][x + column]
                        band_rows[gap + row][x + column] = tuple(
                            round((c * a + u * (255 - a)) / 255) for c, u in zip((r, g, b), under))
                x += len(piece) * zoom + gap
        canvas += band_rows
    return png_bytes([[pixel + (255,) for pixel in line] for line in canvas])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    arguments = sys.argv[1:]
    preview_path = None
    if "--preview" in arguments:
        at = arguments.index("--preview")
        preview_path = arguments[at + 1]
        del arguments[at:at + 2]
    output = arguments[0] if arguments else os.path.join(here, "..", "src", "app", "corvane.ico")
    images = [draw(size) for size in SIZES]
    with open(output, "wb") as f:
        f.write(ico_bytes(images))
    if preview_path:
        os.makedirs(os.path.dirname(os.path.abspath(preview_path)), exist_ok=True)
        with open(preview_path, "wb") as f:
            f.write(preview(images))


if __name__ == "__main__":
    main()
