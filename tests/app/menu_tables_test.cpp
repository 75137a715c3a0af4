// Menu caption tables: popups with help ids, every command of the menu bar with a caption, and
// the language texts behind them.
#include "app/menu_tables.h"
#include <gtest/gtest.h>
#include <set>

TEST(MenuTables, PopupsAndHelpIds) {
  int n;
  const MenuPopupCaption* p = GetMenuPopupCaptions(&n);
  EXPECT_EQ(n, 12);
  static const struct {
    uint16_t pos;
    uint32_t help;
  } cases[] = {
      {MenuPos(0, 1), 40001}, {MenuPos(0, 3), 40003},  {MenuPos(0, 5), 40006},
      {MenuPos(0, 6), 40007}, {MenuPos(0, 7), 40005},  {MenuPos(2, 3), 40014},
      {MenuPos(5, 7), 40013}, {MenuPos(5, 13), 40015}, {MenuPos(5, 14), 40012},
      {MenuPos(1, 8), 40011}, {MenuPos(1, 1), 0},      {MenuPos(0, 8), 0},
  };
  for (auto& c : cases) EXPECT_EQ(MenuHelpIdAt(c.pos), c.help) << c.pos;
  std::set<uint32_t> texts;
  for (int i = 0; i < n; i++) texts.insert(p[i].textId);
  EXPECT_EQ(texts.size(), 12u);
}

TEST(MenuTables, EveryBarCommandHasACaption) {
  // The commands of the menu bar (recent files and toggled captions aside).
  const int ranges[][2] = {{256, 262}, {265, 266}, {480, 481}, {304, 305}, {307, 323}, {325, 331},
                           {336, 337}, {340, 342}, {344, 359}, {368, 377}, {385, 396}, {432, 433},
                           {448, 451}, {464, 466}, {400, 404}, {417, 430}};
  for (auto& r : ranges)
    for (int id = r[0]; id <= r[1]; id++) {
      if (id == 306 || id == 263 || id == 264) continue;
      EXPECT_NE(MenuCaptionOf(id), 0u) << id;
    }
  static const struct {
    int id;
    uint32_t text;
  } cases[] = {
      {256, 1001}, {266, 1009}, {480, 1120}, {309, 1037}, {325, 1181}, {336, 1220}, {344, 1230},
      {359, 1245}, {368, 1101}, {389, 1057}, {448, 1201}, {450, 1204}, {400, 1081}, {430, 1075},
      {338, 1222}, {384, 1042}, {406, 1088}, {999, 0},    {263, 0},
  };
  for (auto& c : cases) EXPECT_EQ(MenuCaptionOf(c.id), c.text) << c.id;

  int n;
  const MenuCommandCaption* c = GetMenuCommandCaptions(&n);
  int withRedraw = 0;
  std::set<int> ids;
  for (int i = 0; i < n; i++) {
    if (!(c[i].textId & MENU_TEXT_NO_REDRAW)) withRedraw++;
    EXPECT_TRUE(ids.insert(c[i].commandId).second) << c[i].commandId;
    EXPECT_LT(c[i].textId & ~MENU_TEXT_NO_REDRAW, 40000u);
  }
  EXPECT_EQ(withRedraw, 1);  // only the last caption redraws the bar
  EXPECT_EQ(c[n - 1].commandId, 430);
}
