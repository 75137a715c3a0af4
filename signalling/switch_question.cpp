// The manual switching question: dialog 90 asks the user which exit a selected train takes.
#include "app/dialog.h"
#include "app/editwnd.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_services.h"
#include "views/view_services.h"

constexpr uint32_t kSwitchQuestionTemplate = 90;

// The follow options (bit 4: return to the edit window's level after the question); they come with
// the train dialogs, until then the window stays at the switch's level.
uint32_t SwitchQuestionFollowOptions = 0;

// Fills the descriptor of dialog 90 (at least 14 records).
int BuildSwitchQuestion(uint32_t proposal, const SwitchControl* r, DialogRecord* d) {
  uint32_t all = r->entry | r->exit1 | r->exit2 | r->exit3;
  uint32_t exit = proposal & 0xFF;
  uint32_t focus = exit == r->exit1 ? 120 : exit == r->exit2 ? 121 : 122;
  uint32_t code = GetCellResolved(r->h.x, r->h.y, r->h.level);
  int n = 0;
  d[n++] = DlgTitle(15020, 0, focus);
  d[n++] = DlgText(120, 15031);
  d[n++] = DlgText(121, 15032);
  d[n++] = r->exit3 ? DlgText(122, 15033) : DlgTextOff(122, 15033);
  d[n++] = DlgText(123, 15028);
  d[n++] = DlgText(124, 15029);
  d[n++] = DlgText(125, 15030);
  // The switch with each exit drawn: (exit << 8) | the directions of the switch.
  uint32_t exits[3] = {r->exit1, r->exit2, r->exit3};
  for (int i = 0; i < 3; i++)
    d[n++] = DlgCell((uint16_t)(310 + i), (int16_t)(8 + 44 * i), 8,
                     exits[i] ? (exits[i] << 8 | all) : 0, 0xFFFFFFFFu);
  d[n++] = DlgCell(313, 8, 40, code, r->displayState);
  d[n++] = DlgCell(314, 52, 40, code, r->displayState);
  d[n++] = DlgEnd();
  return n;
}

uint32_t AskSwitchExit(uint32_t proposal, SwitchControl* r) {
  DialogRecord d[16];
  BuildSwitchQuestion(proposal, r, d);
  int window = EditViews.active, oldLevel = 0, keep = 0;
  if (window >= 0 && window < EDIT_SLOTS && EditViews.slot[window].cursorLevel != r->h.level) {
    oldLevel = EditViews.slot[window].cursorLevel;
    keep = (SwitchQuestionFollowOptions & 4) != 0;
    ScrollCellIntoView(window, r->h.x, r->h.y, r->h.level);
  }
  int answer = RunDialog(nullptr, kSwitchQuestionTemplate, DlgF_Einfach, d);
  if (keep && EditViews.active == window) {
    EditViewSlot& w = EditViews.slot[window];
    ScrollCellIntoView(window, w.cursorX, w.cursorY, oldLevel);
  }
  switch (answer) {
    case 120: return r->exit1;
    case 121: return r->exit2;
    case 122: return r->exit3 ? r->exit3 : proposal;
    case 123: ClearTrainSelection(); return proposal;
    case 124: SetSelectedTrainMark(1); return proposal;
    case 125: SetSimulationRunning(SIMRUN_STOP); return SWITCH_USER_STOPPED;
  }
  return proposal;
}
