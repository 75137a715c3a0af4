// The settings commands: log settings, the language, second-language and help files, the display
// colours with their chooser, and the option dialogs (mouse and cursor, general, display) and the
// font dialog. Each shows the current values of the components that own them and writes back
// through their setters.
#pragma once
#include <cstdint>
#include "app/dialog.h"
#include "graphics/fonts.h"

// Dialog templates.
constexpr uint32_t MOUSE_OPTIONS_TEMPLATE = 56;
constexpr uint32_t GENERAL_OPTIONS_TEMPLATE = 57;
constexpr uint32_t DISPLAY_OPTIONS_TEMPLATE = 58;
constexpr uint32_t COLOURS_TEMPLATE = 102;
constexpr uint32_t FONTS_TEMPLATE = 105;
constexpr uint32_t LOG_SETTINGS_TEMPLATE = 107;

// ---- the commands ----------------------------------------------------------------------------------
void LogSettingsCommand();                // 395
int LanguageFileCommand(int second);      // 464 (0) and 465 (1): 0 loaded, 1 not
int HelpFileCommand();                    // 466: 0 taken, 1 not
void ColourSettingsCommand();             // 432
int MouseOptionsCommand();                // 392: the dialog result
int GeneralOptionsCommand();              // 390: SetAutosaveOptions' result or the dialog result
int DisplayOptionsCommand();              // 340: the dialog result
void FontSettingsCommand();               // 391

// ---- colours -----------------------------------------------------------------------------------------
constexpr int SETTABLE_COLOUR_COUNT = 136;
struct SettableColour {
  uint8_t number;   // display colour number
  uint16_t textId;  // its name
};
extern const SettableColour kSettableColours[SETTABLE_COLOUR_COUNT];
// The platform colour chooser on the sixteen custom colours 134..149 (as one dialog level, the
// simulation held while it is open): the chosen colour (0x00BBGGRR), or initial when cancelled.
uint32_t ChooseColourDialog(WrapWindow owner, uint32_t initial);
// The procedure of the colour dialog.
intptr_t QUIL_DLGCALL DlgF_SetFarben(WrapWindow window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);
// The procedure of the font dialog: each sample line in its own font.
intptr_t QUIL_DLGCALL DlgF_FontAuswahl(WrapWindow window, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam);

// ---- the frame's part (set by the Win32 frame at start-up; null natively) --------------------------
// Repaints every window; with texts set the window titles and the menu texts are set anew first.
extern void (*FrameRefreshWindows)(int texts);

// ---- the platform's part (settings_choosers_win32.cpp / _native.cpp) --------------------------------
// Runs the platform colour chooser fully opened on colour with the sixteen custom colours and a
// help button for helpTopic: 1 chosen (colour and custom updated), 0 cancelled.
int PlatformChooseColour(WrapWindow owner, uint32_t* colour, uint32_t custom[16],
                         uint16_t helpTopic);
// Runs the platform font chooser on font (screen fonts of 4 to 14 points, fixed pitch only when
// asked): 1 confirmed (font updated), 0 cancelled.
int PlatformChooseFont(WrapWindow owner, FontSetting* font, int fixedPitchOnly, uint16_t helpTopic);
// A swatch control of a dialog shows a colour (0x00BBGGRR) from now on.
void PlatformShowSwatch(WrapWindow dialog, uint32_t controlId, uint32_t colour);
// The brush a swatch control is painted with (its WM_CTLCOLORSTATIC answer), null for another
// control.
void* PlatformSwatchBrush(WrapWindow dialog, WrapWindow control);
// Frees what the swatches of a dialog hold (at WM_DESTROY).
void PlatformForgetSwatches(WrapWindow dialog);
// A control of a dialog shows its text in a platform font handle (null: the dialog's own font).
void PlatformSetControlFont(WrapWindow dialog, uint32_t controlId, void* font);

// Native test seam: the "user" of the choosers. A colour user returns 1 and sets *colour (and may
// change custom) to choose, 0 to cancel; a font user the same with the font. Null: cancelled.
typedef int (*ColourChooserUser)(uint32_t* colour, uint32_t custom[16], void* context);
typedef int (*FontChooserUser)(FontSetting* font, int fixedPitchOnly, void* context);
void ChooserSeamSet(ColourChooserUser colour, FontChooserUser font, void* context);
int ChooserSeamColourRuns();                       // colour choosers opened since the set
int ChooserSeamFontRuns();                         // font choosers opened since the set
uint32_t ChooserSeamSwatch(uint32_t controlId);    // the colour a swatch shows (0xFFFFFFFF: none)
int ChooserSeamDialogLevelSeen();                  // dialog level while the last chooser ran
int ChooserSeamRunningSeen();                      // simulation running flag while it ran
void* ChooserSeamControlFont(uint32_t controlId);  // the font a control was given
