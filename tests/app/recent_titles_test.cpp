// Recent-file list and window titles.
#include "app/recent.h"
#include "app/titles.h"
#include <gtest/gtest.h>
#include <string>

static std::u16string Num(int i) {
  std::u16string s = u"net";
  if (i >= 10) s += (char16_t)(u'0' + i / 10);
  s += (char16_t)(u'0' + i % 10);
  return s + u".nt3";
}

TEST(RecentFiles, OrderDuplicatesAndOverflow) {
  AddRecentFile(nullptr);
  for (int i = 0; i < 33; i++) AddRecentFile(Num(i).c_str());
  EXPECT_EQ(std::u16string(RecentFiles[0]), Num(32));
  EXPECT_EQ(std::u16string(RecentFiles[31]), Num(1));  // net0 dropped

  AddRecentFile(u"  NET5.NT3");  // same file: moves to the top
  EXPECT_EQ(std::u16string(RecentFiles[0]), u"  NET5.NT3");
  int count = 0;
  for (int i = 0; i < RECENT_COUNT; i++)
    if (RecentFiles[i][0] && (std::u16string(RecentFiles[i]) == Num(5) ||
                              std::u16string(RecentFiles[i]) == u"  NET5.NT3"))
      count++;
  EXPECT_EQ(count, 1);
  EXPECT_EQ(std::u16string(RecentFiles[31]), Num(1));

  AddRecentFile(nullptr);
  for (int i = 0; i < RECENT_COUNT; i++) EXPECT_EQ(RecentFiles[i][0], 0);
}

TEST(RecentFiles, GetAndLongPaths) {
  AddRecentFile(nullptr);
  AddRecentFile(u"a.nt3");
  char16_t buf[RECENT_CHARS];
  static const struct {
    int id;
    int r;
  } cases[] = {{271, 1}, {272, 0}, {273, 1}, {303, 1}, {304, 1}};
  for (auto& c : cases) EXPECT_EQ(GetRecentFile(buf, c.id), c.r) << c.id;
  EXPECT_EQ(std::u16string(buf), u"a.nt3");

  std::u16string longPath(400, u'p');
  AddRecentFile(longPath.c_str());  // cut to 259, never written past
  EXPECT_EQ(std::u16string(RecentFiles[0]).size(), 259u);
  EXPECT_EQ(GetRecentFile(buf, 272), 0);
}

TEST(RecentFiles, MenuCaptions) {
  AddRecentFile(nullptr);
  // Twelve different files, the newest first: items 0..9 carry a mnemonic digit, the others not.
  for (int i = 0; i < 12; i++) {
    std::u16string name = u"f" + std::u16string(1, (char16_t)(u'a' + i)) + u".nt3";
    AddRecentFile(name.c_str());
  }
  char16_t out[300];
  FormatRecentMenuItem(0, out, 300);
  EXPECT_EQ(std::u16string(out), u"&0 fl.nt3");
  FormatRecentMenuItem(9, out, 300);
  EXPECT_EQ(std::u16string(out), u"&9 fc.nt3");
  FormatRecentMenuItem(11, out, 300);
  EXPECT_EQ(std::u16string(out), u"11 fa.nt3");
  EXPECT_EQ(FormatRecentMenuItem(32, out, 300), 1);
  FormatRecentMenuItem(0, out, 4);
  EXPECT_EQ(std::u16string(out), u"&0 ");
  EXPECT_EQ(SetRecentShownCount(33), 1);
  EXPECT_EQ(SetRecentShownCount(12), 0);
  EXPECT_EQ(RecentShownCount, 12);
}

TEST(Titles, Compose) {
  char16_t t[TITLE_CHARS];
  ComposeMainTitle(t, TITLE_CHARS, 0, u"Network:", u"demo.nt3", u"(changed)", nullptr, nullptr);
  EXPECT_EQ(std::u16string(t), u"QUIL Network: demo.nt3 (changed) ");
  ComposeMainTitle(t, TITLE_CHARS, 1, u"Network:", u"demo.nt3", u"", u"Log:", u"quil_00.log");
  EXPECT_EQ(std::u16string(t), u"QUIL(2) Network: demo.nt3  Log:quil_00.log");
  ComposeEditTitle(t, TITLE_CHARS, 0, u"Window ", 2, u"demo.nt3", u"Scale", 1, 128, u"");
  EXPECT_EQ(std::u16string(t), u"QUIL Window 2 demo.nt3 Scale 1:128 ");
  ComposeEditTitle(t, TITLE_CHARS, 1, u"Window ", 1, u"x", u"Scale", 4, 1, u"Train 12");
  EXPECT_EQ(std::u16string(t), u"QUIL(2) Window 1 x Scale 4:1 Train 12");
  ComposeClockTitle(t, TITLE_CHARS, 1, u"Clock");
  EXPECT_EQ(std::u16string(t), u"QUIL(2) Clock");
  ComposeClockTitle(t, 5, 0, u"Clock");
  EXPECT_EQ(std::u16string(t), u"QUIL");
}

TEST(Titles, RunTime) {
  uint32_t h, m, s;
  EXPECT_EQ(RunTimeParts(1503, &h, &m, &s), 0);
  EXPECT_EQ(RunTimeParts(1504, &h, &m, &s), 1);
  EXPECT_EQ(h, 0u);
  EXPECT_EQ(m, 25u);
  EXPECT_EQ(s, 4u);
  RunTimeParts(3 * 3600 + 61, &h, &m, &s);
  EXPECT_EQ(h, 3u);
  EXPECT_EQ(m, 1u);
  EXPECT_EQ(s, 1u);
}
