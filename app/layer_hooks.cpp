// The hooks of the lower layers, filled with the program's own components.
#include "app/layer_hooks.h"
#include "app/dialog.h"
#include "app/dialog_fields.h"
#include "app/editwnd.h"
#include "app/infobox.h"
#include "app/msgbox_dialog.h"
#include "app/recent.h"
#include "app/titles.h"
#include "core/infobox_hooks.h"
#include "core/msgbox.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "elements/lines.h"
#include "model/doc_hooks.h"
#include "model/grid.h"
#include "model/netfile_sections.h"
#include "signalling/switch_control.h"
#include "trains/train_section.h"
#include "trains/train_services.h"
#include "views/view_services.h"

static_assert(DOC_VIEW_OVERVIEW == VIEW_OVERVIEW, "the document's overview mode");

static WrapWindow InnerOwner() {
  WrapWindow w = GetCurrentDialog();
  if (w) return w;
  EditViewSlot* slot = GetEditSlot(EditViews.active);
  return slot && slot->window ? (WrapWindow)slot->window : nullptr;
}

static WrapWindow MainWindow() { return (WrapWindow)LayerMainWindow(); }
static void SetRunningFlagAlone(int running) { SimulationRunningFlag = running; }

static int ActiveWindow() { return IsEditSlot(EditViews.active) ? EditViews.active : -1; }

static int GetViewPlace(int window, DocViewPlace* out) {
  const EditViewSlot* w = GetEditSlot(window);
  if (!w) return 1;
  out->viewMode = w->viewMode;
  out->cellsWide = w->cellsWide;
  out->cellsHigh = w->cellsHigh;
  out->originX = w->originX;
  out->originY = w->originY;
  out->cursorX = w->cursorX;
  out->cursorY = w->cursorY;
  out->cursorLevel = w->cursorLevel;
  return 0;
}

static void SetViewPlace(int window, const DocViewPlace* p) {
  EditViewSlot* w = GetEditSlot(window);
  if (!w) return;
  w->originX = p->originX;
  w->originY = p->originY;
  w->farX = w->originX + w->cellsWide;
  w->farY = w->originY + w->cellsHigh;
  w->cursorX = p->cursorX;
  w->cursorY = p->cursorY;
  w->cursorLevel = p->cursorLevel;
}

// Depot fields of dialogs step through the slots of every depot.
static int DepotNameCount() { return CountDepots(nullptr); }

static void RedrawClock() { RedrawClockPanes(nullptr); }
static void DrawStopTime() { DrawStopTimeField(nullptr); }

void SetLayerHooks() {
  MessageBoxCalls = MessageBoxHooks{InnerOwner, MainWindow, IsSimulationRunning,
                                    SetRunningFlagAlone, RunMessageDialog};
  InfoBoxCalls = InfoBoxHooks{OpenInfoBox, SetInfoBoxText, CloseInfoBox, GetInfoBoxLevel};
  DocumentHooks& d = DocHooks;
  d.updateTitles = UpdateWindowTitles;
  d.activeWindow = ActiveWindow;
  d.getViewPlace = GetViewPlace;
  d.setViewPlace = SetViewPlace;
  d.centreViewOn = CenterViewOn;
  d.scrollBarsToCursor = LayerScrollBarsToCursor;
  d.invalidateViews = InvalidateViews;
  d.drawCell = DrawCell;
  d.redrawClockPanes = RedrawClock;
  d.drawStopTimeField = DrawStopTime;
  d.addRecentFile = AddRecentFile;
  d.trainCellCode = GetTrainCellCode;
  d.followMode = GetFollowMode;
  d.setFollowMode = SetFollowMode;
  d.infoBounds = GetInfoBounds;
  d.logPointsBox = GetLogPointsBox;
  RegisterSwitchSection();
  RegisterLineServices();
  RegisterDepotSection();
  SetDialogNameSource(DLGK_DEPOT, DepotNameCount, ParseDepotReference);
  RegisterTrainsSection();
  NetClearOrder[NET_CLEAR_EVENTS] = ClearEventDisplay;
}
