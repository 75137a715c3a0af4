// Conversion of the cell codes of older network files into today's numbering, one step per
// renumbering, applied in order to every word of the grid section.
#include "model/grid_section.h"

// Old symbols 500..511 (and 750..761).
static const uint16_t OldSymbols500[12] = {0xD310, 0xD312, 0xD314, 0xD316, 0xD404, 0xD31A,
                                           0xD31C, 0xD31E, 0xD320, 0xD322, 0xD324, 0xD326};

// Old built-in symbols 512..686: only the known entries; every other one no longer exists.
static uint16_t OldSymbol512(int code) {
  switch (code) {
    case 512: return 0xC100;
    case 532: return 0xC800;
    case 541: return 0xC600;
    case 572: return 0xD000;
    case 612: return 0xC500;
    case 672: return 0xC700;
    case 686: return 0xC818;
    default: return 0xC000;
  }
}

static const uint16_t OldLow[27] = {0xC000, 0xC000, 0xC000, 0xC000, 0xC000, 0xC000, 0x89,
                                    0x89,   0x00,   0x01,   0x20,   0xC000, 0x08,   0x09,
                                    0x0A,   0x0B,   0x50,   0x51,   0x52,   0x53,   0x54,
                                    0x55,   0x56,   0x57,   0x02,   0x03,   0x21};

uint16_t ConvertCodeOld(uint16_t code) {
  if (code == 0) return 0xC000;
  if (code == 0x4000) return 0xBF00;
  int nibble = code >> 12;
  if (nibble == 8 || nibble == 0xF) return code;
  int plain = code & ~0x0C00;
  if (plain >= 460) {
    int c = plain;
    if (c >= 500 && c <= 511) return OldSymbols500[c - 500];
    if (c >= 512 && c <= 686) return OldSymbol512(c);
    if (c == 696) return 0xCD04;
    if (c == 708) return 0xC716;
    if (c == 715) return 0xD10A;
    if (c == 719) return 0xCC00;
    if (c >= 750 && c <= 761) return OldSymbols500[c - 750];
    if (c >= 768 && c <= 803) return (uint16_t)(0xE000 + (c - 768) * 2);
    return 0xC000;
  }
  uint16_t mark = 0;
  int c = code;
  if (c & 0x800)
    mark = 0x4000;
  else if (c & 0x400)
    mark = 0x2000;
  c &= ~0x0C00;
  int kind = 0, out = -1;
  if (c >= 200 && c <= 399) {
    c -= 200;
    kind = 1;
  } else if (c >= 424 && c <= 427)
    out = c - 408;
  else if (c >= 444 && c <= 459)
    out = c - 100;
  else if (c >= 400 && c <= 443) {
    kind = 1;
    if (c <= 407)
      out = c - 264;
    else if (c <= 415)
      out = c - 304;
    else if (c <= 423)
      out = c - 256;
    else
      out = c - 84;
  }
  if (out < 0) {  // codes below 200
    if (c <= 26)
      out = OldLow[c];
    else if (c <= 35)
      out = c + 12;
    else if (c <= 43)
      out = c - 12;
    else if (c <= 75)
      out = c + 4;
    else if (c <= 95)
      out = c + 232;
    else if (c <= 103)
      out = c;
    else if (c <= 111)
      out = c + 120;
    else if (c <= 119)
      out = c + 16;
    else if (c <= 135)
      out = c + 208;
    else if (c <= 143)
      out = c + 152;
    else if (c <= 151)
      out = c + 160;
    else if (c <= 183)
      out = c + 16;
    else if (c <= 191)
      out = c + 112;
    else
      out = c + 8;
  }
  if (out == 0xC000) return 0xC000;
  if (kind) out += 0x1200;
  return (uint16_t)(out | mark);
}

uint16_t ConvertCode14160(uint16_t code) {
  if (code >= 0x8000) return code;
  // The mark bit, or else the end mark, comes off before the code is looked at.
  uint16_t mark = (code & 0x4000) ? 0x4000 : (code & 0x2000);
  int c = code & ~mark;
  if (!(c >= 4096 && c <= 6143) && !(c & 0x200)) {
    int s = c & 0x1FF;
    if ((s >= 104 && s <= 111) || (s >= 136 && s <= 143) || (s >= 160 && s <= 167))
      c += 0x200;
    else if (s >= 16 && s <= 19)
      c = (c - 8) | 0x200;
  }
  return (uint16_t)(c | mark);
}

uint16_t ConvertCode14162(uint16_t code) {
  if (code < 0x8000) {
    uint16_t mark = code & 0x4000;
    int c = code & ~0x4000;
    int s = c & 0x1FF, base = c & ~0x1FF;
    if (s == 212 || s == 214)
      s = 138;
    else if (s == 213 || s == 215)
      s = 139;
    else if (s >= 216 && s <= 219)
      s -= 76;
    else if (s == 220 || s == 222)
      s = 142;
    else if (s == 221 || s == 223)
      s = 143;
    else if (s >= 224 && s <= 239 && (base & 0x2000)) {
      base &= ~0x2000;
      mark = 0x4000;
    }
    return (uint16_t)(base | s | mark);
  }
  if (code < 0x9000) return code;
  int m = code & 1;
  int c = code & ~1;
  if (c == 0xCD42 || c == 0xCD44) return (uint16_t)(0xCD40 | m);
  if (c == 0xCD50 || c == 0xCD52) return (uint16_t)(0xCD4E | m);
  if (c >= 0xC600 && c <= 0xC60D) {
    int o = (c - 0xC600) | m;
    if (o == 6 || o == 7) return 7392;
    if (o == 8 || o == 9) return 7393;
    if (o == 10) return 7394;
    if (o == 11) return 7395;
    if (o == 12 || o == 13) return 7400;
    return code;
  }
  if (c >= 0xC500 && c <= 0xC513) {
    static const uint16_t map[4] = {7397, 7399, 7396, 7398};
    return map[(c | m) & 3];
  }
  if (c >= 0xC100 && c <= 0xC44F) {
    int start, base;
    if (c < 0xC200) {
      start = 0xC100;
      base = 8192;
    } else if (c < 0xC300) {
      start = 0xC200;
      base = 9216;
    } else if (c < 0xC400) {
      start = 0xC300;
      base = 10240;
    } else {
      start = 0xC400;
      base = 11264;
    }
    int o = (c | m) - start;
    int add = -1;
    switch (o) {
      case 22: add = 224; break;
      case 24: add = 225; break;
      case 26: add = 226; break;
      case 27: add = 227; break;
      case 28: add = 231; break;
      case 29: add = 229; break;
      case 30: add = 228; break;
      case 31: add = 230; break;
      case 32: add = 344; break;
      case 34: add = 345; break;
      case 36: add = 346; break;
      case 38: add = 347; break;
      case 48: add = 352; break;
      case 50: add = 353; break;
      case 52: add = 354; break;
      case 54: add = 355; break;
      case 70: add = 232; break;
    }
    if (add >= 0) return (uint16_t)(base + add);
  }
  return code;
}

uint16_t ConvertCode14389(uint16_t code) {
  if (code >= 0x8000) return code;
  uint16_t mark = code & 0x4000;
  int c = code & ~0x4000;
  int s = c & 0x1FF;
  if (s >= 208 && s <= 215) c -= (c >= 4096 && c <= 6143) ? 64 : 72;
  return (uint16_t)(c | mark);
}

uint16_t ConvertCode14393(uint16_t code) { return code == 0xCDB6 ? 0xCDB3 : code; }

uint16_t ConvertCode14399(uint16_t code, int version) {
  if (version < 14346 || code >= 0x8000) return code;
  uint16_t mark = code & 0x4000;
  int c = code & ~0x4000;
  int s = c & 0x1FF;
  if (s >= 288 && s <= 295) c += 104;
  return (uint16_t)(c | mark);
}

uint16_t ConvertGridCode(uint16_t code, int version) {
  if (version < 13573) {
    if (code == 0) return 0x8000;
    code = ConvertCodeOld(code);
  }
  if (IsGridRunWord(code)) return code;
  if (version < 14160) code = ConvertCode14160(code);
  if (version < 14162) code = ConvertCode14162(code);
  if (version < 14389) code = ConvertCode14389(code);
  if (version < 14393) code = ConvertCode14393(code);
  if (version < 14399) code = ConvertCode14399(code, version);
  return code;
}

int IsStorableGridCode(uint32_t code) {
  if (code < 0x8000) return 1;
  if (code < 0xC000) return 0;  // run words, unused, animation frames, train codes
  return code <= 0xFC1F;
}
