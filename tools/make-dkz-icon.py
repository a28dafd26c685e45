#!/usr/bin/env python3
"""Draws icon 110 of the live windows: a cream card with a grid of check
boxes, some ticked in red, at 32x32 and 16x16. Writes src/plugin/resources/dkz.ico.
Only the standard library: run it again after changing the drawing."""
import os
import struct

CREAM = (255, 250, 198, 255)
EDGE = (110, 80, 20, 255)
BOX = (255, 255, 255, 255)
BOX_EDGE = (70, 70, 70, 255)
TICK = (200, 20, 20, 255)
CLEAR = (0, 0, 0, 0)


def line(img, x0, y0, x1, y1, colour):
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        img[y0][x0] = colour
        if x0 == x1 and y0 == y1:
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def draw(size, cells, box, ticked):
    img = [[CLEAR] * size for _ in range(size)]
    last = size - 1
    for y in range(size):
        for x in range(size):
            corner = min(x, last - x) + min(y, last - y) < 2  # rounded corners
            if corner:
                continue
            on_edge = x in (0, last) or y in (0, last)
            img[y][x] = EDGE if on_edge else CREAM
    gap = (size - cells * box) // (cells + 1)
    for row in range(cells):
        for col in range(cells):
            left = gap + col * (box + gap)
            top = gap + row * (box + gap)
            for y in range(top, top + box):
                for x in range(left, left + box):
                    border = x in (left, left + box - 1) or y in (top, top + box - 1)
                    img[y][x] = BOX_EDGE if border else BOX
            if (row, col) in ticked:
                # A check mark across the box: down to the bottom third, up to the top corner.
                a = (left + 1, top + box // 2)
                b = (left + box // 2 - 1, top + box - 2)
                c = (left + box - 2, top + 1)
                for off in ((0, 0), (0, -1)):
                    line(img, a[0], a[1] + off[1], b[0], b[1] + off[1], TICK)
                    line(img, b[0], b[1] + off[1], c[0], c[1] + off[1], TICK)
    return img


def dib(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        struct.pack("BBBB", b, g, r, a) for row in reversed(img) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(img):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (mask_row_bytes * 8 - 1 - x)
        mask += bits.to_bytes(mask_row_bytes, "big")
    return header + pixels + mask


def main():
    images = [
        draw(32, 3, 8, {(0, 0), (0, 2), (1, 1), (2, 0), (2, 1)}),
        draw(16, 1, 10, {(0, 0)}),
    ]
    blobs = [dib(img) for img in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(root, "src", "resources", "dkz.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
