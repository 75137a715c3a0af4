// Native build, clipboard group: a clipboard kept in the process that behaves like the platform's
// (open and close, emptying, blocks owned by the clipboard once handed over, and the two text
// formats converted into each other on demand).
#include <cstring>
#include "core/clipboard_seam.h"
#include "core/platform.h"

namespace {
struct ClipEntry {
  uint32_t format;  // 0 = free
  WrapGlobal data;
  int converted;  // made from the other text format; dropped when a text format is set
};
constexpr int kEntries = 16;
ClipEntry Entries[kEntries];
int IsOpen = 0;
WrapWindow Owner = nullptr;
WrapWindow Opener = nullptr;
int FailOpen = 0, FailSet = 0;

void Drop(ClipEntry& e) {
  if (e.format) WrapGlobalFree(e.data);
  e = ClipEntry{0, nullptr, 0};
}

ClipEntry* Find(uint32_t format) {
  for (ClipEntry& e : Entries)
    if (e.format == format) return &e;
  return nullptr;
}

ClipEntry* Store(uint32_t format, WrapGlobal data, int converted) {
  if (ClipEntry* e = Find(format)) Drop(*e);
  for (ClipEntry& e : Entries)
    if (!e.format) {
      e = ClipEntry{format, data, converted};
      return &e;
    }
  return nullptr;
}

// The text of the other format converted into this one (as the platform does on request).
WrapGlobal Convert(uint32_t format) {
  ClipEntry* src = Find(format == WRAP_CF_TEXT ? WRAP_CF_UNICODETEXT : WRAP_CF_TEXT);
  if (!src) return nullptr;
  size_t size = WrapGlobalSize(src->data);
  const char* bytes = (const char*)WrapGlobalLock(src->data);
  if (format == WRAP_CF_TEXT) {
    size_t units = size / 2, n = 0;
    const char16_t* w = (const char16_t*)bytes;
    while (n < units && w[n]) n++;
    WrapGlobal out = WrapGlobalAlloc(WRAP_GMEM_MOVEABLE, n * 3 + 1);
    if (!out) return nullptr;
    WideToMultiByteN(w, (int)n, (char*)WrapGlobalLock(out), (int)(n * 3 + 1));
    return out;
  }
  size_t n = 0;
  while (n < size && bytes[n]) n++;
  char* copy = (char*)WrapGlobalAlloc(WRAP_GMEM_FIXED, n + 1);  // a terminated copy to convert
  if (!copy) return nullptr;
  char* c = (char*)WrapGlobalLock(copy);
  memcpy(c, bytes, n);
  c[n] = 0;
  WrapGlobal out = WrapGlobalAlloc(WRAP_GMEM_MOVEABLE, (n + 1) * 2);
  if (out) MultiByteToWide(c, (char16_t*)WrapGlobalLock(out), (int)(n + 1));
  WrapGlobalFree(copy);
  return out;
}
}  // namespace

WrapWindow WrapGetClipboardOwner() { return Owner; }

int WrapOpenClipboard(WrapWindow window) {
  if (FailOpen || IsOpen) return 0;
  IsOpen = 1;
  Opener = window;
  return 1;
}

int WrapCloseClipboard() {
  if (!IsOpen) return 0;
  IsOpen = 0;
  return 1;
}

int WrapEmptyClipboard() {
  if (!IsOpen) return 0;
  for (ClipEntry& e : Entries) Drop(e);
  Owner = Opener;
  return 1;
}

WrapGlobal WrapGetClipboardData(uint32_t format) {
  if (!IsOpen || !format) return nullptr;
  if (ClipEntry* e = Find(format)) return e->data;
  if (format != WRAP_CF_TEXT && format != WRAP_CF_UNICODETEXT) return nullptr;
  WrapGlobal made = Convert(format);
  if (!made) return nullptr;
  if (!Store(format, made, 1)) {
    WrapGlobalFree(made);
    return nullptr;
  }
  return made;
}

WrapGlobal WrapSetClipboardData(uint32_t format, WrapGlobal data) {
  if (!IsOpen || FailSet || !format || !data || !WrapGlobalSize(data)) return nullptr;
  if (format == WRAP_CF_TEXT || format == WRAP_CF_UNICODETEXT)
    for (ClipEntry& e : Entries)
      if (e.converted) Drop(e);
  if (!Store(format, data, 0)) return nullptr;
  return data;
}

void ClipSeamReset() {
  for (ClipEntry& e : Entries) Drop(e);
  IsOpen = 0;
  Owner = Opener = nullptr;
  FailOpen = FailSet = 0;
}
void ClipSeamFailOpen(int fail) { FailOpen = fail; }
void ClipSeamFailSet(int fail) { FailSet = fail; }
int ClipSeamIsOpen() { return IsOpen; }

int ClipSeamPut(uint32_t format, const void* bytes, size_t count) {
  WrapGlobal g = WrapGlobalAlloc(WRAP_GMEM_MOVEABLE, count ? count : 1);
  if (!g) return 1;
  if (count) memcpy(WrapGlobalLock(g), bytes, count);
  if (format == WRAP_CF_TEXT || format == WRAP_CF_UNICODETEXT)
    for (ClipEntry& e : Entries)
      if (e.converted) Drop(e);
  if (!Store(format, g, 0)) {
    WrapGlobalFree(g);
    return 1;
  }
  return 0;
}
