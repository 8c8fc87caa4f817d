#!/usr/bin/env python3
"""Draws the tool slot pictures into data/: the combined pictures s1.bmp to s4.bmp (20 x 80) and
the base slot's halves coada.bmp, coadaa.bmp, coadaw.bmp, cutit.bmp, cutitw.bmp (20 x 40).
The support (holder) takes the upper half, the knife (tip) the lower half; a missing tool is a
dotted grey outline. Run from the repository root."""
import struct
from pathlib import Path

WIDTH = 20
WHITE = (255, 255, 255)
OUTLINE = (48, 48, 56)
STEEL = (168, 178, 190)
STEEL_DARK = (120, 130, 144)
ANY = (150, 196, 232)
CARBIDE = (214, 168, 48)
ABSENT = (176, 176, 176)

HOLDER_SHANK = [(5, 0), (14, 0), (14, 26), (5, 26)]
HOLDER_HEAD = [(5, 26), (14, 26), (16, 32), (16, 39), (3, 39), (3, 32)]
TIP = [(4, 2), (15, 2), (15, 16), (10, 30), (9, 30), (4, 16)]


class Picture:
    def __init__(self, height):
        self.height = height
        self.pixels = [[WHITE] * WIDTH for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def shape(self, polygon, fill, outline, dy=0):
        """A convex polygon: its outline, and every pixel between the outline's ends on a row."""
        edge = {point for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1])
                for point in line(x1, y1 + dy, x2, y2 + dy)}
        for y in {y for _, y in edge}:
            xs = [x for x, row in edge if row == y]
            for x in range(min(xs), max(xs) + 1):
                self.put(x, y, outline if (x, y) in edge else fill)

    def outline(self, polygon, colour, dy=0, dotted=False):
        for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
            for i, (x, y) in enumerate(line(x1, y1 + dy, x2, y2 + dy)):
                if not dotted or i % 2 == 0:
                    self.put(x, y, colour)

    def save(self, path):
        row_size = (WIDTH * 3 + 3) // 4 * 4
        data = bytearray()
        for row in reversed(self.pixels):
            raw = b"".join(bytes((b, g, r)) for r, g, b in row)
            data += raw + b"\0" * (row_size - len(raw))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, WIDTH, self.height, 1, 24, 0, len(data), 2835,
                           2835, 0, 0)
        path.write_bytes(header + info + data)


def line(x1, y1, x2, y2):
    dx, dy = abs(x2 - x1), -abs(y2 - y1)
    sx, sy = (1 if x1 < x2 else -1), (1 if y1 < y2 else -1)
    error = dx + dy
    while True:
        yield x1, y1
        if (x1, y1) == (x2, y2):
            return
        e2 = 2 * error
        if e2 >= dy:
            error += dy
            x1 += sx
        if e2 <= dx:
            error += dx
            y1 += sy


def holder(picture, present, fill=STEEL, dy=0):
    if not present:
        picture.outline(HOLDER_SHANK, ABSENT, dy, dotted=True)
        picture.outline(HOLDER_HEAD, ABSENT, dy, dotted=True)
        return
    picture.shape(HOLDER_SHANK, fill, OUTLINE, dy)
    picture.shape(HOLDER_HEAD, STEEL_DARK if fill == STEEL else fill, OUTLINE, dy)
    for x in range(8, 12):  # the clamp screw
        picture.put(x, dy + 34, OUTLINE)
        picture.put(x, dy + 35, OUTLINE)


def tip(picture, present, dy=0):
    if not present:
        picture.outline(TIP, ABSENT, dy, dotted=True)
        return
    picture.shape(TIP, CARBIDE, OUTLINE, dy)
    for x, y in ((9, 8), (10, 8), (9, 9), (10, 9)):  # the insert's hole
        picture.put(x, y + dy, OUTLINE)


def main():
    data = Path("data")
    for name, support, knife in (("s1", False, True), ("s2", True, False), ("s3", False, False),
                                 ("s4", True, True)):
        picture = Picture(80)
        holder(picture, support)
        tip(picture, knife, dy=40)
        picture.save(data / f"{name}.bmp")
    for name, present, fill in (("coada", True, STEEL), ("coadaa", True, ANY),
                                ("coadaw", False, STEEL)):
        picture = Picture(40)
        holder(picture, present, fill)
        picture.save(data / f"{name}.bmp")
    for name, present in (("cutit", True), ("cutitw", False)):
        picture = Picture(40)
        tip(picture, present)
        picture.save(data / f"{name}.bmp")


if __name__ == "__main__":
    main()
