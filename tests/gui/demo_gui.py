#!/usr/bin/env python3
"""The program started without switch N and without a network file shows the demonstration
network, unmodified: saved with F2, the file holds the loop's cells, the depot named by the
language texts (slot 1 on the spur, leaving up the spur onto the loop) and the start train of the
line of that name, started out of the depot; opened again and saved, the file is the same."""
import os
import struct
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run, wine_path  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog  # noqa: E402
from draw_loop_gui import EDIT, STATUS, decompress, grid_cells, wait_for_file  # noqa: E402
from train_file_gui import trains_of  # noqa: E402

DEPOT = (16379, 16386, 0)
LOOP_CELLS = {(16381, 16375): 543, (16389, 16376): 536, (16380, 16391): 538, (16388, 16392): 541,
              (16389, 16379): 264, (16389, 16380): 160, (16379, 16383): 539, (16379, 16384): 1,
              (16379, 16385): 137, (16379, 16386): 137, (16379, 16387): 137, (16379, 16388): 538,
              (16380, 16382): 54, (16380, 16389): 53, (16380, 16378): 1, (16384, 16392): 0}


def depots(path):
    """[(id, name, short name, [(x, y, level, slot, direction)])] of the DEPO section."""
    with open(path, "rb") as f:
        data = f.read()
    eof = data.index(b"\x1a")
    body = decompress(data[eof + 7:])
    at = body.find(b"DEPO")
    expect(at >= 0, "the file has its depot section")
    at += 4
    (count,) = struct.unpack_from("<I", body, at)
    at += 4
    out = []
    for _ in range(count):
        (ident,) = struct.unpack_from("<I", body, at)
        at += 4
        names = []
        for _ in range(2):
            end = at
            while body[end:end + 2] != b"\x00\x00":
                end += 2
            names.append(body[at:end].decode("utf-16-le"))
            at = end + 2
        (n,) = struct.unpack_from("<I", body, at)
        at += 4
        slots = []
        for _ in range(n):
            x, y, level, slot, direction = struct.unpack_from("<hhbII", body, at)
            slots.append((x, y, level, slot, direction))
            at += 5 + 4 * 5
        out.append((ident, names[0], names[1], slots))
    return out


def test():
    with GuiSession("demo") as s:
        work = os.path.join(s.dir, "nets")
        os.makedirs(work)
        net = os.path.join(work, "demo.nt3")
        h = s.start_host(QUIL, "/Q", "/STOP", "/LE")
        s.driver("wait", EDIT, "exe=quil.exe", "timeout=30000")
        r = s.driver("wait", STATUS, "exe=quil.exe", "timeout=30000", "dump")
        title = r.first("window")["title"]
        expect(lang_text(8123) not in title, f"the demonstration network starts unmodified: {title!r}")
        s.driver("wait", EDIT, "exe=quil.exe", "input", "vk=F2")
        save = lang_text(11220)
        s.driver("wait", "class=#32770", "exe=quil.exe", f"title={save}", "timeout=30000", "settext",
                 "id=1152", f"text={wine_path(net)}", "click", "id=1", "gone", "timeout=20000")
        wait_for_file(net)
        s.driver("wait", STATUS, "exe=quil.exe", "title~=demo.nt3", "timeout=30000")
        s.driver("wait", STATUS, "exe=quil.exe", "command", "id=266")
        close_with_exit_message(s, "quil.exe", h)
        cells = grid_cells(net)
        for (x, y), code in LOOP_CELLS.items():
            expect(cells.get((x, y, 0)) == code, f"cell ({x}, {y}): {cells.get((x, y, 0))}, expected {code}")
        got = depots(net)
        expect(len(got) == 1, f"one depot: {got}")
        ident, name, short, slots = got[0]
        expect((name, short) == (lang_text(1380), lang_text(1381)), f"depot names {name!r} {short!r}")
        expect(slots == [(DEPOT[0], DEPOT[1], DEPOT[2], 1, 1)], f"slot 1 on the spur, leaving up: {slots}")
        section, trains = trains_of(net)
        expect(len(trains) == 1, f"the start train: {trains}")
        line, sub, flags, hx, hy, speed, offset = trains[0]
        expect(sub == 1 and not flags & 0x2, f"train {line}/{sub} started out of the depot: flags {flags:#x}")
        expect(hx == DEPOT[0] and DEPOT[1] - 3 <= hy <= DEPOT[1], f"its head on the spur: {hx},{hy}")
        # Opened again and saved unchanged: the same depot and train.
        h = s.start_host(QUIL, "/Q", "/STOP", "/LE", wine_path(net))
        confirm_open_dialog(s, "quil.exe", wine_path(net))
        s.driver("wait", STATUS, "exe=quil.exe", "title~=demo.nt3", "timeout=30000")
        s.driver("wait", STATUS, "exe=quil.exe", "command", "id=258")
        wait_for_file(os.path.join(work, "demo.000.nt2"))  # the first backup of the file
        wait_for_file(net)
        time.sleep(0.5)
        s.driver("wait", STATUS, "exe=quil.exe", "command", "id=266")
        close_with_exit_message(s, "quil.exe", h)
        expect(depots(net) == got, f"the depot read back: {depots(net)}")
        expect(trains_of(net) == (section, trains), "the start train read back")


if __name__ == "__main__":
    sys.exit(run(test))
