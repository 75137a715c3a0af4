#!/usr/bin/env python3
"""Dialog 114 on screen for each unknown line of a pasted block: its title, the question with the
line's name and the four buttons from the language texts; yes creates the line (with its
description), yes to all creates it and every further one without asking, no skips it, no to all
skips it and every further one, and closing the dialog skips only this one."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run  # noqa: E402

HOST = "lines_host"
EXE = "exe=lines_host.exe"


def dialog(s, name, action):
    r = s.driver("wait", "class=#32770", EXE, "timeout=15000", "dump")
    expect(r.first("title")["_"] == lang_text(12120), f"title {r.first('title')}")
    expect(r.control(190)["text"] == f"{lang_text(12125)}: {name}", f"question {r.control(190)}")
    for cid, tid in ((120, 12121), (121, 12122), (122, 12123), (123, 12124)):
        expect(r.control(cid)["text"] == lang_text(tid), f"button {cid}: {r.control(cid)}")
    s.driver("wait", "class=#32770", EXE, *action, "gone")


def paste(s, steps, created, asked):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "paste")
    for name, action in steps:
        dialog(s, name, action)
    rc, out = s.wait_host(h)
    expect(rc == 0 and out.get("result") == "0", f"host {rc} {out}")
    expect(out.get("index") == "6", f"past the end marker {out}")
    expect(out.get("created") == created, f"lines created {out}, expected {created}")
    expect(out.get("asked") == str(asked), f"dialogs shown {out}, expected {asked}")
    return out


def test():
    with GuiSession("lines") as s:
        # no on P, yes on Q, yes to all on R
        out = paste(s, [("P", ("click", "id=122")), ("Q", ("click", "id=120")),
                        ("R", ("click", "id=121"))], "QR", 3)
        expect(out.get("q_description") == "qq", f"description of Q {out}")
        # no to all on P: nothing more is asked
        paste(s, [("P", ("click", "id=123"))], "-", 1)
        # yes to all on P: Q and R without asking
        paste(s, [("P", ("click", "id=121"))], "PQR", 1)
        # Escape closes the dialog: P is skipped, the next is asked
        paste(s, [("P", ("key", "vk=ESCAPE")), ("Q", ("click", "id=120")),
                  ("R", ("click", "id=122"))], "Q", 3)


if __name__ == "__main__":
    sys.exit(run(test))
