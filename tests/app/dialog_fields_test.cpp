// Field stepping: spin-bar ranges by field kind, numbers wrapping in their range, decimals,
// weekdays, store names, values under the caret in long fields and condition texts.
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include "app/dialog_fields.h"
#include "app/layer_hooks.h"
#include "core/misc.h"
#include "dialog_test_util.h"
#include "elements/depots.h"
#include "elements/element_services.h"

namespace {

struct Stepped {
  int changed;
  std::u16string text;
  int caret;
};

Stepped Step(DialogRecord rec, std::u16string text, int caret, uint32_t key) {
  std::u16string buf = text;
  buf.resize(700, u'\0');
  int c = caret;
  int changed = StepFieldText(&rec, buf.data(), 700, &c, key);
  return {changed, std::u16string(buf.c_str()), c};
}

class DialogFields : public ::testing::Test {
 protected:
  void SetUp() override {
    TestNameCount = 3;
    SetDialogNameSource(DLGK_TP, TestNameCountFn, TestNameStep);
    SetDialogNameSource(DLGK_LINE, TestNameCountFn, TestNameStep);
  }
  void TearDown() override {
    SetDialogNameSource(DLGK_TP, nullptr, nullptr);
    SetDialogNameSource(DLGK_LINE, nullptr, nullptr);
  }
};

TEST_F(DialogFields, SpinRangesByRecordAndKind) {
  char16_t b[8] = u"";
  struct Case {
    DialogRecord rec;
    bool present;
    int on, lo, hi;
  } cases[] = {
      {DlgEdit(140, b, 8, 0), false, 1, 0, 100},       // no record
      {DlgEdit(140, b, 8, 0, 5, 9), true, 1, 0, 100},  // no range flag
      {DlgEdit(140, b, 8, DLGE_RANGE, 5, 9), true, 1, 5, 9},
      {DlgEdit(140, b, 8, DLGE_RANGE, 9, 2), true, 0, 9, 2},    // empty range: disabled
      {DlgEdit(140, b, 8, DLGE_RANGE, 5, 5), true, 1, 0, 2},    // kind 5: the TP store's count
      {DlgEdit(140, b, 8, DLGE_RANGE, 3, 3), true, 1, 0, 100},  // kind 3
      {DlgEdit(140, b, 8, DLGE_RANGE, 4, 4), true, 1, 1, 10},
      {DlgEdit(140, b, 8, DLGE_RANGE, 7, 7), true, 1, 0, 300},
      {DlgEdit(140, b, 8, DLGE_RANGE, 8, 8), true, 1, 0, 600000},
      {DlgEdit(140, b, 8, DLGE_RANGE, 9, 9), true, 1, 1, 7},
      {DlgEdit(140, b, 8, DLGE_RANGE, 6, 6), true, 0, 0, -1},     // kind 6: no Dwx store, count 0
      {DlgEdit(140, b, 8, DLGE_RANGE, 42, 42), true, 1, 0, 100},  // not a kind
  };
  for (const Case& c : cases) {
    int32_t lo = -7, hi = -7;
    int on = SpinRangeForRecord(c.present ? &c.rec : nullptr, &lo, &hi);
    EXPECT_EQ(on, c.on) << c.rec.edit.lowest << ".." << c.rec.edit.highest;
    EXPECT_EQ(lo, c.lo);
    EXPECT_EQ(hi, c.hi);
  }
}

TEST_F(DialogFields, KeysAndSpinCodes) {
  EXPECT_EQ(StepForKey(38), 1);
  EXPECT_EQ(StepForKey(40), -1);
  EXPECT_EQ(StepForKey(33), 10);
  EXPECT_EQ(StepForKey(34), -10);
  EXPECT_EQ(StepForKey(13), 0);
  int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  uint32_t keys[] = {38, 40, 33, 34, 0, 0, 33, 34, 0};
  for (int i = 0; i < 9; i++) EXPECT_EQ(KeyForSpinCode(codes[i]), keys[i]) << codes[i];
}

TEST_F(DialogFields, ShortNumberFieldsWrapInTheirRange) {
  char16_t b[8];
  DialogRecord plain = DlgEdit(140, b, 8, DLGE_RANGE, 1, 12);
  DialogRecord trim = DlgEdit(140, b, 8, DLGE_RANGE | DLGE_TRIM, 1, 12);
  struct Case {
    DialogRecord* rec;
    const char16_t* in;
    uint32_t key;
    const char16_t* out;
  } cases[] = {
      {&trim, u"12", 38, u"1"},   // above the highest gives the lowest
      {&trim, u"1", 40, u"12"},   // below the lowest gives the highest
      {&trim, u"abc", 38, u"1"},  // no number: the lowest
      {&trim, u"", 40, u"1"},         {&trim, u"5", 33, u"1"},  // 15 is above 12
      {&trim, u"12", 34, u"2"},       {&trim, u"  7", 38, u"8"},
      {&plain, u"7", 38, u"      8"},  // "%*i" in a width of length - 1 = 7
  };
  for (const Case& c : cases) {
    Stepped s = Step(*c.rec, c.in, 1, c.key);
    EXPECT_EQ(s.changed, 1) << (const char*)nullptr;
    EXPECT_EQ(s.text, std::u16string(c.out));
    EXPECT_EQ(s.caret, 0);
  }
  char16_t wide[20];
  DialogRecord w = DlgEdit(140, wide, 20, DLGE_RANGE, 0, 1000);
  EXPECT_EQ(Step(w, u"99", 0, 38).text, u"      100");  // width at most 9
  DialogRecord signedRange = DlgEdit(140, wide, 20, DLGE_RANGE | DLGE_TRIM, -199, 199);
  EXPECT_EQ(Step(signedRange, u"-3", 0, 38).text, u"-2");
  EXPECT_EQ(Step(signedRange, u"-199", 0, 40).text, u"199");
  EXPECT_EQ(Step(signedRange, u"199", 0, 38).text, u"-199");
}

TEST_F(DialogFields, FieldsThatDoNotStep) {
  char16_t b[8];
  struct Case {
    DialogRecord rec;
    uint32_t key;
  } cases[] = {
      {DlgEdit(140, b, 8, 0, 1, 12), 38},                           // no range flag
      {DlgEdit(140, b, 8, DLGE_RANGE | DLGE_DISABLED, 1, 12), 38},  // disabled
      {DlgEdit(140, b, 8, DLGE_RANGE, 1, 12), 13},                  // not a stepping key
      {DlgEdit(140, b, 8, DLGE_RANGE, 3, 3), 38},                   // short condition field
      {DlgEdit(140, b, 8, DLGE_RANGE, 4, 4), 38},                   // kind 4: no stepping defined
      {DlgEdit(140, b, 8, DLGE_RANGE, 6, 6), 38},                   // no Dwx store
      {DlgEdit(140, b, 8, DLGE_RANGE, 42, 42), 38},                 // equal bounds naming no kind
      {DlgEdit(140, b, 8, DLGE_RANGE, 0, 0), 40},
      {DlgText(140, 1), 38},  // not an edit record
  };
  for (const Case& c : cases) EXPECT_EQ(Step(c.rec, u"5", 1, c.key).changed, 0);
}

TEST_F(DialogFields, DecimalFields) {
  char16_t b[12];
  DialogRecord h = DlgEdit(140, b, 12, DLGE_RANGE | DLGE_TRIM, 7, 7);
  DialogRecord t = DlgEdit(140, b, 12, DLGE_RANGE | DLGE_TRIM, 8, 8);
  auto f2 = [](uint32_t v) {
    char16_t o[24];
    FormatDecimal2(o, v);
    return std::u16string(o);
  };
  auto f3 = [](uint32_t v) {
    char16_t o[24];
    FormatDecimal3(o, v);
    return std::u16string(o);
  };
  EXPECT_EQ(Step(h, f2(100), 0, 38).text, f2(101));
  EXPECT_EQ(Step(h, f2(300), 0, 38).text, f2(5));  // above 300 wraps to 5
  EXPECT_EQ(Step(h, f2(5), 0, 40).text, f2(300));  // below 5 wraps to 300
  EXPECT_EQ(Step(h, f2(100), 0, 33).text, f2(110));
  EXPECT_EQ(Step(h, u"x", 0, 38).text, f2(5));         // unreadable: 5
  EXPECT_EQ(Step(t, f3(1000), 0, 33).text, f3(2000));  // page steps by 1000
  EXPECT_EQ(Step(t, f3(600000), 0, 38).text, f3(1));
  EXPECT_EQ(Step(t, f3(1), 0, 40).text, f3(600000));
  EXPECT_EQ(Step(t, f3(500), 0, 34).text, f3(600000));
  EXPECT_EQ(Step(t, u"", 0, 38).text, f3(1));
}

TEST_F(DialogFields, WeekdayFields) {
  REQUIRE_LANGUAGE();
  char16_t b[16];
  DialogRecord d = DlgEdit(140, b, 16, DLGE_RANGE, 9, 9);
  auto day = [](int n) { return std::u16string(GetLangText(17020 + n)); };
  EXPECT_EQ(Step(d, day(7), 0, 33).text, day(2));  // day 7 by page up: day 2
  EXPECT_EQ(Step(d, day(1), 0, 40).text, day(7));
  EXPECT_EQ(Step(d, day(3), 0, 38).text, day(4));
  EXPECT_EQ(Step(d, day(2), 0, 34).text, day(7));
  EXPECT_EQ(Step(d, u"someday", 0, 38).text, day(1));
  // A name that does not fit a short field's buffer leaves the field as it is.
  char16_t small[2];
  DialogRecord tiny = DlgEdit(140, small, 2, DLGE_RANGE, 9, 9);
  Stepped s = Step(tiny, day(1), 0, 38);
  EXPECT_EQ(s.changed, 0);
  EXPECT_EQ(s.text, day(1));
}

// Weekday names come from the language file, which may hold texts of any length.
TEST_F(DialogFields, LongWeekdayNamesStayInsideTheBuffers) {
  REQUIRE_LANGUAGE();
  std::string dir = std::string(QUIL_TEST_BINARY_DIR) + "/dialog_fields_lang/";
  std::filesystem::create_directories(dir);
  std::u16string content = u"\uFEFF";
  for (int day = 1; day <= 7; day++)
    content += u"1702" + std::u16string(1, (char16_t)(u'0' + day)) + u"\r\n" +
               std::u16string(300, (char16_t)(u'A' + day)) + u"\r\n";
  content += u".\r\n";
  FILE* f = std::fopen((dir + "long.lng").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  for (char16_t c : content) std::fputc(c & 0xFF, f), std::fputc(c >> 8, f);
  std::fclose(f);
  ASSERT_EQ(LoadMainLanguageFrom(dir, u"long.lng"), LANG_OK);
  char16_t b[700];
  DialogRecord shortField = DlgEdit(140, b, 16, DLGE_RANGE, 9, 9);
  DialogRecord longField = DlgEdit(140, b, 700, DLGE_RANGE, 9, 9);
  Stepped s = Step(shortField, u"x", 0, 38);
  EXPECT_EQ(s.changed, 0);  // the name does not fit the field
  EXPECT_EQ(s.text, u"x");
  s = Step(longField, u"x", 0, 38);
  EXPECT_EQ(s.changed, 1);
  EXPECT_EQ(s.text, std::u16string(DLG_NAME_MAX - 1, u'B'));  // day 1, cut to a name's length
  ASSERT_EQ(LoadMainLanguageFrom(std::string(QUIL_TEST_DATA_DIR) + "/", u"quil.lng"), LANG_OK);
}

TEST_F(DialogFields, StoreNameFields) {
  char16_t b[20];
  DialogRecord tp = DlgEdit(140, b, 20, DLGE_RANGE, 5, 5);
  EXPECT_EQ(Step(tp, u"N0", 0, 38).text, u"N1");
  EXPECT_EQ(Step(tp, u"N0", 0, 40).text, u"N2");
  EXPECT_EQ(Step(tp, u"N1", 0, 33).text, u"N2");
  Stepped unknown = Step(tp, u"zz", 0, 38);  // the store finds nothing: the field stays
  EXPECT_EQ(unknown.changed, 0);
  EXPECT_EQ(unknown.text, u"zz");
}

TEST_F(DialogFields, LongFieldsStepTheValueAtTheCaret) {
  char16_t b[24];
  DialogRecord r = DlgEdit(140, b, 24, DLGE_RANGE, 0, 100);
  Stepped s = Step(r, u"10,20,30", 5, 38);
  EXPECT_EQ(s.changed, 1);
  EXPECT_EQ(s.text, u"10,21,30");
  EXPECT_EQ(s.caret, 5);  // the caret stays where it was in the value
  // Stepped again from there: the same value, not the one before the comma.
  Stepped again = Step(r, s.text.c_str(), s.caret, 38);
  EXPECT_EQ(again.text, u"10,22,30");
  EXPECT_EQ(again.caret, 5);
  Stepped shorter = Step(r, u"10,100,3", 6, 38);  // a shorter value: the caret at its end
  EXPECT_EQ(shorter.caret, 4);
  EXPECT_EQ(Step(r, u"10,20,30", 3, 38).changed, 0);  // caret right after a comma
  EXPECT_EQ(Step(r, u"10,100,3", 6, 38).text, u"10,0,3");
  EXPECT_EQ(Step(r, u"7", 1, 40).text, u"6");
  // A negative value keeps its sign; a range "8-12" steps only the value at the start.
  DialogRecord s2 = DlgEdit(140, b, 24, DLGE_RANGE, -10, 20);
  EXPECT_EQ(Step(s2, u"3,-5,7", 4, 38).text, u"3,-4,7");
  EXPECT_EQ(Step(s2, u"3,-10,7", 3, 40).text, u"3,20,7");
  EXPECT_EQ(Step(s2, u"3,8-12", 3, 38).text, u"3,9-12");
  // A result that does not fit the buffer changes nothing.
  Stepped full = Step(r, u"1,2,3,4,5,6,7,8,9,10,99", 23, 38);
  EXPECT_EQ(full.changed, 0);
  EXPECT_EQ(full.text, u"1,2,3,4,5,6,7,8,9,10,99");
}

TEST_F(DialogFields, ConditionTextsStepByTheItemUnderTheCaret) {
  REQUIRE_LANGUAGE();
  std::u16string letters = GetLangText(21700);
  ASSERT_GE(letters.size(), 4u);
  char16_t T = letters[0], L = letters[1], R = letters[2], Y = letters[3];
  auto cond = [](std::u16string s) { return s; };
  char16_t b[100];
  DialogRecord c = DlgEdit(140, b, 100, DLGE_RANGE, 3, 3);
  std::u16string hours = cond(u"N1(") + T + u"=8:30)";
  EXPECT_EQ(Step(c, hours, 6, 38).text, cond(u"N1(") + T + u"=9:30)");  // hours
  EXPECT_EQ(Step(c, cond(u"N1(") + T + u"=23:30)", 7, 38).text, cond(u"N1(") + T + u"=0:30)");
  EXPECT_EQ(Step(c, hours, 9, 40).text, cond(u"N1(") + T + u"=8:29)");  // minutes
  EXPECT_EQ(Step(c, cond(u"N1(") + R + u"=960)", 8, 38).text, cond(u"N1(") + R + u"=1)");  // 1..960
  EXPECT_EQ(Step(c, u"N1", 2, 38).text, u"N2");  // line name
  EXPECT_EQ(Step(c, cond(u"N1(") + L + u"=N2)", 7, 38).text, cond(u"N1(") + L + u"=N0)");
  EXPECT_EQ(Step(c, cond(u"N1(") + Y + u"=3)", 6, 38).changed, 0);           // kind 4
  EXPECT_EQ(Step(c, hours, 3, 38).changed, 0);                               // caret after "("
  EXPECT_EQ(Step(c, cond(u"N1(") + letters[4] + u"=3)", 6, 38).changed, 0);  // other item
}

TEST_F(DialogFields, PictureBarSteps) {
  uint32_t cells[3] = {1, 2, 3};
  struct Case {
    uint8_t type;
    int start, code, thumb, want, changed;
  } cases[] = {
      {13, 3, 1, 0, 1, 1},                       // line down at the highest wraps to the lowest
      {13, 1, 0, 0, 3, 1},                       // line up at the lowest wraps to the highest
      {13, 2, 1, 0, 3, 1}, {13, 2, 2, 0, 1, 1},  // page up: lowest
      {13, 2, 6, 0, 1, 1},                       // top
      {13, 2, 3, 0, 3, 1},                       // page down: highest
      {13, 1, 5, 2, 2, 1},                       // thumb tracking
      {13, 2, 8, 0, 2, 0},                       // other codes: nothing
      {14, 0, 0, 0, 2, 1}, {14, 2, 1, 0, 0, 1}, {14, 1, 7, 0, 2, 1},
  };
  for (const Case& c : cases) {
    DialogRecord r = c.type == 13 ? DlgCellStep(340, 0, 0, 32, 0xC003, (uint8_t)c.start, 1, 3)
                                  : DlgCellList(340, 0, 0, 32, 3, (uint8_t)c.start, cells);
    EXPECT_EQ(StepPictureRecord(&r, c.code, c.thumb), c.changed) << int(c.type) << " " << c.code;
    EXPECT_EQ(c.type == 13 ? r.cellStep.value : r.cellList.shown, c.want);
  }
  int lo, hi, pos;
  DialogRecord r = DlgCellList(340, 0, 0, 32, 3, 1, cells);
  EXPECT_EQ(PictureBarRange(&r, &lo, &hi, &pos), 1);
  EXPECT_EQ(hi, 2);
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(PictureBarRange(nullptr, &lo, &hi, &pos), 1);
  EXPECT_EQ(hi, 100);
}

}  // namespace

// Depot fields (kind 1) step through the slots of the program's depots, wrapping.
TEST_F(DialogFields, DepotFieldsStepThroughTheDepotSlots) {
  SetLayerHooks();
  FreeDepots();
  const char16_t* names[] = {u"Beta", u"Alpha", u"Alpha"};
  const int slots[] = {4, 2, 7};
  for (int i = 0; i < 3; i++) {
    DepotRecord d = {};
    d.id = i < 2 ? i + 1 : 2;
    CopyString(d.name, names[i]);
    DepotSlot s = {i, 0, 0, slots[i], 0, 0, 0, 0};
    ASSERT_EQ(AddDepotSlot(&d, &s), 0);
  }
  char16_t b[32] = u"";
  DialogRecord rec = DlgEdit(140, b, 32, DLGE_RANGE, DLGK_DEPOT, DLGK_DEPOT);
  int32_t lo, hi;
  EXPECT_EQ(SpinRangeForRecord(&rec, &lo, &hi), 1);
  EXPECT_EQ(hi, 1);  // two depots
  struct {
    const char16_t* text;
    uint32_t key;
    const char16_t* out;
  } cases[] = {
      {u"Alpha:2", 38, u"Alpha:7"}, {u"Alpha:7", 38, u"Beta:4"},    {u"Beta:4", 38, u"Alpha:2"},
      {u"Alpha:2", 40, u"Beta:4"},  {u"Nowhere:3", 38, u"Alpha:7"},
  };
  for (auto& c : cases) {
    Stepped r = Step(rec, c.text, 1, c.key);
    EXPECT_EQ(r.changed, 1);
    EXPECT_EQ(r.text, c.out) << std::string(c.text, c.text + StringLength(c.text));
  }
  FreeDepots();
  EXPECT_EQ(Step(rec, u"Alpha:2", 1, 38).changed, 0);  // no depots: nothing to step to
}
