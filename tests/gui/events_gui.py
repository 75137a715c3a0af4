#!/usr/bin/env python3
"""The event display under Wine, used as a user does: the indicator drawn in its status pane, the
list opened by a click on it, a row chosen with the arrow keys and deleted with the Del key (the
list reopens with one row less), the list copied to the clipboard, the first filter page opened
from the list and a kind set to "stop", a row deleted with the button, the view sent to the last
event with Enter, the list opened by its menu command and cleared, and the empty list's message."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import BIN_DIR, GuiSession, expect, lang_text, run  # noqa: E402
from programlib import close_with_exit_message, folder_with  # noqa: E402

EXE = "events_host.exe"
STATUS = ("wait", "class=KORV_R27K32_384_Status", f"exe={EXE}", "timeout=30000")


def dialog(title):
    return ("wait", "class=#32770", f"exe={EXE}", f"title={title}", "timeout=20000")


def list_title(n):
    return lang_text(4200).replace("%u", str(n))


def events(s):
    exe = folder_with("events", os.path.join(BIN_DIR, EXE), True)
    h = s.start_host(exe, "/Q", "/N")
    s.wait_output(h, "ready", timeout=90)
    out = s.host_output(h)
    expect(out.get("added6") == "0" and out.get("added17") == "0", f"events added: {out}")
    expect(out.get("look") == "103", f"entries not yet seen: {out}")
    x, y, w, hgt = (int(out[k]) for k in ("pane_x", "pane_y", "pane_w", "pane_h"))
    r = s.driver(*STATUS, "region", f"x={x}", f"y={y}", f"w={w}", f"h={hgt}")
    expect(int(r.first("region")["distinct"]) >= 2, f"the indicator's glyphs are drawn: {r.text}")

    # A click on the indicator opens the list; Down twice selects the third row, Del deletes it.
    s.driver(*STATUS, "mouse", f"x={x + w // 2}", f"y={y + hgt // 2}")
    r = s.driver(*dialog(list_title(3)), "dump")
    for control, text_id in ((121, 4203), (122, 4204), (104, 2211), (123, 4206), (124, 4207),
                             (190, 4210), (195, 4215), (196, 4205)):
        got = r.control(control)["text"].replace("&", "")
        expect(got == lang_text(text_id).replace("&", ""), f"control {control}: {got!r}")
    expect(r.first("focus").get("id") == "106", f"the list has the focus: {r.first('focus')}")
    s.driver(*dialog(list_title(3)), "key", "vk=DOWN", "key", "vk=DOWN", "input", "vk=DELETE", "gone")

    # Reopened with two rows: copy, the first filter page (kind 6 to "stop"), then Delete.
    s.driver(*dialog(list_title(2)), "click", "id=104", "click", "id=124")
    r = s.driver(*dialog(lang_text(4220)), "dump")
    expect(r.control(194)["text"] == lang_text(4606), f"first kind of page 1: {r.control(194)}")
    expect(r.control(401).get("check") == "1", f"kind 6 shown on: {r.control(401)}")
    s.driver(*dialog(lang_text(4220)), "click", "id=402", "key", "vk=ENTER", "gone")
    s.driver(*dialog(list_title(2)), "click", "id=121", "gone")
    # One row left: Enter goes to its place and closes the list.
    s.driver(*dialog(list_title(1)), "key", "vk=ENTER", "gone")

    # The menu command opens it again; Clear all empties it.
    s.driver(*STATUS, "command", "id=430")
    s.driver(*dialog(list_title(1)), "click", "id=122", "gone")
    # An empty list gives message 599.
    s.driver(*STATUS, "mouse", f"x={x + w // 2}", f"y={y + hgt // 2}")
    r = s.driver("wait", "class=#32770", f"exe={EXE}", "title~=599", "timeout=20000", "dump")
    expect(r.control(190)["text"] == lang_text(4000), f"message 599: {r.control(190)}")
    s.driver("wait", "class=#32770", f"exe={EXE}", "title~=599", "key", "vk=ENTER", "gone")

    s.driver(*STATUS, "close")
    out = close_with_exit_message(s, EXE, h)
    expect(out.get("count") == "0", f"the list was cleared: {out}")
    expect(out.get("flag6") == "2" and out.get("flag11") == "1", f"filter page 1 set kind 6 only: {out}")
    clip = [out.get("clip0", ""), out.get("clip1", "")]
    expect(clip[0].endswith(lang_text(4506)) and clip[1].endswith(lang_text(4507)),
           f"the two rows on the clipboard: {clip}")
    expect("\x02" not in clip[0] and "-------- -------- ----" in clip[0], f"row copied plain: {clip}")


def test():
    with GuiSession("events") as s:
        events(s)


if __name__ == "__main__":
    sys.exit(run(test))
