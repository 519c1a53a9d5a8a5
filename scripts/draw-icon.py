#!/usr/bin/env python3
"""Draws the program's icon: the white square with its inscribed circle and a few
coloured shots, as 16, 32 and 48 px PNGs (64 and 96 px for high-DPI screens) and as an SVG of the same drawing.

Standard library only. Running it again writes byte-identical files.

    scripts/draw-icon.py                  # writes resources/icons/
    scripts/draw-icon.py --preview p.png  # also writes an enlarged look at the PNGs
"""

import argparse
import math
import os
import struct
import zlib

SIZES = (16, 32, 48, 64, 96)
ICON_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (228, 26, 28)
GREEN = (30, 160, 50)
BLUE = (30, 90, 220)
ORANGE = (255, 130, 0)
PURPLE = (150, 40, 200)

# Shots in units of the half side, from the centre, y downwards. The corner shots
# are placed per size (see corner_centre), so only their diagonal direction is given.
INSIDE_SHOTS = (
    (-0.48, -0.22, RED),
    (0.30, -0.48, GREEN),
    (0.42, 0.30, BLUE),
    (-0.30, 0.42, ORANGE),
    (0.00, 0.02, PURPLE),
)
CORNER_SHOTS = (
    (1, -1, ORANGE),
    (-1, 1, BLUE),
)

# Samples per pixel side for the anti-aliased sizes.
SUPERSAMPLE = 8


def dot_radius(size):
    return {32: 1.6, 48: 2.2, 64: 3.2, 96: 4.4}[size]


def circle_stroke(size):
    """A little over 1 px on the larger icons: a smoothed 1 px circle looks patchy."""
    return {32: 1.25, 48: 1.5, 64: 2.5, 96: 3.0}[size]


def border(size):
    """The square's edge: as thick as the 32 px icon's at 2x and 3x."""
    return {64: 2, 96: 3}.get(size, 1)


def corner_centre(size, sx, sy):
    """Midway between the circle and the square's inner corner along the diagonal,
    so a corner shot touches neither line."""
    half = size / 2.0
    on_circle = half * math.sqrt(0.5)
    inner_corner = half - border(size)
    offset = (on_circle + inner_corner) / 2.0
    return half + sx * offset, half + sy * offset


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


def coverage(size, px, py, inside):
    """Share of the pixel (px, py) for which inside(x, y) holds, by supersampling."""
    hits = 0
    for j in range(SUPERSAMPLE):
        y = py + (j + 0.5) / SUPERSAMPLE
        for i in range(SUPERSAMPLE):
            if inside(px + (i + 0.5) / SUPERSAMPLE, y):
                hits += 1
    return hits / (SUPERSAMPLE * SUPERSAMPLE)


def draw_small(size):
    """16 px drawn pixel by pixel: at this size smoothing only greys the lines."""
    half = size / 2.0
    # One white pixel between circle and outline: touching, the two lines merge here.
    radius = half - 2.0
    pixels = [[WHITE] * size for _ in range(size)]
    for py in range(size):
        for px in range(size):
            if px in (0, size - 1) or py in (0, size - 1):
                pixels[py][px] = BLACK
            elif abs(math.hypot(px + 0.5 - half, py + 0.5 - half) - radius) < 0.5:
                pixels[py][px] = BLACK

    def block(x0, y0, colour):
        # Shots as 2 x 2 blocks: a single pixel of colour is easily missed.
        for y in (y0, y0 + 1):
            for x in (x0, x0 + 1):
                pixels[y][x] = colour

    # Pulled towards the centre to keep clear of the smaller circle.
    for u, v, colour in INSIDE_SHOTS:
        block(round(half + 0.8 * u * half - 1.0), round(half + 0.8 * v * half - 1.0), colour)
    for sx, sy, colour in CORNER_SHOTS:
        block(1 if sx < 0 else size - 3, 1 if sy < 0 else size - 3, colour)
    return pixels


def draw_smooth(size):
    half = size / 2.0
    stroke = circle_stroke(size)
    # Inscribed: the circle's outer edge meets the square's.
    radius = half - stroke / 2.0
    dot = dot_radius(size)
    shots = [(half + u * half, half + v * half, c) for u, v, c in INSIDE_SHOTS]
    shots += [corner_centre(size, sx, sy) + (c,) for sx, sy, c in CORNER_SHOTS]

    def on_circle(x, y):
        return abs(math.hypot(x - half, y - half) - radius) <= stroke / 2.0

    edge = border(size)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            if min(px, py) < edge or max(px, py) >= size - edge:
                row.append(BLACK)
                continue
            colour = blend(WHITE, BLACK, coverage(size, px, py, on_circle))
            for sx, sy, shot_colour in shots:
                # Only pixels near the shot need sampling.
                if abs(px + 0.5 - sx) > dot + 1 or abs(py + 0.5 - sy) > dot + 1:
                    continue
                share = coverage(size, px, py, lambda x, y: math.hypot(x - sx, y - sy) <= dot)
                colour = blend(colour, shot_colour, share)
            row.append(tuple(int(round(c)) for c in colour))
        pixels.append(row)
    return pixels


def draw(size):
    return draw_small(size) if size < 24 else draw_smooth(size)


def png_bytes(pixels):
    """An 8-bit RGBA PNG, fully opaque, without time stamps or other varying chunks."""
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for r, g, b in row:
            raw += bytes((r, g, b, 255))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def svg_text():
    """The 48 px drawing as vector shapes, in the same 48-unit grid."""
    size = 48
    half = size / 2.0
    dot = dot_radius(size)
    stroke = circle_stroke(size)

    def num(value):
        return ("%.2f" % value).rstrip("0").rstrip(".")

    def hex_colour(colour):
        return "#%02x%02x%02x" % colour

    lines = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % (size, size, size, size),
        '  <rect x="0.5" y="0.5" width="%s" height="%s" fill="#ffffff" stroke="#000000" stroke-width="1"/>'
        % (num(size - 1), num(size - 1)),
        '  <circle cx="%s" cy="%s" r="%s" fill="#ffffff" stroke="#000000" stroke-width="%s"/>'
        % (num(half), num(half), num(half - stroke / 2.0), num(stroke)),
    ]
    shots = [(half + u * half, half + v * half, c) for u, v, c in INSIDE_SHOTS]
    shots += [corner_centre(size, sx, sy) + (c,) for sx, sy, c in CORNER_SHOTS]
    for x, y, colour in shots:
        lines.append('  <circle cx="%s" cy="%s" r="%s" fill="%s"/>'
                     % (num(x), num(y), num(dot), hex_colour(colour)))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def preview(images, path):
    """Each size enlarged without smoothing, side by side on grey, for looking at."""
    scale = 8
    gap = 8
    grey = (128, 128, 128)
    width = sum(len(p) * scale for p in images) + gap * (len(images) + 1)
    height = max(len(p) for p in images) * scale + 2 * gap
    canvas = [[grey] * width for _ in range(height)]
    left = gap
    for pixels in images:
        for y, row in enumerate(pixels):
            for x, colour in enumerate(row):
                for dy in range(scale):
                    line = canvas[gap + y * scale + dy]
                    for dx in range(scale):
                        line[left + x * scale + dx] = colour
        left += len(pixels) * scale + gap
    with open(path, "wb") as out:
        out.write(png_bytes(canvas))


def write_if_changed(path, data):
    """Leaves unchanged files alone, so their modification times stay too."""
    if os.path.exists(path):
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    with open(path, "wb") as out:
        out.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="PNG", help="also write an enlarged view of the icons")
    parser.add_argument("--out", default=ICON_DIR, help="folder for the icons (default: resources/icons)")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    images = []
    for size in SIZES:
        pixels = draw(size)
        images.append(pixels)
        write_if_changed(os.path.join(args.out, "monte-carlo-%d.png" % size), png_bytes(pixels))
    write_if_changed(os.path.join(args.out, "monte-carlo.svg"), svg_text().encode("ascii"))
    if args.preview:
        preview(images, args.preview)


if __name__ == "__main__":
    main()
