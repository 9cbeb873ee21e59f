#!/usr/bin/python3
"""Builds the spinner font "Setup", which velkora/resources.rc embeds in the
program.

Run from anywhere:  /usr/bin/python3 velkora/assets/make_spinner_font.py

Writes velkora/assets/Setup.ttf. The font
maps U+000D and U+0020 to empty glyphs and U+E052..U+E0CB to the 122 frames
of a circling animation: a 270-degree ring arc that turns one full circle
over the cycle, its gap growing and shrinking so the motion reads at 30 ms a
frame. Output is reproducible (fixed timestamps), so a rebuild only changes
the file when this script changes.
"""
import math
import os

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UPEM = 2048
FIRST, LAST = 0xE052, 0xE0CB
FRAMES = LAST - FIRST + 1          # 122
ADVANCE = 2048
ASCENT, DESCENT = 1802, 246
CENTRE_X, CENTRE_Y = 1024, 778      # the ring sits on the text's middle
OUTER, INNER = 860, 640
SEGMENTS = 48                       # straight pieces per full circle
FIXED_TIME = 3600 * 24 * 365 * 90   # seconds since 1904: a constant date


def arc_glyph(start_deg, sweep_deg):
    """A ring sector from start_deg turning clockwise by sweep_deg."""
    pen = TTGlyphPen(None)
    steps = max(2, int(math.ceil(SEGMENTS * sweep_deg / 360.0)))
    angles = [math.radians(start_deg - sweep_deg * i / steps) for i in range(steps + 1)]
    outer = [(CENTRE_X + OUTER * math.cos(a), CENTRE_Y + OUTER * math.sin(a)) for a in angles]
    inner = [(CENTRE_X + INNER * math.cos(a), CENTRE_Y + INNER * math.sin(a)) for a in reversed(angles)]
    points = [(int(round(x)), int(round(y))) for x, y in outer + inner]
    pen.moveTo(points[0])
    for p in points[1:]:
        pen.lineTo(p)
    pen.closePath()               # clockwise outer edge: a filled TrueType contour
    return pen.glyph()


def empty_glyph():
    return TTGlyphPen(None).glyph()


def build():
    names = [".notdef", "CR", "space"]
    glyphs = {".notdef": empty_glyph(), "CR": empty_glyph(), "space": empty_glyph()}
    cmap = {0x000D: "CR", 0x0020: "space"}
    for i in range(FRAMES):
        phase = i / FRAMES
        start = 90.0 - 360.0 * phase
        # The arc breathes between 90 and 300 degrees twice per turn.
        sweep = 195.0 + 105.0 * math.sin(4.0 * math.pi * phase)
        name = "frame%03d" % i
        names.append(name)
        glyphs[name] = arc_glyph(start, sweep)
        cmap[FIRST + i] = name

    fb = FontBuilder(UPEM, isTTF=True)
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap(cmap)
    # Only the Windows Unicode BMP map: that is the one GDI reads.
    fb.font["cmap"].tables = [t for t in fb.font["cmap"].tables
                              if (t.platformID, t.platEncID) == (3, 1)]
    fb.setupGlyf(glyphs)
    metrics = {}
    for name in names:
        g = fb.font["glyf"][name]
        g.recalcBounds(fb.font["glyf"])
        metrics[name] = (ADVANCE, getattr(g, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    fb.setupNameTable({
        "familyName": "Setup",
        "styleName": "Regular",
        "uniqueFontIdentifier": "Velkora:Setup:Regular",
        "fullName": "Setup",
        "psName": "Setup",
        "version": "Version 1.000",
    })
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=DESCENT, usWeightClass=400,
                fsSelection=0x40, achVendID="VLKR",
                ulCodePageRange1=(1 << 0) | (1 << 18))  # Latin 1 and GBK
    fb.setupPost()
    fb.setupHead(unitsPerEm=UPEM, created=FIXED_TIME, modified=FIXED_TIME)
    return fb.font


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build().save(os.path.join(here, "Setup.ttf"))


if __name__ == "__main__":
    main()
