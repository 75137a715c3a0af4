#!/usr/bin/env python3
"""The program at start: the usage box for a bad switch (in the language of the switch),
the start-up error of a missing language file, a network file named on the command line, and the
load message of a file that is not a network file."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import DATA_DIR, GuiSession, expect, lang_text, run, wine_path  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog, folder_with  # noqa: E402


def bad_network_file_on_command_line(s):
    fixture = os.path.join(DATA_DIR, "netfixtures", "bad_magic.nt3")
    expect(os.path.exists(fixture), f"fixture {fixture}")
    h = s.start_host(QUIL, "/Q", "/LE", wine_path(fixture))
    confirm_open_dialog(s, "quil.exe", wine_path(fixture))
    r = s.driver("wait", "class=#32770", "exe=quil.exe", f"title={lang_text(8000)} {lang_text(8040)}103",
                 "timeout=30000", "dump")
    s.driver("wait", "class=#32770", "exe=quil.exe", "key", "vk=ENTER", "gone", "timeout=20000")
    r = s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "timeout=30000")
    expect("bad_magic" not in r.first("window")["title"], "a file that did not load is not the network")
    s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quil.exe", "command", "id=266")
    close_with_exit_message(s, "quil.exe", h)


def usage_box(s):
    for lang_switch, title in (("/LE", "Wrong parameters"), ("/LD", "Parameter falsch")):
        h = s.start_host(QUIL, lang_switch, "/N", "/BAD")
        r = s.driver("wait", "class=#32770", "exe=quil.exe", "timeout=30000", "dump")
        expect(r.first("title")["_"] == title, f"usage box title {r.first('title')}")
        texts = " ".join(c.get("text", "") for c in r.all("control"))
        expect("QUILnnn.EXE" in texts, f"usage text: {texts!r}")
        s.driver("wait", "class=#32770", "exe=quil.exe", "key", "vk=ENTER", "gone", "timeout=20000")
        rc, _ = s.wait_host(h, timeout=60)
        expect(rc == 0, f"exit code after the usage text {rc}")
        expect(not s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quil.exe", "timeout=500", ok=False).rc == 0,
               "no main window is left")


def missing_language_file(s):
    exe = folder_with("nolang", QUIL, False)
    h = s.start_host(exe, "/Q", "/N", "/LE")
    r = s.driver("wait", "class=#32770", "exe=quil.exe", "timeout=30000", "dump")
    expect(r.first("title")["_"] == "Initialization error #71:", f"start-up error title {r.first('title')}")
    texts = " ".join(c.get("text", "") for c in r.all("control"))
    expect("File not found: quil.lng" in texts, f"start-up error text {texts!r}")
    s.driver("wait", "class=#32770", "exe=quil.exe", "key", "vk=ENTER", "gone", "timeout=20000")
    rc, _ = s.wait_host(h, timeout=60)
    expect(rc == 0, f"exit code after a start-up error {rc}")


def missing_or_broken_glyph_file(s):
    """Start-up errors 21 (no glyph file) and 22 (a glyph file cut short after its text)."""
    for name, code, text in (("noglyphs", 21, "File not found: quil.gzg"), ("badglyphs", 22, "quil.gzg")):
        exe = folder_with(name, QUIL, True)
        folder = os.path.dirname(exe)
        if code == 21:
            os.remove(os.path.join(folder, "quil.gzg"))
        else:
            with open(os.path.join(DATA_DIR, "quil.gzg"), "rb") as f:
                data = f.read()
            with open(os.path.join(folder, "quil.gzg"), "wb") as f:
                f.write(data[:data.index(b"\x1a") + 1000])
        h = s.start_host(exe, "/Q", "/N", "/LE")
        r = s.driver("wait", "class=#32770", "exe=quil.exe", "timeout=30000", "dump")
        expect(r.first("title")["_"] == f"Initialization error #{code}:", f"start-up error title {r.first('title')}")
        texts = " ".join(c.get("text", "") for c in r.all("control"))
        expect(text in texts, f"start-up error text {texts!r}")
        s.driver("wait", "class=#32770", "exe=quil.exe", "key", "vk=ENTER", "gone", "timeout=20000")
        rc, _ = s.wait_host(h, timeout=60)
        expect(rc == 0, f"exit code after a start-up error {rc}")


def broken_vehicle_graphic_file(s):
    """Start-up error 24: a default vehicle-graphic set of quil.fzg cannot be read (the file is
    cut short); the failed set is reported first (message 624), then the start-up error."""
    exe = folder_with("badvehicles", QUIL, True)
    folder = os.path.dirname(exe)
    with open(os.path.join(DATA_DIR, "quil.fzg"), "rb") as f:
        data = f.read()
    with open(os.path.join(folder, "quil.fzg"), "wb") as f:
        f.write(data[:data.index(b"\x1a") + 200])
    h = s.start_host(exe, "/Q", "/N", "/LE")
    title = f"{lang_text(8000)} {lang_text(8040)}624"
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000")
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "key", "vk=ENTER", "gone",
             "timeout=20000")
    r = s.driver("wait", "class=#32770", "exe=quil.exe", "title=Initialization error #24:",
                 "timeout=30000", "dump")
    texts = " ".join(c.get("text", "") for c in r.all("control"))
    expect("quil.fzg" in texts, f"start-up error text {texts!r}")
    s.driver("wait", "class=#32770", "exe=quil.exe", "key", "vk=ENTER", "gone", "timeout=20000")
    rc, _ = s.wait_host(h, timeout=60)
    expect(rc == 0, f"exit code after a start-up error {rc}")


def network_file_on_command_line(s):
    fixture = os.path.join(DATA_DIR, "netfixtures", "small.nt3")
    expect(os.path.exists(fixture), f"fixture {fixture}")
    h = s.start_host(QUIL, "/Q", "/LE", wine_path(fixture))
    confirm_open_dialog(s, "quil.exe", wine_path(fixture))
    r = s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quil.exe", "title~=small.nt3", "timeout=30000")
    r = s.driver("wait", "class=KORV_R27K32_384_Edit", "exe=quil.exe", "title~=small.nt3", "timeout=30000")
    s.driver("wait", "class=KORV_R27K32_384_Status", "exe=quil.exe", "command", "id=266")
    close_with_exit_message(s, "quil.exe", h)


def test():
    with GuiSession("program") as s:
        usage_box(s)
        missing_language_file(s)
        missing_or_broken_glyph_file(s)
        broken_vehicle_graphic_file(s)
        network_file_on_command_line(s)
        bad_network_file_on_command_line(s)


if __name__ == "__main__":
    sys.exit(run(test))
