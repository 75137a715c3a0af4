// Writes the contact sheet of composed cells: for every track kind a small layout (straight runs
// in all four directions, curves, switches and a crossing) composed cell by cell with the cells
// above and below, at zoom 1 and zoom 2; then every track symbol number and a row of element
// cells on track. Usage: cell_sheet <data folder>  (reads quil.gzg there, writes quil_cells.png).
#include <cstdio>
#include <string>
#include <vector>
#include "app/entry.h"
#include "core/random.h"
#include "core/stream.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "graphics/glyphfile.h"

namespace {
struct Picture {
  int w, h;
  std::vector<uint32_t> px;  // 0xRRGGBB, rows from the top
  Picture(int width, int height) : w(width), h(height), px((size_t)width * height, 0x303030) {}
  void Cell(int x0, int y0, int zoom) {
    int cw = 32 * zoom, ch = 16 * zoom;
    const uint32_t* b = zoom == 1 ? CellBuffer1 : CellBuffer2;
    for (int y = 0; y < ch; y++)
      for (int x = 0; x < cw; x++) {
        uint32_t p = b[(ch - 1 - y) * cw + x];
        p = (p & 0x80000000u) ? DarkenPixel(p) : p & 0xFFFFFF;
        if (x0 + x < w && y0 + y < h) px[(size_t)(y0 + y) * w + x0 + x] = p;
      }
  }
};

// A layout of cell codes (0xC000 empty) composed into the picture at (x0, y0).
void Layout(Picture& pic, int x0, int y0, const std::vector<std::vector<uint32_t>>& rows,
            int zoom) {
  for (size_t r = 0; r < rows.size(); r++)
    for (size_t c = 0; c < rows[r].size(); c++) {
      uint32_t above = r > 0 && c < rows[r - 1].size() ? rows[r - 1][c] : 0xC000;
      uint32_t below = r + 1 < rows.size() && c < rows[r + 1].size() ? rows[r + 1][c] : 0xC000;
      ComposeCellBase(rows[r][c], 0, above, 0, below, 0, 0, (int)c, (int)r, 0, zoom);
      pic.Cell(x0 + (int)c * 32 * zoom, y0 + (int)r * 16 * zoom, zoom);
    }
}

// The kind's layout: a horizontal run with a switch, a diagonal pair, a vertical run, curves.
std::vector<std::vector<uint32_t>> KindLayout(uint32_t base) {
  const uint32_t E = 0xC000;
  auto t = [&](uint32_t s) { return base + s; };
  return {
      {t(0), t(0), t(48), t(0), t(0), E, t(1), E},
      {E, E, E, t(2), E, E, t(1), E},
      {t(3), E, E, E, t(2), E, t(1), E},
      {E, t(3), E, E, E, t(28), t(44), E},
      {t(29), t(0), t(32), t(0), t(34), t(0), t(0), t(11)},
      {E, E, t(1), E, E, E, E, E},
  };
}

void WritePng(const std::string& path, const Picture& pic) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < pic.h; y++) {
    raw.push_back(0);
    for (int x = 0; x < pic.w; x++) {
      uint32_t p = pic.px[(size_t)y * pic.w + x];
      raw.push_back((uint8_t)(p >> 16));
      raw.push_back((uint8_t)(p >> 8));
      raw.push_back((uint8_t)p);
    }
  }
  uint32_t crcTable[256];
  for (uint32_t n = 0; n < 256; n++) {
    uint32_t c = n;
    for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    crcTable[n] = c;
  }
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto be32 = [](std::vector<uint8_t>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back((uint8_t)(x >> s));
  };
  auto chunk = [&](const char* type, const std::vector<uint8_t>& data) {
    be32(out, (uint32_t)data.size());
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t b : body) c = crcTable[(c ^ b) & 0xFF] ^ (c >> 8);
    out.insert(out.end(), body.begin(), body.end());
    be32(out, c ^ 0xFFFFFFFFu);
  };
  std::vector<uint8_t> ihdr;
  be32(ihdr, (uint32_t)pic.w);
  be32(ihdr, (uint32_t)pic.h);
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  chunk("IHDR", ihdr);
  // zlib stream of stored blocks
  std::vector<uint8_t> z = {0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0;) {
    size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back((uint8_t)n), z.push_back((uint8_t)(n >> 8));
    z.push_back((uint8_t)~n), z.push_back((uint8_t)(~n >> 8));
    z.insert(z.end(), raw.begin() + (long)at, raw.begin() + (long)(at + n));
    at += n;
    if (!n) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) a = (a + v) % 65521, b = (b + a) % 65521;
  be32(z, (b << 16) | a);
  chunk("IDAT", z);
  chunk("IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: cell_sheet <data folder>\n");
    return 2;
  }
  std::string folder = std::string(argv[1]) + "/";
  static unsigned char drawingDC;  // the program's main-window device context stands here
  Entry.statusDC = &drawingDC;
  if (StreamInit()) return 1;
  std::u16string wide(folder.begin(), folder.end());
  SetKindFolder(FILE_KIND_PROGRAM, wide.c_str());
  int r = LoadSymbolFile();
  if (r != 0 && r != 6) {
    std::fprintf(stderr, "cell_sheet: glyph file not loaded (%d)\n", r);
    return 1;
  }
  RuntimeSrand(1);
  // kinds 1..14 (first code of each), laid out at zoom 1 and 2
  const uint32_t kinds[14] = {0,    1024, 2048, 3072, 4096,  4608,  5120,
                              5632, 7168, 8192, 9216, 10240, 11264, 12288};
  int lw = 8 * 32, lh = 6 * 16, gap = 8;
  Picture pic(2100, 1400);
  int y = 4;
  for (int k = 0; k < 14; k++) {
    int col = k % 7, row = k / 7;
    Layout(pic, 4 + col * (lw + gap), y + row * (lh + gap), KindLayout(kinds[k]), 1);
  }
  y += 2 * (lh + gap);
  for (int k = 0; k < 14; k++) {
    int col = k % 4, row = k / 4;
    Layout(pic, 4 + col * (2 * lw + gap), y + row * (2 * lh + gap), KindLayout(kinds[k]), 2);
  }
  y += 4 * (2 * lh + gap);
  // every track symbol number 0..95 of kind 1, and with the ground flag, zoom 2
  for (uint32_t s = 0; s < 96; s++) {
    for (int ground = 0; ground < 2; ground++) {
      ComposeCellBase(s + (ground ? 0x200u : 0u), 0, 0xC000, 0, 0xC000, 0, 0, (int)s, 0, 0, 2);
      int col = (int)s % 24, row = (int)s / 24;
      pic.Cell(4 + col * 68, y + (ground * 4 + row) * 36, 2);
    }
  }
  y += 8 * 36 + gap;
  // element cells on track: signals, stops, depots, buffer stops, in four directions
  const uint32_t elements[] = {440, 442, 444, 446, 400, 402, 264, 266, 268, 270,
                               136, 137, 138, 139, 168, 170, 172, 174, 152, 176};
  for (int i = 0; i < (int)(sizeof elements / sizeof elements[0]); i++) {
    ComposeCellBase(elements[i], 0, 0xC000, 0, 0xC000, 0, 0, i, 0, 0, 2);
    pic.Cell(4 + i * 68, y, 2);
  }
  WritePng(folder + "quil_cells.png", pic);
  FreeSymbolGraphics();
  StreamExit();
  return 0;
}
