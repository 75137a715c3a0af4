// The event display list: the full list (sound and stop on the 200th, only refusal after it),
// duplicates, the filter and stop options, clamped places, deletion, the indicator's look, the
// block hooks, the event texts (kinds 17 and 26, the unknown time -1), the list text, and the
// option-file texts both ways (short values, unknown letters, letters after the 29th, the old key).
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/langtext.h"
#include "core/misc.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/event_display.h"

namespace {

std::vector<int> Sounds;

struct EventListTest : ::testing::Test {
  DocumentState savedDoc;
  void SetUp() override {
    savedDoc = DocState;
    Sounds.clear();
    EventSoundRequest = [](int n) { Sounds.push_back(n); };
    ClearEventDisplay();
    ResetEventFilter();
    SetSimulationRunning(SIMRUN_STOP);
    DocState.weekday = 2, DocState.hour = 9, DocState.minute = 0, DocState.second = 15;
  }
  void TearDown() override {
    ClearEventDisplay();
    ResetEventFilter();
    SetSimulationRunning(SIMRUN_STOP);
    DocState = savedDoc;
  }
};

std::u16string L(uint32_t id) { return GetLangText(id); }
std::u16string Text(int kind, int h, int m, int s, int32_t value, std::u16string* time = nullptr,
                    int* result = nullptr) {
  char16_t out[EVENT_TEXT_CHARS], t[EVENT_TIME_CHARS] = u"x";
  int r = FormatEventText(kind, 10, 20, 0, h, m, s, value, out, time ? t : nullptr);
  if (time) *time = t;
  if (result) *result = r;
  return out;
}

TEST_F(EventListTest, TheEntryThatFillsTheListSoundsAndStopsTheNextIsOnlyRefused) {
  SetEventDisplayOption(4);
  SetSimulationRunning(SIMRUN_START);
  for (int i = 0; i < EVENT_LIST_MAX - 1; i++) ASSERT_EQ(AddEventDisplayEntry(6, i, 5, 0, 0, 0, 0, 0), 0);
  EXPECT_TRUE(IsSimulationRunning());
  EXPECT_EQ(Sounds.size(), 199u);
  EXPECT_EQ(Sounds[0], 1);  // the first event not yet seen
  EXPECT_EQ(Sounds[1], 2);
  EXPECT_EQ(AddEventDisplayEntry(6, 500, 5, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(GetEventDisplayCount(), EVENT_LIST_MAX);
  EXPECT_EQ(Sounds.size(), 200u);
  EXPECT_FALSE(IsSimulationRunning());
  char16_t glyph = 0;
  EXPECT_EQ(GetEventIndicatorLook(&glyph), 104);
  EXPECT_EQ(glyph, 0x15);

  SetSimulationRunning(SIMRUN_START);
  EXPECT_EQ(AddEventDisplayEntry(6, 501, 5, 0, 0, 0, 0, 0), 3);
  EXPECT_EQ(AddEventDisplayEntry(13, 1, 1, 0, 0, 0, 0, 0), 3);
  EXPECT_EQ(GetEventDisplayCount(), EVENT_LIST_MAX);
  EXPECT_EQ(Sounds.size(), 200u);
  EXPECT_TRUE(IsSimulationRunning());
}

TEST_F(EventListTest, DuplicatesFilterAndStopOptions) {
  // A second event of a kind at the same cell is dropped however old the first is, except
  // kinds 13, 14 and 26.
  ASSERT_EQ(AddEventDisplayEntry(6, 7, 8, -1, 0, 0, 0, 0), 0);
  for (int i = 0; i < 20; i++) AddEventDisplayEntry(3, 100 + i, 8, 0, 0, 0, 0, 0);
  EXPECT_EQ(AddEventDisplayEntry(6, 7, 8, -1, 5, 0, 2, 9), 2);
  EXPECT_EQ(AddEventDisplayEntry(6, 7, 8, -2, 0, 0, 0, 0), 0);  // another level
  EXPECT_EQ(AddEventDisplayEntry(7, 7, 8, -1, 0, 0, 0, 0), 0);  // another kind
  for (int kind : {13, 14, 26}) {
    EXPECT_EQ(AddEventDisplayEntry(kind, 1, 1, 0, 0, 0, 0, 60), 0) << kind;
    EXPECT_EQ(AddEventDisplayEntry(kind, 1, 1, 0, 0, 0, 0, 60), 0) << kind;
  }
  int count = GetEventDisplayCount();

  // Kinds switched off, and kinds outside 1..29, are not recorded.
  SetEventKindFlag(12, 0);
  EXPECT_EQ(AddEventDisplayEntry(12, 1, 2, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(AddEventDisplayEntry(30, 1, 2, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(AddEventDisplayEntry(-3, 1, 2, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(GetEventDisplayCount(), count);

  // Stop options: bit 1 every event; bit 2 the kinds with flag 2 only.
  static const struct {
    int option, flag, stops;
  } cases[] = {{0, 2, 0}, {1, 1, 1}, {2, 1, 0}, {2, 2, 1}, {4, 2, 0}};
  int x = 1000;
  for (const auto& c : cases) {
    SetEventDisplayOption(c.option);
    SetEventKindFlag(21, c.flag);
    SetSimulationRunning(SIMRUN_START);
    ASSERT_EQ(AddEventDisplayEntry(21, x++, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(!IsSimulationRunning(), c.stops) << c.option << " " << c.flag;
  }
}

TEST_F(EventListTest, PlacesAreClampedAndEntriesKeepTheClock) {
  DocState.weekday = 6, DocState.hour = 23, DocState.minute = 59, DocState.second = 7;
  AddEventDisplayEntry(6, -5, 40000, -3, 11, 12, 13, 99);
  AddEventDisplayEntry(6, 40000, -1, -3, 0, 0, 0, 0);
  const EventDisplayEntry* e = GetEventDisplayEntry(0);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->x, 0u);
  EXPECT_EQ(e->y, 32767u);
  EXPECT_EQ(e->level, -3);
  EXPECT_EQ(e->line, 11u);
  EXPECT_EQ(e->secondLine, 12u);
  EXPECT_EQ(e->subNumber, 13u);
  EXPECT_EQ(e->value, 99u);
  EXPECT_EQ(e->weekday, 6);
  EXPECT_EQ(e->hour, 23);
  EXPECT_EQ(e->minute, 59);
  EXPECT_EQ(e->second, 7);
  EXPECT_EQ(GetEventDisplayEntry(1)->x, 32767u);
  EXPECT_EQ(GetEventDisplayEntry(1)->y, 0u);
  EXPECT_EQ(GetEventDisplayEntry(2), nullptr);
  EXPECT_EQ(GetEventDisplayEntry(-1), nullptr);
}

TEST_F(EventListTest, DeletingMovesTheLaterEntriesDownAndIgnoresBadIndexes) {
  for (int i = 0; i < 4; i++) AddEventDisplayEntry(6, i, 0, 0, 0, 0, 0, 0);
  DeleteEventDisplayEntry(-1, 1);  // ignored, not an entry before the list
  DeleteEventDisplayEntry(4, 1);
  EXPECT_EQ(GetEventDisplayCount(), 4);
  DeleteEventDisplayEntry(1, 1);
  ASSERT_EQ(GetEventDisplayCount(), 3);
  EXPECT_EQ(GetEventDisplayEntry(0)->x, 0u);
  EXPECT_EQ(GetEventDisplayEntry(1)->x, 2u);
  EXPECT_EQ(GetEventDisplayEntry(2)->x, 3u);
  DeleteEventDisplayEntry(2, 0);
  EXPECT_EQ(GetEventDisplayCount(), 2);
}

TEST_F(EventListTest, IndicatorAndSoundFollowWhatTheUserHasSeen) {
  char16_t glyph = 0;
  EXPECT_EQ(GetEventIndicatorLook(&glyph), 101);
  EXPECT_EQ(glyph, 0x12);
  AddEventDisplayEntry(6, 1, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(GetEventIndicatorLook(&glyph), 103);
  EXPECT_EQ(glyph, 0x15);
  MarkEventDisplaySeen();
  EXPECT_EQ(GetEventIndicatorLook(&glyph), 102);
  EXPECT_EQ(glyph, 0x12);
  AddEventDisplayEntry(6, 2, 0, 0, 0, 0, 0, 0);
  AddEventDisplayEntry(6, 3, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Sounds, (std::vector<int>{1, 1, 2}));
  ClearEventDisplay();
  EXPECT_EQ(GetEventIndicatorLook(nullptr), 101);
  EXPECT_EQ(GetEventDisplayNewFlag(), 0);
  AddEventDisplayEntry(6, 1, 0, 0, 0, 0, 0, 0);
  ExitEventDisplay();
  EXPECT_EQ(GetEventDisplayCount(), 0);
  EXPECT_EQ(GetEventDisplayNewFlag(), 0);
}

TEST_F(EventListTest, BlockHooksMoveMapAndDeleteEntries) {
  AddEventDisplayEntry(6, 10, 10, 0, 0, 0, 0, 0);     // 0: moves
  AddEventDisplayEntry(6, 32760, 10, 0, 0, 0, 0, 0);  // 1: would leave the grid
  AddEventDisplayEntry(6, 12, 12, -4, 0, 0, 0, 0);    // 2: would leave the levels
  AddEventDisplayEntry(6, 20, 40, 0, 0, 0, 0, 0);     // 3: outside the box
  MoveEventDisplayEntries(0, 0, -4, 32767, 20, 0, 10, 5, -1);
  ASSERT_EQ(GetEventDisplayCount(), 2);
  EXPECT_EQ(GetEventDisplayEntry(0)->x, 20u);
  EXPECT_EQ(GetEventDisplayEntry(0)->y, 15u);
  EXPECT_EQ(GetEventDisplayEntry(0)->level, -1);
  EXPECT_EQ(GetEventDisplayEntry(1)->y, 40u);

  // Moving towards the origin past it deletes as well.
  MoveEventDisplayEntries(0, 0, -1, 100, 20, -1, -30, 0, 0);
  ASSERT_EQ(GetEventDisplayCount(), 1);
  EXPECT_EQ(GetEventDisplayEntry(0)->x, 20u);
  EXPECT_EQ(GetEventDisplayEntry(0)->y, 40u);

  // Scaling about the box corner: (20, 40) about (10, 0) by 2 and 1/2.
  TransformEventDisplayEntries(10, 0, 0, 100, 100, 0, 2, 1, 1, 2);
  ASSERT_EQ(GetEventDisplayCount(), 1);
  EXPECT_EQ(GetEventDisplayEntry(0)->x, 30u);
  EXPECT_EQ(GetEventDisplayEntry(0)->y, 20u);
  AddEventDisplayEntry(6, 30000, 5, 0, 0, 0, 0, 0);
  TransformEventDisplayEntries(0, 0, 0, 32767, 32767, 0, 2, 1, 1, 1);  // 60000 is off the grid
  ASSERT_EQ(GetEventDisplayCount(), 1);
  EXPECT_EQ(GetEventDisplayEntry(0)->x, 60u);

  AddEventDisplayEntry(7, 61, 20, -2, 0, 0, 0, 0);
  DeleteEventDisplayEntriesInBox(60, 20, 0, 60, 20, 0);
  ASSERT_EQ(GetEventDisplayCount(), 1);
  EXPECT_EQ(GetEventDisplayEntry(0)->kind, 7u);
}

TEST_F(EventListTest, EventTextsOfKinds17And26AndTheUnknownTime) {
  std::u16string time;
  int r = 0;
  static const struct {
    int kind, h, m, s;
    int32_t value;
    const char16_t *text, *withTime, *timeText;  // parts around the kind's language text
  } cases[] = {
      {17, 9, 0, 0, 3725, u" 1:02:05 ", u" 1:02:05 ", u""},
      {17, 9, 0, 0, -1, u" 1193046:28:15 ", u" 1193046:28:15 ", u""},
      // kind 26: time since the TP's time as a prefix; the TP's time in the suffix or time text
      {26, 9, 0, 15, 8 * 3600 + 30 * 60, u" 0:30:15 |??? ( 8:30)", u" 0:30:15 |???", u"08:30:00"},
      {26, 9, 0, 15, 8 * 3600 + 30 * 60 + 5, u" 0:30:10 |??? ( 8:30:05)", u" 0:30:10 |???",
       u"08:30:05"},
      {26, 0, 10, 0, 23 * 3600 + 50 * 60, u" 0:20:00 |??? (23:50)", u" 0:20:00 |???", u"23:50:00"},
      {26, 9, 0, 0, -1, u"??:??:?? |??? (?\?:?\?)", u"??:??:?? |???", u"??:??:??"},
  };
  for (const auto& c : cases) {
    std::u16string t = c.text, w = c.withTime;
    std::u16string lang = L(EVENT_TEXT_BASE + c.kind);
    auto expand = [&](const std::u16string& s) {
      size_t bar = s.find(u'|');
      return bar == std::u16string::npos ? lang + s : s.substr(0, bar) + lang + s.substr(bar + 1);
    };
    EXPECT_EQ(Text(c.kind, c.h, c.m, c.s, c.value, nullptr, &r), expand(t)) << c.kind << " " << c.value;
    EXPECT_EQ(r, (int)expand(t).size() + 1);
    EXPECT_EQ(Text(c.kind, c.h, c.m, c.s, c.value, &time), expand(w)) << c.kind << " " << c.value;
    EXPECT_EQ(time, std::u16string(c.timeText));
  }
  // Names of elements that do not exist, and the unknown kinds.
  EXPECT_EQ(Text(1, 0, 0, 0, 5), L(4501) + u" ???");
  EXPECT_EQ(Text(8, 0, 0, 0, 0), L(4508) + u"???");
  EXPECT_EQ(Text(10, 0, 0, 0, 0), L(4510) + u"???");
  EXPECT_EQ(Text(28, 0, 0, 0, 0), L(4528) + u"???");
  EXPECT_EQ(Text(6, 0, 0, 0, 0), L(4506));
  EXPECT_EQ(Text(30, 0, 0, 0, 0), L(4500));
  EXPECT_EQ(Text(-7, 0, 0, 0, 0), L(4500));
}

// The lines of the list text, each with its keyed span's entry index taken out.
struct ListLine {
  std::u16string before, span, after;
  int index;
};
std::vector<ListLine> ListLines() {
  std::vector<ListLine> lines;
  char16_t* text = BuildEventListText();
  if (!text) return lines;
  const char16_t* p = text;
  while (*p) {
    ListLine l;
    int i = 0;
    while (p[i] != 2) l.before += p[i++];
    l.index = p[i + 1];
    EXPECT_EQ(p[i + 2], 0);
    EXPECT_EQ(p[i + 3], 0);
    i += 4;
    while (p[i] != 2) l.span += p[i++];
    i++;
    while (p[i]) l.after += p[i++];
    lines.push_back(l);
    p += i + 1;
  }
  MemFree(text);
  return lines;
}

TEST_F(EventListTest, ListTextColumns) {
  DocState.weekday = 3, DocState.hour = 7, DocState.minute = 5, DocState.second = 0;
  AddEventDisplayEntry(17, 1, 1, 0, 0, 0, 0, 61);
  DocState.second = 9;
  AddEventDisplayEntry(6, 2, 1, 0, 0, 0, 12, 0);
  std::vector<ListLine> lines = ListLines();
  ASSERT_EQ(lines.size(), 2u);
  std::u16string wd = L(17023);
  while (wd.size() < 3) wd = u" " + wd;
  EXPECT_EQ(lines[0].before, u"  0 " + wd + u"  7:05    ");
  EXPECT_EQ(lines[0].index, 0);
  // lines unknown (no line table here) or 0: dashes; sub-number 0: dashes
  EXPECT_EQ(lines[0].span, u" -------- -------- ---- ");
  EXPECT_EQ(lines[0].after, L(4517) + u" 0:01:01 ");
  EXPECT_EQ(lines[1].before, u"  0 " + wd + u"  7:05:09 ");
  EXPECT_EQ(lines[1].index, 1);
  EXPECT_EQ(lines[1].span, u" -------- --------  12. ");
}

TEST_F(EventListTest, AFullListOfLongestTextsStaysWithinItsLines) {
  for (int i = 0; i < EVENT_LIST_MAX; i++)
    ASSERT_EQ(AddEventDisplayEntry(i % 2 ? 26 : 17, i, 0, 0, 999, 999, 999, -1), 0);
  std::vector<ListLine> lines = ListLines();
  ASSERT_EQ(lines.size(), (size_t)EVENT_LIST_MAX);
  for (int i = 0; i < EVENT_LIST_MAX; i++) {
    EXPECT_EQ(lines[i].index, i);
    EXPECT_LT(lines[i].before.size() + lines[i].span.size() + lines[i].after.size() + 6,
              (size_t)EVENT_LINE_CHARS);
  }
}

// ---- option-file texts -------------------------------------------------------------------------------
TEST(EventOptionTexts, OptionLettersBothWays) {
  static const struct {
    const char16_t* text;
    int before, result, after;
  } cases[] = {
      {u"S0", 6, 0, 1}, {u"XV", 0, 0, 6}, {u"0V", 3, 0, 4}, {u"00", 7, 0, 0},
      {u"SV", 0, 0, 5},  // 'S' wins over 'X': bit 2 is not written with bit 1
      {u"Q0", 5, 1, 5},  {u"SX", 2, 1, 2}, {u"s0", 0, 1, 0},
      {u"S", 4, 0, 5},   // short: the stop-when-full bit stays
      {u"", 6, 0, 6},
  };
  for (const auto& c : cases) {
    SetEventDisplayOption(c.before);
    std::u16string t = c.text;
    EXPECT_EQ(ParseEventOptionText(t.c_str(), (int)t.size()), c.result) << (int)t.size();
    EXPECT_EQ(GetEventDisplayOption(), c.after);
  }
  for (int o = 0; o <= 7; o++) {
    SetEventDisplayOption(o);
    char16_t text[3];
    FormatEventOptionText(text);
    SetEventDisplayOption(0);
    ASSERT_EQ(ParseEventOptionText(text, 2), 0);
    EXPECT_EQ(GetEventDisplayOption(), (o & 1) ? (o & 5) : o) << o;
  }
}

TEST(EventOptionTexts, KindLettersBothWays) {
  char16_t text[EVENT_KIND_LAST + 1];
  for (int k = 1; k <= EVENT_KIND_LAST; k++) SetEventKindFlag(k, k % 3);
  FormatEventKindsText(text);
  EXPECT_EQ(std::u16string(text), u"BCjBCjBCjBCjBCjBCjBCjBCjBCjBC");
  ResetEventFilter();
  ASSERT_EQ(ParseEventKindsText(text, EVENT_KIND_LAST), 0);
  for (int k = 1; k <= EVENT_KIND_LAST; k++) EXPECT_EQ(GetEventKindFlag(k), k % 3) << k;

  static const struct {
    const char16_t* text;
    int result;
    const char16_t* after;  // the flags written back
  } cases[] = {
      {u"jjC", 0, u"jjCBBBBBBBBBBBBBBBBBBBBBBBBBB"},  // short: the other kinds stay
      {u"CCCCCCCCCCCCCCCCCCCCCCCCCCCCCBCj", 0, u"CCCCCCCCCCCCCCCCCCCCCCCCCCCCC"},
      {u"CCCCCCCCCCCCCCCCCCCCCCCCCCCCCBX", 1, u"BBBBBBBBBBBBBBBBBBBBBBBBBBBBB"},
      {u"CCCX", 1, u"BBBBBBBBBBBBBBBBBBBBBBBBBBBBB"},  // nothing taken from a faulty value
      {u"", 0, u"BBBBBBBBBBBBBBBBBBBBBBBBBBBBB"},
  };
  for (const auto& c : cases) {
    ResetEventFilter();
    std::u16string t = c.text;
    EXPECT_EQ(ParseEventKindsText(t.c_str(), (int)t.size()), c.result) << (int)t.size();
    FormatEventKindsText(text);
    EXPECT_EQ(std::u16string(text), std::u16string(c.after));
  }
}

TEST(EventOptionTexts, OldKeyAAndTheDefaults) {
  ResetEventFilter();
  std::u16string old = u"S" u"jBAiAiX" u"jA" u"jjjjjjjj" u"i" u"jjjjjjjjjjj";
  ASSERT_EQ(ParseOldEventText(old.c_str(), (int)old.size()), 0);
  EXPECT_EQ(GetEventDisplayOption(), 1);
  char16_t text[EVENT_KIND_LAST + 1];
  FormatEventKindsText(text);
  // 'A' on but kind 9, 'i' on for kinds 18..24 only, another letter (kind 7) keeps the flag
  EXPECT_EQ(std::u16string(text), u"jBBjBjBjj" u"jjjjjjjj" u"B" u"jjjjjjjjjjj");
  SetDefaultEventFilter();
  FormatEventKindsText(text);
  EXPECT_EQ(std::u16string(text), u"jjBBBBBjjBBBjjjBBBBBBBBBBjjBB");
  EXPECT_EQ(GetEventDisplayOption(), 0);
  ResetEventFilter();
}

}  // namespace
