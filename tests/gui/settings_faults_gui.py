#!/usr/bin/env python3
"""Settings that must not be lost: a second instance writes no option file (information 211 for
the save command); a faulty option file gives message 212, is kept as "quil.ini.bad" and is
replaced by the defaults."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run  # noqa: E402
from programlib import QUIL, close_with_exit_message, folder_with  # noqa: E402
from settings_gui import EDIT, STATUS, quit_program, settings, start  # noqa: E402


def faults(s):
    exe = folder_with("settings_faults", QUIL, True)
    ini = os.path.join(os.path.dirname(exe), "quil.ini")
    h = start(s, exe)
    s.driver("wait", EDIT, "exe=quil.exe", "input", "vk=107", "mods=shift")

    # A second instance reads the settings but writes nothing.
    before = open(ini, "rb").read()
    h2 = s.start_host(exe, "/Q", "/N", "/LE")
    r = s.driver("wait", STATUS, "exe=quil.exe", "title~=QUIL(2) ", "timeout=30000")
    pid2 = r.first("window")["pid"]
    s.driver("wait", STATUS, f"pid={pid2}", "command", "id=396")
    r = s.driver("wait", "class=#32770", f"pid={pid2}", "title~=211", "timeout=20000", "dump")
    s.driver("wait", "class=#32770", f"pid={pid2}", "title~=211", "key", "vk=ENTER", "gone")
    s.driver("wait", EDIT, f"pid={pid2}", "input", "vk=X", "mods=alt")
    close_with_exit_message(s, "quil.exe", h2)
    expect(open(ini, "rb").read() == before, "the second instance wrote nothing")

    quit_program(s, h)

    # A faulty file: message 212 names the copy set aside; the defaults are written.
    with open(ini, "wb") as f:
        f.write("\ufeff[QUIL_384]\r\nFrameRate=40\r\nQ=17\r\n".encode("utf-16-le"))
    h = s.start_host(exe, "/Q", "/N", "/LE")
    r = s.driver("wait", "class=#32770", "exe=quil.exe", "title~=212", "timeout=30000", "dump")
    texts = " ".join(c.get("text", "") for c in r.all("control"))
    expect("quil.ini.bad" in texts and lang_text(11119) in texts, f"message 212: {texts!r}")
    s.driver("wait", "class=#32770", "exe=quil.exe", "title~=212", "key", "vk=ENTER", "gone")
    s.driver("wait", EDIT, "exe=quil.exe", "timeout=30000")
    expect(os.path.exists(ini + ".bad"), "the faulty file is kept as quil.ini.bad")
    expect(settings(ini)["FrameRate"] == "25", "the defaults replaced the faulty file")
    quit_program(s, h)




def test():
    with GuiSession("settings_faults") as s:
        faults(s)


if __name__ == "__main__":
    sys.exit(run(test))
