#!/usr/bin/env python3
"""Makes the installer's pictures from Corvane's icon, as NSIS's Modern UI wants them.

    python3 scripts/make-installer-pictures.py ICON FOLDER

writes into FOLDER:
    welcome.bmp  164x314, the side picture of the welcome and finish pages:
                 the 256-pixel icon at half size on a pale blue band
    header.bmp   150x57, the picture at the right of every other page's
                 header: the 48-pixel icon on white

Both are 24-bit bitmaps: Windows draws NSIS's pictures without their alpha,
so the icon is blended onto the background here. Pure Python, like
make-icon.py, which draws the icon.
"""
import os
import struct
import sys
import zlib

WHITE = (255, 255, 255)
BAND_TOP = (246, 250, 255)
BAND_BOTTOM = (196, 220, 248)


def icon_images(data):
    """The icon's images by side: rows of (r, g, b, a), top row first."""
    _, _, count = struct.unpack_from("<HHH", data, 0)
    images = {}
    for i in range(count):
        side, _, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        side = side or 256
        resource = data[offset:offset + length]
        if resource.startswith(b"\x89PNG"):
            images[side] = png_image(resource)
        else:
            images[side] = dib_image(resource, side)
    return images


def dib_image(resource, side):
    """A 32-bit icon bitmap: BGRA rows bottom up after a 40-byte header."""
    size, _, _, _, bits = struct.unpack_from("<IiiHH", resource, 0)
    if bits != 32:
        raise ValueError("the icon's %d-pixel image is not 32-bit" % side)
    rows = []
    for row in range(side):
        start = size + 4 * side * row
        line = resource[start:start + 4 * side]
        rows.append([(line[i + 2], line[i + 1], line[i], line[i + 3]) for i in range(0, len(line), 4)])
    return list(reversed(rows))


def png_image(resource):
    """An 8-bit RGBA PNG, any row filter."""
    position, chunks = 8, b""
    while position < len(resource):
        length, kind = struct.unpack_from(">I4s", resource, position)
        body = resource[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 6, 0):
                raise ValueError("the icon's PNG is not plain 8-bit RGBA")
        elif kind == b"IDAT":
            chunks += body
        position += 12 + length
    raw = zlib.decompress(chunks)
    stride, rows, previous = 4 * width, [], bytearray(4 * width)
    for row in range(height):
        start = row * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[i:i + 4]) for i in range(0, stride, 4)])
        previous = line
    return rows


def halved(image):
    """The image at half its side, each pixel the mean of four (weighted by alpha)."""
    result = []
    for row in range(0, len(image), 2):
        line = []
        for column in range(0, len(image), 2):
            pixels = [image[row + dy][column + dx] for dy in (0, 1) for dx in (0, 1)]
            alpha = sum(p[3] for p in pixels)
            colour = tuple(round(sum(p[c] * p[3] for p in pixels) / alpha) if alpha else 0
                           for c in range(3))
            line.append(colour + (round(alpha / 4),))
        result.append(line)
    return result


def canvas(width, height, top, bottom):
    """A vertical gradient from `top` to `bottom`."""
    rows = []
    for row in range(height):
        t = row / max(1, height - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        rows.append([colour] * width)
    return rows


def blend(picture, image, left, top):
    for row, line in enumerate(image):
        target = picture[top + row]
        for column, (r, g, b, a) in enumerate(line):
            under = target[left + column]
            target[left + column] = tuple(round((c * a + u * (255 - a)) / 255)
                                          for c, u in zip((r, g, b), under))


def bmp_bytes(picture):
    """A 24-bit bitmap file: BGR rows bottom up, each padded to four bytes."""
    height, width = len(picture), len(picture[0])
    padding = b"\0" * (-3 * width % 4)
    pixels = b"".join(bytes(c for r, g, b in line for c in (b, g, r)) + padding
                      for line in reversed(picture))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-installer-pictures.py ICON FOLDER")
    with open(sys.argv[1], "rb") as f:
        images = icon_images(f.read())
    os.makedirs(sys.argv[2], exist_ok=True)

    welcome = canvas(164, 314, BAND_TOP, BAND_BOTTOM)
    blend(welcome, halved(images[256]), (164 - 128) // 2, 36)
    header = canvas(150, 57, WHITE, WHITE)
    blend(header, images[48], 150 - 48 - 6, (57 - 48) // 2)
    for name, picture in (("welcome.bmp", welcome), ("header.bmp", header)):
        with open(os.path.join(sys.argv[2], name), "wb") as f:
            f.write(bmp_bytes(picture))


if __name__ == "__main__":
    main()
