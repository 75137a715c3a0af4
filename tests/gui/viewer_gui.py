#!/usr/bin/env python3
"""The viewer quilview.exe starts with its edit window and has no command that saves: the save,
save-as and password commands open no box (the full program shows its save-as file dialog within
a second or two), and the quit command ends it through its close path."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import DATA_DIR, GuiSession, expect, lang_text, run  # noqa: E402
from programlib import close_with_exit_message, folder_with  # noqa: E402

SAVE_COMMANDS = (258, 259, 265)  # save, save as, password


def test():
    with GuiSession("viewer") as s:
        exe = folder_with("viewer", os.path.join(DATA_DIR, "quilview.exe"), True)
        h = s.start_host(exe, "/Q", "/N", "/LE")
        r = s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quilview.exe", "timeout=60000")
        steps = []
        for cmd in SAVE_COMMANDS:
            steps += ["command", f"id={cmd}"]
        s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quilview.exe", *steps)
        # Nothing to wait for when nothing comes: a box would have shown within these seconds.
        r = s.driver("wait", "class=#32770", "exe=quilview.exe", "timeout=8000", ok=False)
        expect(r.rc != 0, f"a save command of the viewer opened a box: {r.text}")
        s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quilview.exe", "command", "id=266")
        close_with_exit_message(s, "quilview.exe", h)


if __name__ == "__main__":
    sys.exit(run(test))
