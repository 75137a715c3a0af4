// The four overlays of an edit window (text labels, annotations, train labels, cursor mark).
// The user-interface thread collects what they show into the window's snapshot (cells after the
// see-through walk, colours already resolved); the render thread draws them from that snapshot
// alone, on the window's memory device context, under the window's render lock.
#include <cstdlib>
#include <cstring>
#include "app/editwnd.h"
#include "app/tick.h"
#include "core/misc.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/textlabel.h"
#include "signalling/switch_control.h"
#include "trains/train_draw.h"
#include "trains/train_services.h"
#include "views/surface.h"
#include "views/view_draw.h"
#include "views/view_services.h"

// ---- colours ---------------------------------------------------------------------------------------
// Display colour n in pixel order with its class bits (for the day-phase adjustment).
static uint32_t PixelColour(int n) {
  uint32_t c = GetColour(n);
  return (c & 0xFF000000u) | SwapRedBlue(c);
}
// A pixel-order colour word back to a platform colour.
static uint32_t PlatformColour(uint32_t pixel) { return SwapRedBlueAlt(pixel & 0xFFFFFF); }

// Day-phase flags of a window's level: below ground the fixed words 121 or 120 by the darker
// option, on level 0 the phase itself while the colouring option is on.
static uint32_t LevelTint(int level) {
  if (level != 0) return (DocState.dayPhaseOptions & 2) ? 121u : 120u;
  return (DocState.dayPhaseOptions & 1) ? DayPhase : 0u;
}

// ---- annotations -------------------------------------------------------------------------------------
static void CopyText(char16_t* to, const char16_t* from, int capacity) {
  int i = 0;
  for (; from && from[i] && i < capacity - 1; i++) to[i] = from[i];
  to[i] = 0;
}

AnnotationRecord* GetAnnotationAtCell(int x, int y, int level, AnnotationRecord* out,
                                      uint32_t mask) {
  if (!(mask & 0x3F) || !GridPositionValid(x, y, level) || !out) return nullptr;
  out->xOffset = 0;
  out->yOffset = (x & 1) ? 8 : 0;
  out->text[0] = 0;
  if (mask & 1) {
    uint32_t id = GetSwitchId(x, y, level);
    if (id) {
      char16_t t[16];
      int n = 0;
      char digits[12];
      int k = 0;
      do digits[k++] = (char)('0' + id % 10), id /= 10;
      while (id);
      while (k) t[n++] = (char16_t)digits[--k];
      t[n] = 0;
      CopyText(out->text, t, ANNOTATION_TEXT_UNITS);
      out->textColour = 159;
      out->boxColour = 160;
      return out;
    }
  }
  if (mask & 32) {
    char16_t name[ANNOTATION_TEXT_UNITS] = {0};
    int flags = GetLogPointAt(x, y, level, name, nullptr);
    if (flags) {
      CopyText(out->text, name[0] ? name : u"?", ANNOTATION_TEXT_UNITS);
      out->textColour = (flags & 16) ? 182 : 180;
      out->boxColour = (flags & 16) ? 183 : 181;
      return out;
    }
  }
  // Signals, TP, Dwx and depot names join as their stores come.
  return nullptr;
}

// ---- collecting the items of a snapshot ------------------------------------------------------------------
struct ItemList {
  OverlayItem* items;
  uint32_t count, capacity;
};

static OverlayItem* NewItem(ItemList* l) {
  if (l->count == l->capacity) {
    uint32_t cap = l->capacity ? l->capacity * 2 : 64;
    size_t bytes = (size_t)cap * sizeof(OverlayItem);
    OverlayItem* n = (OverlayItem*)(l->items ? MemRealloc(l->items, bytes) : MemAlloc(bytes));
    if (!n) return nullptr;
    l->items = n;
    l->capacity = cap;
  }
  OverlayItem* it = &l->items[l->count++];
  std::memset(it, 0, sizeof *it);
  return it;
}

// An annotation or a train label: placed at the cell with its offsets, in its text and box colours.
static void AddAnnotationItem(ItemList* l, int kind, int px, int py, const AnnotationRecord* a) {
  OverlayItem* it = NewItem(l);
  if (!it) return;
  it->kind = kind;
  it->px = px;
  it->py = py;
  it->xOffset = a->xOffset;
  it->yOffset = a->yOffset;
  it->textColour = GetColour(a->textColour) & 0xFFFFFF;
  it->boxColour = GetColour(a->boxColour) & 0xFFFFFF;
  CopyText(it->text, a->text, ANNOTATION_TEXT_UNITS);
}

static void CollectCell(ItemList* l, const EditViewSlot* s, int x, int y, int px, int py,
                        const EditOverlaySnapshot* n) {
  int top = s->cursorLevel;
  int bottom = WalkDownSeeThrough(x, y, top);
  if (n->textLabels) {
    TextCellRecord t;
    if (GetTextCell(x, y, bottom, &t) == 0) {
      uint32_t tint = LevelTint(top);
      int adjust = (top != 0 && tint) || (top == 0 && (DocState.dayPhaseOptions & 1));
      if (bottom < top) {
        tint |= 8 | 16;
        adjust = 1;
      }
      OverlayItem* it = NewItem(l);
      if (it) {
        it->kind = OVERLAY_ITEM_TEXT;
        it->px = px;
        it->py = py;
        uint32_t text = t.textColour == 0x80000001u
                            ? PixelColour(105)
                            : (t.textColour & 0xFF000000u) | SwapRedBlue(t.textColour);
        it->textColour = PlatformColour(adjust ? ApplyDayPhaseToColour(text, tint) : text);
        if (t.backColour == 0x80000001u) {
          it->boxColour = SURFACE_TRANSPARENT;
        } else {
          uint32_t back = (t.backColour & 0xFF000000u) | SwapRedBlue(t.backColour);
          it->boxColour = PlatformColour(adjust ? ApplyDayPhaseToColour(back, tint) : back);
        }
        for (int i = 0; i < 4; i++) it->text[i] = t.chars[i];
        it->text[4] = 0;
      }
    }
  }
  if (n->annotationBits) {
    AnnotationRecord a;
    if (GetAnnotationAtCell(x, y, bottom, &a, n->annotationBits) && a.xOffset != -10000) {
      AddAnnotationItem(l, OVERLAY_ITEM_ANNOTATION, px, py, &a);
    }
  }
  if (n->trainLabelBits) {
    AnnotationRecord a;
    if (GetTrainLabel(x, y, bottom, &a) && a.xOffset != -10000) {
      AddAnnotationItem(l, OVERLAY_ITEM_TRAIN, px, py, &a);
    }
  }
}

static void BuildOverlayItems(int slot, EditOverlaySnapshot* n) {
  const EditViewSlot* s = GetEditSlot(slot);
  n->items = nullptr;
  n->itemCount = 0;
  if (!s || !s->window) return;
  int wantText = n->textLabels && s->viewMode == VIEW_SYMBOLS;
  int wantBoxes = !n->overlayPause &&
                  (s->viewMode == VIEW_SYMBOLS || s->viewMode == VIEW_DIAGRAM) &&
                  (n->annotationBits || n->trainLabelBits);
  if (!wantText && !wantBoxes) return;
  EditOverlaySnapshot want = *n;
  if (!wantText) want.textLabels = 0;
  if (!wantBoxes) want.annotationBits = want.trainLabelBits = 0;
  ItemList l = {nullptr, 0, 0};
  int zoom = s->zoom > 0 ? s->zoom : 1;
  int x0 = s->originX - (s->fineX > 0 && s->originX > 0 ? 1 : 0);
  int y0 = s->originY - (s->fineY > 0 && s->originY > 0 ? 1 : 0);
  for (int y = y0; y < s->farY && y <= GRID_MAX_XY; y++)
    for (int x = x0; x < s->farX && x <= GRID_MAX_XY; x++) {
      int px, py;
      if (s->viewMode == VIEW_SYMBOLS) {
        px = ((x - s->originX) * 32 + s->fineX) * zoom;
        py = ((y - s->originY) * 16 + s->fineY) * zoom;
      } else {
        px = ((x - s->originX) * 16 + s->fineX) / zoom;
        py = ((y - s->originY) * 16 + s->fineY) / zoom;
      }
      CollectCell(&l, s, x, y, px, py, &want);
    }
  n->items = l.items;
  n->itemCount = l.count;
}

static void FreeOverlayItems(void* items) { MemFree(items); }

// ---- drawing from the snapshot (render thread) --------------------------------------------------------
static void DrawTextLabelItems(void* dc, const EditOverlaySnapshot* s) {
  const OverlayItem* items = (const OverlayItem*)s->items;
  int zoom = s->zoom > 0 ? s->zoom : 1;
  void* font = GetZoomFont(zoom);
  for (uint32_t i = 0; i < s->itemCount; i++) {
    const OverlayItem& it = items[i];
    if (it.kind != OVERLAY_ITEM_TEXT) continue;
    if (it.boxColour != SURFACE_TRANSPARENT)
      FillRectColour(dc, it.px, it.py, it.px + 32 * zoom - 1, it.py + 16 * zoom - 1, it.boxColour);
    for (int c = 0; c < 4; c++) {
      char16_t ch = it.text[c];
      int cx = it.px + 4 * zoom + 8 * zoom * c;
      if (ch > 32)
        SurfaceText(dc, font, cx, it.py, &ch, 1, it.textColour, SURFACE_TRANSPARENT, 1);
      else if (ch >= 1 && ch < 32)
        DrawLabelSymbol(dc, cx, it.py, zoom, it.textColour, ch);
    }
  }
}

void DrawBoxedItem(void* dc, const EditOverlaySnapshot* s, const OverlayItem& it, int boxOff) {
  int zoom = s->zoom > 0 ? s->zoom : 1;
  int diagram = s->viewMode == VIEW_DIAGRAM;
  if (diagram && zoom > 8) return;
  int scale = diagram ? -zoom : zoom;
  int anchor, vertical;
  if (diagram) {
    anchor = 8 / zoom;
    vertical = 0;
  } else {
    anchor = it.kind == OVERLAY_ITEM_ANNOTATION ? 16 * scale : it.xOffset * scale;
    vertical = it.yOffset * scale;
  }
  int n = 0;
  while (n < ANNOTATION_TEXT_UNITS && it.text[n]) n++;
  int tw = 0, th = 0;
  SurfaceTextExtent(dc, GetDisplayFont5(), it.text, n, &tw, &th);
  int w = tw > th ? tw : th, h = th;
  int left = it.px + anchor - (w - 1) / 2, top = it.py + vertical;
  if (!boxOff) {
    FillRectColour(dc, left - 1, top, left + w + 2, top + h, it.boxColour);
    DrawPixelFrame(dc, left - 1, top, left + w + 2, top + h, 0);
  }
  SurfaceText(dc, GetDisplayFont5(), it.px + anchor + 2, top, it.text, n, it.textColour,
              SURFACE_TRANSPARENT, 1);
}

static void DrawAnnotationItems(void* dc, const EditOverlaySnapshot* s) {
  const OverlayItem* items = (const OverlayItem*)s->items;
  for (uint32_t i = 0; i < s->itemCount; i++)
    if (items[i].kind == OVERLAY_ITEM_ANNOTATION)
      DrawBoxedItem(dc, s, items[i], s->annotationBoxOff);
}

static void DrawTrainLabelItems(void* dc, const EditOverlaySnapshot* s) {
  const OverlayItem* items = (const OverlayItem*)s->items;
  for (uint32_t i = 0; i < s->itemCount; i++)
    if (items[i].kind == OVERLAY_ITEM_TRAIN) DrawBoxedItem(dc, s, items[i], s->trainBoxOff);
}

int DrawCursorMarkFromSnapshot(void* dc, const EditOverlaySnapshot* s, uint32_t ready) {
  if (!s->valid) return 4;
  if (!s->active) return 1;
  if (s->followBlocks) return 2;
  if (!ready) return 5;
  if (s->cursorX < 0 || s->cursorY < 0) return 6;
  if (!dc) return 7;
  int zoom = s->zoom > 0 ? s->zoom : 1;
  if (s->viewMode == VIEW_SYMBOLS) {
    int px = ((s->cursorX - s->originX) * 32 + s->fineX) * zoom;
    int py = ((s->cursorY - s->originY) * 16 + s->fineY) * zoom;
    DrawPixelFrame(dc, px, py, px + 32 * zoom - 1, py + 16 * zoom - 1, s->cursorColour);
  } else if (s->viewMode == VIEW_DIAGRAM) {
    int side = 16 / zoom;
    int px = ((s->cursorX - s->originX) * 16 + s->fineX) / zoom;
    int py = ((s->cursorY - s->originY) * 16 + s->fineY) / zoom;
    DrawPixelFrame(dc, px, py, px + side - 1, py + side - 1, s->cursorColour);
  } else {
    int scale = zoom;
    int cx = (s->cursorX - s->originX) / scale, cy = (s->cursorY - s->originY) / scale;
    int xEnd = (GRID_MAX_XY - s->originX) / scale, yEnd = (GRID_MAX_XY - s->originY) / scale;
    DrawHorizontalPixelLine(dc, cx - 5 > 0 ? cx - 5 : 0, cy, cx + 5 < xEnd ? cx + 5 : xEnd,
                            s->cursorColour, 1);
    DrawVerticalPixelLine(dc, cx, cy - 5 > 0 ? cy - 5 : 0, cy + 5 < yEnd ? cy + 5 : yEnd,
                          s->cursorColour, 1);
  }
  return 0;
}

static void DrawCursorItem(void* dc, const EditOverlaySnapshot* s) {
  DrawCursorMarkFromSnapshot(dc, s, 1);
}

// ---- the snapshot fields the views add ---------------------------------------------------------------------
static void FillViewSnapshot(int slot, EditOverlaySnapshot* n) {
  const EditViewSlot* s = GetEditSlot(slot);
  n->level = s->cursorLevel;
  n->active = EditViews.active == slot;
  n->followBlocks = EditViews.followed == slot && GetFollowMode() == 1;
  n->annotationBits = (OverlayAnnotationBits | AnnotationMask) & 0x3F;
  n->annotationBoxOff = (AnnotationMask & 0x8000) ? 1 : 0;
  n->trainLabelBits = (OverlayTrainLabelBits | CycleDisplayMode) & 3;
  n->trainBoxOff = (CycleDisplayMode & 4) ? 1 : 0;
  n->dayPhase = DayPhase;
  n->dayPhaseOptions = (uint32_t)DocState.dayPhaseOptions;
  uint32_t colour = PixelColour(106);
  if (s->viewMode == VIEW_SYMBOLS) {
    uint32_t flags = s->cursorLevel != 0 ? ((DocState.dayPhaseOptions & 2) ? 1u : 0u)
                                         : ((DocState.dayPhaseOptions & 1) ? DayPhase : 0u);
    colour = ApplyDayPhaseToColour(colour, flags);
  } else if (s->viewMode != VIEW_DIAGRAM) {
    colour = PixelColour(107);
  }
  n->cursorColour = PlatformColour(colour);
  BuildOverlayItems(slot, n);
}

void InstallOverlayPainters() {
  OverlayPainters[0] = DrawTextLabelItems;
  OverlayPainters[1] = DrawAnnotationItems;
  OverlayPainters[2] = DrawTrainLabelItems;
  OverlayPainters[3] = DrawCursorItem;
  OverlaySnapshotFill = FillViewSnapshot;
  OverlaySnapshotFree = FreeOverlayItems;
}

// ---- keeping the snapshots current ---------------------------------------------------------------------
static uint8_t SnapshotStale[EDIT_SLOTS];

void MarkOverlaySnapshotStale(int window) {
  if (IsEditSlot(window)) SnapshotStale[window] = 1;
}

// Whether what a window's overlays show has changed since its snapshot (read by the
// user-interface thread, the only writer of snapshots).
static int SnapshotOutdated(int slot) {
  const EditViewSlot* s = &EditViews.slot[slot];
  const EditOverlaySnapshot& o = s->overlay;
  return !o.valid || o.viewMode != s->viewMode || o.zoom != s->zoom || o.originX != s->originX ||
         o.originY != s->originY || o.fineX != s->fineX || o.fineY != s->fineY ||
         o.cellsWide != s->cellsWide || o.cellsHigh != s->cellsHigh || o.cursorX != s->cursorX ||
         o.cursorY != s->cursorY || o.cursorLevel != s->cursorLevel ||
         o.active != (uint32_t)(EditViews.active == slot) || o.textLabels != OverlayTextLabelsOn ||
         o.annotationBits != ((OverlayAnnotationBits | AnnotationMask) & 0x3F) ||
         o.annotationBoxOff != ((AnnotationMask & 0x8000) ? 1u : 0u) ||
         o.trainLabelBits != ((OverlayTrainLabelBits | CycleDisplayMode) & 3) ||
         o.trainBoxOff != ((CycleDisplayMode & 4) ? 1u : 0u) ||
         o.overlayPause != OverlayPauseSwitch || o.dayPhase != DayPhase ||
         o.dayPhaseOptions != (uint32_t)DocState.dayPhaseOptions ||
         o.followBlocks != (uint32_t)(EditViews.followed == slot && GetFollowMode() == 1);
}

int RefreshOverlaySnapshots() {
  int n = 0;
  for (int i = 0; i < EDIT_SLOTS; i++) {
    if (!EditViews.slot[i].window) continue;
    if (SnapshotStale[i] || SnapshotOutdated(i)) {
      SnapshotStale[i] = 0;
      PublishOverlaySnapshot(i);
      n++;
    }
  }
  return n;
}

int DrawCursorMarkInView(int window) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s) return 3;
  if (!s->window) return 4;
  if (!s->overlay.active) return 1;
  return DrawCursorMarkFromSnapshot(s->memoryDC, &s->overlay, s->ready);
}

void DrawTextLabelsInView(int window) {
  EditViewSlot* s = GetEditSlot(window);
  if (s && s->window && s->memoryDC) DrawTextLabelItems(s->memoryDC, &s->overlay);
}
void DrawAnnotationsInView(int window) {
  EditViewSlot* s = GetEditSlot(window);
  if (s && s->window && s->memoryDC) DrawAnnotationItems(s->memoryDC, &s->overlay);
}
void DrawTrainLabelsInView(int window) {
  EditViewSlot* s = GetEditSlot(window);
  if (s && s->window && s->memoryDC) DrawTrainLabelItems(s->memoryDC, &s->overlay);
}
