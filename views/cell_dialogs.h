// The dialogs that editing at the cursor opens for a cell without an element editor of its own:
// the reservation of a marked cell (template 4), a user symbol's information (5), the plain cell
// information (6), the class-B variants (7), the track variants (8) and the empty-cell variants (9).
// ShowReservationInfo, ShowUserSymbolInfo, EditClassBVariant and ShowCellInfo are declared with
// the view services.
#pragma once
#include <cstdint>
#include "app/dialog.h"

constexpr uint32_t CELLDLG_RESERVATION = 4, CELLDLG_USER_SYMBOL = 5, CELLDLG_CELL_INFO = 6,
                   CELLDLG_CLASS_B = 7, CELLDLG_TRACK = 8, CELLDLG_EMPTY = 9;
// Controls of the cell dialogs.
constexpr uint32_t CELLDLG_TEXT = 190, CELLDLG_TEXT2 = 191, CELLDLG_FILE_NAME = 193;
constexpr uint32_t CELLDLG_INFO_BUTTON = 103, CELLDLG_RELEASE = 120;
constexpr uint32_t CELLDLG_NUMBER = 140, CELLDLG_FILE = 141, CELLDLG_IN_FILE = 142;
constexpr uint32_t CELLDLG_MIRRORED = 470, CELLDLG_PICTURE = 280, CELLDLG_CHOICE_BAR = 340;
constexpr uint32_t CELLDLG_RADIO_FIRST = 400;  // 400 0xC000, 401 0xC002, 402 0xC001

// The choices of the track-variant dialog for a code (below 16384, without its mark): their
// number (3, 4 or 8), or 0 when the code has no variants.
int GetTrackVariants(uint32_t code, uint32_t choices[8]);
// The choices of the class-B dialog (5 or 8), 0 for a code that is not class B.
int GetClassBVariants(uint32_t code, uint32_t choices[8]);
// The dialogs that ShowCellInfo tries first: 1 when the cell was theirs (whatever the answer).
int EditTrackVariant(int x, int y, int level);
int EditEmptyCellVariant(int x, int y, int level);
// The procedure of dialog 5; UserSymbolDialogCode holds the code chosen (0xC000 when the fields
// name no user symbol).
intptr_t QUIL_DLGCALL DlgF_ShowUserSym(WrapWindow window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam);
extern uint32_t UserSymbolDialogCode;
