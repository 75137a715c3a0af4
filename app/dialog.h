// Dialog engine: descriptor records that say what each control of a dialog shows and where its
// value lives, the stack of up to ten open dialogs, RunDialog and the generic procedure DlgF_Einfach.
#pragma once
#include <cstdint>
#include "core/platform.h"

// ---- descriptor records -------------------------------------------------------------------------
// A descriptor is an array of DialogRecord ended by a record of type DLG_END (any type above 19
// ends it). Each record starts with its type byte; the fields that follow are named per type.
enum : uint8_t {
  DLG_TITLE_ID = 0,    // title from a text id, help topic, focus control
  DLG_TITLE_TEXT = 1,  // title from a text pointer, help topic, focus control
  DLG_TEXT_ID = 2,     // control text from a text id
  DLG_TEXT_PTR = 3,    // control text from a pointer
  DLG_TEXT_ID2 = 4,    // as DLG_TEXT_ID
  DLG_TEXT_OFF = 5,    // as DLG_TEXT_ID, control disabled
  DLG_BTN_OK = 6,      // id 1, text 8100
  DLG_BTN_CANCEL = 7,  // id 2, text 8101
  DLG_BTN_THIRD = 8,   // id 8, text 8105
  DLG_BTN_YES = 9,     // id 6, text 8102
  DLG_BTN_NO = 10,     // id 7, text 8103
  DLG_BTN_HELP = 11,   // id 100, text 8104
  DLG_CELL = 12,       // a cell picture
  DLG_CELL_STEP = 13,  // a cell picture stepped through state values by scroll bar 340
  DLG_CELL_LIST = 14,  // a cell picture stepped through a list of codes by scroll bar 340
  DLG_PREVIEW = 15,    // a line-diagram preview
  DLG_LIST = 16,       // a list box filled from a string list
  DLG_EDIT = 17,       // an edit field (110..114: a combo box), optionally ranged
  DLG_RADIO = 18,      // a radio button
  DLG_CHECK = 19,      // a check box
  DLG_END = 20
};

constexpr uint32_t DLG_NO_FOCUS = 0xFFFFFFFFu;

// Flags of DLG_EDIT records.
constexpr uint8_t DLGE_ESCAPED = 1;  // control codes 24..31 shown escaped
constexpr uint8_t DLGE_DISABLED = 2;
constexpr uint8_t DLGE_RANGE = 4;   // lowest/highest are present (equal bounds: a field kind)
constexpr uint8_t DLGE_TRIM = 8;    // leading blanks removed
constexpr uint8_t DLGE_FONT3 = 16;  // display font 3 instead of 4
// Flags of DLG_LIST records.
constexpr uint8_t DLGL_SORT = 1;
constexpr uint8_t DLGL_FONT_ONLY = 2;  // only the font is set; the dialog procedure fills it
constexpr uint8_t DLGL_DISABLED = 4;
constexpr uint8_t DLGL_HEIGHTS = 8;  // each string is preceded by a u16 item height
// Flags of DLG_RADIO / DLG_CHECK records.
constexpr uint8_t DLGB_CHECKED = 1;
constexpr uint8_t DLGB_DISABLED = 2;
// Flags of DLG_PREVIEW records.
constexpr uint8_t DLGP_COLOUR0 = 1, DLGP_FRAME = 2, DLGP_MASK = 4, DLGP_LARGE = 8;

// Field kinds: a ranged edit field whose lowest and highest value are equal names its kind.
enum : int32_t {
  DLGK_DEPOT = 1,
  DLGK_LINE = 2,
  DLGK_CONDITION = 3,
  DLGK_FOURTH = 4,
  DLGK_TP = 5,
  DLGK_DWX = 6,
  DLGK_DECIMAL2 = 7,
  DLGK_DECIMAL3 = 8,
  DLGK_WEEKDAY = 9,
  DLGK_SIGNAL_SYSTEM = 10,
  DLGK_SIGNAL_ELEMENT = 11
};

struct DlgTitleFields {
  uint16_t textId;
  uint16_t helpTopic;
  uint32_t focusId;
  const char16_t* text;
};
struct DlgTextFields {
  uint16_t controlId;
  uint16_t textId;
  const char16_t* text;
};
struct DlgCellFields {
  uint16_t controlId;
  int16_t x, y;
  uint32_t cellCode;
  uint32_t state;
};
struct DlgCellStepFields {
  uint16_t controlId;
  int16_t x, y, height;
  uint32_t cellCode;
  uint8_t value, lowest, highest;
};
struct DlgCellListFields {
  uint16_t controlId;
  int16_t x, y, height;
  uint8_t count, shown;
  const uint32_t* entries;
};
struct DlgPreviewFields {
  int16_t x, y;
  uint32_t code;
  uint8_t flags;
};
struct DlgListFields {
  uint16_t controlId;
  char16_t* strings;
  uint8_t flags;
};
struct DlgEditFields {
  uint16_t controlId;
  char16_t* buffer;
  int32_t length;
  uint8_t flags;
  int32_t lowest, highest;
};
struct DlgButtonFields {
  uint16_t controlId;
  uint16_t textId;
  uint8_t flags;
};

struct DialogRecord {
  uint8_t type;
  union {
    DlgTitleFields title;        // types 0, 1
    DlgTextFields text;          // types 2..5
    DlgCellFields cell;          // type 12
    DlgCellStepFields cellStep;  // type 13
    DlgCellListFields cellList;  // type 14
    DlgPreviewFields preview;    // type 15
    DlgListFields list;          // type 16
    DlgEditFields edit;          // type 17
    DlgButtonFields button;      // types 18, 19
  };
};

// Record makers, so descriptors read as tables:
//   DialogRecord d[] = { DlgTitle(11700, 42014, 140), DlgEdit(140, buf, 260, 0), DlgOk(), DlgEnd() };
DialogRecord DlgTitle(uint16_t textId, uint16_t helpTopic, uint32_t focusId);
DialogRecord DlgTitleText(const char16_t* text, uint16_t helpTopic, uint32_t focusId);
DialogRecord DlgText(uint16_t controlId, uint16_t textId);          // type 2
DialogRecord DlgTextPtr(uint16_t controlId, const char16_t* text);  // type 3
DialogRecord DlgTextOff(uint16_t controlId, uint16_t textId);       // type 5
DialogRecord DlgOk();
DialogRecord DlgCancel();
DialogRecord DlgThird();
DialogRecord DlgYes();
DialogRecord DlgNo();
DialogRecord DlgHelp();
DialogRecord DlgCell(uint16_t controlId, int16_t x, int16_t y, uint32_t cellCode, uint32_t state);
DialogRecord DlgCellStep(uint16_t controlId, int16_t x, int16_t y, int16_t height,
                         uint32_t cellCode, uint8_t value, uint8_t lowest, uint8_t highest);
DialogRecord DlgCellList(uint16_t controlId, int16_t x, int16_t y, int16_t height, uint8_t count,
                         uint8_t shown, const uint32_t* entries);
DialogRecord DlgPreview(int16_t x, int16_t y, uint32_t code, uint8_t flags);
DialogRecord DlgList(uint16_t controlId, char16_t* strings, uint8_t flags);
DialogRecord DlgEdit(uint16_t controlId, char16_t* buffer, int32_t length, uint8_t flags,
                     int32_t lowest = 0, int32_t highest = 0);
DialogRecord DlgRadio(uint16_t controlId, uint16_t textId, uint8_t flags);
DialogRecord DlgCheck(uint16_t controlId, uint16_t textId, uint8_t flags);
DialogRecord DlgEnd();

// The record with that control id (types 2-5, 12-14, 16-19), or null.
DialogRecord* FindDescriptorItem(DialogRecord* descriptor, uint32_t controlId);
// The record after rec, or null when that is the end mark (or rec is null or the end mark).
DialogRecord* NextDescriptorRecord(DialogRecord* rec);
// Help topic and focus id of the descriptor's title record (first record of type 0 or 1); 0 and
// DLG_NO_FOCUS when it has none.
uint16_t DescriptorHelpTopic(const DialogRecord* descriptor);
uint32_t DescriptorFocusId(const DialogRecord* descriptor);

// ---- closing ids and results --------------------------------------------------------------------
constexpr int DLGID_OK = 1, DLGID_CANCEL = 2, DLGID_YES = 6, DLGID_NO = 7, DLGID_THIRD = 8,
              DLGID_HELP = 100;
// Results of RunDialog.
constexpr int DLGR_CANCEL = 1, DLGR_OK = 2, DLGR_YES = 3, DLGR_NO = 4;
// Maps an end code to the RunDialog result: 1 -> 2, 2 and 8 -> 1, 6 -> 3, 7 -> 4, 103..106 and
// 120..137 unchanged, anything else -> 1.
int MapDialogEndCode(intptr_t endCode);
// 1 when a WM_COMMAND of this control id ends a DlgF_Einfach dialog.
int IsClosingControl(uint32_t controlId);

// ---- the dialog stack ---------------------------------------------------------------------------
constexpr int DIALOG_MAX_LEVELS = 10;
// Dialog procedure (the platform's dialog procedure shape; stdcall on 32-bit Windows).
#if defined(_WIN32) && !defined(_WIN64)
#define QUIL_DLGCALL __attribute__((stdcall))
#else
#define QUIL_DLGCALL
#endif
typedef intptr_t(QUIL_DLGCALL* DialogProcFn)(WrapWindow window, uint32_t message, uintptr_t wParam,
                                             intptr_t lParam);

// Runs a modal dialog of template templateId with procedure proc and the descriptor as creation
// parameter. Owner null: the active edit window, else the main window. Returns 1 (as Cancel) for
// a zero template or procedure, no owner, or ten open dialogs; else the mapped end code.
int RunDialog(WrapWindow owner, uint32_t templateId, DialogProcFn proc, DialogRecord* descriptor);
int EnterDialogLevel();  // 0, or 1 when ten dialogs are already open
void LeaveDialogLevel();
int GetDialogLevel();           // -1 .. 9
WrapWindow GetCurrentDialog();  // innermost dialog window or null
int IsDialogOpen();             // 1 when the level is 0 or above
// Stores the window of the current level (InitDialogFromDescriptor does this for its dialogs).
void SetCurrentDialogWindow(WrapWindow window);
// 1 while the dialog brushes exist (level 0 and above).
int DialogBrushesExist();

// The edit windows' mouse flags: RunDialog sets both after end code 106 and clears both otherwise.
extern int DialogSwallowMouseMove;
extern int DialogSwallowButtonUp;

// The generic dialog procedure.
intptr_t QUIL_DLGCALL DlgF_Einfach(WrapWindow window, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam);

// ---- engine functions shared with dialogs of their own procedure ------------------------------------
int InitDialogFromDescriptor(WrapWindow window,
                             DialogRecord* descriptor);  // 0 focus set, 1 default
void PaintDialogFromDescriptor(WrapWindow window, DialogRecord* descriptor);
void* DialogControlColour(void* dc, uint32_t message, WrapWindow control);  // brush or null
void SaveDialogValues(WrapWindow window, DialogRecord* descriptor);
void ReadDialogValues(WrapWindow window, DialogRecord* descriptor);
void DialogSpinScroll(WrapWindow window, DialogRecord* descriptor, WrapWindow scrollBar,
                      uintptr_t wParam);
// Steps the value under the caret of the focused field: key 38 +1, 40 -1, 33 +10, 34 -10.
// 1 when the field was changed, else 0.
int StepFieldValueAtCaret(DialogRecord* descriptor, uint32_t key);
// Frees the descriptor link of a dialog window that has ended (RunDialog calls it).
void ForgetDialogDescriptor(WrapWindow window);
void ShowFieldCharsLeft(WrapWindow window, DialogRecord* descriptor, uint32_t fieldId,
                        uint32_t targetId);

// Control rectangle relative to the dialog's client origin as the engine counts it; nothing is
// written when the control does not exist.
struct DlgRect {
  int32_t left, top, right, bottom;
};
void GetControlRectInDialog(WrapWindow window, uint32_t controlId, DlgRect* out);
void DialogUnitsToPixels(WrapWindow window, int x, int y, int* top, int* left);

// ---- lists (type-16 records) ----------------------------------------------------------------------
// Characters a picture code 1..6 of a symbol text takes with its parameters (code 4 carries a
// 4-character mark); 1 for any other character.
int SymbolCodeWidth(char16_t c);
void FillListFromDescriptor(WrapWindow window, DialogRecord* rec);
void SortDescriptorList(DialogRecord* rec);
// n-th entry (0-based; with DLGL_HEIGHTS the pointer is at its height word) or null past the end.
char16_t* GetListString(DialogRecord* rec, int n);
int DeleteListString(DialogRecord* rec, int n);  // 0, or 1 without list or entry
void SelectListItemByKey(WrapWindow window, DialogRecord* rec, char16_t ch);
// The entry to select for a typed character in a list of count entries with current selection
// `current` (-1 none), or -1 for no match (portable part of SelectListItemByKey).
int FindListItemByKey(DialogRecord* rec, int count, int current, char16_t ch);

// Owner-drawn list entries and buttons (drawItem: the platform's draw-item record).
void DrawDescriptorItem(void* drawItem, int skip);
void DrawFocusFrame(void* dc, const DlgRect* rect);

// ---- drawing services of other parts ------------------------------------------------------------
// The dialogs draw with the display colours and fonts and the views' cell and symbol-text
// painters. Their owners register them here; until they do, the Win32 build uses plain stand-ins
// (a small colour table, the default dialog font, a framed field with the cell code, plain text).
typedef uint32_t (*DialogColourFn)(int colourNumber);  // 0x00BBGGRR
typedef void* (*DialogFontFn)(int displayFont);        // platform font handle or null
// DrawCellColumn(dc, px, py, zoom step, state value, cell code)
typedef void (*DialogCellPainterFn)(void* dc, int px, int py, int zoomStep, uint32_t state,
                                    uint32_t cellCode);
// A line-diagram preview cell: RenderDiagramCell when isMask (form 65535), else DrawDiagramCell.
typedef void (*DialogDiagramPainterFn)(void* dc, int previewIndex, int px, int py,
                                       uint32_t codeOrMask, int isMask, uint32_t lineColour,
                                       uint32_t backColour);
// DrawSymbolText(dc, x, y, text, text colour, background colour): text with embedded pictures.
typedef void (*DialogSymbolTextFn)(void* dc, int x, int y, const char16_t* text,
                                   uint32_t textColour, uint32_t backColour);
void SetDialogColourSource(DialogColourFn fn);
void SetDialogFontSource(DialogFontFn fn);
void SetDialogPainters(DialogCellPainterFn cell, DialogDiagramPainterFn diagram,
                       DialogSymbolTextFn text);
