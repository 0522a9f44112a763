#!/usr/bin/env python3
"""Draws the program's icon, About banner and hand cursor as palette PNGs (no dependencies).

Run from anywhere: python3 tools/make_images.py [output-res-folder]; the output is the same
bytes every time.
"""
import os
import struct
import sys
import zlib

# The 16-colour palette of the original displays.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, NAVY, GREY, RED, CYAN, WHITE = 0, 1, 4, 8, 9, 14, 15
CLEAR = 16  # drawn as palette index 0 with a transparency entry; see write_png


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png(path, pixels, transparent=False):
    """pixels: rows of palette indices (CLEAR for see-through)."""
    height, width = len(pixels), len(pixels[0])
    palette = list(VGA)
    if transparent:
        palette = [(0, 0, 0)] + VGA[:15] + [VGA[15]]  # index 0 clear; 1..15 colours 0..14; white kept
        remap = {CLEAR: 0}
        for i in range(15):
            remap[i] = i + 1
        remap[15] = 16
        palette.append((255, 255, 255))
        palette = palette[:17]
    depth = 8 if transparent else 4
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        if depth == 4:
            for x in range(0, width, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < width else 0
                raw.append((hi << 4) | lo)
        else:
            raw.extend(remap[p] for p in row)
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, 3, 0, 0, 0))
    out += chunk(b"PLTE", bytes(c for rgb in palette for c in rgb))
    if transparent:
        out += chunk(b"tRNS", b"\x00")
    out += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    out += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(out)


def clock(size):
    """The clock in 32-unit coordinates scaled to size: red frame, navy hands, cyan centre."""
    img = [[CLEAR] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):  # 32-unit rectangle, right and bottom exclusive
        for y in range(y0 * size // 32, y1 * size // 32):
            for x in range(x0 * size // 32, x1 * size // 32):
                img[y][x] = colour

    fill(1, 1, 31, 31, RED)      # the frame
    fill(4, 4, 28, 28, WHITE)    # the face
    for x0, y0 in ((15, 5), (15, 25), (5, 15), (25, 15)):
        fill(x0, y0, x0 + 2, y0 + 2, GREY)  # hour marks at 12, 6, 9 and 3
    fill(15, 7, 17, 16, NAVY)    # hand at twelve
    fill(16, 15, 25, 17, NAVY)   # hand at three
    fill(14, 14, 18, 18, CYAN)   # the centre
    return img


def clock_svg():
    rects = [(1, 1, 30, 30, "#ff0000"), (4, 4, 24, 24, "#ffffff"), (15, 5, 2, 2, "#808080"),
             (15, 25, 2, 2, "#808080"), (5, 15, 2, 2, "#808080"), (25, 15, 2, 2, "#808080"),
             (15, 7, 2, 9, "#000080"), (16, 15, 9, 2, "#000080"), (14, 14, 4, 4, "#00ffff")]
    body = "".join('  <rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>\n' % r for r in rects)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
            + body + "</svg>\n")


# A 5 x 9 font for the banner's letters: rows 0-6 above the line, 7-8 descenders.
FONT = {
    "q": [".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", "....#"],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#", ".....", "....."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", ".....", "....."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", ".....", "....."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#", ".....", "....."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##..", ".....", "....."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".####", ".....", "....."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", ".....", "....."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####", ".....", "....."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."],
    "g": [".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "#...#", ".###."],
}
SITE = "quillon.example.org"


def banner():
    width, height, scale = 247, 26, 2
    img = [[RED] * width for _ in range(height)]
    for x in range(width):
        img[0][x] = img[height - 1][x] = MAROON
    for y in range(height):
        img[y][0] = img[y][width - 1] = MAROON
    advance = 6 * scale
    left = (width - (len(SITE) * advance - scale)) // 2
    top = 4
    for n, letter in enumerate(SITE):
        for gy, row in enumerate(FONT[letter]):
            for gx, bit in enumerate(row):
                if bit == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            img[top + gy * scale + dy][left + n * advance + gx * scale + dx] = WHITE
    return img


# The pointing hand; the tip of the index finger, (5, 0), is the hot spot.
HAND = [
    ".....##.........",
    "....#oo#........",
    "....#oo#........",
    "....#oo#........",
    "....#oo#........",
    "....#oo###......",
    "....#oo#oo###...",
    "....#oo#oo#oo##.",
    ".##.#oo#oo#oo#o#",
    "#oo##oooooooo#o#",
    "#ooo#ooooooooooo#",
    ".#oooooooooooooo#",
    "..#ooooooooooooo#",
    "..#oooooooooooo#.",
    "...#ooooooooooo#.",
    "...#oooooooooo#..",
    "....#ooooooooo#..",
    "....#ooooooooo#..",
    "....##########...",
]


def hand():
    img = [[CLEAR] * 32 for _ in range(32)]
    for y, row in enumerate(HAND):
        for x, c in enumerate(row):
            img[y][x] = {"#": BLACK, "o": WHITE}.get(c, CLEAR)
    return img


def main():
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "res")
    write_png(os.path.join(res, "images", "clock.png"), clock(32), transparent=True)
    write_png(os.path.join(res, "images", "banner.png"), banner())
    write_png(os.path.join(res, "images", "hand.png"), hand(), transparent=True)
    for size in (16, 32, 48, 64, 128, 256):
        write_png(os.path.join(res, "icons", "hicolor", "%dx%d" % (size, size), "apps", "quillon.png"),
                  clock(size), transparent=True)
    svg = os.path.join(res, "icons", "hicolor", "scalable", "apps", "quillon.svg")
    os.makedirs(os.path.dirname(svg), exist_ok=True)
    with open(svg, "w") as f:
        f.write(clock_svg())


if __name__ == "__main__":
    main()
