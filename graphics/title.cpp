// Reading a title picture from "quil.tbd" (version 56: run-coded colour numbers; version 57:
// packed pixel words).
#include "graphics/title.h"
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/colours.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"
#include "views/view_services.h"

TitlePicture HeldTitle = {0, 0, nullptr};

uint32_t ChooseTitlePicture(uint32_t choice, uint32_t count) {
  if (count == 0) return 0;
  if (choice == TITLE_LAST) return count - 1;
  if (choice == TITLE_BEFORE_LAST) return count >= 2 ? count - 2 : 0;
  if (choice == TITLE_RANDOM) return count > 3 ? (uint32_t)RandomBelow((int32_t)(count - 2)) : 0;
  return (count > 2 && choice < count - 2) ? choice : 0;
}

int FreeTitleBitmap() {
  if (!HeldTitle.pixels) return -1;
  MemFree(HeldTitle.pixels);
  HeldTitle = {0, 0, nullptr};
  return 0;
}

static int Fail(int code) {
  StreamCloseRead();
  return code;
}

int LoadTitleBitmap(uint32_t choice) {
  FreeTitleBitmap();
  if (StreamOpenRead(u"quil.tbd", STREAM_READ_SKIP_HEADER, FILE_KIND_PROGRAM)) return -2;
  uint8_t head[4];
  if (StreamReadBytes(head, 4) < 4) return Fail(-2);
  if (head[0] != 0x54 || head[1] != 0xC2 || head[2] != 0x44) return Fail(-2);
  int version = head[3];
  if (version != 56 && version != 57) return Fail(-2);
  uint32_t count;
  if (version == 56) {
    uint16_t count16;
    if (StreamReadWord(&count16)) return Fail(-2);
    count = count16;
  } else if (StreamReadDword(&count)) {
    return Fail(-2);
  }
  if (count < 1) return Fail(-2);
  uint32_t index = ChooseTitlePicture(choice, count);
  uint32_t offset = 0;
  for (uint32_t i = 0; i <= index; i++)
    if (StreamReadDword(&offset)) return Fail(-2);
  if (offset > 0x7FFFFFFFu || StreamSeek((int32_t)offset)) return Fail(-2);
  uint16_t w, h;
  // A title picture is a few hundred pixels across; a size beyond kMaxTitleSide is a damaged
  // file, never an allocation of gigabytes (or a size product that wraps).
  constexpr uint16_t kMaxTitleSide = 4096;
  if (StreamReadWord(&w) || StreamReadWord(&h) || !w || !h) return Fail(-2);
  if (w > kMaxTitleSide || h > kMaxTitleSide) return Fail(-2);
  uint32_t background;
  if (version == 56) {
    uint8_t bg[2];
    if (StreamReadBytes(bg, 2) < 2 || bg[1] != 0) return Fail(-2);
    background = SwapRedBlue(ResolveColour(bg[0]));
  } else {
    uint32_t word;
    if (StreamReadDword(&word)) return Fail(-2);
    background = SwapRedBlue(word);
    ReadPackedPixel(nullptr);  // packed pixels, one decoder state per picture
  }
  uint32_t* px = (uint32_t*)GraphicsAlloc((uint32_t)w * h * 4);
  if (!px) return Fail(-5);
  for (uint32_t i = 0; i < (uint32_t)w * h; i++) px[i] = background;
  // Rows from the bottom upwards; a run never reaches past the end of its row.
  for (int y = h - 1; y >= 0; y--) {
    int x = 0;
    while (x < w) {
      int run = 1;
      uint32_t colour;
      if (version == 57) {
        uint32_t word;
        if (ReadPackedPixel(&word)) {
          MemFree(px);
          return Fail(-2);
        }
        colour = SwapRedBlueAlt(word);
      } else {
        uint8_t b, c;
        if (StreamReadByte(&b)) {
          MemFree(px);
          return Fail(-2);
        }
        run = (b >> 6) + 1;
        if ((b & 0xC0) == 0xC0) {
          if (StreamReadByte(&c)) {
            MemFree(px);
            return Fail(-2);
          }
          run = c + 4;
        }
        colour = SwapRedBlue(ResolveColour(b & 63));
      }
      if (run > w - x) run = w - x;
      if (colour != background)
        for (int k = 0; k < run; k++) px[y * w + x + k] = colour;
      x += run;
    }
  }
  StreamCloseRead();
  HeldTitle = {w, h, px};
  return (int)index;
}
