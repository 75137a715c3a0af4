// The edit-window table: the one global EditViews, slot checks and the table-only operations
// (reset, find, count) shared by both builds.
#include "app/editwnd.h"
#include <cstring>

EditViewTable EditViews;

int IsEditSlot(int n) { return n >= 0 && n < EDIT_SLOTS; }

EditViewSlot* GetEditSlot(int n) { return IsEditSlot(n) ? &EditViews.slot[n] : nullptr; }

void ResetEditWindows() {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViewSlot* s = &EditViews.slot[i];
    s->window = nullptr;
    s->showState = 1;
    if (!s->savedRect[0] && !s->savedRect[1] && !s->savedRect[2] && !s->savedRect[3])
      s->savedRect[0] = -1;  // never placed: no saved rectangle
    if (s->viewMode < 1 || s->viewMode > 3) {
      s->viewMode = 1;
      s->zoom = 1;
    }
  }
  EditViews.active = -1;
  EditViews.lastUsed = -1;
  EditViews.followed = -1;
  if (EditViews.frameRate < 1 || EditViews.frameRate > 60) {
    EditViews.frameRate = 25;
    EditViews.frameInterval = 30;
  }
}

int FindEditWindow(void* window) {
  if (!window) return -1;
  for (int i = 0; i < EDIT_SLOTS; i++)
    if (EditViews.slot[i].window == window) return i;
  return -1;
}

int CountEditWindows() {
  int n = 0;
  for (int i = 0; i < EDIT_SLOTS; i++)
    if (EditViews.slot[i].window) n++;
  return n;
}

int FirstFreeEditSlot() {
  for (int i = 0; i < EDIT_SLOTS; i++)
    if (!EditViews.slot[i].window) return i;
  return -1;
}

// ---- overlay snapshots and the render locks ---------------------------------------------------------
#include "app/tick.h"
#include "core/platform.h"

OverlayPainter OverlayPainters[4];
void (*OverlaySnapshotFill)(int slot, EditOverlaySnapshot* n) = nullptr;
void (*OverlaySnapshotFree)(void* items) = nullptr;
uint32_t OverlayTextLabelsOn = 0;
uint32_t OverlayAnnotationBits = 0;
uint32_t OverlayTrainLabelBits = 0;

int PublishOverlaySnapshot(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s) return 1;
  EditOverlaySnapshot n = {};
  n.valid = 1;
  n.viewMode = s->viewMode;
  n.zoom = s->zoom;
  n.originX = s->originX;
  n.originY = s->originY;
  n.fineX = s->fineX;
  n.fineY = s->fineY;
  n.cellsWide = s->cellsWide;
  n.cellsHigh = s->cellsHigh;
  n.cursorX = s->cursorX;
  n.cursorY = s->cursorY;
  n.cursorLevel = s->cursorLevel;
  n.textLabels = OverlayTextLabelsOn;
  n.annotationBits = OverlayAnnotationBits & 0x3F;
  n.trainLabelBits = OverlayTrainLabelBits & 3;
  n.overlayPause = OverlayPauseSwitch;
  n.items = s->overlay.items;
  n.itemCount = s->overlay.itemCount;
  int fresh = OverlaySnapshotFill && OverlaySnapshotFree;
  if (fresh) OverlaySnapshotFill(slot, &n);
  if (s->lockA) WrapEnterCriticalSection(s->lockA);
  void* old = s->overlay.items;
  s->overlay = n;
  if (s->lockA) WrapLeaveCriticalSection(s->lockA);
  // The render thread reads items only under lock A: the old ones are no longer seen.
  if (fresh && old && old != n.items) OverlaySnapshotFree(old);
  return 0;
}

int ReadOverlaySnapshot(int slot, EditOverlaySnapshot* out) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s) return 1;
  if (s->lockA) WrapEnterCriticalSection(s->lockA);
  *out = s->overlay;
  if (s->lockA) WrapLeaveCriticalSection(s->lockA);
  return 0;
}

uint32_t OverlaysToDraw(const EditOverlaySnapshot* s) {
  if (!s->valid) return 0;
  uint32_t r = 0;
  if (s->textLabels && s->viewMode == 1) r |= OVERLAY_TEXTS;
  if (!s->overlayPause && (s->viewMode == 1 || s->viewMode == 2)) {
    if (s->annotationBits & 0x3F) r |= OVERLAY_ANNOTATIONS;
    if (s->trainLabelBits & 3) r |= OVERLAY_TRAIN_LABELS;
  }
  return r | OVERLAY_CURSOR;
}

void LockAllRenderLocks() {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViewSlot* s = &EditViews.slot[i];
    if (s->renderThread && s->lockA && !s->suspendedLockA) {
      WrapEnterCriticalSection(s->lockA);
      s->suspendedLockA = 1;
    }
  }
}

void UnlockAllRenderLocks() {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViewSlot* s = &EditViews.slot[i];
    if (s->suspendedLockA && s->lockA) WrapLeaveCriticalSection(s->lockA);
    s->suspendedLockA = 0;
  }
}
