#!/usr/bin/env python3
"""Draws Vexilo's icon and writes app/vexilo.ico (16, 32 and 48 pixels).

The drawing: a rounded blue calculator face with a light display bar and a
3 x 2 grid of keys, the last key orange. Pure Python, no imaging library:
each size is rendered by sampling the shapes below, 4 x 4 samples a pixel.
Run: python3 tools/make_icon.py
"""
import os
import struct

BLUE = (38, 92, 168)
DISPLAY = (226, 238, 250)
KEY = (250, 250, 250)
ACCENT = (245, 140, 40)


def inside_rounded(x, y, left, top, right, bottom, radius):
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def shapes():
    """(colour, rectangle in units of the icon's side, corner radius)."""
    yield BLUE, (0.06, 0.02, 0.94, 0.98), 0.14
    yield DISPLAY, (0.16, 0.12, 0.84, 0.34), 0.04
    for row in range(2):
        for col in range(3):
            left = 0.16 + col * 0.24
            top = 0.44 + row * 0.26
            colour = ACCENT if (row, col) == (1, 2) else KEY
            yield colour, (left, top, left + 0.18, top + 0.2), 0.04


def colour_at(u, v):
    found = None
    for colour, (l, t, r, b), radius in shapes():
        if inside_rounded(u, v, l, t, r, b, radius):
            found = colour
    return found


def render(size):
    """Rows of (b, g, r, a), bottom row first as a BMP wants them."""
    samples = 4
    rows = []
    for py in reversed(range(size)):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c:
                        covered += 1
                        acc = [a + ch for a, ch in zip(acc, c)]
            if covered:
                r, g, b = (round(a / covered) for a in acc)
                row.append((b, g, r, round(255 * covered / samples ** 2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(p) for row in render(size) for p in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha channel decides; the AND mask is all opaque
    return header + pixels + mask


def main():
    sizes = [16, 32, 48]
    images = [bitmap(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b''.join(images)
    path = os.path.join(os.path.dirname(__file__), '..', 'app', 'vexilo.ico')
    with open(path, 'wb') as f:
        f.write(out)
    print('wrote', os.path.normpath(path), len(out), 'bytes')


if __name__ == '__main__':
    main()
