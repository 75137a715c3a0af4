#!/usr/bin/env python3
"""The file dialog in both appearances under Wine: the older one with the program's template 103
(its own labels and the folder list) and the explorer-style one (the platform's own controls,
none of the template's); in each a network file is chosen by its name, and the dialog gives back
the bare name, that the file exists, and the folder as the network files' new folder."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, lang_text, run, wine_path  # noqa: E402

HOST = "filedialog_host.exe"


def choose(s, appearance, folder, name):
    preset = os.path.join(folder, "preset.nt3")
    h = s.start_host("filedialog_host", "--data", s.data_dir_wine, "open", appearance, wine_path(preset))
    title = lang_text(11200)
    r = s.driver("wait", "class=#32770", f"exe={HOST}", f"title={title}", "timeout=30000", "dump")
    ids = {int(c["id"]) for c in r.all("control")}
    labels = {190, 191, 192, 193}  # template 103's own labels
    if appearance == "older":
        expect(labels | {1121, 1152} <= ids, f"the older dialog shows template 103: {sorted(ids)}")
        field = 1152
    else:
        expect(not (labels & ids), f"the explorer-style dialog has none of template 103's labels: {sorted(ids)}")
        field = 1148  # the explorer style's file name box
        expect(field in ids and 1152 not in ids, f"the explorer-style dialog's own name box: {sorted(ids)}")
    s.driver("wait", "class=#32770", f"exe={HOST}", f"title={title}", "settext", f"id={field}",
             f"text={wine_path(os.path.join(folder, name))}", "click", "id=1", "gone", "timeout=20000")
    rc, out = s.wait_host(h, timeout=30)
    expect(rc == 0, f"host ended with {rc}")
    expect(out.get("result") == "2", f"{appearance}: chosen: {out}")
    expect(out.get("name", "").lower() == name.lower(), f"{appearance}: the bare name: {out}")
    expect(out.get("exists") == "1", f"{appearance}: the file exists: {out}")
    expect(out.get("folder", "").lower() == (wine_path(folder) + "\\").lower(),
           f"{appearance}: the folder of network files follows: {out}")


def test():
    with GuiSession("filedialog") as s:
        for appearance in ("older", "explorer"):
            folder = os.path.join(s.dir, appearance)
            os.makedirs(folder)
            name = f"{appearance}net.nt3"
            with open(os.path.join(folder, name), "wb") as f:
                f.write(b"quil test\r\n\x1a")
            choose(s, appearance, folder, name)


if __name__ == "__main__":
    sys.exit(run(test))
