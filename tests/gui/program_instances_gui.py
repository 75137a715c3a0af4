#!/usr/bin/env python3
"""The program's windows: main and edit window with their titles, a second instance that marks
its titles "(2)", and Ctrl+F3 that opens a second edit window, and
Alt+X that ends each program through the running-time message."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run  # noqa: E402
from programlib import QUIL, close_with_exit_message  # noqa: E402


def program_windows_and_alt_x(s):
    h = s.start_host(QUIL, "/Q", "/N", "/LE")
    r = s.driver("wait", f"class=KORV_R27K32_384_Status", "exe=quil.exe", "timeout=30000")
    title = r.first("window")["title"]
    expect(title.startswith(f"QUIL {lang_text(8120)} "), f"main window title {title!r}")
    r = s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "timeout=30000")
    title = r.first("window")["title"]
    expect(title.startswith(f"QUIL {lang_text(8121)}1 "), f"edit window title {title!r}")

    # A second instance runs beside the first and marks its titles.
    h2 = s.start_host(QUIL, "/Q", "/N", "/LE")
    r = s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quil.exe", "title~=QUIL(2) ", "timeout=30000")
    pid2 = r.first("window")["pid"]
    r = s.driver("wait", "class=KORV_R27K32_384_Edit", f"pid={pid2}", "timeout=30000")
    expect(r.first("window")["title"].startswith(f"QUIL(2) {lang_text(8121)}1 "), "second instance edit title")
    s.driver("wait", "class=KORV_R27K32_384_Edit", f"pid={pid2}", "input", "vk=X", "mods=alt")
    close_with_exit_message(s, "quil.exe", h2)

    # Ctrl+F3 opens a second edit window (accelerator table R27KACC).
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "input", "vk=F3", "mods=ctrl")
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", f"title~={lang_text(8121)}2 ", "timeout=30000")

    # Alt+X in the first program's edit window.
    s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "input", "vk=X", "mods=alt")
    close_with_exit_message(s, "quil.exe", h)


def test():
    # A display of its own: Alt+X and Ctrl+F3 are real keyboard input to the foreground window,
    # which on a shared display could be another test's window.
    os.environ.pop("DISPLAY", None)
    with GuiSession("instances") as s:
        program_windows_and_alt_x(s)


if __name__ == "__main__":
    sys.exit(run(test))
