// The times of day: the day-phase dialog and the stop at the stop time.
#include "app/daytime_entry.h"
#include "app/dialog.h"
#include "app/frontend.h"
#include "app/startup.h"
#include "core/daytime.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/sound.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

void (*DayPhaseUpdateHook)(int) = nullptr;

namespace {
constexpr int kFieldChars = 12;
// The rows in their order through the day: slots 4, 1, 2, 3 (dayTimes[3], [0], [1], [2]).
const int kRowSlot[4] = {3, 0, 1, 2};

struct DayPhaseForm {
  char16_t text[8][kFieldChars + 1];  // hour and minute of each row
  uint16_t parsed[4];                 // hour << 8 | minute of each row once checked
};

void FormatField(char16_t* out, uint32_t v, int zeros) {
  int n = 0;
  if (!zeros && v < 10) out[n++] = u' ';  // "%2u"
  n += FormatUnsignedDigits(out + n, v, zeros ? 2 : 1);
  out[n] = 0;
}

uint32_t CheckDayPhaseFields(DialogRecord*, void* context) {
  DayPhaseForm* f = (DayPhaseForm*)context;
  uint32_t t[4];
  for (int row = 0; row < 4; row++) {
    uint32_t value = 0;
    uint32_t code =
        ParseTimeOfDay(f->text[2 * row], f->text[2 * row + 1], nullptr, &value, nullptr, 1);
    if (code) return 139 + 2 * row + code;
    t[row] = value;
    f->parsed[row] = (uint16_t)((value >> 16 & 0xFF) << 8 | (value >> 8 & 0xFF));
  }
  for (int a = 0; a < 4; a++)
    for (int b = a + 1; b < 4; b++)
      if ((t[a] & 0xFFFFFF) == (t[b] & 0xFFFFFF)) {
        ShowErrorText(340, LANG_ID(18001));
        return 140;
      }
  if (!IsInTimeWindow(t[1], t[0], t[2]) || !IsInTimeWindow(t[2], t[1], t[3]) ||
      !IsInTimeWindow(t[3], t[2], t[0])) {
    ShowErrorText(340, LANG_ID(18001));
    return 140;
  }
  return 0;
}
}  // namespace

void EditDayPhaseTimes() {
  static DayPhaseForm form;
  for (int row = 0; row < 4; row++) {
    uint16_t v = DocState.dayTimes[kRowSlot[row]];
    FormatField(form.text[2 * row], v >> 8, 0);
    FormatField(form.text[2 * row + 1], v & 0xFF, 1);
  }
  const uint32_t options = (uint32_t)DocState.dayPhaseOptions;
  DialogRecord d[] = {
      DlgTitle(LANG_ID(18500), 41001, DLG_NO_FOCUS),
      DlgText(190, LANG_ID(18501)),
      DlgText(191, LANG_ID(18502)),
      DlgText(192, LANG_ID(18503)),
      DlgText(193, LANG_ID(18504)),
      DlgText(194, LANG_ID(18505)),
      DlgText(195, LANG_ID(18506)),
      DlgEdit(140, form.text[0], kFieldChars, DLGE_RANGE, 0, 23),
      DlgEdit(141, form.text[1], kFieldChars, DLGE_RANGE, 0, 59),
      DlgEdit(142, form.text[2], kFieldChars, DLGE_RANGE, 0, 23),
      DlgEdit(143, form.text[3], kFieldChars, DLGE_RANGE, 0, 59),
      DlgEdit(144, form.text[4], kFieldChars, DLGE_RANGE, 0, 23),
      DlgEdit(145, form.text[5], kFieldChars, DLGE_RANGE, 0, 59),
      DlgEdit(146, form.text[6], kFieldChars, DLGE_RANGE, 0, 23),
      DlgEdit(147, form.text[7], kFieldChars, DLGE_RANGE, 0, 59),
      DlgCheck(470, LANG_ID(18507), (options & 1) ? DLGB_CHECKED : 0),
      DlgCheck(471, LANG_ID(18508), (options & 2) ? DLGB_CHECKED : 0),
      DlgOk(),
      DlgHelp(),
      DlgCancel(),
      DlgEnd(),
  };
  if (RunFrontEndDialog(DAYPHASE_TEMPLATE, nullptr, d, CheckDayPhaseFields, &form) != DLGR_OK)
    return;
  int changed = 0;
  for (int row = 0; row < 4; row++)
    if (DocState.dayTimes[kRowSlot[row]] != form.parsed[row]) changed = 1;
  if (changed) {
    SetNetModified();
    for (int row = 0; row < 4; row++) DocState.dayTimes[kRowSlot[row]] = form.parsed[row];
  }
  int32_t bits = DocState.dayPhaseOptions & ~3;
  if (FindDescriptorItem(d, 470)->button.flags & DLGB_CHECKED) bits |= 1;
  if (FindDescriptorItem(d, 471)->button.flags & DLGB_CHECKED) bits |= 2;
  DocState.dayPhaseOptions = bits;
  if (DayPhaseUpdateHook) DayPhaseUpdateHook(0);
  InvalidateViews(4);
}

void OnStopTimeReached() {
  DrawStopTimeField(nullptr);
  SetSimulationRunning(SIMRUN_STOP);
  char16_t message[400];
  const uint32_t values[2] = {(uint32_t)DocState.stopHour, (uint32_t)DocState.stopMinute};
  FormatTextWith(message, 400, GetLangText(LANG_FMT(18491, "%u%02u")), values, 2, nullptr, 0);
  PlaySoundFile(3, 1);
  if (ShowMessageDialog(message, GetLangText(LANG_ID(18490)), 346, 0x83) == MSG_RESULT_YES)
    EditStopTime();
}
