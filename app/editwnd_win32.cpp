// Edit windows (Win32): creation in a slot, the window procedure, the per-window timer and render
// threads with their two locks, the buffers and bitmap, view mode and zoom, activation, tiling,
// suspension of all drawing, the frame rate and the running-time message.
#include "app/frame_win32.h"
#include "../resources/menus.h"
#include <windowsx.h>
#include <cstring>
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/editwnd.h"
#include "app/netcmd.h"
#include "app/editwnd_layout.h"
#include "app/entry.h"
#include "app/startup.h"
#include "app/tick.h"
#include "app/titles.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform.h"
#include "trains/train_services.h"
#include "views/view_services.h"

void ClearEditSlotsAtStart() {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViewSlot* s = &EditViews.slot[i];
    std::memset(s, 0, sizeof *s);
    s->showState = 1;
    s->viewMode = VIEW_SYMBOLS;
    s->zoom = 1;
    s->savedRect[0] = -1;
    s->cursorX = s->cursorY = 16384;
    s->originX = s->originY = 16384 - 10;
  }
  EditViews.active = -1;
  EditViews.lastUsed = -1;
  EditViews.followed = -1;
  EditViews.frameRate = 25;
  EditViews.frameInterval = 30;
}

// ---- threads --------------------------------------------------------------------------------------
static void ViewTimerThread(void* arg) {
  int slot = (int)(intptr_t)arg;
  EditViewSlot* s = &EditViews.slot[slot];
  while (!s->stopThreads) {
    WrapReleaseSemaphore(s->semaphore, 1, nullptr);
    uint32_t interval = (uint32_t)EditViews.frameInterval;
    if (EditViews.followed == slot && Entry.frameSemaphore)
      WrapWaitForSingleObject(Entry.frameSemaphore, interval);
    else
      WrapSleep(interval);
  }
}

static void ViewRenderThread(void* arg) {
  int slot = (int)(intptr_t)arg;
  EditViewSlot* s = &EditViews.slot[slot];
  for (;;) {
    WrapWaitForSingleObject(s->semaphore, WRAP_INFINITE);
    if (s->stopThreads) break;
    if (!s->dirty || !s->ready || !s->window || s->showState == 2 || !s->drawBuffer) continue;
    if (!WrapTryEnterCriticalSection(s->lockA)) continue;
    if (!WrapTryEnterCriticalSection(s->lockB)) {
      WrapLeaveCriticalSection(s->lockA);
      continue;
    }
    // Cleared before the copy, under the buffer's lock: what is drawn after the copy sets it
    // again and reaches the next frame instead of being lost.
    s->dirty = 0;
    std::memcpy(s->bitmapBuffer, s->drawBuffer, (size_t)s->pixelCount * 4);
    WrapLeaveCriticalSection(s->lockB);
    SetDIBits((HDC)s->memoryDC, (HBITMAP)s->bitmap, 0, (UINT)s->pixelHeight, s->bitmapBuffer,
              (const BITMAPINFO*)s->bitmapHeader, DIB_RGB_COLORS);
    // Overlays read only the snapshot the user-interface thread left under lock A (held here).
    const EditOverlaySnapshot* snap = &s->overlay;
    uint32_t which = OverlaysToDraw(snap);
    for (int i = 0; i < 4; i++)
      if ((which & (1u << i)) && OverlayPainters[i]) OverlayPainters[i](s->memoryDC, snap);
    BitBlt((HDC)s->windowDC, 0, 0, s->pixelWidth, s->pixelHeight, (HDC)s->memoryDC, 0, 0, SRCCOPY);
    WrapLeaveCriticalSection(s->lockA);
  }
}

// Ends both threads of a slot without killing them: stop flag, wake the render thread, wait.
static void StopSlotThreads(EditViewSlot* s) {
  s->stopThreads = 1;
  if (s->timerThread) ResumeThreadFully(s->timerThread);
  if (s->semaphore) WrapReleaseSemaphore(s->semaphore, 1, nullptr);
  if (s->renderThread) {
    WrapWaitForSingleObject(s->renderThread, WRAP_INFINITE);
    WrapCloseHandle(s->renderThread);
    s->renderThread = nullptr;
  }
  if (s->timerThread) {
    WrapWaitForSingleObject(s->timerThread, WRAP_INFINITE);
    WrapCloseHandle(s->timerThread);
    s->timerThread = nullptr;
  }
}

static LockRecord* NewLock() {
  LockRecord* l = (LockRecord*)MemAlloc(sizeof(LockRecord));
  if (l) {
    std::memset(l, 0, sizeof *l);
    WrapInitializeCriticalSection(l);
  }
  return l;
}

static void DeleteLock(LockRecord** l) {
  if (!*l) return;
  WrapDeleteCriticalSection(*l);
  MemFree(*l);
  *l = nullptr;
}

static int RegisterEditWindow(HWND window) {
  int slot = FirstFreeEditSlot();
  if (slot < 0) return -2;
  EditViewSlot* s = &EditViews.slot[slot];
  s->window = window;
  s->showState = 1;
  s->stopThreads = 0;
  s->lockA = NewLock();
  s->lockB = NewLock();
  s->semaphore = WrapCreateSemaphore(0, 1);
  if (s->lockA && s->lockB && s->semaphore) {
    s->renderThread = WrapBeginThread(ViewRenderThread, (void*)(intptr_t)slot, 1);
    if (s->renderThread)
      s->timerThread = WrapBeginThread(ViewTimerThread, (void*)(intptr_t)slot, 1);
  }
  if (s->timerThread) return slot;
  // Failure: undo what was made.
  StopSlotThreads(s);
  if (s->semaphore) WrapCloseHandle(s->semaphore);
  s->semaphore = nullptr;
  DeleteLock(&s->lockA);
  DeleteLock(&s->lockB);
  s->window = nullptr;
  return -1;
}

// ---- buffers ----------------------------------------------------------------------------------------
// New buffers hold no picture: the ready flag stays clear (no frame shows them) until the views
// have painted the window.
static void RepaintWholeWindow(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  if (s && s->window && s->drawBuffer)
    RefreshEditWindowRect(slot, 0, 0, s->pixelWidth - 1, s->pixelHeight - 1);
}

int PrepareWindowBuffers(int slot, int w, int h, int clear) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s || !s->lockA || !s->lockB) return 0;
  if (w < 1) w = 1;
  if (h < 1) h = 1;
  int changed = w != s->pixelWidth || h != s->pixelHeight;
  WrapEnterCriticalSection(s->lockA);
  WrapEnterCriticalSection(s->lockB);
  uint32_t* oldDraw = s->drawBuffer;
  uint32_t* oldBits = s->bitmapBuffer;
  int needNew = !oldDraw || !oldBits || changed;
  if (!s->memoryDC)
    s->memoryDC = CreateCompatibleDC((HDC)(Entry.statusDC ? Entry.statusDC : s->windowDC));
  HBITMAP bmp =
      s->memoryDC ? CreateCompatibleBitmap((HDC)(s->windowDC ? s->windowDC : Entry.statusDC), w, h)
                  : nullptr;
  uint32_t* newDraw = oldDraw;
  uint32_t* newBits = oldBits;
  if (needNew && bmp) {
    newDraw = (uint32_t*)MemAlloc((size_t)w * h * 4);
    newBits = (uint32_t*)MemAlloc((size_t)w * h * 4);
  }
  if (!bmp || !newDraw || !newBits) {
    if (bmp) DeleteObject(bmp);
    if (needNew) {
      if (newDraw && newDraw != oldDraw) MemFree(newDraw);
      if (newBits && newBits != oldBits) MemFree(newBits);
    }
    WrapLeaveCriticalSection(s->lockB);
    WrapLeaveCriticalSection(s->lockA);
    return 1;
  }
  s->ready = 0;
  if (s->bitmap) {
    SelectObject((HDC)s->memoryDC, (HGDIOBJ)s->defaultBitmap);
    DeleteObject((HGDIOBJ)s->bitmap);
  }
  s->bitmap = bmp;
  BITMAPINFOHEADER* bh = (BITMAPINFOHEADER*)s->bitmapHeader;
  std::memset(bh, 0, sizeof *bh);
  bh->biSize = sizeof *bh;
  bh->biWidth = w;
  bh->biHeight = h;  // positive: rows run from the bottom of the window up
  bh->biPlanes = 1;
  bh->biBitCount = 32;
  bh->biCompression = BI_RGB;
  bh->biXPelsPerMeter = 600;
  bh->biYPelsPerMeter = 600;
  HGDIOBJ def = SelectObject((HDC)s->memoryDC, bmp);
  if (!s->defaultBitmap) s->defaultBitmap = def;
  // The stored size changes together with the buffers, never before they exist.
  int32_t cw, ch;
  CellsFromPixels(s->viewMode, s->zoom, w, h, &cw, &ch);
  s->cellsWide = cw;
  s->cellsHigh = ch;
  s->pixelWidth = w;
  s->pixelHeight = h;
  s->drawBuffer = newDraw;
  s->bitmapBuffer = newBits;
  s->pixelCount = (uint32_t)w * (uint32_t)h;
  WrapLeaveCriticalSection(s->lockB);
  WrapLeaveCriticalSection(s->lockA);
  if (needNew) {
    if (oldDraw) MemFree(oldDraw);
    if (oldBits) MemFree(oldBits);
  }
  if (clear) RepaintWholeWindow(slot);
  PublishOverlaySnapshot(slot);
  return 0;
}

static void ScrollCursorIntoView(int slot) {
  const EditViewSlot* s = GetEditSlot(slot);
  if (s && s->window) ScrollCellIntoView(slot, s->cursorX, s->cursorY, s->cursorLevel);
}

void ResizeEditWindow(int slot, int w, int h) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s) return;
  int32_t oldW = s->cellsWide, oldH = s->cellsHigh;
  PrepareWindowBuffers(slot, w, h, 0);
  if (s->cellsWide > oldW) s->originX = ClampOrigin(s->originX, s->cellsWide);
  s->farX = s->originX + s->cellsWide;
  s->fineX = 0;
  if (s->cellsHigh > oldH) s->originY = ClampOrigin(s->originY, s->cellsHigh);
  s->farY = s->originY + s->cellsHigh;
  s->fineY = 0;
  ScrollCursorIntoView(slot);
  RepaintWholeWindow(slot);
  PublishOverlaySnapshot(slot);
}

// ---- creation and closing ---------------------------------------------------------------------------
void EnableCommandInAllWindows(int id, int enabled) { EnableMenuCommand(id, -1, enabled); }

int CreateEditWindow(int zoomRequest) {
  int slot = FirstFreeEditSlot();
  if (slot < 0) return EDITWND_ALL_USED;
  EditViewSlot* s = &EditViews.slot[slot];
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
  int placed = s->savedRect[0] != -1;
  if (placed) {
    x = s->savedRect[0];
    y = s->savedRect[1];
    w = s->savedRect[2] - s->savedRect[0];
    h = s->savedRect[3] - s->savedRect[1];
  }
  HWND window =
      FrameCreateWindow(0, kEditClass, L"", WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, x, y, w,
                        h, (HWND)Entry.mainWindow, nullptr, ProgramInstance(), nullptr);
  if (!window) return EDITWND_NOT_CREATED;
  slot = FindEditWindow(window);
  if (slot < 0) {
    DestroyWindow(window);
    return EDITWND_NOT_CREATED;
  }
  s = &EditViews.slot[slot];
  s->history = (uint8_t*)MemAlloc(EDIT_HISTORY_BYTES);
  if (!s->history) {
    DestroyWindow(window);
    return EDITWND_NO_BUFFERS;
  }
  s->historyTop = s->historyFill = 0;
  if (zoomRequest == 1 || zoomRequest == 2) {
    s->viewMode = VIEW_SYMBOLS;
    s->zoom = zoomRequest;
  }
  RECT rc;
  GetClientRect(window, &rc);
  if (PrepareWindowBuffers(slot, rc.right + 1, rc.bottom + 1, 1)) {
    DestroyWindow(window);
    return EDITWND_NO_BUFFERS;
  }
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
  UpdateWindowTitles(slot + 1);
  SetEditMenuTexts(slot);
  RebuildRecentFileMenus(slot);
  // The drawing-script import stays greyed until the program has the import.
  if (!FileCommands.importDrawingScript) EnableMenuCommand(CMD_IMPORT_DRAWING_SCRIPT, slot, 0);
  CheckMenuCommand(MenuIdForViewMode(s->viewMode, s->zoom), slot, 1);
  if (!s->scrollBarFlag) ShowScrollBar(window, SB_BOTH, FALSE);
  ShowWindow(window, SW_SHOWNORMAL);
  ScrollCursorIntoView(slot);
  if (!placed && slot == 0) ArrangeStatusWindow(0, 1);
  if (CountEditWindows() == EDIT_SLOTS) EnableCommandInAllWindows(CMD_NEW_WINDOW, 0);
  return EDITWND_OK;
}

int CloseEditWindow(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s) return 2;
  if (!s->window) return 1;
  DestroyWindow((HWND)s->window);
  return 0;
}

static void DestroyEditSlot(int slot) {
  EditViewSlot* s = &EditViews.slot[slot];
  if (EdgeScrollState) {
    EdgeScrollState = 0;
    ReleaseCapture();
  }
  s->dirty = 0;
  s->ready = 0;
  StopSlotThreads(s);
  WrapEnterCriticalSection(s->lockB);
  if (s->history) MemFree(s->history);
  s->history = nullptr;
  HWND window = (HWND)s->window;
  s->window = nullptr;
  if (EditViews.lastUsed == slot) EditViews.lastUsed = -1;
  if (EditViews.active == slot) EditViews.active = -1;
  if (GetFollowMode() && EditViews.followed == slot) ClearTrainSelection();
  if (s->drawBuffer) MemFree(s->drawBuffer);
  if (s->bitmapBuffer) MemFree(s->bitmapBuffer);
  s->drawBuffer = s->bitmapBuffer = nullptr;
  s->pixelCount = 0;
  s->pixelWidth = s->pixelHeight = 0;
  if (s->memoryDC) {
    if (s->defaultBitmap) SelectObject((HDC)s->memoryDC, (HGDIOBJ)s->defaultBitmap);
    DeleteDC((HDC)s->memoryDC);
  }
  if (s->bitmap) DeleteObject((HGDIOBJ)s->bitmap);
  s->memoryDC = s->bitmap = s->defaultBitmap = nullptr;
  if (s->semaphore) WrapCloseHandle(s->semaphore);
  s->semaphore = nullptr;
  if (s->suspendedLockA) WrapLeaveCriticalSection(s->lockA);
  s->suspendedLockA = 0;
  DeleteLock(&s->lockA);
  WrapLeaveCriticalSection(s->lockB);
  DeleteLock(&s->lockB);
  if (s->windowDC) ReleaseDC(window, (HDC)s->windowDC);
  s->windowDC = nullptr;
  if (s->overlay.items && OverlaySnapshotFree) OverlaySnapshotFree(s->overlay.items);
  s->overlay = EditOverlaySnapshot();
  if (!Entry.shuttingDown) EnableCommandInAllWindows(CMD_NEW_WINDOW, 1);
}

// ---- view mode and zoom -------------------------------------------------------------------------------
int SetViewModeAndZoom(int slot, int m, int z) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s || !s->window) return VIEWZ_BAD_SLOT;
  uint32_t nm;
  int32_t nz;
  int r = NextViewModeAndZoom(s->viewMode, s->zoom, m, z, &nm, &nz);
  if (r) return r;
  int magnifies = ViewChangeMagnifies(s->viewMode, s->zoom, nm, nz);
  int32_t oldW = s->cellsWide - 1 > 1 ? s->cellsWide - 1 : 1;
  int32_t oldH = s->cellsHigh - 1 > 1 ? s->cellsHigh - 1 : 1;
  CheckMenuCommand(MenuIdForViewMode(s->viewMode, s->zoom), slot, 0);
  s->ready = 0;
  s->viewMode = nm;
  s->zoom = nz;
  if (PrepareWindowBuffers(slot, s->pixelWidth, s->pixelHeight, 0)) return VIEWZ_NO_BUFFERS;
  CheckMenuCommand(MenuIdForViewMode(nm, nz), slot, 1);
  UpdateWindowTitles(slot + 1);
  s->originX = KeepCursorOrigin(s->originX, s->cursorX, s->cellsWide, oldW);
  s->originY = KeepCursorOrigin(s->originY, s->cursorY, s->cellsHigh, oldH);
  if (!magnifies) {
    s->originX = ClampOrigin(s->originX, s->cellsWide);
    s->originY = ClampOrigin(s->originY, s->cellsHigh);
    s->fineX = s->fineY = 0;
  }
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
  ScrollCursorIntoView(slot);
  RepaintWholeWindow(slot);
  PublishOverlaySnapshot(slot);
  return VIEWZ_OK;
}

int ZoomIn(int slot) { return SetViewModeAndZoom(slot, VIEW_REQ_ZOOM_IN, 0); }
int ZoomOut(int slot) { return SetViewModeAndZoom(slot, VIEW_REQ_ZOOM_OUT, 0); }

// ---- suspension, frame rate, activation, tiling -----------------------------------------------------------
void SuspendThreads(int resume) {
  if (!resume) {
    if (Entry.animationThread) WrapSuspendThread(Entry.animationThread);
    if (Entry.elementTimerThread) WrapSuspendThread(Entry.elementTimerThread);
    for (int i = 0; i < EDIT_SLOTS; i++)
      if (EditViews.slot[i].timerThread) WrapSuspendThread(EditViews.slot[i].timerThread);
    LockAllRenderLocks();
  } else {
    UnlockAllRenderLocks();
    for (int i = 0; i < EDIT_SLOTS; i++)
      if (EditViews.slot[i].timerThread) WrapResumeThread(EditViews.slot[i].timerThread);
    if (Entry.animationThread) WrapResumeThread(Entry.animationThread);
    if (Entry.elementTimerThread) WrapResumeThread(Entry.elementTimerThread);
  }
}

int SetFrameRate(int n) {
  int rate = FrameRateAfter(EditViews.frameRate < 1 ? 25 : EditViews.frameRate, n);
  EditViews.frameRate = rate;
  EditViews.frameInterval = 1000 / rate;
  // The frame-rate pane is redrawn with the status panes of the views.
  return rate;
}

void ActivateEditWindow(int n) {
  int present[EDIT_SLOTS];
  for (int i = 0; i < EDIT_SLOTS; i++) present[i] = EditViews.slot[i].window != nullptr;
  int target = ActivationTarget(n, EditViews.active, EditViews.lastUsed, present);
  if (target == -99) return;
  if (target == -1) {
    if (Entry.mainWindow) SetActiveWindow((HWND)Entry.mainWindow);
    return;
  }
  SetActiveWindow((HWND)EditViews.slot[target].window);
}

void ArrangeStatusWindow(int keepPosition, int show) {
  HWND main = (HWND)Entry.mainWindow;
  if (!main) return;
  int32_t wl, wt, ww, wh;
  GetWorkArea(&wl, &wt, &ww, &wh);
  if (show) ShowWindow(main, SW_SHOWNORMAL);
  RECT r;
  GetWindowRect(main, &r);
  int32_t mainH = r.bottom - r.top;
  int32_t y = keepPosition ? r.top : wt;
  int32_t x, width;
  StatusWindowPlacement(wl, ww, (int)EditViews.statusLayoutWide, &x, &width);
  MoveWindow(main, x, y, width, mainH, show ? TRUE : FALSE);
  MoveScrollBarsToPanes();
  RegisterTooltipRects();
  if (keepPosition) return;
  int n = CountEditWindows();
  LayoutRect rects[EDIT_SLOTS];
  if (!TileRects(n, wl, wt + mainH, ww, wh - mainH, rects)) return;
  int k = 0;
  for (int i = 0; i < EDIT_SLOTS && k < n; i++) {
    HWND w = (HWND)EditViews.slot[i].window;
    if (!w) continue;
    ShowWindow(w, SW_RESTORE);
    MoveWindow(w, rects[k].left, rects[k].top, rects[k].width, rects[k].height, TRUE);
    k++;
  }
}

void ToggleWindowDisplayFlag() {
  EditViewSlot* s = GetEditSlot(EditViews.active);
  if (!s || !s->window) return;
  s->displayFlag = !s->displayFlag;
  InvalidateRect((HWND)s->window, nullptr, FALSE);
}

void ShowExitMessage() {
  char16_t text[600];
  uint32_t seconds = (WrapGetTickCount() - RunStartTick) / 1000;
  ComposeExitMessage(text, 600, seconds, GetLangText(LANG_FMT(1360, "%u%02u%02u")),
                     GetLangText(LANG_ID(1361)));
  WrapMessageBox(nullptr, text, GetLangText(LANG_ID(1362)), MB_TASKMODAL | WRAP_MB_ICONINFORMATION);
}

// ---- the window procedure ------------------------------------------------------------------------------
// A scroll-bar action of an edit window: lines scroll one step, pages move the view, the thumb
// and the ends move the cursor along that axis.
static void ScrollBarAction(int slot, int vertical, int code, int position) {
  const EditViewSlot* s = GetEditSlot(slot);
  if (!s) return;
  int target = -1;
  switch (code) {
    case SB_LINEUP: vertical ? ScrollViewUp(slot) : ScrollViewLeft(slot); return;
    case SB_LINEDOWN: vertical ? ScrollViewDown(slot) : ScrollViewRight(slot); return;
    case SB_PAGEUP: vertical ? MoveViewUp(slot, 0) : MoveViewLeft(slot, 0); return;
    case SB_PAGEDOWN: vertical ? MoveViewDown(slot, 0) : ScrollViewPage(slot, 0); return;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: target = position; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = 32767; break;
    default: return;
  }
  if (vertical)
    ScrollCellIntoView(slot, s->cursorX, target, s->cursorLevel);
  else
    ScrollCellIntoView(slot, target, s->cursorY, s->cursorLevel);
}

static void StoreNormalRect(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  if (!s || !s->window) return;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  if (!GetWindowPlacement((HWND)s->window, &wp)) return;
  s->savedRect[0] = wp.rcNormalPosition.left;
  s->savedRect[1] = wp.rcNormalPosition.top;
  s->savedRect[2] = wp.rcNormalPosition.right;
  s->savedRect[3] = wp.rcNormalPosition.bottom;
}

LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  int slot = FindEditWindow(window);
  EditViewSlot* s = GetEditSlot(slot);
  switch (message) {
    case WM_CREATE: {
      int r = RegisterEditWindow(window);
      if (r < 0) return -1;
      EditViews.slot[r].windowDC = GetDC(window);
      SetFocus(window);
      SetScrollRange(window, SB_HORZ, 0, 32767, FALSE);
      SetScrollRange(window, SB_VERT, 0, 32767, FALSE);
      return 0;
    }
    case WM_DESTROY:
      if (s) DestroyEditSlot(slot);
      return 0;
    case WM_MOVE: StoreNormalRect(slot); return 0;
    case WM_SIZE:
      if (!s) return 0;
      s->showState = wParam == SIZE_MINIMIZED ? 2 : wParam == SIZE_MAXIMIZED ? 3 : 1;
      if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
        ResizeEditWindow(slot, LOWORD(lParam), HIWORD(lParam));
      StoreNormalRect(slot);
      return 0;
    case WM_ACTIVATE:
      if (s && LOWORD(wParam) != WA_INACTIVE) {
        s->dirty = 1;
        if (EditViews.lastUsed == EditViews.active || EditViews.active < 0)
          EditViews.active = slot;
        else {
          EditViews.lastUsed = EditViews.active;
          EditViews.active = slot;
        }
        SetFocus(window);
        DrawCursorPosition(nullptr);
      }
      return 0;
    case WM_PAINT:
      // The views paint the invalid cells into the drawing buffer; the next frame shows them.
      if (s && GetUpdateRect(window, nullptr, FALSE)) PaintEditWindow(slot);
      ValidateRect(window, nullptr);
      if (s) s->dirty = 1;
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CLOSE:
      if (CountEditWindows() > 1)
        DestroyWindow(window);
      else if (Entry.mainWindow)
        FrameSend((HWND)Entry.mainWindow, WM_CLOSE, 0, 0);  // the program's close path
      return 0;
    case WM_GETMINMAXINFO: {
      MINMAXINFO* mm = (MINMAXINFO*)lParam;
      RECT big = {0, 0, 2047, 2047}, small = {0, 0, 128, 64};
      DWORD style = (DWORD)WrapGetWindowLong(window, GWL_STYLE);
      AdjustWindowRect(&big, style, TRUE);
      AdjustWindowRect(&small, style, TRUE);
      mm->ptMaxTrackSize.x = big.right - big.left;
      mm->ptMaxTrackSize.y = big.bottom - big.top;
      mm->ptMinTrackSize.x = small.right - small.left;
      mm->ptMinTrackSize.y = small.bottom - small.top;
      return 0;
    }
    case WM_SETCURSOR:
      if (FrameSetCursor(window, lParam)) return 1;
      break;
    case WM_MOUSEACTIVATE: return FrameMouseActivate();
    case WM_COMMAND: DispatchCommand(LOWORD(wParam), lParam, 0); return 0;
    case WM_INITMENU: UpdateMenuState(window); return 0;
    case WM_CONTEXTMENU: ShowEditContextMenu(window, lParam); return 0;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lParam)) SetMenuOpen(MenuHelpId(window, (HMENU)wParam));
      return 0;
    case WM_MENUSELECT:
      if (HIWORD(wParam) == 0xFFFF && !lParam) SetMenuOpen(0);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (s && slot == EditViews.active && s->showState != 2)
        ScrollBarAction(slot, message == WM_VSCROLL, LOWORD(wParam), (int)(short)HIWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      if (s && slot == EditViews.active && s->showState != 2 && !IsDialogOpen()) {
        int forward = (short)HIWORD(wParam) > 0;
        if (LOWORD(wParam) & MK_CONTROL)
          forward ? ScrollViewRight(slot) : ScrollViewLeft(slot);
        else
          forward ? ScrollViewUp(slot) : ScrollViewDown(slot);
      }
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
      if (HandleKeyMessage(message, wParam, lParam, 1)) return 0;
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      // Nothing while the right button scrolls at an edge; else the cursor of the place and the
      // mouse dispatch.
      if (HandleEditMouseMessage(window, message, wParam, lParam)) return 0;
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
      if (GetMouseOptions()) {
        uint32_t state = EdgeScrollFromHitTest((int)wParam);
        if (state) {
          EdgeScrollState = state;
          SetCapture(window);
          return 0;
        }
      }
      break;
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
      if (EdgeScrollState) {
        EdgeScrollState = 0;
        ReleaseCapture();
        return 0;
      }
      if (message == WM_RBUTTONUP)
        DispatchMouse(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0, 0,
                      (uint32_t)wParam & (MK_LBUTTON | MK_CONTROL));
      break;
  }
  return FrameDefault(window, message, wParam, lParam);
}
