// Menu caption tables, checked against the resource script (every command of the menu bar has a
// caption, every caption and popup text lands on an item the script has) and against the help
// topics (every popup's help id has its topic in the help project).
#include "app/menu_tables.h"
#include <gtest/gtest.h>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "app/help.h"

namespace {

// One entry of the menu bar's script: a popup with its entries, a command, or a separator.
struct RcEntry {
  int popup = 0;
  int id = 0;  // command id (0: separator or popup)
  std::vector<RcEntry> items;
};

// The command names of the resource header (#define CMD_... value).
std::map<std::string, int> ReadCommandNames() {
  std::ifstream f(std::string(QUIL_TEST_SOURCE_DIR) + "/resources/menus.h");
  std::map<std::string, int> names;
  std::string word, name;
  while (f >> word)
    if (word == "#define" && f >> name && name.rfind("CMD_", 0) == 0) {
      int value = 0;
      f >> value;
      names[name] = value;
    }
  return names;
}

// Reads the menu MENU_EDIT_WINDOW of the resource script into its tree; the commands stand there
// by their names (a number there is a fault).
RcEntry ReadMenuBar() {
  std::map<std::string, int> names = ReadCommandNames();
  std::ifstream f(std::string(QUIL_TEST_SOURCE_DIR) + "/resources/menus.rc");
  std::vector<RcEntry*> open;
  RcEntry bar;
  bar.popup = 1;
  bool inBar = false;
  std::string line;
  while (std::getline(f, line)) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (!inBar) {
      if (word == "MENU_EDIT_WINDOW") inBar = true;
      continue;
    }
    if (word == "BEGIN") {
      open.push_back(open.empty() ? &bar : &open.back()->items.back());
    } else if (word == "END") {
      open.pop_back();
      if (open.empty()) break;
    } else if (word == "POPUP") {
      RcEntry e;
      e.popup = 1;
      open.back()->items.push_back(e);
    } else if (word == "MENUITEM") {
      RcEntry e;
      size_t comma = line.rfind(',');
      if (line.find("SEPARATOR") == std::string::npos && comma != std::string::npos) {
        std::istringstream rest(line.substr(comma + 1));
        std::string name;
        rest >> name;
        EXPECT_TRUE(names.count(name)) << "command " << name << " is no CMD_ name";
        e.id = names.count(name) ? names[name] : -1;
      }
      open.back()->items.push_back(e);
    }
  }
  return bar;
}

// The entry at a 1-based position of a popup, or null.
const RcEntry* At(const RcEntry* popup, int position) {
  if (!popup || position < 1 || position > (int)popup->items.size()) return nullptr;
  return &popup->items[(size_t)position - 1];
}

void CollectCommands(const RcEntry& e, std::set<int>* ids) {
  if (e.id) ids->insert(e.id);
  for (const RcEntry& c : e.items) CollectCommands(c, ids);
}

}  // namespace

TEST(MenuTables, PopupCaptionsLandOnPopupsOfTheScript) {
  RcEntry bar = ReadMenuBar();
  ASSERT_EQ(bar.items.size(), 7u) << "the menu bar of the resource script";
  int n;
  const MenuPopupCaption* p = GetMenuPopupCaptions(&n);
  std::set<uint32_t> texts;
  for (int i = 0; i < n; i++) {
    int sub = p[i].position >> 8, item = p[i].position & 0xFF;
    const RcEntry* e = sub ? At(At(&bar, sub), item) : At(&bar, item);
    ASSERT_NE(e, nullptr) << "popup caption at " << std::hex << p[i].position;
    EXPECT_TRUE(e->popup) << "the caption at " << std::hex << p[i].position << " is no popup";
    EXPECT_TRUE(texts.insert(p[i].textId).second) << "text used twice " << p[i].textId;
  }
  // Every popup of the script, on the bar and in the bar's popups, has its caption.
  int popups = 0;
  for (const RcEntry& top : bar.items) {
    popups += top.popup;
    for (const RcEntry& e : top.items) popups += e.popup;
  }
  EXPECT_EQ(n, popups);
}

TEST(MenuTables, PopupHelpIdsHaveHelpTopics) {
  std::ifstream f(std::string(QUIL_TEST_BINARY_DIR) + "/generated/help/topics.txt");
  ASSERT_TRUE(f.good()) << "the help build wrote no topic list";
  std::set<uint32_t> topics;
  for (uint32_t t; f >> t;) topics.insert(t);
  int n, withHelp = 0;
  const MenuPopupCaption* p = GetMenuPopupCaptions(&n);
  for (int i = 0; i < n; i++) {
    if (!p[i].helpId) continue;
    withHelp++;
    EXPECT_EQ(MenuHelpIdAt(p[i].position), p[i].helpId);
    EXPECT_TRUE(topics.count(GetHelpTopicForId(p[i].helpId))) << "help id " << p[i].helpId;
  }
  EXPECT_GT(withHelp, 0);
}

TEST(MenuTables, EveryCommandOfTheScriptHasACaptionInItsPopup) {
  RcEntry bar = ReadMenuBar();
  std::set<int> scriptIds;
  CollectCommands(bar, &scriptIds);
  ASSERT_GT(scriptIds.size(), 50u);
  std::set<int> captioned;
  int n;
  for (int table = 0; table < 2; table++) {
    const MenuCommandCaption* c = table ? GetMenuToggleCaptions(&n) : GetMenuCommandCaptions(&n);
    for (int i = 0; i < n; i++) {
      int sub = c[i].position >> 8, item = c[i].position & 0xFF;
      const RcEntry* popup = At(&bar, sub);
      if (item) popup = At(popup, item);
      ASSERT_NE(popup, nullptr) << "command " << c[i].commandId;
      bool found = false;
      for (const RcEntry& e : popup->items) found = found || e.id == c[i].commandId;
      EXPECT_TRUE(found) << "command " << c[i].commandId
                         << " is not in the popup its caption names";
      EXPECT_LT(c[i].textId & ~MENU_TEXT_NO_REDRAW, 40000u);
      captioned.insert(c[i].commandId);
    }
  }
  for (int id : scriptIds)
    EXPECT_TRUE(captioned.count(id)) << "command " << id << " has no caption";
  // The fixed captions redraw the bar once, with the last of them.
  const MenuCommandCaption* c = GetMenuCommandCaptions(&n);
  int withRedraw = 0;
  for (int i = 0; i < n; i++) withRedraw += (c[i].textId & MENU_TEXT_NO_REDRAW) ? 0 : 1;
  EXPECT_EQ(withRedraw, 1);
  EXPECT_FALSE(c[n - 1].textId & MENU_TEXT_NO_REDRAW);
  EXPECT_EQ(MenuCaptionOf(999), 0u);
}
