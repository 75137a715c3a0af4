// Command table, key dispatch and mouse dispatch: prefixes, the one modifier branch, the shared
// code space, edit-only rows from the status window, the dispatcher epilogue, the pixel-to-cell
// conversion and the menu and accelerator tables against the resource script.
#include <gtest/gtest.h>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>
#include "app/commands.h"
#include "app/cursor.h"
#include "app/dialog_test_util.h"
#include "app/editwnd.h"
#include "app/input.h"
#include "app/menu_tables.h"
#include "app/tick.h"
#include "core/sound.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

namespace {

std::vector<int> FrameCalls, ActivateCalls, FrameRateCalls;
int RecordFrame(int id) {
  FrameCalls.push_back(id);
  return 1;
}
void RecordActivate(int n) { ActivateCalls.push_back(n); }
int RecordFrameRate(int n) {
  FrameRateCalls.push_back(n);
  return 0;
}

// One open edit window in slot 0 (active or not), cursor at (100, 50) on level 0.
struct InputFixture : ::testing::Test {
  void SetUp() override {
    ResetEditWindows();
    EditViewSlot& s = EditViews.slot[0];
    s.window = (void*)0x10;
    s.viewMode = VIEW_SYMBOLS;
    s.zoom = 1;
    s.originX = 80;
    s.originY = 40;
    s.farX = 120;
    s.farY = 70;
    s.cursorX = 100;
    s.cursorY = 50;
    s.cursorLevel = 0;
    EditViews.active = 0;
    EditViews.lastUsed = 0;
    EditViews.followed = -1;
    CtrlKPrefix = CtrlQPrefix = 0;
    FrameCalls.clear();
    ActivateCalls.clear();
    FrameRateCalls.clear();
    FrameWindowCommand = RecordFrame;
    FrameActivateWindow = RecordActivate;
    FrameSetFrameRate = RecordFrameRate;
    OverlayPauseSwitch = 0;
    SoundOptions = 1;
  }
  void TearDown() override {
    FrameWindowCommand = nullptr;
    FrameActivateWindow = nullptr;
    FrameSetFrameRate = nullptr;
    ResetEditWindows();
    if (IsSimulationRunning()) SetSimulationRunning(SIMRUN_STOP);
  }
  static int CtrlLetter(int position) { return GetLangText(LANG_ID(921))[position]; }
  static int AltLetter(int position) { return GetLangText(LANG_ID(920))[position]; }
};

std::string ReadSource(const char* relative) {
  std::ifstream f(std::string(QUIL_TEST_SOURCE_DIR) + "/" + relative);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace

// ---- the command table ----------------------------------------------------------------------------

TEST(CommandTable, EveryMenuItemAndAcceleratorHasOneRow) {
  std::string rc = ReadSource("resources/menus.rc");
  ASSERT_FALSE(rc.empty());
  std::map<std::string, int> names;  // the command names of the resource header
  std::string header = ReadSource("resources/menus.h");
  std::regex define(R"(#define\s+(\w+)\s+(\d+))");
  for (auto it = std::sregex_iterator(header.begin(), header.end(), define);
       it != std::sregex_iterator(); ++it)
    names[(*it)[1]] = std::stoi((*it)[2]);
  auto idOf = [&](const std::string& t) {
    return isdigit((unsigned char)t[0]) ? std::stoi(t) : names.count(t) ? names[t] : -1;
  };
  std::set<int> ids;
  std::regex item(R"(MENUITEM\s+"[^"]*",\s*(\w+))");
  for (auto it = std::sregex_iterator(rc.begin(), rc.end(), item); it != std::sregex_iterator();
       ++it)
    ids.insert(idOf((*it)[1]));
  size_t acc = rc.find("ACCELERATORS");
  ASSERT_NE(acc, std::string::npos);
  std::regex accel(R"(\n\s*(?:"[^"]*"|VK_\w+),\s*(\w+))");
  std::string accText = rc.substr(acc);
  int accelerators = 0;
  for (auto it = std::sregex_iterator(accText.begin(), accText.end(), accel);
       it != std::sregex_iterator(); ++it, accelerators++)
    ids.insert(idOf((*it)[1]));
  EXPECT_FALSE(ids.count(-1)) << "a command name the header does not define";
  EXPECT_EQ(accelerators, 31);
  ASSERT_GT(ids.size(), 120u);
  for (int id = 272; id <= 303; id++) ids.insert(id);  // the recent files
  for (int id : ids) EXPECT_NE(FindCommandRow(id), nullptr) << id;

  // Rows do not overlap and hold no id that no menu, accelerator or recent file has.
  int n;
  const CommandRow* rows = GetCommandRows(&n);
  std::set<int> seen;
  for (int i = 0; i < n; i++)
    for (int id = rows[i].first; id <= rows[i].last; id++) {
      EXPECT_TRUE(seen.insert(id).second) << id;
      if (id < 512) {
        EXPECT_TRUE(ids.count(id)) << id;
      }
    }
  EXPECT_EQ(FindCommandRow(263), nullptr);
  EXPECT_EQ(FindCommandRow(999), nullptr);
}

TEST_F(InputFixture, UnbuiltCommandsAreGreyedAndDoNothing) {
  // Rows without an action are greyed whatever their condition says.
  for (int id : {261, 304, 308, 313, 320, 385, 370, 421, 496, 508}) {
    EXPECT_EQ(IsCommandEnabled(id, 0), 0) << id;
    HandleMenuCommand(id);
  }
  EXPECT_TRUE(FrameCalls.empty());
  // Built commands are enabled; the window commands go to the frame.
  for (int id : {256, 257, 266, 272, 303, 384, 401, 418, 433, 512})
    EXPECT_EQ(IsCommandEnabled(id, 0), 1) << id;
  HandleMenuCommand(346);
  HandleMenuCommand(515);
  EXPECT_EQ(FrameCalls, (std::vector<int>{346, 515}));
  // Zoom limits of the window's view.
  EditViewSlot& s = EditViews.slot[0];
  struct {
    uint32_t mode;
    int zoom, in, out;
  } zooms[] = {{VIEW_SYMBOLS, 8, 0, 1},
               {VIEW_SYMBOLS, 1, 1, 1},
               {VIEW_OVERVIEW, 64, 1, 0},
               {VIEW_OVERVIEW, 4, 1, 1},
               {VIEW_DIAGRAM, 8, 1, 1}};
  for (auto& z : zooms) {
    s.viewMode = z.mode;
    s.zoom = z.zoom;
    EXPECT_EQ(IsCommandEnabled(336, 0), z.in) << z.mode << " " << z.zoom;
    EXPECT_EQ(IsCommandEnabled(337, 0), z.out) << z.mode << " " << z.zoom;
  }
  // A new window only while a slot is free.
  for (int i = 1; i < EDIT_SLOTS; i++) EditViews.slot[i].window = (void*)(intptr_t)(0x20 + i);
  EXPECT_EQ(IsCommandEnabled(400, 0), 0);
  EditViews.slot[3].window = nullptr;
  EXPECT_EQ(IsCommandEnabled(400, 0), 1);
}

TEST_F(InputFixture, ToggledCaptions) {
  REQUIRE_LANGUAGE();
  EditViewSlot& s = EditViews.slot[0];
  s.displayFlag = 1;
  s.scrollBarFlag = 0;
  EditViews.statusLayoutWide = 1;
  EXPECT_EQ(ToggledCaption(338, 0, 0), 33991u);
  EXPECT_EQ(ToggledCaption(339, 0, 0), 33993u);
  EXPECT_EQ(ToggledCaption(405, 0, 0), 33855u);
  EXPECT_EQ(ToggledCaption(406, 0, 1), 33857u);
  EXPECT_EQ(ToggledCaption(406, 0, 0), 33856u);
  EXPECT_EQ(ToggledCaption(384, 0, 0), 33810u);
  SetSimulationRunning(SIMRUN_START);
  EXPECT_EQ(ToggledCaption(384, 0, 0), 33809u);
  EditViews.statusLayoutWide = 0;
  // Every toggled command of the menu gets a caption that exists.
  int n;
  const MenuCommandCaption* t = GetMenuToggleCaptions(&n);
  for (int i = 0; i < n; i++) {
    uint32_t text = ToggledCaption(t[i].commandId, 0, 0);
    EXPECT_NE(text, 0u) << t[i].commandId;
    EXPECT_GT(GetLangTextLength(text), 1u) << text;
  }
}

// ---- keys -------------------------------------------------------------------------------------------

TEST_F(InputFixture, CtrlKAndCtrlQPrefixes) {
  REQUIRE_LANGUAGE();
  // Ctrl+K then '3' stores the cursor as saved position 3.
  SetSavedPosition(3, 1, 2, -1, u"", 0);
  EXPECT_EQ(HandleKey('K', KEYMOD_CTRL, 1), 1);
  EXPECT_EQ(CtrlKPrefix, 1u);
  EXPECT_EQ(HandleKey('3', 0, 1), 1);
  EXPECT_EQ(CtrlKPrefix, 0u);
  int x, y, level;
  ASSERT_EQ(GetSavedPosition(3, &x, &y, &level, nullptr, nullptr), 0);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  EXPECT_EQ(level, 0);
  // Ctrl+K then B and K set the block corners to the cursor, keeping the other corner.
  SetMarkedBlock(10, 11, 0, 20, 21, 0, 0);
  HandleKey('K', KEYMOD_CTRL, 1);
  HandleKey('b', 0, 1);
  int x1, y1, l1, x2, y2, l2;
  GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
  EXPECT_EQ(x1, 100);
  EXPECT_EQ(y1, 50);
  EXPECT_EQ(x2, 20);
  EXPECT_EQ(y2, 21);
  // Any other key beeps and then acts as a normal key: Ctrl+K, Ctrl+<overlay pause letter>.
  uint32_t beeps = GetSoundPlayCount();
  HandleKey('K', KEYMOD_CTRL, 1);
  EXPECT_EQ(HandleKey(CtrlLetter(3), KEYMOD_CTRL, 1), 1);
  EXPECT_EQ(GetSoundPlayCount(), beeps + 1);
  EXPECT_EQ(OverlayPauseSwitch, 1u);
  // A key no table knows beeps and falls through.
  HandleKey('Q', KEYMOD_CTRL, 1);
  EXPECT_EQ(HandleKey(19, 0, 1), 0);
  EXPECT_EQ(GetSoundPlayCount(), beeps + 2);
  EXPECT_EQ(CtrlQPrefix, 0u);
  // Ctrl+Q then a digit is consumed without a beep.
  HandleKey('Q', KEYMOD_CTRL, 1);
  EXPECT_EQ(HandleKey('3', 0, 1), 1);
  EXPECT_EQ(GetSoundPlayCount(), beeps + 2);
}

TEST_F(InputFixture, OneModifierBranchInTheOrderCtrlShiftAlt) {
  REQUIRE_LANGUAGE();
  // Ctrl wins over Shift and Alt: the Ctrl letter acts, not the symbol placing or the Alt letter.
  EXPECT_EQ(HandleKey(CtrlLetter(3), KEYMOD_CTRL | KEYMOD_SHIFT | KEYMOD_ALT, 1), 1);
  EXPECT_EQ(OverlayPauseSwitch, 1u);
  // Shift wins over Alt: Shift+Alt+<simulation letter> places a symbol, the simulation stays.
  int running = IsSimulationRunning();
  EXPECT_EQ(HandleKey(AltLetter(1), KEYMOD_SHIFT | KEYMOD_ALT, 1), 1);
  EXPECT_EQ(IsSimulationRunning(), running);
  EXPECT_EQ(HandleKey(AltLetter(1), KEYMOD_ALT, 1), 1);
  EXPECT_NE(IsSimulationRunning(), running);
  // Shift with the keypad add and subtract sets the frame rate.
  HandleKey(107, KEYMOD_SHIFT, 1);
  HandleKey(109, KEYMOD_SHIFT, 1);
  EXPECT_EQ(FrameRateCalls, (std::vector<int>{-4, -3}));
  // Alt with a letter of no table is not handled (the system gets it).
  int free = 'A';
  while (LetterPosition(GetLangText(LANG_ID(920)), free) >= 0) free++;
  EXPECT_EQ(HandleKey(free, KEYMOD_ALT, 1), 0);
}

TEST_F(InputFixture, SharedCodeSpace) {
  // Insert (45) is '-', and '=' is '+': the clock speed changes alike.
  struct {
    int a, b;
  } same[] = {{45, '-'}, {'=', '+'}};
  for (auto& c : same) {
    SetClockSpeed(10);
    HandleKey(c.a, 0, 1);
    int level = DocState.speedLevel;
    SetClockSpeed(10);
    HandleKey(c.b, 0, 1);
    EXPECT_EQ(DocState.speedLevel, level) << c.a;
  }
  // '*' typed zooms in, '/' zooms out; the keypad keys come again as characters.
  EXPECT_EQ(HandleKey('*', 0, 1), 1);
  EXPECT_EQ(HandleKey('/', 0, 1), 1);
  for (int k : {106, 107, 109, 111}) EXPECT_EQ(HandleKey(k, 0, 1), 0) << k;
  EXPECT_EQ(FrameCalls, (std::vector<int>{336, 337}));
  // '{' is F12 and '`' is keypad 0: both handled like the keys they share the code with.
  EXPECT_EQ(HandleKey('{', 0, 1), 1);
  EXPECT_EQ(HandleKey('`', 0, 1), 1);
  EXPECT_EQ(HandleKey(19, 0, 1), 0);
}

TEST(KeyLetters, PlaceholdersKeepPositionsAndNeverMatch) {
  struct {
    const char16_t* text;
    int key, position;
  } cases[] = {
      {u"A-C-E", 'A', 0},    {u"a-c-e", 'C', 2}, {u"A-C-E", 'E', 4}, {u"A-C-E", '-', -1},
      {u"A-C-E", 'B', -1},   {u"AY", 121, -1},   {u"--", '-', -1},   {u"", 'A', -1},
      {u"\u00e4B", 0xC4, 0}, {nullptr, 'A', -1},
  };
  for (auto& c : cases) EXPECT_EQ(LetterPosition(c.text, c.key), c.position) << c.key;
}

TEST_F(InputFixture, EditOnlyRowsAndNoWindowSlotFromTheStatusWindow) {
  REQUIRE_LANGUAGE();
  EditViews.active = -1;  // the status window has the focus; slot 0 is the last-used window
  EditViewSlot before = EditViews.slot[0];
  SetSavedPosition(4, 7, 8, 0, u"", 0);
  static const struct {
    int key, flags;
  } keys[] = {{123, 0},
              {123, KEYMOD_CTRL},
              {123, KEYMOD_ALT},
              {'{', 0},
              {37, 0},
              {37, KEYMOD_CTRL},
              {37, KEYMOD_ALT},
              {33, KEYMOD_CTRL},
              {'K', KEYMOD_CTRL},
              {'4', 0},
              {'*', 0},
              {13, 0},
              {8, KEYMOD_CTRL},
              {'M', KEYMOD_SHIFT}};
  for (auto& k : keys) EXPECT_EQ(HandleKey(k.key, k.flags, 0), 1) << k.key << " " << k.flags;
  // A key from the status window may still act on what is not a window's (Ctrl letter 3).
  EXPECT_EQ(HandleKey(CtrlLetter(3), KEYMOD_CTRL, 0), 1);
  EXPECT_EQ(OverlayPauseSwitch, 1u);
  EXPECT_EQ(CtrlKPrefix, 0u);
  EXPECT_EQ(EditViews.slot[0].cursorX, before.cursorX);
  EXPECT_EQ(EditViews.slot[0].dirty, before.dirty);
  EXPECT_TRUE(FrameCalls.empty());
  int x;
  GetSavedPosition(4, &x, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(x, 7);
  // Keys from an edit window while none is active, and from the status window while one is,
  // are refused.
  EXPECT_EQ(HandleKey(37, 0, 1), 0);
  HandleEditMouse(MOUSE_LDOWN, 5, 5, 0, MOUSEKEY_LEFT);
  EXPECT_EQ(EditViews.slot[0].cursorX, before.cursorX);
  EditViews.active = 0;
  EXPECT_EQ(HandleKey(37, 0, 0), 0);
  // An active index naming a closed slot is no window either.
  EditViews.active = 2;
  EditViewSlot closed = EditViews.slot[2];
  EXPECT_EQ(HandleKey(37, 0, 1), 0);
  HandleEditMouse(MOUSE_LDOWN, 5, 5, 0, MOUSEKEY_LEFT);
  EXPECT_EQ(EditViews.slot[2].cursorX, closed.cursorX);
  EXPECT_EQ(EditViews.slot[2].dirty, closed.dirty);
}

TEST_F(InputFixture, FollowModePausedByKeysAndResumedByEscape) {
  EditViews.followed = 0;
  SetFollowMode(1);
  HandleKey('+', 0, 1);
  EXPECT_EQ(GetFollowMode(), 1);
  HandleKey(37, 0, 1);
  EXPECT_EQ(GetFollowMode(), 2);
  HandleKey(27, 0, 1);
  EXPECT_EQ(GetFollowMode(), 1);
  SetFollowMode(0);
}

TEST_F(InputFixture, EveryDispatcherEndsWithTheGridBlockRefresh) {
  auto check = [](const char* what, auto&& dispatch) {
    GridBlocksChanged = 1;
    dispatch();
    EXPECT_EQ(GridBlocksChanged, 0) << what;
  };
  check("command", [] { HandleMenuCommand(261); });
  check("key", [] { HandleKey(19, 0, 1); });
  check("status click", [] { HandleStatusMouse(MOUSE_LUP, 3, 3); });
  check("edit click", [] { HandleEditMouse(MOUSE_LDOWN, 3, 3, 0, MOUSEKEY_LEFT); });
}

// ---- mouse ------------------------------------------------------------------------------------------

TEST(EditMouse, PixelToCellRoundsDown) {
  EditViewSlot s = {};
  s.originX = 100;
  s.originY = 200;
  struct {
    uint32_t mode;
    int zoom, fineX, fineY, x, y, cellX, cellY;
  } cases[] = {
      // symbols: 32 x 16 pixels a cell, magnified by the zoom
      {VIEW_SYMBOLS, 1, 0, 0, 0, 0, 100, 200},
      {VIEW_SYMBOLS, 1, 0, 0, 31, 15, 100, 200},
      {VIEW_SYMBOLS, 1, 0, 0, 32, 16, 101, 201},
      {VIEW_SYMBOLS, 1, 5, 3, 0, 0, 99, 199},  // the partial cells at the left and top
      {VIEW_SYMBOLS, 1, 5, 3, 4, 2, 99, 199},
      {VIEW_SYMBOLS, 1, 5, 3, 5, 3, 100, 200},
      {VIEW_SYMBOLS, 2, 0, 0, 63, 31, 100, 200},
      {VIEW_SYMBOLS, 2, 0, 0, 64, 32, 101, 201},
      {VIEW_SYMBOLS, 8, 0, 0, -1, -1, 99, 199},  // a captured mouse left of the window
      {VIEW_SYMBOLS, 4, 2, 0, -200, 0, 98, 200},
      // diagram: 16 pixels a cell, divided by the zoom
      {VIEW_DIAGRAM, 1, 0, 0, 15, 16, 100, 201},
      {VIEW_DIAGRAM, 2, 0, 0, 8, 7, 101, 200},
      {VIEW_DIAGRAM, 1, 6, 6, 5, 6, 99, 200},
      {VIEW_DIAGRAM, 8, 0, 0, -1, -3, 99, 198},
      // overview: zoom cells a pixel
      {VIEW_OVERVIEW, 1, 0, 0, 7, 9, 107, 209},
      {VIEW_OVERVIEW, 16, 0, 0, 3, -2, 148, 168},
  };
  for (auto& c : cases) {
    s.viewMode = c.mode;
    s.zoom = c.zoom;
    s.fineX = c.fineX;
    s.fineY = c.fineY;
    int x, y;
    EditPixelToCell(&s, c.x, c.y, &x, &y);
    EXPECT_EQ(x, c.cellX) << c.mode << "/" << c.zoom << " " << c.x;
    EXPECT_EQ(y, c.cellY) << c.mode << "/" << c.zoom << " " << c.y;
  }
}

TEST_F(InputFixture, ClickMovesTheCursorAndEdgeDragMovesTheBlockEdge) {
  EditViewSlot& s = EditViews.slot[0];
  s.fineX = 4;
  HandleEditMouse(MOUSE_LDOWN, 2, 20, 0, MOUSEKEY_LEFT);  // the partial cell at the left edge
  EXPECT_EQ(s.cursorX, 79);
  EXPECT_EQ(s.cursorY, 41);
  EXPECT_EQ(s.dirty, 1u);
  HandleEditMouse(MOUSE_LUP, 68, 40, 0, 0);
  EXPECT_EQ(s.cursorX, 82);
  EXPECT_EQ(s.cursorY, 42);
  // Outside the grid the cursor stays.
  s.originX = 0;
  s.fineX = 0;
  HandleEditMouse(MOUSE_LDOWN, -40, 20, 0, MOUSEKEY_LEFT);
  EXPECT_EQ(s.cursorX, 82);
  s.originX = 80;
  // A mouse move with the left button is a drag (no cursor move) unless an edge drag runs; with
  // drag scrolling on it scrolls the view by the cells dragged, so the cursor cell follows the
  // mouse.
  uint32_t mouseOptions = GetMouseOptions();
  SetMouseOptions(0);
  HandleEditMouse(MOUSE_MOVE, 320, 40, 0, MOUSEKEY_LEFT);
  EXPECT_EQ(s.cursorX, 82);
  EXPECT_EQ(s.originX, 80);
  SetMouseOptions(8);
  HandleEditMouse(MOUSE_MOVE, 320, 8, 0, MOUSEKEY_LEFT);  // cell (90, 40): 8 columns, 2 rows
  EXPECT_EQ(s.cursorX, 82);
  EXPECT_EQ(s.originX, 72);
  EXPECT_EQ(s.originY, 42);
  SetMouseOptions(0);
  s.originX = 80;
  s.originY = 40;
  s.fineX = s.fineY = 0;
  s.farX = 120;
  s.farY = 70;
  SetMarkedBlock(85, 45, 0, 95, 55, 0, 0);
  HandleEditMouse(MOUSE_MOVE, 320, 40, 3, MOUSEKEY_LEFT);  // right edge to cell 90
  int x1, y1, l1, x2, y2, l2;
  GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
  EXPECT_EQ(x1, 85);
  EXPECT_EQ(x2, 90);
  EXPECT_EQ(s.cursorX, 90);
  SetMarkedBlock(95, 55, 0, 85, 45, 0, 0);  // corners the other way round: left edge is x2
  HandleEditMouse(MOUSE_MOVE, 0, 16 * 12, 2, MOUSEKEY_LEFT);
  GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
  EXPECT_EQ(x1, 95);
  EXPECT_EQ(x2, 80);
  SetMouseOptions(mouseOptions);
}

TEST_F(InputFixture, RightButtonEndsAPendingPick) {
  BeginPickMode();
  EXPECT_EQ(IsPickPending(), 1);
  HandleEditMouse(MOUSE_RDOWN, 320, 40, 0, 0);
  EXPECT_EQ(IsPickPending(), 0);
  EXPECT_EQ(EditViews.slot[0].cursorX, 100);  // ending the pick is all it does
  HandleEditMouse(MOUSE_RDOWN, 320, 40, 0, 0);
  EXPECT_EQ(EditViews.slot[0].cursorX, 90);
  BeginPickMode();
  HandleStatusMouse(MOUSE_RUP, 1, 1);
  EXPECT_EQ(IsPickPending(), 0);
  BeginPickMode();
  HandleMenuCommand(261);
  EXPECT_EQ(IsPickPending(), 0);
}

// A placement in pick mode swallows the release of the button that placed; the release after it
// is a click again.
TEST_F(InputFixture, PickPlacementSwallowsItsButtonRelease) {
  EditViewSlot& s = EditViews.slot[0];
  EditIgnoreButtonUp = 0;
  BeginPickMode();
  HandleEditMouse(MOUSE_LDOWN, 68, 40, 0, MOUSEKEY_LEFT);
  EXPECT_EQ(s.cursorX, 82);
  EXPECT_EQ(s.cursorY, 42);
  HandleEditMouse(MOUSE_LUP, 100, 56, 0, 0);
  EXPECT_EQ(s.cursorX, 82);
  EXPECT_EQ(s.cursorY, 42);
  EXPECT_EQ(EditIgnoreButtonUp, 0);
  HandleEditMouse(MOUSE_LUP, 100, 56, 0, 0);
  EXPECT_EQ(s.cursorX, 83);
  EXPECT_EQ(s.cursorY, 43);
  EndPickMode();
}

// The Alt letters of each language collide neither with the menu bar's mnemonics nor with Alt+X,
// and no letter text repeats a letter.
TEST(KeyLetters, AltLettersLeaveTheMenuBarAndQuitFree) {
  for (const char* lang : {"en", "de"}) {
    std::map<int, std::u16string> texts;
    for (const char* file : {"frame.txt", "input.txt"}) {
      std::string src = ReadSource((std::string("resources/lang/") + lang + "/" + file).c_str());
      ASSERT_FALSE(src.empty()) << lang << file;
      std::regex line(R"((?:^|\n)(\d+) ([^\n]*))");
      for (auto it = std::sregex_iterator(src.begin(), src.end(), line);
           it != std::sregex_iterator(); ++it) {
        std::string t = (*it)[2];
        std::u16string u;
        for (size_t i = 0; i < t.size(); i++) {  // UTF-8 to UTF-16, two-byte forms are enough here
          unsigned char c = (unsigned char)t[i];
          if (c >= 0xC0 && i + 1 < t.size())
            u += (char16_t)(((c & 0x1F) << 6) | ((unsigned char)t[++i] & 0x3F));
          else
            u += (char16_t)c;
        }
        texts[std::stoi((*it)[1])] = u;
      }
    }
    ASSERT_TRUE(texts.count(920) && texts.count(921)) << lang;
    std::set<int> taken = {'X'};
    for (int id = 901; id <= 907; id++) {
      size_t amp = texts[id].find(u'&');
      ASSERT_NE(amp, std::u16string::npos) << lang << " " << id;
      int c = texts[id][amp + 1];
      taken.insert(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    EXPECT_EQ(texts[920].size(), 4u) << lang;
    EXPECT_EQ(texts[921].size(), 18u) << lang;
    for (char16_t c : texts[920]) EXPECT_FALSE(taken.count(c)) << lang << " Alt+" << (char)c;
    for (int id : {920, 921}) {
      std::set<char16_t> seen;
      for (char16_t c : texts[id])
        if (c != u'-') {
          EXPECT_TRUE(seen.insert(c).second) << lang << " " << id << " " << (char)c;
        }
      if (id == 921) {  // Ctrl+K and Ctrl+Q are the prefixes
        EXPECT_EQ(texts[id].find_first_of(u"KQ"), std::u16string::npos) << lang;
      }
    }
  }
}
