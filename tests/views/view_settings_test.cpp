// Tests of the view settings kept for the option file and the document state: construction
// settings, kind conversion settings, marking, saved positions and the colour swap.
#include <gtest/gtest.h>
#include <string>
#include "views/view_services.h"
#include "model/general_section.h"

TEST(ViewSettings, ColourSwap) {
  EXPECT_EQ(SwapRedBlue(0x12345678u), 0x785634u);
  EXPECT_EQ(SwapRedBlueAlt(SwapRedBlue(0x00ABCDEFu)), 0x00ABCDEFu);
}

TEST(ViewSettings, ConstructionSettingsStopAtTheFirstBadValue) {
  ConstructionSettings s;
  GetConstructionSettings(&s);
  ConstructionSettings good = s;
  good.lineWidth = 9;
  good.counts[4] = 64;
  EXPECT_EQ(SetConstructionSettings(&good), 0);
  ConstructionSettings bad = good;
  bad.lineWidth = 3;
  bad.counts[2] = 65;  // refused: the values before it are stored, the later ones not
  bad.blockWidth = 16;
  EXPECT_EQ(SetConstructionSettings(&bad) & 0xFF, 1);
  GetConstructionSettings(&s);
  EXPECT_EQ(s.lineWidth, 3);
  EXPECT_EQ(s.counts[2], good.counts[2]);
  EXPECT_EQ(s.blockWidth, good.blockWidth);
  bad = s;
  bad.areaX1 = 100;
  bad.areaX2 = 100;  // x1 must lie left of x2
  EXPECT_EQ(SetConstructionSettings(&bad) & 0xFF, 1);
}

TEST(ViewSettings, KindConversionSettings) {
  int from, to, mode;
  EXPECT_EQ(SetStrUmbSettings(3, 13, 5), 0);
  GetStrUmbSettings(&from, &to, &mode);
  EXPECT_EQ(from, 3);
  EXPECT_EQ(to, 13);
  EXPECT_EQ(mode, 5);
  EXPECT_EQ(SetStrUmbSettings(14, 1, 1), 1);  // out of range restores 0, 1, 1
  GetStrUmbSettings(&from, &to, &mode);
  EXPECT_EQ(from, 0);
  EXPECT_EQ(to, 1);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(SetClassBVariant(5) & 0xFF, 1);
  EXPECT_EQ(SetClassBVariant(-3), 0);
  EXPECT_EQ(GetClassBVariant(), -3);
  SetClassBVariant(0);
}

TEST(ViewSettings, MarkedBlockAndSavedPositions) {
  ResetDocumentState();
  EXPECT_EQ(SetMarkedBlock(10, 20, -1, 5, 7, -1, 1), 0);
  EXPECT_EQ(SetMarkedBlock(10, 20, -1, 5, 7, -1, 1), 1);
  EXPECT_EQ(SetMarkedBlock(10, 20, -1, 40000, 7, -1, 1), 2);
  int x1, y1, l1, x2, y2, l2;
  EXPECT_EQ(GetNormalizedMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2), 0);
  EXPECT_EQ(x1, 5);
  EXPECT_EQ(y1, 7);
  EXPECT_EQ(x2, 10);
  EXPECT_EQ(y2, 20);
  EXPECT_EQ(SetMarkLevelMode(3, 0), 2);
  EXPECT_EQ(SetMarkLevelMode(1, 0), 0);
  GetNormalizedMarkedBlock(nullptr, nullptr, &l1, nullptr, nullptr, &l2);
  EXPECT_EQ(l1, -4);
  EXPECT_EQ(l2, 0);
  SetMarkLevelMode(0, 0);
  EXPECT_EQ(SetBlockMarkMode(1), 1);
  EXPECT_EQ(SetBlockMarkMode(3), 1);
  EXPECT_EQ(SetBlockMarkMode(2), 0);

  EXPECT_EQ(SetSavedPosition(200, 1, 2, 0, u"x", 0), 1);
  EXPECT_EQ(SetSavedPosition(-1, 1, 2, 0, u"x", 0), 1);
  EXPECT_EQ(SetSavedPosition(199, 100, 200, -2, u"Depot", 0x01080000u), 0);
  std::u16string longName(65, u'n');
  EXPECT_EQ(SetSavedPosition(199, 101, 200, -2, longName.c_str(), 0), 0);  // name not stored
  int x, y, level;
  uint32_t alarm;
  char16_t name[65];
  EXPECT_EQ(GetSavedPosition(199, &x, &y, &level, name, &alarm), 0);
  EXPECT_EQ(x, 101);
  EXPECT_EQ(std::u16string(name), u"Depot");
  EXPECT_EQ(alarm, 0u);
  EXPECT_EQ(GetSavedPosition(200, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
}
