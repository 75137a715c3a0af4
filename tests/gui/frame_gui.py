#!/usr/bin/env python3
"""The frame in a test host: menu captions from the language texts, up to six edit windows
and the seventh refused with command 400 greyed, slot checks, zoom and titles, recent files,
next and previous window, a drawn frame, the shut-down steps in their order while every window
still exists, every thread ended after the shut-down, the title window (with a stand-in picture)
that a key closes once, opening the first edit window, and the failed starts (usage box, start-up
error box) that end at once without leaving a thread behind, and the frame in the ANSI-call mode
with umlauts in its titles and menus."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import BIN_DIR, GuiSession, expect, lang_text, run  # noqa: E402
from programlib import close_with_exit_message, folder_with  # noqa: E402


def frame_host(s):
    exe = folder_with("frame", os.path.join(BIN_DIR, "frame_host.exe"), True)
    h = s.start_host(exe, "/Q", "/N", "/LE")
    s.wait_output(h, "shutdown", timeout=90)
    out = close_with_exit_message(s, "frame_host.exe", h)
    def v(k):
        expect(k in out, f"host printed no {k}: {out}")
        return out[k]
    expect(v("init") == "1", "start-up")
    expect(v("main_title").startswith(f"QUIL {lang_text(8120)} "), f"main title {v('main_title')!r}")
    edit = v("edit1_title")
    expect(edit.startswith(f"QUIL {lang_text(8121)}1 ") and edit.rstrip().endswith(f" {lang_text(8122)} 1:1"),
           f"edit title {edit!r}")
    expect(v("windows") == "1", "one edit window after start")
    expect(v("pixel") == v("pixel_buffer") and v("pixel") != "-1",
           f"a frame brought the drawing buffer into the edit window: {v('pixel')} {v('pixel_buffer')}")
    expect(v("anim_consumed") == "1", "idle steps consume the 55 ms counter")
    expect(v("huge_refused") == "1" and v("size_kept") == "1",
           "a size whose buffers cannot be made leaves the stored size as it was")
    expect(v("pixel_suspended") == v("pixel"), f"no frame while suspended: {v('pixel_suspended')}")
    expect(v("pixel_resumed") == str(0x302010), f"frames again after resuming: {v('pixel_resumed')}")
    expect(v("clock_w") == "140" and v("clock_open") == "3", "clock window opened with width 140")
    expect(v("clock_title") == f"QUIL {lang_text(8125)}", f"clock title {v('clock_title')!r}")
    expect(v("clock_inside") == "1", "a clock place outside the work area is centred")
    expect(v("clock_toggle") == "1" and v("clock_gone") == "1", "the toggle closes the open clock")
    for i, text_id in enumerate((901, 902, 907, 904, 905, 903, 906)):
        expect(v(f"bar{i + 1}") == lang_text(text_id), f"bar item {i + 1}: {v(f'bar{i + 1}')!r}")
    captions = {256: 1001, 266: 1009, 325: 1181, 336: 1220, 344: 1230, 359: 1245, 368: 1101, 400: 1081,
                430: 1075, 466: 1142, 338: 1222, 384: 1042, 406: 1088}
    for cmd, text_id in captions.items():
        expect(v(f"menu{cmd}") == lang_text(text_id), f"caption of {cmd}: {v(f'menu{cmd}')!r}")
    expect(v("checked348") == "1" and v("checked347") == "0", "view mode 1 zoom 1 checked")
    for i in range(2, 7):
        expect(v(f"create{i}") == "0", f"edit window {i} created")
    expect(v("create7") == "2", "the seventh edit window is refused")
    expect(v("windows_after") == "6" and v("greyed400") == "6", "command 400 greyed in all six windows")
    expect(v("edit6_title").startswith(f"QUIL {lang_text(8121)}6 "), f"title of window 6 {v('edit6_title')!r}")
    expect(v("close6") == "2" and v("close_minus1") == "2", "slots 6 and -1 are refused")
    expect(v("close5") == "0" and v("close5_again") == "1", "closing slot 5 once")
    expect(v("enabled400") == "1", "command 400 enabled again below six windows")
    expect(int(v("threads_six")) - int(v("threads_five")) == 2, "a window ends its two threads")
    expect(v("view") == "0" and v("edit2_title").rstrip().endswith(" 1:128"), f"scale 1:128: {v('edit2_title')!r}")
    expect(int(v("stress_ms")) < 60000 and v("stress_windows") == "5",
           f"windows opened and closed while cells change: {v('stress_ms')} ms")
    expect(v("stress_threads") == "0" and int(v("stress_handles")) <= 0,
           f"no thread or handle left: {v('stress_threads')} threads, {v('stress_handles')} handles")
    expect((v("zoomin"), v("mode"), v("zoom"), v("checked354")) == ("0", "3", "2", "1"), "zoom in from 3/4")
    expect(v("recent272") == "&0 second.nt3" and v("recent273") == "&1 first.nt3", "recent files newest first")
    expect(v("recent274") == "", "no third recent file")
    expect((v("active_a"), v("active_next"), v("active_prev")) == ("0", "1", "0"), "next and previous window")
    expect((v("edge_off"), v("edge_on"), v("edge_capture")) == ("0", "6", "1"),
           "a right click on the top-right edge scrolls up and right with a mouse option on")
    expect((v("edge_after"), v("edge_released")) == ("0", "1"), "the release ends edge scrolling")
    # The option file's default shows a window's scroll bars; command 339 hides them.
    expect((v("scroll_before"), v("scroll_after")) == ("1", "0"), "command 339 flips the scroll bars")
    expect(v("wide_status") == "1" and v("narrow_status") == "1", "command 405 widens and narrows the status window")
    expect(v("tiled_top_halves") == "1", "command 404 tiles five windows: two halves on top")
    expect(v("shutdown_order") == "1,2,3,4,5,6,7,8,9", f"shut-down steps in order: {v('shutdown_order')}")
    expect(v("clock_alive_at_close") == "1", "the clock window still exists when its step closes it")
    expect(v("edit_alive_at_close") == "5", f"the five edit windows still exist when their step closes them: "
           f"{v('edit_alive_at_close')}")
    expect(v("tooltip_alive_at_close") == "1", "the tooltip still exists when its step destroys it")
    expect(v("idle_after_exit") == "0", "no tick and no idle step runs once the components are shut down")
    expect(v("exit") == "0" and v("windows_end") == "0", "loop ended, no edit window left")
    expect(int(v("threads_after")) <= int(v("threads_before")), "every thread of the run has ended: "
           f"{v('threads_before')} before, {v('threads_after')} after")


def title_window(s):
    exe = folder_with("title", os.path.join(BIN_DIR, "frame_host.exe"), True)
    for args, running, zoom in ((("/N", "/LE", "/TNR=3"), "1", "1"), (("/N", "/LE", "/STOP", "/Z=N2"), "0", "2")):
        h = s.start_host(exe, *args)
        s.wait_output(h, "shutdown", timeout=60)
        out = close_with_exit_message(s, "frame_host.exe", h)
        expected = {"init": "1", "title_window": "1", "title_placed": "1", "main_visible_before": "0", "windows_before": "0",
                    "running_before": "0", "title_gone": "1", "title_loads": "1", "title_frees": "1",
                    "main_visible_after": "1", "windows_after": "1", "zoom_after": zoom,
                    "running_after": running, "exit": "0",
                    "title_mode": "2" if "/STOP" in args else "1",
                    "title_number": "3" if "/TNR=3" in args else "-1"}
        for k, want in expected.items():
            expect(out.get(k) == want, f"{args}: {k} = {out.get(k)!r}, expected {want!r}")


def ansi_frame(s):
    """The frame in the ANSI-call mode with German texts: ANSI windows whose titles and menus show
    the umlauts of the language file."""
    exe = folder_with("frame-ansi", os.path.join(BIN_DIR, "frame_host.exe"), True, "de")
    s.env["QUIL_HOST_ANSI"] = "1"
    try:
        h = s.start_host(exe, "/Q", "/N", "/LD")
    finally:
        del s.env["QUIL_HOST_ANSI"]
    s.wait_output(h, "shutdown", timeout=90)
    out = close_with_exit_message(s, "frame_host.exe", h, "de")
    def v(k):
        expect(k in out, f"ANSI host printed no {k}: {out}")
        return out[k]
    expect((v("unicode_flag"), v("main_unicode"), v("edit_unicode")) == ("0", "0", "0"),
           f"ANSI windows in the ANSI mode: {out}")
    expect(v("main_title").startswith(f"QUIL {lang_text(8120, 'de')} "), f"main title {v('main_title')!r}")
    for key in ("edit1_title", "edit2_title"):
        expect(v(key).rstrip().endswith(f" {lang_text(8122, 'de')} 1:1"), f"{key} {v(key)!r}")
    for i, text_id in enumerate((901, 902, 907, 904, 905, 903, 906)):
        expect(v(f"bar{i + 1}") == lang_text(text_id, "de"), f"bar item {i + 1}: {v(f'bar{i + 1}')!r}")
    expect(v("menu257") == lang_text(1002, "de"), f"menu 257: {v('menu257')!r}")
    expect(v("create2") == "0" and v("edit2_drawn") == "1", "a second edit window is made and drawn")
    expect(v("exit") == "0" and v("windows_end") == "0", "loop ended, no edit window left")


def failed_starts(s):
    host = os.path.join(BIN_DIR, "frame_host.exe")
    runs = (("usage", True, ("/LE", "/N", "/BAD"), "Wrong parameters"),
            ("nolang", False, ("/Q", "/N", "/LE"), "Initialization error #71:"))
    for name, with_lang, args, title in runs:
        exe = folder_with(f"fail-{name}", host, with_lang)
        h = s.start_host(exe, *args)
        r = s.driver("wait", "class=#32770", "exe=frame_host.exe", "timeout=30000", "dump")
        expect(r.first("title")["_"] == title, f"{name}: box {r.first('title')}")
        s.driver("wait", "class=#32770", "exe=frame_host.exe", "key", "vk=ENTER", "gone", "timeout=20000")
        rc, out = s.wait_host(h, timeout=60)
        expect(rc == 0 and out.get("init") == "0", f"{name}: the start gave up: {rc}, {out}")
        expect(int(out.get("exit_ms", "99999")) < 500, f"{name}: the timer threads took {out.get('exit_ms')} ms "
               "to end after the start gave up")
        expect(int(out["threads_after"]) <= int(out["threads_before"]), f"{name}: a thread was left behind: "
               f"{out['threads_before']} before, {out['threads_after']} after")


def test():
    # A display of its own: the host activates its windows and reads which one is active, which
    # another test's windows on a shared display could change.
    os.environ.pop("DISPLAY", None)
    with GuiSession("frame") as s:
        frame_host(s)
        title_window(s)
        failed_starts(s)
        ansi_frame(s)


if __name__ == "__main__":
    sys.exit(run(test))
