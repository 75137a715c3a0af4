// The command table and the menu-command dispatcher.
#include "app/commands.h"
#include "app/cursor.h"
#include "app/daytime_entry.h"
#include "app/editwnd.h"
#include "app/help.h"
#include "app/netcmd.h"
#include "app/recent.h"
#include "core/langtext.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

int (*FrameWindowCommand)(int id) = nullptr;

static int PickPending = 0;

void BeginPickMode() {
  SetCursorMode(41);
  PickPending = 1;
}
void EndPickMode() {
  SetCursorMode(40);
  PickPending = 0;
}
int IsPickPending() { return PickPending; }

void DispatchEpilogue() {
  DrawStatusIndicators(nullptr);
  if (GridBlocksChanged) {
    RefreshTrainCellCodes(0);
    GridBlocksChanged = 0;
  }
}

// ---- actions ------------------------------------------------------------------------------------
static void CmdFrame(int id) {
  if (FrameWindowCommand) FrameWindowCommand(id);
}
static void CmdNewNetwork(int) { NewNetwork(); }
static void CmdOpen(int) { OpenNetworkCommand(nullptr); }
static void CmdImport(int) {
  if (FileCommands.importDrawingScript) ImportNetworkCommand();
}
#ifndef QUIL_VIEWER
static void CmdSave(int) { SaveNetworkWithBackups(); }
static void CmdSaveAs(int) { SaveNetworkAsCommand(); }
static void CmdPassword(int) { NetworkPasswordCommand(); }
#else
static constexpr CommandAction CmdSave = nullptr, CmdSaveAs = nullptr, CmdPassword = nullptr;
#endif
static void CmdRecent(int id) {
  char16_t path[RECENT_CHARS];
  if (GetRecentFile(path, id) == 0) OpenNetworkCommand(path);
}
static void CmdSimulation(int) { SetSimulationRunning(SIMRUN_TOGGLE); }
static void CmdHelp(int id) { ShowHelpTopic(id == 418 ? 40056 : id == 419 ? 40050 : 1); }
static void CmdDayPhase(int) { EditDayPhaseTimes(); }

// ---- conditions ---------------------------------------------------------------------------------
static int HasWindow(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  return s && s->window;
}
static int CanZoomIn(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  return s && (s->viewMode != VIEW_SYMBOLS || s->zoom < 8);
}
static int CanZoomOut(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  return s && (s->viewMode != VIEW_OVERVIEW || s->zoom < 64);
}
static int CanLevelDown(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  return s && s->cursorLevel >= -3;
}
static int CanLevelUp(int slot) {
  EditViewSlot* s = GetEditSlot(slot);
  return s && s->cursorLevel < 0;
}
static int CanGoBack(int slot) { return CanGoBackInHistory(slot); }
static int CanGoForward(int slot) { return CanGoForwardInHistory(slot); }
static int BlockMarked(int) { return SetBlockMarkMode(3) != 0; }
static int HasTrains(int) { return GetTrainCount() > 0; }
static int HasLogPoints(int) { return GetLogSettings(nullptr, nullptr, nullptr, nullptr) > 0; }
static int HasFreeSlot(int) { return FirstFreeEditSlot() >= 0; }
static int CanImport(int) { return FileCommands.importDrawingScript != nullptr; }

// Every command id of the menus, the recent files, the window activation and the context menu.
static const CommandRow kCommands[] = {
    {256, 256, CmdNewNetwork, nullptr},
    {257, 257, CmdOpen, nullptr},
    {258, 258, CmdSave, nullptr},
    {259, 259, CmdSaveAs, nullptr},
    {260, 260, CmdImport, CanImport},
    {261, 262, nullptr, nullptr},  // text-table and picture export
    {265, 265, CmdPassword, nullptr},
    {266, 266, CmdFrame, nullptr},
    {272, 303, CmdRecent, nullptr},
    {304, 305, nullptr, nullptr},  // palette symbol choice, line list
    {307, 312, nullptr, nullptr},  // general info, text, info text, settings, positions, go to
    {313, 313, nullptr, CanGoBack},
    {314, 314, nullptr, CanGoForward},
    {315, 319, nullptr, nullptr},  // whole network, track kinds, random blocks, move, copy
    {320, 321, nullptr, BlockMarked},
    {322, 322, nullptr, nullptr},
    {323, 323, nullptr, BlockMarked},
    {325, 330, nullptr, nullptr},  // searches, signal installation, switch, info text
    {331, 331, nullptr, HasLogPoints},
    {336, 336, CmdFrame, CanZoomIn},
    {337, 337, CmdFrame, CanZoomOut},
    {338, 339, CmdFrame, HasWindow},
    {340, 340, nullptr, nullptr},
    {341, 341, nullptr, CanLevelUp},
    {342, 342, nullptr, CanLevelDown},
    {344, 359, CmdFrame, HasWindow},
    {368, 368, nullptr, nullptr},
    {369, 374, nullptr, HasTrains},
    {375, 376, nullptr, nullptr},
    {377, 377, nullptr, HasTrains},
    {384, 384, CmdSimulation, nullptr},
    {385, 396, nullptr, nullptr},  // clock and simulation settings, options, fonts, exports, log
    {400, 400, CmdFrame, HasFreeSlot},
    {401, 406, CmdFrame, nullptr},
    {417, 417, nullptr, nullptr},
    {418, 420, CmdHelp, nullptr},
    {421, 428, nullptr, nullptr},  // depot, line and element lists
    {429, 429, nullptr, HasLogPoints},
    {430, 430, nullptr, nullptr},  // event display
    {432, 432, nullptr, nullptr},  // colours
    {433, 433, CmdDayPhase, nullptr},
    {448, 451, nullptr, nullptr},  // event filters
    {464, 466, nullptr, nullptr},  // language and help files
    {480, 481, nullptr, nullptr},  // user graphic-file lists
    {496, 508, nullptr, nullptr},  // the context menu's items at the cursor
    {512, 518, CmdFrame, nullptr},
};

const CommandRow* GetCommandRows(int* count) {
  *count = (int)(sizeof kCommands / sizeof kCommands[0]);
  return kCommands;
}

const CommandRow* FindCommandRow(int id) {
  for (const CommandRow& r : kCommands)
    if (id >= r.first && id <= r.last) return &r;
  return nullptr;
}

int IsCommandEnabled(int id, int slot) {
  const CommandRow* r = FindCommandRow(id);
  if (!r || !r->action) return 0;
  return !r->condition || r->condition(slot);
}

uint32_t ToggledCaption(int id, int slot, int clockOpen) {
  EditViewSlot* s = GetEditSlot(slot);
  switch (id) {
    case 338: return (s && s->displayFlag) ? LANG_ID(33991) : LANG_ID(33990);
    case 339: return (s && s->scrollBarFlag) ? LANG_ID(33992) : LANG_ID(33993);
    case 384: return IsSimulationRunning() ? LANG_ID(33809) : LANG_ID(33810);
    case 405: return EditViews.statusLayoutWide ? LANG_ID(33855) : LANG_ID(33854);
    case 406: return clockOpen ? LANG_ID(33857) : LANG_ID(33856);
  }
  return 0;
}

void HandleMenuCommand(int id) {
  EndPickMode();
  const CommandRow* r = FindCommandRow(id);
  if (r && r->action) r->action(id);
  DispatchEpilogue();
}
