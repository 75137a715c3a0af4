// Memory running out: the line table that cannot be allocated stops the start with error 12, and a
// description that cannot be allocated leaves the old one in place.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "app/startup.h"
#include "core/platform_native.h"
#include "elements/lines.h"

TEST(LinesMemory, TheTableThatCannotBeAllocatedIsStartupError12) {
  int n;
  const StartupStep* t = GetStartupTable(&n);
  const StartupStep* row = nullptr;
  for (int i = 0; i < n; i++)
    if (std::strcmp(t[i].component, "line table") == 0) row = &t[i];
  ASSERT_NE(row, nullptr);
  ExitLineTable();
  SetGlobalAllocFault(1);
  int r = row->run();
  SetGlobalAllocFault(0);
  ASSERT_NE(r, 0);
  ASSERT_NE(row->code, nullptr);
  EXPECT_EQ(row->code(r), 12);
  EXPECT_EQ(CreateLine(u"A", 0, 0), 1);  // without a table no line can be made
  EXPECT_EQ(row->run(), 0);
  EXPECT_EQ(CreateLine(u"A", 0, 0), 0);
  ClearLineTable();
}

TEST(LinesMemory, ADescriptionThatCannotBeAllocatedKeepsTheOldOne) {
  InitLineTable();
  ClearLineTable();
  ASSERT_EQ(CreateLine(u"A", 0, 0), 0);
  ASSERT_EQ(SetLineDescription(1, u"old"), 0);
  SetGlobalAllocFault(1);
  EXPECT_EQ(SetLineDescription(1, u"new text"), -2);
  SetGlobalAllocFault(0);
  char16_t b[16];
  EXPECT_EQ(GetLineDescription(1, b), 4);
  EXPECT_EQ(std::u16string(b), u"old");
  ClearLineTable();
}
