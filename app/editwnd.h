// The table of the up to six edit windows (one slot per window) and the operations that create,
// close, activate, zoom and tile them; the window procedure and drawing threads are Win32-only.
#pragma once
#include <cstdint>

constexpr int EDIT_SLOTS = 6;
constexpr int EDIT_HISTORY_BYTES = 12288;  // position history: 1024 entries of 12 bytes

// View modes.
constexpr uint32_t VIEW_SYMBOLS = 1;   // symbol graphics: zoom 1, 2, 4, 6, 8 (pixels magnified)
constexpr uint32_t VIEW_DIAGRAM = 2;   // line diagram: zoom 1, 2, 4, 8
constexpr uint32_t VIEW_OVERVIEW = 3;  // overview: zoom 1 .. 64 (cells per pixel)
constexpr int VIEW_REQ_ZOOM_IN = 13;
constexpr int VIEW_REQ_ZOOM_OUT = 14;

struct LockRecord;  // platform lock (core/platform.h); each slot owns two

// What the overlay painters of a window may read: copied by the user-interface thread under the
// window's lock A, read by the render thread under the same lock. The render thread never looks
// at the grid, the element stores or the trains themselves.
struct EditOverlaySnapshot {
  uint32_t valid;  // 0 until the first snapshot
  uint32_t viewMode;
  int32_t zoom;
  int32_t originX, originY;  // first visible cell
  int32_t fineX, fineY;
  int32_t cellsWide, cellsHigh;
  int32_t cursorX, cursorY, cursorLevel;
  uint32_t textLabels;      // draw the text labels (display option 7, mode 1)
  uint32_t annotationBits;  // six annotation bits
  uint32_t trainLabelBits;  // two train-label bits
  uint32_t overlayPause;    // OverlayPauseSwitch at the time of the snapshot
  void* items;              // overlay items prepared by the views (owned by the views)
  uint32_t itemCount;
  // Filled by the views (OverlaySnapshotFill):
  int32_t level;              // the window's level
  uint32_t active;            // the window is the active one (the cursor mark is drawn)
  uint32_t followBlocks;      // the window follows the selected train (no cursor mark)
  uint32_t annotationBoxOff;  // annotations without boxes
  uint32_t trainBoxOff;       // train labels without boxes
  uint32_t dayPhase;          // day-phase flags
  uint32_t dayPhaseOptions;   // colour by day phase (1), darker below ground (2)
  uint32_t cursorColour;      // platform colour of the cursor mark
};

struct EditViewSlot {
  void* window;        // 0 = slot free
  uint32_t showState;  // 1 normal, 2 minimised, 3 maximised
  uint32_t viewMode;   // VIEW_...
  int32_t zoom;
  int32_t pixelWidth, pixelHeight;
  int32_t cellsWide, cellsHigh;
  int32_t originX, originY;
  int32_t farX, farY;    // origin + size in cells
  int32_t fineX, fineY;  // sub-cell pixel offsets
  int32_t cursorX, cursorY, cursorLevel;
  void* windowDC;
  void* memoryDC;
  void* bitmap;
  void* defaultBitmap;
  uint32_t* drawBuffer;    // written by the user-interface thread under lock B
  uint32_t* bitmapBuffer;  // read by the render thread
  uint32_t pixelCount;
  uint8_t bitmapHeader[40];  // 32 bits per pixel, rows bottom-up
  volatile uint32_t ready;   // the drawing buffer is complete
  volatile uint32_t dirty;   // a frame is wanted
  uint32_t displayFlag;      // per-window display switch (command 338)
  uint32_t scrollBarFlag;    // both scroll bars shown
  int32_t savedRect[4];      // normal-position rectangle; savedRect[0] == -1: none
  uint8_t* history;          // position history block
  int32_t historyTop, historyFill;
  void* timerThread;
  void* renderThread;
  void* semaphore;                // frame trigger, count 0..1
  LockRecord* lockA;              // render lock
  LockRecord* lockB;              // buffer lock
  volatile uint32_t stopThreads;  // set when the window goes: both threads end by themselves
  uint32_t suspendedLockA;        // SuspendThreads(0) holds lock A of this slot
  EditOverlaySnapshot overlay;
};

struct EditViewTable {
  EditViewSlot slot[EDIT_SLOTS];
  int32_t active;             // -1 none
  int32_t lastUsed;           // -1 none
  int32_t followed;           // followed window, -1 none
  int32_t frameRate;          // 1..60
  int32_t frameInterval;      // 1000 / frameRate ms (30 before the first setting)
  uint32_t statusLayoutWide;  // status-window layout switch (command 405)
};

extern EditViewTable EditViews;

// 1 when n names a slot (0..5), else 0. Every access by index goes through this check.
int IsEditSlot(int n);
// The slot record or null for a bad index.
EditViewSlot* GetEditSlot(int n);

// All handles 0, show states 1, view mode 1 zoom 1, no saved rectangle; active and last used -1.
void ResetEditWindows();
int FindEditWindow(void* window);  // slot or -1
int CountEditWindows();
int FirstFreeEditSlot();  // slot or -1

// Results of CreateEditWindow.
constexpr int EDITWND_OK = 0;
constexpr int EDITWND_NOT_CREATED = 1;
constexpr int EDITWND_ALL_USED = 2;
constexpr int EDITWND_NO_BUFFERS = 3;
// Results of SetViewModeAndZoom.
constexpr int VIEWZ_OK = 0, VIEWZ_BAD_SLOT = 1, VIEWZ_UNCHANGED = 2, VIEWZ_BAD_MODE = 3,
              VIEWZ_BAD_ZOOM = 4, VIEWZ_NO_STEP = 5, VIEWZ_NO_BUFFERS = 6;

// Window operations (Win32 build; the native build has none of them).
int CreateEditWindow(int zoomRequest);  // EDITWND_...
int CloseEditWindow(int slot);          // 2 bad slot, 1 no window, 0 destroyed
void ActivateEditWindow(int n);         // 0..5, -1 status, -2 next, -3 previous, -4 last used
int SetViewModeAndZoom(int slot, int modeOrRequest, int zoom);
int ZoomIn(int slot);
int ZoomOut(int slot);
int PrepareWindowBuffers(int slot, int pixelWidth, int pixelHeight, int clear);
void ResizeEditWindow(int slot, int pixelWidth, int pixelHeight);
void SuspendThreads(int resume);  // 0 suspend, 1 resume
int SetFrameRate(int n);
void ArrangeStatusWindow(int keepPosition, int show);
void ToggleWindowDisplayFlag();
void ShowExitMessage();
// Copies what the overlays of the slot need into its snapshot, under the slot's lock A (when the
// slot has its locks). Returns 0, or 1 for a bad slot.
int PublishOverlaySnapshot(int slot);
// Reads the snapshot of a slot under its lock A into out (the render thread's side); 0, or 1 for
// a bad slot.
int ReadOverlaySnapshot(int slot, EditOverlaySnapshot* out);

// Overlays of a frame, chosen from the snapshot alone: bit 1 text labels, 2 annotations,
// 4 train labels, 8 cursor mark.
constexpr uint32_t OVERLAY_TEXTS = 1, OVERLAY_ANNOTATIONS = 2, OVERLAY_TRAIN_LABELS = 4,
                   OVERLAY_CURSOR = 8;
uint32_t OverlaysToDraw(const EditOverlaySnapshot* s);
// The views fill their part of a new snapshot (items included) before it is published, and free
// the items of the snapshot it replaces afterwards (null: the items are kept as they are).
extern void (*OverlaySnapshotFill)(int slot, EditOverlaySnapshot* n);
extern void (*OverlaySnapshotFree)(void* items);
// Painters of the overlays (set by the views; null = not drawn). dc is the window's memory DC.
typedef void (*OverlayPainter)(void* dc, const EditOverlaySnapshot* s);
extern OverlayPainter OverlayPainters[4];  // texts, annotations, train labels, cursor mark
// Display switches the snapshot carries (set by the option file and the display commands).
extern uint32_t OverlayTextLabelsOn;    // display option 7 (option Txte)
extern uint32_t OverlayAnnotationBits;  // six annotation bits
extern uint32_t OverlayTrainLabelBits;  // two train-label bits

// Suspension bookkeeping of SuspendThreads, portable so that it can be tested: (0) takes lock A
// of every slot that has a render thread and marks it; (1) leaves each marked lock.
void LockAllRenderLocks();
void UnlockAllRenderLocks();
