#!/usr/bin/env python3
"""Settings last: the frame rate raised with real keys, the wide status layout, the clock window
and the recent files come back after the program ends and starts again; the value store's mirror
"quil.sy2" deleted by hand returns read-only (and hidden). The faults: settings_faults_gui.py."""
import os
import stat
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run  # noqa: E402
from programlib import QUIL, close_with_exit_message, folder_with, settings  # noqa: E402

STATUS = "class=KORV_R27K32_384_Status"
EDIT = "class=KORV_R27K32_384_Edit"
CLOCK = "class=KORV_R27K32_384_Uhr"


def start(s, exe):
    h = s.start_host(exe, "/Q", "/N", "/LE")
    s.driver("wait", EDIT, "exe=quil.exe", "timeout=30000")
    return h


def quit_program(s, h):
    s.driver("wait", EDIT, "exe=quil.exe", "input", "vk=X", "mods=alt")
    close_with_exit_message(s, "quil.exe", h)


def round_trip(s):
    exe = folder_with("settings", QUIL, True)
    folder = os.path.dirname(exe)
    ini = os.path.join(folder, "quil.ini")
    mirror = os.path.join(folder, "quil.sy2")

    h = start(s, exe)
    expect(os.path.exists(ini), "a missing option file is replaced by the defaults at once")
    expect(settings(ini)["FrameRate"] == "25", "default frame rate")
    # Shift and the '+' key of the number pad raise the frame rate, twice.
    for _ in range(2):
        s.driver("wait", EDIT, "exe=quil.exe", "input", "vk=107", "mods=shift")
    s.driver("wait", STATUS, "exe=quil.exe", "command", "id=405")  # wide status layout
    s.driver("wait", STATUS, "exe=quil.exe", "command", "id=406")  # the clock window
    s.driver("wait", CLOCK, "exe=quil.exe", "timeout=20000")
    # The save-settings command writes the file at once.
    s.driver("wait", STATUS, "exe=quil.exe", "command", "id=396")
    saved = settings(ini)
    expect(saved["FrameRate"] == "27", f"frame rate saved by command 396: {saved['FrameRate']}")
    quit_program(s, h)
    values = settings(ini)
    expect(values["FrameRate"] == "27", f"frame rate written at exit: {values['FrameRate']}")
    expect(values["Fenster0"].startswith("B,"), f"wide layout written: {values['Fenster0']}")
    expect(values["FensterU"].startswith("E,"), f"clock window written: {values['FensterU']}")
    expect(os.path.exists(mirror), "the value store's mirror is in the program folder")
    expect(not os.stat(mirror).st_mode & 0o222, "the mirror is read-only")

    # The mirror deleted by hand: the next start restores it from the registry.
    os.chmod(mirror, 0o644)
    os.remove(mirror)
    h = start(s, exe)
    r = s.driver("wait", STATUS, "exe=quil.exe", "dump")
    rect = r.first("rect")
    width = int(rect["right"]) - int(rect["left"])
    expect(width > 800 and int(rect["left"]) == 0, f"the wide layout is back: {rect}")
    s.driver("wait", CLOCK, "exe=quil.exe", "timeout=20000")
    expect(os.path.exists(mirror), "the mirror came back")
    expect(not os.stat(mirror).st_mode & 0o222, "the mirror came back read-only")
    try:
        attributes = os.getxattr(mirror, "user.DOSATTRIB")
        expect(b"0x" in attributes and int(attributes.split(b"0x")[1][:2], 16) & 2,
               f"the mirror came back hidden: {attributes!r}")
    except OSError:
        pass  # the file system keeps no DOS attributes: Wine cannot mark the file hidden

    quit_program(s, h)
    values = settings(ini)
    expect(values["FrameRate"] == "27", "the frame rate was read back and written again")
    expect(values["Fenster0"].startswith("B,"), "the layout was read back and written again")


def test():
    with GuiSession("settings") as s:
        round_trip(s)


if __name__ == "__main__":
    sys.exit(run(test))
