#!/usr/bin/env python3
"""A new user draws a small track loop in the real program: a click sets the cursor, digit keys
place the palette's symbols (the cursor stepping on in each symbol's direction), arrow keys move
it; Enter opens the dialogs of a straight cell, a curve (its variant changed) and an empty cell
(made see-through); another click starts a second piece; the view scrolls by page and arrow keys; F2 saves under a
new name; one more symbol, then closing asks the save question and Yes saves; the network opened
again is the one saved. The cells are read from the saved files."""
import os
import shutil
import struct
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run, wine_path  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog  # noqa: E402

STATUS = "class=KORV_R27K32_384_Status"
EDIT = "class=KORV_R27K32_384_Edit"
CELL_W, CELL_H = 32, 16  # pixels of a cell in the symbol view at zoom 1
FIRST_CLICK = (10 * CELL_W + 5, 8 * CELL_H + 3)
SECOND_CLICK = (FIRST_CLICK[0] + 7 * CELL_W, FIRST_CLICK[1] + 5 * CELL_H)

# The palette's first entry until the palette is built: slot digit -> cell code, and where the
# cursor steps after placing it (the symbol's direction): 10 right, 1 down, 9 up, 8 down, 11 right.
SLOTS = {"1": 10, "3": 9, "4": 1, "7": 11, "9": 8}
STEP = {10: (1, 0), 1: (0, 1), 9: (0, -1), 8: (0, 1), 11: (1, 0)}


# ---- reading the saved network ----------------------------------------------------------------------
def decompress(data):
    """The pair-run compression of the network file's body."""
    out = bytearray()
    i = 0
    while i < len(data):
        v = data[i]
        i += 1
        if v == 0xC5:
            n = data[i]
            i += 1
            if n == 0:
                out.append(0xC5)
                continue
            pairs = n + 1
        elif v == 0xB5:
            n = data[i] | data[i + 1] << 8
            i += 2
            if n == 0:
                out.append(0xB5)
                continue
            pairs = n + 1
        else:
            out.append(v)
            continue
        out += bytes([data[i], data[i + 1]]) * pairs
        i += 2
    return bytes(out)


def grid_cells(path):
    """{(x, y, level): code} of the grid section of a network file of the current version."""
    with open(path, "rb") as f:
        data = f.read()
    eof = data.index(b"\x1a")
    version = data[eof + 1] << 8 | data[eof + 6]
    expect(version == 14400, f"{os.path.basename(path)}: version {version}")
    body = decompress(data[eof + 7:])
    at = body.find(b"NETZQUAD")
    expect(at >= 0, f"{os.path.basename(path)}: no grid section")
    at += 8
    width, height, levels, count = struct.unpack_from("<IIII", body, at)
    expect((width, height, levels) == (64, 64, 5), f"grid blocks {width}x{height}x{levels}")
    at += 16
    cells = {}
    for _ in range(count):
        bx, by, level = struct.unpack_from("<hhb", body, at)
        at += 5
        n = 0
        while n < 4096:
            (word,) = struct.unpack_from("<H", body, at)
            at += 2
            if 0x8000 <= word <= 0x80FF:
                n += (word & 0xFF) + 1
                continue
            cells[(bx + n % 64, by + n // 64, level)] = word
            n += 1
    return cells


def relative(cells):
    """The cells moved so that the first cell in reading order of the loop's top row is (0, 0)."""
    x0 = min(x for (x, y, lv) in cells)
    y0 = min(y for (x, y, lv) in cells)
    return {(x - x0, y - y0, lv): c for (x, y, lv), c in cells.items()}


# ---- the user ------------------------------------------------------------------------------------------
class Drawing:
    """Keys and clicks sent to the edit window, and the cells they should make (cursor relative
    to the first click)."""

    def __init__(self, s):
        self.s = s
        self.cursor = None
        self.cells = {}

    def click(self, point):
        self.s.driver("wait", EDIT, "exe=quil.exe", "mouse", f"x={point[0]}", f"y={point[1]}")
        self.cursor = ((point[0] - FIRST_CLICK[0]) // CELL_W, (point[1] - FIRST_CLICK[1]) // CELL_H)

    def keys(self, *names):
        steps = []
        for k in names:
            steps += ["key", f"vk={k}", "to=window"]
            x, y = self.cursor
            if k in SLOTS:
                code = SLOTS[k]
                self.cells[(x, y, 0)] = code
                dx, dy = STEP[code]
                self.cursor = (x + dx, y + dy)
            elif k in ("LEFT", "RIGHT", "UP", "DOWN"):
                dx, dy = {"LEFT": (-1, 0), "RIGHT": (1, 0), "UP": (0, -1), "DOWN": (0, 1)}[k]
                self.cursor = (x + dx, y + dy)
        self.s.driver("wait", EDIT, "exe=quil.exe", *steps)


def wait_for_file(path, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        if os.path.exists(path):
            return
        time.sleep(0.05)
    expect(False, f"{os.path.basename(path)} was not written")


def wait_until_changed(path, old, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        if os.path.exists(path):
            with open(path, "rb") as f:
                if f.read() != old:
                    return
        time.sleep(0.05)
    expect(False, f"{os.path.basename(path)} was not saved again")


def network_without_view(path):
    """The header and the body of a network file without the view's origin (the first two fields
    of the general section): where the window shows the network is no part of it, and a window of
    another size places its view again on opening."""
    with open(path, "rb") as f:
        data = f.read()
    eof = data.index(b"\x1a")
    body = decompress(data[eof + 7:])
    expect(body[:4] == b"GENL", "the general section comes first")
    return data[:eof + 7] + body[:4] + body[12:]


def cell_dialogs(s, d):
    """Enter on a cell opens its dialog: the plain information of a straight track, the variants of
    a curve (the scroll bar picks the next one), the forms of an empty cell."""
    s.driver("wait", EDIT, "exe=quil.exe", "key", "vk=ENTER", "to=window")
    title = f"{lang_text(8020)} {lang_text(8040)}539"
    r = s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000", "dump")
    expect(r.control(190)["text"] == lang_text(2403), f"cell information text {r.control(190)}")
    expect(r.control(191)["text"] == f"{lang_text(2445)} 0x000A", f"cell code {r.control(191)}")
    expect(r.control(103)["text"] == lang_text(2201), f"info-text button {r.control(103)}")
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "click", "id=1", "gone", "timeout=20000")
    # the right side's first cell (code 1) has eight variants; the next one is 160
    d.keys("RIGHT", "RIGHT", "RIGHT", "RIGHT")
    s.driver("wait", EDIT, "exe=quil.exe", "key", "vk=ENTER", "to=window")
    title = lang_text(2438)
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000", "key", "vk=DOWN",
             "to=control", "id=340", "click", "id=1", "gone", "timeout=20000")
    d.cells[(4, 0, 0)] = 160
    # an empty cell inside the loop becomes see-through
    d.keys("LEFT", "LEFT", "DOWN")
    s.driver("wait", EDIT, "exe=quil.exe", "key", "vk=ENTER", "to=window")
    title = lang_text(2440)
    r = s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000", "dump")
    expect(r.control(400).get("check") == "1", f"the empty form is chosen: {r.control(400)}")
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "click", "id=402", "click", "id=1",
             "gone", "timeout=20000")
    d.cells[(2, 1, 0)] = 0xC001
    d.keys("LEFT", "LEFT", "UP")
    expect(d.cursor == (0, 0), f"back at the loop's first cell: {d.cursor}")


def draw_save_close(s, net):
    h = s.start_host(QUIL, "/Q", "/N", "/STOP", "/LE", "/Z=N1")
    s.driver("wait", EDIT, "exe=quil.exe", "timeout=30000")
    d = Drawing(s)
    d.click(FIRST_CLICK)
    d.keys("1", "1", "1", "1")                     # top row, right
    d.keys("4", "4", "4")                          # right side, down
    d.keys("1", "LEFT", "LEFT", "1", "LEFT", "LEFT", "1", "LEFT", "LEFT", "1", "LEFT", "LEFT")  # bottom
    d.keys("3", "3", "3")                          # left side, up to the first cell
    expect(d.cursor == (0, 0), f"the loop closes at its first cell: {d.cursor}")
    cell_dialogs(s, d)
    d.click(SECOND_CLICK)
    d.keys("9")
    # Scrolling by page and by the arrow keys past the view's margins, and back.
    d.keys("NEXT", "PRIOR")
    d.keys(*(["RIGHT"] * 30 + ["DOWN"] * 25 + ["LEFT"] * 30 + ["UP"] * 25))
    # F2 saves: a new network asks for its name.
    s.driver("wait", EDIT, "exe=quil.exe", "input", "vk=F2")
    title = lang_text(11220)
    r = s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000", "dump")
    expect(r.control(1152) is not None, "the save dialog has its file name field")
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "settext", "id=1152",
             f"text={wine_path(net)}", "click", "id=1", "gone", "timeout=20000")
    wait_for_file(net)
    s.driver("wait", STATUS, "exe=quil.exe", "title~=loop.nt3", "timeout=30000")
    first = dict(d.cells)
    expect(relative(grid_cells(net)) == relative({k: v for k, v in first.items()}),
           f"F2 saved the drawing: {sorted(grid_cells(net).items())}")
    with open(net, "rb") as f:
        saved_by_f2 = f.read()
    # One more symbol; closing asks the save question and Yes saves.
    d.keys("7")
    s.driver("wait", STATUS, "exe=quil.exe", "close")
    question = f"{lang_text(8010)} {lang_text(8040)}299"
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={question}", "timeout=30000", "click", "id=6",
             "gone", "timeout=20000")
    close_with_exit_message(s, "quil.exe", h)
    wait_until_changed(net, saved_by_f2)
    cells = grid_cells(net)
    expect(relative(cells) == relative(d.cells), f"Yes saved the last symbol too: {sorted(cells.items())}")
    expect(len(cells) == 17, f"the loop of 14 cells, a see-through cell and two more: {len(cells)}")
    return cells


def reopen_and_compare(s, net, cells):
    saved = network_without_view(net)
    h = s.start_host(QUIL, "/Q", "/STOP", "/LE", wine_path(net))
    confirm_open_dialog(s, "quil.exe", wine_path(net))
    s.driver("wait", STATUS, "exe=quil.exe", "title~=loop.nt3", "timeout=30000")
    # Saved again unchanged, the network read back is the one that was saved.
    s.driver("wait", STATUS, "exe=quil.exe", "command", "id=258")
    backup = os.path.splitext(net)[0] + ".001.nt2"
    wait_for_file(backup)
    wait_for_file(net)
    expect(grid_cells(net) == cells, "the same cells after opening again")
    expect(network_without_view(net) == saved, "opened and saved again: the same network")
    s.driver("wait", STATUS, "exe=quil.exe", "command", "id=266")
    close_with_exit_message(s, "quil.exe", h)


def test():
    with GuiSession("draw_loop") as s:
        work = os.path.join(s.dir, "nets")
        os.makedirs(work)
        net = os.path.join(work, "loop.nt3")
        cells = draw_save_close(s, net)
        reopen_and_compare(s, net, cells)


if __name__ == "__main__":
    sys.exit(run(test))
