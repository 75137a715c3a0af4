// Text lines through the system clipboard, the marked list copy and the clipboard bitmap.
#include "core/clipboard.h"
#include "core/misc.h"
#include "core/platform.h"

static uint32_t TextFormat() { return UnicodeFlag ? WRAP_CF_UNICODETEXT : WRAP_CF_TEXT; }
static size_t UnitSize() { return UnicodeFlag ? 2 : 1; }

static int OpenClip() { return WrapOpenClipboard(WrapGetClipboardOwner()); }

int ClearClipboard() {
  if (!OpenClip()) return 1;
  WrapEmptyClipboard();
  WrapCloseClipboard();
  return 0;
}

// Units of the text in a clipboard block, bounded by the block's size.
static size_t BlockTextUnits(WrapGlobal data, const void* text) {
  size_t units = WrapGlobalSize(data) / UnitSize(), n = 0;
  if (UnicodeFlag) {
    const char16_t* w = (const char16_t*)text;
    while (n < units && w[n]) n++;
  } else {
    const char* a = (const char*)text;
    while (n < units && a[n]) n++;
  }
  return n;
}

// Appends units of text (a line or several joined by CR LF) as AppendClipboardLine does.
static int AppendClipboardText(const char16_t* text, size_t length) {
  if (!OpenClip()) return 2;
  const uint32_t format = TextFormat();
  const size_t unit = UnitSize();
  WrapGlobal old = WrapGetClipboardData(format);
  const void* oldText = old ? WrapGlobalLock(old) : nullptr;
  size_t oldUnits = oldText ? BlockTextUnits(old, oldText) : 0;
  if (!oldText) WrapEmptyClipboard();
  // The ANSI form of a character takes up to 3 bytes in a multibyte code page.
  size_t newUnits = UnicodeFlag ? length : length * 3;
  size_t joint = oldText ? 2 : 0;
  size_t bytes = (oldUnits + joint + newUnits + 1) * unit;
  uint8_t* block = (uint8_t*)MemAlloc(bytes);
  if (!block) {
    if (old) WrapGlobalUnlock(old);
    WrapCloseClipboard();
    return 1;
  }
  if (oldText) CopyMem(block, oldText, oldUnits * unit);
  if (old) WrapGlobalUnlock(old);
  if (UnicodeFlag) {
    char16_t* w = (char16_t*)block + oldUnits;
    if (joint) {
      *w++ = u'\r';
      *w++ = u'\n';
    }
    CopyMem(w, text, length * 2);
    w[length] = 0;
  } else {
    char* a = (char*)block + oldUnits;
    if (joint) {
      *a++ = '\r';
      *a++ = '\n';
    }
    WideToMultiByteN(text, (int)length, a, (int)(newUnits + 1));
  }
  WrapGlobal handle = WrapGlobalHandle(block);
  size_t counted = WrapGlobalSize(handle);
  if (!WrapSetClipboardData(format, handle)) {
    MemFree(block);
    WrapCloseClipboard();
    return 2;
  }
  MemForget(counted);
  WrapCloseClipboard();
  return 0;
}

int AppendClipboardLine(const char16_t* text) {
  return AppendClipboardText(text, (size_t)StringLength(text));
}

// One list line without its marking codes into out (CLIP_LINE_MAX units); returns its length, or
// -1 when it has CLIP_LINE_MAX characters or more. *next receives the start of the next line.
static int StripListLine(const char16_t* line, char16_t* out, const char16_t** next) {
  int n = 0, inRun = 0, tooLong = 0;
  const char16_t* p = line;
  while (*p) {
    char16_t c = *p++;
    if (c == 2 || c == 6) {
      if (inRun) {
        inRun = 0;
        continue;
      }
      // The parameter units are taken as they stand: a keyed run's key and its filler are 0
      // units more often than not (entry 0, the high half of a small key).
      p += c == 2 ? 3 : 5;
      inRun = 1;
      continue;
    }
    if (n < CLIP_LINE_MAX - 1) {
      out[n++] = c;
    } else {
      tooLong = 1;
    }
  }
  *next = p + 1;
  return tooLong ? -1 : n;
}

int CopyListToClipboard(const char16_t* list) {
  if (ClearClipboard()) return 2;
  // The whole text is built once (every line followed by CR LF) and handed over once.
  size_t capacity = 1024, used = 0;
  char16_t* text = (char16_t*)MemAlloc(capacity * 2);
  if (!text) return 1;
  const char16_t* p = list;
  char16_t line[CLIP_LINE_MAX];
  int result = 0;
  while (*p) {
    const char16_t* next;
    int n = StripListLine(p, line, &next);
    if (n < 0) {
      result = 3;
      break;
    }
    if (used + (size_t)n + 2 > capacity) {
      size_t grown = capacity * 2 + (size_t)n + 2;
      char16_t* bigger = (char16_t*)MemRealloc(text, grown * 2);
      if (!bigger) {
        MemFree(text);
        return 1;
      }
      text = bigger;
      capacity = grown;
    }
    CopyMem(text + used, line, (size_t)n * 2);
    used += (size_t)n;
    text[used++] = u'\r';
    text[used++] = u'\n';
    p = next;
  }
  // A refused line leaves the lines before it without the CR LF of the closing empty line.
  if (result == 3 && used >= 2) used -= 2;
  int r = 0;
  if (used > 0 || result == 0) r = AppendClipboardText(text, used);
  MemFree(text);
  return r ? r : result;
}

int ReadClipboardLine(int index, int capacity, char16_t* out) {
  if (capacity >= 1) out[0] = 0;
  if (!OpenClip()) return 2;
  WrapGlobal data = WrapGetClipboardData(TextFormat());
  const void* text = data ? WrapGlobalLock(data) : nullptr;
  if (!text || capacity < 1 || index < 0) {
    if (text) WrapGlobalUnlock(data);
    WrapCloseClipboard();
    return 3;
  }
  size_t units = BlockTextUnits(data, text);
  auto at = [&](size_t i) -> unsigned {
    return UnicodeFlag ? ((const char16_t*)text)[i] : (unsigned char)((const char*)text)[i];
  };
  size_t i = 0;
  int line = 0;
  while (line < index && i < units) {  // skip lines up to and including their LF
    if (at(i) == u'\n') line++;
    i++;
  }
  int lines = 1;
  for (size_t k = 0; k < units; k++)
    if (at(k) == u'\r') lines++;
  if (index >= lines || line < index) {
    WrapGlobalUnlock(data);
    WrapCloseClipboard();
    return 3;
  }
  size_t end = i;
  while (end < units && at(end) != u'\r') end++;
  int result = 0;
  if (UnicodeFlag) {
    size_t n = end - i;
    if (n >= (size_t)capacity) {
      n = (size_t)capacity - 1;
      result = 1;
    }
    CopyMem(out, (const char16_t*)text + i, n * 2);
    out[n] = 0;
  } else {
    // The ANSI line converted first, then cut to the capacity.
    size_t n = end - i;
    char* narrow = (char*)MemAlloc(n + 1);
    char16_t* wide = (char16_t*)MemAlloc((n + 1) * 2);
    if (!narrow || !wide) {
      MemFree(narrow);
      MemFree(wide);
      WrapGlobalUnlock(data);
      WrapCloseClipboard();
      return 3;
    }
    CopyMem(narrow, (const char*)text + i, n);
    narrow[n] = 0;
    int w = MultiByteToWide(narrow, wide, (int)n + 1) - 1;
    if (w >= capacity) {
      w = capacity - 1;
      result = 1;
    }
    CopyMem(out, wide, (size_t)w * 2);
    out[w] = 0;
    MemFree(narrow);
    MemFree(wide);
  }
  WrapGlobalUnlock(data);
  WrapCloseClipboard();
  return result;
}

static uint32_t ReadU32(const uint8_t* p) {
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint64_t ClipboardDibSize(const uint8_t* h, size_t available) {
  if (available < 40) return 0;
  uint32_t headerSize = ReadU32(h);
  int32_t width = (int32_t)ReadU32(h + 4), height = (int32_t)ReadU32(h + 8);
  uint32_t bits = (uint32_t)h[14] | (uint32_t)h[15] << 8;
  uint32_t colours = ReadU32(h + 32);
  if (headerSize < 40 || headerSize > available || width <= 0) return 0;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return 0;
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  uint64_t row = bits >= 8 ? (uint64_t)width * bits / 8 : ((uint64_t)width + 7) / 8 * bits;
  row = (row + 3) & ~(uint64_t)3;
  uint64_t rows = height < 0 ? (uint64_t)(-(int64_t)height) : (uint64_t)height;
  uint64_t size = 40 + 4 * (uint64_t)colours + rows * row;
  return size <= available ? size : 0;
}

int ReadClipboardDib(void** block, size_t* bytes) {
  *block = nullptr;
  if (bytes) *bytes = 0;
  if (!OpenClip()) return 2;
  WrapGlobal data = WrapGetClipboardData(WRAP_CF_DIB);
  const uint8_t* dib = data ? (const uint8_t*)WrapGlobalLock(data) : nullptr;
  if (!dib) {
    WrapCloseClipboard();
    return 3;
  }
  uint64_t size = ClipboardDibSize(dib, WrapGlobalSize(data));
  int result = 3;
  if (size) {
    void* copy = MemAlloc((size_t)size);
    if (copy) {
      CopyMem(copy, dib, (size_t)size);
      *block = copy;
      if (bytes) *bytes = (size_t)size;
      result = 0;
    } else {
      result = 4;
    }
  }
  WrapGlobalUnlock(data);
  WrapCloseClipboard();
  return result;
}
