// Vehicle-graphic files: "quil.fzg" (the program's sets) and user vehicle-graphic files (.nfz),
// their index, the current record form with packed pixels, the older tile records of user files,
// browsing the sets of a file and the translation of old vehicle codes.
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform.h"
#include "core/stream.h"
#include "graphics/colours.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"
#include "model/general_section.h"

const uint32_t kDefaultVehicleSets[9] = {645136, 645120, 644960, 651840, 648160,
                                         320320, 320160, 320016, 100096};

// ---- user file names ------------------------------------------------------------------------------
static int NetworkVehicleFileName(int n, char16_t* out) {
  out[0] = 0;
  if (n < 1 || n > VG_USER_FILES) return 1;
  CopyStringLimited(out, DocState.vehicleFiles[n - 1], STREAM_PATH_CHARS);
  return 0;
}
VehicleFileNameFn VehicleFileNameSource = NetworkVehicleFileName;

int GetVehicleGraphicFileName(int n, char16_t* out) {
  out[0] = 0;
  if (n < 1 || n > VG_USER_FILES) return 1;
  return VehicleFileNameSource(n, out);
}

// ---- blocks and areas ---------------------------------------------------------------------------------
uint32_t VehicleBlockWords(int length, int e1, int e2, int e3, int ends34) {
  uint32_t L = (uint32_t)length, w = 2 * L * (uint32_t)e1 + 2 * (L / 2) * (uint32_t)e2;
  return w + 2 * (uint32_t)(e2 * e3) * (ends34 ? 2 : 1);
}

const uint32_t* VehicleArea(const VehicleGraphicEntry* e, int area, int* width, int* height) {
  if (!e || !e->pixels || area < 0 || area > 7) return nullptr;
  int L = e->length, half = L / 2;
  const int w[8] = {L, L, e->e2, e->e2, e->e2, e->e2, e->e2, e->e2};
  const int h[8] = {e->e1, e->e1, half, e->e3, half, e->e3, e->e3, e->e3};
  if (area >= 6 && !(e->flags & VG_ENDS34)) return nullptr;
  uint32_t at = 0;
  for (int k = 0; k < area; k++) at += (uint32_t)(w[k] * h[k]);
  if (width) *width = w[area];
  if (height) *height = h[area];
  return e->pixels + at;
}

// ---- reading -------------------------------------------------------------------------------------------
static void CloseIfOpen() {
  if (StreamIsOpen()) StreamCloseRead();
}

static int Fail(int code) {
  CloseIfOpen();
  return code;
}

static void* Alloc(uint32_t bytes) {
  void* p = GraphicsAlloc(bytes ? bytes : 1);
  if (p) FillMem(p, 0, bytes);
  return p;
}

void FreeVehicleGraphicSetMemory(VehicleGraphicSet* s) {
  if (!s) return;
  for (int i = 0; i < VG_MAX_GRAPHICS; i++) {
    VehicleGraphicEntry& e = s->entries[i];
    if (e.pixels) MemFree(e.pixels);
    if (e.zoom2) MemFree(e.zoom2);
    if (e.zoom2Name) MemFree(e.zoom2Name);
  }
  if (s->texts) MemFree(s->texts);
  MemFree(s);
}

static uint16_t StoredFlags(uint32_t attr) {
  uint16_t f = 0;
  if (attr & 1) f |= VG_FRONT_CLOSED;
  if (attr & 0x8000) f |= VG_LEADS;
  if (attr & 0x40) f |= VG_SYMMETRIC;
  if (attr & 0x80) f |= VG_REAR_CLOSED;
  if (attr & 0x100) f |= VG_ENDS34;
  return f;
}

// The texts of a user set: exactly `texts` zero-terminated ANSI texts in the bytes, turned into
// UTF-16. 0, 24 wrong count, 14 memory.
static int ConvertTextBlock(const char* bytes, uint32_t size, uint32_t texts, char16_t** out) {
  uint32_t zeros = 0;
  for (uint32_t i = 0; i < size; i++) zeros += bytes[i] == 0;
  if (zeros != texts || bytes[size - 1] != 0) return 24;
  char16_t* block = (char16_t*)Alloc((size + 1) * 2);
  if (!block) return 14;
  uint32_t at = 0;
  for (uint32_t i = 0; i < size;) {
    uint32_t len = 0;
    while (bytes[i + len]) len++;
    int units = MultiByteToWide(bytes + i, block + at, (int)(size + 1 - at));
    at += units > 0 ? (uint32_t)units : 1;
    i += len + 1;
  }
  *out = block;
  return 0;
}

static int ReadPixelsPacked(VehicleGraphicEntry* e) {
  ReadPackedPixel(nullptr);
  for (int area = 0; area < 8; area++) {
    int w, h;
    uint32_t* p = (uint32_t*)VehicleArea(e, area, &w, &h);
    if (!p) continue;
    int byColumn = area == 2 || area == 4;
    for (int a = 0; a < (byColumn ? w : h); a++)
      for (int b = 0; b < (byColumn ? h : w); b++)
        if (ReadPackedPixel(byColumn ? &p[b * w + a] : &p[a * w + b])) return 2;
  }
  return 0;
}

static int ReadCurrentRecord(VehicleGraphicSet* s, int user) {
  uint16_t n, w;
  uint32_t category;
  if (StreamReadWord(&n)) return 2;
  if (n < 1 || n > 16) return 20;
  if (StreamReadDword(&category)) return 2;
  if (!category) return 21;
  if (category & 0x8000) {
    if (!user) return 22;
    category &= ~0x8000u;
  }
  s->category = category;
  s->count = (uint8_t)n;
  if (user) {
    uint32_t size;
    if (StreamReadDword(&size)) return 2;
    if (size < 1 || size > 6513) return 23;
    char* bytes = (char*)Alloc(size);
    if (!bytes) return 14;
    if (StreamReadBytes(bytes, size) < size) {
      MemFree(bytes);
      return 2;
    }
    int r = ConvertTextBlock(bytes, size, 5u * n + 1, &s->texts);
    MemFree(bytes);
    if (r) return r;
  } else {
    if (StreamReadWord(&w)) return 2;
    s->nameId = w >= 1 && w <= 39999 ? 65536u + w : w;
  }
  uint32_t used = 0;
  for (int i = 0; i < n; i++) {
    VehicleGraphicEntry* e = &s->entries[i];
    uint8_t slot, spans;
    uint16_t L, e1, e2, e3;
    uint32_t attr;
    if (StreamReadByte(&slot)) return 2;
    if (slot >= 16) return 34;
    if (used & (1u << slot)) return 35;
    used |= 1u << slot;
    if (StreamReadWord(&L)) return 2;
    if (L < 8 || L > 256) return 25;
    if (StreamReadWord(&e1)) return 2;
    if (e1 < 2 || e1 > 14) return 26;
    if (StreamReadWord(&e2)) return 2;
    if (e2 < 4 || e2 > 16) return 27;
    if (StreamReadWord(&e3)) return 2;
    if (e3 < 2 || e3 > 14) return 28;
    if (StreamReadDword(&attr)) return 2;
    e->slot = slot;
    e->length = (int16_t)L, e->e1 = (int16_t)e1, e->e2 = (int16_t)e2, e->e3 = (int16_t)e3;
    e->flags = StoredFlags(attr);
    for (int k = 0; k < 3; k++)
      e->spanStart[k] = -1, e->spanKind[k] = 255, e->spanLength[k] = 65535;
    if (StreamReadByte(&spans)) return 2;
    if (spans > 3) return 29;
    for (int k = 0; k < spans; k++) {
      uint16_t start, kind, length;
      if (StreamReadWord(&start)) return 2;
      if (start >= L) return 30;
      if (StreamReadWord(&kind)) return 2;
      if (kind < 4 || kind > 13) return 31;
      if (StreamReadWord(&length)) return 2;
      if (length < 1) return 32;
      if ((uint32_t)start + length > L) return 33;
      e->spanStart[k] = (int16_t)start, e->spanKind[k] = (uint8_t)kind, e->spanLength[k] = length;
    }
    if (!user) {
      for (int k = 0; k < 5; k++) {
        if (StreamReadWord(&w)) return 2;
        e->textIds[k] = w >= 1 && w <= 39999 ? 65536u + w : w;
      }
      if (!e->textIds[0]) return 40;
    }
    uint32_t words = VehicleBlockWords(L, e1, e2, e3, e->flags & VG_ENDS34);
    e->pixels = (uint32_t*)Alloc(words * 4);
    if (!e->pixels) return 14;
    if (attr & VG_FILE_PACKED) {
      if (ReadPixelsPacked(e)) return 2;
    } else {
      for (uint32_t k = 0; k < words; k++) {
        uint8_t b;
        if (StreamReadByte(&b)) return 2;
        e->pixels[k] = ResolveColourRgb(b);
      }
    }
  }
  return 0;
}

// ---- older records ------------------------------------------------------------------------------------
// One tile row of 8 colour numbers: 5 bytes (four planes and a mask) or one byte a pixel.
static int ReadTileRow(int bytePerPixel, uint8_t* out) {
  uint8_t b[8];
  int size = bytePerPixel ? 8 : 5;
  if (StreamReadBytes(b, (uint32_t)size) < (uint32_t)size) return 2;
  for (int i = 0; i < 8; i++) {
    if (bytePerPixel) {
      out[i] = b[i];
      continue;
    }
    int bit = 7 - i;
    if ((b[4] >> bit) & 1) {
      out[i] = 255;
      continue;
    }
    out[i] = (uint8_t)(((b[0] >> bit) & 1) | ((b[1] >> bit) & 1) << 1 | ((b[2] >> bit) & 1) << 2 |
                       ((b[3] >> bit) & 1) << 3);
  }
  return 0;
}

struct OldTiles {
  uint8_t big[64][14][8];   // 8 x 14 tiles
  uint8_t small[64][4][8];  // 8 x 4 tiles
};

static int ReadOldRecord(VehicleGraphicSet* s, int version, uint8_t** tableOut) {
  uint16_t a, b, n, m;
  if (StreamReadWord(&a) || StreamReadWord(&b) || StreamReadWord(&n) || StreamReadWord(&m))
    return 2;
  int bytePerPixel = (a & 0x8000) != 0;
  a &= 0x7FFF;
  if (a < 1 || a > 64 || b < 1 || b > 64 || n < 1 || n > 8) return 6;
  for (int k = 0;; k++) {  // the name is skipped
    uint8_t c;
    if (StreamReadByte(&c)) return 2;
    if (!c) break;
    if (k > 4096) return 2;
  }
  OldTiles* t = (OldTiles*)Alloc(sizeof(OldTiles));
  if (!t) return 14;
  int r = 0;
  uint8_t drop[8];
  for (int k = 0; !r && k < a; k++) {
    for (int row = 0; !r && row < 14; row++) r = ReadTileRow(bytePerPixel, t->big[k][row]);
    for (int row = 14; !r && version == 0x3400 && row < 16; row++)
      r = ReadTileRow(bytePerPixel, drop);
  }
  for (int k = 0; !r && k < b; k++)
    for (int row = 0; !r && row < 4; row++) r = ReadTileRow(bytePerPixel, t->small[k][row]);
  uint8_t* table = nullptr;
  if (!r) {
    table = (uint8_t*)Alloc(m);
    if (!table)
      r = 14;
    else if (StreamReadBytes(table, m) < m)
      r = 3;
  }
  *tableOut = table;
  // The composition table: per graphic a count c and four groups of c tile numbers; nothing is
  // read past its m bytes.
  uint32_t at = 0;
  for (int i = 0; !r && i < n; i++) {
    if (at >= m) {
      r = 3;
      break;
    }
    int c = table[at++];
    if (c < 1 || c > 32) {
      r = 6;
      break;
    }
    if (at + 4u * c > m) {
      r = 3;
      break;
    }
    const uint8_t* g = table + at;
    at += 4u * c;
    VehicleGraphicEntry* e = &s->entries[i];
    e->slot = (uint8_t)i;
    e->length = (int16_t)(8 * c), e->e1 = 14, e->e2 = 8, e->e3 = 0;
    for (int k = 0; k < 3; k++)
      e->spanStart[k] = -1, e->spanKind[k] = 255, e->spanLength[k] = 65535;
    for (int j = 0; j < c; j++) {
      if ((g[j] & 0x80) && e->spanStart[0] < 0) {
        e->spanStart[0] = (int16_t)(8 * j + 4), e->spanKind[0] = 9, e->spanLength[0] = 4;
      } else if ((g[j] & 0x40) && e->spanStart[0] >= 0) {
        e->spanLength[0] = (uint16_t)(e->spanLength[0] + 8);
      }
    }
    int tiles[4][32];
    for (int grp = 0; !r && grp < 4; grp++)
      for (int j = 0; j < c; j++) {
        int v = g[grp * c + j];
        int smallKind = grp == 1 || grp == 3;
        if (smallKind && version < 0x3506) {
          if (v < a) {
            r = 6;
            break;
          }
          v -= a;
        }
        v %= 64;
        if (v >= (smallKind ? b : a)) {
          r = 6;
          break;
        }
        tiles[grp][j] = v;
      }
    if (r) break;
    uint32_t words = VehicleBlockWords(8 * c, 14, 8, 0, 0);
    e->pixels = (uint32_t*)Alloc(words * 4);
    if (!e->pixels) {
      r = 14;
      break;
    }
    int L = 8 * c;
    uint32_t* s1 = e->pixels;
    uint32_t* s2 = s1 + L * 14;
    uint32_t* t1 = s2 + L * 14;
    uint32_t* t2 = t1 + (L / 2) * 8;
    for (int j = 0; j < c; j++)
      for (int row = 0; row < 14; row++)
        for (int x = 0; x < 8; x++) {
          s1[row * L + 8 * (c - 1 - j) + x] = ResolveColourRgb(t->big[tiles[0][j]][row][x]);
          s2[row * L + 8 * j + x] = ResolveColourRgb(t->big[tiles[2][j]][row][x]);
        }
    for (int j = 0; j < c; j++)
      for (int k = 0; k < 32; k++) {
        t1[32 * (c - 1 - j) + k] = ResolveColourRgb(t->small[tiles[1][j]][k / 8][k % 8]);
        t2[32 * j + k] = ResolveColourRgb(t->small[tiles[3][j]][k / 8][k % 8]);
      }
  }
  MemFree(t);
  if (!r) {
    s->count = (uint8_t)n;
    s->category = 0x8000;
  }
  return r;
}

// Default texts of an older set: the name U+00DC, every graphic text U+005A.
static int DefaultOldTexts(VehicleGraphicSet* s) {
  uint32_t texts = 5u * s->count + 1;
  char16_t* block = (char16_t*)Alloc(texts * 4);
  if (!block) return 14;
  block[0] = 0xDC;
  for (uint32_t i = 1; i < texts; i++) block[2 * i] = u'Z';
  s->texts = block;
  return 0;
}

// Opens the file of a set and finds its record: 0 (the record's key read), or the reader's code.
static int OpenSetRecord(uint32_t code, int* version) {
  int user = (code & VG_USER) != 0;
  uint32_t number = (code & 0x7FFFFFFFu) >> 4;
  int r;
  if (user) {
    uint32_t f = number / VG_SETS_PER_FILE + 1;
    if (f > VG_USER_FILES) return 7;
    char16_t name[STREAM_PATH_CHARS];
    if (GetVehicleGraphicFileName((int)f, name) || !name[0]) return STREAM_ERR_OPEN;
    r = StreamOpenRead(name, STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK);
  } else {
    r = StreamOpenRead(u"quil.fzg", STREAM_READ_SKIP_HEADER, FILE_KIND_PROGRAM);
  }
  if (r) return r;
  uint8_t m[3];
  if (StreamReadBytes(m, 3) < 3) return Fail(2);
  if (m[0] == 0x46 && m[1] == 0xDA && m[2] == 0x47) {
    *version = 0x3400;
  } else if (m[0] == 0x46 && m[1] == 0x5A && m[2] == 0xC7) {
    uint8_t v[2];
    if (StreamReadBytes(v, 2) < 2) return Fail(6);
    *version = v[0] << 8 | v[1];
    if (*version != 0x3506 && *version != 0x3509 && *version != 0x3830) return Fail(6);
  } else {
    return Fail(6);
  }
  if (!user && *version != 0x3830) return Fail(6);  // older records are found only in user files
  uint32_t key;
  if (!user)
    key = number;
  else if (*version == 0x3830)
    key = number % VG_SETS_PER_FILE + 4000;
  else
    key = (number % VG_SETS_PER_FILE * 16 + 64000) & 0xFFFF;
  if (key > 0xFFFF || key == 0) return Fail(5);
  for (;;) {
    uint16_t k;
    uint32_t offset;
    if (StreamReadWord(&k)) return Fail(4);
    if (k == 0) return Fail(5);
    if (StreamReadDword(&offset)) return Fail(4);
    if (k != key) continue;
    if (offset > 0x7FFFFFFFu) return Fail(4);
    if ((r = StreamSeek((int32_t)offset))) return Fail(r + 2);
    if ((r = StreamReadWord(&k))) return Fail(r + 2);
    return k == key ? 0 : Fail(2);
  }
}

int ReadVehicleGraphicSet(uint32_t code, int atHead) {
  if (VehicleSetId(code) != code || code == 0) return 7;
  if (HasVehicleGraphicSet(code)) return 11;
  int version = 0;
  int r = OpenSetRecord(code, &version);
  if (r) return r;
  VehicleGraphicSet* s = (VehicleGraphicSet*)Alloc(sizeof(VehicleGraphicSet));
  if (!s) return Fail(14);
  s->id = code;
  int user = (code & VG_USER) != 0;
  uint8_t* table = nullptr;
  r = version == 0x3830 ? ReadCurrentRecord(s, user) : ReadOldRecord(s, version, &table);
  if (table) MemFree(table);
  CloseIfOpen();
  if (!r && version != 0x3830) r = DefaultOldTexts(s);
  if (r) {
    FreeVehicleGraphicSetMemory(s);
    return r;
  }
  InsertVehicleGraphicSet(s, atHead);
  if (version != 0x3830) {  // texts and attribute bits from the numbered file, when it reads
    uint16_t attrs[VG_MAX_GRAPHICS] = {};
    char16_t* texts = nullptr;
    int count = 0;
    if (ReadNumberedVehicleGraphicTexts(code, attrs, &texts, &count) == 0 && texts &&
        count != s->count) {  // texts of another number of graphics are not taken
      MemFree(texts);
      texts = nullptr;
    }
    if (texts) {
      MemFree(s->texts);
      s->texts = texts;
      for (int i = 0; i < s->count; i++) {
        uint16_t f = 0, v = attrs[i];
        if (v & 1) f |= VG_FRONT_CLOSED;
        if (v & 0x8000) f |= VG_LEADS;
        if (v & 0x40) f |= VG_SYMMETRIC;
        s->entries[i].flags = f;
      }
    }
  }
  return 0;
}

// ---- browsing ------------------------------------------------------------------------------------------
static void PadName(char16_t* name, const char16_t* text) {
  for (int i = 0; i < 32; i++) name[i] = u' ';
  int len = StringLength(text);
  if (len > 32) len = 32;
  for (int i = 0; i < len; i++) name[i] = text[i];
  name[32] = 0;
  TabAlignNameWide(name);
}

static int BrowseNumbered(uint32_t* code, char16_t* name, uint32_t* next, int u) {
  uint32_t first = 50000 + 10 * (uint32_t)(u - 1), number = first;
  if (*code & VG_USER) {
    uint32_t asked = ((*code & 0x7FFFFFFFu) >> 4) + 50000;
    if (asked > number) number = asked;
  }
  for (; number < first + 10; number++) {
    int r = GetNumberedVehicleGraphicName(name, number);
    if (r == 4) continue;
    if (r) return r;
    *code = ((number - 50000) << 4) | VG_USER;
    *next = number + 1 < first + 10 ? (((number + 1 - 50000) << 4) | VG_USER) : 0;
    return 0;
  }
  *code = *next = 0;
  return 4;
}

int FindVehicleGraphicSetInFile(uint32_t* code, char16_t* name, uint32_t categoryMask,
                                uint32_t* next, int u) {
  name[0] = 0;
  *next = 0;
  if (u < 0 || u > VG_USER_FILES) return 1;
  char16_t file[STREAM_PATH_CHARS];
  int r;
  if (u) {
    if (GetVehicleGraphicFileName(u, file)) return 1;
    if (!file[0]) return 5;
    char16_t ext[STREAM_PATH_CHARS];
    GetExtension(file, ext);
    StringToUpper(ext);
    if (CompareStrings(ext, u"NFZ", 0)) return BrowseNumbered(code, name, next, u);
    r = StreamOpenRead(file, STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK);
  } else {
    r = StreamOpenRead(u"quil.fzg", STREAM_READ_SKIP_HEADER, FILE_KIND_PROGRAM);
  }
  if (r) return r;
  uint8_t m[5];
  if (StreamReadBytes(m, 5) < 5 || m[0] != 0x46 || m[1] != 0x5A || m[2] != 0xC7 || m[3] != 0x38 ||
      m[4] != 0x30)
    return Fail(2);
  uint32_t wanted;
  uint32_t n = (*code & 0x7FFFFFFFu) >> 4;
  if (!u) {
    wanted = n;
  } else {
    uint32_t base = 10 * (uint32_t)(u - 1);
    wanted = (*code && n >= base) ? 4000 + (n - base) : 4000;
  }
  // The index is read whole: key and the record's place counted from the first index pair.
  constexpr int kMaxPairs = 4096;
  static uint16_t keys[kMaxPairs];
  static uint32_t places[kMaxPairs];
  int pairs = 0;
  int64_t pos = 0;
  for (;;) {
    uint16_t k;
    uint32_t offset;
    if (StreamReadWord(&k)) return Fail(2);
    pos += 2;
    if (k == 0) break;
    if (StreamReadDword(&offset)) return Fail(2);
    pos += 4;
    if (pairs == kMaxPairs || offset > 0x7FFFFFFFu) return Fail(2);
    keys[pairs] = k;
    places[pairs++] = (uint32_t)(pos + offset);
  }
  for (int i = 0; i < pairs; i++) {
    if (keys[i] < wanted) continue;
    int64_t distance = (int64_t)places[i] - pos;
    if (distance > 0x7FFFFFFF || distance < -0x7FFFFFFF) return Fail(2);
    if (StreamSeek((int32_t)distance)) return Fail(2);
    pos = places[i];
    uint16_t key, count;
    uint32_t category;
    if (StreamReadWord(&key) || StreamReadWord(&count) || StreamReadDword(&category))
      return Fail(2);
    pos += 8;
    if (key != keys[i]) return Fail(2);
    char16_t text[VG_NAME_UNITS + 1] = {};
    if (category & categoryMask) {
      if (u) {
        uint32_t length;
        char bytes[34];
        if (StreamReadDword(&length)) return Fail(2);
        int k = 0;
        for (;; k++) {
          if (k == 33 || StreamReadByte((uint8_t*)&bytes[k])) return Fail(2);
          if (!bytes[k]) break;
        }
        MultiByteToWide(bytes, text, VG_NAME_UNITS);
      } else {
        uint16_t id;
        if (StreamReadWord(&id)) return Fail(2);
        CopyStringLimited(text, GetLangText(id >= 1 && id <= 39999 ? 65536u + id : id),
                          VG_NAME_UNITS);
      }
      CloseIfOpen();
      PadName(name, text);
      uint32_t nk = i + 1 < pairs ? keys[i + 1] : 0;
      if (!u) {
        *code = (uint32_t)keys[i] << 4;
        *next = nk << 4;
      } else {
        uint32_t base = 10 * (uint32_t)(u - 1);
        *code = ((keys[i] - 4000u + base) << 4) | VG_USER;
        *next = nk >= 4000 ? (((nk - 4000u + base) << 4) | VG_USER) : 0;
      }
      return 0;
    }
  }
  return Fail(4);
}

// ---- old vehicle codes -------------------------------------------------------------------------------
uint32_t ConvertOldVehicleCode(uint32_t k) {
  if (k & VG_USER) return k;
  if (k < 16) return 7;
  uint32_t set = VehicleSetId(k);
  if (set >= 0x10000 && set <= 0xFFFE0) return 7;
  uint32_t key = k >> 4, slot = k & 15;
  if (key > 0xFFFF) return 5;
  int r = StreamOpenRead(u"quil.fzg", STREAM_READ_SKIP_HEADER, FILE_KIND_PROGRAM);
  if (r) return r;
  uint8_t m[5];
  if (StreamReadBytes(m, 5) < 5 || m[0] != 0x46 || m[1] != 0x5A || m[2] != 0xC7 || m[3] != 0x38 ||
      m[4] != 0x30)
    return Fail(6);
  for (;;) {
    uint16_t kk;
    uint32_t offset;
    if (StreamReadWord(&kk)) return Fail(4);
    if (kk == 0) return Fail(5);
    if (StreamReadDword(&offset)) return Fail(4);
    if (kk != key) continue;
    if (offset > 0x7FFFFFFFu || StreamSeek((int32_t)offset)) return Fail(4);
    uint16_t rk, count;
    uint32_t category, v = 0;
    if (StreamReadWord(&rk) || rk != key) return Fail(2);
    if (StreamReadWord(&count) || StreamReadDword(&category)) return Fail(2);
    if (count <= slot || category != 0) return Fail(6);  // the table holds count codes
    if (slot && StreamSeek((int32_t)(4 * slot))) return Fail(2);
    if (StreamReadDword(&v)) return Fail(2);
    CloseIfOpen();
    return v;
  }
}
