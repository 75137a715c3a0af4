// Cell overlays, tint and the copy into the window.
#include "graphics/flush.h"
#include "app/editwnd.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "graphics/symbols.h"
#include "model/general_section.h"
#include "views/view_services.h"

// ---- state marks -----------------------------------------------------------------------------
// The mark of a flag word's bits 1 and 2 (slot 134 for bit 1, else 135), and whether bit 0's too.
static int SecondMark(uint32_t flags) { return (flags & 2) ? 134 : (flags & 4) ? 135 : 0; }

static void Mark1(int slot, int x) {
  const SymbolEntry* e = GetSymbolEntry(slot);
  if (!e->count) return;
  const ExpandedPart& p = e->parts[0];
  CopyPieceBuf1(x, 0, p.width, p.height, p.source, 1);
}

static void Mark2(int slot, int x) {
  const SymbolEntry* e = GetSymbolEntry(slot);
  if (!e->count) return;
  const ExpandedPart& p = e->parts[0];
  if (p.pixels2) CopyPieceBuf2(x, 8, p.width2, p.height2, p.pixels2, 1);
}

void DrawStateMarksBuf1(uint32_t flags) {
  int second = SecondMark(flags);
  if ((flags & 1) && second) {
    Mark1(second, 17);
    Mark1(133, 1);
  } else if (flags & 1) {
    Mark1(133, 9);
  } else if (second) {
    Mark1(second, 9);
  }
}

void DrawStateMarksBuf2(uint32_t flags) {
  int second = SecondMark(flags);
  if ((flags & 1) && second) {
    Mark2(133, 17);
    Mark2(second, 33);
  } else if (flags & 1) {
    Mark2(133, 25);
  } else if (second) {
    Mark2(second, 25);
  }
}

// ---- tint ------------------------------------------------------------------------------------
uint32_t CellTintWord(int window, uint32_t flags, int* on) {
  const EditViewSlot* s = GetEditSlot(window);
  *on = 0;
  if (!s) return 0;
  if (s->cursorLevel < 0) {
    *on = 1;
    return (DocState.dayPhaseOptions & 2) ? 121 : 120;
  }
  uint32_t word = 0;
  if (DocState.dayPhaseOptions & 1) {
    *on = 1;
    word = DayPhase;
  }
  if (flags & FLUSH_LIGHTS) {
    *on = 1;
    word += 24;
  }
  return word;
}

// Every pixel in index order through the tint (runs of equal pixels reuse the result); results
// with bit 31 are darkened.
static void TintPixels(uint32_t* p, int n, int on, uint32_t word) {
  uint32_t previous = 0, result = 0;
  for (int i = 0; i < n; i++) {
    if (i == 0 || p[i] != previous) {
      previous = p[i];
      result = on ? ApplyDayPhaseToColour(p[i], word) : p[i];
      if (result & 0x80000000u) result = DarkenPixel(result);
    }
    p[i] = result;
  }
}

// Previews: marked pixels darkened, the others without their class.
static void PlainPixels(uint32_t* p, int n) {
  for (int i = 0; i < n; i++) p[i] = (p[i] & 0x80000000u) ? DarkenPixel(p[i]) : p[i] & 0xFFFFFF;
}

static void ToWindow(int window, int x, int y, const uint32_t* buffer, int w, int h, int factor) {
  if (factor <= 1)
    CopyPixelsToWindowBuffer(window, x, y, w, h, buffer, 0, 0, w, h);
  else
    CopyPixelsToWindowBufferScaled(window, factor, x, y, w, h, buffer, 0, 0, w, h);
}

void FlushBuf1ToWindow(void* dc, int x, int y, int target, uint32_t flags, uint32_t gridMask) {
  if (flags & 7) DrawStateMarksBuf1(flags);
  if (gridMask) DrawGridMarks1(gridMask);
  if (target >= 0 && target < EDIT_SLOTS) {
    const EditViewSlot* s = GetEditSlot(target);
    int on;
    uint32_t word = CellTintWord(target, flags, &on);
    TintPixels(CellBuffer1, 512, on, word);
    ToWindow(target, x, y, CellBuffer1, 32, 16, s->zoom);
    return;
  }
  if (target < 6 || target > 9) return;
  PlainPixels(CellBuffer1, 512);
  if (y < 0) return;
  int scale = 1 << (target - 6);
  BlitCellPreview(dc, x, y, CellBuffer1, 32, 16, 32 * scale, 16 * scale, 0);
}

void FlushBuf2ToWindow(void* dc, int x, int y, int target, uint32_t flags, uint32_t gridMask) {
  if (flags & 7) DrawStateMarksBuf2(flags);
  if (gridMask) DrawGridMarks2(gridMask);
  if (target >= 0 && target < EDIT_SLOTS) {
    const EditViewSlot* s = GetEditSlot(target);
    if (s->zoom < 2) return;
    int on;
    uint32_t word = CellTintWord(target, flags, &on);
    TintPixels(CellBuffer2, 2048, on, word);
    ToWindow(target, x, y, CellBuffer2, 64, 32, s->zoom / 2);
    return;
  }
  if (target < 7 || target > 9) return;
  PlainPixels(CellBuffer2, 2048);
  if (y < 0) return;
  int scale = 1 << (target - 7);
  BlitCellPreview(dc, x, y, CellBuffer2, 64, 32, 64 * scale, 32 * scale, 0);
}

void FlushDiagramCell(void* dc, int x, int y, int target) {
  if (target == 6 || target == 7) {
    int side = target == 6 ? 16 : 24;
    uint32_t square[24 * 24];
    // the top-left square of the buffer (index rows 31 down to 32 - side), kept bottom-up
    for (int r = 0; r < side; r++)
      for (int c = 0; c < side; c++) square[r * side + c] = CellBuffer2[(32 - side + r) * 64 + c];
    int direct = GetRasterCapsFlags(nullptr);
    BlitCellPreview(dc, x, y, square, side, side, side, side, direct);
    return;
  }
  const EditViewSlot* s = GetEditSlot(target);
  if (!s || s->zoom < 1) return;
  int side = 16 / s->zoom;
  if (side < 1) side = 1;
  CopyPixelsToWindowBuffer(target, x, y, side, side, CellBuffer2, 0, 0, 64, 32);
}
