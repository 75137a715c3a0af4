#!/usr/bin/env python3
"""Helpers of the program's GUI tests: the program's path, a folder with a copy of a program (with or
without the language files), and closing through the running-time message."""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import DATA_DIR, WORK_DIR, expect, lang_text, wine_path  # noqa: E402



def _private_program():
    """The program with the files beside it in a folder of this test process: the option file and
    the value store's mirror that the program writes into its folder are then this test's own."""
    d = os.path.join(WORK_DIR, f"private-program-{os.getpid()}")
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    for f in os.listdir(DATA_DIR):
        source = os.path.join(DATA_DIR, f)
        if os.path.isfile(source) and not f.lower().endswith((".ini", ".sy2", ".bad")):
            shutil.copy2(source, d)
    remember_own_folder(d)
    return os.path.join(d, "quil.exe")


# What a program needs beside it to start: the language files and the glyph file.
START_FILES = ("quil.lng", "quil.lnv", "quil.lnx", "quil.gzg", "quil.fzg")


def remember_own_folder(folder):
    """The value store's mirror of a folder that the program already ran in: it remembers that
    folder as the option file's, so a program started there never offers the option file of
    another test's folder (whose folder the session's registry remembers)."""
    with open(os.path.join(folder, "quil.sy2"), "w", newline="") as f:
        f.write(f"[QUIL_384]\r\nQ384_PFAD={wine_path(folder)}\r\n")


def folder_with(name, exe, with_lang, lang="en"):
    """A folder holding the program (and the files it starts with unless with_lang is False; the
    language files of another language than English under the program's own names)."""
    d = os.path.join(WORK_DIR, f"{name}-{os.getpid()}")
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    shutil.copy2(exe, d)
    if with_lang:
        for f in START_FILES:
            source = f.replace("quil.", f"quil_{lang}.") if lang != "en" else f
            if not os.path.exists(os.path.join(DATA_DIR, source)):
                source = f
            shutil.copy2(os.path.join(DATA_DIR, source), os.path.join(d, f))
    remember_own_folder(d)
    return os.path.join(d, os.path.basename(exe))


def settings(path):
    """The option file's keys (UTF-16 with its mark)."""
    with open(path, "rb") as f:
        text = f.read().decode("utf-16")
    values = {}
    for line in text.splitlines():
        key, sep, value = line.partition("=")
        if sep:
            values[key] = value
    return values


def close_with_exit_message(s, exe_name, handle, lang="en"):
    """The running-time message ends the run; OK lets the program end with code 0."""
    title = lang_text(1362, lang)
    r = s.driver("wait", "class=#32770", f"exe={exe_name}", f"title={title}", "timeout=60000", "dump")
    texts = [c.get("text", "") for c in r.all("control")]
    expect(any(lang_text(1361, lang) in t for t in texts), f"running-time message text: {texts}")
    s.driver("wait", "class=#32770", f"exe={exe_name}", f"title={title}", "key", "vk=ENTER", "gone",
             "timeout=20000")
    rc, out = s.wait_host(handle, timeout=60)
    expect(rc == 0, f"{exe_name} ended with {rc}")
    return out


def confirm_open_dialog(s, exe_name, expected_path=None):
    """The open command's file dialog (its older appearance): checks the preset name and presses OK."""
    r = s.driver("wait", "class=#32770", f"exe={exe_name}", f"title={lang_text(11200)}", "timeout=30000", "dump")
    if expected_path is not None:
        preset = r.control(1152)["text"]
        expect(preset.lower() == expected_path.lower(), f"file dialog preset {preset!r}, expected {expected_path!r}")
    s.driver("wait", "class=#32770", f"exe={exe_name}", f"title={lang_text(11200)}", "click", "id=1", "gone",
             "timeout=20000")
    return r


QUIL = _private_program() if DATA_DIR and WORK_DIR else os.path.join(DATA_DIR, "quil.exe")
