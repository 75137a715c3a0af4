// Win32 build, common dialogs and controls group: colour, font and file choice; in ANSI mode the
// records are copied into their ANSI layouts and what the dialog chose is copied back.
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"
#include <commctrl.h>
#include <commdlg.h>

void WrapInitCommonControls() { InitCommonControls(); }

int WrapChooseColor(void* chooseColor) {
  CHOOSECOLORW* w = (CHOOSECOLORW*)chooseColor;
  if (UnicodeFlag) return ChooseColorW(w);
  CHOOSECOLORA a;
  static_assert(sizeof a == sizeof *w, "same layout but the text type");
  CopyMemory(&a, w, sizeof a);
  a.lStructSize = sizeof a;
  char name[WRAP_ANSI_BUF];
  if (AnsiName((const char16_t*)w->lpTemplateName, name, &a.lpTemplateName) < 0) return 0;
  BOOL r = ChooseColorA(&a);
  w->rgbResult = a.rgbResult;
  w->Flags = a.Flags;
  return r;
}

static void LogFontToAnsi(const LOGFONTW* w, LOGFONTA* a) {
  CopyMemory(a, w, offsetof(LOGFONTA, lfFaceName));
  WideToMultiByte((const char16_t*)w->lfFaceName, a->lfFaceName, LF_FACESIZE);
}

static void LogFontToWide(const LOGFONTA* a, LOGFONTW* w) {
  CopyMemory(w, a, offsetof(LOGFONTW, lfFaceName));
  MultiByteToWide(a->lfFaceName, (char16_t*)w->lfFaceName, LF_FACESIZE);
}

int WrapChooseFont(void* chooseFont) {
  CHOOSEFONTW* w = (CHOOSEFONTW*)chooseFont;
  if (UnicodeFlag) return ChooseFontW(w);
  if (!w->lpLogFont || StringLength((const char16_t*)w->lpLogFont->lfFaceName) >= LF_FACESIZE)
    return 0;
  LOGFONTA font;
  LogFontToAnsi(w->lpLogFont, &font);
  CHOOSEFONTA a;
  static_assert(sizeof a == sizeof *w, "same layout but the text types");
  CopyMemory(&a, w, sizeof a);
  a.lStructSize = sizeof a;
  a.lpLogFont = &font;
  char name[WRAP_ANSI_BUF], style[2 * LF_FACESIZE];
  if (AnsiName((const char16_t*)w->lpTemplateName, name, &a.lpTemplateName) < 0) return 0;
  if (w->lpszStyle) {
    WideToMultiByte((const char16_t*)w->lpszStyle, style, sizeof style);
    a.lpszStyle = style;
  }
  BOOL r = ChooseFontA(&a);
  if (r) {
    LogFontToWide(&font, w->lpLogFont);
    if (w->lpszStyle) MultiByteToWide(style, (char16_t*)w->lpszStyle, LF_FACESIZE);
  }
  w->iPointSize = a.iPointSize;
  w->rgbColors = a.rgbColors;
  w->nFontType = a.nFontType;
  w->Flags = a.Flags;
  return r;
}

// The filter list: pairs of texts each ended by 0, the list by a second 0.
static char* FilterToAnsi(const char16_t* filter) {
  if (!filter) return nullptr;
  int units = 0;
  while (filter[units] || filter[units + 1]) units++;
  units += 2;
  int bytes = 2 * units + 2;
  char* a = (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
  if (!a) return nullptr;
  int used = 0;
  for (const char16_t* p = filter; *p; p += StringLength(p) + 1)
    used += WideToMultiByte(p, a + used, bytes - used - 1);
  a[used] = 0;
  return a;
}

// Offsets of the name and the extension within a wide path (as the dialog reports them).
static void FileOffsets(const char16_t* path, WORD* nameOffset, WORD* extOffset) {
  int len = StringLength(path), name = 0, ext = 0;
  for (int i = 0; i < len; i++)
    if (path[i] == u'\\' || path[i] == u'/' || path[i] == u':') name = i + 1;
  for (int i = name; i < len; i++)
    if (path[i] == u'.') ext = i + 1;
  *nameOffset = (WORD)name;
  *extOffset = (WORD)(ext ? ext : len);
}

int WrapGetFileName(void* openFileName, int save) {
  OPENFILENAMEW* w = (OPENFILENAMEW*)openFileName;
  if (UnicodeFlag || (w->Flags & OFN_EXPLORER))
    return save ? GetSaveFileNameW(w) : GetOpenFileNameW(w);
  OPENFILENAMEA a;
  ZeroMemory(&a, sizeof a);
  a.lStructSize = w->lStructSize < sizeof a ? OPENFILENAME_SIZE_VERSION_400A : sizeof a;
  a.hwndOwner = w->hwndOwner;
  a.hInstance = w->hInstance;
  a.nFilterIndex = w->nFilterIndex;
  a.Flags = w->Flags;
  a.lCustData = w->lCustData;
  a.lpfnHook = w->lpfnHook;
  char file[WRAP_ANSI_BUF], fileTitle[WRAP_ANSI_BUF], folder[WRAP_ANSI_BUF], title[WRAP_ANSI_BUF],
      ext[40], templ[WRAP_ANSI_BUF];
  file[0] = 0;
  if (w->lpstrFile && WrapAnsiArg((const char16_t*)w->lpstrFile, file) < 0) return 0;
  a.lpstrFile = file;
  a.nMaxFile = WRAP_ANSI_MAX;
  if (w->lpstrFileTitle) {
    fileTitle[0] = 0;
    a.lpstrFileTitle = fileTitle;
    a.nMaxFileTitle = WRAP_ANSI_MAX;
  }
  if (w->lpstrInitialDir && WrapAnsiArg((const char16_t*)w->lpstrInitialDir, folder) > 0)
    a.lpstrInitialDir = folder;
  if (w->lpstrTitle && WrapAnsiArg((const char16_t*)w->lpstrTitle, title) > 0) a.lpstrTitle = title;
  if (w->lpstrDefExt && StringLength((const char16_t*)w->lpstrDefExt) < 20) {
    WideToMultiByte((const char16_t*)w->lpstrDefExt, ext, sizeof ext);
    a.lpstrDefExt = ext;
  }
  if (AnsiName((const char16_t*)w->lpTemplateName, templ, &a.lpTemplateName) < 0) return 0;
  char* filter = FilterToAnsi((const char16_t*)w->lpstrFilter);
  a.lpstrFilter = filter;
  BOOL r = save ? GetSaveFileNameA(&a) : GetOpenFileNameA(&a);
  if (filter) HeapFree(GetProcessHeap(), 0, filter);
  if (r) {
    if (w->lpstrFile && w->nMaxFile > 0) {
      MultiByteToWide(file, (char16_t*)w->lpstrFile, (int)w->nMaxFile);
      FileOffsets((const char16_t*)w->lpstrFile, &w->nFileOffset, &w->nFileExtension);
    }
    if (w->lpstrFileTitle && w->nMaxFileTitle > 0)
      MultiByteToWide(fileTitle, (char16_t*)w->lpstrFileTitle, (int)w->nMaxFileTitle);
    w->nFilterIndex = a.nFilterIndex;
    w->Flags = a.Flags;
  }
  return r;
}
