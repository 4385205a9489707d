#!/usr/bin/env python3
"""Draws the program icon: a clock face with a red hand, as one icon group of a
32x32 and a 16x16 image in 16 colours. Run it to rewrite vespiro.ico."""
import math
import os
import struct

# The standard 16-colour palette.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, RED, WHITE = 0, 4, 8, 9, 15
TRANSPARENT = None


def draw(size):
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    px = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= r:
                px[y][x] = NAVY if d > r - max(2, size // 10) else WHITE
    # Hour marks at 12, 3, 6 and 9.
    for a in range(0, 360, 90):
        t = math.radians(a)
        for k in (0.62, 0.72):
            x, y = round(c + math.sin(t) * r * k), round(c - math.cos(t) * r * k)
            px[y][x] = GREY
    # Minute hand straight up in black, the red hand towards 2 o'clock.
    for i in range(int(r * 0.7)):
        px[round(c - i)][round(c)] = BLACK
    t = math.radians(60)
    for i in range(int(r * 0.6) + 1):
        x, y = round(c + math.sin(t) * i), round(c - math.cos(t) * i)
        px[y][x] = RED
        if size >= 32:
            px[y + 1][x] = RED
    px[round(c)][round(c)] = BLACK
    return px


def dib(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor, mask = b'', b''
    for row in reversed(px):  # bottom-up
        nibbles = [0 if v is None else v for v in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += line.ljust(xor_stride, b'\0')
        bits = 0
        out = b''
        for i, v in enumerate(row):
            bits = (bits << 1) | (1 if v is None else 0)
            if i % 8 == 7:
                out += bytes([bits])
                bits = 0
        mask += out.ljust(and_stride, b'\0')
    return header + palette + xor + mask


def main():
    images = [dib(draw(32)), dib(draw(16))]
    sizes = [32, 16]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'vespiro.ico')
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
