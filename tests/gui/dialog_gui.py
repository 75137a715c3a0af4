#!/usr/bin/env python3
"""The dialog engine on screen: a descriptor round trip (controls filled from the records, a
field stepped at the caret, values typed, OK, values read back), arrow keys stepping a long
field through the program's key filter, a front-end re-opening its
dialog with the focus on the bad field, ten nested dialogs with the eleventh refused, and an
info box that F12 aborts only when it was opened as cancellable; and the drawn cursors and icons
loading from the resources."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, GuiTestFailure, expect, lang_text, run  # noqa: E402

HOST = "dialog_host"
DLG = ("class=#32770", "exe=dialog_host.exe", "timeout=20000")


def wait_field(s, title, control_id, want, timeout=30):
    """Dumps the dialog until control_id shows want: a posted key may still wait in the host's
    queue when the first dump arrives (the dump's messages are sent, and go first)."""
    end = time.time() + timeout
    while True:
        r = s.driver("wait", *DLG, f"title={title}", "dump")
        if r.control(control_id)["text"] == want:
            return r
        if time.time() > end:
            raise GuiTestFailure(f"field {control_id} shows {r.control(control_id)['text']!r}, not {want!r}")
        time.sleep(0.2)


def round_trip(s):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "roundtrip")
    r = s.driver("wait", *DLG, "title=Descriptor dialog", "dump")
    expect(r.control(190)["text"] == "Every record kind of a form", f"text record: {r.control(190)}")
    expect(r.control(140)["text"] == "7", f"field 140: {r.control(140)}")
    expect(r.control(141)["text"] == "Main line", f"field 141: {r.control(141)}")
    for button, text_id in ((1, 8100), (2, 8101), (100, 8104)):
        expect(r.control(button)["text"] == lang_text(text_id), f"button {button}: {r.control(button)}")
    expect(r.control(400)["text"] == lang_text(17021) and r.control(400)["check"] == "1", f"radio 400 {r.control(400)}")
    expect(r.control(401)["check"] == "0", f"radio 401 {r.control(401)}")
    expect(r.control(470)["text"] == lang_text(17027) and r.control(470)["check"] == "0", f"check {r.control(470)}")
    expect(r.first("focus").get("id") == "140", f"focus on the title record's control: {r.first('focus')}")
    # Stepping at the caret: up 7 -> 8; page down 8 - 10 is below 1 -> the highest, 12.
    s.driver("wait", *DLG, "title=Descriptor dialog", "key", "vk=UP")
    wait_field(s, "Descriptor dialog", 140, "8")
    s.driver("wait", *DLG, "title=Descriptor dialog", "key", "vk=NEXT")
    wait_field(s, "Descriptor dialog", 140, "12")
    # The clicks and the OK command are posted one after the other: the host takes them in order.
    s.driver("wait", *DLG, "title=Descriptor dialog", "settext", "id=141", "text=   Branch line",
             "click", "id=401", "click", "id=470", "command", "id=1", "gone")
    rc, out = s.wait_host(h)
    expect(out.get("result") == "2", f"OK gives 2: {out}")
    expect(out.get("f140") == "12" and out.get("f141") == "Branch line", f"fields read back: {out}")
    expect(out.get("r400") == "0" and out.get("r401") == "1" and out.get("c470") == "1", f"buttons read back: {out}")
    expect(out.get("level") == "-1", f"no dialog level left: {out}")


def long_field_steps(s):
    """Three arrow keys in a long ranged field step the value under the caret three times: each
    key is swallowed once the field stepped, so the edit control does not move the caret too."""
    h = s.start_host(HOST, "--data", s.data_dir_wine, "longstep")
    s.driver("wait", *DLG, "title=Long field", "caret", "id=140", "pos=4")
    r = wait_field(s, "Long field", 140, "10,20,30")
    for want in ("10,21,30", "10,22,30", "10,23,30"):
        s.driver("wait", *DLG, "title=Long field", "key", "vk=UP")
        r = wait_field(s, "Long field", 140, want)
        expect(r.control(140).get("caret") == "4", f"caret after {want}: {r.control(140)}")
    s.driver("wait", *DLG, "title=Long field", "command", "id=1", "gone")
    rc, out = s.wait_host(h)
    expect(out.get("result") == "2" and out.get("f140") == "10,23,30", f"value read back: {out}")


def bad_field(s):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "badfield")
    s.driver("wait", *DLG, "title=Time of day", "settext", "id=140", "text=7",
             "settext", "id=141", "text=75", "command", "id=1", "gone")
    r = s.driver("wait", *DLG, "title~=910", "dump")
    expect(r.control(190)["text"] == "The minute must lie between 0 and 59.", f"error text: {r.control(190)}")
    s.driver("wait", *DLG, "title~=910", "key", "vk=ENTER", "gone")
    r = s.driver("wait", *DLG, "title=Time of day", "dump")
    expect(r.first("focus").get("id") == "141", f"focus on the bad field: {r.first('focus')}")
    expect(r.control(141)["text"] == "75" and r.control(140)["text"] == "7", f"input kept: {r.text}")
    s.driver("wait", *DLG, "title=Time of day", "settext", "id=141", "text=15", "command", "id=1", "gone")
    rc, out = s.wait_host(h)
    expect(out.get("result") == "2" and out.get("rounds") == "2", f"two rounds, OK: {out}")
    expect(out.get("hour") == "7" and out.get("minute") == "15", f"values: {out}")


def nesting(s):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "nest")
    expect(s.wait_output(h, "ready", timeout=30) == "1", "ten dialogs open")
    out = s.host_output(h)
    expect(out.get("eleventh") == "1", f"the eleventh dialog is refused with 1: {out}")
    expect(out.get("level_at_eleventh") == "9", f"level 9 with ten dialogs: {out}")
    r = s.driver("list")
    titles = sorted(w["title"] for w in r.all("window", **{"class": "#32770", "exe": "dialog_host.exe"}))
    expect(titles == sorted(f"Level {n}" for n in range(1, 11)), f"ten dialogs on screen: {titles}\n{r.text}")
    for n in range(10, 0, -1):
        r = s.driver("wait", *DLG, f"title=Level {n}", "command", "id=1", "gone", ok=False)
        if r.rc != 0:
            raise GuiTestFailure(f"closing level {n}: {r.text}\n{s.driver('list').text}\n{s.host_output(h)}")
    rc, out = s.wait_host(h)
    for n in range(1, 11):
        expect(out.get(f"closed{n}") == "2", f"dialog {n} ended with OK: {out}")
    expect(out.get("level") == "-1" and out.get("brushes") == "0", f"stack empty, brushes gone: {out}")


def xdotool(s, *args):
    subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=s.display), check=True)


def info_box_abort(s):
    h = s.start_host(HOST, "--data", s.data_dir_wine, "infobox")
    expect(s.wait_output(h, "ready1", timeout=30) == "1", "first box open")
    r = s.driver("wait", "class=KORV_R27K32_384_InfoBox", "exe=dialog_host.exe", "timeout=20000")
    expect(r.first("window")["title"] == "Search", f"info box caption: {r.first('window')}")
    try:
        xdotool(s, "keydown", "F12")
        expect(s.wait_output(h, "f12_seen", timeout=20) == "1", "F12 reached the program")
        expect(s.wait_output(h, "abort_plain") == "0", "a box opened as not cancellable ignores F12")
        expect(s.wait_output(h, "aborted", timeout=20) == "1", "F12 aborts under a cancellable box")
    finally:
        xdotool(s, "keyup", "F12")
    rc, out = s.wait_host(h)
    expect(out.get("open1") == "0" and out.get("open2") == "1", f"levels of the two boxes: {out}")
    expect(out.get("close2") == "0" and out.get("close1") == "0" and out.get("level") == "-1", f"closed: {out}")


def cursors(s):
    h = s.start_host(HOST, "cursors")
    rc, out = s.wait_host(h)
    expect(out.get("init") == "0", f"cursors initialised: {out}")
    expect(out.get("cursors") == "11" and out.get("distinct") == "1", f"eleven own cursors load: {out}")
    expect(out.get("icon_large") == "1" and out.get("icon_small") == "1", f"icons 2 and 11 load: {out}")
    expect(out.get("mode") == "2" and out.get("busy") == "1" and out.get("shown") == "2", f"pick and busy: {out}")


def test():
    # A display of its own: F12 is held down on the X keyboard, which on a shared display would
    # reach whichever test's window has the focus.
    os.environ.pop("DISPLAY", None)
    with GuiSession("dialog") as s:
        cursors(s)
        round_trip(s)
        long_field_steps(s)
        bad_field(s)
        nesting(s)
        info_box_abort(s)


if __name__ == "__main__":
    sys.exit(run(test))
