// Dialogs in the native build: windowless dialogs whose controls are made from the descriptor,
// driven by a test user through the seam; drawing parts have no device to draw on here.
#include <string>
#include <vector>
#include "app/dialog_seam.h"
#include "app/dialog_ctl.h"
#include "app/editwnd.h"

namespace {

enum CtlKind { K_STATIC, K_BUTTON, K_EDIT, K_COMBO, K_LIST, K_RADIO, K_CHECK, K_SCROLL };

struct Control {
  uint32_t id;
  int kind;
  std::u16string text;
  int enabled = 1, checked = 0, font = 0, limit = 0, caret = 0;
  int lo = 0, hi = 0, pos = 0, scrollOn = 1;
  std::vector<std::u16string> items;
  std::vector<void*> data;
  int sel = -1;
  int group = 0;            // radio buttons: the group they belong to
  Control* self = nullptr;  // window handle of the control
};

struct Dialog {
  uint32_t templateId;
  WrapWindow owner;
  DialogProcFn proc;
  std::u16string title;
  std::vector<Control*> controls;
  int ended = 0;
  intptr_t endCode = 0;
  uint32_t focus = 0;
  uint32_t defaultId = 0;
  int active = 1;
  int redraws = 0;
  intptr_t msgResult = 0;  // the answer set while a message is handled
};

std::vector<Dialog*> Open;
DialogSeamUser User = nullptr;
void* UserContext = nullptr;
int NoOwner = 0, ListLimit = 0, Runs = 0, BrushSets = 0;
uint32_t LastTemplate = 0, LastHelp = 0;
WrapWindow LastOwner = nullptr;
int MainToken = 0;
std::u16string Scratch;

Dialog* D(WrapWindow w) {
  for (Dialog* d : Open)
    if (d == w) return d;
  return nullptr;
}

Control* C(WrapWindow w, uint32_t id) {
  Dialog* d = D(w);
  if (!d) return nullptr;
  for (Control* c : d->controls)
    if (c->id == id) return c;
  return nullptr;
}

void Add(Dialog* d, uint32_t id, int kind) {
  for (Control* c : d->controls)
    if (c->id == id) return;
  Control* c = new Control;
  c->id = id;
  c->kind = kind;
  c->self = c;
  d->controls.push_back(c);
}

void MakeControls(Dialog* d, DialogRecord* desc) {
  static const struct {
    uint8_t type;
    uint32_t id;
  } buttons[] = {{DLG_BTN_OK, 1},  {DLG_BTN_CANCEL, 2}, {DLG_BTN_THIRD, 8},
                 {DLG_BTN_YES, 6}, {DLG_BTN_NO, 7},     {DLG_BTN_HELP, 100}};
  if (!desc) return;
  int group = 0;
  for (DialogRecord* r = desc; r->type <= 19; r++) {
    switch (r->type) {
      case DLG_TEXT_ID:
      case DLG_TEXT_PTR:
      case DLG_TEXT_ID2:
      case DLG_TEXT_OFF:
        // A text record of a closing id (103..105, 120..137) names a push button of the template.
        Add(d, r->text.controlId, IsClosingControl(r->text.controlId) ? K_BUTTON : K_STATIC);
        break;
      case DLG_LIST: Add(d, r->list.controlId, K_LIST); break;
      case DLG_EDIT:
        Add(d, r->edit.controlId,
            r->edit.controlId >= 110 && r->edit.controlId <= 114 ? K_COMBO : K_EDIT);
        if (r->edit.controlId >= 140 && r->edit.controlId <= 179)
          Add(d, r->edit.controlId + 150, K_SCROLL);
        break;
      case DLG_RADIO:
        // The templates put each group of radio buttons together (the first one starts the
        // group): a run of radio records is one group.
        if (r == desc || r[-1].type != DLG_RADIO) group++;
        Add(d, r->button.controlId, K_RADIO);
        for (Control* c : d->controls)
          if (c->id == r->button.controlId) c->group = group;
        break;
      case DLG_CHECK: Add(d, r->button.controlId, K_CHECK); break;
      case DLG_CELL_STEP:
      case DLG_CELL_LIST: Add(d, 340, K_SCROLL); break;
      default:
        for (auto& b : buttons)
          if (b.type == r->type) Add(d, b.id, K_BUTTON);
        break;
    }
  }
}

void Destroy(Dialog* d) {
  for (Control* c : d->controls) delete c;
  for (size_t i = 0; i < Open.size(); i++)
    if (Open[i] == d) Open.erase(Open.begin() + (long)i);
  delete d;
}

}  // namespace

// ---- seam ----------------------------------------------------------------------------------------
void DialogSeamReset() {
  User = nullptr, UserContext = nullptr, NoOwner = 0, ListLimit = 0, Runs = 0;
  LastTemplate = 0, LastHelp = 0, LastOwner = nullptr;
}
void DialogSeamSetUser(DialogSeamUser user, void* context) { User = user, UserContext = context; }
void DialogSeamSetNoOwner(int none) { NoOwner = none; }
void DialogSeamSetListLimit(int entries) { ListLimit = entries; }
int DialogSeamRunCount() { return Runs; }
uint32_t DialogSeamLastTemplate() { return LastTemplate; }
WrapWindow DialogSeamLastOwner() { return LastOwner; }
int DialogSeamBrushSets() { return BrushSets; }
uint32_t DialogSeamLastHelpTopic() { return LastHelp; }

int DialogSeamPress(WrapWindow dlg, uint32_t id) {
  Dialog* d = D(dlg);
  if (!d || d->ended) return d ? 1 : 0;
  d->proc(dlg, DLGMSG_COMMAND, id, (intptr_t)C(dlg, id));
  return d->ended;
}
void DialogSeamType(WrapWindow dlg, uint32_t id, const char16_t* text) {
  if (Control* c = C(dlg, id)) c->text = text ? text : u"", c->caret = (int)c->text.size();
}
void DialogSeamClick(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  if (!c || !c->enabled) return;
  if (c->kind == K_CHECK) c->checked = !c->checked;
  if (c->kind == K_RADIO) DlgCtlCheckRadio(dlg, id);
}
void DialogSeamSetFocus(WrapWindow dlg, uint32_t id, int caret) {
  Dialog* d = D(dlg);
  if (!d) return;
  d->focus = id;
  if (Control* c = C(dlg, id)) c->caret = caret;
}
// As the platform's dialog manager answers a sent message: the stored answer when the procedure
// handled it (nonzero), 0 (default handling) when not; the procedure's own value only for the
// messages that pass it on as it stands.
static int PassesProcValue(uint32_t message) {
  return message == DLGMSG_INITDIALOG ||
         (message >= DLGMSG_CTLCOLORMSGBOX && message <= DLGMSG_CTLCOLORSTATIC);
}
intptr_t DialogSeamSend(WrapWindow dlg, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  Dialog* d = D(dlg);
  if (!d) return 0;
  d->msgResult = 0;
  intptr_t r = d->proc(dlg, message, wParam, lParam);
  if (PassesProcValue(message)) return r;
  if (!r || !D(dlg)) return 0;
  return d->msgResult;
}
void DialogSeamSetActive(WrapWindow dlg, int active) {
  if (Dialog* d = D(dlg)) d->active = active;
}
WrapWindow DialogSeamControlWindow(WrapWindow dlg, uint32_t id) { return C(dlg, id); }
const char16_t* DialogSeamTitle(WrapWindow dlg) {
  Dialog* d = D(dlg);
  return d ? d->title.c_str() : nullptr;
}
const char16_t* DialogSeamText(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->text.c_str() : nullptr;
}
int DialogSeamEnabled(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->enabled : 0;
}
int DialogSeamChecked(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->checked : 0;
}
int DialogSeamFont(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->font : 0;
}
int DialogSeamLimit(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->limit : 0;
}
uint32_t DialogSeamFocus(WrapWindow dlg) {
  Dialog* d = D(dlg);
  return d ? d->focus : 0;
}
int DialogSeamCaret(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->caret : 0;
}
uint32_t DialogSeamDefault(WrapWindow dlg) {
  Dialog* d = D(dlg);
  return d ? d->defaultId : 0;
}
int DialogSeamScroll(WrapWindow dlg, uint32_t id, int* lowest, int* highest, int* pos) {
  Control* c = C(dlg, id);
  if (!c) return 0;
  if (lowest) *lowest = c->lo;
  if (highest) *highest = c->hi;
  if (pos) *pos = c->pos;
  return c->scrollOn;
}
int DialogSeamListCount(WrapWindow dlg, uint32_t id) { return DlgCtlListCount(dlg, id); }
const char16_t* DialogSeamListText(WrapWindow dlg, uint32_t id, int n) {
  Control* c = C(dlg, id);
  if (!c || n < 0 || n >= (int)c->items.size()) return nullptr;
  return c->items[(size_t)n].c_str();
}
int DialogSeamListSel(WrapWindow dlg, uint32_t id) { return DlgCtlListGetSel(dlg, id); }
int DialogSeamPictureRedraws(WrapWindow dlg) {
  Dialog* d = D(dlg);
  return d ? d->redraws : 0;
}

// ---- control access ------------------------------------------------------------------------------
int DlgCtlExists(WrapWindow dlg, uint32_t id) { return C(dlg, id) != nullptr; }
uint32_t DlgCtlIdOfWindow(WrapWindow control) {
  for (Dialog* d : Open)
    for (Control* c : d->controls)
      if (c == control) return c->id;
  return 0;
}
void DlgCtlSetTitle(WrapWindow dlg, const char16_t* text) {
  if (Dialog* d = D(dlg)) d->title = text ? text : u"";
}
void DlgCtlSetText(WrapWindow dlg, uint32_t id, const char16_t* text) {
  if (Control* c = C(dlg, id)) c->text = text ? text : u"";
}
int DlgCtlGetText(WrapWindow dlg, uint32_t id, char16_t* buf, int maxChars) {
  if (maxChars < 1) return 0;
  Control* c = C(dlg, id);
  int n = 0;
  if (c)
    for (; n < (int)c->text.size() && n < maxChars - 1; n++) buf[n] = c->text[(size_t)n];
  buf[n] = 0;
  return n;
}
void DlgCtlEnable(WrapWindow dlg, uint32_t id, int enable) {
  if (Control* c = C(dlg, id)) c->enabled = enable ? 1 : 0;
}
int DlgCtlIsEnabled(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->enabled : 0;
}
void DlgCtlSetCheck(WrapWindow dlg, uint32_t id, int checked) {
  if (Control* c = C(dlg, id)) c->checked = checked ? 1 : 0;
}
void DlgCtlCheckRadio(WrapWindow dlg, uint32_t id) {
  Dialog* d = D(dlg);
  if (!d) return;
  Control* picked = C(dlg, id);
  if (!picked) return;
  for (Control* c : d->controls)
    if (c->kind == K_RADIO && c->group == picked->group) c->checked = c == picked;
}
int DlgCtlIsChecked(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->checked : 0;
}
void DlgCtlSetFont(WrapWindow dlg, uint32_t id, int font) {
  if (Control* c = C(dlg, id)) c->font = font;
}
void DlgCtlSetLimit(WrapWindow dlg, uint32_t id, int limit) {
  if (Control* c = C(dlg, id)) c->limit = limit;
}
void DlgCtlSetComboLimit(WrapWindow dlg, uint32_t id, int limit) { DlgCtlSetLimit(dlg, id, limit); }
void DlgCtlFocus(WrapWindow dlg, uint32_t id) {
  Dialog* d = D(dlg);
  if (!d) return;
  size_t i = 0;
  while (i < d->controls.size() && d->controls[i]->id != id) i++;
  if (i == d->controls.size()) return;
  // A disabled control hands the focus on to the next enabled one (tab order = creation order).
  for (size_t k = 0; k < d->controls.size(); k++) {
    Control* c = d->controls[(i + k) % d->controls.size()];
    if (c->enabled && c->kind != K_STATIC && c->kind != K_SCROLL) {
      d->focus = c->id;
      return;
    }
  }
}
int DlgCtlFocused(WrapWindow* dlg, uint32_t* id) {
  if (Open.empty()) return 0;
  Dialog* d = Open.back();
  if (!d->focus) return 0;
  *dlg = d;
  *id = d->focus;
  return 1;
}
void DlgCtlMakeDefault(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  if (c && c->kind == K_BUTTON) D(dlg)->defaultId = id;
}
int DlgCtlGetCaret(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->caret : 0;
}
void DlgCtlSetCaret(WrapWindow dlg, uint32_t id, int pos) {
  if (Control* c = C(dlg, id)) c->caret = pos;
}
void DlgCtlScrollRange(WrapWindow dlg, uint32_t id, int lowest, int highest) {
  if (Control* c = C(dlg, id)) c->lo = lowest, c->hi = highest, c->scrollOn = 1;
}
void DlgCtlScrollSet(WrapWindow dlg, uint32_t id, int lowest, int highest, int page, int pos,
                     int redraw) {
  if (Control* c = C(dlg, id)) c->lo = lowest, c->hi = highest, c->pos = pos, c->scrollOn = 1;
}
void DlgCtlScrollDisable(WrapWindow dlg, uint32_t id) {
  if (Control* c = C(dlg, id)) c->scrollOn = 0;
}
int DlgCtlIsActive(WrapWindow dlg) {
  Dialog* d = D(dlg);
  return d ? d->active : 0;
}
void DlgCtlListReset(WrapWindow dlg, uint32_t id) {
  if (Control* c = C(dlg, id)) c->items.clear(), c->data.clear(), c->sel = -1;
}
int DlgCtlListAdd(WrapWindow dlg, uint32_t id, const char16_t* text, void* data, int height) {
  Control* c = C(dlg, id);
  if (!c || (ListLimit > 0 && (int)c->items.size() >= ListLimit)) return -1;
  c->items.push_back(text);
  c->data.push_back(data);
  return (int)c->items.size() - 1;
}
int DlgCtlListCount(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? (int)c->items.size() : 0;
}
int DlgCtlListGetSel(WrapWindow dlg, uint32_t id) {
  Control* c = C(dlg, id);
  return c ? c->sel : -1;
}
void DlgCtlListSetSel(WrapWindow dlg, uint32_t id, int n) {
  Control* c = C(dlg, id);
  if (c && n >= 0 && n < (int)c->items.size()) c->sel = n;
}
void* DlgCtlListData(WrapWindow dlg, uint32_t id, int n) {
  Control* c = C(dlg, id);
  return c && n >= 0 && n < (int)c->data.size() ? c->data[(size_t)n] : nullptr;
}
void DlgCtlSetResult(WrapWindow dlg, intptr_t result) {
  if (Dialog* d = D(dlg)) d->msgResult = result;
}
void DlgCtlEndDialog(WrapWindow dlg, intptr_t code) {
  if (Dialog* d = D(dlg)) d->ended = 1, d->endCode = code;
}
void DlgCtlRedrawPicture(WrapWindow dlg, DialogRecord* rec) {
  if (Dialog* d = D(dlg)) d->redraws++;
}
void DlgCtlShowHelp(uint32_t topic) { LastHelp = topic; }

// ---- drawing: no device contexts exist natively ----------------------------------------------------
void PaintDialogFromDescriptor(WrapWindow window, DialogRecord* descriptor) {}
void* DialogControlColour(void* dc, uint32_t message, WrapWindow control) { return nullptr; }
void DrawDescriptorItem(void* drawItem, int skip) {}
void DrawFocusFrame(void* dc, const DlgRect* rect) {}
void GetControlRectInDialog(WrapWindow window, uint32_t controlId, DlgRect* out) {}
void DialogUnitsToPixels(WrapWindow window, int x, int y, int* top, int* left) {
  *top = y;
  *left = x;
}

// ---- RunDialog's build part -------------------------------------------------------------------------
WrapWindow DialogPlatformDefaultOwner() {
  if (NoOwner) return nullptr;
  EditViewSlot* slot = GetEditSlot(EditViews.active);
  if (slot && slot->window) return slot->window;
  return &MainToken;  // the native build's stand-in for the main window
}

void DialogPlatformBrushes(int create) { BrushSets += create ? 1 : -1; }

intptr_t DialogPlatformModal(WrapWindow owner, uint32_t templateId, DialogProcFn proc,
                             DialogRecord* descriptor) {
  Dialog* d = new Dialog;
  d->templateId = templateId;
  d->owner = owner;
  d->proc = proc;
  MakeControls(d, descriptor);
  Open.push_back(d);
  Runs++;
  LastTemplate = templateId;
  LastOwner = owner;
  if (proc(d, DLGMSG_INITDIALOG, 0, (intptr_t)descriptor) && !d->focus) {
    for (Control* c : d->controls)  // default focus: the first enabled control that takes it
      if (c->enabled && c->kind != K_STATIC && c->kind != K_SCROLL) {
        d->focus = c->id;
        break;
      }
  }
  if (!d->ended && User) User(d, templateId, UserContext);
  if (!d->ended) DialogSeamPress(d, DLGID_CANCEL);
  intptr_t code = d->ended ? d->endCode : DLGID_CANCEL;
  proc(d, DLGMSG_DESTROY, 0, 0);
  proc(d, DLGMSG_NCDESTROY, 0, 0);
  Destroy(d);
  return code;
}
