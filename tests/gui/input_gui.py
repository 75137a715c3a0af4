#!/usr/bin/env python3
"""Key and mouse dispatch under Wine: the menu's greying and toggled captions, a click on a cell in
each view mode (partial cells at the left and top edges included), keys and characters that reach
their commands, no key or click on an edit window while the status window has the focus; and in
the program itself, accelerators pressed on the keyboard."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import BIN_DIR, GuiSession, expect, lang_text, run  # noqa: E402
from programlib import QUIL, close_with_exit_message, folder_with  # noqa: E402


def input_host(s):
    exe = folder_with("input", os.path.join(BIN_DIR, "input_host.exe"), True)
    h = s.start_host(exe, "/Q", "/N", "/LE")
    s.wait_output(h, "shutdown", timeout=90)
    out = close_with_exit_message(s, "input_host.exe", h)

    def v(k):
        expect(k in out, f"host printed no {k}: {out}")
        return int(out[k]) if out[k].lstrip("-").isdigit() else out[k]

    expect(v("init") == 1 and v("active") == 0, "started with edit window 0 active")
    for cmd, grey in ((261, 1), (304, 1), (308, 1), (421, 1), (257, 0), (400, 0), (433, 0), (336, 0), (337, 0)):
        expect(v(f"grey{cmd}") == grey, f"command {cmd} greyed={grey}: {v(f'grey{cmd}')}")
    expect(v("caption338") == lang_text(33990), f"caption 338 {v('caption338')!r}")
    expect(v("caption384") == lang_text(33810), f"caption 384 {v('caption384')!r}")
    expect(v("caption406") == lang_text(33856), f"caption 406 {v('caption406')!r}")

    # (name, pixel x, y, cell width and height in pixels, fine x, y): cell = origin + floor((p - fine) / size)
    def cell(p, fine, size):
        return (p - fine) // size

    clicks = (("m1", 100, 40, 32, 16, 0, 0), ("m1fine", 2, 1, 32, 16, 6, 3))
    for name, px, py, w, hgt, fx, fy in clicks:
        ex = v(f"{name}_origin_x") + cell(px, fx, w)
        ey = v(f"{name}_origin_y") + cell(py, fy, hgt)
        expect((v(f"{name}_x"), v(f"{name}_y")) == (ex, ey), f"{name}: cursor {v(f'{name}_x')},{v(f'{name}_y')} "
               f"expected {ex},{ey}")
    # View mode 2, zoom 2: cell = floor((2 * p - fine) / 16); view mode 3, zoom 4: cell = 4 * p.
    for name, px, py, fx, fy in (("m2", 41, 33, 0, 0), ("m2fine", 1, 2, 5, 5)):
        ex = v(f"{name}_origin_x") + (2 * px - fx) // 16
        ey = v(f"{name}_origin_y") + (2 * py - fy) // 16
        expect((v(f"{name}_x"), v(f"{name}_y")) == (ex, ey), f"{name}: cursor {v(f'{name}_x')},{v(f'{name}_y')} "
               f"expected {ex},{ey}")
    expect(v("m1fine_x") == v("m1fine_origin_x") - 1 and v("m2fine_y") == v("m2fine_origin_y") - 1,
           "a click on a partial cell at the left or top edge takes the cell before the origin")
    expect((v("m3_x"), v("m3_y")) == (v("m3_origin_x") + 40, v("m3_origin_y") + 28), "overview click")

    expect(v("zoom_star") == 2 and v("zoom_slash") == 1, f"'*' and '/' zoom: {v('zoom_star')} {v('zoom_slash')}")
    expect(v("sim_toggled") == 1, "the Alt letter of the simulation starts it")
    expect(v("active_status") == -1 and v("status_untouched") == 1,
           "with the status window focused no key or click touches the edit window")
    expect(v("exit") == 0, "loop ended")


def accelerators(s):
    h = s.start_host(QUIL, "/Q", "/N", "/LE")
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "timeout=30000")
    # Ctrl+F3 opens a second edit window, Alt+F3 closes the active one again.
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "input", "vk=F3", "mods=ctrl")
    r = s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", f"title~={lang_text(8121)}2 ",
                 "timeout=20000")
    expect(r.rc == 0, "Ctrl+F3 opened edit window 2")
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", f"title~={lang_text(8121)}2 ",
             "input", "vk=F3", "mods=alt", "gone", "timeout=20000")
    # Alt+X quits through the close path.
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "input", "vk=X", "mods=alt")
    close_with_exit_message(s, "quil.exe", h)


def test():
    with GuiSession("input") as s:
        input_host(s)
        accelerators(s)


if __name__ == "__main__":
    run(test)
