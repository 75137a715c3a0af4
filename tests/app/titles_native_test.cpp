// Window titles of the live windows (native build: the title targets keep their texts).
#include "app/titles.h"
#include <gtest/gtest.h>
#include <string>

#include "app/editwnd.h"
#include "core/langtext.h"
#include "model/grid.h"
#include "model/netfile.h"

TEST(Titles, UpdateWindowTitlesChoosesTargets) {
  ResetEditWindows();
  int w1 = 0, w3 = 0;
  EditViews.slot[0].window = &w1;
  EditViews.slot[0].viewMode = 3;
  EditViews.slot[0].zoom = 4;
  EditViews.slot[2].window = &w3;
  EditViews.slot[2].viewMode = 1;
  EditViews.slot[2].zoom = 2;
  SetTitleWindowExists(TITLE_MAIN, 1);
  SetTitleWindowExists(TITLE_CLOCK, 0);
  SetNetworkName(u"demo.nt3");
  ClearNetModified();
  SecondInstance = 1;
  ApplyWindowTitle(TITLE_CLOCK, 0, u"untouched");

  UpdateWindowTitles(-1);
  std::u16string t8121 = GetLangText(LANG_ID(8121)), t8122 = GetLangText(LANG_ID(8122));
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_EDIT, 0)),
            u"QUIL(2) " + t8121 + u"1 demo.nt3 " + t8122 + u" 1:128 ");
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_EDIT, 2)),
            u"QUIL(2) " + t8121 + u"3 demo.nt3 " + t8122 + u" 2:1 ");
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_EDIT, 1)), u"");
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_CLOCK, 0)), u"untouched");  // no clock window
  std::u16string main = GetAppliedTitle(TITLE_MAIN, 0);
  EXPECT_EQ(main.find(u"QUIL(2) "), 0u);
  EXPECT_NE(main.find(u"demo.nt3"), std::u16string::npos);

  SecondInstance = 0;
  UpdateWindowTitles(3);  // edit window 3 only
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_EDIT, 2)).find(u"QUIL "), 0u);
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_EDIT, 0)).find(u"QUIL(2) "), 0u);
  EXPECT_EQ(std::u16string(GetAppliedTitle(TITLE_MAIN, 0)), main);
  SetNetModified();  // the modified flag renews the main title itself
  EXPECT_NE(std::u16string(GetAppliedTitle(TITLE_MAIN, 0)).find(GetLangText(LANG_ID(8123))),
            std::u16string::npos);
  UpdateWindowTitles(7);  // no such window: nothing, no access past the table
  ClearNetModified();
  ResetEditWindows();
  SetTitleWindowExists(TITLE_MAIN, 0);
}
