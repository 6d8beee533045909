#!/usr/bin/env python3
"""Draws the laboratory's logo, a small decision tree on a blue field above the word
ORRIN, and writes it as PNG. Run once; the PNG is compiled into the program."""
import struct
import sys
import zlib

W, H = 393, 289
BG = (24, 52, 112)
INK = (235, 240, 250)
GREEN, RED, YELLOW = (0, 192, 0), (255, 0, 0), (255, 255, 0)

pix = [[BG for _ in range(W)] for _ in range(H)]


def rect(x0, y0, w, h, c):
    for y in range(max(0, y0), min(H, y0 + h)):
        row = pix[y]
        for x in range(max(0, x0), min(W, x0 + w)):
            row[x] = c


def line(x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for t in range(n + 1):
        x = round(x0 + (x1 - x0) * t / n)
        y = round(y0 + (y1 - y0) * t / n)
        rect(x, y, 2, 2, c)


# A rounded frame.
for y in range(H):
    for x in range(W):
        if x < 6 or y < 6 or x >= W - 6 or y >= H - 6:
            pix[y][x] = INK

# The tree: four levels, the subject's path from the bottom up.
levels = [(1, GREEN), (2, RED), (4, GREEN), (8, YELLOW)]
tops = [180, 135, 90, 45]
side = 14
centres = []
for (count, _), top in zip(levels, tops):
    span = 300 / count
    centres.append([(46 + span * (i + 0.5), top) for i in range(count)])
for k in range(len(levels) - 1):
    for j, (cx, cy) in enumerate(centres[k + 1]):
        px, py = centres[k][j // 2]
        line(int(px), int(py), int(cx), int(cy + side), INK)
for (count, colour), row in zip(levels, centres):
    for cx, cy in row:
        rect(int(cx - side / 2) - 1, int(cy) - 1, side + 2, side + 2, INK)
        rect(int(cx - side / 2), int(cy), side, side, colour)

# ORRIN in a 5 x 7 block letter, scaled by 6.
glyphs = {
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'I': ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
}
scale, x = 6, (W - (5 * 6 * 6 + 4 * 6)) // 2
for ch in "ORRIN":
    for gy, bits in enumerate(glyphs[ch]):
        for gx, bit in enumerate(bits):
            if bit == "1":
                rect(x + gx * scale, 222 + gy * scale, scale, scale, INK)
    x += 6 * scale + 6


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pix)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
with open(sys.argv[1] if len(sys.argv) > 1 else "OrrinLogo.png", "wb") as f:
    f.write(png)
