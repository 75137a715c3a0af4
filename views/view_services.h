// Services of the edit-window views that the core, the layout model, the frame and the symbol
// graphics call: cell redraw, window buffers and repaint, status and palette panes, scrolling,
// navigation, editing at the cursor, block marking and commands, diagram and overview classes.
#pragma once
#include <cstdint>

// ---- cell drawing and redraw -------------------------------------------------------------------
// View mask of DrawCell: 1 windows in view mode 1, 2 mode 2, 4 mode 2 with zoom step <= 8,
// 8 any other mode; 11 (1 + 2 + 8) redraws a cell in every window.
constexpr uint32_t DRAWCELL_ALL_VIEWS = 11;
// Redraws one grid cell in every open edit window of the mask that shows it (walking down past
// see-through cells).
void DrawCell(int x, int y, int level, uint32_t viewMask);
void RedrawCellAllViews(int x, int y, int level);  // DrawCell with DRAWCELL_ALL_VIEWS
// The trains' redraw queue: positions queued, then redrawn together (a full queue of
// REDRAW_QUEUE_CELLS positions is flushed before the next goes in). Flush returns the number
// of queue words walked; allViews 0 redraws in symbol views only.
constexpr int REDRAW_QUEUE_CELLS = 201;
int QueueCellRedraw(int x, int y, int level);  // the positions queued
int FlushCellRedrawQueue(int allViews);
// The display state of the element at a cell (0 for codes from 32767 and cells without one).
uint32_t GetCellElementState(int x, int y, int level, uint32_t code);
// Repaints at once: bit 1 the status window, bit 2 every edit window, bit 4 the windows in view
// mode 1, bit 8 the windows in view mode 2 with zoom step at most 8.
void InvalidateViews(uint32_t mask);
// Draws a code as a column of preview cells (scale index 0..3: rows of 16, 32, 64, 128 pixels).
void DrawCellColumn(void* dc, int pixelX, int pixelY, uint32_t code, uint32_t state,
                    int scaleIndex);
// Composes one code's picture with no grid neighbours into a device context or window (targets
// 6..9 draw at scale 1, 2, 4, 8): row offset 0 or less the code's own cell, 16 x i row i above
// it of a tall picture, -16 (with the empty code) the part of the cell above reaching down.
void DrawCellPreview(void* dc, int pixelX, int pixelY, uint32_t code, uint32_t state, int rowOffset,
                     uint32_t overlayFlags, uint32_t codeAbove, uint32_t stateAbove, int target);
// Vertical extent of a code's picture in pixels (16 .. 96); negative -(rows + 1) x 16 when the
// picture also reaches one row down.
int GetCellDrawExtent(uint32_t code, uint32_t state);
// A vehicle graphic cut into cells (scale 1 or 2; direction flag 8 right to left, 4 left to
// right): the graphic's width in pixels, 0 when the code has none.
int DrawCellVehicles(void* dc, int pixelX, int pixelY, int cells, int scale, uint32_t vehicleCode,
                     uint32_t directionFlags);

// ---- window pixel buffers and painting -----------------------------------------------------------
// One pixel of the window's drawing buffer (nothing outside the client area).
void PutWindowBufferPixel(int window, int x, int y, uint32_t pixel);
// Every step-th pixel of a column or row, the ends in either order, clipped.
void DrawWindowBufferColumn(int window, int x, int y1, int y2, uint32_t pixel, int step);
void DrawWindowBufferRow(int window, int x1, int y, int x2, uint32_t pixel, int step);
// Repaints an inclusive pixel rectangle of an edit window by its view mode and sets its ready
// and dirty flags (refused for bad coordinates, a missing window or buffer).
void PaintWindowRect(void* dc, int window, int x1, int y1, int x2, int y2);
// The symbol view's cells of the rectangle; while a network load has failed (NetworkInvalid)
// every cell is drawn as the empty cell.
void PaintSymbolViewRect(void* dc, int window, int x1, int y1, int x2, int y2);
// Publishes again the overlay snapshot of every window whose view or overlay options changed or
// whose cells were redrawn since (the tick calls it); the number published.
int RefreshOverlaySnapshots();
// The views' painters: the overlays of the edit windows, cells and symbol texts of dialogs.
void InstallViewPainters();
// Fills the inclusive rectangle of the window's drawing buffer (clipped; under the buffer lock).
void FillWindowBufferRect(int window, int x1, int y1, int x2, int y2, uint32_t pixel);
// Copies a w x h block of a bottom-up 32-bit source image to pixel (x, y), clipped.
void CopyPixelsToWindowBuffer(int window, int x, int y, int w, int h, const uint32_t* source,
                              int sourceColumn, int sourceRow, int sourceWidth, int sourceHeight);
// The same with every source pixel enlarged to factor x factor; factor 1 does nothing.
void CopyPixelsToWindowBufferScaled(int window, int factor, int x, int y, int w, int h,
                                    const uint32_t* source, int sourceColumn, int sourceRow,
                                    int sourceWidth, int sourceHeight);
void PaintEditWindow(int window);  // WM_PAINT of an edit window
// Shifts the inclusive pixel rectangle of the window's drawing buffer by (dx, dy) pixels
// (positive: right and down) under the buffer lock.
void ScrollWindowBuffer(int window, int x1, int y1, int x2, int y2, int dx, int dy);
// Repaints the cells under an inclusive pixel rectangle of the window at once.
void RefreshEditWindowRect(int window, int x1, int y1, int x2, int y2);
// Marks an inclusive pixel rectangle of the window for repainting by the next frame.
void InvalidateWindowRect(int window, int x1, int y1, int x2, int y2);
// Redraws a rectangle of a window's cells (top, left, bottom, right) into its drawing buffer.
void RedrawWindowCells(int window, int top, int left, int bottom, int right);
void ClearEditWindows();         // every open edit window to the background colour
void* GetDrawingDC(int window);  // window index or -1
// The cell drawing surfaces (32 x 16 and 64 x 32 colour bitmaps, an 8 x 16 monochrome one and
// their memory device contexts): 0, or 1 when one cannot be made (those made are kept).
int CreateCellDrawingDCs();
void DeleteCellDrawingDCs();
// The display raster flags: each on when the setting (option file) allows it and the screen has
// the capability (device-independent bitmap transfers; bit-block transfers for SetPixelV).
void QueryRasterCaps(int allowDibTransfer, int allowSetPixelV);
int GetRasterCapsFlags(int* setPixelVFlag);  // returns the DIB-transfer flag
// The background picture's pixel at a row-major index, as 0x00RRGGBB (0xFF0000 for an unknown
// storage format).
uint32_t GetBackgroundImagePixel(uint32_t index);
// Copies the part of the background picture under cell (x, y) into the cell buffer of the zoom.
void DrawCellBackground(int x, int y, int zoom);
// The same for a line-diagram cell (a square of 16 / zoom pixels) into the large cell buffer.
void DrawDiagramBackground(int x, int y, int zoom);
// Overlays drawn by the render thread under lock A (window 0..5).
void DrawTextLabelsInView(int window);
void DrawAnnotationsInView(int window);
void DrawTrainLabelsInView(int window);
int DrawCursorMarkInView(int window);  // 0 drawn, 1..7 why not

// ---- line diagram and overview -------------------------------------------------------------------
void DrawDiagramCell(void* dc, int windowOrTarget, int pixelX, int pixelY, uint32_t code,
                     uint32_t aspect, uint32_t lineColour, uint32_t background, int x, int y,
                     int level);
void RenderDiagramCell(void* dc, int windowOrTarget, int pixelX, int pixelY, uint32_t mask,
                       uint32_t aspectMark, uint32_t lineColour, uint32_t background, int x, int y,
                       int level);
// Connection mask of a code (bits 0-7 the eight direction codes); 0 for codes above 32767.
uint32_t GetDiagramConnectionMask(uint32_t code);
// Overview drawing class of a code at a position (133 = background), and of a position as an
// overview at the export scale draws it.
int GetOverviewCellClass(uint32_t code, int x, int y);
int GetOverviewWindowCellClass(int x, int y);
// Paints an inclusive pixel rectangle of an overview window (dc null: the window's own).
void PaintOverviewRange(void* dc, int window, int x1, int y1, int x2, int y2);

// ---- drawing primitives, colours and glyph text --------------------------------------------------
// Colours of these primitives are platform colours (red in the low byte).
void PutPixel(void* dc, int x, int y, uint32_t colour);  // SetPixelV when the raster flag says
void InvertPixel(void* dc, int x, int y);
// Every step-th pixel from the smaller to the larger end (1 solid, more dotted).
void DrawHorizontalPixelLine(void* dc, int x1, int y, int x2, uint32_t colour, int step);
void DrawVerticalPixelLine(void* dc, int x, int y1, int y2, uint32_t colour, int step);
void DrawPixelFrame(void* dc, int left, int top, int right, int bottom, uint32_t colour);
// Fills the rectangle with its right column and bottom row (nothing when no brush can be made).
void FillRectColour(void* dc, int left, int top, int right, int bottom, uint32_t colour);
// Scrolls the rectangle (x1, y1)-(x2 + 1, y2 + 1) of a window by (dx, dy), invalidating what is
// uncovered; nothing for an empty rectangle or no movement.
void ScrollWindowArea(void* window, int x1, int y1, int x2, int y2, int dx, int dy);
// Exchange bits 0-7 and 16-23 and clear bits 24-31 (platform colour to pixel, and back).
uint32_t SwapRedBlue(uint32_t colour);
uint32_t SwapRedBlueAlt(uint32_t colour);
// The colour word (pixel order) adjusted to the day-phase flags.
uint32_t ApplyDayPhaseToColour(uint32_t colour, uint32_t dayPhase);
// The glyph pen: the pixel position of the next glyph (every glyph advances it by 8).
void SetGlyphPen(int x, int y);
void GetGlyphPen(int* x, int* y);
// One character at the pen (background 0x80000001: transparent): 32 a blank, 1..31 the signs of
// the glyph store, others in display font 1; the pen advances by 8.
void DrawGlyphChar(void* dc, char16_t ch, uint32_t colour, uint32_t background);
void DrawGlyphRun(void* dc, int x, int y, char16_t ch, uint32_t colour, uint32_t background);
// Draws a symbol text (embedded items 1..6: cell pictures, highlight, vehicles, info-text cell,
// preview columns) into at most count glyph cells; the cells left over are blanks.
void DrawSymbolText(void* dc, int x, int y, const char16_t* text, uint32_t colour,
                    uint32_t highlight, uint32_t background, int count);
// Width in pixels (8 per glyph cell); length (may be null) gets the units with the terminator.
int MeasureSymbolText(const char16_t* text, int* length);

// ---- scrolling -----------------------------------------------------------------------------------
int ScrollViewLeft(int window);
int ScrollViewRight(int window);
int ScrollViewUp(int window);
int ScrollViewDown(int window);
int ScrollViewStep(int window, int dx, int dy);
// Page moves of cursor and view (byGrid: by the major grid spacing instead).
int ScrollViewPage(int window, int byGrid);  // right
int MoveViewLeft(int window, int byGrid);
int MoveViewUp(int window, int byGrid);
int MoveViewDown(int window, int byGrid);
int ScrollViewByPixels(int window, int dx, int dy);  // (|rows| << 8) | |columns| moved
int ScrollOneColumnRight(int window);                // columns moved
int ScrollOneColumnLeft(int window);
int ScrollOneRowDown(int window);  // rows moved
int ScrollOneRowUp(int window);
// Cells of a page: symbol view the visible cells - 1, diagram half of that, overview 0.
int GetPageStepX(int window);
int GetPageStepY(int window);
int ScrollViewRightBy(int window, int blocks);  // overview windows
int ScrollViewLeftBy(int window, int blocks);
int ScrollViewUpBy(int window, int blocks);
int ScrollViewDownBy(int window, int blocks);
// Overview cursor moves by cells (count 0: a page of eleven blocks); 1 done, 0 not an overview.
int MoveOverviewCursorLeft(int window, int count);
int MoveOverviewCursorUp(int window, int count);
int MoveOverviewCursorRight(int window, int count);
int MoveOverviewCursorDown(int window, int count);
// Centres an overview on (x, y), which is rounded down to its block.
void CenterViewOn(int window, int* x, int* y);
void CentreViewOnCursor(int window);  // the Home key

// ---- navigation, position history and status display ---------------------------------------------
// Moves the window's cursor to the cell, scrolling only near an edge; 0 (nothing done) for a
// position outside the grid, else 1.
int ScrollCellIntoView(int window, int x, int y, int level);
void SetCursorCell(int window, int x, int y);
// Records the window's cursor in its position history (before every cursor move).
void PushPositionHistory(int window);
int LevelUp(int window);    // 1 when already at level 0
int LevelDown(int window);  // 1 when already at level -4
int CanGoBackInHistory(int window);
int CanGoForwardInHistory(int window);
void GoBackInHistory();
void GoForwardInHistory();
void ResetPositionHistory();
// The 41 panes of the status window (pixels; the left edges are those of an 800-pixel window).
constexpr int STATUS_PANE_COUNT = 41;
struct StatusPane {
  int16_t left, top, width, height;
};
extern const StatusPane StatusPaneTable[STATUS_PANE_COUNT];
// The status window's client width (its WM_SIZE), for the spread layout of a wide window.
void SetStatusClientWidth(int width);
// Left x of a status pane (0..40), -1 for pane 41 and above; the out pointers may be null.
int GetStatusPaneRect(int pane, int* top, int* width, int* height);
void PaintStatusWindow();
void DrawCursorPosition(void* dc);  // null: the status window's own device context
// The cursor field's text: "x y level[window number]" of the active window, placeholders without.
void FormatCursorPosition(char16_t out[32]);
// The cursor field drawn by the build's own side: the pane filled with the background, the text
// at its left and top (transparent, clipped to the pane). The native build only records it.
void DrawCursorFieldText(void* dc, int left, int top, int width, int height,
                         const char16_t* text, uint32_t colour, uint32_t background);
struct CursorFieldDrawing {
  int count, x, y, width, height;
  uint32_t colour, background;
  char16_t text[32];
};
extern CursorFieldDrawing CursorFieldDrawn;  // native build: the last drawing
// What a move of an edit window asks of parts built elsewhere; null: nothing.
struct NavigationHookSet {
  void (*rebuildAnimations)(int window);  // the window's animated cells after a move
  void (*reshowBlockMarking)();           // marking that follows the window's level
};
extern NavigationHookSet NavigationHooks;
void DrawStatusIndicators(void* dc);

// ---- editing at the cursor -----------------------------------------------------------------------
void PlaceSymbolAtCursor(int key, int advance);
void PlaceCurrentSlotSymbol();  // a left click in pick mode
// Set by PlaceCurrentSlotSymbol: the edit window ignores the next left-button release (and
// clears the flag then).
extern int EditIgnoreButtonUp;
// Results of PlaceSymbolAt.
constexpr int PLACE_DONE = 0, PLACE_DECLINED = 1, PLACE_REFUSED = 2;
// Places a code at a cell as the digit keys do (refusals, questions, editors, deletions, write,
// redraw; advance: the active window's cursor steps on).
int PlaceSymbolAt(int x, int y, int level, uint32_t code, int advance);
// Clears a cell (its animation entry too), recomputing the used area when the cell lay on its
// border; marks the network modified.
void ClearCellAt(int x, int y, int level, int redraw);
// Redraws a cell in every view and, in symbol views, the neighbours that may overlap it.
void RedrawCellArea(int x, int y, int level);
// Where the cursor goes after placing a code: bits 1 right, 2 left, 4 down, 8 up.
uint32_t GetPlacementAdvance(uint32_t code);
// The long advance lists of the symbol set (codes whose symbols run down, down to the right and
// up to the right; each ends with 65535), set at start-up; empty lists until then.
extern const uint16_t* PlacementAdvanceLists[3];
// Dialogs of the cell under the cursor (x, y, level): the reservation of a marked cell (code
// without its mark), a user symbol's information, the class-B variants and the plain cell's
// information with the track and empty-cell variants.
void ShowReservationInfo(int x, int y, int level, uint32_t code);
void ShowUserSymbolInfo(int x, int y, int level);
void EditClassBVariant(int x, int y, int level);
void ShowCellInfo(int x, int y, int level);
void EditElementAtCursor(int flags);  // 1, 2 double click / Enter, 5, 6 button up
// Writes a code, redraws it when asked, marks the network modified and widens the used area:
// 1 done, 0 the grid block cannot be allocated.
int SetCellSymbolAt(int x, int y, int level, int redraw, uint32_t code);
// Search the grid from the position after (x, y, level) (x -1: from the start): 1 found with
// the position written back, 0 not found.
int SearchFromCell(int* x, int* y, int* level, int options, const char16_t* text);
int FindSymbolFromCell(int* x, int* y, int* level, uint32_t options, const uint32_t slotCodes[10]);
// The remembered form of the element kind of a symbol code (the form a new element of the kind
// gets), within the kind's state range; 0 for codes of no element kind.
uint32_t GetConfiguredSymbolForm(uint32_t code);

// ---- block copy text, block operations and commands ----------------------------------------------
int CopyCellToClipboard(int x, int y, int level);
int StepCellTrackKind(int x, int y, int level, int direction);  // 0 changed, 1 not
// Draws a track line (kind 1..25, 0x8000: no info box and no repaint): 0, or 1, 2, 3 refused.
int BuildTrackLine(int x1, int y1, int x2, int y2, int level, int width, int kind);
// Menu commands; marked = 1 when block marking is on (else the whole used area).
void CopyBlockToClipboardCommand();      // 321
void CutBlockCommand();                  // 320
void PasteBlockCommand(int singleCell);  // 322 (0)
void DeleteBlockCommand();               // 323
void MoveBlockCommand(int marked);       // 318
void ScaleBlockCommand(int marked);      // 319
void BuildTrackLineCommand();            // 315
void ConvertTrackKindCommand();          // 316
void PlaceRandomBlocksCommand();         // 317
// Construction settings (option keys BauStrecke and BauFlaeche).
struct ConstructionSettings {
  int32_t lineWidth;                       // 1..9
  int32_t lineKind;                        // 1..25
  int32_t continueFlag;                    // 0/1
  int32_t counts[5];                       // 0..64 each
  int32_t areaChoice;                      // 1..10
  int32_t blockNumber;                     // 1..5000
  int32_t blockWidth;                      // 15..30
  int32_t blockHeight;                     // 15..30
  int32_t areaX1, areaY1, areaX2, areaY2;  // x1, y1 >= 0; x2, y2 <= 32768; x1 < x2, y1 < y2
};
void GetConstructionSettings(ConstructionSettings* out);
// Stores each value in the order above up to the first out of range: then 1 (low byte), else 0.
int SetConstructionSettings(const ConstructionSettings* in);
void GetStrUmbSettings(int* from, int* to, int* mode);
int SetStrUmbSettings(int from, int to, int mode);
int GetConstructionOrigin(int* y);  // returns x (-1 when not set)
void SetConstructionOrigin(int x, int y);

// ---- block marking, saved positions and alarms ---------------------------------------------------
// 0 off, 1 on, 2 toggle (with redraw); 4 off, 5 and 6 on without redraw; other values ask.
// Returns the state (0 or 1).
int SetBlockMarkMode(int mode);
int SetMarkedBlock(int x1, int y1, int level1, int x2, int y2, int level2, int redraw);
void GetMarkedBlock(int* x1, int* y1, int* level1, int* x2, int* y2, int* level2);
int GetNormalizedMarkedBlock(int* x1, int* y1, int* level1, int* x2, int* y2, int* level2);
int SetMarkLevelMode(int mode, int redraw);  // 0 set, 1 unchanged, 2 out of 0..2
int GetMarkLevelMode();
// Saved positions 0..199 (name up to 64 characters, alarm a packed day-time): 1 for an index
// outside 0..199, else 0; every out pointer may be null.
int GetSavedPosition(int index, int* x, int* y, int* level, char16_t* name, uint32_t* alarm);
int SetSavedPosition(int index, int x, int y, int level, const char16_t* name, uint32_t alarm);
void CheckPositionAlarms();
void CellToWindowPixel(int window, int point[2]);

// ---- symbol palette ------------------------------------------------------------------------------
void HandlePaletteCommand(int command);  // 301..307 and hot-key letters
void StepPaletteSymbol(int delta);
int SelectPaletteGroup(int group, int index, uint32_t mask, int mirror);
int GetPaletteSelection(int* index, uint32_t* mask, int* mirror);  // returns the group
void SelectPaletteSlot(int slot);       // a click on slot (x - pane left) / 36 of pane 0
int GetPaletteSlot();                   // the current slot 0..9
void GetSlotCodes(uint32_t codes[10]);  // the current entry's ten codes, 0xC000 empty
void DrawSymbolPalette(void* dc);
void OpenSymbolChoiceDialog();
int GetClassBVariant();
int SetClassBVariant(int variant);  // -3..4; 1 in the low byte when refused

// ---- animated cells -----------------------------------------------------------------------------
// After a placement the cell joins the animated cells when its symbol is animated; before a
// change or a clear its entry goes.
void StartAnimationAt(int x, int y, int level, uint32_t code);
void RemoveAnimationAt(int x, int y, int level);

// ---- display switches read by the cell drawing and placing -------------------------------------
extern int PlaceOverTrainSwitch;   // option J: digit-key placing goes on over a train's cell
extern int CellMarkDisplaySwitch;  // option I
extern int LogPointDisplaySwitch;  // option Log_P
