// Key dispatch: the prefixes Ctrl+K and Ctrl+Q, then one modifier branch (Ctrl, Shift, Alt or
// none). Virtual-key codes and upper-cased characters share one code space.
#include "app/commands.h"
#include "../resources/menus.h"
#include "app/editwnd.h"
#include "app/help.h"
#include "app/input.h"
#include "app/tick.h"
#include "core/langtext.h"
#include "core/sound.h"
#include "elements/element_services.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

uint32_t CtrlKPrefix = 0, CtrlQPrefix = 0;
void (*FrameActivateWindow)(int n) = nullptr;
int (*FrameSetFrameRate)(int n) = nullptr;

static int Upper(int c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

int LetterPosition(const char16_t* letters, int key) {
  // The key is a key code or an upper-cased character already (97..122 are keypad and function
  // keys); only the letters of the text are upper-cased.
  if (!letters || key == '-') return -1;
  for (int p = 0; letters[p]; p++)
    if (letters[p] != u'-' && Upper(letters[p]) == key) return p;
  return -1;
}

static void FrameCommand(int id) {
  if (FrameWindowCommand) FrameWindowCommand(id);
}

// The cursor of the active window; 0 when there is none.
static EditViewSlot* ActiveSlot() {
  EditViewSlot* s = GetEditSlot(EditViews.active);
  return (s && s->window) ? s : nullptr;
}

static void ActivateLastUsedWhenNone() {
  if (!ActiveSlot() && FrameActivateWindow) FrameActivateWindow(-4);
}

// Ctrl+K: returns 1 when the key was used; else it beeps and the key goes on.
static int ConsumeCtrlK(int key, EditViewSlot* s, int a) {
  if (key >= '0' && key <= '9') {
    SetSavedPosition(key - '0', s->cursorX, s->cursorY, s->cursorLevel, u"", 0);
    return 1;
  }
  int x1, y1, l1, x2, y2, l2;
  switch (Upper(key)) {
    case 'B':
      GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
      SetMarkedBlock(s->cursorX, s->cursorY, s->cursorLevel, x2, y2, l2, 1);
      return 1;
    case 'K':
      GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
      SetMarkedBlock(x1, y1, l1, s->cursorX, s->cursorY, s->cursorLevel, 1);
      return 1;
    case 'H': SetBlockMarkMode(2); return 1;
    case 'V': MoveBlockCommand(SetBlockMarkMode(3) == 1 ? 1 : 0); return 1;
    case 'C':
      if (SetBlockMarkMode(3) == 1) CopyBlockToClipboardCommand();
      return 1;
  }
  (void)a;
  PlayStartSound();
  return 0;
}

static int ConsumeCtrlQ(int key, int a) {
  int x, y, level, x2, y2, l2;
  if (key >= '0' && key <= '9') {
    if (GetSavedPosition(key - '0', &x, &y, &level, nullptr, nullptr) == 0)
      ScrollCellIntoView(a, x, y, level);
    return 1;
  }
  switch (Upper(key)) {
    case 'F': return 1;  // the text search joins with the text elements
    case 'B':
      GetMarkedBlock(&x, &y, &level, &x2, &y2, &l2);
      ScrollCellIntoView(a, x, y, level);
      return 1;
    case 'K':
      GetMarkedBlock(&x2, &y2, &l2, &x, &y, &level);
      ScrollCellIntoView(a, x, y, level);
      return 1;
  }
  PlayStartSound();
  return 0;
}

static void CtrlLetter(int position, EditViewSlot* s) {
  switch (position) {
    case 0:
      AnimationSwitch = !AnimationSwitch;
      InvalidateViews(4);
      break;
    case 3:
      OverlayPauseSwitch = !OverlayPauseSwitch;
      if (!OverlayPauseSwitch) InvalidateViews(2);
      break;
    case 4: SetReverseAdvance(!GetReverseAdvance()); break;
    case 7: SetBlockMarkMode(2); break;
    case 8:
      if (s) FrameCommand(CMD_DISPLAY_SWITCH_ON);
      break;
    case 10:
      OverlayTextLabelsOn = !OverlayTextLabelsOn;
      InvalidateViews(4);
      break;
    case 15:
      if (SetBlockMarkMode(3) == 1) CopyBlockToClipboardCommand();
      break;
    case 16: PasteBlockCommand(0); break;
    case 17:
      if (SetBlockMarkMode(3) == 1) CutBlockCommand();
      break;
      // 1, 2, 9, 11, 14 (display switches), 5, 6 (settings at the cursor) and 12, 13 (text
      // search) join with the components that own them.
  }
}

// Ctrl or Alt with an arrow key: the view moves by a page (byGrid 0) or by the major grid
// spacing (byGrid 1).
static void PageMove(int key, int a, int byGrid) {
  if (key == 37) MoveViewLeft(a, byGrid);
  if (key == 38) MoveViewUp(a, byGrid);
  if (key == 39) ScrollViewPage(a, byGrid);
  if (key == 40) MoveViewDown(a, byGrid);
}

static int CtrlKey(int key, EditViewSlot* s, int a) {
  switch (key) {
    case 37:
    case 38:
    case 39:
    case 40:
      if (s) PageMove(key, a, 0);
      return 1;
    case 33:
    case 34:
      if (s) key == 33 ? LevelUp(a) : LevelDown(a);
      return 1;
    case 8:
      if (s) GoForwardInHistory();
      return 1;
    case 13:
      if (s) EditElementAtCursor(2);
      return 1;
    case 'K':
    case 'Q':
      if (s) (key == 'K' ? CtrlKPrefix : CtrlQPrefix) = 1;
      return 1;
    case 115: return 1;  // operating the signal at the cursor joins with the signals
    case 118: HandlePaletteCommand(306); return 1;
    case 119: HandlePaletteCommand(307); return 1;
    case 120: HandlePaletteCommand(302); return 1;
    case 123:
      if (s) StepCellTrackKind(s->cursorX, s->cursorY, s->cursorLevel, -1);
      return 1;
  }
  int p = LetterPosition(GetLangText(LANG_ID(921)), key);
  if (p < 0) return 0;
  if ((p == 5 || p == 6) && !s) return 1;
  CtrlLetter(p, s);
  return 1;
}

static int ShiftKey(int key, EditViewSlot* s, int a) {
  (void)a;
  switch (key) {
    case 112: ShowHelpTopic(1); return 1;
    case 115: return 1;  // the signal at the cursor
    case 120: HandlePaletteCommand(303); return 1;
    case 123: PasteBlockCommand(1); return 1;
    case 107:
    case 109:
      if (FrameSetFrameRate) FrameSetFrameRate(key == 107 ? -4 : -3);
      return 1;
  }
  if (key >= 65) {
    if (s) PlaceSymbolAtCursor(Upper(key), 1);
    return 1;
  }
  return 0;
}

static int AltKey(int key, EditViewSlot* s, int a) {
  switch (key) {
    case 37:
    case 38:
    case 39:
    case 40:
      if (s) PageMove(key, a, 1);
      return 1;
    case 120: HandlePaletteCommand(304); return 1;
    case 123:
      if (s) CopyCellToClipboard(s->cursorX, s->cursorY, s->cursorLevel);
      return 1;
  }
  switch (LetterPosition(GetLangText(LANG_ID(920)), key)) {
    case 0:
      ActivateLastUsedWhenNone();
      ShowEventDisplay();
      return 1;
    case 1: SetSimulationRunning(SIMRUN_TOGGLE); return 1;
    case 2:
    case 3: return 1;  // the next info text and log point join with their lists
  }
  return 0;
}

static int PlainKey(int key, EditViewSlot* s, int a) {
  switch (key) {
    case 8:
      if (s) GoBackInHistory();
      return 1;
    case 13:
      if (s) EditElementAtCursor(1);
      return 1;
    case 32: return 1;  // the text element at the cursor
    case 33:
    case 34:
    case 35:
    case 46:
      if (s) {
        if (key == 33) MoveViewUp(a, 0);
        if (key == 34) MoveViewDown(a, 0);
        if (key == 35) ScrollViewPage(a, 0);
        if (key == 46) MoveViewLeft(a, 0);
      }
      return 1;
    case 36:
      if (s) CentreViewOnCursor(a);
      return 1;
    case 37:
    case 38:
    case 39:
    case 40:
      if (s) {
        if (key == 37) ScrollViewLeft(a);
        if (key == 38) ScrollViewUp(a);
        if (key == 39) ScrollViewRight(a);
        if (key == 40) ScrollViewDown(a);
      }
      return 1;
    case 42:
    case 47:
      if (s) FrameCommand(key == 42 ? CMD_ZOOM_IN : CMD_ZOOM_OUT);
      return 1;
    case 43:
    case 61: SetClockSpeed(-1); return 1;
    case 45: SetClockSpeed(-2); return 1;
    case 106:
    case 107:
    case 109:
    case 111: return 0;  // they arrive again as characters
    case 112:
      if (!s)
        ShowHelpTopic(44000);
      else
        ShowHelpTopic(s->viewMode == VIEW_OVERVIEW  ? 44003
                      : s->viewMode == VIEW_DIAGRAM ? 44002
                                                    : 44001);
      return 1;
    case 115: return 1;  // the signal at the cursor
    case 118: StepPaletteSymbol(1); return 1;
    case 119: StepPaletteSymbol(-1); return 1;
    case 120: HandlePaletteCommand(301); return 1;
    case 121: HandlePaletteCommand(305); return 1;
    case 122:
      if (IsLogFileOpen())
        CloseLogFile();
      else
        OpenLogFile();
      return 1;
    case 123:
      if (s) StepCellTrackKind(s->cursorX, s->cursorY, s->cursorLevel, 1);
      return 1;
  }
  if (key >= 96 && key <= 105) key -= 96 - '0';
  if ((key >= '0' && key <= '9') || key >= 65) {
    if (s) PlaceSymbolAtCursor(key, 1);
    return 1;
  }
  return 0;
}

int HandleKey(int key, int flags, int fromEdit) {
  // A simulation step waiting in a modal question still holds its train: no key edits meanwhile.
  if (IsSimulationStepActive()) return 0;
  int a = EditViews.active;
  EditViewSlot* s = ActiveSlot();
  if (fromEdit ? !s : IsEditSlot(a)) return 0;
  if (!fromEdit) s = nullptr;  // edit-only rows do nothing from the status window
  if (s) s->dirty = 1;

  if (s && a == EditViews.followed) {
    int mode = GetFollowMode();
    if (mode == 1) {
      static const int kKeep[] = {'+', '-', '=', '*', '/', 107, 109,
                                  106, 111, 187, 189, 16,  17,  18};
      int keep = 0;
      for (int k : kKeep) keep |= key == k;
      if (!keep) SetFollowMode(2);
    } else if (mode == 2 && key == 27) {
      SetFollowMode(1);
    }
  }

  int handled = -1;
  if (s && CtrlKPrefix) {
    CtrlKPrefix = 0;
    if (ConsumeCtrlK(key, s, a)) handled = 1;
  }
  if (handled < 0 && s && CtrlQPrefix) {
    CtrlQPrefix = 0;
    if (ConsumeCtrlQ(key, a)) handled = 1;
  }
  if (handled < 0) {
    if (flags & KEYMOD_CTRL)
      handled = CtrlKey(key, s, a);
    else if (flags & KEYMOD_SHIFT)
      handled = ShiftKey(key, s, a);
    else if (flags & KEYMOD_ALT)
      handled = AltKey(key, s, a);
    else
      handled = PlainKey(key, s, a);
  }
  DispatchEpilogue();
  return handled;
}
