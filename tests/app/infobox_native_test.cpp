// The info-box stack in the native build: three levels, refusals, the progress text, closing in
// reverse order with a repaint of the box below, and the F12 abort of cancellable boxes.
#include <gtest/gtest.h>
#include <string>
#include "app/infobox.h"
#include "app/infobox_platform.h"

namespace {

class InfoBoxStack : public ::testing::Test {
 protected:
  InfoBoxNativeState saved;
  void SetUp() override {
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
    saved = *GetInfoBoxNativeState();
  }
  void TearDown() override {
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
    *GetInfoBoxNativeState() = saved;
  }
};

TEST_F(InfoBoxStack, ThreeBoxesStackAndAFourthIsRefused) {
  EXPECT_EQ(OpenInfoBox(u"Loading", u"Net", 10, 0), 0);
  EXPECT_EQ(OpenInfoBox(u"Reading", u"Net", 10, 1), 1);
  EXPECT_EQ(OpenInfoBox(u"Graphics", u"Net", 10, 0), 2);
  EXPECT_EQ(OpenInfoBox(u"Fourth", u"Net", 10, 0), -1);
  EXPECT_EQ(GetInfoBoxLevel(), 2);
  // The progress text goes to the topmost existing box.
  EXPECT_EQ(SetInfoBoxText(u"4096"), 0);
  EXPECT_EQ(std::u16string(GetInfoBoxSlot(2)->progress), u"4096");
  EXPECT_EQ(std::u16string(GetInfoBoxSlot(1)->progress), u"");
  EXPECT_EQ(CloseInfoBox(), 0);
  EXPECT_EQ(CloseInfoBox(), 0);
  EXPECT_EQ(CloseInfoBox(), 0);
  EXPECT_EQ(CloseInfoBox(), -1);
  EXPECT_EQ(SetInfoBoxText(u"x"), -1);
}

TEST_F(InfoBoxStack, AFailedWindowGivesTheLevelBack) {
  GetInfoBoxNativeState()->failNextCreate = 1;
  EXPECT_EQ(OpenInfoBox(u"Saving", u"Net", 5, 1), -2);
  EXPECT_EQ(GetInfoBoxLevel(), -1);
  EXPECT_EQ(IsInfoBoxAbortPressed(), 0);
  EXPECT_EQ(OpenInfoBox(u"Saving", u"Net", 5, 1), 0);
}

TEST_F(InfoBoxStack, ClosingTheSecondRepaintsTheFirstAndHandsBackTheFocus) {
  InfoBoxNativeState* s = GetInfoBoxNativeState();
  OpenInfoBox(u"One", u"c", 4, 0);
  OpenInfoBox(u"Two", u"c", 4, 0);
  int repaints = s->repaints, focus = s->focusToOwner;
  CloseInfoBox();
  EXPECT_EQ(s->repaints, repaints + 1);
  EXPECT_EQ(s->focusToOwner, focus + 1);
  CloseInfoBox();
  EXPECT_EQ(s->repaints, repaints + 1);  // nothing left to repaint
  EXPECT_EQ(s->focusToOwner, focus + 2);
}

TEST_F(InfoBoxStack, TextsAreCutAndGeometryIsKept) {
  InfoBoxNativeState* s = GetInfoBoxNativeState();
  s->screenWidth = 1024;
  s->ownerLeft = 0, s->ownerTop = 0, s->ownerRight = 800, s->ownerBottom = 600;
  std::u16string longText(150, u'x');
  ASSERT_EQ(OpenInfoBox(longText.c_str(), u"c", 10, 0), 0);
  const InfoBoxSlot* slot = GetInfoBoxSlot(0);
  EXPECT_EQ(std::u16string(slot->text), std::u16string(99, u'x'));
  EXPECT_EQ(slot->progressX, 8 * 99 + 48);
  EXPECT_EQ(slot->width, 960);  // (99 + 10 + 11) x 8
  EXPECT_EQ(slot->x, 0);        // (800 - 960) / 2 is below 1
  EXPECT_EQ(slot->y, 252);
  // A negative progress width counts as none.
  ASSERT_EQ(OpenInfoBox(u"abc", u"c", -5, 0), 1);
  EXPECT_EQ(GetInfoBoxSlot(1)->progressWidth, 0);
  EXPECT_EQ(GetInfoBoxSlot(1)->width, (3 + 0 + 11) * 8);
}

TEST_F(InfoBoxStack, F12AbortsOnlyCancellableBoxes) {
  InfoBoxNativeState* s = GetInfoBoxNativeState();
  s->f12Down = 1;
  EXPECT_EQ(IsInfoBoxAbortPressed(), 0);  // no box
  OpenInfoBox(u"Search", u"c", 5, 0);
  EXPECT_EQ(IsInfoBoxAbortPressed(), 0);  // not cancellable, even while F12 is held
  OpenInfoBox(u"Search", u"c", 5, 1);
  EXPECT_EQ(IsInfoBoxAbortPressed(), 1);
  s->f12Down = 0;
  EXPECT_EQ(IsInfoBoxAbortPressed(), 0);
  s->f12Down = 1;
  CloseInfoBox();
  EXPECT_EQ(IsInfoBoxAbortPressed(), 0);  // the topmost box decides
}

}  // namespace
