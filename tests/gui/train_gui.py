#!/usr/bin/env python3
"""Running trains under Wine: the train host draws a loop of track, places a train on it through
the headless-run helper and advances the clock from its window's 20 ms timer. The train's code
0xBF00+k goes round the loop cell by cell in the grid, the cells it leaves show their track again,
and no cell keeps a train code the train no longer holds."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from guilib import GuiSession, expect, run  # noqa: E402


def test():
    with GuiSession("train") as s:
        h = s.start_host("train_host", "loop", "2")
        r = s.driver("wait", "title=train host", "exe=train_host.exe", "timeout=15000")
        expect(r.first("window") is not None, "the host's window is shown")
        rc, out = s.wait_host(h, timeout=110)
        expect(rc == 0 and out.get("done") == "1", f"host {rc} {out}")
        expect(out.get("faults") == "0", f"grid and train agree after every tick: {out}")
        code = int(out.get("code", "0"))
        expect(0xBF00 <= code <= 0xBFFF, f"the train's cell code {out}")
        loop = int(out.get("loop_cells", "0"))
        expect(loop > 0 and int(out.get("head_moves", "0")) > 2 * loop,
               f"the head went twice round the loop {out}")
        expect(out.get("cells") == str(loop), f"the code passed over every cell of the loop {out}")
        expect(int(out.get("timer_steps", "0")) > 0, f"the clock ran from the timer {out}")


if __name__ == "__main__":
    sys.exit(run(test))
