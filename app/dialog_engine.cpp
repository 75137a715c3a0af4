// The generic dialog procedure DlgF_Einfach and the engine functions it shares with the dialog
// procedures of particular dialogs: filling controls, reading values back, spin bars, stepping.
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/dialog_fields.h"
#include "core/langtext.h"
#include "core/misc.h"

// Descriptor of each open DlgF_Einfach dialog, kept from WM_INITDIALOG until the dialog's window
// ends (WM_NCDESTROY, or the end of RunDialog for a procedure that does not pass that on).
struct DescriptorLink {
  WrapWindow window;
  DialogRecord* descriptor;
};
static DescriptorLink Links[DIALOG_MAX_LEVELS + 6];

static void LinkDescriptor(WrapWindow w, DialogRecord* d) {
  for (DescriptorLink& l : Links)  // a window handle used again replaces its old link
    if (l.window == w) {
      l.descriptor = d;
      return;
    }
  for (DescriptorLink& l : Links)
    if (!l.window) {
      l.window = w;
      l.descriptor = d;
      return;
    }
}

static DialogRecord* LinkedDescriptor(WrapWindow w) {
  for (DescriptorLink& l : Links)
    if (l.window == w) return l.descriptor;
  return nullptr;
}

static void UnlinkDescriptor(WrapWindow w) {
  for (DescriptorLink& l : Links)
    if (l.window == w) l.window = nullptr, l.descriptor = nullptr;
}

void ForgetDialogDescriptor(WrapWindow w) {
  if (w) UnlinkDescriptor(w);
}

struct ButtonText {
  uint8_t type;
  uint16_t id;
  uint16_t text;
};
static const ButtonText Buttons[] = {
    {DLG_BTN_OK, 1, LANG_ID(8100)},    {DLG_BTN_CANCEL, 2, LANG_ID(8101)},
    {DLG_BTN_THIRD, 8, LANG_ID(8105)}, {DLG_BTN_YES, 6, LANG_ID(8102)},
    {DLG_BTN_NO, 7, LANG_ID(8103)},    {DLG_BTN_HELP, 100, LANG_ID(8104)},
};

static void InitEdit(WrapWindow w, DialogRecord* r) {
  DlgEditFields* f = &r->edit;
  DlgCtlSetFont(w, f->controlId, (f->flags & DLGE_FONT3) ? DLG_FONT_3 : DLG_FONT_4);
  if (f->buffer && f->length > 0) {
    f->buffer[f->length - 1] = 0;
    if (f->flags & DLGE_TRIM) StripLeadingBlanks(f->buffer);
    if (f->flags & DLGE_ESCAPED) EscapeControlCodes(f->buffer, f->length);
    DlgCtlSetText(w, f->controlId, f->buffer);
  }
  int limit = f->length > 0 ? f->length - 1 : 0;
  if (f->controlId >= 110 && f->controlId <= 114)
    DlgCtlSetComboLimit(w, f->controlId, limit);
  else
    DlgCtlSetLimit(w, f->controlId, limit);
  if (f->flags & DLGE_DISABLED) DlgCtlEnable(w, f->controlId, 0);
}

static void InitSpinBars(WrapWindow w, DialogRecord* d) {
  for (uint32_t id = 290; id <= 329; id++) {
    if (!DlgCtlExists(w, id)) continue;
    int32_t lo, hi;
    if (SpinRangeForRecord(FindDescriptorItem(d, id - 150), &lo, &hi))
      DlgCtlScrollRange(w, id, lo, hi);
    else
      DlgCtlScrollDisable(w, id);
  }
  if (DlgCtlExists(w, 340)) {
    int lo, hi, pos;
    if (PictureBarRange(FindDescriptorItem(d, 340), &lo, &hi, &pos))
      DlgCtlScrollSet(w, 340, lo, hi, 1, pos, 0);
    else
      DlgCtlScrollDisable(w, 340);
  }
}

int InitDialogFromDescriptor(WrapWindow w, DialogRecord* d) {
  int level = GetDialogLevel();
  if (level >= 0 && level < DIALOG_MAX_LEVELS) SetCurrentDialogWindow(w);
  if (!d) return 1;
  uint32_t focus = DLG_NO_FOCUS;
  for (DialogRecord* r = d; r->type <= 19; r++) {
    switch (r->type) {
      case DLG_TITLE_ID:
        DlgCtlSetTitle(w, GetLangText(r->title.textId));
        focus = r->title.focusId;
        break;
      case DLG_TITLE_TEXT:
        DlgCtlSetTitle(w, r->title.text ? r->title.text : u"");
        focus = r->title.focusId;
        break;
      case DLG_TEXT_ID:
      case DLG_TEXT_PTR:
      case DLG_TEXT_ID2:
      case DLG_TEXT_OFF:
        DlgCtlSetFont(w, r->text.controlId, DLG_FONT_7);
        if (r->type == DLG_TEXT_PTR)
          DlgCtlSetText(w, r->text.controlId, r->text.text ? r->text.text : u"");
        else
          DlgCtlSetText(w, r->text.controlId, GetLangText(r->text.textId));
        if (r->type == DLG_TEXT_OFF) DlgCtlEnable(w, r->text.controlId, 0);
        break;
      case DLG_BTN_OK:
      case DLG_BTN_CANCEL:
      case DLG_BTN_THIRD:
      case DLG_BTN_YES:
      case DLG_BTN_NO:
      case DLG_BTN_HELP:
        for (const ButtonText& b : Buttons)
          if (b.type == r->type) {
            DlgCtlSetFont(w, b.id, DLG_FONT_7);
            DlgCtlSetText(w, b.id, GetLangText(b.text));
          }
        break;
      case DLG_LIST:
        if (r->list.flags & DLGL_DISABLED) DlgCtlEnable(w, r->list.controlId, 0);
        if (r->list.flags & DLGL_FONT_ONLY) {
          DlgCtlSetFont(w, r->list.controlId, DLG_FONT_7);
        } else {
          if (r->list.flags & DLGL_SORT) SortDescriptorList(r);
          FillListFromDescriptor(w, r);
        }
        break;
      case DLG_EDIT: InitEdit(w, r); break;
      case DLG_RADIO:
      case DLG_CHECK:
        DlgCtlSetFont(w, r->button.controlId, DLG_FONT_7);
        DlgCtlSetText(w, r->button.controlId,
                      r->button.textId ? GetLangText(r->button.textId) : u"      ");
        if (r->type == DLG_RADIO) {
          if (r->button.flags & DLGB_CHECKED) DlgCtlCheckRadio(w, r->button.controlId);
        } else {
          DlgCtlSetCheck(w, r->button.controlId, r->button.flags & DLGB_CHECKED);
        }
        if (r->button.flags & DLGB_DISABLED) DlgCtlEnable(w, r->button.controlId, 0);
        break;
      default:  // pictures are painted; OK etc. handled above
        break;
    }
  }
  InitSpinBars(w, d);
  if (focus == DLG_NO_FOCUS) return 1;
  DlgCtlFocus(w, focus);
  DlgCtlMakeDefault(w, focus);
  return 0;
}

void ReadDialogValues(WrapWindow w, DialogRecord* d) {
  if (!d) return;
  for (DialogRecord* r = d; r->type <= 19; r++) {
    if (r->type == DLG_EDIT) {
      DlgEditFields* f = &r->edit;
      if (!f->buffer || f->length < 1 || !DlgCtlExists(w, f->controlId)) continue;
      DlgCtlGetText(w, f->controlId, f->buffer, f->length);
      f->buffer[f->length - 1] = 0;
      if (f->flags & DLGE_TRIM) StripLeadingBlanks(f->buffer);
      if (f->flags & DLGE_ESCAPED) UnescapeControlCodes(f->buffer);
    } else if (r->type == DLG_RADIO || r->type == DLG_CHECK) {
      if (!DlgCtlExists(w, r->button.controlId)) continue;
      r->button.flags = (uint8_t)((DlgCtlIsEnabled(w, r->button.controlId) ? 0 : DLGB_DISABLED) +
                                  (DlgCtlIsChecked(w, r->button.controlId) ? DLGB_CHECKED : 0));
    }
  }
}

void SaveDialogValues(WrapWindow w, DialogRecord* d) { ReadDialogValues(w, d); }

int StepFieldValueAtCaret(DialogRecord* d, uint32_t key) {
  WrapWindow dlg = nullptr;
  uint32_t id = 0;
  if (!d || !DlgCtlFocused(&dlg, &id) || id < 140 || id > 179) return 0;
  DialogRecord* r = FindDescriptorItem(d, id);
  if (!r || r->type != DLG_EDIT || (r->edit.flags & DLGE_DISABLED) || !(r->edit.flags & DLGE_RANGE))
    return 0;
  // The whole field text is read and written back: a long condition text (up to its buffer
  // length) keeps everything after the stepped value.
  int capacity = r->edit.length > 602 ? r->edit.length : 602;
  char16_t* text = (char16_t*)MemAlloc((size_t)capacity * sizeof(char16_t));
  if (!text) return 0;
  DlgCtlGetText(dlg, id, text, capacity);
  text[capacity - 1] = 0;
  int caret = DlgCtlGetCaret(dlg, id);
  int changed = StepFieldText(r, text, capacity, &caret, key);
  if (changed) {
    DlgCtlSetText(dlg, id, text);
    DlgCtlSetCaret(dlg, id, caret);
  }
  MemFree(text);
  return changed;
}

void DialogSpinScroll(WrapWindow w, DialogRecord* d, WrapWindow bar, uintptr_t wParam) {
  if (!d || !DlgCtlIsActive(w)) return;
  uint32_t id = DlgCtlIdOfWindow(bar);
  int code = (int)(wParam & 0xFFFF);
  if (id >= 290 && id <= 329) {
    DialogRecord* r = FindDescriptorItem(d, id - 150);
    if (r && !(r->type == DLG_EDIT && (r->edit.flags & DLGE_DISABLED))) DlgCtlFocus(w, id - 150);
    uint32_t key = KeyForSpinCode(code);
    if (key) StepFieldValueAtCaret(d, key);
    return;
  }
  if (id == 340) {
    DialogRecord* r = FindDescriptorItem(d, 340);
    if (!r || (r->type != DLG_CELL_STEP && r->type != DLG_CELL_LIST)) return;
    int thumb = (int)((wParam >> 16) & 0xFFFF);
    if (code != SB_CODE_LINEUP && code != SB_CODE_LINEDOWN && code != SB_CODE_PAGEUP &&
        code != SB_CODE_PAGEDOWN && code != SB_CODE_TOP && code != SB_CODE_BOTTOM &&
        code != SB_CODE_THUMBTRACK)
      return;
    StepPictureRecord(r, code, thumb);
    DlgCtlRedrawPicture(w, r);
    int lo, hi, pos;
    PictureBarRange(r, &lo, &hi, &pos);
    DlgCtlScrollSet(w, 340, lo, hi, 1, pos, 1);
  }
}

void ShowFieldCharsLeft(WrapWindow w, DialogRecord* d, uint32_t fieldId, uint32_t targetId) {
  DialogRecord* r = FindDescriptorItem(d, fieldId);
  if (!r || r->type != DLG_EDIT || r->edit.length < 1) return;
  char16_t* text = (char16_t*)MemAlloc((size_t)r->edit.length * sizeof(char16_t));
  if (!text) return;
  int n = DlgCtlGetText(w, fieldId, text, r->edit.length);
  MemFree(text);
  int left = r->edit.length - (n + 1);
  if (left < 0) left = 0;
  // "%u %s" with the count and text 8202
  char16_t out[300];
  int len = FormatUnsignedDigits(out, (uint32_t)left, 1);
  out[len++] = u' ';
  const char16_t* tail = GetLangText(LANG_ID(8202));
  for (int i = 0; tail[i] && len < 299; i++) out[len++] = tail[i];
  out[len] = 0;
  DlgCtlSetText(w, targetId, out);
}

intptr_t QUIL_DLGCALL DlgF_Einfach(WrapWindow w, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
  switch (message) {
    case DLGMSG_INITDIALOG: {
      DialogRecord* d = (DialogRecord*)lParam;
      LinkDescriptor(w, d);
      return InitDialogFromDescriptor(w, d) & 0xFF;
    }
    case DLGMSG_COMMAND: {
      uint32_t id = (uint32_t)(wParam & 0xFFFF);
      if (id == DLGID_HELP) {
        DlgCtlShowHelp(DescriptorHelpTopic(LinkedDescriptor(w)));
        return 1;
      }
      if (IsClosingControl(id)) {
        DlgCtlEndDialog(w, id);
        return 1;
      }
      return 0;
    }
    case DLGMSG_PAINT: PaintDialogFromDescriptor(w, LinkedDescriptor(w)); return 0;
    case DLGMSG_DESTROY: SaveDialogValues(w, LinkedDescriptor(w)); return 0;
    case DLGMSG_NCDESTROY: UnlinkDescriptor(w); return 0;
    case DLGMSG_VSCROLL:
      DialogSpinScroll(w, LinkedDescriptor(w), (WrapWindow)lParam, wParam);
      return 0;
    case DLGMSG_STEP:
      // The low byte of the step result is the answer the main window passes on to the key
      // hook: nonzero swallows the key, so that the edit field does not move its caret too.
      DlgCtlSetResult(w, StepFieldValueAtCaret(LinkedDescriptor(w), (uint32_t)wParam) & 0xFF);
      return 1;
    default:
      if (message >= DLGMSG_CTLCOLORMSGBOX && message <= DLGMSG_CTLCOLORSTATIC)
        return (intptr_t)DialogControlColour((void*)wParam, message, (WrapWindow)lParam);
      return 0;
  }
}
