#!/usr/bin/env python3
"""Draws the program icon (a fax page, an arrow, a TIFF page) into ui/tarnvel.ico.

Two images, 32 x 32 and 16 x 16, each with 16 colours from the standard palette and a
transparency mask. usage: make-icon.py [OUTPUT.ico]
"""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, NAVY, SILVER, GREY, RED, BLUE, WHITE = 0, 2, 4, 7, 8, 9, 12, 15
CLEAR = None

# 3 x 5 letters for the 32 x 32 image.
LETTERS = {
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."],
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def put(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def page(self, x0, y0, x1, y1, fold):
        """A white sheet with a black edge and a folded top-right corner."""
        self.rect(x0, y0, x1, y1, WHITE)
        for x in range(x0, x1 + 1):
            self.put(x, y1, BLACK)
        for y in range(y0, y1 + 1):
            self.put(x0, y, BLACK)
            self.put(x1, y, BLACK)
        for x in range(x0, x1 - fold + 1):
            self.put(x, y0, BLACK)
        for i in range(fold + 1):
            # cut corner: clear above the diagonal, draw the diagonal and the fold
            for j in range(fold - i):
                self.put(x1 - j, y0 + i, CLEAR)
            self.put(x1 - fold + i, y0 + i, BLACK)
            self.put(x1 - fold, y0 + i, BLACK)
        for x in range(x1 - fold, x1 + 1):
            self.put(x, y0 + fold, BLACK)
        for i in range(1, fold):
            for j in range(1, i):
                self.put(x1 - fold + j, y0 + i, SILVER)

    def text(self, x, y, word, c):
        for letter in word:
            for dy, row in enumerate(LETTERS[letter]):
                for dx, ch in enumerate(row):
                    if ch == "#":
                        self.put(x + dx, y + dy, c)
            x += 4


def draw32():
    c = Canvas(32)
    # the fax page: scan lines of text
    c.page(1, 1, 17, 22, 5)
    for y, (a, b) in zip(range(9, 21, 2), [(4, 14), (4, 12), (4, 14), (4, 10), (4, 13), (4, 9)]):
        c.rect(a, y, b, y, GREY)
    c.rect(4, 4, 9, 6, NAVY)  # the fax header block
    # the TIFF page, in front
    c.page(13, 9, 30, 30, 5)
    c.rect(15, 24, 28, 28, BLUE)
    c.text(16, 17, "TIF", NAVY)
    # the arrow from one to the other
    c.rect(1, 26, 8, 27, GREEN)
    for i in range(4):
        c.rect(9 + i, 23 + i, 9 + i, 30 - i, GREEN)
    return c


def draw16():
    c = Canvas(16)
    c.page(0, 0, 9, 11, 3)
    for y in (5, 7, 9):
        c.rect(2, y, 7, y, GREY)
    c.rect(2, 2, 4, 3, NAVY)
    c.page(6, 4, 15, 15, 3)
    c.rect(8, 8, 13, 8, NAVY)  # a T
    c.rect(10, 8, 11, 12, NAVY)
    c.rect(8, 13, 13, 14, BLUE)
    c.rect(1, 13, 3, 13, GREEN)
    c.rect(4, 12, 4, 14, GREEN)
    c.put(5, 13, GREEN)
    return c


def image(canvas):
    n = canvas.size
    xor_row = (n * 4 + 31) // 32 * 4
    and_row = (n + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0, (xor_row + and_row) * n, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor, mask = b"", b""
    for y in reversed(range(n)):
        row = canvas.px[y]
        nibbles = [0 if p is CLEAR else p for p in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, n, 2))
        xor += data.ljust(xor_row, b"\0")
        bits = 0
        for x, p in enumerate(row):
            if p is CLEAR:
                bits |= 1 << (n - 1 - x)
        mask += bits.to_bytes(n // 8, "big").ljust(and_row, b"\0")
    return header + palette + xor + mask


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "ui/tarnvel.ico"
    images = [image(draw32()), image(draw16())]
    offset = 6 + 16 * len(images)
    data = struct.pack("<HHH", 0, 1, len(images))
    for size, img in zip((32, 16), images):
        data += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    with open(out, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main()
