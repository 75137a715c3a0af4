// The dialogs of a cell without an element editor of its own, opened by a double click or Enter:
// the reservation of a marked cell, a user symbol's information, the variants of level-change
// (class-B), track and empty cells, and the plain cell information. Each dialog except the
// reservation message has an info-text button (result 103) that edits the cell's info text.
#include "views/cell_dialogs.h"
#include "app/dialog_ctl.h"
#include "app/position_dialogs.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "elements/element_services.h"
#include "graphics/userfiles.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/view_services.h"

uint32_t UserSymbolDialogCode = CELL_EMPTY;

namespace {

// A text put together from pieces, cut at its capacity.
struct Text {
  char16_t t[600];
  int n = 0;
  Text() { t[0] = 0; }
  Text& Put(const char16_t* s) {
    for (; s && *s && n < (int)(sizeof t / sizeof t[0]) - 1; s++) t[n++] = *s;
    t[n] = 0;
    return *this;
  }
  Text& Lang(uint32_t id) { return Put(GetLangText(id)); }
  Text& Unsigned(uint32_t v) {
    char16_t d[12];
    d[FormatUnsignedDigits(d, v, 1)] = 0;
    return Put(d);
  }
  Text& Hex4(uint32_t v) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    char16_t d[7] = {u'0', u'x', 0, 0, 0, 0, 0};
    for (int i = 0; i < 4; i++) d[2 + i] = digits[(v >> (12 - 4 * i)) & 15];
    return Put(d);
  }
};

// The code a dialog works on: the symbol under a train, without the reservation mark.
struct CellSymbol {
  uint32_t cell;  // the grid's code
  uint32_t code;  // the symbol
  int underTrain;
};

CellSymbol ReadCellSymbol(int x, int y, int level) {
  CellSymbol c;
  c.cell = GetCell(x, y, level);
  c.underTrain = IsTrainCellCode(c.cell);
  c.code = c.underTrain ? GetTrainCellCode(x, y, level, (uint16_t)c.cell) : c.cell;
  if (c.code <= CELL_TRACK_LAST) c.code &= ~(uint32_t)CELL_MARK_BIT;
  return c;
}

// Writes a changed symbol back: under a train into the train's record, otherwise into the grid
// with the cell's reservation mark kept.
void WriteCellSymbol(int x, int y, int level, const CellSymbol& c, uint32_t code) {
  if (c.underTrain) {
    SetTrainCellCode(x, y, level, (uint16_t)c.cell, (uint16_t)code);
  } else {
    uint32_t mark = c.cell <= CELL_TRACK_LAST ? (c.cell & CELL_MARK_BIT) : 0;
    SetCell(x, y, level, code <= CELL_TRACK_LAST ? (code | mark) : code);
  }
  SetNetModified();
}

// The info-text button: its label tells whether the cell has a text.
DialogRecord InfoButton(int x, int y, int level) {
  return DlgText(CELLDLG_INFO_BUTTON, GetInfoTextSize(x, y, level) >= 1 ? 2200 : 2201);
}

int Choose(uint32_t templateId, DialogRecord* d) {
  return RunDialog(nullptr, templateId, DlgF_Einfach, d);
}

// A dialog of cell choices through the picture bar; the current code is shown first. Returns the
// dialog's result and the chosen code.
int RunChoiceDialog(uint32_t templateId, DialogRecord title, uint16_t text, int x, int y, int level,
                    const uint32_t* choices, int count, uint32_t current, uint32_t* chosen) {
  uint32_t entries[8];
  int shown = 0;
  for (int i = 0; i < count; i++) {
    entries[i] = choices[i] & 0xFFFF;
    if (choices[i] == current) shown = i;
  }
  DialogRecord d[] = {
      title,
      DlgText(CELLDLG_TEXT, text),
      DlgCellList(CELLDLG_CHOICE_BAR, 12, 40, 32, (uint8_t)count, (uint8_t)shown, entries),
      InfoButton(x, y, level),
      DlgOk(),
      DlgCancel(),
      DlgHelp(),
      DlgEnd()};
  int r = Choose(templateId, d);
  *chosen = choices[d[2].cellList.shown < count ? d[2].cellList.shown : shown];
  return r;
}

uint32_t ParseNumber(const char16_t* s, int* ok) {
  while (*s == u' ') s++;
  uint32_t v = 0;
  int digits = 0;
  for (; *s >= u'0' && *s <= u'9'; s++, digits++)
    if (v < 100000000) v = v * 10 + (uint32_t)(*s - u'0');
  while (*s == u' ') s++;
  *ok = digits > 0 && !*s;
  return v;
}

// The file name shown for a user symbol's file: its own name, or text 2383 with the glyph file.
void UserFileName(int file, Text* out) {
  char16_t name[USER_FILE_NAME_CHARS];
  name[0] = 0;
  if (GetSymbolFileName(file + 1, name) == 0 && name[0]) {
    out->Put(name);
    return;
  }
  out->Lang(2383).Put(u" ").Put(u"quil.gzg");
}

}  // namespace

// ---- the reservation of a marked cell (dialog 4) ------------------------------------------------
void ShowReservationInfo(int x, int y, int level, uint32_t code) {
  Text title, text;
  title.Lang(8020).Put(u" ").Lang(8040).Unsigned(532);
  TrainRecord* train = FindTrainReservingCell(x, y, level);
  if (train) {
    char16_t line[64], second[64];
    GetLineName((int)train->line, line, 0);
    GetLineName((int)train->secondLine, second, 0);
    text.Lang(2325).Put(u" ").Lang(2327).Put(u" \"").Put(line).Put(u"\"/");
    text.Unsigned(train->subNumber).Put(u". ").Lang(2328).Put(u" \"").Put(second).Put(u"\"");
  } else {
    text.Lang(2325).Put(u" ").Lang(2326);
  }
  DialogRecord d[] = {DlgTitleText(title.t, 50532, DLGID_OK),
                      DlgTextPtr(CELLDLG_TEXT, text.t),
                      DlgText(CELLDLG_RELEASE, 2430),
                      DlgOk(),
                      DlgHelp(),
                      DlgEnd()};
  if (Choose(CELLDLG_RESERVATION, d) != CELLDLG_RELEASE) return;
  if (train) {
    ReleaseTrainReservation(train);
    InvalidateViews(2);
  } else {
    ClearSwitchExitMarksAt(x, y, level);
    SetCellAndRedraw(x, y, level, code & ~(uint32_t)CELL_MARK_BIT);
  }
  SetNetModified();
}

// ---- a user symbol's information (dialog 5) -------------------------------------------------------
namespace {
struct UserSymbolFields {
  DialogRecord* d;
  int filling;  // the procedure is writing the fields itself
  char16_t number[8], file[8], inFile[8];
};
UserSymbolFields UserSym;

void ShowUserSymbol(WrapWindow w, uint32_t code, uint32_t except) {
  uint32_t i = (code - CELL_USER_FIRST) / 2;
  char16_t t[12];
  UserSym.filling = 1;
  if (except != CELLDLG_NUMBER) {
    t[FormatUnsignedDigits(t, i, 1)] = 0;
    DlgCtlSetText(w, CELLDLG_NUMBER, t);
  }
  if (except != CELLDLG_FILE) {
    t[FormatUnsignedDigits(t, i / 36, 1)] = 0;
    DlgCtlSetText(w, CELLDLG_FILE, t);
  }
  if (except != CELLDLG_IN_FILE) {
    t[FormatUnsignedDigits(t, i % 36, 1)] = 0;
    DlgCtlSetText(w, CELLDLG_IN_FILE, t);
  }
  Text name;
  UserFileName((int)(i / 36), &name);
  DlgCtlSetText(w, CELLDLG_FILE_NAME, name.t);
  UserSym.filling = 0;
}

// Recomputes the chosen code after the user changed a field.
void UserSymbolFieldChanged(WrapWindow w, uint32_t id) {
  uint32_t code = UserSymbolDialogCode;
  uint32_t known = code >= CELL_USER_FIRST && code <= CELL_USER_LAST ? code : CELL_USER_FIRST;
  uint32_t i = (known - CELL_USER_FIRST) / 2, mirror = known & 1;
  int ok = 1;
  if (id == CELLDLG_MIRRORED) {
    mirror = DlgCtlIsChecked(w, CELLDLG_MIRRORED) ? 1 : 0;
  } else {
    char16_t t[16];
    DlgCtlGetText(w, id, t, 16);
    uint32_t v = ParseNumber(t, &ok);
    if (id == CELLDLG_NUMBER) ok = ok && v <= 3599, i = v;
    if (id == CELLDLG_FILE) ok = ok && v <= 99, i = v * 36 + i % 36;
    if (id == CELLDLG_IN_FILE) ok = ok && v <= 35, i = (i / 36) * 36 + v;
  }
  uint32_t next = CELL_USER_FIRST + 2 * i + mirror;
  if (!ok || next > CELL_USER_LAST) {
    UserSym.filling = 1;
    DlgCtlSetText(w, CELLDLG_FILE_NAME, GetLangText(2384));
    UserSym.filling = 0;
    UserSymbolDialogCode = CELL_EMPTY;
    return;
  }
  if (next == code) return;
  UserSymbolDialogCode = next;
  if (DialogRecord* pic = FindDescriptorItem(UserSym.d, CELLDLG_PICTURE)) {
    pic->cell.cellCode = next;
    DlgCtlRedrawPicture(w, pic);
  }
  ShowUserSymbol(w, next, id);
}
}  // namespace

intptr_t QUIL_DLGCALL DlgF_ShowUserSym(WrapWindow w, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
  switch (message) {
    case DLGMSG_INITDIALOG: {
      UserSym.d = (DialogRecord*)lParam;
      UserSym.filling = 1;
      int r = InitDialogFromDescriptor(w, UserSym.d);
      UserSym.filling = 0;
      return r & 0xFF;
    }
    case DLGMSG_COMMAND: {
      uint32_t id = (uint32_t)(wParam & 0xFFFF), notify = (uint32_t)(wParam >> 16);
      if (id == DLGID_HELP) {
        DlgCtlShowHelp(DescriptorHelpTopic(UserSym.d));
        return 1;
      }
      if (id == CELLDLG_MIRRORED) {
        UserSymbolFieldChanged(w, id);
        return 1;
      }
      if (id >= CELLDLG_NUMBER && id <= CELLDLG_IN_FILE) {
        if (notify == 0x0300 && !UserSym.filling) UserSymbolFieldChanged(w, id);  // EN_CHANGE
        return 1;
      }
      if (IsClosingControl(id)) {
        DlgCtlEndDialog(w, id);
        return 1;
      }
      return 0;
    }
    case DLGMSG_PAINT: PaintDialogFromDescriptor(w, UserSym.d); return 0;
    default:
      if (message >= DLGMSG_CTLCOLORMSGBOX && message <= DLGMSG_CTLCOLORSTATIC)
        return (intptr_t)DialogControlColour((void*)wParam, message, (WrapWindow)lParam);
      return 0;
  }
}

void ShowUserSymbolInfo(int x, int y, int level) {
  CellSymbol c = ReadCellSymbol(x, y, level);
  if (c.code < CELL_USER_FIRST || c.code > CELL_USER_LAST) return;
  uint32_t i = (c.code - CELL_USER_FIRST) / 2;
  UserSym = UserSymbolFields{};
  FormatUnsignedDigits(UserSym.number, i, 1);
  FormatUnsignedDigits(UserSym.file, i / 36, 1);
  FormatUnsignedDigits(UserSym.inFile, i % 36, 1);
  Text name;
  UserFileName((int)(i / 36), &name);
  DialogRecord d[] = {DlgTitle(2431, 41060, DLGID_OK),
                      DlgText(CELLDLG_TEXT, 2432),
                      DlgText(CELLDLG_TEXT2, 2433),
                      DlgText(192, 2434),
                      DlgEdit(CELLDLG_NUMBER, UserSym.number, 8, 0),
                      DlgEdit(CELLDLG_FILE, UserSym.file, 8, 0),
                      DlgEdit(CELLDLG_IN_FILE, UserSym.inFile, 8, 0),
                      DlgCheck(CELLDLG_MIRRORED, 2435, (c.code & 1) ? DLGB_CHECKED : 0),
                      DlgTextPtr(CELLDLG_FILE_NAME, name.t),
                      DlgCell(CELLDLG_PICTURE, 150, 8, c.code, 0),
                      InfoButton(x, y, level),
                      DlgOk(),
                      DlgCancel(),
                      DlgHelp(),
                      DlgEnd()};
  UserSymbolDialogCode = c.code;
  int r = RunDialog(nullptr, CELLDLG_USER_SYMBOL, DlgF_ShowUserSym, d);
  UserSym.d = nullptr;
  if (r == CELLDLG_INFO_BUTTON) {
    EditPositionInfo(x, y, level, 1);
    return;
  }
  uint32_t code = UserSymbolDialogCode;
  if (r != DLGR_OK || code == c.code || code == CELL_EMPTY) return;
  WriteCellSymbol(x, y, level, c, code);
  // The palette follows to the row of the chosen symbol.
  int index = (int)((code - CELL_USER_FIRST) / 2 / 9), mirror = (int)(code & 1);
  int curIndex = 0, curMirror = 0;
  uint32_t mask = 0;
  int group = GetPaletteSelection(&curIndex, &mask, &curMirror);
  if (group != 3 || curIndex != index || curMirror != mirror) {
    SelectPaletteGroup(3, index, mask, mirror);
    DrawSymbolPalette(nullptr);
  }
}

// ---- class-B variants (dialog 7) -------------------------------------------------------------------
int GetClassBVariants(uint32_t code, uint32_t choices[8]) {
  int cls = GetSymbolClassB(code);
  if (!cls) return 0;
  uint32_t base = code & ~(uint32_t)CELL_SYMBOL_MASK;
  uint32_t dir = cls == 1 ? (code & 7) : 0;
  int n = 0;
  for (uint32_t s = 216; s <= 248; s += 8) choices[n++] = base + s + dir;
  if (dir == 0)
    for (uint32_t s = 208; s <= 210; s++) choices[n++] = base + s;
  return n;
}

void EditClassBVariant(int x, int y, int level) {
  CellSymbol c = ReadCellSymbol(x, y, level);
  uint32_t choices[8], chosen = c.code;
  int n = GetClassBVariants(c.code, choices);
  if (!n) return;
  int r = RunChoiceDialog(CELLDLG_CLASS_B, DlgTitle(2436, 41061, DLGID_OK), 2437, x, y, level,
                          choices, n, c.code, &chosen);
  if (r == CELLDLG_INFO_BUTTON) {
    EditPositionInfo(x, y, level, 1);
    return;
  }
  if (r != DLGR_OK) return;
  int s = SymbolNumberOf(chosen);
  int variant = s >= 216 ? (s - 216) / 8 : -(s - 208) - 1;
  if (variant != GetClassBVariant()) {
    SetClassBVariant(variant);
    DrawSymbolPalette(nullptr);
  }
  if (chosen != c.code) WriteCellSymbol(x, y, level, c, chosen);
}

// ---- track variants (dialog 8) ------------------------------------------------------------------------
int GetTrackVariants(uint32_t code, uint32_t choices[8]) {
  if (code > 16383) return 0;
  uint32_t n = code & CELL_SYMBOL_MASK, base = code & ~(uint32_t)CELL_SYMBOL_MASK;
  if ((n >= 24 && n <= 31) || (n >= 496 && n <= 511)) {
    uint32_t base3 = code & ~(uint32_t)0x1F8;
    choices[0] = base3 + 24;
    choices[1] = base3 + 496;
    choices[2] = base3 + 504;
    return 3;
  }
  uint32_t first;
  if (n <= 3 || (n >= 256 && n <= 259))
    first = base + (n & 3);
  else if (n >= 260 && n <= 263)
    first = base + 1;
  else if (n >= 160 && n <= 167) {
    static const uint32_t pairs[4] = {1, 0, 2, 3};
    first = base + pairs[(n - 160) / 2];
  } else {
    return 0;
  }
  static const uint32_t second[4] = {162, 159, 162, 163};
  int count = 0;
  choices[count++] = first;
  choices[count++] = first + second[first & 3];
  choices[count] = choices[count - 1] + 1;
  count++;
  if (code < 6144 || (code >= 8192 && code <= 12799)) {
    choices[count++] = first + 256;
    if ((first & CELL_SYMBOL_MASK) == 1)
      for (uint32_t k = 259; k <= 262; k++) choices[count++] = first + k;
  }
  return count;
}

int EditTrackVariant(int x, int y, int level) {
  CellSymbol c = ReadCellSymbol(x, y, level);
  uint32_t choices[8], chosen = c.code;
  int n = GetTrackVariants(c.code, choices);
  if (!n) return 0;
  int r = RunChoiceDialog(CELLDLG_TRACK, DlgTitle(2438, 41062, DLGID_OK), 2439, x, y, level,
                          choices, n, c.code, &chosen);
  if (r == CELLDLG_INFO_BUTTON) {
    EditPositionInfo(x, y, level, 1);
  } else if (r == DLGR_OK && chosen != c.code) {
    WriteCellSymbol(x, y, level, c, chosen);
    RedrawCellArea(x, y, level);
  }
  return 1;
}

// ---- empty-cell variants (dialog 9) -----------------------------------------------------------------
int EditEmptyCellVariant(int x, int y, int level) {
  static const uint32_t codes[3] = {CELL_EMPTY, CELL_SEE_THROUGH_2, CELL_SEE_THROUGH_1};
  uint32_t code = GetCell(x, y, level);
  int current = -1;
  for (int i = 0; i < 3; i++)
    if (codes[i] == code) current = i;
  if (current < 0) return 0;
  for (;;) {
    DialogRecord d[] = {DlgTitle(2440, 41063, DLGID_OK),
                        DlgText(CELLDLG_TEXT, 2444),
                        DlgRadio(CELLDLG_RADIO_FIRST, 2441, current == 0 ? DLGB_CHECKED : 0),
                        DlgRadio(CELLDLG_RADIO_FIRST + 1, 2442, current == 1 ? DLGB_CHECKED : 0),
                        DlgRadio(CELLDLG_RADIO_FIRST + 2, 2443, current == 2 ? DLGB_CHECKED : 0),
                        InfoButton(x, y, level),
                        DlgOk(),
                        DlgCancel(),
                        DlgHelp(),
                        DlgEnd()};
    int r = Choose(CELLDLG_EMPTY, d);
    if (r == CELLDLG_INFO_BUTTON) {
      EditPositionInfo(x, y, level, 1);
      continue;
    }
    if (r != DLGR_OK) return 1;
    int chosen = current;
    for (int i = 0; i < 3; i++)
      if (d[2 + i].button.flags & DLGB_CHECKED) chosen = i;
    if (chosen == current) return 1;
    if (codes[chosen] == CELL_EMPTY)
      ClearCellAt(x, y, level, 1);
    else if (!SetCellSymbolAt(x, y, level, 0, codes[chosen]))
      ShowErrorText(510, LANG_ID(2106));
    return 1;
  }
}

// ---- the plain cell information (dialog 6) --------------------------------------------------------
void ShowCellInfo(int x, int y, int level) {
  if (EditTrackVariant(x, y, level) || EditEmptyCellVariant(x, y, level)) return;
  CellSymbol c = ReadCellSymbol(x, y, level);
  uint32_t code = c.code, number, text;
  int s = SymbolNumberOf(code);
  if (IsSymbolClassC(code))
    number = 541, text = 2402;
  else if (code > 16383)
    number = 537, text = 2401, code = CELL_EMPTY;
  else
    number = 539, text = s >= 32 && s <= 47     ? 2405
                         : s >= 272 && s <= 287 ? 2406
                         : s >= 288 && s <= 303 ? 2407
                                                : 2403;
  Text title, codeText;
  title.Lang(8020).Put(u" ").Lang(8040).Unsigned(number);
  codeText.Lang(2445).Put(u" ").Hex4(code);
  DialogRecord d[] = {DlgTitleText(title.t, 41064, DLGID_OK),
                      DlgText(CELLDLG_TEXT, (uint16_t)text),
                      DlgTextPtr(CELLDLG_TEXT2, codeText.t),
                      DlgCell(CELLDLG_PICTURE, 12, 44, code, 0),
                      InfoButton(x, y, level),
                      DlgOk(),
                      DlgHelp(),
                      DlgEnd()};
  if (Choose(CELLDLG_CELL_INFO, d) == CELLDLG_INFO_BUTTON) EditPositionInfo(x, y, level, 1);
}
