#!/usr/bin/env python3
"""The edit windows of the real program: a network file opened from the command line shows its
cells in the edit window with its stored cursor brought into view (pixels of a track cell differ
from the empty cells beside it), the status window's cursor field follows the cursor moved by
keys, and its clock pane shows the running simulated time."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import DATA_DIR, GuiSession, expect, run, wine_path  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog  # noqa: E402

EDIT = "class=KORV_R27K32_384_Edit"
STATUS = "class=KORV_R27K32_384_Status"
EMPTY_CELL = 0x007000  # display colour 131 by default (the day phase is off in the file)


def region(s, window, x, y, w, h):
    r = s.driver("wait", window, "exe=quil.exe", "timeout=30000", "region", f"x={x}", f"y={y}",
                 f"w={w}", f"h={h}")
    f = r.first("region")
    return int(f["distinct"]), int(f["most"]), int(f["hash"])


def wait_for(what, condition, seconds=30):
    end = time.time() + seconds
    while True:
        value = condition()
        if value or time.time() > end:
            return value
        time.sleep(0.3)


def view_origin(s):
    """The cell the edit window shows at its top left corner, read from its pixels: the track of
    drawn.nt3 (cells 100..111 of row 102) is the one run of twelve drawn cells side by side in a
    row of 32 x 16 tiles. None until the window shows it."""
    r = s.driver("wait", EDIT, "exe=quil.exe", "timeout=30000", "tiles", "w=32", "h=16")
    drawn = {(int(t["col"]), int(t["row"])) for t in r.all("tile")}
    for col, row in sorted(drawn, key=lambda c: (c[1], c[0])):
        if (col - 1, row) not in drawn and all((col + i, row) in drawn for i in range(12)):
            size = r.first("tiles")
            return 100 - col, 102 - row, int(size["cols"]), int(size["rows"])
    return None


def drawn_network(s):
    fixture = os.path.join(DATA_DIR, "netfixtures", "drawn.nt3")
    expect(os.path.exists(fixture), f"fixture {fixture}")
    h = s.start_host(QUIL, "/Q", "/N", "/LE", wine_path(fixture))
    confirm_open_dialog(s, "quil.exe", wine_path(fixture))
    s.driver("wait", EDIT, "exe=quil.exe", "title~=drawn.nt3", "timeout=30000")
    # The file stores the view at cell (100, 100) with the cursor on that corner cell. Opening the
    # window brings the cursor into view: standing in the view's left and top margins, it is
    # centred, so the view starts left of and above the stored origin.
    seen = wait_for("origin", lambda: view_origin(s))
    expect(seen, "the edit window shows the track of the file")
    ox, oy, cols, rows = seen
    expect((ox, oy) != (100, 100), f"the cursor was brought into view: origin {ox}, {oy}")
    expect(cols // 8 < 100 - ox < cols - cols // 8 and rows // 8 < 100 - oy < rows - rows // 8,
           f"the cursor (100, 100) lies clear of the margins of the view at {ox}, {oy} ({cols} x {rows})")

    def cell(x, y):
        expect(0 <= x - ox < cols and 0 <= y - oy < rows, f"cell ({x}, {y}) lies in the view at {ox}, {oy}")
        return region(s, EDIT, 32 * (x - ox), 16 * (y - oy), 32, 16)

    empty = wait_for("empty", lambda: (lambda r: r if r[0] == 1 and r[1] == EMPTY_CELL else None)(cell(108, 106)))
    expect(empty, f"an empty cell shows the empty-cell colour: {cell(108, 106)}")
    track = wait_for("track", lambda: (lambda r: r if r[0] >= 2 else None)(cell(109, 102)))
    expect(track, f"the track cell (109, 102) is drawn: {cell(109, 102)}")
    # cell (106, 104) holds another code; the window may still be drawing it
    other = wait_for("other", lambda: (lambda r: r if r[0] >= 2 and r[2] != track[2] else None)(cell(106, 104)))
    expect(other, f"cell (106, 104) shows its own picture: {cell(106, 104)}")

    # The cursor field of the status window (pane 23: x 56..167 of row 8..23) shows the active
    # edit window's cursor: each arrow key changes it, and back at a position it shows the same.
    def field():
        return region(s, STATUS, 56, 8, 112, 16)

    def press(key, differs_from=None, equals=None):
        s.driver("wait", EDIT, "exe=quil.exe", "input", f"vk={key}")
        if equals is not None:
            return wait_for(key, lambda: (lambda r: r if r[2] == equals[2] else None)(field()))
        return wait_for(key, lambda: (lambda r: r if r[0] >= 2 and r[2] != differs_from[2] else None)(field()))

    before = field()
    right1 = press("RIGHT", differs_from=before)
    expect(right1, f"the cursor field shows the cursor after a key: {field()}")
    right2 = press("RIGHT", differs_from=right1)
    expect(right2, f"the cursor field follows the cursor a cell further: {field()}")
    back = press("LEFT", equals=right1)
    expect(back, f"the cursor field shows the earlier position again: {field()} != {right1}")

    # The clock pane of the status window (pane 25: seconds at x 144..167 of row 40..55) shows
    # the simulated time running: its pixels change while the simulation runs.
    first = wait_for("clock", lambda: (lambda r: r if r[0] >= 2 else None)(region(s, STATUS, 104, 40, 64, 16)))
    expect(first, f"the clock pane shows a text: {region(s, STATUS, 104, 40, 64, 16)}")
    changed = wait_for("ticking", lambda: region(s, STATUS, 104, 40, 64, 16)[2] != first[2])
    expect(changed, "the clock pane follows the simulated time")
    s.driver("wait", STATUS, "exe=quil.exe", "command", "id=266")
    close_with_exit_message(s, "quil.exe", h)


def test():
    with GuiSession("views", own_display=True) as s:
        drawn_network(s)


if __name__ == "__main__":
    sys.exit(run(test))
