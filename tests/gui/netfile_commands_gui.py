#!/usr/bin/env python3
"""The network-file commands in the program: the command line's file through the open dialog,
save with a backup, reopen through the open command and compare; the save question when a
modified network is closed; the password of a protected network asked once before saving."""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import DATA_DIR, GuiSession, expect, lang_text, run, wine_path  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog  # noqa: E402

STATUS = "class=KORV_R27K32_384_Status"


def from_eof_mark(path):
    with open(path, "rb") as f:
        data = f.read()
    i = data.find(b"\x1a")
    return data[i:] if i >= 0 else b""


def start_with(s, path):
    # STOP: the simulation clock runs with the simulation and is saved with the network, so a
    # running clock would change the saved time between two saves.
    h = s.start_host(QUIL, "/Q", "/STOP", "/LE", wine_path(path))
    confirm_open_dialog(s, "quil.exe", wine_path(path))
    s.driver("wait", STATUS, "exe=quil.exe", f"title~={os.path.basename(path)}", "timeout=30000")
    return h


def command(s, cmd_id):
    s.driver("wait", STATUS, "exe=quil.exe", "command", f"id={cmd_id}")


def password_dialog(s, title_id, text):
    """Types the password into field 140 of the dialog with that title and presses OK."""
    title = lang_text(title_id)
    r = s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000", "dump")
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "settext", "id=140", f"text={text}",
             "click", "id=1", "gone", "timeout=20000")
    return r


def wait_for_file(s, path, timeout=30):
    """Polls until the program has written the file (with a time limit)."""
    end = time.time() + timeout
    while time.time() < end:
        if os.path.exists(path):
            return
        time.sleep(0.05)
    expect(False, f"{os.path.basename(path)} was not written")


def save_reopen_compare(s, work):
    net = os.path.join(work, "net.nt3")
    shutil.copy2(os.path.join(DATA_DIR, "netfixtures", "small.nt3"), net)
    with open(net, "rb") as f:
        original = f.read()
    h = start_with(s, net)
    command(s, 258)  # save: the old file becomes the first backup
    wait_for_file(s, os.path.join(work, "net.000.nt2"))
    wait_for_file(s, net)  # written under a temporary name, then renamed: complete once there
    with open(os.path.join(work, "net.000.nt2"), "rb") as f:
        expect(f.read() == original, "the first backup is the file as it was")
    first = from_eof_mark(net)
    expect(first, "the saved file is a network file")
    # Reopen through the open command (its dialog, the typed name, OK) and save again: the
    # network read back is the network saved.
    command(s, 257)
    title = lang_text(11200)
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={title}", "timeout=30000", "settext", "id=1152",
             f"text={wine_path(net)}", "click", "id=1", "gone", "timeout=20000")
    s.driver("wait", STATUS, "exe=quil.exe", "title~=net.nt3", "timeout=30000")
    command(s, 258)
    wait_for_file(s, os.path.join(work, "net.001.nt2"))
    wait_for_file(s, net)
    expect(from_eof_mark(os.path.join(work, "net.000.nt2")) == first, "the backups rotated")
    expect(from_eof_mark(net) == first, "saved, reopened and saved again: the same network")
    command(s, 266)
    close_with_exit_message(s, "quil.exe", h)


def save_question_and_password(s, work):
    net = os.path.join(work, "locked.nt3")
    shutil.copy2(os.path.join(DATA_DIR, "netfixtures", "small.nt3"), net)
    h = start_with(s, net)
    # Protecting the network changes it: closing asks question 299, Yes saves.
    command(s, 265)
    password_dialog(s, 11152, "ABCD1234")
    s.driver("wait", STATUS, "exe=quil.exe", f"title~={lang_text(8123)}", "timeout=30000")
    s.driver("wait", STATUS, "exe=quil.exe", "close")
    question = f"{lang_text(8010)} {lang_text(8040)}299"
    s.driver("wait", "class=#32770", "exe=quil.exe", f"title={question}", "timeout=30000", "click", "id=6",
             "gone", "timeout=20000")
    close_with_exit_message(s, "quil.exe", h)
    expect(os.path.exists(os.path.join(work, "locked.000.nt2")), "Yes saved the network (with its backup)")

    # Loaded again, the protected network asks for its password before the first save only.
    h = start_with(s, net)
    command(s, 258)
    password_dialog(s, 11150, "abcd1234")
    wait_for_file(s, os.path.join(work, "locked.001.nt2"))
    wait_for_file(s, net)
    command(s, 258)
    asked = s.driver("wait", "class=#32770", "exe=quil.exe", f"title={lang_text(11150)}", "timeout=1500", ok=False)
    expect(asked.rc != 0, "the password is asked only once")
    wait_for_file(s, os.path.join(work, "locked.002.nt2"))
    wait_for_file(s, net)
    command(s, 266)
    close_with_exit_message(s, "quil.exe", h)


def test():
    with GuiSession("netfile_commands") as s:
        work = os.path.join(s.dir, "nets")
        os.makedirs(work)
        save_reopen_compare(s, work)
        save_question_and_password(s, work)


if __name__ == "__main__":
    sys.exit(run(test))
