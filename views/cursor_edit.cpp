// Editing at the cursor of the active edit window: placing a palette slot's symbol with the
// refusals, overwrite questions, element editors and deletions in their fixed order, and the
// cell primitives (write, clear, redraw with the surroundings) that the block operations use too.
// The element kinds are reached through the element family table.
#include "app/cursor.h"
#include "app/editwnd.h"
#include "app/position_dialogs.h"
#include "core/misc.h"
#include "core/langtext.h"
#include "core/msgbox.h"
#include "core/sound.h"
#include "elements/element_families.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/view_services.h"

int EditIgnoreButtonUp = 0;

// ---- element kinds as placing sees them --------------------------------------------------------
// The kinds in the order of the overwrite questions, each with its question and the family that
// holds its classifier, editor and delete operation.
struct PlaceKind {
  const char16_t* tag;  // the family's copy-text tag
  uint32_t question;    // message number of the overwrite question
  uint32_t questionText;
};
static const PlaceKind QuestionKinds[] = {
    {u"SIGELEM", 528, LANG_ID(2303)}, {u"TP", 521, LANG_ID(2304)},    {u"DWX", 522, LANG_ID(2305)},
    {u"WEI", 523, LANG_ID(2306)},     {u"RP", 524, LANG_ID(2307)},    {u"HST", 525, LANG_ID(2308)},
    {u"LFST", 526, LANG_ID(2309)},    {u"PRELL", 527, LANG_ID(2310)},
};
// Editors run for the new symbol's kind before anything is deleted: the editor's result that
// declines the placement.
struct PlaceEditor {
  const char16_t* tag;
  int declines;
};
static const PlaceEditor NewKindEditors[] = {
    {u"HST", 0}, {u"LFST", 0}, {u"TP", 1}, {u"DWX", 1}, {u"PRELL", 0}, {u"SIGELEM", 1},
};
// Deletion of the old element's records where the new symbol is of another kind.
static const char16_t* const DeleteOrder[] = {u"PRELL", u"HST", u"LFST", u"TP",
                                              u"DWX",   u"WEI", u"RP",   u"SIGELEM"};

static const ElementFamily* Family(const char16_t* tag) { return FindElementFamilyByTag(tag); }

static int IsCodeOfKind(const char16_t* tag, uint32_t code) {
  const ElementFamily* f = Family(tag);
  return f && f->classify && f->classify(code, nullptr) ? 1 : 0;
}

static int HasMark(uint32_t code) { return code <= CELL_TRACK_LAST && (code & CELL_MARK_BIT); }

// ---- cell primitives ----------------------------------------------------------------------------
void RedrawCellArea(int x, int y, int level) {
  DrawCell(x, y, level, DRAWCELL_ALL_VIEWS);
  // symbols reach up to five rows above their cell; the neighbours may overlap this one
  for (int d = 1; d <= 5; d++)
    if (y - d >= 0) DrawCell(x, y - d, level, 1);
  if (y + 1 <= GRID_MAX_XY) DrawCell(x, y + 1, level, 1);
  for (int side = -1; side <= 1; side += 2) {
    int nx = x + side;
    if (nx < 0 || nx > GRID_MAX_XY) continue;
    for (int d = 0; d <= 5; d++)
      if (y - d >= 0) DrawCell(nx, y - d, level, 1);
  }
}

int SetCellSymbolAt(int x, int y, int level, int redraw, uint32_t code) {
  if (code == CELL_EMPTY) return 1;
  if (!SetCell(x, y, level, code)) return 0;
  if (redraw) RedrawCellArea(x, y, level);
  SetNetModified();
  UpdateUsedArea(GRID_AREA_WIDEN, x, y, level);
  return 1;
}

void ClearCellAt(int x, int y, int level, int redraw) {
  if (IsGridEmpty()) return;
  int x0, y0, l0, x1, y1, l1;
  int known = GetUsedArea(&x0, &y0, &l0, &x1, &y1, &l1, 0) == 0;
  RemoveAnimationAt(x, y, level);
  ClearCell(x, y, level);
  int inside = known && x > x0 && x < x1 && y > y0 && y < y1 && level > l0 && level < l1;
  if (!inside) {
    SetCursorMode(42);
    UpdateUsedArea(0, 0, 0, 0);
    SetCursorMode(43);
  }
  if (redraw) RedrawCellArea(x, y, level);
  SetNetModified();
}

// ---- placing a symbol -----------------------------------------------------------------------------
static int ActiveCursor(int* x, int* y, int* level) {
  const EditViewSlot* s = GetEditSlot(EditViews.active);
  if (!s || !s->window) return 0;
  *x = s->cursorX;
  *y = s->cursorY;
  *level = s->cursorLevel;
  return GridPositionValid(*x, *y, *level);
}

int PlaceSymbolAt(int x, int y, int level, uint32_t code, int advance) {
  uint32_t cell = GetCell(x, y, level);
  int underTrain = IsTrainCellCode(cell);
  // 1. a train's cell only with the train-cell option; then the code under the train is edited
  if (underTrain && !PlaceOverTrainSwitch) {
    PlayStartSound();
    return PLACE_REFUSED;
  }
  uint32_t old = underTrain ? GetTrainCellCode(x, y, level, (uint16_t)cell) : cell;
  uint32_t neu = code;
  // 2. a reserved cell
  if (HasMark(old)) {
    ShowErrorText(502, LANG_ID(2100));
    return PLACE_REFUSED;
  }
  // 3. a depot's cell keeps a depot symbol
  if (IsSymbolClassA(old) && FindDepotAt(x, y, level, nullptr)) {
    if (!IsSymbolClassA(neu)) {
      ShowErrorText(501, LANG_ID(2107));
      return PLACE_REFUSED;
    }
    const ElementFamily* depot = Family(u"DEP");
    if (depot && depot->edit && depot->edit(x, y, level, neu) == 0) return PLACE_DECLINED;
  }
  // 4. the overwrite questions
  if (SetOverwriteWarning(0) == 1) {
    for (const PlaceKind& k : QuestionKinds)
      if (IsCodeOfKind(k.tag, old) && !IsCodeOfKind(k.tag, neu) &&
          AskQuestion(k.question, GetLangText(k.questionText)) != MSG_RESULT_YES)
        return PLACE_DECLINED;
  }
  // The cell's block must exist before any editor may create records there, and before anything
  // is deleted; a block made for a placement that does not happen goes again.
  int slot = GridSlotOf(x, y), madeBlock = 0;
  if (neu != CELL_EMPTY && !underTrain) {
    int r = AllocGridBlock(slot, level);
    if (r == GRIDBLK_NO_MEMORY || r == GRIDBLK_RANGE) {
      ShowErrorText(509, LANG_ID(2106));
      return PLACE_REFUSED;
    }
    madeBlock = r == GRIDBLK_OK;
  }
  auto decline = [&](int result) {
    if (madeBlock) FreeGridBlockIfEmpty(slot, level);
    return result;
  };
  // 5. the editor of the new symbol's kind
  for (const PlaceEditor& e : NewKindEditors) {
    const ElementFamily* f = Family(e.tag);
    if (!f || !f->edit || !f->classify || !f->classify(neu, nullptr)) continue;
    if (f->edit(x, y, level, neu) == e.declines) return decline(PLACE_DECLINED);
  }
  // 6. a switch: its editor decides whether the cell gets control records
  const ElementFamily* sw = Family(u"WEI");
  int32_t switchClass = sw && sw->classify ? sw->classify(neu, nullptr) : 0;
  if (switchClass && sw->edit) {
    int r = sw->edit(x, y, level, neu);
    if (switchClass >= 3) {
      if (r == 0) return decline(PLACE_DECLINED);
      if (r == 1) r = 0;
    }
    if (r == 1) return decline(PLACE_DECLINED);
    if (r == 0) neu = CELL_EMPTY;
  }
  // 7. a route point
  const ElementFamily* rp = Family(u"RP");
  if (rp && rp->edit && rp->classify && rp->classify(neu, nullptr) &&
      rp->edit(x, y, level, neu) == 1)
    return decline(PLACE_DECLINED);
  // 8. the old element's records go where the kind changes
  for (const char16_t* tag : DeleteOrder) {
    const ElementFamily* f = Family(tag);
    if (f && f->deleteAt && IsCodeOfKind(tag, old) && !IsCodeOfKind(tag, neu))
      f->deleteAt(x, y, level);
  }
  // 9. a level change loses its partner below
  if (GetSymbolClassB(old) && !GetSymbolClassB(neu) && level >= -3 &&
      IsSymbolClassC(GetCell(x, y, level - 1)))
    ClearCellAt(x, y, level - 1, 0);
  // 10.
  RemoveAnimationAt(x, y, level);
  // 11. write the new code
  if (neu != CELL_EMPTY) {
    if (underTrain) {
      if (neu != old) {
        SetTrainCellCode(x, y, level, (uint16_t)cell, (uint16_t)neu);
        SetNetModified();
      }
    } else if (neu != old && !SetCellSymbolAt(x, y, level, 1, neu)) {
      ShowErrorText(509, LANG_ID(2106));
      return decline(PLACE_REFUSED);
    }
    if (GetSymbolClassB(neu) && level >= -3) {
      uint32_t below = GetCell(x, y, level - 1);
      uint32_t partner = MapToSymbolClassC(neu);
      if ((below == CELL_EMPTY || IsSymbolClassC(below)) && partner != CELL_EMPTY &&
          SetCell(x, y, level - 1, partner))
        UpdateUsedArea(GRID_AREA_WIDEN, x, y, level - 1);
    }
    StartAnimationAt(x, y, level, neu);
  } else {
    if (old != CELL_EMPTY) {
      if (underTrain) {
        SetTrainCellCode(x, y, level, (uint16_t)cell, CELL_EMPTY);
        SetNetModified();
      } else {
        ClearCellAt(x, y, level, 1);
      }
    }
    neu = old;
  }
  if (madeBlock) FreeGridBlockIfEmpty(slot, level);
  // 12.
  if (IsCodeOfKind(u"SIGELEM", neu))
    RefreshSignalElementAspectAt(x, y, level);
  else
    RedrawCellArea(x, y, level);
  // 13.
  if (advance) {
    int w = EditViews.active;
    uint32_t d = GetPlacementAdvance(neu);
    if (d & 1)
      ScrollViewRight(w);
    else if (d & 2)
      ScrollViewLeft(w);
    if (d & 4)
      ScrollViewDown(w);
    else if (d & 8)
      ScrollViewUp(w);
  }
  return PLACE_DONE;
}

void PlaceSymbolAtCursor(int key, int advance) {
  if (key > '9') {
    HandlePaletteCommand((int)CharToUpper((char16_t)key));
    return;
  }
  if (key < '0') return;
  int x, y, level;
  if (!ActiveCursor(&x, &y, &level)) return;
  uint32_t codes[10];
  GetSlotCodes(codes);
  PlaceSymbolAt(x, y, level, codes[key - '0'], advance);
}

void PlaceCurrentSlotSymbol() {
  EditIgnoreButtonUp = 1;
  PlaceSymbolAtCursor('0' + GetPaletteSlot(), 0);
}

// ---- editing the element at the cursor ----------------------------------------------------------
// The editors a double click or Enter opens, in the order in which the kinds are tried.
static const char16_t* const EditOrder[] = {u"WEI",     u"RP",  u"TP",  u"DWX",
                                            u"SIGELEM", u"HST", u"DEP", u"LFST"};
static const char16_t* const EditOrderLast[] = {u"PRELL"};  // after the user and class-B symbols

void EditElementAtCursor(int flags) {
  int x, y, level;
  if (!ActiveCursor(&x, &y, &level)) return;
  uint32_t code = GetCell(x, y, level);
  int marked = 0;
  // 1. a reserved cell: the mark is not part of the symbol
  if (!(flags & 4) && HasMark(code)) {
    code &= ~(uint32_t)CELL_MARK_BIT;
    if (flags & 1) {
      ShowReservationInfo(x, y, level, code);
      return;
    }
    marked = 1;
  }
  // 2. a train's cell: the train's own dialog, or the symbol under the train
  if (IsTrainCellCode(code)) {
    if (flags & 1) {
      EditTrainAtCell(x, y, level);
      return;
    }
    code = GetTrainCellCode(x, y, level, (uint16_t)code);
  }
  // 3. a log point at the cell: its settings first, when the user wants them
  if ((flags == 1 || flags == 5) && GetLogPointAt(x, y, level, nullptr, nullptr)) {
    int answer = ShowMessageDialog(GetLangText(LANG_ID(2324)), GetLangText(LANG_ID(8020)), 531,
                                   MSG_STYLE_QUESTION);
    if (answer == MSG_RESULT_YES) EditElementSettings(x, y, level);
    if (answer != MSG_RESULT_NO) return;
  }
  if (flags & 4) return;
  // 4. the editor of the first kind the code belongs to
  int done = 0;
  for (const char16_t* tag : EditOrder) {
    const ElementFamily* f = Family(tag);
    if (!f || !f->classify || !f->classify(code, nullptr)) continue;
    if (tag[0] == u'W' && marked) {
      ShowErrorText(534, LANG_ID(2111));
      return;
    }
    if (f->edit) f->edit(x, y, level, code);
    done = 1;
    break;
  }
  if (!done) {
    if (code >= CELL_USER_FIRST && code <= CELL_USER_LAST)
      ShowUserSymbolInfo(x, y, level);
    else if (GetSymbolClassB(code))
      EditClassBVariant(x, y, level);
    else if (IsCodeOfKind(EditOrderLast[0], code)) {
      const ElementFamily* f = Family(EditOrderLast[0]);
      if (f->edit) f->edit(x, y, level, code);
    } else {
      ShowCellInfo(x, y, level);
    }
  }
  RedrawCellArea(x, y, level);
}
