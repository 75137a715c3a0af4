// The dialogs of the event display: the list (dialog 93) with jump, delete, clear, copy and help,
// the stop options (94) and the three filter pages (95, 96, 97), reached from the list and from
// the menu commands 448..451.
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/editwnd.h"
#include "app/startup.h"
#include "core/clipboard.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/sound.h"
#include "trains/event_display.h"
#include "views/view_services.h"

namespace {

constexpr uint32_t kListTemplate = 93, kStopTemplate = 94;
constexpr uint32_t kList = 106;
constexpr uint32_t kKindHelp = 120, kDelete = 121, kClear = 122, kCopy = 104;
constexpr uint32_t kStopOptions = 123, kPage1 = 124, kPage2 = 125, kPage3 = 126;
constexpr uint32_t kKeyDelete = 46;

// The list dialog's state: the row selected in the list box (kept while the dialog reopens after
// a deletion) and the entry index that row shows.
struct ListDialogState {
  DialogRecord* descriptor;
  char16_t* text;
  int selectedRow;
  int currentEntry;
};
ListDialogState Shown = {};

// The entry index a list row carries: the unit after its first code 2; -1 when none.
int EntryOfRow(int row) {
  DialogRecord* rec = FindDescriptorItem(Shown.descriptor, kList);
  const char16_t* p = GetListString(rec, row);
  if (!p) return -1;
  for (int i = 0; p[i]; i++)
    if (p[i] == 2) return p[i + 1];
  return -1;
}

void SelectRow(WrapWindow w, int row) {
  Shown.selectedRow = row < 0 ? 0 : row;
  int entry = EntryOfRow(Shown.selectedRow);
  Shown.currentEntry = entry < 0 ? 0 : entry;
}

void CopyList() {
  if (Shown.text && CopyListToClipboard(Shown.text) == 0) return;
  ShowErrorText(598, LANG_ID(8007));
  ClearClipboard();
}

void ShowKindHelp() {
  const EventDisplayEntry* e = GetEventDisplayEntry(Shown.currentEntry);
  DlgCtlShowHelp(EVENT_HELP_BASE + (e ? e->kind : 0));
}

// Page order of the kinds on the three filter pages.
const uint8_t kPage1Kinds[] = {6, 11, 7, 4, 3, 5, 1, 2, 12, 8, 9};
const uint8_t kPage2Kinds[] = {10, 14, 15, 13, 26, 27, 17};
const uint8_t kPage3Kinds[] = {16, 18, 19, 20, 25, 21, 22, 23, 24, 28, 29};

void EditFilterPage(WrapWindow parent, uint32_t templateId, uint16_t title, uint16_t help,
                    const uint8_t* kinds, int n) {
  // Title, four headings, per kind its name and its group of three radios, OK, Help, Cancel, end.
  DialogRecord d[1 + 4 + 11 * 4 + 4];
  int k = 0, firstRadio[11];
  d[k++] = DlgTitle(title, help, DLGID_OK);
  for (uint16_t i = 0; i < 4; i++) d[k++] = DlgText((uint16_t)(190 + i), (uint16_t)(4221 + i));
  for (int i = 0; i < n; i++) {
    d[k++] = DlgText((uint16_t)(194 + i), (uint16_t)(EVENT_NAME_BASE + kinds[i]));
    int flag = GetEventKindFlag(kinds[i]);
    firstRadio[i] = k;
    for (int f = 0; f < 3; f++)
      d[k++] = DlgRadio((uint16_t)(400 + 3 * i + f), (uint16_t)(4225 + f),
                        flag == f ? DLGB_CHECKED : 0);
  }
  d[k++] = DlgOk();
  d[k++] = DlgHelp();
  d[k++] = DlgCancel();
  d[k++] = DlgEnd();
  if (RunDialog(parent, templateId, DlgF_Einfach, d) != DLGR_OK) return;
  for (int i = 0; i < n; i++)
    for (int f = 0; f < 3; f++)
      if (d[firstRadio[i] + f].button.flags & DLGB_CHECKED) SetEventKindFlag(kinds[i], f);
}

}  // namespace

intptr_t QUIL_DLGCALL DlgF_Disp(WrapWindow w, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case DLGMSG_INITDIALOG: {
      Shown.descriptor = (DialogRecord*)lParam;
      int r = InitDialogFromDescriptor(w, Shown.descriptor);
      int last = GetEventDisplayCount() - 1;
      if (Shown.selectedRow > last) Shown.selectedRow = last;
      SelectRow(w, Shown.selectedRow);
      DlgCtlListSetSel(w, kList, Shown.selectedRow);
      return r & 0xFF;
    }
    case 0x002C:  // WM_MEASUREITEM: every row is 16 pixels high
      if (lParam) ((uint32_t*)lParam)[4] = 16;
      return 1;
    case DLGMSG_DRAWITEM: DrawDescriptorItem((void*)lParam, 0); return 1;
    case DLGMSG_KEY:
      if (wParam == kKeyDelete) DlgCtlEndDialog(w, kDelete);
      return 0;
    case DLGMSG_COMMAND: {
      uint32_t id = (uint32_t)(wParam & 0xFFFF), notify = (uint32_t)(wParam >> 16);
      switch (id) {
        case kList:
          if (notify == 1) SelectRow(w, DlgCtlListGetSel(w, kList));  // LBN_SELCHANGE
          if (notify == 2) DlgCtlEndDialog(w, kList);                 // LBN_DBLCLK
          return 1;
        case DLGID_OK:
        case DLGID_CANCEL:
        case kDelete:
        case kClear: DlgCtlEndDialog(w, id); return 1;
        case DLGID_HELP: DlgCtlShowHelp(DescriptorHelpTopic(Shown.descriptor)); return 1;
        case kKindHelp:
        case 99: ShowKindHelp(); return 1;
        case kCopy: CopyList(); return 1;
        case kStopOptions: EditEventStopOptions(w); return 1;
        case kPage1: EditEventFilterPage1(w); return 1;
        case kPage2: EditEventFilterPage2(w); return 1;
        case kPage3: EditEventFilterPage3(w); return 1;
      }
      return 0;
    }
    case DLGMSG_PAINT: PaintDialogFromDescriptor(w, Shown.descriptor); return 0;
    default:
      if (message >= DLGMSG_CTLCOLORMSGBOX && message <= DLGMSG_CTLCOLORSTATIC)
        return (intptr_t)DialogControlColour((void*)wParam, message, (WrapWindow)lParam);
      return 0;
  }
}

void ShowEventDisplay() {
  if (GetEventDisplayCount() <= 0) {
    ShowInfoText(599, LANG_ID(4000));
    return;
  }
  Shown.selectedRow = 0;
  for (;;) {
    char16_t* text = BuildEventListText();
    if (!text) return;
    MarkEventDisplaySeen();
    char16_t title[MSG_TITLE_MAX];
    uint32_t count = (uint32_t)GetEventDisplayCount();
    FormatTextWith(title, MSG_TITLE_MAX, GetLangText(LANG_FMT(4200, "%u")), &count, 1, nullptr, 0);
    DialogRecord d[] = {DlgTitleText(title, 45001, kList),
                        DlgText(190, 4210),
                        DlgText(191, 4211),
                        DlgText(192, 4212),
                        DlgText(193, 4213),
                        DlgText(194, 4214),
                        DlgText(195, 4215),
                        DlgText(196, 4205),
                        DlgList(kList, text, 0),
                        DlgText(kKindHelp, 4202),
                        DlgText(kDelete, 4203),
                        DlgText(kClear, 4204),
                        DlgText(kCopy, 2211),
                        DlgText(kStopOptions, 4206),
                        DlgText(kPage1, 4207),
                        DlgText(kPage2, 4208),
                        DlgText(kPage3, 4209),
                        DlgOk(),
                        DlgCancel(),
                        DlgHelp(),
                        DlgEnd()};
    Shown.text = text;
    int r = RunDialog(nullptr, kListTemplate, DlgF_Disp, d);
    Shown.text = nullptr;
    Shown.descriptor = nullptr;
    MemFree(text);
    const EventDisplayEntry* e = GetEventDisplayEntry(Shown.currentEntry);
    if (r == DLGR_OK || r == (int)kList) {
      EditViewSlot* s = GetEditSlot(EditViews.active);
      if (e && s && s->window) ScrollCellIntoView(EditViews.active, (int)e->x, (int)e->y, e->level);
      return;
    }
    if (r == (int)kDelete) {
      DeleteEventDisplayEntry(Shown.currentEntry, 1);
      if (GetEventDisplayCount() > 0) continue;
      return;
    }
    if (r == (int)kClear) ClearEventDisplay();
    return;
  }
}

void EditEventStopOptions(WrapWindow parent) {
  int o = GetEventDisplayOption();
  int stop = (o & 1) ? 0 : (o & 2) ? 1 : 2;
  DialogRecord d[] = {DlgTitle(4260, 45004, DLGID_OK),
                      DlgText(190, 4261),
                      DlgRadio(400, 4264, stop == 0 ? DLGB_CHECKED : 0),
                      DlgRadio(401, 4265, stop == 1 ? DLGB_CHECKED : 0),
                      DlgRadio(402, 4266, stop == 2 ? DLGB_CHECKED : 0),
                      DlgCheck(470, 4262, (o & 4) ? DLGB_CHECKED : 0),
                      DlgCheck(471, 4263, (SoundOptions & 2) ? DLGB_CHECKED : 0),
                      DlgOk(),
                      DlgHelp(),
                      DlgCancel(),
                      DlgEnd()};
  if (RunDialog(parent, kStopTemplate, DlgF_Einfach, d) != DLGR_OK) return;
  auto on = [&](int i) { return (d[i].button.flags & DLGB_CHECKED) != 0; };
  o = (o & ~7) | (on(2) ? 1 : 0) | (on(3) ? 2 : 0) | (on(5) ? 4 : 0);
  SetEventDisplayOption(o);
  SoundOptions = on(6) ? (SoundOptions | 2) : (SoundOptions & ~2u);
}

void EditEventFilterPage1(WrapWindow parent) {
  EditFilterPage(parent, 95, 4220, 45002, kPage1Kinds, (int)sizeof kPage1Kinds);
}
void EditEventFilterPage2(WrapWindow parent) {
  EditFilterPage(parent, 96, 4241, 45005, kPage2Kinds, (int)sizeof kPage2Kinds);
}
void EditEventFilterPage3(WrapWindow parent) {
  EditFilterPage(parent, 97, 4240, 45003, kPage3Kinds, (int)sizeof kPage3Kinds);
}

// Menu commands 448..451: the stop options and the three filter pages.
void EventFilterCommand(int command) {
  switch (command) {
    case 448: EditEventStopOptions(nullptr); break;
    case 449: EditEventFilterPage1(nullptr); break;
    case 450: EditEventFilterPage2(nullptr); break;
    case 451: EditEventFilterPage3(nullptr); break;
  }
}
