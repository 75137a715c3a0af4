// Dialogs on real windows: control access of the engine, the modal run of RunDialog, the dialog
// brushes and control colours, painting of picture records and owner-drawn list entries.
#include <windows.h>
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/editwnd.h"
#include "app/help.h"
#include "core/platform_ui.h"
#include "graphics/fonts.h"

// ---- colours and fonts -----------------------------------------------------------------------------
// The display colour table comes from its owner (SetDialogColourSource); until that is
// registered, this stand-in gives the colours the numbers name. The display fonts are the
// program's fonts (a font source set with SetDialogFontSource takes their place).
static COLORREF StandInColour(int n) {
  switch (n) {
    case 0: return RGB(0xE8, 0xE8, 0xE0);    // dialog background
    case 8: return RGB(0x00, 0x00, 0x00);    // text
    case 9: return RGB(0xE8, 0xE8, 0xE0);    // text background
    case 10: return RGB(0x00, 0x00, 0x00);   // edit text
    case 11: return RGB(0xFF, 0xFF, 0xFF);   // edit background
    case 15: return RGB(0x00, 0x00, 0x00);   // preview lines
    case 16: return RGB(0x00, 0x00, 0x00);   // list text
    case 17: return RGB(0x40, 0x40, 0x40);   // list second text
    case 18: return RGB(0xFF, 0xFF, 0xF4);   // list background
    case 72: return RGB(0x00, 0x00, 0x80);   // value text
    case 73: return RGB(0xFF, 0xFF, 0xD8);   // value background
    case 127: return RGB(0xF0, 0xF0, 0xF0);  // picture area
    case 249: return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case 250: return GetSysColor(COLOR_HIGHLIGHT);
    default: return RGB(0x80, 0x80, 0x80);
  }
}

uint32_t DialogDisplayColour(int n) {
  DialogColourFn source = GetDialogColourSource();
  return source ? source(n) : (uint32_t)StandInColour(n);
}
#define Colour(n) ((COLORREF)DialogDisplayColour(n))

// A null handle (the font could not be created) leaves the control in the system font.
static HFONT DisplayFont(int n) {
  DialogFontFn source = GetDialogFontSource();
  return (HFONT)(source ? source(n) : GetDisplayFont(n));
}

static HBRUSH Brushes[5];  // colours 18, 0, 11, 73, 9
static const int BrushColours[5] = {18, 0, 11, 73, 9};

static HBRUSH BrushOf(int colour) {
  for (int i = 0; i < 5; i++)
    if (BrushColours[i] == colour) return Brushes[i];
  return nullptr;
}

void DialogPlatformBrushes(int create) {
  for (int i = 0; i < 5; i++) {
    if (create) {
      if (!Brushes[i]) Brushes[i] = CreateSolidBrush(Colour(BrushColours[i]));
    } else if (Brushes[i]) {
      DeleteObject(Brushes[i]);
      Brushes[i] = nullptr;
    }
  }
}

// ---- control access -------------------------------------------------------------------------------
static HWND Ctl(WrapWindow dlg, uint32_t id) { return (HWND)WrapGetDlgItem(dlg, (int)id); }

int DlgCtlExists(WrapWindow dlg, uint32_t id) { return Ctl(dlg, id) != nullptr; }
uint32_t DlgCtlIdOfWindow(WrapWindow control) {
  return control ? (uint32_t)GetDlgCtrlID((HWND)control) : 0;
}
void DlgCtlSetTitle(WrapWindow dlg, const char16_t* text) { WrapSetWindowText(dlg, text); }
void DlgCtlSetText(WrapWindow dlg, uint32_t id, const char16_t* text) {
  WrapSetDlgItemText(dlg, (int)id, text);
}
int DlgCtlGetText(WrapWindow dlg, uint32_t id, char16_t* buf, int maxChars) {
  if (maxChars < 1) return 0;
  buf[0] = 0;
  return WrapGetDlgItemText(dlg, (int)id, buf, maxChars);
}
void DlgCtlEnable(WrapWindow dlg, uint32_t id, int enable) {
  if (HWND c = Ctl(dlg, id)) EnableWindow(c, enable ? TRUE : FALSE);
}
int DlgCtlIsEnabled(WrapWindow dlg, uint32_t id) {
  HWND c = Ctl(dlg, id);
  return c && IsWindowEnabled(c) ? 1 : 0;
}
void DlgCtlSetCheck(WrapWindow dlg, uint32_t id, int checked) {
  CheckDlgButton((HWND)dlg, (int)id, checked ? BST_CHECKED : BST_UNCHECKED);
}
static int IsRadio(HWND c) {
  LONG type = WrapGetWindowLong(c, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
void DlgCtlCheckRadio(WrapWindow dlg, uint32_t id) {
  HWND c = Ctl(dlg, id);
  if (!c) return;
  HWND h = c;
  for (int guard = 0; guard < 256; guard++) {
    h = GetNextDlgGroupItem((HWND)dlg, h, FALSE);
    if (!h || h == c) break;
    if (IsRadio(h)) WrapSendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  WrapSendMessage(c, BM_SETCHECK, BST_CHECKED, 0);
}
int DlgCtlIsChecked(WrapWindow dlg, uint32_t id) {
  return IsDlgButtonChecked((HWND)dlg, (int)id) == BST_CHECKED ? 1 : 0;
}
void DlgCtlSetFont(WrapWindow dlg, uint32_t id, int font) {
  if (HWND c = Ctl(dlg, id)) WrapSendMessage(c, WM_SETFONT, (WPARAM)DisplayFont(font), FALSE);
}
void DlgCtlSetLimit(WrapWindow dlg, uint32_t id, int limit) {
  if (HWND c = Ctl(dlg, id)) WrapSendMessage(c, EM_LIMITTEXT, (WPARAM)limit, 0);
}
void DlgCtlSetComboLimit(WrapWindow dlg, uint32_t id, int limit) {
  if (HWND c = Ctl(dlg, id)) {
    WrapSendMessage(c, CB_LIMITTEXT, (WPARAM)limit, 0);
    WrapSendMessage(c, CB_SETEXTENDEDUI, TRUE, 0);
  }
}
void DlgCtlFocus(WrapWindow dlg, uint32_t id) {
  HWND c = Ctl(dlg, id);
  if (!c) return;
  if (!IsWindowEnabled(c)) c = GetNextDlgTabItem((HWND)dlg, c, FALSE);
  if (c) SetFocus(c);
}
int DlgCtlFocused(WrapWindow* dlg, uint32_t* id) {
  HWND f = GetFocus();
  if (!f) return 0;
  HWND parent = GetParent(f);
  // The edit part of a combo box (ids 110..114) stands for the combo box.
  if (parent) {
    int pid = GetDlgCtrlID(parent);
    if (pid >= 110 && pid <= 114 && GetParent(parent)) {
      f = parent;
      parent = GetParent(f);
    }
  }
  if (!parent) return 0;
  *dlg = parent;
  *id = (uint32_t)GetDlgCtrlID(f);
  return 1;
}
void DlgCtlMakeDefault(WrapWindow dlg, uint32_t id) {
  HWND c = Ctl(dlg, id);
  if (!c) return;
  LRESULT code = WrapSendMessage(c, WM_GETDLGCODE, 0, 0);
  if (!(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) return;
  if ((WrapGetWindowLong(c, GWL_STYLE) & 0xFFFF) == 0) WrapSendMessage(dlg, DM_SETDEFID, id, 0);
}
static int IsCombo(HWND c) {
  int id = GetDlgCtrlID(c);
  return id >= 110 && id <= 114;
}
int DlgCtlGetCaret(WrapWindow dlg, uint32_t id) {
  HWND c = Ctl(dlg, id);
  if (!c) return 0;
  DWORD start = 0, end = 0;
  if (IsCombo(c))
    WrapSendMessage(c, CB_GETEDITSEL, (WPARAM)&start, (LPARAM)&end);
  else
    WrapSendMessage(c, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
  return (int)start;
}
void DlgCtlSetCaret(WrapWindow dlg, uint32_t id, int pos) {
  HWND c = Ctl(dlg, id);
  if (!c) return;
  if (IsCombo(c))
    WrapSendMessage(c, CB_SETEDITSEL, 0, MAKELPARAM(pos, pos));
  else
    WrapSendMessage(c, EM_SETSEL, (WPARAM)pos, (LPARAM)pos);
}
void DlgCtlScrollRange(WrapWindow dlg, uint32_t id, int lowest, int highest) {
  if (HWND c = Ctl(dlg, id)) SetScrollRange(c, SB_CTL, lowest, highest, FALSE);
}
void DlgCtlScrollSet(WrapWindow dlg, uint32_t id, int lowest, int highest, int page, int pos,
                     int redraw) {
  HWND c = Ctl(dlg, id);
  if (!c) return;
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = lowest;
  si.nMax = highest;
  si.nPage = (UINT)page;
  si.nPos = pos;
  SetScrollInfo(c, SB_CTL, &si, redraw ? TRUE : FALSE);
}
void DlgCtlScrollDisable(WrapWindow dlg, uint32_t id) {
  if (HWND c = Ctl(dlg, id)) EnableWindow(c, FALSE);
}
int DlgCtlIsActive(WrapWindow dlg) { return GetActiveWindow() == (HWND)dlg ? 1 : 0; }
void DlgCtlListReset(WrapWindow dlg, uint32_t id) {
  WrapSendDlgItemMessage(dlg, (int)id, LB_RESETCONTENT, 0, 0);
}
int DlgCtlListAdd(WrapWindow dlg, uint32_t id, const char16_t* text, void* data, int height) {
  LRESULT n = WrapSendDlgItemMessage(dlg, (int)id, LB_ADDSTRING, 0, (LPARAM)text);
  if (n < 0) return -1;
  WrapSendDlgItemMessage(dlg, (int)id, LB_SETITEMDATA, (WPARAM)n, (LPARAM)data);
  if (height > 0) WrapSendDlgItemMessage(dlg, (int)id, LB_SETITEMHEIGHT, (WPARAM)n, height);
  return (int)n;
}
int DlgCtlListCount(WrapWindow dlg, uint32_t id) {
  LRESULT n = WrapSendDlgItemMessage(dlg, (int)id, LB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : (int)n;
}
int DlgCtlListGetSel(WrapWindow dlg, uint32_t id) {
  LRESULT n = WrapSendDlgItemMessage(dlg, (int)id, LB_GETCURSEL, 0, 0);
  return n < 0 ? -1 : (int)n;
}
void DlgCtlListSetSel(WrapWindow dlg, uint32_t id, int n) {
  WrapSendDlgItemMessage(dlg, (int)id, LB_SETCURSEL, (WPARAM)n, 0);
}
void* DlgCtlListData(WrapWindow dlg, uint32_t id, int n) {
  LRESULT d = WrapSendDlgItemMessage(dlg, (int)id, LB_GETITEMDATA, (WPARAM)n, 0);
  return d == LB_ERR ? nullptr : (void*)d;
}
void DlgCtlSetResult(WrapWindow dlg, intptr_t result) {
  WrapSetWindowLong(dlg, DWLP_MSGRESULT, result);
}
void DlgCtlEndDialog(WrapWindow dlg, intptr_t code) { EndDialog((HWND)dlg, code); }
void DlgCtlShowHelp(uint32_t topic) { ShowHelpTopic(topic); }

// ---- painting -------------------------------------------------------------------------------------
void DialogUnitsToPixels(WrapWindow window, int x, int y, int* top, int* left) {
  RECT r = {x, y, x + 16, y + 16};
  MapDialogRect((HWND)window, &r);
  *left = r.left;
  *top = r.top;
}

void GetControlRectInDialog(WrapWindow window, uint32_t controlId, DlgRect* out) {
  HWND c = Ctl(window, controlId);
  if (!c) return;
  RECT rc, rd;
  GetWindowRect(c, &rc);
  GetWindowRect((HWND)window, &rd);
  int dx = GetSystemMetrics(SM_CXDLGFRAME);                                // metric 7
  int dy = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);  // metrics 33 and 4
  out->left = rc.left - rd.left - dx;
  out->top = rc.top - rd.top - dy;
  out->right = rc.right - rd.left - dx;
  out->bottom = rc.bottom - rd.top - dy;
}

static void Fill(HDC dc, int l, int t, int r, int b, int colour) {
  HBRUSH br = CreateSolidBrush(Colour(colour));
  RECT rc = {l, t, r, b};
  FillRect(dc, &rc, br);
  DeleteObject(br);
}

// A cell picture through the views' painter (zoom step 0); without one, a framed field with the
// cell code and state value stands in.
static void DrawCellStandIn(HDC dc, int px, int py, uint32_t code, uint32_t state) {
  if (DialogCellPainterFn painter = GetDialogCellPainter()) {
    painter(dc, px, py, 0, state, code);
    return;
  }
  Fill(dc, px, py, px + 32, py + 16, 127);
  HBRUSH frame = CreateSolidBrush(Colour(8));
  RECT rc = {px, py, px + 32, py + 16};
  FrameRect(dc, &rc, frame);
  DeleteObject(frame);
  WCHAR t[24];
  wsprintfW(t, L"%X.%u", (unsigned)(code & 0xFFFF), (unsigned)state);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(8));
  HGDIOBJ old = SelectObject(dc, DisplayFont(7));
  WrapTextOut(dc, px + 2, py + 2, (const char16_t*)t, lstrlenW(t));
  SelectObject(dc, old);
}

static void PaintRecord(HWND w, HDC dc, DialogRecord* r) {
  int top = 0, left = 0;
  switch (r->type) {
    case DLG_CELL:
      DialogUnitsToPixels(w, r->cell.x, r->cell.y, &top, &left);
      DrawCellStandIn(dc, left, top, r->cell.cellCode, r->cell.state);
      break;
    case DLG_CELL_STEP:
      DialogUnitsToPixels(w, r->cellStep.x, r->cellStep.y, &top, &left);
      Fill(dc, left, top - r->cellStep.height + 32, left + 31 + 1, top + 31 + 1, 127);
      DrawCellStandIn(dc, left, top, r->cellStep.cellCode, r->cellStep.value);
      break;
    case DLG_CELL_LIST: {
      DialogUnitsToPixels(w, r->cellList.x, r->cellList.y, &top, &left);
      Fill(dc, left, top - r->cellList.height + 32, left + 31 + 1, top + 31 + 1, 127);
      uint32_t e = (r->cellList.entries && r->cellList.shown < r->cellList.count)
                       ? r->cellList.entries[r->cellList.shown]
                       : 0;
      DrawCellStandIn(dc, left, top, e & 0xFFFF, e >> 16);
      break;
    }
    case DLG_PREVIEW: {
      DialogUnitsToPixels(w, r->preview.x, r->preview.y, &top, &left);
      int large = (r->preview.flags & DLGP_LARGE) != 0;
      int index = large ? 7 : 6, dx = large ? 2 : 6, dy = large ? -4 : 6;
      if (r->preview.flags & DLGP_FRAME) {
        HBRUSH frame = CreateSolidBrush(Colour(8));
        RECT rc = {left + dx - 2, top + dy - 2, left + dx + 18 + 1, top + dy + 18 + 1};
        FrameRect(dc, &rc, frame);
        DeleteObject(frame);
      }
      uint32_t line = DialogDisplayColour((r->preview.flags & DLGP_COLOUR0) ? 0 : 15);
      uint32_t back = DialogDisplayColour(0);
      uint32_t code = r->preview.code;
      int isMask = (r->preview.flags & DLGP_MASK) != 0;
      if (isMask ? code == 0 : code == 0xC000) break;
      if (!isMask && code < 16384) code = 4096 + code % 512;
      if (DialogDiagramPainterFn painter = GetDialogDiagramPainter()) {
        painter(dc, index, left + dx, top + dy, code, isMask, line, back);
        break;
      }
      int size = large ? 24 : 16;  // stand-in: the preview field with one line across
      Fill(dc, left + dx, top + dy, left + dx + size, top + dy + size, 0);
      HPEN pen = CreatePen(PS_SOLID, 1, line);
      HGDIOBJ old = SelectObject(dc, pen);
      MoveToEx(dc, left + dx, top + dy + size / 2, nullptr);
      LineTo(dc, left + dx + size, top + dy + size / 2);
      SelectObject(dc, old);
      DeleteObject(pen);
      break;
    }
    default: break;
  }
}

void PaintDialogFromDescriptor(WrapWindow window, DialogRecord* d) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint((HWND)window, &ps);
  if (d)
    for (DialogRecord* r = d; r->type <= 19; r++) PaintRecord((HWND)window, dc, r);
  EndPaint((HWND)window, &ps);
}

void DlgCtlRedrawPicture(WrapWindow dlg, DialogRecord* rec) {
  HDC dc = GetDC((HWND)dlg);
  PaintRecord((HWND)dlg, dc, rec);
  ReleaseDC((HWND)dlg, dc);
}

static int InRange(uint32_t id, uint32_t a, uint32_t b) { return id >= a && id <= b; }

void* DialogControlColour(void* dcp, uint32_t message, WrapWindow control) {
  HDC dc = (HDC)dcp;
  uint32_t id = control ? (uint32_t)GetDlgCtrlID((HWND)control) : 0;
  int text = -1, back = -1, brush = -1;
  switch (message) {
    case WM_CTLCOLORDLG: brush = 0; break;
    case WM_CTLCOLORSTATIC:
      if (InRange(id, 190, 269) || InRange(id, 400, 443) || InRange(id, 470, 499) ||
          InRange(id, 1040, 1071) || InRange(id, 1076, 1079) || InRange(id, 1088, 1119))
        text = 8, back = 9, brush = 9;
      else if (InRange(id, 140, 179) || InRange(id, 1152, 1167))
        text = 72, back = 73, brush = 73;
      else if (InRange(id, 1120, 1151))
        text = 16, back = 18, brush = 18;
      break;
    case WM_CTLCOLORLISTBOX: text = 16, back = 18, brush = 18; break;
    case WM_CTLCOLOREDIT: text = 10, back = 11, brush = 11; break;
    case WM_CTLCOLORMSGBOX: brush = 11; break;
    case WM_CTLCOLORBTN: text = 8, back = 9, brush = 9; break;
    default: return nullptr;
  }
  if (brush < 0) return nullptr;
  if (text >= 0) {
    SetTextColor(dc, Colour(text));
    SetBkColor(dc, Colour(back));
  }
  return BrushOf(brush);
}

void DrawFocusFrame(void* dcp, const DlgRect* r) {
  HDC dc = (HDC)dcp;
  for (int x = r->left; x < r->right; x += 2) {
    SetPixel(dc, x, r->top, GetPixel(dc, x, r->top) ^ 0xFFFFFF);
    SetPixel(dc, x, r->bottom - 1, GetPixel(dc, x, r->bottom - 1) ^ 0xFFFFFF);
  }
  for (int y = r->top + 2; y <= r->bottom - 2; y += 2) {
    SetPixel(dc, r->left, y, GetPixel(dc, r->left, y) ^ 0xFFFFFF);
    SetPixel(dc, r->right - 1, y, GetPixel(dc, r->right - 1, y) ^ 0xFFFFFF);
  }
}

void DrawDescriptorItem(void* drawItem, int skip) {
  DRAWITEMSTRUCT* di = (DRAWITEMSTRUCT*)drawItem;
  if (!di) return;
  DlgRect rect = {di->rcItem.left, di->rcItem.top, di->rcItem.right, di->rcItem.bottom};
  if (di->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    int selected = (di->itemState & ODS_SELECTED) != 0;
    Fill(di->hDC, rect.left, rect.top, rect.right, rect.bottom, selected ? 250 : 18);
    const char16_t* text = (const char16_t*)di->itemData;
    DialogSymbolTextFn symbolText = GetDialogSymbolText();
    if (text && di->itemID != (UINT)-1 && symbolText) {
      if (skip) text++;
      symbolText(di->hDC, rect.left + 8, rect.top, text, DialogDisplayColour(selected ? 249 : 16),
                 DialogDisplayColour(selected ? 250 : 18));
    } else if (text && di->itemID != (UINT)-1) {
      if (skip) text++;
      WCHAR plain[256];
      int n = 0;
      for (int i = 0; text[i] && n < 255;) {  // without the symbol-text painter: pictures skipped
        char16_t c = text[i];
        if (c >= 1 && c <= 6) {
          i += SymbolCodeWidth(c);
          continue;
        }
        plain[n++] = (WCHAR)c;
        i++;
      }
      SetBkMode(di->hDC, TRANSPARENT);
      SetTextColor(di->hDC, Colour(selected ? 249 : 16));
      HGDIOBJ old = SelectObject(di->hDC, DisplayFont(7));
      WrapTextOut(di->hDC, rect.left + 8, rect.top, (const char16_t*)plain, n);
      SelectObject(di->hDC, old);
    }
    if (di->itemState & ODS_FOCUS) DrawFocusFrame(di->hDC, &rect);
  } else if (di->itemAction & ODA_FOCUS) {
    DrawFocusFrame(di->hDC, &rect);
  }
}

// ---- RunDialog's build part --------------------------------------------------------------------------
// The main window: the window of the status class in this process.
WrapWindow DialogMainWindow() {
  WrapWindow w = nullptr;
  while ((w = WrapFindWindowEx(nullptr, w, u"KORV_R27K32_384_Status", nullptr)) != nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId((HWND)w, &pid);
    if (pid == GetCurrentProcessId()) return w;
  }
  return nullptr;
}

WrapWindow DialogPlatformDefaultOwner() {
  EditViewSlot* slot = GetEditSlot(EditViews.active);
  if (slot && slot->window) return slot->window;
  return DialogMainWindow();
}

intptr_t DialogPlatformModal(WrapWindow owner, uint32_t templateId, DialogProcFn proc,
                             DialogRecord* descriptor) {
  return WrapDialogBoxParam(WrapGetModuleHandle(nullptr), templateId, owner, (WrapDlgProc)proc,
                            (intptr_t)descriptor);
}
