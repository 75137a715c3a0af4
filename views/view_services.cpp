// Neutral defaults of the view services until the edit-window views are built: drawing and
// window operations do nothing, queries answer "nothing there".
#include "views/view_services.h"
#include "graphics/colours.h"
#include "model/grid.h"

int PlaceOverTrainSwitch = 0;
int CellMarkDisplaySwitch = 0;
int LogPointDisplaySwitch = 0;

static int RasterDibFlag = 0, RasterSetPixelVFlag = 0;
// Each flag is on only when the setting allows it and the screen can do it.
void QueryRasterCaps(int allowDibTransfer, int allowSetPixelV) {
  int caps = GetScreenRasterCaps();
  RasterDibFlag = allowDibTransfer && (caps & RASTER_CAN_DIB_TO_DEVICE) ? 1 : 0;
  RasterSetPixelVFlag = allowSetPixelV && (caps & RASTER_CAN_BITBLT) ? 1 : 0;
}
int GetRasterCapsFlags(int* setPixelVFlag) {
  if (setPixelVFlag) *setPixelVFlag = RasterSetPixelVFlag;
  return RasterDibFlag;
}

void DrawDiagramCell(void* dc, int windowOrTarget, int pixelX, int pixelY, uint32_t code,
                     uint32_t aspect, uint32_t lineColour, uint32_t background, int x, int y,
                     int level) {}
void RenderDiagramCell(void* dc, int windowOrTarget, int pixelX, int pixelY, uint32_t mask,
                       uint32_t aspectMark, uint32_t lineColour, uint32_t background, int x, int y,
                       int level) {}
uint32_t GetDiagramConnectionMask(uint32_t code) { return 0; }
int GetOverviewCellClass(uint32_t code, int x, int y) { return 133; }
int GetOverviewWindowCellClass(int x, int y) { return 133; }

void PaintOverviewRange(void* dc, int window, int x1, int y1, int x2, int y2) {}
void CentreViewOnCursor(int window) {}

int LevelUp(int window) { return 1; }
int LevelDown(int window) { return 1; }
int CanGoBackInHistory(int window) { return 0; }
int CanGoForwardInHistory(int window) { return 0; }
void GoBackInHistory() {}
void GoForwardInHistory() {}
void ResetPositionHistory() {}
void PaintStatusWindow() {}
void DrawStatusIndicators(void* dc) {}

int CopyCellToClipboard(int x, int y, int level) { return 1; }
int StepCellTrackKind(int x, int y, int level, int direction) { return 1; }
int BuildTrackLine(int x1, int y1, int x2, int y2, int level, int width, int kind) { return 1; }
void CopyBlockToClipboardCommand() {}
void CutBlockCommand() {}
void PasteBlockCommand(int singleCell) {}
void DeleteBlockCommand() {}
void MoveBlockCommand(int marked) {}
void ScaleBlockCommand(int marked) {}
void ConvertTrackKindCommand() {}
void BuildTrackLineCommand() {}
void PlaceRandomBlocksCommand() {}

void StartAnimationAt(int x, int y, int level, uint32_t code) {}
void RemoveAnimationAt(int x, int y, int level) {}
