// The narrow tooltip text of a status pane: up to 79 characters as they are, "?L" from 80 on.
#include "app/tooltip.h"
#include <gtest/gtest.h>
#include <string>

TEST(Tooltip, NarrowTextTakesUpTo79Characters) {
  struct Case {
    int length;
    std::string expected;
  };
  const Case cases[] = {{0, ""}, {1, "a"}, {79, std::string(79, 'a')}, {80, "?L"}, {300, "?L"}};
  for (const Case& c : cases) {
    std::u16string text(c.length, u'a');
    char out[TOOLTIP_NARROW_BYTES];
    TooltipNarrowText(text.c_str(), out);
    EXPECT_EQ(std::string(out), c.expected) << c.length;
  }
}
