#!/usr/bin/env python3
"""A followed train under Wine: the follow host runs the program's frame with a running train on a
loop on level 0 and another on level -1, far from the edit window's view. The test selects the
first train through the train selection with follow mode and reads the edit window's pixels:
the window jumps to the loop and shows it where the reported origin says, the train's cells show
its vehicles over the track, its label changes the picture at its head and nowhere else, and the
view stays put while the train runs inside it. Smooth following then moves the view pixel by
pixel with the train, and selecting the second train brings the window onto level -1."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import BIN_DIR, GuiSession, expect, run  # noqa: E402
from programlib import close_with_exit_message, folder_with  # noqa: E402

EXE = "follow_host.exe"
EDIT = ("wait", "class=KORV_R27K32_384_Edit", f"exe={EXE}", "timeout=30000")
CONTROL = ("wait", "title=follow host", f"exe={EXE}", "visible=0", "timeout=30000")
STATUS = ("wait", "class=KORV_R27K32_384_Status", f"exe={EXE}", "timeout=30000")
# The loops of the host (corners, level); the train k runs on loop k - 1.
LOOPS = [(16600, 16500, 16611, 16505, 0), (16800, 16700, 16811, 16705, -1)]
W, H = 32, 16  # a cell at zoom 1


class Host:
    def __init__(self, s, handle):
        self.s, self.h, self.reports = s, handle, 1

    def command(self, *ids):
        steps = []
        for i in ids:
            steps += ["command", f"id={i}"]
        self.s.driver(*CONTROL, *steps)

    def report(self):
        self.command(109)
        self.reports += 1
        end = time.time() + 30
        while time.time() < end:
            out = self.s.host_output(self.h)
            if out.get("report") == str(self.reports):
                return out
            time.sleep(0.05)
        expect(False, f"no report {self.reports}: {self.s.host_output(self.h)}")

    def wait_report(self, what, condition, seconds=40):
        end = time.time() + seconds
        while True:
            r = self.report()
            if condition(r):
                return r
            expect(time.time() < end, f"{what}: {r}")
            time.sleep(0.2)


def view(r):
    return tuple(int(r[k]) for k in ("origin_x", "origin_y", "fine_x", "fine_y", "level"))


def train_cells(r):
    return [tuple(int(v) for v in c.split(",")) for c in r["cells"].split(";") if c]


def loop_cells(loop):
    x0, y0, x1, y1, _ = loop
    return {(x, y) for x in range(x0, x1 + 1) for y in (y0, y1)} | \
        {(x, y) for y in range(y0, y1 + 1) for x in (x0, x1)}


def track_kind(loop, x, y):
    x0, y0, x1, y1, _ = loop
    if x0 < x < x1:
        return "across"
    if y0 < y < y1:
        return "down"
    return (x, y)


def tiles(s, fine_x, fine_y):
    """The edit window's tiles from the given pixel offsets: {(col, row): hash} of those drawn
    with more than one colour, and the count of whole tiles across and down."""
    r = s.driver(*EDIT, "tiles", f"w={W}", f"h={H}", f"x={fine_x}", f"y={fine_y}")
    size = r.first("tiles")
    return {(int(t["col"]), int(t["row"])): int(t["hash"]) for t in r.all("tile")}, \
        int(size["cols"]), int(size["rows"])


def find_loop(drawn, loop):
    """Where the loop's top left cell appears among the drawn tiles: the one position from which
    every cell of the loop's border is drawn."""
    x0, y0 = loop[0], loop[1]
    border = [(x - x0, y - y0) for x, y in loop_cells(loop)]
    found = [(c, r) for c, r in drawn if all((c + dx, r + dy) in drawn for dx, dy in border)]
    return found


def steady_picture(s, host):
    """A report and the window's tiles that belong together: the view did not move and the
    picture did not change while the tiles were read twice (the simulation is stopped; the follow
    mode may still be catching up and the window still drawing)."""
    for _ in range(40):
        before = host.report()
        drawn, cols, rows = tiles(s, int(before["fine_x"]), int(before["fine_y"]))
        time.sleep(0.3)
        again, _, _ = tiles(s, int(before["fine_x"]), int(before["fine_y"]))
        after = host.report()
        if view(before) == view(after) and before["cells"] == after["cells"] and drawn == again:
            return after, drawn, cols, rows
        time.sleep(0.25)
    expect(False, "the picture never stood still")


def check_picture(s, host, loop):
    """The loop and the selected train as the window shows them with train labels off: the loop
    where the reported origin puts it and the train's vehicles over its track. Returns the report
    and the tiles."""
    host.command(106)
    end = time.time() + 30
    while True:  # a loaded machine may take a while to draw the whole window
        r, drawn, cols, rows = steady_picture(s, host)
        ox, oy = int(r["origin_x"]), int(r["origin_y"])
        found = find_loop(drawn, loop)
        if found == [(loop[0] - ox, loop[1] - oy)] or time.time() > end:
            break
        time.sleep(0.5)
    missing = sorted((x, y) for x, y in loop_cells(loop) if (x - ox, y - oy) not in drawn)
    expect(found == [(loop[0] - ox, loop[1] - oy)],
           f"the loop's corner {loop[:2]} is drawn where origin {ox}, {oy} (offsets {r['fine_x']}, "
           f"{r['fine_y']}) puts it: found {found}, loop cells not drawn there {missing}")
    train = train_cells(r)
    expect(len(train) >= 3 and all(c[2] == loop[4] for c in train), f"the train on the loop's level: {train}")
    cells = loop_cells(loop)
    on_train = {(c[0], c[1]) for c in train}
    # Vehicles: a train cell's picture differs from the track of its kind elsewhere on the loop
    # (the straight cells of the long and of the short sides; each corner is a kind of its own).
    plain = {}
    for x, y in cells - on_train:
        if (x - ox, y - oy) in drawn:
            plain.setdefault(track_kind(loop, x, y), []).append(drawn[(x - ox, y - oy)])
    checked = 0
    for x, y, _, code in train:
        same = plain.get(track_kind(loop, x, y), [])
        if len(same) < 2:
            continue  # a corner: no other cell of its kind
        track = max(set(same), key=same.count)
        expect(drawn.get((x - ox, y - oy)) not in (None, track),
               f"train cell ({x}, {y}) shows vehicles over its track ({code})")
        checked += 1
    expect(checked >= 2, f"straight train cells checked: {checked} of {train}")
    return r, drawn


def check_label(s, host, loop):
    """With labels on, the picture changes at the train's head and nowhere else."""
    r, off = check_picture(s, host, loop)
    host.command(107)
    on_r, on, _, _ = steady_picture(s, host)
    expect(view(on_r) == view(r) and on_r["cells"] == r["cells"], f"the picture stood still: {r} {on_r}")
    ox, oy = int(r["origin_x"]), int(r["origin_y"])
    hx, hy = train_cells(r)[0][:2]
    changed = {t for t in set(on) | set(off) if on.get(t) != off.get(t)}
    expect(changed, f"the label is drawn at the head ({hx}, {hy})")
    far = [(c + ox, row + oy) for c, row in changed if abs(c + ox - hx) > 1 or abs(row + oy - hy) > 1]
    expect(not far, f"the label lies at the head ({hx}, {hy}), not at {far}")
    return r


def inside(r, x, y):
    ox, oy = int(r["origin_x"]), int(r["origin_y"])
    return ox <= x < ox + int(r["cols"]) and oy <= y < oy + int(r["rows"])


def follow(s):
    exe = folder_with("follow", os.path.join(BIN_DIR, EXE), True)
    h = s.start_host(exe, "/Q", "/N")
    s.wait_output(h, "ready", timeout=90)
    out = s.host_output(h)
    expect(out.get("vehicles") == "0" and out.get("train1") == "1" and out.get("train2") == "1",
           f"vehicle graphics loaded, trains placed: {out}")
    host = Host(s, h)
    first = host.report()
    expect(first["follow_mode"] != "1" and first["selected_line"] == "-1", f"nothing followed yet: {first}")
    expect(not any(inside(first, x, y) for x, y in loop_cells(LOOPS[0])), f"the loop lies outside the view: {first}")
    drawn, _, _ = tiles(s, 0, 0)
    expect(not find_loop(drawn, LOOPS[0]), "the window does not show the loop before following")

    # Jump mode: the window jumps to the train, then stays while the train runs inside it.
    host.command(101)
    r = host.wait_report("the window jumps to the train",
                         lambda r: r["follow_mode"] == "1" and r["selected_line"] == "1" and
                         inside(r, *train_cells(r)[0][:2]) if r["cells"] else False)
    expect(s.host_output(h).get("select1") == "0" and r["followed"] == "0" and r["mark"] == "2",
           f"train 1/1 selected with its full mark, window 0 follows: {r}")
    expect((r["fine_x"], r["fine_y"], r["level"]) == ("0", "0", "0"), f"a jump leaves no sub-cell offset: {r}")
    head = train_cells(r)[0]
    moved = host.wait_report("the train runs on", lambda q: train_cells(q)[0] != head and len(train_cells(q)) >= 3)
    expect(view(moved)[:2] == view(r)[:2], f"inside the view the jump mode keeps the view: {r} -> {moved}")
    host.command(104)
    check_label(s, host, LOOPS[0])
    host.command(105)

    # Smooth mode: the view moves with the train by pixels, keeping its head near the middle.
    host.command(102)
    offsets, origins = set(), set()
    end = time.time() + 40
    while time.time() < end and (len(origins) < 3 or not offsets - {(0, 0)}):
        q = host.report()
        offsets.add((int(q["fine_x"]), int(q["fine_y"])))
        origins.add(view(q)[:2])
        time.sleep(0.1)
    expect(len(origins) >= 3 and offsets - {(0, 0)},
           f"the view moves with the train in steps smaller than a cell: {origins} {offsets}")
    host.command(104)
    r = check_label(s, host, LOOPS[0])
    hx, hy = train_cells(r)[0][:2]
    cx, cy = int(r["origin_x"]) + int(r["cols"]) // 2, int(r["origin_y"]) + int(r["rows"]) // 2
    expect(abs(hx - cx) <= 1 and abs(hy - cy) <= 1, f"the head ({hx}, {hy}) is in the middle ({cx}, {cy}): {r}")

    # Another level: the second train runs on level -1; without keep-level the window goes there.
    host.command(105, 103)
    r = host.wait_report("the window goes to the second train's level",
                         lambda r: r["selected_line"] == "2" and r["level"] == "-1" and
                         inside(r, *train_cells(r)[0][:2]))
    expect(s.host_output(h).get("select2") == "0" and r["follow_mode"] == "1" and r["options"] == "0",
           f"train 2/1 followed by jumps: {r}")
    host.command(104)
    check_label(s, host, LOOPS[1])

    s.driver(*STATUS, "close")
    out = close_with_exit_message(s, EXE, h)
    expect(out.get("exit") == "0", f"the loop ended: {out}")


def test():
    with GuiSession("follow", own_display=True) as s:
        follow(s)


if __name__ == "__main__":
    sys.exit(run(test))
