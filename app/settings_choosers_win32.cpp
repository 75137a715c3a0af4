// The colour and font choosers of the platform, the colour swatches of the colour dialog and the
// fonts of the font dialog's sample lines.
#include <windows.h>
#include <commdlg.h>
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/help.h"
#include "app/settings_cmds.h"
#include "core/misc.h"
#include "core/platform_ui.h"

namespace {
// The swatches of the open colour dialog: control id, colour and its brush.
struct Swatch {
  uint32_t id;
  COLORREF colour;
  HBRUSH brush;
};
Swatch Swatches[2] = {{280, 0, nullptr}, {281, 0, nullptr}};
UINT HelpMessage = 0;  // "commdlg_help"

UINT_PTR ChooserHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              uint16_t* topic) {
  if (message == WM_INITDIALOG) {
    if (!HelpMessage) HelpMessage = RegisterWindowMessageA("commdlg_help");
    SetCurrentDialogWindow(window);
    return 1;
  }
  // The help button: the chooser's own command, or the registered help message.
  if ((message == WM_COMMAND && LOWORD(wParam) == 1038) ||
      (HelpMessage && message == HelpMessage)) {
    ShowHelpTopic(*topic);
    return 1;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    return (UINT_PTR)DialogControlColour((void*)wParam, message, (WrapWindow)lParam);
  return 0;
}

uint16_t ColourTopic = 0, FontTopic = 0;

UINT_PTR CALLBACK DlgF_ColourHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG && lParam) ColourTopic = (uint16_t)((CHOOSECOLORW*)lParam)->lCustData;
  return ChooserHook(window, message, wParam, lParam, &ColourTopic);
}
}  // namespace

// The hook of the common font dialog: keeps the help topic of its custom data, shows it when the
// help button is pressed, and colours the controls as the program's dialogs.
UINT_PTR CALLBACK DlgF_FontHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG && lParam) FontTopic = (uint16_t)((CHOOSEFONTW*)lParam)->lCustData;
  return ChooserHook(window, message, wParam, lParam, &FontTopic);
}

int PlatformChooseColour(WrapWindow owner, uint32_t* colour, uint32_t custom[16],
                         uint16_t helpTopic) {
  COLORREF k[16];
  for (int i = 0; i < 16; i++) k[i] = custom[i] & 0xFFFFFF;
  CHOOSECOLORW cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = (HWND)(owner ? owner : DialogPlatformDefaultOwner());
  cc.rgbResult = *colour & 0xFFFFFF;
  cc.lpCustColors = k;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_SHOWHELP | CC_ENABLEHOOK;
  cc.lCustData = helpTopic;
  cc.lpfnHook = DlgF_ColourHook;
  if (!WrapChooseColor(&cc)) return 0;
  *colour = cc.rgbResult & 0xFFFFFF;
  for (int i = 0; i < 16; i++) custom[i] = k[i] & 0xFFFFFF;
  return 1;
}

int PlatformChooseFont(WrapWindow owner, FontSetting* font, int fixedPitchOnly,
                       uint16_t helpTopic) {
  LOGFONTW lf = {};
  lf.lfHeight = font->height;
  lf.lfWidth = font->width;
  lf.lfWeight = font->weight;
  lf.lfItalic = (BYTE)(font->italic ? 1 : 0);
  lf.lfCharSet = (BYTE)font->charSet;
  lf.lfPitchAndFamily = (BYTE)font->pitchAndFamily;
  CopyStringLimited((char16_t*)lf.lfFaceName, font->face, LF_FACESIZE);
  CHOOSEFONTW cf = {};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = (HWND)(owner ? owner : DialogPlatformDefaultOwner());
  cf.lpLogFont = &lf;
  // Screen fonts, help, hook, start from the logical font, limited sizes, scripts only, the font
  // must exist, no vertical fonts.
  cf.Flags = 0x1012449u | (fixedPitchOnly ? CF_FIXEDPITCHONLY : 0u);
  cf.nSizeMin = 4;
  cf.nSizeMax = 14;
  cf.lCustData = helpTopic;
  cf.lpfnHook = DlgF_FontHook;
  if (!WrapChooseFont(&cf)) return 0;
  font->height = lf.lfHeight;
  font->width = lf.lfWidth;
  font->weight = lf.lfWeight;
  font->italic = lf.lfItalic ? 1 : 0;
  font->charSet = lf.lfCharSet;
  font->pitchAndFamily = lf.lfPitchAndFamily;
  CopyStringLimited(font->face, (const char16_t*)lf.lfFaceName, FONT_FACE_CHARS);
  return 1;
}

void PlatformShowSwatch(WrapWindow dialog, uint32_t controlId, uint32_t colour) {
  for (Swatch& s : Swatches) {
    if (s.id != controlId) continue;
    if (s.brush && s.colour == (colour & 0xFFFFFF)) return;
    if (s.brush) DeleteObject(s.brush);
    s.colour = colour & 0xFFFFFF;
    s.brush = CreateSolidBrush(s.colour);
    HWND control = GetDlgItem((HWND)dialog, (int)controlId);
    if (control) InvalidateRect(control, nullptr, TRUE);
  }
}

void* PlatformSwatchBrush(WrapWindow dialog, WrapWindow control) {
  for (Swatch& s : Swatches)
    if (s.brush && GetDlgItem((HWND)dialog, (int)s.id) == (HWND)control) return s.brush;
  return nullptr;
}

void PlatformForgetSwatches(WrapWindow) {
  for (Swatch& s : Swatches) {
    if (s.brush) DeleteObject(s.brush);
    s.brush = nullptr;
  }
}

void PlatformSetControlFont(WrapWindow dialog, uint32_t controlId, void* font) {
  if (font) WrapSendDlgItemMessage(dialog, (int)controlId, WM_SETFONT, (WPARAM)font, 0);
}
