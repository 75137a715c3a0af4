#!/usr/bin/env python3
"""Message boxes on screen: the message number in the title after texts 8000/8010 and 8040, the
text in control 190, the buttons, default focus and answers, and the "Trace" box."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run  # noqa: E402

HOST = "msgbox_host"


def test():
    with GuiSession("msgbox") as s:
        # ShowError(1234, text): title "<8000> <8040>1234", OK is the default, Enter closes with OK (2)
        h = s.start_host(HOST, "--data", s.data_dir_wine, "error", "1234", "The file could not be read.")
        r = s.driver("wait", "class=#32770", "exe=msgbox_host.exe", "timeout=15000", "dump")
        title = r.first("title")["_"]
        expected = f"{lang_text(8000)} {lang_text(8040)}1234"
        expect(title == expected, f"title {title!r}, expected {expected!r}")
        expect(r.control(190)["text"] == "The file could not be read.", f"text: {r.control(190)}")
        expect(r.all("control", id=1) and r.all("control", id=100), "OK and Help buttons")
        expect(not r.all("control", id=6), "no Yes button in a message box")
        expect(r.first("focus").get("id") == "1", f"focus on OK: {r.first('focus')}")
        s.driver("wait", "class=#32770", "exe=msgbox_host.exe", "key", "vk=ENTER", "gone")
        rc, out = s.wait_host(h)
        expect(out.get("result") == "2", f"ShowError result {out}")

        # AskQuestion: question template with Yes, No, Cancel and Help; No answers 4, Escape 1
        for action, expected_result in ((("command", "id=7"), "4"), (("key", "vk=ESCAPE"), "1")):
            h = s.start_host(HOST, "--data", s.data_dir_wine, "ask", "20000", "Save the network?")
            r = s.driver("wait", "class=#32770", "exe=msgbox_host.exe", "timeout=15000", "dump", *action, "gone")
            title = r.first("title")["_"]
            expect(title == f"{lang_text(8010)} {lang_text(8040)}20000", f"question title {title!r}")
            for button in (6, 7, 2, 100):
                expect(r.all("control", id=button), f"button {button} in the question box")
            expect(r.first("focus").get("id") == "6", f"focus on Yes: {r.first('focus')}")
            rc, out = s.wait_host(h)
            expect(out.get("result") == expected_result, f"AskQuestion after {action}: {out}")

        # ShowTraceBox: the platform box titled "Trace" with the text; OK gives the platform's 1
        h = s.start_host(HOST, "trace", "MISC.StrStr2().Bufsize error")
        r = s.driver("wait", "title=Trace", "exe=msgbox_host.exe", "timeout=15000", "dump", "key", "vk=ENTER", "gone")
        expect([c for c in r.all("control") if c.get("text") == "MISC.StrStr2().Bufsize error"], f"trace text: {r.text}")
        rc, out = s.wait_host(h)
        expect(out.get("result") == "1", f"ShowTraceBox result {out}")


if __name__ == "__main__":
    sys.exit(run(test))
