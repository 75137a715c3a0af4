// Dialog descriptors and the dialog stack: record makers and lookup, end-code mapping, the ten
// nesting levels with their brushes, and RunDialog.
#include "app/dialog.h"
#include "app/dialog_ctl.h"

int DialogSwallowMouseMove = 0;
int DialogSwallowButtonUp = 0;

static int Level = -1;
static WrapWindow Windows[DIALOG_MAX_LEVELS];
static int BrushesMade = 0;

// ---- record makers ------------------------------------------------------------------------------
static DialogRecord Blank(uint8_t type) {
  DialogRecord r;
  r.type = type;
  r.title = DlgTitleFields{0, 0, 0, nullptr};
  return r;
}

DialogRecord DlgTitle(uint16_t textId, uint16_t helpTopic, uint32_t focusId) {
  DialogRecord r = Blank(DLG_TITLE_ID);
  r.title = DlgTitleFields{textId, helpTopic, focusId, nullptr};
  return r;
}
DialogRecord DlgTitleText(const char16_t* text, uint16_t helpTopic, uint32_t focusId) {
  DialogRecord r = Blank(DLG_TITLE_TEXT);
  r.title = DlgTitleFields{0, helpTopic, focusId, text};
  return r;
}
static DialogRecord TextRec(uint8_t type, uint16_t controlId, uint16_t textId,
                            const char16_t* text) {
  DialogRecord r = Blank(type);
  r.text = DlgTextFields{controlId, textId, text};
  return r;
}
DialogRecord DlgText(uint16_t controlId, uint16_t textId) {
  return TextRec(DLG_TEXT_ID, controlId, textId, nullptr);
}
DialogRecord DlgTextPtr(uint16_t controlId, const char16_t* text) {
  return TextRec(DLG_TEXT_PTR, controlId, 0, text);
}
DialogRecord DlgTextOff(uint16_t controlId, uint16_t textId) {
  return TextRec(DLG_TEXT_OFF, controlId, textId, nullptr);
}
DialogRecord DlgOk() { return Blank(DLG_BTN_OK); }
DialogRecord DlgCancel() { return Blank(DLG_BTN_CANCEL); }
DialogRecord DlgThird() { return Blank(DLG_BTN_THIRD); }
DialogRecord DlgYes() { return Blank(DLG_BTN_YES); }
DialogRecord DlgNo() { return Blank(DLG_BTN_NO); }
DialogRecord DlgHelp() { return Blank(DLG_BTN_HELP); }
DialogRecord DlgCell(uint16_t controlId, int16_t x, int16_t y, uint32_t cellCode, uint32_t state) {
  DialogRecord r = Blank(DLG_CELL);
  r.cell = DlgCellFields{controlId, x, y, cellCode, state};
  return r;
}
DialogRecord DlgCellStep(uint16_t controlId, int16_t x, int16_t y, int16_t height,
                         uint32_t cellCode, uint8_t value, uint8_t lowest, uint8_t highest) {
  DialogRecord r = Blank(DLG_CELL_STEP);
  r.cellStep = DlgCellStepFields{controlId, x, y, height, cellCode, value, lowest, highest};
  return r;
}
DialogRecord DlgCellList(uint16_t controlId, int16_t x, int16_t y, int16_t height, uint8_t count,
                         uint8_t shown, const uint32_t* entries) {
  DialogRecord r = Blank(DLG_CELL_LIST);
  r.cellList = DlgCellListFields{controlId, x, y, height, count, shown, entries};
  return r;
}
DialogRecord DlgPreview(int16_t x, int16_t y, uint32_t code, uint8_t flags) {
  DialogRecord r = Blank(DLG_PREVIEW);
  r.preview = DlgPreviewFields{x, y, code, flags};
  return r;
}
DialogRecord DlgList(uint16_t controlId, char16_t* strings, uint8_t flags) {
  DialogRecord r = Blank(DLG_LIST);
  r.list = DlgListFields{controlId, strings, flags};
  return r;
}
DialogRecord DlgEdit(uint16_t controlId, char16_t* buffer, int32_t length, uint8_t flags,
                     int32_t lowest, int32_t highest) {
  DialogRecord r = Blank(DLG_EDIT);
  r.edit = DlgEditFields{controlId, buffer, length, flags, lowest, highest};
  return r;
}
static DialogRecord ButtonRec(uint8_t type, uint16_t controlId, uint16_t textId, uint8_t flags) {
  DialogRecord r = Blank(type);
  r.button = DlgButtonFields{controlId, textId, flags};
  return r;
}
DialogRecord DlgRadio(uint16_t controlId, uint16_t textId, uint8_t flags) {
  return ButtonRec(DLG_RADIO, controlId, textId, flags);
}
DialogRecord DlgCheck(uint16_t controlId, uint16_t textId, uint8_t flags) {
  return ButtonRec(DLG_CHECK, controlId, textId, flags);
}
DialogRecord DlgEnd() { return Blank(DLG_END); }

// ---- lookup -------------------------------------------------------------------------------------
static int RecordControlId(const DialogRecord* r, uint32_t* id) {
  switch (r->type) {
    case DLG_TEXT_ID:
    case DLG_TEXT_PTR:
    case DLG_TEXT_ID2:
    case DLG_TEXT_OFF: *id = r->text.controlId; return 1;
    case DLG_CELL: *id = r->cell.controlId; return 1;
    case DLG_CELL_STEP: *id = r->cellStep.controlId; return 1;
    case DLG_CELL_LIST: *id = r->cellList.controlId; return 1;
    case DLG_LIST: *id = r->list.controlId; return 1;
    case DLG_EDIT: *id = r->edit.controlId; return 1;
    case DLG_RADIO:
    case DLG_CHECK: *id = r->button.controlId; return 1;
    default: return 0;
  }
}

DialogRecord* FindDescriptorItem(DialogRecord* descriptor, uint32_t controlId) {
  if (!descriptor) return nullptr;
  for (DialogRecord* r = descriptor; r->type <= 19; r++) {
    uint32_t id;
    if (RecordControlId(r, &id) && id == controlId) return r;
  }
  return nullptr;
}

DialogRecord* NextDescriptorRecord(DialogRecord* rec) {
  if (!rec || rec->type > 19) return nullptr;
  DialogRecord* next = rec + 1;
  return next->type > 19 ? nullptr : next;
}

static const DialogRecord* TitleRecord(const DialogRecord* d) {
  if (!d) return nullptr;
  for (; d->type <= 19; d++)
    if (d->type == DLG_TITLE_ID || d->type == DLG_TITLE_TEXT) return d;
  return nullptr;
}

uint16_t DescriptorHelpTopic(const DialogRecord* descriptor) {
  const DialogRecord* t = TitleRecord(descriptor);
  return t ? t->title.helpTopic : 0;
}

uint32_t DescriptorFocusId(const DialogRecord* descriptor) {
  const DialogRecord* t = TitleRecord(descriptor);
  return t ? t->title.focusId : DLG_NO_FOCUS;
}

// ---- end codes ------------------------------------------------------------------------------------
int MapDialogEndCode(intptr_t endCode) {
  switch (endCode) {
    case 1: return DLGR_OK;
    case 2:
    case 8: return DLGR_CANCEL;
    case 6: return DLGR_YES;
    case 7: return DLGR_NO;
    default: break;
  }
  if ((endCode >= 103 && endCode <= 106) || (endCode >= 120 && endCode <= 137)) return (int)endCode;
  return DLGR_CANCEL;
}

int IsClosingControl(uint32_t id) {
  return id == 1 || id == 2 || id == 6 || id == 7 || id == 8 || (id >= 103 && id <= 105) ||
         (id >= 120 && id <= 137);
}

// ---- stack ----------------------------------------------------------------------------------------
int EnterDialogLevel() {
  if (Level >= DIALOG_MAX_LEVELS - 1) return 1;
  if (Level < 0) {
    DialogPlatformBrushes(1);
    BrushesMade = 1;
  }
  Level++;
  Windows[Level] = nullptr;
  return 0;
}

void LeaveDialogLevel() {
  if (Level < 0) return;
  Windows[Level] = nullptr;
  Level--;
  if (Level < 0 && BrushesMade) {
    DialogPlatformBrushes(0);
    BrushesMade = 0;
  }
}

int GetDialogLevel() { return Level; }
WrapWindow GetCurrentDialog() { return Level >= 0 ? Windows[Level] : nullptr; }
int IsDialogOpen() { return Level >= 0 ? 1 : 0; }
int DialogBrushesExist() { return BrushesMade; }

void SetCurrentDialogWindow(WrapWindow window) {
  if (Level >= 0 && Level < DIALOG_MAX_LEVELS) Windows[Level] = window;
}

int RunDialog(WrapWindow owner, uint32_t templateId, DialogProcFn proc, DialogRecord* descriptor) {
  if (templateId == 0 || proc == nullptr) return DLGR_CANCEL;
  if (!owner) owner = DialogPlatformDefaultOwner();
  if (!owner) return DLGR_CANCEL;
  if (EnterDialogLevel()) return DLGR_CANCEL;
  intptr_t end = DialogPlatformModal(owner, templateId, proc, descriptor);
  ForgetDialogDescriptor(GetCurrentDialog());  // its window is gone, whatever its procedure did
  LeaveDialogLevel();
  int swallow = end == 106 ? 1 : 0;
  DialogSwallowMouseMove = swallow;
  DialogSwallowButtonUp = swallow;
  return MapDialogEndCode(end);
}

// ---- drawing services -----------------------------------------------------------------------------
static DialogColourFn ColourSource = nullptr;
static DialogFontFn FontSource = nullptr;
static DialogCellPainterFn CellPainter = nullptr;
static DialogDiagramPainterFn DiagramPainter = nullptr;
static DialogSymbolTextFn SymbolText = nullptr;

void SetDialogColourSource(DialogColourFn fn) { ColourSource = fn; }
void SetDialogFontSource(DialogFontFn fn) { FontSource = fn; }
void SetDialogPainters(DialogCellPainterFn cell, DialogDiagramPainterFn diagram,
                       DialogSymbolTextFn text) {
  CellPainter = cell;
  DiagramPainter = diagram;
  SymbolText = text;
}
DialogColourFn GetDialogColourSource() { return ColourSource; }
DialogFontFn GetDialogFontSource() { return FontSource; }
DialogCellPainterFn GetDialogCellPainter() { return CellPainter; }
DialogDiagramPainterFn GetDialogDiagramPainter() { return DiagramPainter; }
DialogSymbolTextFn GetDialogSymbolText() { return SymbolText; }
