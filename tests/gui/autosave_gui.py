#!/usr/bin/env python3
"""Autosave in the running frame: a host sets the autosave options and sees its named, modified
network saved (with a backup) by the program's one-second thread and idle step once the interval
has run out, not before."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import BIN_DIR, GuiSession, expect, run  # noqa: E402
from programlib import close_with_exit_message, folder_with  # noqa: E402


def test():
    with GuiSession("autosave") as s:
        exe = folder_with("autosave", os.path.join(BIN_DIR, "autosave_host.exe"), True)
        h = s.start_host(exe, "/Q", "/N", "/LE")
        s.wait_output(h, "shutdown", timeout=90)
        out = close_with_exit_message(s, "autosave_host.exe", h)
        expect(out.get("init") == "1" and out.get("options") == "0", f"start and options: {out}")
        expect(out.get("early") == "1", f"saved before the interval: {out}")
        expect(out.get("saved") == "1", f"not saved after the interval: {out}")
        expect(int(out.get("after_ms", "0")) >= 1500, f"saved too early: {out}")
        expect(out.get("modified_after") == "0" and out.get("backup_old") == "1", f"the save: {out}")
        expect(out.get("exit") == "0", f"exit: {out}")


if __name__ == "__main__":
    sys.exit(run(test))
