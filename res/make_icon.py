#!/usr/bin/env python3
"""Draws Tagloom's icon and writes it to tagloom.ico beside this script.

The picture is a yellow price tag with a short blue chain across its end (two links at
32x32, one at 16x16): a keyword, the tag, turned into a link. The icon holds two images, 32x32 and 16x16, each with 4 bits
per pixel over the standard 16-colour Windows palette and a 1-bit transparency mask.

The 32x32 image is drawn from shapes given as signed distance functions: each shape is
filled with its colour and edged with a one-pixel outline, later shapes covering earlier
ones. At 16x16 those shapes lose their outlines and turn to mush, so the small image is
drawn by hand, pixel by pixel.

Usage: python3 res/make_icon.py [OUTPUT]   (default: res/tagloom.ico)
"""

import math
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]
BLACK, OLIVE, YELLOW, BLUE = 0, 3, 11, 12

# A pixel that shows whatever lies behind the icon.
CLEAR = None


# --- Shapes as signed distance functions: negative inside, positive outside, in pixels.

def polygon(points):
    """A convex polygon, its points given clockwise on screen (y grows downwards)."""
    edges = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        length = math.hypot(x1 - x0, y1 - y0)
        # Outward normal of a clockwise edge when y points down.
        nx, ny = (y1 - y0) / length, -(x1 - x0) / length
        edges.append((nx, ny, nx * x0 + ny * y0))
    return lambda x, y: max(nx * x + ny * y - c for nx, ny, c in edges)


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def capsule_ring(ax, ay, bx, by, radius, thickness):
    """The outline of a stadium around the segment a-b: one link of a chain."""
    dx, dy = bx - ax, by - ay
    span = dx * dx + dy * dy

    def distance(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / span))
        from_axis = math.hypot(x - ax - t * dx, y - ay - t * dy)
        return abs(from_axis - radius) - thickness / 2

    return distance


def rotated(points, angle, cx, cy):
    """Turns points given around (0, 0) by angle degrees and moves them to (cx, cy)."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    return [(cx + x * c - y * s, cy + x * s + y * c) for x, y in points]


# --- The 32x32 picture.

def draw_large():
    size = 32
    pixels = [[CLEAR] * size for _ in range(size)]

    def paint(shape, fill, outline, where=lambda x, y: True):
        for row in range(size):
            for col in range(size):
                x, y = col + 0.5, row + 0.5
                if not where(x, y):
                    continue
                d = shape(x, y)
                if d <= -1.0:
                    pixels[row][col] = fill
                elif d <= 0.0:
                    pixels[row][col] = outline

    def punch(shape):
        for row in range(size):
            for col in range(size):
                if shape(col + 0.5, row + 0.5) <= 0.0:
                    pixels[row][col] = CLEAR

    def restore(saved, where):
        for row in range(size):
            for col in range(size):
                if where(col + 0.5, row + 0.5):
                    pixels[row][col] = saved[row][col]

    # The tag: a card with one end cut to a point and a hole by the point, leaning so
    # that the point faces the upper left. Given upright around (0, 0), point upwards.
    def tag_points(points):
        return rotated(points, -45, 12.5, 12.5)

    tag = polygon(tag_points([(-6.5, -6), (0, -14), (6.5, -6), (6.5, 11), (-6.5, 11)]))
    paint(tag, YELLOW, BLACK)
    # A darker band along one long edge gives the card some depth.
    band = polygon(tag_points([(4, -9), (6.5, -6), (6.5, 11), (4, 11)]))
    paint(lambda x, y: max(band(x, y), tag(x, y) + 1.0), OLIVE, OLIVE)
    # The hole sits on the tag's axis, on a pixel centre so that it comes out round.
    hole_x, hole_y = 8.5, 8.5
    paint(circle(hole_x, hole_y, 3.2), BLACK, BLACK)
    punch(circle(hole_x, hole_y, 2.3))

    # The chain: two links in a row, leaning against the tag across its end. Each link is a
    # 3-pixel ring around a short diagonal stroke, and the links' centres lie 2 * step apart
    # on the diagonal through (cx, cy). The links cross each other twice, on the other
    # diagonal through (cx, cy): the first link passes over the second at the crossing
    # nearer the tag and under it at the other. Where a link passes over, the one beneath
    # stops a pixel short on either side of it.
    cx, cy = 21.5, 21.5
    step, half = 3.8, 2.0

    def link(mx, my):
        return capsule_ring(mx - half, my + half, mx + half, my - half, 3.0, 3.0)

    def near_crossing(x, y):
        return abs((x - y) - (cx - cy)) < 5

    def upper_crossing(x, y):
        return near_crossing(x, y) and x + y < cx + cy

    def lower_crossing(x, y):
        return near_crossing(x, y) and x + y >= cx + cy

    first = link(cx - step, cy + step)
    second = link(cx + step, cy - step)
    without_chain = [row[:] for row in pixels]
    paint(second, BLUE, BLACK)
    restore(without_chain, lambda x, y: upper_crossing(x, y) and first(x, y) <= 1.0)
    paint(first, BLUE, BLACK)
    restore(without_chain, lambda x, y: lower_crossing(x, y) and second(x, y) <= 1.0)
    paint(second, BLUE, BLACK, where=lower_crossing)
    return pixels


# --- The 16x16 picture, drawn by hand. Each letter is a palette colour; '.' is clear.

SMALL_PICTURE = """
................
.kkkkk..........
.kykyok.........
.kk.kyok........
.kykyyyok.......
.kyyyyyyok......
..kyyyyyyok.....
...kyyyyyyok....
....kyyyyyk.kkk.
.....kyyyk.kbbbk
......kyk.kbk.bk
.......k.kbk.kbk
........kbk.kbk.
........kb.kbk..
........kbbbk...
.........kkk....
"""

SMALL_COLOURS = {'.': CLEAR, 'k': BLACK, 'y': YELLOW, 'o': OLIVE, 'b': BLUE}


def draw_small():
    rows = SMALL_PICTURE.strip().splitlines()
    assert len(rows) == 16 and all(len(row) == 16 for row in rows), "16x16 picture"
    return [[SMALL_COLOURS[ch] for ch in row] for row in rows]


# --- The icon file.

def encode_image(pixels):
    """The image as an icon file holds it: a bitmap header that declares twice the image's
    height (colours and mask together), the 16-colour palette, the colour pixels at 4 bits
    each, then the mask at 1 bit each, set where the pixel is clear. Rows run bottom-up
    and are padded to 4 bytes."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)

    def padded(row_bytes):
        return row_bytes + b'\0' * (-len(row_bytes) % 4)

    colours = b''
    mask = b''
    for row in reversed(pixels):
        indices = [BLACK if p is CLEAR else p for p in row]
        colours += padded(bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2)))
        bits = [1 if p is CLEAR else 0 for p in row]
        mask += padded(bytes(
            sum(bit << (7 - i) for i, bit in enumerate(bits[j:j + 8])) for j in range(0, size, 8)))
    return header + palette + colours + mask


def encode_icon(images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b''
    data = b''
    for pixels in images:
        size = len(pixels)
        encoded = encode_image(pixels)
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(encoded), offset)
        offset += len(encoded)
        data += encoded
    return directory + entries + data


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name('tagloom.ico')
    out.write_bytes(encode_icon([draw_large(), draw_small()]))
    print(f'wrote {out}')


if __name__ == '__main__':
    main()
