#!/usr/bin/env python3
"""Builds network files for the tests, byte by byte from the file layouts (header, pair-run
compression, general section, grid section, the empty forms of the other sections), in every
version form the readers know. Usage: make_fixtures.py <output folder>"""
import os
import struct
import sys

CURRENT = 14400
MAGIC = bytes([0x4A, 0xC2, 0x4E, 0xD4])


# ---- pair-run compression ------------------------------------------------------------------------
class PairRun:
    def __init__(self):
        self.out = bytearray()
        self.a = None
        self.b = None
        self.again = False
        self.r = 0

    def literal(self, v):
        if v == 0xC5:
            self.out += b"\xC5\x00"
        elif v == 0xB5:
            self.out += b"\xB5\x00\x00"
        else:
            self.out.append(v)

    def flush(self):
        if self.a is None:
            return
        if self.r == 0:
            self.literal(self.a)
            if self.b is not None:
                self.literal(self.b)
            if self.again:
                self.literal(self.a)
        else:
            if self.r < 256:
                self.out += bytes([0xC5, self.r, self.a, self.b])
            else:
                self.out += bytes([0xB5, self.r & 0xFF, self.r >> 8, self.a, self.b])
            if self.again:
                self.literal(self.a)
        self.a = self.b = None
        self.again = False
        self.r = 0

    def put(self, v):
        if self.a is None:
            self.a = v
        elif self.b is None:
            self.b = v
        elif self.again:
            if v == self.b:
                self.again = False
                self.r += 1
                if self.r == 65500:
                    self.flush()
            else:
                self.flush()
                self.a = v
        elif v == self.a:
            self.again = True
        elif self.r > 0:
            self.flush()
            self.a = v
        else:
            self.literal(self.a)
            self.a = self.b
            self.b = v

    def compress(self, data):
        for v in data:
            self.put(v)
        self.flush()
        return bytes(self.out)


# ---- little helpers ------------------------------------------------------------------------------
def u8(v): return struct.pack("<B", v & 0xFF)
def u16(v): return struct.pack("<H", v & 0xFFFF)
def u32(v): return struct.pack("<I", v & 0xFFFFFFFF)
def tag4(t): return t.encode("ascii")
def tag2(t): return t.encode("ascii")


def sect_tag(v, t4, t2):
    return tag4(t4) if v >= 14389 else tag2(t2)


def count(v, n, u32_from):
    return u32(n) if v >= u32_from else u16(n)


def pos(v, x, y, level):
    if v >= 14400:
        return struct.pack("<hhb", x, y, level)
    if v >= 14396:
        return u32(x) + u32(y) + u32(level)
    if v >= 14389:
        return u32(x) + u32(y)
    return u16(x) + u16(y)


def wide(text):
    return text.encode("utf-16-le") + b"\x00\x00"


def text(v, s):
    return wide(s) if v >= 14389 else s.encode("latin-1") + b"\x00"


def shifted(v, s):
    units = [ord(c) for c in s] + [0]
    if v >= 14389:
        return b"".join(u16(c + 3 * i + 7) for i, c in enumerate(units))
    return bytes(((c + (3 * i) % 256 + 7) & 0xFF) for i, c in enumerate(units))


def header(version, low_in_middle=False):
    text_part = b"quil test network 0.0\r\nmade by the fixture generator\r\n\x1a"
    hi, lo = version >> 8, version & 0xFF
    if version < 0x3500:
        return text_part + bytes([hi]) + MAGIC
    if low_in_middle:
        return text_part + bytes([hi, lo]) + MAGIC
    return text_part + bytes([hi]) + MAGIC + bytes([lo])


# ---- the document of a fixture -------------------------------------------------------------------
def default_doc():
    """State of a new network whose first edit window is 100 x 50 cells (texts set by the test)."""
    return {
        "origin": (16334, 16359), "cursor": (16384, 16384, 0),
        "saved": [(16384, 16384, 0, 0, "")] * 200,
        "home": (16384, 16384, 0), "mark": (16384, 16384, 16384, 16384, 0),
        "construction": (16384, 16384),
        "speed": 15, "weekday": 1, "hour": 0, "minute": 0, "second": 0, "tick": 0,
        "minutes": 0, "stop": (255, 255, 0), "repeat": 0,
        "area": ((0, 0, 0), (0, 0, 0)), "flags": 0, "seed": None,
        "scale": 64, "params": (0, 0, 64, 64, 16, 16), "switch": "g",
        "daytimes": (0x0700, 0x1100, 0x121E, 0x051E),
        "symfiles": [""] * 100, "vehfiles": [""] * 100,
        "texts": ("", "", ""),
        "cells": {},            # (x, y, level) -> code
        "password": None,       # 17-byte field when protected
    }


def small_doc():
    d = default_doc()
    d["origin"] = (100, 200)
    d["cursor"] = (150, 220, -1)
    saved = list(d["saved"])
    saved[0] = (10, 20, 0, 0x7F0C1E00, "Alpha")
    saved[5] = (30, 40, -2, 0x040A0000, "Platz \u00e4\u20ac")
    d["saved"] = saved
    d["home"] = (300, 400, -1)
    d["mark"] = (10, 11, 20, 21, 0xFFFFFFFF)   # level -1 as u32
    d["construction"] = (500, 600)
    d.update(speed=7, weekday=3, hour=13, minute=45, second=30, tick=10, minutes=12345)
    d["stop"] = (15, 18, 2)
    d["repeat"] = 3
    d["flags"] = 0x01 | 0x08 | 0x20
    d["seed"] = 4242
    d["scale"] = 32
    d["params"] = (1, 2, 3, 4, 5, 6)
    d["switch"] = "G"
    d["daytimes"] = (0x0800, 0x1200, 0x1300, 0x0600)
    sym = [""] * 100
    sym[0] = "a.uzg"
    sym[3] = "b.uzg"
    veh = [""] * 100
    veh[0] = "v.nfz"
    d["symfiles"] = sym
    d["vehfiles"] = veh
    d["texts"] = ("Hello", "World", "Info text")
    cells = {}
    cells[(1, 2, 0)] = 0x0201
    cells[(63, 63, 0)] = 0xE003
    cells[(70, 5, 0)] = 0x4030
    for x in range(300):             # a long run of one code and gaps of every length
        cells[(128 + x, 64, 0)] = 0x0205
    cells[(5000, 7000, -2)] = 0xC001
    cells[(5001, 7000, -4)] = 0xD123
    d["cells"] = cells
    xs = [c[0] for c in cells]
    ys = [c[1] for c in cells]
    ls = [c[2] for c in cells]
    d["area"] = ((min(xs), min(ys), min(ls)), (max(xs), max(ys), max(ls)))
    return d


# ---- general section -----------------------------------------------------------------------------
def general_section(v, d):
    b = bytearray(sect_tag(v, "GENL", "GN"))
    w = u32 if v >= 14389 else u16
    b += w(d["origin"][0]) + w(d["origin"][1])
    b += pos(v, *d["cursor"])
    saved = d["saved"]
    if v >= 14338:
        b += u32(len(saved))
    else:
        saved = saved[:10]
    for i, (x, y, level, alarm, name) in enumerate(saved):
        if 14338 <= v < 14389:
            b += u16(i)
        b += pos(v, x, y, level)
        if v >= 14338:
            if v < 14395:
                b += u16(0xFFFF if alarm == 0 else (alarm >> 8) & 0xFFFF)
            elif v == 14395:
                b += u32(65535 if alarm == 0 else alarm)
            else:
                b += u32(alarm)
            b += text(v, name)
    if v >= 13574:
        b += pos(v, *d["home"])
    m = d["mark"]
    if v >= 14389:
        b += u32(m[0]) + u32(m[1]) + u32(m[2]) + u32(m[3])
        if v >= 14396:
            b += u32(m[4])
    elif v >= 13576:
        b += u16(m[0]) + u16(m[1]) + u16(m[2]) + u16(m[3])
    if v >= 14389:
        b += u32(d["construction"][0]) + u32(d["construction"][1])
    elif v >= 14344:
        b += u16(d["construction"][0]) + u16(d["construction"][1])
    b += u8(d["speed"]) + u8(d["weekday"]) + u8(d["hour"]) + u8(d["minute"])
    if v >= 14160:
        b += u8(d["second"]) + (u32 if v >= 14389 else u16)(d["tick"] * 20)
    else:
        b += u16(d["second"] * 10 + d["tick"] // 5)
    if v >= 14162:
        b += u32(d["minutes"])
    minute, hour, weekday = d["stop"]
    if v >= 14389:
        b += u8(minute) + u8(hour) + u8(weekday)
    elif v >= 13576:
        b += u16(hour << 8 | minute)
    if v >= 14337:
        b += u32(d["repeat"])
    if 13576 <= v < 14389:
        b += u16(0)
    (x1, y1, l1), (x2, y2, l2) = d["area"]
    b += pos(v, x1, y1, l1) + pos(v, x2, y2, l2)
    if 14389 <= v < 14396:
        b += u32(0)
    elif v < 14389:
        b += u16(0) + u16(0)
    b += w(d["flags"])
    if v >= 14384 and d["flags"] & 0x20:
        b += u32(d["seed"])
    b += w(d["scale"])
    if v >= 13569:
        for p in d["params"]:
            b += w(p)
    if v >= 13574:
        b += d["switch"].encode("ascii")
    if v >= 13577:
        for t in d["daytimes"]:
            b += u16(t)
    if v >= 13573:
        sym = d["symfiles"]
        if v >= 14160:
            b += w(len(sym))
            for name in sym:
                b += text(v, name)
        else:
            b += u16(4)
            for name in sym[:4]:
                b += text(v, name)
        veh = d["vehfiles"]
        if v >= 14165:
            b += w(len(veh))
            for name in veh:
                b += text(v, name)
        else:
            b += u16(1) + text(v, "skipped.ufg") + text(v, veh[0])
    b += shifted(v, d["texts"][0]) + shifted(v, d["texts"][1])
    t2 = d["texts"][2]
    if v >= 14389:
        b += u32(len(t2) + 1) + wide(t2)
    else:
        b += u16(len(t2) + 1) + t2.encode("latin-1") + b"\x00"
    return bytes(b)


# ---- grid section --------------------------------------------------------------------------------
def run_words(codes):
    """Stored words of a sequence of cells (None = empty): a run of n empty cells (1..256) is one
    word (n - 1) | 0x8000, written at once when it reaches 256 and before the next code."""
    words = []
    run = 0
    for code in codes:
        if code is None:
            run += 1
            if run == 256:
                words.append(0x80FF)
                run = 0
            continue
        if run:
            words.append(0x8000 | (run - 1))
            run = 0
        words.append(code)
    if run:
        words.append(0x8000 | (run - 1))
    return words


def block_words(cells, bx, by, level):
    codes = (cells.get((bx + (i & 63), by + (i >> 6), level), 0xC000) for i in range(4096))
    return run_words(None if c == 0xC000 else c for c in codes)


def grid_section(v, cells):
    blocks = sorted({(y >> 6, x >> 6, -lv) for (x, y, lv), c in cells.items()})
    b = bytearray()
    if v >= 14389:
        b += tag4("NETZ")
    else:
        b += tag2("NP")
    if v < 14396:
        b += u32(0) + u8(255)
        b += tag2("QU")
    else:
        b += tag4("QUAD")
    wide_fields = v >= 14397
    b += (u32 if wide_fields else u16)(64) * 2
    if v >= 14396:
        b += (u32 if wide_fields else u16)(5)
    b += (u32 if v >= 14389 else u16)(len(blocks))
    for row, col, li in blocks:
        bx, by, level = col * 64, row * 64, -li
        b += pos(v, bx, by, level)
        for word in block_words(cells, bx, by, level):
            b += u16(word)
    return bytes(b)


def flat_grid_section(cells):
    """The old flat layout: level 0 of a 2048-cell-wide grid, stored codes row by row."""
    last = max(y * 2048 + x for (x, y, lv) in cells)
    words = run_words(cells.get((i % 2048, i // 2048, 0)) for i in range(last + 1))
    assert len(words) < 16384
    return tag2("NP") + u32(len(words)) + u8(1) + b"".join(u16(w) for w in words)


# ---- the other sections, empty -------------------------------------------------------------------
def empty_sections(v, password=None, wein=None, lind=None, depo=None, zugd=None):
    def slice_bytes(first, last):
        if password is None:
            return b""
        return bytes((password[i] if i < len(password) else 0) for i in range(first, last + 1))

    s = []
    s.append(slice_bytes(0, 2))
    s.append(zugd if zugd is not None else
             sect_tag(v, "ZUGD", "ZU") + count(v, 0, 14343))                     # trains
    s.append(slice_bytes(2, 5))
    s.append(wein if wein is not None else
             sect_tag(v, "WEIN", "WE") + count(v, 0, 14170))                     # switches
    s.append(b"" if v < 14170 else sect_tag(v, "RNGP", "RP") + u32(0))            # route points
    s.append(slice_bytes(4, 7))
    depot = sect_tag(v, "DEPO", "BF")
    if v < 13575:
        depot += u16(99)
    if v < 13569:
        depot += (pos(v, 0, 0, 0) + b"\x00" * 4) * 99
    else:
        depot += count(v, 0, 14389)
    s.append(depo if depo is not None else depot)                                 # depots
    s.append(slice_bytes(7, 9))
    s.append(sect_tag(v, "TKTP", "EP") + count(v, 0, 14171))                      # TP
    s.append(b"" if v < 14171 else sect_tag(v, "DWXP", "LW") + u32(0))            # Dwx
    s.append(slice_bytes(8, 11))
    if v >= 14390:
        s.append(tag4("SIGS") + u32(0) + tag4("SIGE") + u32(0))                 # signals
    else:
        s.append(tag2("SI") + u16(0) + count(v, 0, 14346))
    s.append(slice_bytes(10, 14))
    if v >= 14389:
        s.append(tag4("ZKTN") + u32(0))                                           # text labels
    elif v >= 13577:
        s.append(tag2("ZK") + count(v, 0, 14162) + u16(0))
    else:
        s.append(b"\x00\x00" * 4000)
    s.append(slice_bytes(13, 16))
    s.append(sect_tag(v, "HSTP", "HS") + count(v, 0, 14167))                      # stops
    s.append(slice_bytes(15, 16))
    s.append(sect_tag(v, "LFST", "LF") + count(v, 0, 14337))                      # LFST
    s.append(lind if lind is not None else
             sect_tag(v, "LIND", "LI") + count(v, 0, 14389))                      # lines
    zg = u16(0x475A) + count(v, 0, 14369)
    if v >= 14393:
        zg += u32(0)
    s.append(zg)                                                                  # graphics
    s.append(u16(0x414D) + u16(0))                                                # marker
    logp = sect_tag(v, "LOGP", "ZA") + count(v, 0, 14389)
    if v >= 14164:
        logp += u32(0)
    s.append(logp)                                                                # log points
    s.append(b"" if v < 14166 else sect_tag(v, "PRLB", "PB") + u32(0))            # buffer stops
    s.append(sect_tag(v, "INFO", "IF") + count(v, 0, 14389))                      # info texts
    return b"".join(s)


def network_file(v, d, low_in_middle=False, sections=None, trailer=b"\x00" * 16, wein=None,
                 lind=None, depo=None, zugd=None):
    if v < 13573:
        grid = flat_grid_section(d["cells"])
    else:
        grid = grid_section(v, d["cells"])
    body = general_section(v, d) + grid
    body += sections if sections is not None else empty_sections(v, d["password"], wein, lind,
                                                                 depo, zugd)
    body += trailer
    if v >= 13568:
        body = PairRun().compress(body)
    return header(v, low_in_middle) + body


# ---- switch control records ("WEIN") ----------------------------------------------------------------
OLD_TYPE_CODES = {11: 6, 21: 4, 22: 5, 31: 132, 32: 133}


def switch_record(v, r):
    """One record in the form of version v. r: dict with x, y, level, id, type, dirs, state,
    index and the type's data (raw: a type byte stored as it is)."""
    b = bytearray(pos(v, r["x"], r["y"], r.get("level", 0)))
    b += u32(r["id"]) if v > 14336 else u16(r["id"])
    t = r["type"]
    stored = r.get("raw", OLD_TYPE_CODES.get(t, t) if v < 13571 else t)
    b += u8(stored)
    if v >= 13570:
        for d in r["dirs"]:
            b += u16(d)
    if v >= 14344:
        b += u32(r.get("state", 0))
    if v >= 14170:
        b += u16(r.get("index", 0))
    if t == 11:
        counts, counter, resets = r["counts"], r["counter"], r["resets"]   # resets: (time, value)
        b += b"".join(u16(c) for c in counts)
        if v >= 14389:
            b += u16(counter)
            for time, value in resets:
                b += u32(time) + (u16(value) if time else b"")
        elif v >= 14170:
            b += u16(counter)
            for time, value in resets:
                if time:
                    b += u16((time >> 8) & 0xFFFF) + u16(value)
                else:
                    b += u16(0xFF00)
        else:
            time, value = resets[0]
            b += u16(counter | (0x8000 if time else 0))
            if time:
                b += u16((time >> 8) & 0xFFFF) + u16(value)
    elif t == 12:
        b += b"".join(u16(x) for x in r["shares"]) + u16(r["draw"]) + u16(0) + u16(0)
    elif t == 14:
        if v >= 14389:
            b += b"".join(u32(m) for m in r["masks"])
        else:
            b += b"".join(u16(w) for w in r["words"]) + u16(0) + u16(0)
    elif t == 15:
        if v >= 14390:
            for e in r["exprs"]:
                b += u32(len(e)) + b"".join(u32(k) for k in e)
            b += u8(r["prio"])
        else:
            b += b"".join(u16(i) for i in r["ids"]) + u8(r["prio"]) + u8(0) + u16(0)
    elif 21 <= t <= 23:
        if v >= 14389:
            lists = r["lists"]
            b += b"".join(u32(len(x)) for x in lists) + u32(r["flags"])
            b += b"".join(u32(w) for x in lists for w in x)
        else:
            # entries: a line (or depot), or (line, from, to) with an old time window
            # (hour << 8 | minute) announced by bit 15 of the entry's flag word
            b += b"".join(u16(len(x)) for x in r["lists"]) + u16(r.get("flags", 0))
            for x in r["lists"]:
                for w in x:
                    if isinstance(w, tuple):
                        b += u16(w[0]) + u16(0x8000) + u16(w[1]) + u16(w[2])
                    else:
                        b += u16(w) + u16(0)
    return bytes(b)


def switch_section(v, records):
    return sect_tag(v, "WEIN", "WE") + count(v, len(records), 14170) + \
        b"".join(switch_record(v, r) for r in records)


TWO = (4, 8, 16, 0)      # symbol 48
THREE = (2, 1, 32, 128)  # symbol 72


def switch_records(v):
    """The switches every version fixture carries (the types the version's form can hold)."""
    recs = [
        dict(x=10, y=10, id=1, type=1, dirs=TWO, state=1),
        dict(x=11, y=10, id=2, type=3, dirs=THREE, state=2),
        dict(x=13, y=10, id=4, type=12, dirs=THREE, shares=(1, 2, 3), draw=4),
        dict(x=14, y=10, id=5, type=14, dirs=TWO, words=(0x0121, 0x0002, 0x0840),
             masks=(3, 0x3FF, 0, 1, 12, 0, 0, 0, 0, 0, 0x3FF, 8)),
        dict(x=15, y=10, id=6, type=15, dirs=THREE, ids=(0, 0, 0), exprs=((), (), ()), prio=4),
        dict(x=18, y=10, id=9, type=1, dirs=TWO),   # no switch symbol there: dropped
    ]
    if v >= 13571:
        recs.append(dict(x=12, y=10, id=3, type=11, dirs=THREE, counts=(2, 1, 3), counter=5,
                         resets=((0x7F081E00, 6), (0, 0), (0, 0))))
    if v >= 14170:
        recs.append(dict(x=17, y=10, id=8, type=2, dirs=(1, 16, 2, 0), index=1, state=2))
        recs.append(dict(x=17, y=10, id=8, type=4, dirs=(2, 32, 1, 0), index=2, state=0))
    if v >= 14389:
        recs.append(dict(x=16, y=10, id=7, type=21, dirs=THREE, flags=0x4000,
                         lists=((1, 7, 0), (), (), (30, 4), (), ())))
    if v >= 14390:
        recs[4] = dict(recs[4], exprs=((0x11, 0x22), (), (0x33,)))
    return recs


SWITCH_CELLS = {(10, 10, 0): 48, (11, 10, 0): 72, (12, 10, 0): 72, (13, 10, 0): 72,
                (14, 10, 0): 48, (15, 10, 0): 72, (16, 10, 0): 72, (17, 10, 0): 16}
SWITCH_VERSIONS = [13569, 13570, 13571, 14170, 14336, 14344, 14389, 14390, 14400]


def switch_doc(v):
    d = version_doc(v)
    cells = dict(d["cells"])
    old = {48: 44, 72: 68}  # the old numbering of files below 13573
    cells.update({k: (old.get(c, c) if v < 13573 else c) for k, c in SWITCH_CELLS.items()})
    d["cells"] = cells
    return d


def switch_faults():
    """(name, version, records) of sections that are format errors (load result 53)."""
    base = dict(x=12, y=10, id=3, dirs=THREE)
    return [
        ("sw_ratio_13570", 13570, [dict(base, type=11, counts=(1, 1, 0), counter=1,
                                        resets=((0, 0),) * 3)]),
        ("sw_route_14169", 14169, [dict(base, type=21, lists=((1,), (), (), (), (), ()))]),
        ("sw_route_old_long", 14388, [dict(base, type=22,
                                           lists=(tuple((k, 0x0800, 0x1000) for k in range(401)),
                                                  (), (), (), (), ()))]),
        ("sw_route_14389_entry", CURRENT, [dict(base, type=21, flags=0,
                                                lists=((2, 7), (), (), (), (), ()))]),
        ("sw_state_14389", 14389, [dict(base, type=15, ids=(5, 0, 0), prio=0)]),
        ("sw_routepoint", CURRENT, [dict(base, type=31)]),
        ("sw_oldroutepoint_13570", 13570, [dict(base, type=31)]),
        ("sw_type7", CURRENT, [dict(base, type=7)]),
        ("sw_index5", CURRENT, [dict(base, type=1, index=5)]),
        ("sw_dir3", CURRENT, [dict(base, type=1, dirs=(3, 1, 32, 0))]),
        ("sw_dirzero", CURRENT, [dict(base, type=1, dirs=(2, 0, 32, 0))]),
        ("sw_exprlen", CURRENT, [dict(base, type=15, exprs=(tuple(range(61)), (), ()), prio=0)]),
        ("sw_routelen", CURRENT, [dict(base, type=21, flags=0,
                                       lists=(tuple(range(2401)), (), (), (), (), ()))]),
        ("sw_id", CURRENT, [dict(base, type=1, id=60001)]),
    ]


# ---- the line table ("LIND") ---------------------------------------------------------------------------
def line_section(v, lines, raw_count=None):
    """lines: (name, id, description or None). From 14389 UTF-16 names ended by 0 (a name given
    as bytes is written as it stands), from 14393 with descriptions (a description given as a
    tuple (length, units) is written as it stands); before, narrow names: 8 bytes skipped and 8
    characters right-aligned (from 13573), or 6 characters right-aligned."""
    b = bytearray(sect_tag(v, "LIND", "LI") + count(v, len(lines) if raw_count is None else raw_count,
                                                      14389))
    for name, lid, desc in lines:
        if v >= 14389:
            b += name if isinstance(name, bytes) else wide(name)
            b += u32(lid)
            if v >= 14393:
                if desc is None:
                    b += u32(0)
                elif isinstance(desc, tuple):
                    b += u32(desc[0]) + desc[1]
                else:
                    b += u32(len(desc) + 1) + wide(desc)
        else:
            width = 8 if v >= 13573 else 6
            if v >= 13573:
                b += b"\xee" * 8
            b += name.rjust(width).encode("latin-1")
            b += u16(lid)
    return bytes(b)


LINE_VERSIONS = [13572, 13573, 14388, 14389, 14392, 14393, 14400]


def line_fixture_lines():
    return [("S1", 3, "Airport\r\nvia the centre"), ("Bus42", 1, None), ("RE7", 4005, "x")]


def line_faults():
    """(name, version, section) of line sections that are format errors (load result 3 + offset)."""
    v = CURRENT
    return [
        ("lind_count", v, line_section(v, [], raw_count=4001)),
        ("lind_id0", v, line_section(v, [("A", 0, None)])),
        ("lind_id4006", v, line_section(v, [("A", 4006, None)])),
        ("lind_idtwice", v, line_section(v, [("A", 5, None), ("B", 5, None)])),
        ("lind_idtwice_old", 13573, line_section(13573, [("A", 5, None), ("B", 5, None)])),
        ("lind_name9", v, line_section(v, [(wide("ABCDEFGHI"), 5, None)])),
        ("lind_desc10002", v, line_section(v, [("A", 5, (10002, b"a\x00" * 10002))])),
        ("lind_tag", v, line_section(v, []).replace(tag4("LIND"), tag4("LINX"))),
    ]


# ---- depots ("DEPO") ---------------------------------------------------------------------------------
def depot_slot_record(v, d, sl):
    """One slot record of the files 13569..14388 (each slot 1 of its depot)."""
    b = bytearray(pos(v, sl["x"], sl["y"], 0))
    if v >= 13573:
        b += b"\x00" * 8
    b += (d["name"].encode("latin-1") + b"\x00" * 8)[:8]
    b += u16(d["id"])
    f = d.get("dflags", 0) & 0xFF00
    if v < 13575:
        b += u16((sl["dir"] & 0xFF) | f)
    else:
        b += u16(sl["dir"]) + u16(f)
    if v >= 13573:
        b += u16(sl["sig"]) + u16(sl["secs"]) + u16(0)
    return bytes(b)


def depot_section(v, depots, count=None):
    """depots: dicts of id, name, short, dflags and slots (x, y, number, dir, sig, secs, flags);
    the raw forms: name_units / short_units replace the names' UTF-16 units."""
    b = bytearray(sect_tag(v, "DEPO", "BF"))
    if v < 13575:
        b += u16(99)
    if v >= 14389:
        b += u32(len(depots) if count is None else count)
        for d in depots:
            b += u32(d["id"])
            b += d.get("name_units", wide(d["name"]))
            b += d.get("short_units", wide(d["short"]))
            b += u32(d.get("nslots", len(d["slots"])))
            if v <= 14390:
                b += u32(d.get("dflags", 0))
            for sl in d["slots"]:
                b += pos(v, sl["x"], sl["y"], sl.get("level", 0)) + u32(sl["number"])
                b += u32(sl["dir"]) + u32(sl["sig"]) + u32(sl["secs"] * 1000 if sl["secs"] != 400 else 0)
                if v >= 14390:
                    b += u32(sl.get("flags", 0))
    else:
        recs = [(d, sl) for d in depots for sl in d["slots"]]
        b += u16(len(recs) if count is None else count)
        for d, sl in recs:
            b += depot_slot_record(v, d, sl)
    return bytes(b)


def depot_records(v):
    """The depots every depot-version fixture carries (one slot each below 14389)."""
    north = dict(id=3, name="Nordhafen", short="NH", dflags=0x8000,
                 slots=[dict(x=20, y=30, number=1, dir=2, sig=0, secs=400, flags=0x21)])
    south = dict(id=7, name="  Sued", short=" Sd", dflags=0,
                 slots=[dict(x=21, y=30, number=1, dir=8, sig=5, secs=60, flags=0x40)])
    if v >= 14389:
        north["slots"].append(dict(x=22, y=30, number=4, dir=1, sig=2, secs=9, flags=0x2))
    return [south, north]


DEPOT_VERSIONS = [13569, 13573, 13575, 14342, 14388, 14389, 14390, 14391, 14400]


def depot_faults():
    """(name, version, section bytes) of depot sections that are format errors (load result 63)."""
    v = CURRENT
    one = dict(id=1, name="A", short="A", slots=[dict(x=1, y=1, number=1, dir=2, sig=0, secs=0)])
    def slots(numbers):
        return [dict(x=1, y=n % 100, number=n, dir=2, sig=0, secs=0) for n in numbers]
    return [
        ("depo_id0", v, depot_section(v, [dict(one, id=0)])),
        ("depo_id4001", v, depot_section(v, [dict(one, id=4001)])),
        ("depo_id_twice", v, depot_section(v, [one, dict(one, name="B", short="B")])),
        ("depo_slots100", v, depot_section(v, [dict(one, slots=slots(range(1, 101)))])),
        ("depo_slot_twice", v, depot_section(v, [dict(one, slots=slots([1, 2, 1]))])),
        ("depo_slot0", v, depot_section(v, [dict(one, slots=slots([0]))])),
        ("depo_slot100", v, depot_section(v, [dict(one, slots=slots([100]))])),
        ("depo_name17", v, depot_section(v, [dict(one, name_units=b"a\x00" * 17 + b"\x00\x00")])),
        ("depo_short5", v, depot_section(v, [dict(one, short_units=b"a\x00" * 5 + b"\x00\x00")])),
        ("depo_count4001", v, depot_section(v, [], count=4001)),
        ("depo_count251_14341", 14341, depot_section(14341, [], count=251)),
        ("depo_old_id_twice_13575", 13575,
         depot_section(13575, [one, dict(one, name="B", slots=[dict(x=2, y=2, number=1, dir=2,
                                                                    sig=0, secs=0)])])),
    ]


# ---- trains ("ZUGD") ---------------------------------------------------------------------------------
def s8(v): return struct.pack("<b", v)


def train_record(v, index, t):
    """One train in the form of version v. t: dict of the train's values in today's units (see
    train_fixture); fields a version lacks are left out, older units converted."""
    W = lambda x, frm: u32(x) if v >= frm else u16(x)
    flags = t["flags"]
    b = bytearray(W(index, 14343))
    b += W(t["line"], 14389) + W(t["second"], 14389) + W(t["sub"], 14389)
    npos = t.get("npos", len(t["positions"]))
    nveh = t.get("nveh", len(t["vehicles"]))
    if v >= 14394:
        b += u32(npos) + u32(t["vehidx"]) + u32(nveh)
    else:
        b += u8(npos) + (u8(t["vehidx"]) if v >= 13568 else b"") + u8(nveh)
    if v >= 14389:
        b += u32(t["home"][0]) + u32(t["home"][1])
    else:
        b += u16(t["home"][0])
    if v < 14394:
        b += W(t.get("sched_index", 0), 14389)
    b += W(flags | (0x40 if t.get("old_reservation") and v < 14396 else 0), 14160)
    if v >= 14394 and flags & 1:
        b += u32(t["pending"][0]) + u32(t["pending"][1])
    if v < 13572:
        b += b"\x00\x00"
    if v >= 14389:
        for i in range(6):
            for (time, depot, slot) in (t["schedA"][i], t["schedB"][i]):
                b += u32(time) + u32(depot) + u32(slot)
    else:
        for sched in (t["schedA"], t["schedB"]):
            for (time, depot, slot) in sched[:3]:
                if time == 0:
                    b += u8(0) + u8(255) + u16(0)
                else:
                    b += u8((time >> 8) & 0xFF) + u8((time >> 16) & 0xFF) + u16(depot)
    mx, sp, tg, l1, l2, l3 = t["speeds"]
    acc, dec, a, br = t["motion"]
    if v >= 14342:
        b += u32(mx) + u32(sp) + u32(tg) + u32(l1)
        if v >= 14390:
            b += u32(l2)
        if v >= 14398:
            b += u32(l3)
        b += u32(acc) + u32(dec) + u32(a) + u32(br)
    elif v >= 14160:
        b += u16(mx // 1000) + u16(sp // 1000) + u16(tg // 1000)
        if v >= 14341:
            b += u16(10000 if l1 == 0 else l1 // 1000)
        b += u32(acc) + u32(dec) + u32(a * 1024) + u32(br) + u32(0)
    else:
        b += u16(mx // 1000) + u16(sp // 1000) + u16(acc) + u8(dec)
    b += W(t["waits"][0], 14389) + W(t["waits"][1], 14389) + W(t["state"], 14389)
    if v >= 14339:
        b += u32(t["tptime"])
    if v >= 14389:
        b += b"".join(u32(x) for x in t["attrs"])
    else:
        b += u16(t["old_attrs"][0]) + u16(t["old_attrs"][1])
        if v >= 14162:
            b += u16(t["attrs"][5])
    if v >= 14162 and flags & 0x10:
        b += u32(t["reserved"])
        if v < 14396 and t.get("old_reservation"):
            b += u16(t["old_reservation"][0]) + u16(t["old_reservation"][1])
    if v >= 13577:
        b += W(t["offset"], 14389)
    if v >= 14160:
        b += u32(t["length"])
    if v >= 14396:
        b += b"".join(u32(x) for x in t["dir"])
    lst = t["list"]
    if v >= 14389:
        b += u32(t.get("list_count", len(lst))) + b"".join(u16(x) for x in lst)
    elif v >= 14171:
        raw = "".join(chr(x) for x in lst).encode("latin-1")
        b += u32(len(raw)) + raw
    else:
        b += u32(0)
    if v >= 14397:
        b += u32(t["blocked"][0])
        if flags & 0x3000 and t["blocked"][0] >= 1:
            b += u32(t["blocked"][1])
    if v < 14389:
        b += u8(0)
    dx, dy, dz = t["dir"]
    for (x, y, level, used, mark) in t["positions"]:
        if v >= 14396:
            b += pos(v, x, y, level)
        elif v >= 14160:
            b += u32(x) + u32(y) + u32(dx) + u32(dy)
        else:
            b += u16(x) + u16(y) + s8(dx) + s8(dy)
        b += u16(1 if used else 65535)
        if v < 14160:
            b += u16(t.get("old_code", 0))
        if v >= 13574:
            b += u16(mark)
        if v < 14389:
            b += b"\x00" * 5
    if v >= 14396:
        x, y, level, used = t["tail"]
        b += pos(v, x, y, level) + u16(1 if used else 65535)
    for (vid, spare, vflags, length) in t["vehicles"]:
        b += u32(vid) if v >= 14341 else u16(vid)
        b += u16(spare)
        if v >= 14160:
            b += u32(vflags) + u32(length)
        else:
            b += u16(vflags)
            if v >= 13576:
                b += u16(length // 8)
    return bytes(b)


def trains_section(v, trains, first_index=0):
    b = bytearray(sect_tag(v, "ZUGD", "ZU") if v >= 14389 else u16(21850))
    b += count(v, len(trains), 14343)
    for i, t in enumerate(trains):
        b += train_record(v, first_index + i if not t.get("index") else t["index"], t)
    return bytes(b)


def empty_sched():
    return [(0, 0, 0)] * 6


def train_fixture(**kw):
    """A train running east on row 30 with its head at x 24 and three cells behind it."""
    t = dict(line=7, second=9, sub=3, vehidx=1, home=(2, 1), flags=0, pending=(0, 0),
             schedA=empty_sched(), schedB=empty_sched(),
             speeds=(120000, 45000, 80000, 80000, 0, 0), motion=(5, 10, 300, 400),
             waits=(10, 20), state=0, tptime=0xFFFFFFFF, attrs=(1, 3, 2, 1, 0, 1),
             old_attrs=(0x01, 0x03), reserved=0, offset=8, length=104, dir=(1, 0, 0),
             list=[], blocked=(0, 0),
             positions=[(24 - i, 30, 0, True, (1 if i < 2 else 0)) for i in range(4)],
             tail=(20, 30, 0, False),
             vehicles=[(39585, 0, 0x8, 56), (39040, 0, 0x10, 48)])
    t.update(kw)
    return t


def trains_doc(v):
    d = version_doc(v)
    cells = dict(d["cells"])
    if v >= 13573:
        for x in range(16, 40):
            cells[(x, 30, 0)] = 0x0000    # straight track west-east
    d["cells"] = cells
    return d


TRAIN_VERSIONS = [13312, 13568, 13572, 13573, 13574, 13575, 13576, 13577, 14160, 14162, 14171,
                  14339, 14341, 14342, 14343, 14389, 14390, 14394, 14396, 14397, 14398, 14400]


def version_trains(v):
    """The two trains of every version fixture: a running one and a parked one with a schedule."""
    a = train_fixture(schedA=[(0x7F081E00, 4, 1)] + [(0, 0, 0)] * 5,
                      list=[0x41, 0x42, 0x43] if v >= 14171 else [],
                      old_code=44 if v <= 13312 else 0)
    b = train_fixture(line=7, sub=4, flags=0x2 | 0x1, pending=(4, 1), sched_index=1,
                      schedA=[(0x7F091400, 4, 1)] + [(0, 0, 0)] * 5,
                      speeds=(60000, 0, 60000, 60000, 0, 0), motion=(1, 10, 0, 0),
                      positions=[(16379, 16386, 0, True, 0)], tail=(0, 0, 0, False), offset=0,
                      length=56, vehicles=[(39585, 0, 0x8, 56)], vehidx=0)
    return [a, b]


def train_faults():
    """(name, version, trains) of sections that are format errors (load result 43)."""
    C = CURRENT
    return [
        ("tr_poscount0", C, [train_fixture(positions=[])]),
        ("tr_poscount256", C, [train_fixture(npos=256)]),
        ("tr_vehcount256", C, [train_fixture(nveh=256)]),
        ("tr_listcount", C, [train_fixture(list_count=65536)]),
        ("tr_depot", C, [train_fixture(home=(65536, 1))]),
        ("tr_wait", C, [train_fixture(flags=0x4, state=0x80000000)]),
        ("tr_vehidx", C, [train_fixture(vehidx=2)]),
        ("tr_sched_index_14389", 14389, [train_fixture(sched_index=7)]),
        ("tr_offset", C, [train_fixture(offset=25)]),
        ("tr_dx", C, [train_fixture(dir=(2, 0, 0))]),
        ("tr_dz", C, [train_fixture(dir=(1, 0, 1))]),
        ("tr_dz_down", C, [train_fixture(dir=(1, 0, 0xFFFFFFFE))]),
        ("tr_outside", C, [train_fixture(positions=[(24, 30, 0, True, 0), (-1, 30, 0, True, 0)])]),
        ("tr_level", C, [train_fixture(positions=[(24, 30, -5, True, 0)])]),
        ("tr_index", C, [train_fixture(), train_fixture(sub=4, index=5)]),
        ("tr_step_14160", 14160, [train_fixture(dir=(3, 0, 0))]),
        ("tr_ramp_14160", 14160, [train_fixture(
            positions=[(30 + i, 31, 0, True, 0) for i in range(6)], dir=(0xFFFFFFFF, 0, 0))]),
    ]


# ---- the versions of the old-file fixtures --------------------------------------------------------
VERSIONS = [13312, 13568, 13569, 13572, 13573, 13574, 13575, 13576, 13577, 14160, 14162, 14164,
            14165, 14166, 14167, 14170, 14171, 14337, 14338, 14343, 14344, 14346, 14369, 14384,
            14388, 14389, 14390, 14393, 14395, 14396, 14397, 14399, 14400]


def drawn_doc():
    """A network drawn near its stored view: a line of track and a few other codes on level 0."""
    d = default_doc()
    d["origin"] = (100, 100)
    d["cursor"] = (100, 100, 0)
    d.update(speed=10, weekday=2, hour=8, minute=30, second=0)
    cells = {}
    for x in range(100, 112):
        cells[(x, 102, 0)] = 0x0201
    cells[(103, 104, 0)] = 0x0205
    cells[(106, 104, 0)] = 0x0209
    d["cells"] = cells
    xs = [c[0] for c in cells]
    ys = [c[1] for c in cells]
    d["area"] = ((min(xs), min(ys), 0), (max(xs), max(ys), 0))
    return d


def version_doc(v):
    """The document every version fixture carries (fields a version lacks are left out)."""
    d = small_doc()
    d["cursor"] = (150, 220, -1 if v >= 14396 else 0)
    saved = [(16384, 16384, 0, 0, "")] * 3
    saved[0] = (10, 20, -1 if v >= 14396 else 0, 0x7F0C1E00, "Alpha")
    saved[2] = (11, 21, 0, 0, "B")
    d["saved"] = saved if v >= 14338 else [(10 + i, 20, 0, 0, "") for i in range(10)]
    d["home"] = (300, 400, -1 if v >= 14396 else 0)
    d["symfiles"] = ["a.uzg", "", "", "b.uzg"]
    d["vehfiles"] = ["v.nfz"]
    if v < 13573:
        # old numbering: 44 becomes symbol 48, 244 the same with the kind flag (0x1230)
        d["cells"] = {(1, 2, 0): 44, (70, 5, 0): 244, (9, 9, 0): 0x4000, (11, 9, 0): 0xF123}
    else:
        cells = {(1, 2, 0): 0x0201, (70, 5, 0): 0x00D2, (5, 6, 0): 0x0122, (7, 8, 0): 0xE002,
                 (9, 9, 0): 0xBF05, (10, 9, 0): 0xFC20, (11, 9, 0): 0xF123}
        if v >= 14396:
            cells[(65, 1, -1)] = 0x0201
        d["cells"] = cells
    return d


def ramps_doc():
    """Level changes as files before 14396 drew them: two class-B ends on level 0 with plain track
    between them (rail symbols, 0x0400): to the right, downwards with a reserved far end, a marked
    start whose far end is free, and a foot met before any top."""
    d = default_doc()
    d["origin"] = (90, 0)
    d["cursor"] = (90, 0, 0)
    r = 0x0400
    cells = {(100, 10, 0): r | 219, (104, 10, 0): r | 218}
    for x in range(101, 104):
        cells[(x, 10, 0)] = r | 0
    cells[(200, 10, 0)] = r | 217 | 0x4000
    cells[(200, 14, 0)] = r | 216 | 0x4000
    for y in range(11, 14):
        cells[(200, y, 0)] = r | 1 | 0x4000
    cells[(300, 10, 0)] = r | 219 | 0x4000
    cells[(303, 10, 0)] = r | 218
    for x in range(301, 303):
        cells[(x, 10, 0)] = r | 0 | 0x4000
    cells[(400, 10, 0)] = r | 217
    cells[(400, 12, 0)] = r | 217
    d["cells"] = cells
    xs = [c[0] for c in cells]
    ys = [c[1] for c in cells]
    d["area"] = ((min(xs), min(ys), 0), (max(xs), max(ys), 0))
    return d


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)

    def save(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    d = default_doc()
    d["texts"] = ("T0", "T1", "T2")
    save("empty.nt3", network_file(CURRENT, d))
    save("small.nt3", network_file(CURRENT, small_doc()))
    save("drawn.nt3", network_file(CURRENT, drawn_doc()))
    p = small_doc()
    p["flags"] |= 0x04
    p["password"] = b"K7Q2M9X4B1Z8P3W6R"
    save("password.nt3", network_file(CURRENT, p))
    for v in VERSIONS:
        save("v%d.nt3" % v, network_file(v, version_doc(v)))
    save("v13569_low_first.nt3", network_file(13569, version_doc(13569), low_in_middle=True))
    save("ramps_v14395.nt3", network_file(14395, ramps_doc()))
    # header faults
    good = network_file(CURRENT, d)
    at = good.index(b"\x1a")
    save("no_eof_mark.nt3", good[:at])
    save("bad_magic.nt3", good[:at + 2] + b"\x00" + good[at + 3:])
    save("v3841.nt3", good[:at + 1] + b"\x38" + MAGIC + b"\x41" + good[at + 7:])
    save("v33ff.nt3", good[:at + 1] + b"\x33" + MAGIC + b"\xff" + good[at + 7:])
    save("short_trailer.nt3", network_file(CURRENT, d, trailer=b"\x00" * 13))
    save("trailer_nonzero.nt3", network_file(CURRENT, d, trailer=b"\x00" * 15 + b"\x55"))
    # section faults: a wrong LFST tag (113), a Dwx section with records (193)
    v = CURRENT
    secs = empty_sections(v).replace(tag4("LFST"), tag4("LFSX"))
    save("bad_lfst.nt3", network_file(v, d, sections=secs))
    secs = empty_sections(v).replace(tag4("DWXP") + u32(0), tag4("DWXP") + u32(1))
    save("dwx_records.nt3", network_file(v, d, sections=secs))
    # switch control records in every form, and their faults
    for v in SWITCH_VERSIONS:
        save("switches_%d.nt3" % v, network_file(v, switch_doc(v),
                                                 wein=switch_section(v, switch_records(v))))
    # the line table in every form, an unterminated description, and the faults
    for v in LINE_VERSIONS:
        save("lines_%d.nt3" % v, network_file(v, version_doc(v),
                                              lind=line_section(v, line_fixture_lines())))
    save("lind_desc_unterminated.nt3",
         network_file(CURRENT, version_doc(CURRENT),
                      lind=line_section(CURRENT, [("A", 5, (3, "abc".encode("utf-16-le")))])))
    for name, v, sec in line_faults():
        save(name + ".nt3", network_file(v, version_doc(v), lind=sec))
    # route lists of the old 16-bit form (converted on loading)
    for v in (14170, 14388):
        rec = dict(x=16, y=10, id=7, type=22, dirs=THREE, flags=0x8000,
                   lists=((7, (9, 0x0800, 0x1000)), (), ((3, 0x1600, 0x173B),), (), (30, 31), ()))
        save("route_old_%d.nt3" % v, network_file(v, switch_doc(v), wein=switch_section(v, [rec])))
    for name, v, recs in switch_faults():
        save(name + ".nt3", network_file(v, switch_doc(v), wein=switch_section(v, recs)))
    # depots in every form, and their faults
    for v in DEPOT_VERSIONS:
        save("depots_%d.nt3" % v, network_file(v, version_doc(v),
                                               depo=depot_section(v, depot_records(v))))
    for name, v, sec in depot_faults():
        save(name + ".nt3", network_file(v, version_doc(v), depo=sec))
    # trains in every form, and their faults
    for v in TRAIN_VERSIONS:
        save("trains_%d.nt3" % v, network_file(v, trains_doc(v),
                                               zugd=trains_section(v, version_trains(v))))
    for name, v, trs in train_faults():
        d = trains_doc(v)
        if name == "tr_ramp_14160":
            # ramp feet (class C) under a train of an old file: the levels sink below -4
            d["cells"] = dict(d["cells"], **{})
            for i in range(6):
                d["cells"][(30 + i, 31, 0)] = 184
        save(name + ".nt3", network_file(v, d, zugd=trains_section(v, trs)))
    # graphics sections listing vehicle-graphic sets (and a background picture from 14393 on)
    for gv, name in ((CURRENT, "graphics_sets.nt3"), (14370, "graphics_sets_v14370.nt3"),
                     (14368, "graphics_sets_v14368.nt3")):
        ids = [645136, 320016, 100096]
        old_zg = u16(0x475A) + count(gv, 0, 14369) + (u32(0) if gv >= 14393 else b"")
        zg = u16(0x475A) + count(gv, len(ids), 14369)
        for i in ids:
            zg += u32(i) if gv >= 14369 else u16(i & 0xFFFF)
        if gv >= 14393:
            zg += u32(1) + u32(0) + u32(10) + u32(20) + u32(300) + u32(200)
            zg += wide("park.bmp")
        secs = empty_sections(gv)
        assert secs.count(old_zg + u16(0x414D)) == 1
        secs = secs.replace(old_zg + u16(0x414D), zg + u16(0x414D))
        save(name, network_file(gv, version_doc(gv), sections=secs))
    # grid faults
    g = dict(d)
    g["cells"] = {(1, 1, 0): 0x0201}
    raw = network_file(v, g)
    save("grid_one_block.nt3", raw)


if __name__ == "__main__":
    main()
