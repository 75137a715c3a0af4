// Numbered vehicle-graphic files (.uzz): the names, texts and attribute values of the sets of an
// older user vehicle-graphic file; and the tab alignment of set names.
#include "app/startup.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/platform.h"
#include "core/stream.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"

// ---- tab alignment -------------------------------------------------------------------------------
template <typename C>
static void TabAlign(C* name) {
  int tab = -1;
  for (int i = 0; i < 33 && name[i]; i++)
    if (name[i] == '\t') {
      tab = i;
      break;
    }
  if (tab < 0) return;
  if (tab < 32) {
    int last = -1;
    for (int i = 31; i >= 2; i--)
      if (name[i] != ' ') {
        last = i;
        break;
      }
    if (last > tab && last < 31) {
      int shift = 31 - last;
      for (int i = last; i > tab; i--) name[i + shift] = name[i];
      for (int i = tab + 1; i <= tab + shift; i++) name[i] = ' ';
    }
  }
  name[tab] = ' ';
}
void TabAlignName(char* name) { TabAlign(name); }
void TabAlignNameWide(char16_t* name) { TabAlign(name); }

// ---- opening ----------------------------------------------------------------------------------------
static int NumberedReported = 0;  // only the first failure of the run is reported
void SetNumberedFileReported(int reported) { NumberedReported = reported ? 1 : 0; }

static void ReportNumbered(uint32_t number, uint32_t textId, const char16_t* file) {
  if (NumberedReported) return;
  NumberedReported = 1;
  char16_t text[600];
  const char16_t* parts[2] = {GetLangText(textId), file};
  FormatTextWith(text, 600, u"%s: \"%s\"", nullptr, 0, parts, 2);
  ShowError(number, text);
}

int OpenNumberedVehicleGraphicFile(int f, int markFaulty) {
  (void)markFaulty;  // no caller of this build marks the network faulty through it
  if (f < 1) return 1;
  char16_t name[STREAM_PATH_CHARS];
  if (GetVehicleGraphicFileName(f, name) || !name[0]) return 4;
  StripExtension(name);
  if (StringLength(name) + 4 >= STREAM_PATH_CHARS) return 4;
  int n = StringLength(name);
  const char16_t ext[] = u".uzz";
  for (int i = 0; i < 5; i++) name[n + i] = ext[i];
  int r = StreamOpenRead(name, STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK);
  if (r) {
    ReportNumbered(r == 1 ? 722 : 723, r == 1 ? LANG_ID(16500) : LANG_ID(16501), name);
    return r;
  }
  uint8_t m[3];
  if (StreamReadBytes(m, 3) < 3) {
    if (StreamIsOpen()) StreamCloseRead();
    ReportNumbered(726, LANG_ID(16501), name);
    return 2;
  }
  if (m[0] != 0x5A || m[1] != 0xC7 || m[2] != 0x47) {
    StreamCloseRead();
    ReportNumbered(727, LANG_ID(16502), name);
    return 3;
  }
  return 0;
}

static int Close(int code) {
  if (StreamIsOpen()) StreamCloseRead();
  return code;
}

// A set name of 22 OEM bytes: 32 characters padded with spaces, tab-aligned, in UTF-16.
static void ConvertName(const uint8_t* raw, int maxChars, char16_t* out) {
  char buf[34];
  for (int i = 0; i < 32; i++) buf[i] = ' ';
  for (int i = 0; i < maxChars && raw[i]; i++) buf[i] = (char)raw[i];
  buf[32] = 0;
  TabAlignName(buf);
  WrapOemToCharBuff(buf, 32);
  MultiByteToWide(buf, out, VG_NAME_UNITS);
}

int GetNumberedVehicleGraphicName(char16_t* name, uint32_t number) {
  name[0] = 0;
  if (number < 50000 || number > 50999) return 1;
  int f = (int)(number - 50000) / 10 + 1;
  int r = OpenNumberedVehicleGraphicFile(f, 0);
  if (r) return r == 4 ? 3 : 1;
  uint16_t key;
  uint32_t distance;
  if (StreamReadWord(&key)) return Close(2);
  if (!key) return Close(4);
  if (StreamReadDword(&distance) || distance > 0x7FFFFFFFu || StreamSeek((int32_t)distance))
    return Close(2);
  for (;;) {
    uint16_t kind, R, n, m;
    uint8_t raw[22];
    if (StreamReadWord(&key)) return Close(2);
    if (!key) return Close(4);
    uint32_t record = key + 10u * (uint32_t)(f - 1);
    if (StreamReadWord(&kind) || StreamReadWord(&R) || StreamReadWord(&n) ||
        StreamReadBytes(raw, 22) < 22 || StreamReadWord(&m))
      return Close(2);
    if ((m && StreamSeek(2 * m)) || (R && StreamSeek(R))) return Close(2);
    if (record < number) continue;
    Close(0);
    if (record > number) return 4;
    if (raw[0] == 0 && raw[1] == 0) return 0;
    ConvertName(raw, 22, name);
    return 0;
  }
}

int ReadNumberedVehicleGraphicTexts(uint32_t code, uint16_t* attributes, char16_t** texts,
                                    int* count) {
  *texts = nullptr;
  if (count) *count = 0;
  if (!(code & VG_USER)) return 4;
  uint32_t number = ((code & 0x7FFFFFFFu) >> 4) + 50000;
  if (number >= 51000) return 4;
  int f = (int)(number - 50000) / 10 + 1;
  if (OpenNumberedVehicleGraphicFile(f, 0)) return 5;
  uint32_t wanted = number - 10u * (uint32_t)(f - 1);
  uint16_t key;
  uint32_t distance;
  for (;;) {
    if (StreamReadWord(&key)) return Close(1);
    if (!key) return Close(2);
    if (StreamReadDword(&distance)) return Close(1);
    if (key == wanted) break;
  }
  if (distance > 0x7FFFFFFFu || StreamSeek((int32_t)distance)) return Close(1);
  uint16_t kind, R, n, m;
  uint8_t raw[22];
  if (StreamReadWord(&key)) return Close(1);
  if (key != wanted) return Close(3);
  if (StreamReadWord(&kind)) return Close(1);
  if (!kind) return Close(3);
  if (StreamReadWord(&R) || StreamReadWord(&n) || StreamReadBytes(raw, 22) < 22 ||
      StreamReadWord(&m))
    return Close(1);
  if (n < 1 || n > VG_MAX_GRAPHICS) return Close(3);
  if (m && StreamSeek(2 * m)) return Close(1);  // every one of the m values is passed over
  // The rest of the record: the text list and the values of the graphics, R bytes.
  uint8_t* rest = (uint8_t*)GraphicsAlloc(R ? R : 1);
  if (!rest) return Close(5);
  if (StreamReadBytes(rest, R) < R) {
    MemFree(rest);
    return Close(1);
  }
  Close(0);
  // Entries of the text list: where each begins; '#' entries carry two bytes after the '#'.
  uint32_t at = 0, entries = 0;
  uint32_t starts[3 * VG_MAX_GRAPHICS];
  int bad = 0;
  for (;;) {
    if (at >= R) {
      bad = 1;  // the list runs past its record
      break;
    }
    if (rest[at] == 0) {
      at++;
      break;
    }
    uint32_t start = at;
    if (rest[at] == '#') at += 3;
    while (at < R && rest[at]) at++;
    if (at >= R) {
      bad = 1;
      break;
    }
    at++;
    if (entries < 3u * n) {
      starts[entries] = start;
      if (rest[start] != '#') WrapOemToCharBuff((char*)rest + start, (int)(at - 1 - start));
    }
    entries++;
  }
  if (!bad && entries < 3u * n) bad = 1;
  for (int i = 0; !bad && i < n; i++) {
    if (at + 8 > R) {
      bad = 1;
      break;
    }
    attributes[i] = (uint16_t)(rest[at + 2] | rest[at + 3] << 8);
    at += 8;
    for (;;) {
      if (at + 2 > R) {
        bad = 1;
        break;
      }
      uint16_t v = (uint16_t)(rest[at] | rest[at + 1] << 8);
      at += 2;
      if (v == 65535) break;
    }
  }
  if (bad) {
    MemFree(rest);
    return 3;
  }
  // The block: the name, then per graphic its three entries and two empty texts.
  uint32_t units = VG_NAME_UNITS + R + 5u * n + 2;
  char16_t* block = (char16_t*)GraphicsAlloc(units * 2);
  if (!block) {
    MemFree(rest);
    return 5;
  }
  uint32_t out = 0;
  if (raw[0] == 0 && raw[1] == 0) {
    char q[33] = "?";
    for (int i = 1; i < 32; i++) q[i] = ' ';
    q[32] = 0;
    MultiByteToWide(q, block, VG_NAME_UNITS);
  } else {
    ConvertName(raw, 21, block);
  }
  int len = StringLength(block);
  while (len > 0 && block[len - 1] == u' ') block[--len] = 0;
  out = (uint32_t)len + 1;
  for (int i = 0; i < n; i++) {
    for (int k = 0; k < 3; k++) {
      int units_ =
          MultiByteToWide((const char*)rest + starts[3 * i + k], block + out, (int)(units - out));
      out += units_ > 0 ? (uint32_t)units_ : 1;
    }
    block[out++] = 0;
    block[out++] = 0;
  }
  MemFree(rest);
  *texts = block;
  if (count) *count = n;
  return 0;
}
