#!/usr/bin/python3
"""Draws the program's icon, a clock face in the main window's colours, and
writes it beside this script as Velkora.ico (16, 32 and 48 pixels, 32-bit
with alpha), which velkora/resources.rc embeds as the program's icon.

Run from anywhere:  /usr/bin/python3 velkora/assets/make_icon.py

A white dial in a rim of the window's background colour, hour marks at 12,
3, 6 and 9 and two hands at ten past ten in the title strip's colour. Edges
are smoothed by 4 x 4 supersampling; the dial's centre area and the rim keep
the exact colours, so tests can check them.
"""
import math
import os
import struct

SIZES = (16, 32, 48)
RIM = (0, 170, 169)        # the main window's background
MARKS = (0, 180, 169)      # its title strip
DIAL = (255, 255, 255)
SAMPLES = 4

# Fractions of the icon's half width.
RIM_OUTER, RIM_INNER = 1.0, 0.74
MARK_FROM, MARK_TO, MARK_WIDTH = 0.50, 0.66, 0.09
HOUR_LENGTH, MINUTE_LENGTH, HAND_WIDTH = 0.36, 0.56, 0.085
HUB = 0.10
# Ten past ten: the hands' angles clockwise from 12, in degrees.
HOUR_ANGLE, MINUTE_ANGLE = 305.0, 60.0


def near_segment(px, py, angle, start, end, width):
    """True when (px, py), relative to the centre, lies within width/2 of
    the ray at `angle` between the radii `start` and `end`."""
    dx, dy = math.sin(math.radians(angle)), -math.cos(math.radians(angle))
    along = px * dx + py * dy
    across = abs(px * dy - py * dx)
    return start <= along <= end and across <= width / 2


def colour_at(x, y, half):
    """(r, g, b, a) at (x, y) in units of the half width, centre at 0. Lines
    are at least 1.5 pixels wide, so that the small icon keeps its hands."""
    mark_width = max(MARK_WIDTH, 1.5 / half)
    hand_width = max(HAND_WIDTH, 1.5 / half)
    r = math.hypot(x, y)
    if r > RIM_OUTER:
        return (0, 0, 0, 0)
    if r > RIM_INNER:
        return RIM + (255,)
    if r <= HUB:
        return MARKS + (255,)
    for angle in (0, 90, 180, 270):
        if near_segment(x, y, angle, MARK_FROM, MARK_TO, mark_width):
            return MARKS + (255,)
    if near_segment(x, y, HOUR_ANGLE, 0, HOUR_LENGTH, hand_width) or \
            near_segment(x, y, MINUTE_ANGLE, 0, MINUTE_LENGTH, hand_width):
        return MARKS + (255,)
    return DIAL + (255,)


def pixel(px, py, size):
    """Premultiplied average of the samples, returned straight (not
    premultiplied), as a 32-bit icon stores it."""
    half = size / 2.0
    total = [0, 0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES - half) / half
            y = (py + (sy + 0.5) / SAMPLES - half) / half
            r, g, b, a = colour_at(x, y, half)
            total[0] += r * a
            total[1] += g * a
            total[2] += b * a
            total[3] += a
    if total[3] == 0:
        return (0, 0, 0, 0)
    n = SAMPLES * SAMPLES
    alpha = (total[3] + n // 2) // n
    return tuple((t + total[3] // 2) // total[3] for t in total[:3]) + (alpha,)


def icon_image(size):
    """BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask."""
    pixels = [[pixel(x, y, size) for x in range(size)] for y in range(size)]
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico(sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "Velkora.ico"), "wb") as f:
        f.write(ico(SIZES))


if __name__ == "__main__":
    main()
