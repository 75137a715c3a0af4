#!/usr/bin/env python3
"""The settings dialogs on screen, with real keys and clicks: a user picks a display colour in the
colour chooser (opened by a click in the colour field), makes display font 1 larger in the font
chooser, sets the frame rate, the number of backup copies, the edge-scroll setting and the log's
column separator, chooses the second and then the
main language file, quits and starts again. Everything is back: the values in the dialogs, the
option file, the German texts, the recent file and the place of the edit window."""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import DATA_DIR, GuiSession, expect, lang_text, run, wine_path  # noqa: E402
from programlib import QUIL, close_with_exit_message, confirm_open_dialog, folder_with, settings  # noqa: E402

EDIT = "class=KORV_R27K32_384_Edit"
EXE = "exe=quil.exe"
DIGIT = {str(d): str(48 + d) for d in range(10)}  # virtual-key codes of the digit keys


def dialog(title, *steps, timeout="30000"):
    return ("wait", "class=#32770", EXE, f"title={title}", f"timeout={timeout}") + steps


def typed(text):
    """Real key presses of the digits of text into the focused control."""
    steps = []
    for ch in text:
        steps += ["input", f"vk={DIGIT[ch]}"]
    return steps


def command(s, cmd_id):
    s.driver("wait", EDIT, EXE, "command", f"id={cmd_id}")


def start(s, exe, net):
    h = s.start_host(exe, "/Q", "/STOP", "/LE", wine_path(net))
    confirm_open_dialog(s, "quil.exe", wine_path(net))
    s.driver("wait", EDIT, EXE, "timeout=30000")
    return h


def quit_program(s, h, lang="en"):
    s.driver("wait", EDIT, EXE, "input", "vk=X", "mods=alt")
    close_with_exit_message(s, "quil.exe", h, lang)


def edit_rect(s):
    return s.driver("wait", EDIT, EXE, "dump").first("rect")


def change_everything(s, folder):
    # Colours: the second row of the list (display colour 10) with the down-arrow key, then a
    # click in the field of the colour now opens the chooser.
    command(s, 432)
    title = lang_text(11500)
    s.driver(*dialog(title, "input", "vk=DOWN"))
    r = s.driver(*dialog(title, "dump"))
    expect(r.first("focus").get("id") == "106", f"the colour list has the focus: {r.first('focus')}")
    s.driver(*dialog(title, "mouse", "id=280", "x=10", "y=10"))
    # The platform's chooser: red, green and blue typed into its fields, then Enter.
    s.driver("wait", "class=#32770", EXE, "title~=olo", "timeout=30000",
             "settext", "id=706", "text=18", "settext", "id=707", "text=52",
             "settext", "id=708", "text=86", "key", "vk=ENTER", "gone")
    r = s.driver(*dialog(title, "dump"))
    rgb = r.control(200)["text"]
    expect(rgb.endswith("18,52,86"), f"the chosen colour is shown: {rgb!r}")
    expect(r.control(121)["enabled"] == "1", "the default can be taken back")
    s.driver(*dialog(title, "input", "vk=ENTER", "gone"))

    # Display font 1: a larger size in the font chooser.
    command(s, 391)
    title = lang_text(18360)
    before = s.driver(*dialog(title, "dump")).control(193)["text"]
    s.driver(*dialog(title, "click", "id=123"))
    s.driver("wait", "class=#32770", EXE, "title~=ont", "timeout=30000",
             "settext", "id=1138", "text=14", "key", "vk=ENTER", "gone")
    after = s.driver(*dialog(title, "dump")).control(193)["text"]
    expect(after.endswith("ABCD ÄÖÜ"), f"the sample line: {after!r}")
    s.driver(*dialog(title, "input", "vk=ENTER", "gone"))

    # Frame rate 40: Alt with the field's letter, the digits, Enter.
    command(s, 340)
    title = lang_text(17920)
    s.driver(*dialog(title, "input", "vk=F", "mods=alt", *typed("40"), "input", "vk=ENTER", "gone"))
    # Seven backup copies: the first field has the focus with its text selected.
    command(s, 390)
    title = lang_text(17820)
    r = s.driver(*dialog(title, "dump"))
    expect(r.first("focus").get("id") == "140", f"the backup field has the focus: {r.first('focus')}")
    s.driver(*dialog(title, *typed("7"), "input", "vk=ENTER", "gone"))

    # Mouse options: the edge-scroll setting 30; log settings: the column separator "|".
    command(s, 392)
    s.driver(*dialog(lang_text(18800), "settext", "id=143", "text=30", "input", "vk=ENTER", "gone"))
    command(s, 395)
    s.driver(*dialog(lang_text(11700), "settext", "id=141", "text=|", "input", "vk=ENTER", "gone"))

    # The second language file, then the main one: German.
    for cmd_id, title_id, name in ((465, 11430, "quil_de.lnv"), (464, 11420, "quil_de.lng")):
        command(s, cmd_id)
        s.driver(*dialog(lang_text(title_id), "settext", "id=1152", f"text={name}", "click", "id=1",
                         "gone"))
    command(s, 432)
    s.driver(*dialog(lang_text(11500, "de"), "key", "vk=ESCAPE", "gone"))


def check_everything(s, values, rect_before):
    expect(values.get("Farbe10") == "12,34,56", f"colour 10: {values.get('Farbe10')}")
    expect(values.get("FrameRate") == "40", f"frame rate: {values.get('FrameRate')}")
    expect(values.get("Backup") == "7", f"backup copies: {values.get('Backup')}")
    expect(values.get("MausRBr") == "30", f"edge-scroll setting: {values.get('MausRBr')}")
    expect(values.get("Log_Sep") == "|", f"column separator: {values.get('Log_Sep')}")
    expect(values.get("Sprache_P") == "quil_de.lng", f"language file: {values.get('Sprache_P')}")
    expect(values.get("Sprache_F") == "quil_de.lnv", f"second language file: {values.get('Sprache_F')}")
    expect(values.get("DName0", "").lower().endswith("net.nt3"), f"recent file: {values.get('DName0')}")
    if rect_before is not None:
        rect = edit_rect(s)
        expect(rect == rect_before, f"the edit window is back in its place: {rect} / {rect_before}")


def round_trip(s):
    exe = folder_with("settings_dialogs", QUIL, True)
    folder = os.path.dirname(exe)
    for name in ("quil_de.lng", "quil_de.lnv"):
        shutil.copy2(os.path.join(DATA_DIR, name), folder)
    net = os.path.join(folder, "net.nt3")
    shutil.copy2(os.path.join(DATA_DIR, "netfixtures", "small.nt3"), net)
    ini = os.path.join(folder, "quil.ini")

    h = start(s, exe, net)
    default_font = settings(ini).get("FontFixSW")
    change_everything(s, folder)
    rect = edit_rect(s)
    quit_program(s, h, "de")
    values = settings(ini)
    check_everything(s, values, None)
    expect(values.get("FontFixSW") != default_font, f"display font 1 changed: {values.get('FontFixSW')}")
    font = values.get("FontFixSW")

    # Started again: the German texts, the values in the dialogs and the window's place.
    h = start_de(s, exe, net)
    check_everything(s, settings(ini), rect)
    command(s, 390)
    r = s.driver(*dialog(lang_text(17820, "de"), "dump"))
    expect(r.control(140)["text"] == "7", f"backup copies shown: {r.control(140)}")
    s.driver(*dialog(lang_text(17820, "de"), "key", "vk=ESCAPE", "gone"))
    command(s, 340)
    r = s.driver(*dialog(lang_text(17920, "de"), "dump"))
    expect(r.control(140)["text"] == "40", f"frame rate shown: {r.control(140)}")
    s.driver(*dialog(lang_text(17920, "de"), "key", "vk=ESCAPE", "gone"))
    quit_program(s, h, "de")
    values = settings(ini)
    check_everything(s, values, None)
    expect(values.get("FontFixSW") == font, f"display font 1 kept: {values.get('FontFixSW')}")


def start_de(s, exe, net):
    h = s.start_host(exe, "/Q", "/STOP", "/LE", wine_path(net))
    title = lang_text(11200, "de")
    s.driver("wait", "class=#32770", EXE, f"title={title}", "timeout=30000", "click", "id=1", "gone",
             "timeout=20000")
    s.driver("wait", EDIT, EXE, "timeout=30000")
    return h


def test():
    with GuiSession("settings_dialogs") as s:
        round_trip(s)


if __name__ == "__main__":
    sys.exit(run(test))
