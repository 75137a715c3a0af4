// Key and mouse dispatch: every key of the main window and the edit windows goes through
// HandleKey; clicks in the status window through HandleStatusMouse, and mouse input of an edit
// window through HandleEditMouse. The window procedures only work out the modifier flags.
#pragma once
#include <cstdint>

// Modifier flags of HandleKey; only one branch is taken, in the order Ctrl, Shift, Alt.
constexpr int KEYMOD_CTRL = 1, KEYMOD_SHIFT = 2, KEYMOD_ALT = 4;

// Returns 1 when the key was handled. From an edit window it acts only while an edit window is
// active; from the status window only while none is.
int HandleKey(int key, int flags, int fromEdit);
// The pending Ctrl+K and Ctrl+Q prefixes (0 none).
extern uint32_t CtrlKPrefix, CtrlQPrefix;
// Position of a key code in a letter text (its letters upper-cased), -1 when it is not in it; a
// '-' in the text only holds its position.
int LetterPosition(const char16_t* letters, int key);

// Mouse messages (the values of the platform's messages; 0 = move the cursor only).
constexpr uint32_t MOUSE_CURSOR_ONLY = 0, MOUSE_MOVE = 0x200, MOUSE_LDOWN = 0x201,
                   MOUSE_LUP = 0x202, MOUSE_LDBLCLK = 0x203, MOUSE_RDOWN = 0x204, MOUSE_RUP = 0x205;
// Key-state bits of HandleEditMouse.
constexpr uint32_t MOUSEKEY_LEFT = 1, MOUSEKEY_CTRL = 8;

void HandleStatusMouse(uint32_t message, int x, int y);
void HandleEditMouse(uint32_t message, int x, int y, int edgeDrag, uint32_t keys);

struct EditViewSlot;
// The cell under a client pixel of a window (both divisions round down, so that pixels left of or
// above the first whole cell belong to the partial cell before it).
void EditPixelToCell(const EditViewSlot* s, int x, int y, int* cellX, int* cellY);

// Window operations the dispatch needs from the Win32 frame (set at start-up; null natively).
extern void (*FrameActivateWindow)(int n);  // ActivateEditWindow
extern int (*FrameSetFrameRate)(int n);     // SetFrameRate
