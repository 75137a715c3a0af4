#!/usr/bin/env python3
"""The day-phase dialog (template 52) on screen: the four times of a new network in their order
through the day, times out of cyclic order refused with message 340 and the focus on the first
field, and the times 05:30, 07:00, 17:00, 18:30 typed and stored with an option switched on."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, GuiTestFailure, expect, lang_text, run  # noqa: E402

HOST = "daytime_host"
DLG = ("class=#32770", "exe=daytime_host.exe", "timeout=20000")


def type_rows(rows):
    steps = []
    for i, text in enumerate(rows):
        steps += ["settext", f"id={140 + i}", f"text={text}"]
    return steps


def day_phase(s):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "dayphase")
    title = lang_text(18500)
    built = s.wait_output(h, "windows_built", timeout=30) == "1"
    r = s.driver("wait", *DLG, f"title={title}", "dump")
    shown = [r.control(140 + i)["text"] for i in range(8)]
    expect(shown == [" 5", "30", " 7", "00", "17", "00", "18", "30"], f"rows of a new network: {shown}")
    for control, text_id in ((190, 18501), (191, 18502), (192, 18503), (193, 18504), (194, 18505),
                             (195, 18506), (470, 18507), (471, 18508)):
        want = lang_text(text_id).replace("&", "")
        got = r.control(control)["text"].replace("&", "")
        expect(got == want, f"control {control}: {got!r}, not {want!r}")
    # Rows 1 and 2 swapped: out of cyclic order.
    s.driver("wait", *DLG, f"title={title}", *type_rows(["7", "00", "5", "30"]), "command", "id=1", "gone")
    r = s.driver("wait", *DLG, "title~=340", "dump")
    expect(r.control(190)["text"] == lang_text(18001), f"message 340: {r.control(190)}")
    s.driver("wait", *DLG, "title~=340", "key", "vk=ENTER", "gone")
    r = s.driver("wait", *DLG, f"title={title}", "dump")
    expect(r.first("focus").get("id") == "140", f"focus on the first field: {r.first('focus')}")
    expect(r.control(140)["text"] == "7" and r.control(142)["text"] == "5", f"input kept: {r.text}")
    expect(built, "the clock's day-time windows answer")
    s.driver("wait", *DLG, f"title={title}",
             *type_rows(["5", "30", "7", "00", "17", "00", "18", "30"]),
             "click", "id=470", "command", "id=1", "gone")
    rc, out = s.wait_host(h)
    expect(out.get("done") == "1", f"the dialog ended: {out}")
    want = {"t1": 0x0700, "t2": 0x1100, "t3": 0x121E, "t4": 0x051E}
    for key, value in want.items():
        expect(out.get(key) == str(value), f"{key}: {out}")
    expect(out.get("options") == "1", f"option bit 0 stored: {out}")
    expect(out.get("modified") == "0", f"the same times do not modify the network: {out}")


def test():
    with GuiSession("daytime") as s:
        day_phase(s)


if __name__ == "__main__":
    sys.exit(run(test))
