#!/usr/bin/env python3
"""Draws the program's pictures: the window icon, the tray icon and the banner.

Usage: draw.py OUTPUT_DIRECTORY
Writes korvatex.ico, tray.ico and banner.bmp. Plain standard library, so the build needs no
image tools; the pictures are simple enough to be drawn from shapes.
"""

import struct
import sys
from pathlib import Path

# 5 x 7 capitals for the banner's word, one string per row, '#' set.
GLYPHS = {
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def icon_pixels(size, face, accent):
    """A rounded card with three lines of text and a caret: BGRA rows, top row first."""
    rows = []
    radius = max(2, size // 6)
    margin = max(1, size // 16)
    for y in range(size):
        row = []
        for x in range(size):
            inside = margin <= x < size - margin and margin <= y < size - margin
            if inside:
                # Cut the corners round.
                cx = min(max(x, margin + radius), size - margin - radius - 1)
                cy = min(max(y, margin + radius), size - margin - radius - 1)
                inside = (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
            if not inside:
                row.append((0, 0, 0, 0))
                continue
            colour = mix(face, (255, 255, 255), 0.15 * (1 - y / size))
            line_height = max(1, size // 10)
            for index, length in enumerate((0.70, 0.55, 0.40)):
                top = size * (0.28 + 0.20 * index)
                left = size * 0.22
                if top <= y < top + line_height and left <= x < left + size * length:
                    colour = (255, 255, 255)
            caret_left = size * 0.66
            if size * 0.64 <= y < size * 0.82 and caret_left <= x < caret_left + line_height:
                colour = accent
            red, green, blue = colour
            row.append((blue, green, red, 255))
        rows.append(row)
    return rows


def icon_image(size, face, accent):
    rows = icon_pixels(size, face, accent)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(pixel) for row in reversed(rows) for pixel in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def write_icon(path, face, accent):
    sizes = (16, 32, 48)
    images = [icon_image(size, face, accent) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    path.write_bytes(data + b"".join(images))


def write_banner(path, width, height):
    left, right = (23, 62, 120), (38, 140, 160)
    pixels = [[mix(left, right, x / (width - 1)) for x in range(width)] for y in range(height)]
    # Soft circles on the right, like bubbles of text.
    for cx, cy, r in ((width - 40, 12, 22), (width - 90, 40, 16), (width - 140, 8, 10)):
        for y in range(height):
            for x in range(width):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    pixels[y][x] = mix(pixels[y][x], (255, 255, 255), 0.12)
    scale = max(1, (height - 14) // 7)
    x0, y0 = 14, (height - 7 * scale) // 2
    for letter in "KORVATEX":
        for gy, line in enumerate(GLYPHS[letter]):
            for gx, cell in enumerate(line):
                if cell != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x, y = x0 + gx * scale + dx, y0 + gy * scale + dy
                        if 0 <= x < width and 0 <= y < height:
                            pixels[y][x] = (255, 255, 255)
        x0 += 6 * scale
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        body += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    path.write_bytes(file_header + info + bytes(body))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_icon(out / "korvatex.ico", (43, 87, 151), (255, 170, 40))
    write_icon(out / "tray.ico", (214, 110, 20), (43, 87, 151))
    write_banner(out / "banner.bmp", 432, 54)


if __name__ == "__main__":
    main()
