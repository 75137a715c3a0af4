// The command table and the menu-command dispatcher.
#include "app/commands.h"
#include "../resources/menus.h"
#include "app/cursor.h"
#include "app/daytime_entry.h"
#include "app/editwnd.h"
#include "app/help.h"
#include "app/input.h"
#include "app/netcmd.h"
#include "app/optionfile.h"
#include "app/recent.h"
#include "app/settings_cmds.h"
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
static void CmdHelp(int id) {
  ShowHelpTopic(id == CMD_CONTENTS ? 40056 : id == CMD_MENU_HELP ? 40050 : 1);
}
static void CmdDayPhase(int) { EditDayPhaseTimes(); }
static void CmdSaveSettings(int) { SaveSettingsCommand(); }
static void CmdViewOptions(int) { DisplayOptionsCommand(); }
static void CmdGeneralOptions(int) { GeneralOptionsCommand(); }
static void CmdFonts(int) { FontSettingsCommand(); }
static void CmdMouseOptions(int) { MouseOptionsCommand(); }
static void CmdLogSettings(int) { LogSettingsCommand(); }
static void CmdColours(int) { ColourSettingsCommand(); }
static void CmdLanguageFile(int id) { LanguageFileCommand(id == CMD_SECOND_LANGUAGE_FILE); }
static void CmdHelpFile(int) { HelpFileCommand(); }
// The event display opens over the last-used edit window when none is active.
static void CmdEventDisplay(int) {
  EditViewSlot* s = GetEditSlot(EditViews.active);
  if (!(s && s->window) && FrameActivateWindow) FrameActivateWindow(-4);
  ShowEventDisplay();
}
static void CmdEventFilter(int id) { EventFilterCommand(id); }

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
    {CMD_NEW_NETWORK, CMD_NEW_NETWORK, CmdNewNetwork, nullptr},
    {CMD_OPEN, CMD_OPEN, CmdOpen, nullptr},
    {CMD_SAVE, CMD_SAVE, CmdSave, nullptr},
    {CMD_SAVE_AS, CMD_SAVE_AS, CmdSaveAs, nullptr},
    {CMD_IMPORT_DRAWING_SCRIPT, CMD_IMPORT_DRAWING_SCRIPT, CmdImport, CanImport},
    {CMD_EXPORT_TEXT_TABLE, CMD_EXPORT_PICTURE, nullptr, nullptr},  // text-table and picture export
    {CMD_PASSWORD, CMD_PASSWORD, CmdPassword, nullptr},
    {CMD_QUIT, CMD_QUIT, CmdFrame, nullptr},
    {CMD_RECENT_FIRST, CMD_RECENT_LAST, CmdRecent, nullptr},
    {CMD_SYMBOL_CHOICE, CMD_EDIT_LINES, nullptr, nullptr},  // palette symbol choice, line list
    {CMD_GENERAL_INFORMATION, CMD_GO_TO_POSITION, nullptr,
     nullptr},  // general info, text, info text, settings, positions, go to
    {CMD_BACK, CMD_BACK, nullptr, CanGoBack},
    {CMD_FORWARD, CMD_FORWARD, nullptr, CanGoForward},
    {CMD_WHOLE_NETWORK, CMD_COPY_BLOCK_TO_PLACE, nullptr,
     nullptr},  // whole network, track kinds, random blocks, move, copy
    {CMD_CUT_BLOCK, CMD_COPY_BLOCK, nullptr, BlockMarked},
    {CMD_PASTE_BLOCK, CMD_PASTE_BLOCK, nullptr, nullptr},
    {CMD_DELETE_BLOCK, CMD_DELETE_BLOCK, nullptr, BlockMarked},
    {CMD_TEXT, CMD_NEXT_INFO_TEXT, nullptr,
     nullptr},  // searches, signal installation, switch, info text
    {CMD_NEXT_LOG_POINT, CMD_NEXT_LOG_POINT, nullptr, HasLogPoints},
    {CMD_ZOOM_IN, CMD_ZOOM_IN, CmdFrame, CanZoomIn},
    {CMD_ZOOM_OUT, CMD_ZOOM_OUT, CmdFrame, CanZoomOut},
    {CMD_DISPLAY_SWITCH_ON, CMD_SHOW_SCROLL_BARS, CmdFrame, HasWindow},
    {CMD_VIEW_OPTIONS, CMD_VIEW_OPTIONS, CmdViewOptions, nullptr},
    {CMD_LEVEL_UP, CMD_LEVEL_UP, nullptr, CanLevelUp},
    {CMD_LEVEL_DOWN, CMD_LEVEL_DOWN, nullptr, CanLevelDown},
    {CMD_VIEW_FIRST, CMD_VIEW_LAST, CmdFrame, HasWindow},
    {CMD_NEW_TRAIN, CMD_NEW_TRAIN, nullptr, nullptr},
    {CMD_TRAIN_LIST, CMD_LIST_OPTIONS, nullptr, HasTrains},
    {CMD_VEHICLE_SETS, CMD_VEHICLE_GRAPHICS, nullptr, nullptr},
    {CMD_FOLLOW_TRAIN, CMD_FOLLOW_TRAIN, nullptr, HasTrains},
    {CMD_START_SIMULATION, CMD_START_SIMULATION, CmdSimulation, nullptr},
    {CMD_CLOCK_SETTINGS, CMD_BACKGROUND_PICTURE, nullptr,
     nullptr},  // clock and simulation settings, background picture
    {CMD_SETTINGS_OPTIONS, CMD_SETTINGS_OPTIONS, CmdGeneralOptions, nullptr},
    {CMD_FONTS, CMD_FONTS, CmdFonts, nullptr},
    {CMD_MORE_OPTIONS, CMD_MORE_OPTIONS, CmdMouseOptions, nullptr},
    {CMD_PICTURE_EXPORT_OPTIONS, CMD_TEXT_EXPORT_OPTIONS, nullptr, nullptr},  // export options
    {CMD_LOG_SETTINGS, CMD_LOG_SETTINGS, CmdLogSettings, nullptr},
    {CMD_SAVE_SETTINGS_NOW, CMD_SAVE_SETTINGS_NOW, CmdSaveSettings, nullptr},
    {CMD_NEW_WINDOW, CMD_NEW_WINDOW, CmdFrame, HasFreeSlot},
    {CMD_CLOSE_WINDOW, CMD_CLOCK, CmdFrame, nullptr},
    {CMD_STATUS_INFO, CMD_STATUS_INFO, nullptr, nullptr},
    {CMD_CONTENTS, CMD_HELP_INDEX, CmdHelp, nullptr},
    {CMD_INFO_DEPOTS, CMD_INFO_ROUTE_POINTS, nullptr, nullptr},  // depot, line and element lists
    {CMD_INFO_LOG_POINTS, CMD_INFO_LOG_POINTS, nullptr, HasLogPoints},
    {CMD_INFO_EVENT_DISPLAY, CMD_INFO_EVENT_DISPLAY, CmdEventDisplay, nullptr},
    {CMD_COLOURS, CMD_COLOURS, CmdColours, nullptr},
    {CMD_TIMES_OF_DAY, CMD_TIMES_OF_DAY, CmdDayPhase, nullptr},
    {CMD_TRAINS, CMD_OTHERS, CmdEventFilter, nullptr},  // stop options and filter pages
    {CMD_LANGUAGE_FILE, CMD_SECOND_LANGUAGE_FILE, CmdLanguageFile, nullptr},
    {CMD_HELP_FILE, CMD_HELP_FILE, CmdHelpFile, nullptr},
    {CMD_SYMBOL_FILES, CMD_VEHICLE_GRAPHIC_FILES, nullptr, nullptr},  // user graphic-file lists
    {CMD_CONTEXT_ELEMENT_INFO, CMD_CONTEXT_PASTE, nullptr,
     nullptr},  // the context menu's items at the cursor
    {CMD_ACTIVATE_STATUS, CMD_ACTIVATE_WINDOW_6, CmdFrame, nullptr},
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

// The commands that free, move or replace trains or clear the network.
static const uint16_t kRefusedDuringStep[][2] = {
    {CMD_NEW_NETWORK, CMD_OPEN},
    {CMD_IMPORT_DRAWING_SCRIPT, CMD_IMPORT_DRAWING_SCRIPT},
    {CMD_QUIT, CMD_QUIT},
    {CMD_RECENT_FIRST, CMD_RECENT_LAST},
    {CMD_EDIT_LINES, CMD_EDIT_LINES},
    {CMD_WHOLE_NETWORK, CMD_COPY_BLOCK_TO_PLACE},
    {CMD_CUT_BLOCK, CMD_CUT_BLOCK},
    {CMD_PASTE_BLOCK, CMD_DELETE_BLOCK},
    {CMD_NEW_TRAIN, CMD_STOP_TRAINS},
    {CMD_INFO_DEPOTS, CMD_INFO_LINES},
    {CMD_CONTEXT_TRAIN_INFO, CMD_CONTEXT_TRAIN_COMMAND},
    {CMD_CONTEXT_PASTE, CMD_CONTEXT_PASTE},
};

int IsCommandRefusedDuringStep(int id) {
  for (const auto& r : kRefusedDuringStep)
    if (id >= r[0] && id <= r[1]) return 1;
  return 0;
}

int IsCommandEnabled(int id, int slot) {
  const CommandRow* r = FindCommandRow(id);
  if (!r || !r->action) return 0;
  if (IsSimulationStepActive() && IsCommandRefusedDuringStep(id)) return 0;
  return !r->condition || r->condition(slot);
}

uint32_t ToggledCaption(int id, int slot, int clockOpen) {
  EditViewSlot* s = GetEditSlot(slot);
  switch (id) {
    case CMD_DISPLAY_SWITCH_ON: return (s && s->displayFlag) ? LANG_ID(33991) : LANG_ID(33990);
    case CMD_SHOW_SCROLL_BARS: return (s && s->scrollBarFlag) ? LANG_ID(33992) : LANG_ID(33993);
    case CMD_START_SIMULATION: return IsSimulationRunning() ? LANG_ID(33809) : LANG_ID(33810);
    case CMD_STATUS_LAYOUT: return EditViews.statusLayoutWide ? LANG_ID(33855) : LANG_ID(33854);
    case CMD_CLOCK: return clockOpen ? LANG_ID(33857) : LANG_ID(33856);
  }
  return 0;
}

void HandleMenuCommand(int id) {
  // A simulation step waiting in a modal question still holds its train: nothing may free it.
  if (IsSimulationStepActive() && IsCommandRefusedDuringStep(id)) return;
  EndPickMode();
  const CommandRow* r = FindCommandRow(id);
  if (r && r->action) r->action(id);
  DispatchEpilogue();
}
