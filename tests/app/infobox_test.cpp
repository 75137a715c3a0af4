// Info-box geometry: width from the texts, the cancellable minimum and the screen limit; the
// position centred on the owner; where the texts go.
#include <gtest/gtest.h>
#include "app/infobox.h"

namespace {

TEST(InfoBoxGeometry, Width) {
  struct Case {
    int textLen, progress, cancellable, abortWidth, screen, want;
  } cases[] = {
      {20, 10, 0, 0, 1024, 328},    // (20 + 10 + 11) x 8
      {20, 10, 1, 200, 1024, 328},  // wide enough for the abort text already
      {2, 0, 1, 400, 1024, 464},    // cancellable: at least the abort text + 64
      {2, 0, 0, 400, 1024, 104},    // not cancellable: no minimum
      {200, 50, 0, 0, 1024, 976},   // wider than the screen: screen width - 48
      {99, 13, 1, 120, 640, 592},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InfoBoxWidth(c.textLen, c.progress, c.cancellable, c.abortWidth, c.screen), c.want)
        << c.textLen;
}

TEST(InfoBoxGeometry, PositionCentredOnTheOwner) {
  struct Case {
    int l, t, r, b, w, x, y;
  } cases[] = {
      {0, 0, 800, 600, 328, 236, 252}, {100, 50, 900, 650, 328, 336, 302},
      {0, 0, 300, 200, 320, 0, 52},   // centred left edge below 1: x = 0
      {0, 0, 301, 200, 300, 0, 52},   // (301 - 300) / 2 = 0: also 0
      {10, 10, 20, 20, 100, 0, -33},  // rounded toward zero
  };
  for (const Case& c : cases) {
    int x = -1, y = -1;
    InfoBoxPosition(c.l, c.t, c.r, c.b, c.w, &x, &y);
    EXPECT_EQ(x, c.x) << c.l << "," << c.t;
    EXPECT_EQ(y, c.y) << c.l << "," << c.t;
  }
}

TEST(InfoBoxGeometry, TextPlaces) {
  EXPECT_EQ(InfoBoxProgressX(0), 48);
  EXPECT_EQ(InfoBoxProgressX(20), 208);
  EXPECT_EQ(InfoBoxTextY(1), 16);
  EXPECT_EQ(InfoBoxTextY(0), 24);
}

}  // namespace
