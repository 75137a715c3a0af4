#!/usr/bin/env python3
"""The manual switching question (dialog 90): its title and buttons from the language texts, the
third exit offered only on a switch with three exits, the proposal as the focused button, and
each button's answer; and the clock window's face, which changes as the clock advances."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run  # noqa: E402

HOST = "switch_host"
EXE = "exe=switch_host.exe"


def question(s, exit3, proposal, button, want):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "ask", str(exit3), str(proposal))
    r = s.driver("wait", "class=#32770", EXE, "timeout=15000", "dump")
    expect(r.first("title")["_"] == lang_text(15020), f"title {r.first('title')}")
    for cid, tid in ((120, 15031), (121, 15032), (122, 15033), (123, 15028), (124, 15029),
                     (125, 15030)):
        expect(r.control(cid)["text"] == lang_text(tid), f"button {cid}: {r.control(cid)}")
    expect(r.control(122)["enabled"] == str(exit3), f"exit 3 offered: {r.control(122)}")
    focus = {1: "120", 2: "121", 3: "122"}[proposal]
    expect(r.first("focus")["id"] == focus, f"focus on the proposal {r.first('focus')}")
    s.driver("wait", "class=#32770", EXE, "click", f"id={button}", "gone")
    rc, out = s.wait_host(h)
    expect(rc == 0 and out.get("placed") == "0", f"host {rc} {out}")
    expect(out.get("result") == str(want), f"answer of button {button}: {out}")
    return out


def test():
    with GuiSession("switch") as s:
        question(s, 1, 1, 121, 32)       # exit 2 chosen
        question(s, 1, 3, 122, 128)      # exit 3 chosen
        question(s, 0, 2, 120, 1)        # exit 1 chosen; no exit 3 offered
        question(s, 1, 2, 123, 32)       # selection ended: the proposal
        out = question(s, 1, 1, 125, 0x10000)  # the simulation is stopped
        expect(out.get("running") == "0", f"stopped {out}")
        h = s.start_host(HOST, "--data", s.data_dir_wine, "clock")
        rc, out = s.wait_host(h)
        expect(rc == 0, f"clock host {rc}")
        expect(out.get("changed_second") == "1", f"the face shows the new second {out}")
        expect(out.get("changed_minute") == "1", f"the face shows the new minute {out}")
        expect(out.get("stable") == "1", f"redrawing the same time draws the same face {out}")
        expect(out.get("text", "") == lang_text(17022) + ":11:00:00", f"clock text {out}")


if __name__ == "__main__":
    sys.exit(run(test))
