#!/usr/bin/env python3
"""Writes the program's eleven mouse cursors (.cur) and its two icons (.ico) into a folder.

The shapes are drawn here from simple geometry: a white body with a black rim, so every cursor
shows on light and dark ground alike. Usage: gen_cursors.py <output folder>
"""
import os
import struct
import sys

SIZE = 32


def outline(body):
    """Black rim pixels around a set of white body pixels."""
    rim = set()
    for (x, y) in body:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in body and 0 <= p[0] < SIZE and 0 <= p[1] < SIZE:
                    rim.add(p)
    return rim


def rect(x0, y0, x1, y1):
    return {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)}


def arrow_left():
    """An arrow whose tip is at (1, 15), pointing left."""
    body = set()
    for x in range(1, 12):            # head: widening triangle
        h = x - 1
        for y in range(15 - h, 16 + h):
            body.add((x, y))
    body |= rect(12, 12, 24, 18)      # shaft
    return body, (1, 15)


def transform(shape, fn):
    body, hot = shape
    return {fn(p) for p in body}, fn(hot)


def edge_cursors():
    left = arrow_left()
    right = transform(left, lambda p: (SIZE - 1 - p[0], p[1]))
    top = transform(left, lambda p: (p[1], p[0]))
    bottom = transform(top, lambda p: (p[0], SIZE - 1 - p[1]))
    return left, right, top, bottom


def arrow_diagonal():
    """An arrow whose tip is at (1, 1), pointing to the top-left corner."""
    body = set()
    for y in range(1, 13):            # head: right-angled triangle
        for x in range(1, 14 - y):
            body.add((x, y))
    for i in range(6, 22):            # shaft along the diagonal, 5 pixels wide
        for w in range(-2, 3):
            body.add((i + w, i))
    body = {(x, y) for (x, y) in body if 0 <= x < SIZE and 0 <= y < SIZE}
    return body, (1, 1)


def corner_cursors():
    tl = arrow_diagonal()
    tr = transform(tl, lambda p: (SIZE - 1 - p[0], p[1]))
    bl = transform(tl, lambda p: (p[0], SIZE - 1 - p[1]))
    br = transform(tl, lambda p: (SIZE - 1 - p[0], SIZE - 1 - p[1]))
    return tl, br, bl, tr   # resources 8, 9, 10, 11


def edit_cursor():
    """Normal editing: a cross with an open centre, hot spot in the middle."""
    body = rect(14, 1, 16, 11) | rect(14, 19, 16, 29) | rect(1, 14, 11, 16) | rect(19, 14, 29, 16)
    return body, (15, 15)


def pick_cursor():
    """Palette pick: an arrow with a small stamp (a placed symbol) beside it."""
    body = set()
    for y in range(1, 17):
        for x in range(1, y + 1):
            if x <= 11:
                body.add((x, y))
    body |= rect(4, 16, 6, 21)
    body |= rect(17, 18, 28, 28)      # the stamp
    hole = rect(19, 20, 26, 26)
    body -= {p for p in hole if (p[0] + p[1]) % 2}
    return body, (1, 1)


def busy_cursor():
    """Busy: an hourglass, hot spot in the middle."""
    body = rect(8, 2, 23, 4) | rect(8, 27, 23, 29)
    for y in range(5, 16):
        inset = (y - 5)
        body |= rect(9 + inset * 6 // 11, y, 22 - inset * 6 // 11, y)
    for y in range(16, 27):
        inset = (26 - y)
        body |= rect(9 + inset * 6 // 11, y, 22 - inset * 6 // 11, y)
    return body, (15, 15)


def cursor_file(shape):
    body, (hx, hy) = shape
    rim = outline(body)
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):    # rows bottom-up
        xr = ar = 0
        for x in range(SIZE):
            bit = 1 << (31 - x)
            if (x, y) in body:
                xr |= bit                 # white: AND 0, XOR 1
            elif (x, y) in rim:
                pass                      # black: AND 0, XOR 0
            else:
                ar |= bit                 # transparent: AND 1, XOR 0
        xor_rows.append(struct.pack(">I", xr))
        and_rows.append(struct.pack(">I", ar))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hx, hy, len(image), 6 + 16)
    return directory + entry + image


def icon_pixels(size):
    """The program icon: a track with sleepers on green ground and a signal with a red lamp."""
    s = size / 32.0
    px = {}
    for y in range(size):
        for x in range(size):
            px[(x, y)] = (0x3C, 0x8C, 0x3C, 255)          # green ground (B, G, R, A order below)
    def fill(x0, y0, x1, y1, bgra):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[(x, y)] = bgra
    for k in range(0, 32, 5):
        fill(k + 1, 17, k + 3, 29, (0x20, 0x48, 0x70, 255))  # sleepers (brown)
    fill(0, 19, 32, 21, (0xB0, 0xB0, 0xB0, 255))          # rails (grey)
    fill(0, 25, 32, 27, (0xB0, 0xB0, 0xB0, 255))
    fill(22, 3, 24, 17, (0x30, 0x30, 0x30, 255))          # signal post
    fill(19, 2, 28, 10, (0x20, 0x20, 0x20, 255))          # signal head
    fill(21, 3, 26, 8, (0x20, 0x20, 0xE0, 255))           # red lamp
    # a one-pixel dark frame
    for i in range(size):
        for p in ((i, 0), (i, size - 1), (0, i), (size - 1, i)):
            px[p] = (0x20, 0x40, 0x20, 255)
    return px


def icon_image(size):
    px = icon_pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        rows.append(b"".join(struct.pack("<4B", *px[(x, y)]) for x in range(size)))
    mask_row = b"\x00" * (((size + 31) // 32) * 4)   # all opaque
    return header + b"".join(rows) + mask_row * size


def icon_file(sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gen_cursors.py <output folder>")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    left, right, top, bottom = edge_cursors()
    tl, br, bl, tr = corner_cursors()
    cursors = [edit_cursor(), pick_cursor(), busy_cursor(), left, right, top, bottom, tl, br, bl, tr]
    for n, shape in enumerate(cursors, start=1):
        with open(os.path.join(folder, "quil%02u.cur" % n), "wb") as f:
            f.write(cursor_file(shape))
    with open(os.path.join(folder, "quil.ico"), "wb") as f:
        f.write(icon_file([32, 16]))
    with open(os.path.join(folder, "quil_small.ico"), "wb") as f:
        f.write(icon_file([16]))


if __name__ == "__main__":
    main()
