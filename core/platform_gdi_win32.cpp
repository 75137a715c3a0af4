// Win32 build, graphics group: device contexts, bitmaps, stretching, text output (always wide),
// brushes and fonts (a face name of 32 or more characters fails in ANSI mode).
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

int WrapGetDeviceCaps(WrapDC dc, int index) { return GetDeviceCaps((HDC)dc, index); }
uint32_t WrapGetSysColor(int index) { return (uint32_t)GetSysColor(index); }
WrapDC WrapGetDC(WrapWindow window) { return GetDC((HWND)window); }
int WrapReleaseDC(WrapWindow window, WrapDC dc) { return ReleaseDC((HWND)window, (HDC)dc); }
WrapDC WrapBeginPaint(WrapWindow window, void* paint) {
  return BeginPaint((HWND)window, (PAINTSTRUCT*)paint);
}
int WrapEndPaint(WrapWindow window, const void* paint) {
  return EndPaint((HWND)window, (const PAINTSTRUCT*)paint);
}
WrapDC WrapCreateCompatibleDC(WrapDC dc) { return CreateCompatibleDC((HDC)dc); }
int WrapDeleteDC(WrapDC dc) { return DeleteDC((HDC)dc); }
WrapDC WrapGetWindowDC(WrapWindow window) { return GetWindowDC((HWND)window); }
WrapGdiObject WrapCreateCompatibleBitmap(WrapDC dc, int width, int height) {
  return CreateCompatibleBitmap((HDC)dc, width, height);
}
int WrapStretchBlt(WrapDC dest, int x, int y, int width, int height, WrapDC source, int sx, int sy,
                   int sWidth, int sHeight, uint32_t rop) {
  return StretchBlt((HDC)dest, x, y, width, height, (HDC)source, sx, sy, sWidth, sHeight, rop);
}
int WrapSetBkMode(WrapDC dc, int mode) { return SetBkMode((HDC)dc, mode); }
uint32_t WrapSetTextAlign(WrapDC dc, uint32_t align) { return SetTextAlign((HDC)dc, align); }
uint32_t WrapSetTextColor(WrapDC dc, uint32_t colour) { return SetTextColor((HDC)dc, colour); }
uint32_t WrapSetBkColor(WrapDC dc, uint32_t colour) { return SetBkColor((HDC)dc, colour); }
int WrapTextOut(WrapDC dc, int x, int y, const char16_t* text, int count) {
  return TextOutW((HDC)dc, x, y, WTEXT(text), count);
}
int WrapExtTextOut(WrapDC dc, int x, int y, uint32_t options, const WrapRect* rect,
                   const char16_t* text, uint32_t count, const int* dx) {
  return ExtTextOutW((HDC)dc, x, y, options, (const RECT*)rect, WTEXT(text), count, dx);
}
int WrapGetTextExtentPoint32(WrapDC dc, const char16_t* text, int count, WrapSize* size) {
  return GetTextExtentPoint32W((HDC)dc, WTEXT(text), count, (SIZE*)size);
}
WrapGdiObject WrapCreateSolidBrush(uint32_t colour) { return CreateSolidBrush(colour); }
WrapGdiObject WrapSelectObject(WrapDC dc, WrapGdiObject object) {
  return SelectObject((HDC)dc, (HGDIOBJ)object);
}
WrapGdiObject WrapGetStockObject(int index) { return GetStockObject(index); }
int WrapDeleteObject(WrapGdiObject object) { return DeleteObject((HGDIOBJ)object); }

WrapGdiObject WrapCreateFont(int height, int width, int escapement, int orientation, int weight,
                             uint32_t italic, uint32_t underline, uint32_t strikeOut,
                             uint32_t charSet, uint32_t outPrecision, uint32_t clipPrecision,
                             uint32_t quality, uint32_t pitchAndFamily, const char16_t* face) {
  if (UnicodeFlag)
    return CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                       charSet, outPrecision, clipPrecision, quality, pitchAndFamily, WTEXT(face));
  if (StringLength(face) >= LF_FACESIZE) return nullptr;
  // The ANSI face field holds LF_FACESIZE bytes: converting into that size cuts a double-byte
  // name between characters (the platform would cut it after byte 31).
  char a[LF_FACESIZE];
  WideToMultiByte(face ? face : u"", a, sizeof a);
  return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                     charSet, outPrecision, clipPrecision, quality, pitchAndFamily,
                     face ? a : nullptr);
}

int WrapSetPixelsToDevice(WrapDC dc, int x, int y, int width, int height, const uint32_t* pixels) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // rows from the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return SetDIBitsToDevice((HDC)dc, x, y, (DWORD)width, (DWORD)height, 0, 0, 0, (UINT)height,
                           pixels, &bi, DIB_RGB_COLORS);
}

int WrapSetPixel(WrapDC dc, int x, int y, uint32_t colour, int exact) {
  if (exact) return SetPixelV((HDC)dc, x, y, colour);
  return SetPixel((HDC)dc, x, y, colour) != (COLORREF)-1;
}
uint32_t WrapGetPixel(WrapDC dc, int x, int y) { return (uint32_t)GetPixel((HDC)dc, x, y); }
int WrapFillRect(WrapDC dc, const WrapRect* rect, WrapGdiObject brush) {
  return FillRect((HDC)dc, (const RECT*)rect, (HBRUSH)brush);
}
int WrapBitBlt(WrapDC dest, int x, int y, int width, int height, WrapDC source, int sx, int sy,
               uint32_t rop) {
  return BitBlt((HDC)dest, x, y, width, height, (HDC)source, sx, sy, rop);
}
WrapGdiObject WrapCreateBitmap(int width, int height, uint32_t planes, uint32_t bitsPerPixel,
                               const void* bits) {
  return CreateBitmap(width, height, planes, bitsPerPixel, bits);
}
int WrapScrollWindowEx(WrapWindow window, int dx, int dy, const WrapRect* scroll,
                       const WrapRect* clip, uint32_t flags) {
  return ScrollWindowEx((HWND)window, dx, dy, (const RECT*)scroll, (const RECT*)clip, nullptr,
                        nullptr, flags);
}
