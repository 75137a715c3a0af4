// The edit windows' drawing buffers: fills, copies and enlarged copies land where the client
// area says, are clipped at every edge, set the dirty flag only when they wrote, and leave the
// buffer alone for bad windows; the shared drawing DC and the cell-drawing objects.
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "app/editwnd.h"
#include "app/entry.h"
#include "core/platform.h"
#include "views/view_services.h"
#include "views/window_buffer.h"

namespace {
constexpr uint32_t kOld = 0x00111111;
const char* const kBlank =
    "..........\n..........\n..........\n..........\n..........\n..........\n";

struct WindowBufferFixture : ::testing::Test {
  EditViewSlot* s = nullptr;
  LockRecord lock;
  std::vector<uint32_t> pixels;
  void SetUp() override {
    ResetEditWindows();
    std::memset(&lock, 0, sizeof lock);
    WrapInitializeCriticalSection(&lock);
    Make(0, 10, 6);
  }
  void TearDown() override {
    // No slot keeps the fixture's lock or pixels for the tests that follow.
    for (int i = 0; i < EDIT_SLOTS; i++) {
      EditViewSlot* e = GetEditSlot(i);
      e->lockB = nullptr;
      e->drawBuffer = nullptr;
      e->pixelCount = 0;
    }
    ResetEditWindows();
    WrapDeleteCriticalSection(&lock);
  }
  void Make(int slot, int w, int h) {
    s = GetEditSlot(slot);
    s->window = (void*)1;
    s->lockB = &lock;
    pixels.assign((size_t)w * h, kOld);
    s->drawBuffer = pixels.data();
    s->pixelWidth = w;
    s->pixelHeight = h;
    s->pixelCount = (uint32_t)(w * h);
    s->dirty = 0;
  }
  // Client pixel (x, y), y from the top.
  uint32_t At(int x, int y) const {
    return pixels[(size_t)(s->pixelHeight - 1 - y) * s->pixelWidth + x];
  }
  // The client area as rows of characters: '.' untouched, else the low hex digit of the pixel.
  std::string Picture() const {
    std::string out;
    for (int y = 0; y < s->pixelHeight; y++) {
      for (int x = 0; x < s->pixelWidth; x++)
        out += At(x, y) == kOld ? '.' : "0123456789abcdef"[At(x, y) & 15];
      out += '\n';
    }
    return out;
  }
};

// A bottom-up 4 x 3 source whose pixel (column c, row r from the top) is 0xA0 + r * 4 + c.
std::vector<uint32_t> Source4x3() {
  std::vector<uint32_t> src(12);
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 4; c++) src[(size_t)(2 - r) * 4 + c] = 0xA0u + (uint32_t)(r * 4 + c);
  return src;
}
}  // namespace

TEST_F(WindowBufferFixture, FillsAreInclusiveAndClippedAtEveryEdge) {
  struct Case {
    int x1, y1, x2, y2;
    const char* picture;
    int dirty;
  } cases[] = {
      {2, 1, 4, 2, "..........\n..555.....\n..555.....\n..........\n..........\n..........\n", 1},
      // starts left of and above the client area: clipped at 0
      {-3, -2, 0, 0, "5.........\n..........\n..........\n..........\n..........\n..........\n", 1},
      // runs past the right and bottom edges
      {8, 4, 40, 99, "..........\n..........\n..........\n..........\n........55\n........55\n", 1},
      // wholly outside, and empty (ends before starts): nothing, not dirty
      {10, 0, 12, 3, "..........\n..........\n..........\n..........\n..........\n..........\n", 0},
      {-5, -5, -1, 3, "..........\n..........\n..........\n..........\n..........\n..........\n",
       0},
      {4, 2, 3, 2, "..........\n..........\n..........\n..........\n..........\n..........\n", 0},
  };
  for (const Case& c : cases) {
    Make(0, 10, 6);
    FillWindowBufferRect(0, c.x1, c.y1, c.x2, c.y2, 0x00000005);
    EXPECT_EQ(Picture(), c.picture) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    EXPECT_EQ(s->dirty, (uint32_t)c.dirty) << c.x1 << "," << c.y1;
  }
}

TEST_F(WindowBufferFixture, CopiesTakeSourceRowsFromTheTopAndClip) {
  std::vector<uint32_t> src = Source4x3();
  // the whole source at (1, 1): row 0 of the source (from the top) is client row 1
  CopyPixelsToWindowBuffer(0, 1, 1, 4, 3, src.data(), 0, 0, 4, 3);
  EXPECT_EQ(Picture(), "..........\n.0123.....\n.4567.....\n.89ab.....\n..........\n..........\n");
  EXPECT_EQ(At(1, 1), 0xA0u);
  EXPECT_EQ(At(4, 3), 0xABu);
  // a 2 x 2 block from source column 2, row 1, placed over the left and top edges
  Make(0, 10, 6);
  CopyPixelsToWindowBuffer(0, -1, -1, 2, 2, src.data(), 2, 1, 4, 3);
  EXPECT_EQ(Picture(), "b.........\n..........\n..........\n..........\n..........\n..........\n");
  // over the right and bottom edges
  Make(0, 10, 6);
  CopyPixelsToWindowBuffer(0, 8, 4, 4, 3, src.data(), 0, 0, 4, 3);
  EXPECT_EQ(Picture(), "..........\n..........\n..........\n..........\n........01\n........45\n");
  // a block that reaches beyond its source copies only the source's pixels
  Make(0, 10, 6);
  CopyPixelsToWindowBuffer(0, 0, 0, 8, 8, src.data(), 2, 1, 4, 3);
  EXPECT_EQ(Picture(), "67........\nab........\n..........\n..........\n..........\n..........\n");
  EXPECT_EQ(s->dirty, 1u);
  // wholly outside: nothing, not dirty
  Make(0, 10, 6);
  CopyPixelsToWindowBuffer(0, 10, 0, 4, 3, src.data(), 0, 0, 4, 3);
  CopyPixelsToWindowBuffer(0, 0, -3, 4, 3, src.data(), 0, 0, 4, 3);
  EXPECT_EQ(s->dirty, 0u);
}

TEST_F(WindowBufferFixture, ScaledCopiesEnlargeEveryPixelAndSkipOutsidePixels) {
  std::vector<uint32_t> src = Source4x3();
  Make(0, 10, 6);
  CopyPixelsToWindowBufferScaled(0, 2, 1, 0, 4, 3, src.data(), 0, 0, 4, 3);
  EXPECT_EQ(Picture(), ".00112233.\n.00112233.\n.44556677.\n.44556677.\n.8899aabb.\n.8899aabb.\n");
  // factor 3 at (-1, -2): the first column and the first two rows of pixels are cut
  Make(0, 10, 6);
  CopyPixelsToWindowBufferScaled(0, 3, -1, -2, 4, 3, src.data(), 0, 0, 4, 3);
  EXPECT_EQ(Picture(), "0011122233\n4455566677\n4455566677\n4455566677\n88999aaabb\n88999aaabb\n");
  // factor 1 (and below) leaves the buffer unchanged: the unscaled copy is used for it
  for (int factor : {1, 0, -2}) {
    Make(0, 10, 6);
    CopyPixelsToWindowBufferScaled(0, factor, 0, 0, 4, 3, src.data(), 0, 0, 4, 3);
    EXPECT_EQ(Picture(), kBlank);
    EXPECT_EQ(s->dirty, 0u);
  }
}

TEST_F(WindowBufferFixture, BadWindowsAndMissingBuffersWriteNothing) {
  std::vector<uint32_t> src = Source4x3();
  for (int window : {-1, 6, 1}) {  // slot 1 has no window
    FillWindowBufferRect(window, 0, 0, 9, 5, 5);
    CopyPixelsToWindowBuffer(window, 0, 0, 4, 3, src.data(), 0, 0, 4, 3);
    CopyPixelsToWindowBufferScaled(window, 2, 0, 0, 4, 3, src.data(), 0, 0, 4, 3);
  }
  EXPECT_EQ(s->dirty, 0u);
  s->drawBuffer = nullptr;  // between a failed resize and the next one
  FillWindowBufferRect(0, 0, 0, 9, 5, 5);
  EXPECT_EQ(s->dirty, 0u);
  s->drawBuffer = pixels.data();
  s->pixelCount = 59;  // a size that does not fit the buffer is never written
  FillWindowBufferRect(0, 0, 0, 9, 5, 5);
  CopyPixelsToWindowBuffer(0, 0, 0, 4, 3, nullptr, 0, 0, 4, 3);
  EXPECT_EQ(s->dirty, 0u);
  for (uint32_t p : pixels) EXPECT_EQ(p, kOld);
}

TEST_F(WindowBufferFixture, WritesWaitForTheBufferLock) {
  // the render thread holds lock B while it copies the buffer: a write must not land meanwhile
  WrapEnterCriticalSection(&lock);
  struct Arg {
    volatile int done;
  } arg = {0};
  void* t = WrapBeginThread(
      [](void* p) {
        FillWindowBufferRect(0, 0, 0, 9, 5, 7);
        ((Arg*)p)->done = 1;
      },
      &arg, 1);
  ASSERT_NE(t, nullptr);
  WrapSleep(50);
  EXPECT_EQ(arg.done, 0);
  EXPECT_EQ(At(0, 0), kOld);
  WrapLeaveCriticalSection(&lock);
  WrapWaitForSingleObject(t, WRAP_INFINITE);
  WrapCloseHandle(t);
  EXPECT_EQ(arg.done, 1);
  EXPECT_EQ(At(9, 5), 7u);
}

TEST(DrawingDC, EveryWindowIndexGivesTheOneDrawingDC) {
  void* saved = Entry.statusDC;
  Entry.statusDC = nullptr;
  EXPECT_EQ(GetDrawingDC(3), nullptr);  // before the main window exists
  int token;
  Entry.statusDC = &token;
  EXPECT_EQ(GetDrawingDC(3), (void*)&token);
  EXPECT_EQ(GetDrawingDC(-1), (void*)&token);
  EXPECT_EQ(GetDrawingDC(0), (void*)&token);
  Entry.statusDC = saved;
}
