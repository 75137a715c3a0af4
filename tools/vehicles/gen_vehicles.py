#!/usr/bin/env python3
"""Draws the program's nine default vehicle-graphic sets and writes everything made from them:

  <data>/quil.fzg                 the vehicle-graphic file (version 0x3830, packed pixels)
  <data>/quil_vehicles.png        a contact sheet: every default vehicle in every direction
  <data>/vehicle_tests/           reader test files: user vehicle-graphic files of the current and
                                  the older forms, numbered files, deliberately broken copies,
                                  a title file of the packed form, and cases.txt listing what
                                  each reader must answer for them

Pixels are 32-bit pixel words 0xCCRRGGBB (CC the colour class: 0x40 never darkened, 0x50 lamps,
0x60.. windows) or 0x80000001 (transparent). The output is byte-identical on every run.

Usage: gen_vehicles.py --data <folder> --lang <resources/lang folder> [--no-sheet]
"""
import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from pngfile import png  # noqa: E402

T = 0x80000001  # transparent

# Set keys in "quil.fzg" (code = key * 16), in the order the program loads them at start-up.
DEFAULT_KEYS = [40321, 40320, 40310, 40740, 40510, 20020, 20010, 20001, 6256]

# Attribute word bits of a graphic in the file.
A_FRONT_CLOSED = 1 << 0   # flag 8: no coupling at the front end
A_SYMMETRIC = 1 << 6      # flag 1: looks the same both ways
A_REAR_CLOSED = 1 << 7    # flag 32: no coupling at the rear end
A_ENDS34 = 1 << 8         # flag 64: two further end views E3, E4
A_PACKED = 1 << 9         # pixels are packed
A_LEADS = 1 << 15         # flag 16: may lead a train

TEXT_BASE = 46000  # set s: name 46000 + 100 s; graphic i: 46000 + 100 s + 10 (i + 1) + 0 / 1


def rgb(h, cls=0):
    return (cls << 24) | h


# ---- colours ---------------------------------------------------------------------------------------
BLACK = rgb(0x101010)
DGREY = rgb(0x545454)
GREY = rgb(0x7C7C7C)
LGREY = rgb(0xBCBCBC)
WHITE = rgb(0xFCFCFC)
RED = rgb(0xA80000)
DRED = rgb(0x7C2400)
GREEN = rgb(0x005C00)
BGREEN = rgb(0x148014)
BLUE = rgb(0x0C2C84)
LBLUE = rgb(0x5454FC)
CREAM = rgb(0xFCF48C)
BROWN = rgb(0x583C14)
RUST = rgb(0x9C3400)
YELLOW = rgb(0xF4D400)
ORANGE = rgb(0xFC6C0C)
TEAL = rgb(0x447C7C)
STEEL = rgb(0x6C90A8)
WOOD = rgb(0xB89478)
SILVER = rgb(0xCCC0A8, 0x40)     # bright metal, never darkened
LAMP = rgb(0xFCFCC4, 0x50)       # head lamps
TAIL = rgb(0xD02828, 0x51)       # tail lamps
WIN = [rgb(0x447C7C, 0x60), rgb(0x447C7C, 0x61), rgb(0x447C7C, 0x62)]  # window groups 0, 1, 2
WATER = rgb(0x0098CC)


class Pic:
    """Pixels, row 0 at the top."""

    def __init__(self, w, h, fill=T):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def mirrored(self):
        p = Pic(self.w, self.h)
        p.px = [list(reversed(r)) for r in self.px]
        return p

    def flipped(self):
        p = Pic(self.w, self.h)
        p.px = [list(r) for r in reversed(self.px)]
        return p

    def words(self):
        return [c for r in self.px for c in r]

    def columns(self):
        return [self.px[y][x] for x in range(self.w) for y in range(self.h)]


# ---- the drawings ----------------------------------------------------------------------------------
# A side view faces left (its front at column 0); the second side view is its mirror picture.

def wheels(p, xs, row, c=BLACK):
    for x in xs:
        p.set(x, row, c)
        p.set(x + 1, row, c)


def buffers(p, row, front=True, rear=True):
    if front:
        p.set(0, row, DGREY)
    if rear:
        p.set(p.w - 1, row, DGREY)


def windows(p, x0, x1, row, step=4, width=2, group=0):
    x = x0
    while x + width - 1 <= x1:
        for i in range(width):
            p.set(x + i, row, WIN[group % 3])
        x += step


def steam_loco(L, h, body, tender=False):
    """Boiler in front, cab behind it; the chimney stands at columns 3..4."""
    p = Pic(L, h)
    cab = L - 12 if not tender else L - 10
    p.rect(1, h - 5, cab - 1, h - 2, BLACK)          # boiler
    p.rect(cab, 1, L - 2, h - 2, body)               # cab
    p.rect(cab - 1, 0, L - 1, 0, DGREY)              # cab roof
    p.set(cab + 2, 2, WIN[0])
    p.set(cab + 3, 2, WIN[0])
    p.rect(3, 1, 4, h - 5, BLACK)                    # chimney
    p.set(8, h - 6, BRASS) if L > 30 else None
    p.rect(0, h - 3, 0, h - 3, LAMP)
    wheels(p, range(3, cab, 5), h - 1)
    wheels(p, [cab + 2, L - 5], h - 1)
    buffers(p, h - 2)
    return p


BRASS = rgb(0xDCBC30, 0x40)


def tender(L, h):
    p = Pic(L, h)
    p.rect(1, 2, L - 2, h - 2, BLACK)
    p.rect(2, 1, L - 3, 1, DGREY)                    # coal heap
    wheels(p, range(3, L - 2, 6), h - 1)
    buffers(p, h - 2)
    return p


def coach(L, h, body, roof=GREY, group=0, cab=False, door=None):
    p = Pic(L, h)
    p.rect(1, 1, L - 2, h - 2, body)
    p.rect(2, 0, L - 3, 0, roof)
    windows(p, 4 if not cab else 6, L - 6, 2, 4, 2, group)
    if cab:
        p.rect(1, 2, 3, 2, WIN[group])
        p.set(0, h - 3, LAMP)
    if door:
        for x in door:
            p.rect(x, 2, x, h - 3, DGREY)
    p.rect(1, h - 3, L - 2, h - 3, DGREY)            # frame
    wheels(p, [3, 7, L - 9, L - 5] if L >= 40 else [4, L - 6], h - 1)
    buffers(p, h - 2)
    return p


def wagon(L, h, kind):
    p = Pic(L, h)
    if kind == "box":
        p.rect(1, 1, L - 2, h - 2, BROWN)
        p.rect(2, 0, L - 3, 0, DGREY)
        p.rect(L // 2 - 2, 2, L // 2 + 1, h - 3, RUST)
    elif kind == "open":
        p.rect(1, 3, L - 2, h - 2, STEEL)
        p.rect(2, 2, L - 3, 2, BLACK)               # load
    elif kind == "tank":
        p.rect(2, 1, L - 3, h - 3, SILVER)
        p.rect(1, 2, 1, h - 4, SILVER)
        p.rect(L - 2, 2, L - 2, h - 4, SILVER)
        p.set(L // 2, 0, DGREY)
    elif kind == "flat":
        p.rect(1, h - 2, L - 2, h - 2, DGREY)
        p.rect(4, 1, L // 2 - 2, h - 3, ORANGE)     # containers
        p.rect(L // 2 + 1, 1, L - 5, h - 3, BLUE)
    elif kind == "caboose":
        p.rect(1, 2, L - 2, h - 2, RED)
        p.rect(L // 2 - 3, 0, L // 2 + 2, 1, RED)   # cupola
        p.set(L // 2 - 1, 0, WIN[1])
        windows(p, 3, L - 4, 3, 6, 2, 1)
        p.set(L - 1, h - 3, TAIL)
    p.rect(1, h - 2, L - 2, h - 2, DGREY) if kind != "flat" else None
    wheels(p, [3, L - 5] if L < 40 else [3, 7, L - 9, L - 5], h - 1)
    buffers(p, h - 2)
    return p


def loco(L, h, body, stripe, group=0, ends=True):
    p = Pic(L, h)
    p.rect(1, 1, L - 2, h - 2, body)
    p.rect(3, 0, L - 4, 0, GREY)
    p.rect(1, h - 3, L - 2, h - 3, stripe)
    p.rect(1, 2, 3, 2, WIN[group])
    p.rect(L - 4, 2, L - 2, 2, WIN[group])
    if ends:
        p.set(0, h - 3, LAMP)
        p.set(L - 1, h - 3, LAMP)
    p.rect(L // 2 - 4, 0, L // 2 + 3, 0, SILVER)     # pantograph base / roof gear
    wheels(p, [4, 8, L - 10, L - 6], h - 1)
    return p


def pantograph(p, x):
    p.set(x, 0, SILVER)
    p.set(x + 1, 0, SILVER)


def shunter(L, h):
    p = Pic(L, h)
    p.rect(1, 3, L - 10, h - 2, YELLOW)              # hood
    p.rect(L - 9, 0, L - 2, h - 2, YELLOW)           # cab
    p.rect(L - 8, 1, L - 3, 2, WIN[0])
    p.set(3, 2, BLACK)                               # exhaust
    p.rect(1, h - 3, L - 2, h - 3, BLACK)
    p.set(0, h - 4, LAMP)
    wheels(p, [4, 10, L - 7], h - 1)
    buffers(p, h - 2)
    return p


def road(L, h, kind):
    p = Pic(L, h)
    if kind == "bus":
        p.rect(0, 1, L - 1, h - 2, YELLOW)
        p.rect(1, 0, L - 2, 0, LGREY)
        windows(p, 3, L - 3, 2, 4, 3, 2)
        p.rect(0, 2, 1, 3, WIN[2])
        p.set(0, h - 3, LAMP)
        p.set(L - 1, h - 3, TAIL)
        wheels(p, [4, L - 7], h - 1, DGREY)
    elif kind == "lorry":
        p.rect(0, 1, 7, h - 2, RED)
        p.rect(1, 2, 3, 3, WIN[0])
        p.rect(9, 0, L - 1, h - 2, GREEN)
        p.set(0, h - 3, LAMP)
        wheels(p, [2, L - 9, L - 5], h - 1, DGREY)
    else:  # car
        p.rect(0, 2, L - 1, h - 2, LBLUE)
        p.rect(3, 0, L - 5, 1, LBLUE)
        p.rect(4, 1, L - 6, 1, WIN[1])
        p.set(0, h - 3, LAMP)
        wheels(p, [2, L - 4], h - 1, DGREY)
    return p


def ship(L, h, kind):
    p = Pic(L, h)
    p.rect(1, h - 3, L - 2, h - 1, WHITE if kind != "barge" else BLACK)
    p.set(0, h - 3, WHITE if kind != "barge" else BLACK)
    p.rect(2, h - 1, L - 3, h - 1, RED if kind != "barge" else RUST)
    if kind == "steamer":
        p.rect(L // 3, h - 6, L - 6, h - 4, WHITE)
        windows(p, L // 3 + 1, L - 7, h - 5, 3, 1, 1)
        p.rect(L // 2, 1, L // 2 + 1, h - 7, BLACK)  # funnel
        p.set(L // 2, 1, RED)
    elif kind == "boat":
        p.rect(L - 10, h - 6, L - 4, h - 4, WOOD)
        p.set(L - 8, h - 5, WIN[0])
    else:
        p.rect(L - 8, h - 6, L - 3, h - 4, WHITE)   # wheelhouse
        p.set(L - 6, h - 5, WIN[0])
        p.rect(4, h - 5, L - 12, h - 4, BROWN)       # cargo
    return p


def service(L, h, kind):
    p = Pic(L, h)
    if kind == "plough":
        p.rect(6, 1, L - 2, h - 2, ORANGE)
        p.rect(8, 2, L - 4, 2, WIN[0])
        for y in range(2, h - 1):                   # plough blade, no coupling in front
            p.rect(0, y, max(0, 6 - (h - 1 - y)), y, RED)
        wheels(p, [8, L - 5], h - 1)
        buffers(p, h - 2, front=False)
    elif kind == "crane":
        p.rect(1, h - 3, L - 2, h - 2, DGREY)
        p.rect(L - 14, 1, L - 6, h - 4, YELLOW)
        for i in range(L - 16):                     # jib lying over the idler
            p.set(L - 15 - i, max(0, 3 - i // 8), YELLOW)
        wheels(p, [3, 7, L - 9, L - 5], h - 1)
        buffers(p, h - 2)
    else:  # draisine
        p.rect(1, h - 4, L - 2, h - 2, ORANGE)
        p.rect(3, 1, L - 4, h - 5, WIN[0])
        p.rect(2, 0, L - 3, 0, ORANGE)
        p.set(0, h - 3, LAMP)
        wheels(p, [2, L - 4], h - 1)
    return p


def top_view(L, e2, body, roof=None, cab_rows=0):
    """Vertical travel: L/2 rows of e2 pixels, the front at row 0."""
    rows = L // 2
    p = Pic(e2, rows)
    p.rect(1, 0, e2 - 2, rows - 1, roof if roof is not None else body)
    p.rect(0, 1, 0, rows - 2, body)
    p.rect(e2 - 1, 1, e2 - 1, rows - 2, body)
    for y in range(3, rows - 2, 4):
        p.set(e2 // 2 - 1, y, DGREY)
    if cab_rows:
        p.rect(1, 1, e2 - 2, cab_rows, WIN[0])
    p.set(1, 0, DGREY)
    p.set(e2 - 2, 0, DGREY)
    return p


def end_view(e2, e3, body, lamps=True, group=0, rear=False):
    p = Pic(e2, e3)
    p.rect(1, 0, e2 - 2, e3 - 2, body)
    p.rect(0, 1, e2 - 1, e3 - 3, body)
    p.rect(2, 1, e2 - 3, 2, WIN[group])
    if lamps:
        c = TAIL if rear else LAMP
        p.set(1, e3 - 3, c)
        p.set(e2 - 2, e3 - 3, c)
    p.set(2, e3 - 1, BLACK)
    p.set(e2 - 3, e3 - 1, BLACK)
    return p


class Graphic:
    def __init__(self, name, desc, side, body, attr, e2=8, e3=6, spans=(), roof=None, cab_rows=0,
                 second=None, lamps=True):
        self.name, self.desc = name, desc
        self.s1 = side
        self.s2 = second if second is not None else side.mirrored()
        self.L, self.e1 = side.w, side.h
        self.e2, self.e3 = e2, e3
        self.attr = attr | A_PACKED
        self.spans = list(spans)
        self.t1 = top_view(self.L, e2, body, roof, cab_rows)
        self.t2 = self.t1.flipped()
        self.ends = [end_view(e2, e3, body, lamps), end_view(e2, e3, body, lamps, rear=True)]
        if attr & A_ENDS34:  # lit and dark ends
            self.ends += [end_view(e2, e3, body, False, 1), end_view(e2, e3, body, False, 2)]

    def areas(self):
        """The areas in file order: (picture, read column by column)."""
        out = [(self.s1, False), (self.s2, False), (self.t1, True), (self.ends[0], False),
               (self.t2, True), (self.ends[1], False)]
        if self.attr & A_ENDS34:
            out += [(self.ends[2], False), (self.ends[3], False)]
        return out

    def block(self):
        """The zoom-1 block as the program holds it in memory (every area row by row)."""
        w = []
        for pic, _ in self.areas():
            w += pic.words()
        return w


def chimney(col, width, height):
    """A smoke span: start column, kind = the chimney's top above the rails, length."""
    return (col, height, width)


def build_sets():
    L_, S = A_LEADS, A_SYMMETRIC
    sets = []
    # 40321 steam locomotives
    sets.append(("steam", 0x0001, [
        Graphic("Tank engine", "Small tank engine for branch lines", steam_loco(40, 7, GREEN),
                BLACK, L_, spans=[chimney(3, 2, 7)]),
        Graphic("Tender engine", "Goods engine, runs with a tender", steam_loco(48, 7, BLACK, True),
                BLACK, L_, spans=[chimney(3, 2, 7)]),
        Graphic("Tender", "Coal and water tender", tender(24, 6), BLACK, 0),
        Graphic("Express engine", "Express engine with lit and dark end views",
                steam_loco(64, 8, DRED), BLACK, L_ | A_ENDS34, e2=10, e3=7,
                spans=[chimney(3, 2, 8), chimney(20, 3, 6)]),
    ]))
    # 40320 passenger coaches
    sets.append(("coaches", 0x0008, [
        Graphic("Two-axle coach", "Short coach for branch lines", coach(40, 7, GREEN, group=0),
                GREEN, S, roof=GREY),
        Graphic("Bogie coach", "Long-distance coach", coach(64, 7, DRED, group=1), DRED, S,
                roof=GREY),
        Graphic("Dining car", "Dining car with kitchen", coach(64, 7, BLUE, group=2, door=[20]),
                BLUE, S, roof=GREY),
        Graphic("Driving trailer", "Coach with a driver's cab at the front",
                coach(64, 7, DRED, group=1, cab=True), DRED, L_, roof=GREY, cab_rows=2),
        Graphic("Luggage van", "Van for luggage and parcels", coach(48, 7, GREEN, door=[16, 30]),
                GREEN, S),
    ]))
    # 40310 freight wagons
    sets.append(("freight", 0x0010, [
        Graphic("Box wagon", "Covered goods wagon", wagon(32, 6, "box"), BROWN, S),
        Graphic("Open wagon", "Open wagon loaded with coal", wagon(32, 5, "open"), STEEL, S,
                roof=BLACK),
        Graphic("Tank wagon", "Tank wagon", wagon(32, 6, "tank"), SILVER, S),
        Graphic("Container wagon", "Flat wagon with two containers", wagon(48, 6, "flat"), ORANGE,
                S),
        Graphic("Brake van", "Brake van at the end of a goods train", wagon(24, 7, "caboose"), RED,
                A_REAR_CLOSED),
    ]))
    # 40740 electric locomotives
    el = loco(56, 7, BLUE, WHITE)
    pantograph(el, 14)
    pantograph(el, 40)
    emu = coach(64, 7, WHITE, roof=LGREY, group=1, cab=True)
    sets.append(("electric", 0x0002, [
        Graphic("Electric locomotive", "Mainline electric locomotive", el, BLUE, L_ | S),
        Graphic("Multiple unit, end car", "End car of an electric multiple unit", emu, WHITE, L_,
                roof=LGREY, cab_rows=2),
        Graphic("Multiple unit, middle car", "Middle car of an electric multiple unit",
                coach(64, 7, WHITE, roof=LGREY, group=1), WHITE, S, roof=LGREY),
    ]))
    # 40510 diesel locomotives
    sets.append(("diesel", 0x0004, [
        Graphic("Shunting locomotive", "Diesel shunter with a hood", shunter(32, 7), YELLOW, L_,
                cab_rows=3),
        Graphic("Diesel locomotive", "Mainline diesel locomotive", loco(56, 7, RED, BLACK), RED,
                L_ | S),
        Graphic("Railbus", "Diesel railbus", coach(48, 7, RED, roof=LGREY, group=0, cab=True), RED,
                L_ | S, roof=LGREY, cab_rows=2),
    ]))
    # 20020 trams
    tram = coach(48, 7, YELLOW, roof=LGREY, group=2, cab=True)
    pantograph(tram, 22)
    sets.append(("trams", 0x0020, [
        Graphic("Tram", "Two-axle tram", tram, YELLOW, L_ | S, roof=LGREY, cab_rows=2),
        Graphic("Tram trailer", "Trailer of a tram", coach(40, 7, YELLOW, roof=LGREY, group=2),
                YELLOW, S, roof=LGREY),
    ]))
    # 20010 road vehicles: they couple to nothing
    closed = A_FRONT_CLOSED | A_REAR_CLOSED | L_
    sets.append(("road", 0x0040, [
        Graphic("Bus", "Town bus", road(40, 7, "bus"), YELLOW, closed, cab_rows=2),
        Graphic("Lorry", "Lorry with a tarpaulin", road(32, 7, "lorry"), GREEN, closed,
                cab_rows=3),
        Graphic("Car", "Motor car", road(16, 5, "car"), LBLUE, closed, e2=6, e3=4, cab_rows=2),
    ]))
    # 20001 ships
    sets.append(("ships", 0x0080, [
        Graphic("Paddle steamer", "Excursion steamer", ship(64, 10, "steamer"), WHITE, closed,
                e2=12, e3=8, spans=[chimney(32, 2, 10)]),
        Graphic("Motor boat", "Small motor boat", ship(24, 6, "boat"), WHITE, closed, e2=6, e3=4),
        Graphic("Barge", "Motor barge", ship(80, 7, "barge"), BLACK, closed, e2=12, e3=5),
    ]))
    # 6256 service vehicles
    sets.append(("service", 0x0100, [
        Graphic("Snow plough", "Snow plough, pushed in front of a locomotive",
                service(24, 7, "plough"), ORANGE, A_FRONT_CLOSED),
        Graphic("Crane wagon", "Breakdown crane", service(48, 7, "crane"), YELLOW, 0),
        Graphic("Draisine", "Motor draisine for track inspection", service(16, 6, "draisine"),
                ORANGE, L_ | S, e2=6, e3=5, cab_rows=2),
    ]))
    return sets


# ---- packed pixels ---------------------------------------------------------------------------------

def pack(words):
    """The writer rule: groups of equal pixels; a group of 1 is the plain word, 2..257 a run word
    (with the value, or the transparent run without it); a group of 257 is written at once."""
    out = bytearray()

    def emit(v, c):
        if c == 1:
            out.extend(struct.pack("<I", v))
        elif v == T:
            out.extend(struct.pack("<I", (c - 2) | 0xC0010000))
        else:
            out.extend(struct.pack("<II", (c - 2) | 0xC0000000, v))

    cur, count = None, 0
    for w in words:
        assert (w >> 24) != 0xC0
        if count and w == cur:
            count += 1
            if count == 257:
                emit(cur, count)
                cur, count = None, 0
            continue
        if count:
            emit(cur, count)
        cur, count = w, 1
    if count:
        emit(cur, count)
    return bytes(out)


def graphic_pixels(g, packed=True):
    if not packed:
        raise ValueError
    words = []
    for pic, by_column in g.areas():
        words += pic.columns() if by_column else pic.words()
    return pack(words)


def check_graphic(g):
    assert 8 <= g.L <= 256 and 2 <= g.e1 <= 14 and 4 <= g.e2 <= 16 and 2 <= g.e3 <= 14, g.name
    for start, kind, length in g.spans:
        assert 0 <= start < g.L and 4 <= kind <= 13 and length >= 1 and start + length <= g.L


# ---- the files -------------------------------------------------------------------------------------

def file_header(text, version=0x3830):
    return text.encode("ascii") + b"\r\n\x1a" + bytes([0x46, 0x5A, 0xC7]) + struct.pack(">H", version)


def with_index(head, records, end_pair=True):
    """records: (key, bytes) in index order; offsets are forward distances from the byte after
    each pair."""
    n = len(records)
    index_size = 6 * n + (6 if end_pair else 2)
    out = bytearray(head)
    pos = 0
    starts = []
    for _, r in records:
        starts.append(pos)
        pos += len(r)
    for i, (key, _) in enumerate(records):
        after = 6 * (i + 1)
        out += struct.pack("<HI", key, index_size - after + starts[i])
    out += struct.pack("<HI", 0, 0) if end_pair else struct.pack("<H", 0)
    for _, r in records:
        out += r
    return bytes(out)


def program_record(key, category, name_id, graphics, text_ids):
    r = bytearray(struct.pack("<HHI", key, len(graphics), category))
    r += struct.pack("<H", name_id)
    for slot, g in enumerate(graphics):
        check_graphic(g)
        r += struct.pack("<BHHHHI", slot, g.L, g.e1, g.e2, g.e3, g.attr)
        r += struct.pack("<B", len(g.spans))
        for s in g.spans:
            r += struct.pack("<HHH", *s)
        r += struct.pack("<5H", *text_ids[slot])
        r += graphic_pixels(g)
    return bytes(r)


def user_record(key, category, set_name, graphics, slots=None, texts=None, packed=True):
    r = bytearray(struct.pack("<HHI", key, len(graphics), category))
    if texts is None:
        parts = [set_name]
        for g in graphics:
            parts += [g.name, g.desc, "", "", ""]
        texts = b"".join(p.encode("cp1252") + b"\0" for p in parts)
    r += struct.pack("<I", len(texts)) + texts
    for i, g in enumerate(graphics):
        slot = slots[i] if slots else i
        attr = g.attr if packed else g.attr & ~A_PACKED
        r += struct.pack("<BHHHHI", slot, g.L, g.e1, g.e2, g.e3, attr)
        r += struct.pack("<B", len(g.spans))
        for s in g.spans:
            r += struct.pack("<HHH", *s)
        if packed:
            r += graphic_pixels(g)
        else:  # one colour-number byte per pixel word of the block
            r += bytes((i * 7 + 3) % 16 for i in range(len(g.block())))
    return bytes(r)


def conversion_record(key, new_codes):
    """Translation of old vehicle codes: count, category word 0, then the new codes."""
    return struct.pack("<HHI", key, len(new_codes), 0) + b"".join(
        struct.pack("<I", c) for c in new_codes)


def read_lang(folder):
    texts = {}
    path = os.path.join(folder, "vehicles.txt")
    with open(path, encoding="utf-8-sig") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            k, v = line.split(" ", 1)
            texts[int(k)] = v
    return texts


def default_file(sets, lang_dirs):
    records = []
    ids_used = []
    for s, (key, (tag, category, graphics)) in enumerate(zip(DEFAULT_KEYS, sets)):
        assert category and not category & 0x8000
        name_id = TEXT_BASE + 100 * s
        text_ids = [(name_id + 10 * (i + 1), name_id + 10 * (i + 1) + 1, 0, 0, 0)
                    for i in range(len(graphics))]
        ids_used.append(name_id)
        for t in text_ids:
            ids_used += [t[0], t[1]]
        records.append((key, program_record(key, category, name_id, graphics, text_ids)))
    # old vehicle codes 16..47 (keys 1 and 2) translate to graphics of the default sets
    conv1 = [DEFAULT_KEYS[0] * 16 + 0, DEFAULT_KEYS[0] * 16 + 1, DEFAULT_KEYS[0] * 16 + 2,
             DEFAULT_KEYS[1] * 16 + 0, DEFAULT_KEYS[1] * 16 + 1, DEFAULT_KEYS[2] * 16 + 0]
    conv2 = [DEFAULT_KEYS[3] * 16 + 0, DEFAULT_KEYS[4] * 16 + 1]
    records += [(1, conversion_record(1, conv1)), (2, conversion_record(2, conv2))]
    records.sort(key=lambda r: r[0])  # browsing takes the first key at or above the one wanted
    for lang in lang_dirs:
        texts = read_lang(lang)
        for i in ids_used:
            assert 40000 <= i <= 65535 and i in texts, "text %u missing in %s" % (i, lang)
    return with_index(file_header("quil vehicle graphics. Made by tools/vehicles/gen_vehicles.py."),
                      records)


# ---- user vehicle-graphic files and numbered files (reader tests) ---------------------------------

def user_file(records, version=0x3830):
    """records: (record number 0..9, bytes); keys 4000 + record."""
    return with_index(file_header("quil user vehicle graphics (test file)", version),
                      [(4000 + n, r) for n, r in records])


def old_tile_rows(colour, rows, planar, skip_rows=0):
    out = bytearray()
    for y in range(rows + skip_rows):
        c = colour if y < rows else 0
        if planar:
            for plane in range(4):
                out.append(0xFF if (c >> plane) & 1 else 0)
            out.append(0x01)  # the last pixel of each row is masked (transparent)
        else:
            out += bytes([c] * 7 + [255])
    return out


def old_record(key, version, a, b, graphics, bytepixel=False, name=b"Old set", comp=None,
               m_delta=0):
    """An older record: a tiles of 8 x 14, b tiles of 8 x 4, graphics = list of tile-byte groups
    (g1, g2, g3, g4) of c bytes each."""
    planar = not bytepixel
    r = bytearray(struct.pack("<H", key))
    if comp is None:
        comp = bytearray()
        for g in graphics:
            c = len(g[0])
            comp.append(c)
            for grp in g:
                assert len(grp) == c
                comp += bytes(grp)
    m = len(comp) + m_delta
    r += struct.pack("<HHHH", a | (0x8000 if bytepixel else 0), b, len(graphics), m)
    r += name + b"\0"
    for t in range(a):
        r += old_tile_rows(2 + t % 12, 14, planar, 2 if version == 0x3400 else 0)
    for t in range(b):
        r += old_tile_rows(9 + t % 6, 4, planar)
    r += bytes(comp)
    return bytes(r)


def old_file(version, records):
    """records: (record number, bytes); keys record * 16 + 64000."""
    if version == 0x3400:
        head = b"quil old vehicle graphics (test file)\r\n\x1a" + bytes([0x46, 0xDA, 0x47])
    else:
        head = file_header("quil old vehicle graphics (test file)", version)
    return with_index(head, [((n * 16 + 64000) & 0xFFFF, r) for n, r in records])


def numbered_record(key, n, name, entries, attrs, kind=1, m_values=(7,), R_delta=0, name_raw=None):
    body = bytearray()
    for e in entries:
        body += e + b"\0"
    body += b"\0"
    for a in attrs:
        body += struct.pack("<HHHH", 1, a, 0, 0) + struct.pack("<HH", 3, 65535)
    nm = name_raw if name_raw is not None else name.encode("cp437")[:22].ljust(22, b" ")
    r = bytearray(struct.pack("<HHHH", key, kind, len(body) + R_delta, n))
    r += nm
    r += struct.pack("<H", len(m_values)) + b"".join(struct.pack("<H", v) for v in m_values)
    r += body
    return bytes(r)


def numbered_file(records, magic=bytes([0x5A, 0xC7, 0x47])):
    out = bytearray(b"quil numbered vehicle graphics (test file)\r\n\x1a") + magic
    n = len(records)
    index_size = 6 * n + 2
    pos, starts = 0, []
    for _, r in records:
        starts.append(pos)
        pos += len(r)
    for i, (key, _) in enumerate(records):
        out += struct.pack("<HI", key, index_size - 6 * (i + 1) + starts[i])
    out += struct.pack("<H", 0)
    for _, r in records:
        out += r
    return bytes(out) + struct.pack("<H", 0)  # a key 0 ends the records


def title57(path):
    """A title file of the packed form: two pictures of 40 x 24."""
    pics = []
    for n in range(2):
        bg = 0x00204060 + n
        words = []
        for y in range(24):  # rows from the bottom upwards
            for x in range(40):
                if 8 <= x < 32 and 6 <= y < 18:
                    words.append(0x00C02020 if (x // 4 + y // 4 + n) % 2 else 0x0020C020)
                else:
                    words.append(bg)
        pics.append(struct.pack("<HHI", 40, 24, bg) + pack(words))
    out = bytearray(b"quil title pictures, packed (test file)\r\n\x1a")
    out += bytes([0x54, 0xC2, 0x44, 57]) + struct.pack("<I", len(pics))
    pos = 0
    for i, p in enumerate(pics):
        out += struct.pack("<I", 4 * len(pics) - 4 * (i + 1) + pos)
        pos += len(p)
    for p in pics:
        out += p
    with open(path, "wb") as f:
        f.write(out)


def write_tests(folder, sets):
    os.makedirs(folder, exist_ok=True)
    cases = []
    files = {}
    g = sets[0][2]  # steam set
    c = sets[1][2]  # coaches
    # user file 1 ("user1.nfz"): records 0 (packed), 1 (unpacked, category with bit 15), 2 (slots 5, 9)
    good = [(0, user_record(4000, 0x0200, "My locomotives", [g[0], g[2]])),
            (1, user_record(4001, 0x8200, "Plain pixels", [c[0]], packed=False)),
            (2, user_record(4002, 0x0400, "Slots apart", [c[1], c[2]], slots=[5, 9]))]
    files["user1.nfz"] = user_file(good)
    cases += [("user1.nfz", 1, 0, 0), ("user1.nfz", 1, 1, 0), ("user1.nfz", 1, 2, 0),
              ("user1.nfz", 1, 3, 5)]

    def bad(name, record, expected, note):
        files[name] = user_file([(0, record)])
        cases.append((name, 1, 0, expected))

    one = [g[0]]

    def graphic_fields(slot=0, L=40, e1=7, e2=8, e3=6, attr=A_PACKED, spans=()):
        b = struct.pack("<BHHHHI", slot, L, e1, e2, e3, attr) + struct.pack("<B", len(spans))
        for s in spans:
            b += struct.pack("<HHH", *s)
        return b

    def raw_user(n, category, texts, graphics_bytes):
        return struct.pack("<HHI", 4000, n, category) + struct.pack("<I", len(texts)) + texts + \
            graphics_bytes

    texts1 = b"S\0a\0b\0c\0d\0e\0"
    px = graphic_pixels(g[0])

    def g_ok(**kw):
        return graphic_fields(L=g[0].L, e1=g[0].e1, e2=g[0].e2, e3=g[0].e3, **kw) + px

    bad("bad_count0.nfz", raw_user(0, 1, b"S\0", b""), 20, "no graphics")
    bad("bad_count17.nfz", raw_user(17, 1, texts1, b""), 20, "17 graphics")
    bad("bad_category0.nfz", raw_user(1, 0, texts1, g_ok()), 21, "category 0")
    bad("bad_textlen0.nfz", struct.pack("<HHII", 4000, 1, 1, 0), 23, "text length 0")
    bad("bad_textlen.nfz", struct.pack("<HHII", 4000, 1, 1, 6514), 23, "text length 6514")
    bad("bad_textcount.nfz", raw_user(1, 1, b"\0\0\0\0\0", g_ok()), 24, "5 n zero bytes")
    bad("bad_L.nfz", raw_user(1, 1, texts1, graphic_fields(L=257)), 25, "L 257")
    bad("bad_L7.nfz", raw_user(1, 1, texts1, graphic_fields(L=7)), 25, "L 7")
    bad("bad_e1.nfz", raw_user(1, 1, texts1, graphic_fields(e1=15)), 26, "e1 15")
    bad("bad_e2.nfz", raw_user(1, 1, texts1, graphic_fields(e2=17)), 27, "e2 17")
    bad("bad_e3.nfz", raw_user(1, 1, texts1, graphic_fields(e3=1)), 28, "e3 1")
    bad("bad_spans.nfz", raw_user(1, 1, texts1, graphic_fields()[:-1] + b"\x04"), 29, "4 spans")
    bad("bad_spanstart.nfz", raw_user(1, 1, texts1, graphic_fields(spans=[(40, 5, 1)])), 30, "")
    bad("bad_spankind.nfz", raw_user(1, 1, texts1, graphic_fields(spans=[(3, 14, 1)])), 31, "")
    bad("bad_spanlen0.nfz", raw_user(1, 1, texts1, graphic_fields(spans=[(3, 5, 0)])), 32, "")
    bad("bad_spanend.nfz", raw_user(1, 1, texts1, graphic_fields(spans=[(30, 5, 11)])), 33, "")
    bad("bad_slot16.nfz", raw_user(1, 1, texts1, graphic_fields(slot=16)), 34, "")
    texts2 = b"S\0" + b"a\0b\0c\0d\0e\0" * 2
    bad("bad_slot_twice.nfz",
        raw_user(2, 1, texts2, g_ok(slot=3) + graphic_fields(slot=3, L=g[0].L, e1=g[0].e1,
                                                              e2=g[0].e2, e3=g[0].e3)), 35, "")
    bad("bad_pixels_short.nfz", raw_user(1, 1, texts1, g_ok()[:-9]), 2, "pixels cut short")
    files["bad_magic.nfz"] = b"x\x1a\x46\x5A\xC8\x38\x30"
    cases.append(("bad_magic.nfz", 1, 0, 6))
    files["bad_version.nfz"] = user_file(good, version=0x3831)
    cases.append(("bad_version.nfz", 1, 0, 6))
    files["bad_short.nfz"] = b"x\x1a\x46\x5A"
    cases.append(("bad_short.nfz", 1, 0, 2))
    files["bad_index.nfz"] = file_header("x") + struct.pack("<HI", 4001, 0) + b"\x00"
    cases.append(("bad_index.nfz", 1, 0, 4))
    rec = user_record(4000, 1, "x", one)
    files["bad_key.nfz"] = with_index(file_header("x"), [(4000, struct.pack("<H", 4005) + rec[2:])])
    cases.append(("bad_key.nfz", 1, 0, 2))
    cases.append(("missing.nfz", 1, 0, 1))  # the file cannot be opened

    # older forms with their numbered files
    v1 = [([1, 2], [0, 1], [1, 0], [1, 0]), ([0x80, 0x40 | 1, 1], [0, 1, 0], [1, 1, 0], [0, 0, 1])]
    v0 = [([2, 3], [4 + 0, 4 + 1], [3, 2], [4 + 2, 4 + 0])]  # version 0x3400: second kind after a
    files["old3509.nfz"] = old_file(0x3509, [(0, old_record(64000, 0x3509, 3, 2, v1)),
                                             (1, old_record(64016, 0x3509, 3, 2, v1, True))])
    files["old3506.nfz"] = old_file(0x3506, [(0, old_record(64000, 0x3506, 3, 2, v1))])
    files["old3400.nfz"] = old_file(0x3400, [(0, old_record(64000, 0x3400, 4, 3, v0))])
    cases += [("old3509.nfz", 1, 0, 0), ("old3509.nfz", 1, 1, 0), ("old3506.nfz", 1, 0, 0),
              ("old3400.nfz", 1, 0, 0)]
    files["old3509.uzz"] = numbered_file([
        (50000, numbered_record(50000, 2, "Old\tset", [b"Coach", b"c", b"d", b"Loco", b"x", b"y"],
                                [0x0001, 0x8040])),
        (50001, numbered_record(50001, 2, "", [b"A", b"B", b"C", b"D", b"E", b"F"], [0, 0],
                                m_values=(1, 2), name_raw=bytes(22))),
    ])
    # broken older records
    files["old_badtile.nfz"] = old_file(0x3509, [(0, old_record(64000, 0x3509, 2, 2,
                                                                [([5], [0], [0], [0])]))])
    files["old_badtile2.nfz"] = old_file(0x3509, [(0, old_record(64000, 0x3509, 2, 2,
                                                                 [([0], [3], [0], [0])]))])
    files["old_shortcomp.nfz"] = old_file(0x3509, [(0, old_record(64000, 0x3509, 3, 2, v1,
                                                                  m_delta=-1))])
    files["old_limits.nfz"] = old_file(0x3509, [(0, old_record(64000, 0x3509, 65, 2, v1))])
    files["old_n9.nfz"] = old_file(0x3509, [(0, old_record(64000, 0x3509, 3, 2, v1 * 5))])
    cases += [("old_badtile.nfz", 1, 0, 6), ("old_badtile2.nfz", 1, 0, 6),
              ("old_shortcomp.nfz", 1, 0, 3), ("old_limits.nfz", 1, 0, 6), ("old_n9.nfz", 1, 0, 6)]
    # numbered files with faults (for the numbered-file readers)
    files["num_few.uzz"] = numbered_file([(50000, numbered_record(50000, 2, "Few",
                                                                  [b"a", b"b"], [0, 0]))])
    files["num_R.uzz"] = numbered_file([(50000, numbered_record(50000, 1, "R short",
                                                                [b"abc", b"d", b"e"], [0],
                                                                R_delta=-15))])
    files["num_kind0.uzz"] = numbered_file([(50000, numbered_record(50000, 1, "k",
                                                                    [b"a", b"b", b"c"], [0],
                                                                    kind=0))])
    files["num_magic.uzz"] = numbered_file([], magic=b"\x5A\xC7\x48")
    files["num_short.uzz"] = b"x\x1a\x5A\xC7"
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    title57(os.path.join(folder, "quil57.tbd"))
    with open(os.path.join(folder, "cases.txt"), "w", newline="\n") as f:
        f.write("# user file name, file number, record, expected result of the set reader\n")
        for name, fileno, record, expected in cases:
            f.write("%s %u %u %u\n" % (name, fileno, record, expected))


# ---- contact sheet ---------------------------------------------------------------------------------


def write_sheet(path, sets):
    """One row per vehicle: right-going and left-going side views (both pictures), the two top
    views (up and down) and the end views, at twice the size on the background colour."""
    scale, pad = 2, 4
    rows = []
    for _, _, graphics in sets:
        for g in graphics:
            pics = [g.s1, g.s2, g.s1.mirrored(), g.s2.mirrored(), g.t1, g.t2] + g.ends
            rows.append(pics)
    width = max(sum(p.w * scale + pad for p in r) for r in rows) + pad
    heights = [max(p.h for p in r) * scale + pad for r in rows]
    height = sum(heights) + pad
    bg = (0x00, 0x70, 0x00)
    img = [[bg] * width for _ in range(height)]
    y0 = pad
    for r, hgt in zip(rows, heights):
        x0 = pad
        for p in r:
            for y in range(p.h):
                for x in range(p.w):
                    v = p.px[y][x]
                    if v == T:
                        continue
                    c = ((v >> 16) & 255, (v >> 8) & 255, v & 255)
                    for dy in range(scale):
                        for dx in range(scale):
                            img[y0 + y * scale + dy][x0 + x * scale + dx] = c
            x0 += p.w * scale + pad
        y0 += hgt
    png(path, width, height, [[c for px in row for c in px] for row in img])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", required=True)
    ap.add_argument("--lang", required=True)
    ap.add_argument("--no-sheet", action="store_true")
    a = ap.parse_args()
    os.makedirs(a.data, exist_ok=True)
    sets = build_sets()
    assert len(sets) == 9
    data = default_file(sets, [os.path.join(a.lang, l) for l in ("en", "de")])
    with open(os.path.join(a.data, "quil.fzg"), "wb") as f:
        f.write(data)
    write_tests(os.path.join(a.data, "vehicle_tests"), sets)
    if not a.no_sheet:
        write_sheet(os.path.join(a.data, "quil_vehicles.png"), sets)
    else:
        open(os.path.join(a.data, "quil_vehicles.png"), "ab").close()


if __name__ == "__main__":
    sys.exit(main())
