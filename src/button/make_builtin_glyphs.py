#!/usr/bin/env python3
"""Computes the three built-in 16 x 16 button glyphs (OK, Cancel, Help) and writes
them as constant tables to BuiltinGlyphTables.cpp. With --preview DIR it also
writes each glyph as a PPM file there, for looking at enlarged.

Layout shared by all three: pure-white background and one-pixel margin; a disc
14 pixels across (columns and rows 1 to 14), anti-aliased at its outline with
pale half-blended pixels; lit from the upper left, darker to the lower right,
with a slightly brighter rim of reflected light along its lower edge.
"""
import argparse
import math
import os

SIZE = 16
WHITE = (255, 255, 255)
CENTRE = 7.5
RADIUS = 7.0
SAMPLES = 8

# light (upper left), middle, dark (lower right)
PALETTES = {
    "Ok": ((136, 214, 120), (52, 162, 62), (18, 100, 30)),
    "Cancel": ((246, 128, 110), (214, 52, 40), (140, 22, 18)),
    "Help": ((124, 170, 246), (44, 104, 214), (18, 52, 150)),
}


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def coverage(inside):
    """Share of a pixel's samples for which inside(x, y) holds."""
    def of(px, py):
        hits = 0
        for sy in range(SAMPLES):
            for sx in range(SAMPLES):
                if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                    hits += 1
        return hits / (SAMPLES * SAMPLES)
    return of


disc_coverage = coverage(lambda x, y: (x - CENTRE - 0.5) ** 2 + (y - CENTRE - 0.5) ** 2 <= RADIUS ** 2)


def shade(px, py, palette):
    light, middle, dark = palette
    dx, dy = px - CENTRE, py - CENTRE
    # Diagonal gradient: -1 at the upper left, +1 at the lower right.
    t = max(-1.0, min(1.0, (dx + dy) / (RADIUS * 1.45)))
    colour = lerp(middle, light, -t) if t < 0 else lerp(middle, dark, t)
    # A soft highlight up and left of the centre.
    spot = math.hypot(dx + 2.6, dy + 2.8)
    if spot < 3.2:
        colour = lerp(colour, light, 0.55 * (1 - spot / 3.2))
    # Reflected light along the lower edge.
    distance = math.hypot(dx, dy)
    if dy > 2.0 and distance > RADIUS - 1.6:
        colour = lerp(colour, middle, 0.55)
    return colour


def disc(palette):
    pixels = [[WHITE] * SIZE for _ in range(SIZE)]
    for py in range(1, SIZE - 1):
        for px in range(1, SIZE - 1):
            c = disc_coverage(px, py)
            if c < 0.15:
                continue
            colour = shade(px, py, palette)
            pixels[py][px] = colour if c >= 0.85 else lerp(colour, WHITE, 0.5)
    return pixels


def segment_distance(x, y, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - ax - t * vx, y - ay - t * vy)


def stroke(pixels, points, core, soft):
    """Pixels whose centre lies within `core` of the polyline become pure white
    (the face shows through them); those within `soft` are blended toward white
    but kept off pure white, so they are drawn."""
    for py in range(1, SIZE - 1):
        for px in range(1, SIZE - 1):
            if pixels[py][px] == WHITE:
                continue
            cx, cy = px + 0.5, py + 0.5
            d = min(segment_distance(cx, cy, *points[i], *points[i + 1]) for i in range(len(points) - 1))
            if d <= core:
                pixels[py][px] = WHITE
            elif d <= soft:
                share = 0.25 + 0.5 * (soft - d) / (soft - core)
                pixels[py][px] = lerp(pixels[py][px], (236, 244, 236), share)


def ok_glyph():
    pixels = disc(PALETTES["Ok"])
    # A short stroke down to the right, then a longer one rising to the upper right.
    stroke(pixels, [(4.3, 8.2), (6.9, 10.9), (11.9, 5.2)], core=0.78, soft=1.45)
    return pixels


def cancel_glyph():
    pixels = disc(PALETTES["Cancel"])
    # Two diagonals over the central 6 x 6 pixels; they meet in a 2 x 2 block.
    for i in range(6):
        for x, y in ((5 + i, 5 + i), (10 - i, 5 + i)):
            pixels[y][x] = WHITE
    for py in range(4, 12):
        for px in range(4, 12):
            if pixels[py][px] == WHITE:
                continue
            near = sum(1 for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                       if pixels[py + dy][px + dx] == WHITE and 4 < px + dx < 11 and 4 < py + dy < 11)
            if near:
                pixels[py][px] = lerp(pixels[py][px], (250, 226, 222), 0.3 + 0.15 * near)
    return pixels


HELP_MARK = {
    3: (6, 7, 8, 9),
    4: (5, 6, 9, 10),
    5: (9, 10),
    6: (8, 9),
    7: (7, 8),
    8: (7, 8),
    9: (7, 8),
    11: (7, 8),
}
NEAR_WHITE = (246, 248, 252)


def help_glyph():
    pixels = disc(PALETTES["Help"])
    for y, columns in HELP_MARK.items():
        for x in columns:
            pixels[y][x] = NEAR_WHITE
    # Soften the inner corners of the hook, where the strokes bend.
    for x, y in ((5, 3), (10, 3), (5, 5), (10, 6), (9, 7), (6, 6)):
        pixels[y][x] = lerp(pixels[y][x], NEAR_WHITE, 0.35)
    return pixels


def as_colour(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


def write_tables(path, glyphs):
    lines = [
        "// Generated by make_builtin_glyphs.py: the built-in glyph images, row by row",
        "// from the top, in the TColor layout (0x00BBGGRR). Edit the script, not this file.",
        '#include "button/BuiltinGlyphs.h"',
        "",
        "// clang-format off: one line per pixel row",
    ]
    for name, pixels in glyphs.items():
        lines.append(f"const TGlyphImage k{name}Glyph = {{{{")
        for row in pixels:
            lines.append("    " + ", ".join(f"0x{as_colour(p):06X}" for p in row) + ",")
        lines.append("}};")
        lines.append("")
    lines.append("// clang-format on")
    lines.append("")
    with open(path, "w") as out:
        out.write("\n".join(lines))


def write_preview(directory, glyphs):
    os.makedirs(directory, exist_ok=True)
    for name, pixels in glyphs.items():
        with open(os.path.join(directory, f"{name}.ppm"), "w") as out:
            out.write(f"P3\n{SIZE} {SIZE}\n255\n")
            for row in pixels:
                out.write(" ".join(f"{r} {g} {b}" for r, g, b in row) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "BuiltinGlyphTables.cpp"))
    parser.add_argument("--preview")
    args = parser.parse_args()
    glyphs = {"Ok": ok_glyph(), "Cancel": cancel_glyph(), "Help": help_glyph()}
    write_tables(args.out, glyphs)
    if args.preview:
        write_preview(args.preview, glyphs)


if __name__ == "__main__":
    main()
