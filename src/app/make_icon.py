#!/usr/bin/env python3
"""Draws galemend's window icon, a spiral galaxy on a night-blue disc, and writes it as a
Windows icon with 48x48, 32x32 and 16x16 images of 256 colours each.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZES = (48, 32, 16)
SUPERSAMPLE = 4


def palette():
    """A 6x6x6 colour cube followed by 40 greys: 256 colours."""
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [(round(i * 255 / 41),) * 3 for i in range(1, 41)]
    return colours


def shade(x, y):
    """Colour and coverage at a point of the unit square, (0, 0) the top left corner."""
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if r > 0.48:
        return None
    # Night-blue ground, lighter towards the middle.
    ground = 1.0 - r / 0.48
    red, green, blue = 10 + 20 * ground, 20 + 40 * ground, 70 + 90 * ground
    # Two arms of a logarithmic spiral, each fading outwards, and a bright core.
    angle = math.atan2(dy, dx)
    arms = 0.0
    if r > 0.02:
        for arm in range(2):
            phase = angle - 2.2 * math.log(r / 0.02) - arm * math.pi
            distance = math.atan2(math.sin(phase), math.cos(phase))
            arms = max(arms, math.exp(-(distance / 0.45) ** 2) * math.exp(-((r / 0.34) ** 2)))
    core = math.exp(-((r / 0.09) ** 2))
    red += 190 * arms + 245 * core
    green += 200 * arms + 225 * core
    blue += 150 * arms + 150 * core
    return tuple(min(255.0, c) for c in (red, green, blue))


def render(size):
    """Rows of (colour or None for transparent) from the top."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            samples = []
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    point = shade((px + (sx + 0.5) / SUPERSAMPLE) / size,
                                  (py + (sy + 0.5) / SUPERSAMPLE) / size)
                    if point is not None:
                        samples.append(point)
            if len(samples) * 2 < SUPERSAMPLE * SUPERSAMPLE:
                row.append(None)
            else:
                row.append(tuple(sum(c[i] for c in samples) / len(samples) for i in range(3)))
        rows.append(row)
    return rows


def nearest(colours, colour):
    return min(range(len(colours)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colours[i], colour)))


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def image(size, colours):
    """One icon image: header, palette, colour indices and transparency mask, bottom row first."""
    rows = render(size)
    pixels = b""
    mask = b""
    for row in reversed(rows):
        pixels += padded(bytes(0 if c is None else nearest(colours, c) for c in row))
        bits = 0
        line = b""
        for x, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if x % 8 == 7:
                line += bytes([bits])
                bits = 0
        if size % 8:
            line += bytes([bits << (8 - size % 8)])
        mask += padded(line)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         len(pixels) + len(mask), 0, 0, 256, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header + table + pixels + mask


def main():
    colours = palette()
    images = [image(size, colours) for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + b"".join(images))


if __name__ == "__main__":
    main()
