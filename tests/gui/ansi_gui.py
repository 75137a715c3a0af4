#!/usr/bin/env python3
"""The ANSI rule of the wrappers on screen (UnicodeFlag 0): a window title of 259 characters is
shown, one of 260 makes the creation fail; a message box text of 300 characters is cut to 259."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, run  # noqa: E402

HOST = "msgbox_host"


def numbered(n):
    return "".join(str(i % 10) for i in range(n))


def test():
    with GuiSession("ansi") as s:
        # ANSI mode: WrapMessageBox cuts a 300-character text to 259
        h = s.start_host(HOST, "ansi-msgbox", "300")
        r = s.driver("wait", "title=AnsiBox", "exe=msgbox_host.exe", "timeout=15000", "dump")
        texts = [c["text"] for c in r.all("control") if c.get("text", "").startswith("0123")]
        expect(texts == [numbered(259)], f"message box text cut to 259: {[len(t) for t in texts]}")
        s.driver("wait", "title=AnsiBox", "exe=msgbox_host.exe", "key", "vk=ENTER", "gone")
        s.wait_host(h)

        # ANSI mode: a window title of 259 characters is shown, 260 makes the creation fail
        h = s.start_host(HOST, "ansi-window", "259")
        r = s.driver("wait", "class=QuilGuiHostAnsi", "exe=msgbox_host.exe", "timeout=15000")
        shown = r.first("window")["title"]
        expect(shown == numbered(259), f"title of 259 characters shown: length {len(shown)}")
        expect(s.wait_output(h, "title_length") == "259", "WrapGetWindowText gives 259 characters")
        s.driver("wait", "class=QuilGuiHostAnsi", "exe=msgbox_host.exe", "close", "gone")
        s.wait_host(h)
        h = s.start_host(HOST, "ansi-window", "260")
        rc, out = s.wait_host(h)
        expect(out.get("registered") == "1" and out.get("created") == "0", f"260 characters: {out}")


if __name__ == "__main__":
    sys.exit(run(test))
