#!/usr/bin/python3
"""Draws the five 50 x 19 switch pictures of the settings tab and writes them
as complete 24-bit Windows bitmap files beside this script (switch_*.bmp),
which velkora/resources.rc embeds in the program.

Run from anywhere:  /usr/bin/python3 velkora/assets/make_switch_images.py

Each picture is a rounded track inside a one-pixel frame with a round black
knob at one end. Edges are smoothed by 4 x 4 supersampling; pixels well
inside the track or the knob keep the exact colours, so tests can check them.
"""
import os
import struct

WIDTH, HEIGHT = 50, 19
BACKGROUND = (255, 255, 255)   # the settings page behind the buttons
KNOB = (0, 0, 0)
LIGHT_FRAME = (224, 236, 208)
WHITE_FRAME = (255, 255, 255)

# file, track colour, frame colour, knob on the right?
IMAGES = [
    ("switch_on_normal.bmp", (139, 204, 0), LIGHT_FRAME, True),
    ("switch_on_hover.bmp", (157, 231, 14), LIGHT_FRAME, True),
    ("switch_on_pressed.bmp", (198, 244, 100), WHITE_FRAME, True),
    ("switch_off_normal.bmp", (166, 166, 166), WHITE_FRAME, False),
    ("switch_off_active.bmp", (181, 181, 181), WHITE_FRAME, False),
]

RADIUS = HEIGHT / 2.0          # the track is a pill as high as the picture
FRAME = 1.0
KNOB_RADIUS = 6.5
SAMPLES = 4


def inside_pill(x, y, inset):
    """True when (x, y) lies inside the pill shrunk by `inset` pixels."""
    r = RADIUS - inset
    cy = HEIGHT / 2.0
    left, right = RADIUS, WIDTH - RADIUS
    cx = min(max(x, left), right)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour_at(x, y, track, frame, knob_right):
    knob_cx = WIDTH - RADIUS if knob_right else RADIUS
    knob_cy = HEIGHT / 2.0
    if (x - knob_cx) ** 2 + (y - knob_cy) ** 2 <= KNOB_RADIUS ** 2:
        return KNOB
    if inside_pill(x, y, FRAME):
        return track
    if inside_pill(x, y, 0.0):
        return frame
    return BACKGROUND


def pixel(px, py, track, frame, knob_right):
    total = [0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES,
                          track, frame, knob_right)
            for i in range(3):
                total[i] += c[i]
    n = SAMPLES * SAMPLES
    return tuple((t + n // 2) // n for t in total)


def bitmap(track, frame, knob_right):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    image = bytearray()
    for py in range(HEIGHT - 1, -1, -1):   # bottom-up rows
        row = bytearray()
        for px in range(WIDTH):
            r, g, b = pixel(px, py, track, frame, knob_right)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        image += row
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image),
                       2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    data = header + info + bytes(image)
    assert len(data) == 2942, len(data)
    return data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, track, frame, knob_right in IMAGES:
        with open(os.path.join(here, name), "wb") as f:
            f.write(bitmap(track, frame, knob_right))


if __name__ == "__main__":
    main()
