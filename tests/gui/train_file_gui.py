#!/usr/bin/env python3
"""A network with running trains, written by a harness, opens from the command line in the real
program and its trains move in the edit window (the pixels of the loop change while the simulation
runs). Stopped and saved, the trains stand elsewhere than the harness put them; reopened and saved
again, they stand where they stood (the trains' section is the same); started again they run on.
The trains are read from the saved files."""
import os
import struct
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, run, wine_path, lang_text  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog  # noqa: E402

EDIT = "class=KORV_R27K32_384_Edit"
STATUS = "class=KORV_R27K32_384_Status"
CMD_OPEN, CMD_SAVE, CMD_EXIT, CMD_SIMULATION = 257, 258, 266, 384


def decompress(data):
    """The pair-run compression of the network file's body."""
    out = bytearray()
    i = 0
    while i < len(data):
        v = data[i]
        i += 1
        if v in (0xC5, 0xB5):
            if v == 0xC5:
                n = data[i]
                i += 1
            else:
                n = data[i] | data[i + 1] << 8
                i += 2
            if n == 0:
                out.append(v)
                continue
            out += bytes([data[i], data[i + 1]]) * (n + 1)
            i += 2
        else:
            out.append(v)
    return bytes(out)


def trains_of(path):
    """(section bytes, [(line, sub, flags, head x, head y, speed, offset)]) of a current-version file."""
    with open(path, "rb") as f:
        data = f.read()
    eof = data.index(b"\x1a")
    body = decompress(data[eof + 7:])
    at = body.index(b"ZUGD", body.index(b"NETZQUAD"))
    start = at
    at += 4

    def u32():
        nonlocal at
        (v,) = struct.unpack_from("<I", body, at)
        at += 4
        return v

    trains = []
    for _ in range(u32()):
        index, line, second, sub, npos, vidx, nveh, hdepot, hslot, flags = (u32() for _ in range(10))
        if flags & 1:
            at += 8
        at += 36 * 4
        speeds = [u32() for _ in range(10)]
        at += (2 + 1 + 1 + 6) * 4
        if flags & 0x10:
            at += 4
        offset, length, dx, dy, dz, n = (u32() for _ in range(6))
        at += 2 * n
        limit = u32()
        if flags & 0x3000 and limit >= 1:
            at += 4
        hx, hy, hl = struct.unpack_from("<hhb", body, at)
        at += npos * 9 + 7 + nveh * 14
        trains.append((line, sub, flags, hx, hy, speeds[1], offset))
    return body[start:at], trains


def wait_for(condition, seconds=30):
    end = time.time() + seconds
    while True:
        value = condition()
        if value or time.time() > end:
            return value
        time.sleep(0.3)


def loop_pixels(s):
    """The edit window's picture (the opened window brings the stored cursor beside the loop into
    view, wherever its origin then lies): its drawn 32 x 16 tiles."""
    r = s.driver("wait", EDIT, "exe=quil.exe", "timeout=30000", "tiles", "w=32", "h=16")
    return frozenset((t["col"], t["row"], t["hash"]) for t in r.all("tile"))


def command(s, cmd_id):
    s.driver("wait", STATUS, "exe=quil.exe", "command", f"id={cmd_id}")


def save(s, work, backup):
    """Saves through the menu command and waits for the backup of that save and the new file."""
    net = os.path.join(work, "trains.nt3")
    before = os.path.getmtime(net)
    command(s, CMD_SAVE)
    expect(wait_for(lambda: os.path.exists(os.path.join(work, backup))), f"{backup} was written")
    expect(wait_for(lambda: os.path.exists(net) and os.path.getmtime(net) >= before), "saved")
    time.sleep(0.2)
    return trains_of(net)


def moves(s, what):
    first = loop_pixels(s)
    changed = wait_for(lambda: loop_pixels(s) != first, 40)
    expect(changed, f"the trains move in the edit window ({what})")


def test():
    with GuiSession("train_file") as s:
        work = os.path.join(s.dir, "nets")
        os.makedirs(work)
        h = s.start_host("trainfile_host", "--data", s.data_dir_wine, "save", wine_path(work) + "\\",
                         "trains.nt3")
        rc, out = s.wait_host(h, timeout=60)
        expect(rc == 0 and out.get("saved") == "0" and out.get("trains") == "2", f"harness {rc} {out}")
        net = os.path.join(work, "trains.nt3")
        _, placed = trains_of(net)
        expect([(t[3], t[4]) for t in placed] ==
               [(int(out["head0_x"]), int(out["head0_y"])), (int(out["head1_x"]), int(out["head1_y"]))],
               f"the harness's trains in its file: {placed} {out}")

        # Opened from the command line: the simulation runs and the trains move.
        q = s.start_host(QUIL, "/Q", "/LE", wine_path(net))
        confirm_open_dialog(s, "quil.exe", wine_path(net))
        s.driver("wait", EDIT, "exe=quil.exe", "title~=trains.nt3", "timeout=30000")
        moves(s, "after opening")
        command(s, CMD_SIMULATION)  # stop
        first_section, first = save(s, work, "trains.000.nt2")
        expect(len(first) == 2, f"two trains saved: {first}")
        expect([(t[3], t[4]) for t in first] != [(t[3], t[4]) for t in placed],
               f"the trains ran on from where the harness put them: {placed} -> {first}")

        # Reopened (the simulation stays stopped) and saved: they stand where they stood.
        command(s, CMD_OPEN)
        s.driver("wait", "class=#32770", "exe=quil.exe", f"title={lang_text(11200)}", "timeout=30000",
                 "settext", "id=1152", f"text={wine_path(net)}", "click", "id=1", "gone",
                 "timeout=20000")
        s.driver("wait", EDIT, "exe=quil.exe", "title~=trains.nt3", "timeout=30000")
        again_section, again = save(s, work, "trains.001.nt2")
        expect(again == first, f"reopened, the trains stand where they stood: {first} -> {again}")
        expect(again_section == first_section, "the trains' section is saved as it was")

        # Started again, they run on.
        command(s, CMD_SIMULATION)
        moves(s, "after reopening")
        command(s, CMD_SIMULATION)
        _, later = save(s, work, "trains.002.nt2")
        expect([(t[3], t[4], t[6]) for t in later] != [(t[3], t[4], t[6]) for t in first],
               f"the trains ran on: {first} -> {later}")
        command(s, CMD_EXIT)
        close_with_exit_message(s, "quil.exe", q)


if __name__ == "__main__":
    sys.exit(run(test))
