// Tests of the language texts: the language-file parser and its messages, lookup and cache,
// format checks, the character order, text blocks, built-in texts and the generated files.
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include "core/langtext.h"
#include "core/langtext_internal.h"
#include "core/misc.h"
#include "core/stream.h"

namespace {

std::vector<std::pair<int, std::u16string>> Messages;
void CaptureMessage(int number, const char16_t* text) { Messages.push_back({number, text}); }

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string Utf16Le(const std::u16string& text, bool mark = true) {
  std::string b = mark ? std::string("\xFF\xFE", 2) : std::string();
  for (char16_t c : text) {
    b += (char)(c & 0xFF);
    b += (char)(c >> 8);
  }
  return b;
}
std::string Utf16Be(const std::u16string& text) {
  std::string b("\xFE\xFF", 2);
  for (char16_t c : text) {
    b += (char)(c >> 8);
    b += (char)(c & 0xFF);
  }
  return b;
}

class LangTextTest : public ::testing::Test {
 protected:
  std::string dir;
  char16_t savedFolder[STREAM_PATH_CHARS];

  void SetUp() override {
    ASSERT_EQ(StreamInit(), 0);
    GetKindFolder(FILE_KIND_PROGRAM, savedFolder);
    dir = std::string(QUIL_TEST_BINARY_DIR) + "/langtext_test_files";
    std::filesystem::create_directories(dir);
    ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, Widen(dir).c_str()), 0);
    ASSERT_EQ(InitLanguage(), 0);
    Messages.clear();
    SetLangMessageHandler(CaptureMessage);
  }
  void TearDown() override {
    SetLangMessageHandler(nullptr);
    ExitLanguage();
    SetKindFolder(FILE_KIND_PROGRAM, savedFolder);
    StreamExit();
  }
  void Write(const char* name, const std::string& bytes) {
    FILE* f = std::fopen((dir + "/" + name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  // Writes a UTF-16LE file (with mark) and loads it.
  int Load(const std::u16string& content, int main = 1, const char* name = "t.lng") {
    Write(name, Utf16Le(content));
    return LoadLanguageFile(Widen(name).c_str(), main);
  }
  std::u16string Text(uint32_t id) { return GetLangText(id); }
};

// ---- escapes and text lines ---------------------------------------------------------------------

TEST_F(LangTextTest, EscapesGiveTheirCharactersAndBadOnesWarn) {
  struct Case {
    std::u16string line;
    std::u16string text;
    int warnings;
  };
  const Case cases[] = {
      {u"A#nB", u"A\r\nB", 0},
      {u"A#xB", u"A?B", 1},
      {u"a#tb", u"a\tb", 0},
      {u"#Hopen", u"&open", 0},
      {u"x##y", u"x#y", 0},
      {u"a#1b#2c", u"a b  c", 0},
      {u"caf#U00e9", u"caf\u00e9", 0},
      {u"#U003Bnot a comment", u";not a comment", 0},
      {u"bad #Uzz12 value", u"bad ? value", 1},
      {u"short #U12", u"short ?", 1},
      {u"ends with #", u"ends with ?", 1},
      {u"   leading blanks kept", u"   leading blanks kept", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.line.begin(), c.line.end()));
    ASSERT_EQ(Load(u"5\r\n" + c.line + u"\r\n.\r\n"), LANG_OK);
    EXPECT_EQ(Text(5), c.text);
    EXPECT_EQ(GetLangTextLength(5), c.text.size() + 1);
    EXPECT_EQ(GetLangWarningCount(), c.warnings);
  }
}

TEST_F(LangTextTest, ZeroEscapeSplitsTextIntoParts) {
  ASSERT_EQ(Load(u"7\r\nNetworks#0*.nt3#0#0\r\n.\r\n"), LANG_OK);
  const char16_t* t = GetLangText(7);
  EXPECT_EQ(GetLangTextLength(7), 17u);
  EXPECT_EQ(std::u16string(t), u"Networks");
  EXPECT_EQ(std::u16string(t + 9), u"*.nt3");
}

TEST_F(LangTextTest, CommentsAndEmptyLinesAreSkippedEvenWhereATextIsDue) {
  ASSERT_EQ(Load(u"; heading\r\n\r\n\r\n1\r\n; a comment before the text\r\n\r\nOne\r\n"
                 u"  2\r\nTwo\n3\rThree\r\n.\r\n"),
            LANG_OK);
  EXPECT_EQ(Text(1), u"One");
  EXPECT_EQ(Text(2), u"Two");
  EXPECT_EQ(Text(3), u"Three");
}

TEST_F(LangTextTest, OverlongLineIsCutAndTheLoadGoesOn) {
  std::u16string longText(300, u'x');
  ASSERT_EQ(Load(u"1\r\n" + longText + u"\r\n2\r\nnext\r\n.\r\n"), LANG_OK);
  EXPECT_EQ(Text(1), std::u16string(LANG_TEXT_MAX, u'x'));
  EXPECT_EQ(Text(2), u"next");
  EXPECT_EQ(GetLangWarningCount(), 1);
  EXPECT_EQ(GetLangFirstWarningLine(), 2);
  EXPECT_TRUE(Messages.empty());

  // A line far beyond any buffer is cut the same way.
  ASSERT_EQ(Load(u"1\r\n" + std::u16string(5000, u'y') + u"\r\n2\r\nnext\r\n.\r\n"), LANG_OK);
  EXPECT_EQ(GetLangTextLength(1), (uint32_t)LANG_TEXT_MAX + 1);
  EXPECT_EQ(Text(2), u"next");
}

TEST_F(LangTextTest, PairEscapesAtTheLimitBecomeOneBlank) {
  std::u16string head(LANG_TEXT_MAX - 1, u'a');
  for (const char16_t* esc : {u"#n", u"#2"}) {
    ASSERT_EQ(Load(u"1\r\n" + head + esc + u"\r\n.\r\n"), LANG_OK);
    EXPECT_EQ(Text(1), head + u" ");
    EXPECT_EQ(GetLangWarningCount(), 1);
  }
  // One character short of that: the pair fits.
  ASSERT_EQ(Load(u"1\r\n" + head.substr(1) + u"#n\r\n.\r\n"), LANG_OK);
  EXPECT_EQ(Text(1), head.substr(1) + u"\r\n");
  EXPECT_EQ(GetLangWarningCount(), 0);
}

// ---- ids, structure and messages ----------------------------------------------------------------

TEST_F(LangTextTest, BadFilesGiveTheirResultsAndMessages) {
  struct Case {
    const char* name;
    std::u16string content;
    int main;
    int result;
    int message;
    std::u16string detail;
  };
  const Case cases[] = {
      {"duplicate id", u"10\r\nA\r\n12\r\nB\r\n12\r\nC\r\n.\r\n", 1, LANG_ERR_SYNTAX, 582,
       u" 12,12"},
      {"descending id", u"10\r\nA\r\n9\r\nB\r\n.\r\n", 1, LANG_ERR_SYNTAX, 582, u" 10,9"},
      {"large ids shown unsigned", u"3000000000\r\nA\r\n3000000000\r\nB\r\n.\r\n", 0,
       LANG_ERR_SYNTAX, 582, u" 3000000000,3000000000"},
      {"id 40000 in the main file", u"10\r\nA\r\n40000\r\nB\r\n.\r\n", 1, LANG_ERR_SYNTAX, 581,
       u" 10"},
      {"id below 40000 in the second file", u"39999\r\nA\r\n.\r\n", 0, LANG_ERR_SYNTAX, 581, u" 0"},
      {"id 0", u"0\r\nA\r\n.\r\n", 1, LANG_ERR_SYNTAX, 581, u" 0"},
      {"not a number", u"5\r\nA\r\nabc\r\nB\r\n.\r\n", 1, LANG_ERR_SYNTAX, 581, u" 5"},
      {"id too large", u"99999999999\r\nA\r\n.\r\n", 0, LANG_ERR_SYNTAX, 581, u" 0"},
      {"no end line", u"5\r\nA\r\n", 1, LANG_ERR_READ, 0, u""},
      {"text missing at the end", u"5\r\n", 1, LANG_ERR_READ, 0, u""},
      {"empty file", u"", 1, LANG_ERR_READ, 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Messages.clear();
    EXPECT_EQ(Load(c.content, c.main), c.result);
    if (c.message) {
      ASSERT_EQ(Messages.size(), 1u);
      EXPECT_EQ(Messages[0].first, c.message);
      std::u16string text = Messages[0].second;
      ASSERT_GE(text.size(), c.detail.size());
      EXPECT_EQ(text.substr(text.size() - c.detail.size()), c.detail);
      EXPECT_EQ(text.substr(0, 3), u"?@F");  // no table loaded: the missing-id form
    } else {
      EXPECT_TRUE(Messages.empty());
    }
  }
}

TEST_F(LangTextTest, FailedLoadKeepsTheOldTable) {
  ASSERT_EQ(Load(u"3601\r\nSyntax error after text\r\n.\r\n"), LANG_OK);
  EXPECT_EQ(Load(u"1\r\nA\r\n1\r\nB\r\n.\r\n"), LANG_ERR_SYNTAX);
  EXPECT_EQ(Text(3601), u"Syntax error after text");
  EXPECT_EQ(Text(1), u"?@F1");
  EXPECT_EQ(std::u16string(GetLangFileName(1)), u"t.lng");
  // The message of the second load used the text of the table in force.
  Messages.clear();
  EXPECT_EQ(Load(u"2\r\nA\r\nx\r\nB\r\n.\r\n", 1, "bad.lng"), LANG_ERR_SYNTAX);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].second, u"Syntax error after text 2");
  EXPECT_EQ(std::u16string(GetLangFileName(1)), u"t.lng");
}

TEST_F(LangTextTest, ReloadReportsTheFirstIdInOnlyOneTable) {
  ASSERT_EQ(Load(u"1\r\nA\r\n3600\r\nOnly in one file:\r\n.\r\n"), LANG_OK);
  EXPECT_TRUE(Messages.empty());
  ASSERT_EQ(Load(u"1\r\nA\r\n2\r\nB\r\n3600\r\nOnly in one file:\r\n.\r\n", 1, "u.lng"), LANG_OK);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].first, 580);
  EXPECT_EQ(Messages[0].second, u"Only in one file: 2");
  EXPECT_EQ(std::u16string(GetLangFileName(1)), u"u.lng");
  Messages.clear();
  ASSERT_EQ(Load(u"1\r\nA\r\n2\r\nB\r\n3600\r\nOnly in one file:\r\n.\r\n"), LANG_OK);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(LangTextTest, OpenFailures) {
  EXPECT_EQ(LoadLanguageFile(u"missing.lng", 1), LANG_ERR_OPEN);
  Write("open.bin", "x");
  ASSERT_EQ(StreamOpenRead(u"open.bin", 0, FILE_KIND_PROGRAM), 0);
  Write("t.lng", Utf16Le(u"1\r\nA\r\n.\r\n"));
  EXPECT_EQ(LoadLanguageFile(u"t.lng", 1), LANG_ERR_SYNTAX);  // the stream is busy
  StreamCloseRead();
  EXPECT_EQ(LoadLanguageFile(u"t.lng", 1), LANG_OK);
}

TEST_F(LangTextTest, BothEncodingsAndNarrowFilesLoad) {
  std::u16string content = u"1\r\nStra\u00dfe\r\n2\r\n\u0141\u00f3d\u017a\r\n.\r\n";
  Write("be.lng", Utf16Be(content));
  ASSERT_EQ(LoadLanguageFile(u"be.lng", 1), LANG_OK);
  EXPECT_EQ(Text(2), u"\u0141\u00f3d\u017a");
  ASSERT_EQ(Load(content), LANG_OK);
  EXPECT_EQ(Text(1), u"Stra\u00dfe");
  Write("n.lng", std::string("1\r\ncaf\xE9\r\n2\r\n#U0141x\r\n.\r\n"));
  ASSERT_EQ(LoadLanguageFile(u"n.lng", 1), LANG_OK);
  EXPECT_EQ(Text(1), u"caf\u00e9");
  EXPECT_EQ(Text(2), u"\u0141x");
}

// ---- lookup -------------------------------------------------------------------------------------

TEST_F(LangTextTest, LookupInBothTablesAndTheMissingForm) {
  EXPECT_EQ(Text(12), u"?@F12");
  EXPECT_EQ(Text(40007), u"?@F40007");
  EXPECT_EQ(GetLangTextLength(12), 0u);
  EXPECT_EQ(FindLangEntry(12, nullptr), nullptr);
  ASSERT_EQ(Load(u"1\r\none\r\n5\r\nfive\r\n9\r\nnine\r\n.\r\n"), LANG_OK);
  ASSERT_EQ(Load(u"40000\r\nsecond\r\n40010\r\ntenth\r\n.\r\n", 0, "t.lnv"), LANG_OK);
  // Ascending, repeated, descending and missing lookups through the cache.
  const uint32_t order[] = {1, 5, 5, 9, 40000, 40010, 1, 9, 5, 3, 4294967295u, 40005, 40010};
  const char16_t* expect[] = {u"one",           u"five",     u"five", u"nine", u"second",
                              u"tenth",         u"one",      u"nine", u"five", u"?@F3",
                              u"?@F4294967295", u"?@F40005", u"tenth"};
  for (size_t i = 0; i < sizeof order / sizeof order[0]; i++)
    EXPECT_EQ(Text(order[i]), expect[i]) << order[i];
  uint32_t length = 0;
  const LangEntry* e = FindLangEntry(40010, &length);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->id, 40010u);
  EXPECT_EQ(length, 6u);
  EXPECT_STREQ(GetLangTextA(5), "five");
  EXPECT_STREQ(GetLangTextA(6), "?@F6");
}

// ---- texts used as formats ----------------------------------------------------------------------

TEST_F(LangTextTest, ConversionSignatures) {
  struct Case {
    const char16_t* text;
    const char16_t* signature;
  };
  const Case cases[] = {
      {u"plain", u""},        {u"100%%", u""},
      {u"%u of %s", u"%u%s"}, {u"%02u:%-5s|%5.2f", u"%u%s%f"},
      {u"%*d", u"%*d"},       {u"%lu %I64d %hhx %ls", u"%lu%I64d%hhx%ls"},
      {u"%%%u", u"%u"},
  };
  char16_t out[64];
  for (const Case& c : cases) {
    ASSERT_EQ(ConversionSignature(c.text, out, 64), 0);
    EXPECT_EQ(std::u16string(out), c.signature);
  }
  for (const char16_t* bad : {u"50%", u"ends %", u"%y", u"%n", u"%5"})
    EXPECT_EQ(ConversionSignature(bad, out, 64), 1);
  EXPECT_TRUE(SameConversions(u"%u Bytes", u"%8u bytes read"));
  EXPECT_FALSE(SameConversions(u"%u", u"%s"));
  EXPECT_FALSE(SameConversions(u"%u", u"%u %u"));
  EXPECT_FALSE(SameConversions(u"%u", u""));
  EXPECT_FALSE(SameConversions(u"%u", u"%u%n"));
}

TEST_F(LangTextTest, FormatTextWithOtherConversionsFallsBackToTheBuiltinForm) {
  // Text 10000 (the progress of a file being read) is a format with one "%u".
  uint32_t builtinLength = 0;
  const char16_t* builtin = FindBuiltinFormat(10000, &builtinLength);
  ASSERT_NE(builtin, nullptr);
  EXPECT_EQ(builtinLength, std::u16string(builtin).size());
  EXPECT_EQ(FindBuiltinFormat(8000, &builtinLength), nullptr);  // "Error": no format text
  EXPECT_EQ(builtinLength, 0u);
  ASSERT_GT(BuiltinFormatCount(), 0);
  struct Case {
    std::u16string text;
    bool kept;
  };
  const Case cases[] = {
      {u"%8u Bytes gelesen", true}, {u"%s read", false}, {u"%u of %u", false}, {u"read", false},
      {u"read %n%u", false},        {u"100% %u", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    ASSERT_EQ(Load(u"10000\r\n" + c.text + u"\r\n.\r\n"), LANG_OK);
    EXPECT_EQ(Text(10000), c.kept ? c.text : std::u16string(builtin));
    EXPECT_EQ(GetLangWarningCount(), c.kept ? 0 : 1);
  }
}

// ---- character order ----------------------------------------------------------------------------

TEST_F(LangTextTest, CharacterOrderMapsEquivalentsToTheirKey) {
  EXPECT_EQ(MapCollationKey(u'\u00e1', 0), u'\u00e1');  // no table yet
  EXPECT_EQ(MapCollationKey(u'b', 1), u'B');
  Write("quil.lnx", Utf16Le(u"; order\r\na: \u00e0, \u00e1\r\n  O :\u00f6,\u00f8 \u00f3\r\n"
                            u"x\r\nq:\r\n:\r\n.\r\nz: \u017c\r\n"));
  ASSERT_EQ(LoadCollationFile(), 0);
  struct Case {
    char16_t ch;
    int ignoreCase;
    char16_t key;
  };
  const Case cases[] = {
      {u'\u00e1', 0, u'a'},      {u'\u00e1', 1, u'A'}, {u'\u00c1', 0, u'A'}, {u'\u00c0', 1, u'A'},
      {u'\u00f8', 0, u'o'},      {u'\u00d3', 0, u'O'}, {u'a', 0, u'a'},      {u'a', 1, u'A'},
      {u'\u017c', 0, u'\u017c'}, {u'q', 1, u'Q'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapCollationKey(c.ch, c.ignoreCase), c.key) << (int)c.ch << " " << c.ignoreCase;
}

TEST_F(LangTextTest, CharacterOrderFileFailures) {
  ASSERT_EQ(
      Load(u"3613\r\nCharacter order file missing\r\n3614\r\nCharacter order file faulty\r\n.\r\n"),
      LANG_OK);
  std::remove((dir + "/quil.lnx").c_str());
  EXPECT_EQ(LoadCollationFile(), 1);  // no file
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].first, 583);
  EXPECT_EQ(Messages[0].second, u"Character order file missing: \"quil.lnx\"");
  Write("quil.lnx", "a: b\r\n.\r\n");  // no mark
  EXPECT_EQ(LoadCollationFile(), 1);
  Write("quil.lnx", Utf16Le(u"a: \u00e0\r\n"));  // no end line
  EXPECT_EQ(LoadCollationFile(), 2);
  ASSERT_EQ(Messages.size(), 3u);
  EXPECT_EQ(Messages[2].first, 584);
  EXPECT_EQ(Messages[2].second, u"Character order file faulty: \"quil.lnx\"");
  EXPECT_EQ(MapCollationKey(u'\u00e0', 0), u'\u00e0');  // no table took effect
}

// ---- text blocks and built-in texts -------------------------------------------------------------

TEST_F(LangTextTest, TextBlocksCopyWithinTheirSizes) {
  std::vector<char16_t> out(TEXT_BLOCK_LONG + 1);
  EXPECT_EQ(GetTextBlock(0, out.data()), 0);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(SetTextBlock(3, u"x"), 1);
  EXPECT_EQ(SetTextBlock(-1, u"x"), 1);
  EXPECT_EQ(GetTextBlock(3, out.data()), 1);
  // A short source at the end of its allocation: nothing past its terminator is read.
  char16_t* shortText = new char16_t[3]{u'h', u'i', 0};
  for (int block = 0; block < 3; block++) {
    EXPECT_EQ(SetTextBlock(block, shortText), 0);
    EXPECT_EQ(GetTextBlock(block, out.data()), 0);
    EXPECT_EQ(std::u16string(out.data()), u"hi");
  }
  delete[] shortText;
  std::u16string longText(TEXT_BLOCK_LONG + 50, u'z');
  for (int block = 0; block < 3; block++) {
    int size = block < 2 ? TEXT_BLOCK_SHORT : TEXT_BLOCK_LONG;
    EXPECT_EQ(SetTextBlock(block, longText.c_str()), 0);
    EXPECT_EQ(GetTextBlock(block, out.data()), 0);
    EXPECT_EQ(std::u16string(out.data()).size(), (size_t)size);
  }
  ExitLanguage();
  EXPECT_EQ(SetTextBlock(0, u"x"), 1);  // blocks freed
  EXPECT_EQ(GetTextBlock(0, out.data()), 0);
  EXPECT_EQ(out[0], 0);
}

TEST(BuiltinTexts, RowsAndLanguages) {
  EXPECT_EQ(std::u16string(GetBuiltinText(7, 9)), u"Out of memory");
  EXPECT_EQ(std::u16string(GetBuiltinText(1, 4)), u"Startfehler %u:");
  EXPECT_EQ(std::u16string(GetBuiltinText(5, 10)), u"El fichero no se encuentro:");
  EXPECT_EQ(std::u16string(GetBuiltinText(4, 0)), u"B\u0142\u0105d startowy nr 85");
  EXPECT_EQ(std::u16string(GetBuiltinText(0, 6)), u"\r\nprogram canceled");
  EXPECT_EQ(std::u16string(GetBuiltinText(0, 13)), u"");
  for (unsigned lang = 0; lang < 6; lang++) {
    for (unsigned row = 0; row < 13; row++) {
      bool empty = row == 2 || row == 3 || row == 5;
      EXPECT_EQ(GetBuiltinText(lang, row)[0] == 0, empty) << lang << "," << row;
    }
    // The usage text: CR LF first, eleven lines, the column layout of the English text.
    std::u16string usage = GetBuiltinText(lang, 8);
    EXPECT_EQ(usage.substr(0, 2), u"\r\n");
    std::vector<std::u16string> lines;
    for (size_t p = 2, q; p <= usage.size(); p = q + 2) {
      q = usage.find(u"\r\n", p);
      if (q == std::u16string::npos) q = usage.size();
      lines.push_back(usage.substr(p, q - p));
    }
    ASSERT_EQ(lines.size(), 11u) << lang;
    const int tabs[11] = {0, 0, 0, 0, 3, 3, 3, 2, 3, 2, 1};
    for (int i = 0; i < 11; i++) {
      size_t t = lines[i].find(u'\t');
      int count = 0;
      while (t != std::u16string::npos && t + count < lines[i].size() &&
             lines[i][t + count] == u'\t')
        count++;
      EXPECT_EQ(count, tabs[i]) << lang << " line " << i;
    }
    EXPECT_NE(lines[2].find(u"[LD | LE | LES | LFR | LNL | LPL]"), std::u16string::npos);
  }
  EXPECT_EQ(std::u16string(GetBuiltinText(0, 8)).substr(2, 49),
            u"Correct usage:  QUILnnn.EXE [filename] [switches]");
}

// Every built-in text that the program must show word for word, in all six languages (row 6
// carries its leading line break), and the English and German usage texts character by character.
TEST(BuiltinTexts, GivenTextsStandExactly) {
  struct Row {
    unsigned row;
    const char16_t* text[6];
  };
  const Row rows[] = {
      {0,
       {u"Init Error #85", u"Startfehler 85", u"Erreur \u00e0 l'initialisation 85", u"Startfout 85",
        u"B\u0142\u0105d startowy nr 85", u"Error de salida n\u00famero 85"}},
      {1,
       {u"At least Windows95 or NT needed", u"Mindestens Windows95 oder NT n\u00f6tig",
        u"Le minimum requis est Windows95/NT", u"Ten minste Windows95/NT nodig",
        u"Wymagany jest przynajmniej Windows 95 lub NT",
        u"Por los menos requiendo Windows95 o NT"}},
      {4,
       {u"Initialization error #%u:", u"Startfehler %u:", u"Erreur \u00e0 l'initialisation %u:",
        u"Initialisatiefout %u:", u"B\u0142\u0105d startowy nr %u:",
        u"Error de salida n\u00famero %u"}},
      {6,
       {u"program canceled", u"Programm abgebrochen", u"programme interrompu",
        u"Programma afgebroken", u"program anulowany", u"Programa cancelada"}},
      {7,
       {u"Wrong parameters", u"Parameter falsch", u"Param\u00e8tres incorrects",
        u"Foutieve parameters", u"Nieprawid\u0142owe parametry", u"Par\u00e1metros falsos"}},
      {9,
       {u"Out of memory", u"Speicher reicht nicht", u"M\u00e9moire insuffisante",
        u"Niet genoeg geheugen", u"Zabrak\u0142o pami\u0119ci", u"No hay memoria"}},
      {10,
       {u"File not found:", u"Datei nicht gefunden:", u"Fichier inexistant:",
        u"Bestand niet gevonden", u"Nie znaleziono pliku:", u"El fichero no se encuentro:"}},
      {11,
       {u"File incorrect:", u"Datei defekt:", u"Fichier corrompu:", u"Gegevens beschadigd",
        u"Niew\u0142a\u015bciwy plik:", u"El fichero est\u00e1 da\u00f1ado:"}},
      {12,
       {u"80486 CPU or newer needed", u"Mindestens 80486-Prozessor n\u00f6tig",
        u"Processeur 80486 ou plus r\u00e9cent n\u00e9cessaire", u"Minstens 80486 processor nodig",
        u"Wymagany jest procesor 80486 lub wy\u017cszy",
        u"Requiendo procesador 80486 o m\u00e1s nuevo"}},
  };
  for (const Row& r : rows)
    for (unsigned lang = 0; lang < 6; lang++) {
      std::u16string want = r.text[lang];
      if (r.row == 6) want = u"\r\n" + want;
      EXPECT_EQ(std::u16string(GetBuiltinText(lang, r.row)), want) << r.row << "," << lang;
    }
  const std::u16string usageEn =
      u"\r\nCorrect usage:  QUILnnn.EXE [filename] [switches]"
      u"\r\nFilename:  Load this layout file   xxx[.nt3]"
      u"\r\nSwitches: [N] [STOP] [Q | TNR=number] [Z=N1 | Z=N2] [I=\"filename\"] [LD | LE | LES | "
      u"LFR | LNL | LPL]"
      u"\r\n(all switches start with '/' or '-', e.g. /Q)"
      u"\r\nN\t\t\tWithout start example"
      u"\r\nSTOP\t\t\tSet STOP status"
      u"\r\nQ\t\t\tWithout title screen"
      u"\r\nTNR=number\t\tShow title screen with that number (e.g. /TNR=2)"
      u"\r\nZ=N1/N2\t\t\tFirst Edit window normal mode zoom factor=1 or 2"
      u"\r\nI=\"filename\"\t\tUse this configuration (options) file"
      u"\r\nLx (x=D/E/ES/FR/NL/PL)\tThis message in German/English/Spanish/French/Dutch/Polish";
  const std::u16string usageDe =
      u"\r\nKorrekter Aufruf:  QUILnnn.EXE [Dateiname] [Schalter]"
      u"\r\nDateiname: Name einer zu ladenden Netzdatei  xxx[.nt3]"
      u"\r\nSchalter: [N] [STOP] [Q | TNR=Zahl] [Z=N1 | Z=N2] [I=\"Dateiname\"] [LD | LE | LES | "
      u"LFR | LNL | LPL]"
      u"\r\n(alle Schalter beginnen mit '/' oder '-', z.B. /Q)"
      u"\r\nN\t\t\tOhne Demobeispiel"
      u"\r\nSTOP\t\t\tSTOP-Zustand setzen"
      u"\r\nQ\t\t\tOhne Titelbild"
      u"\r\nTNR=Zahl\t\tZeige Titelbild Nummer = Zahl (z.B. /TNR=2)"
      u"\r\nZ=N1/N2\t\t\tErstes Editfenster Normalmodus Zoomfaktor=1 oder 2"
      u"\r\nI=\"Dateiname\"\t\tNutze diese Optionsdatei"
      u"\r\nLx (x=D/E/ES/FR/NL/PL)\tDiese Meldung "
      u"deutsch/englisch/spanisch/franz\u00f6sisch/niederl\u00e4ndisch/polnisch";
  EXPECT_EQ(std::u16string(GetBuiltinText(0, 8)), usageEn);
  EXPECT_EQ(std::u16string(GetBuiltinText(1, 8)), usageDe);
}

// ---- the generated files ------------------------------------------------------------------------

TEST_F(LangTextTest, GeneratedLanguageFilesLoad) {
  std::u16string data = Widen(QUIL_TEST_DATA_DIR);
  ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, data.c_str()), 0);
  struct Pair {
    const char16_t* lng;
    const char16_t* lnv;
  };
  std::u16string error[2];
  const Pair pairs[] = {{u"quil.lng", u"quil.lnv"}, {u"quil_de.lng", u"quil_de.lnv"}};
  for (int i = 0; i < 2; i++) {
    ASSERT_EQ(LoadLanguageFile(pairs[i].lng, 1), LANG_OK);
    EXPECT_EQ(GetLangWarningCount(), 0);
    ASSERT_EQ(LoadLanguageFile(pairs[i].lnv, 0), LANG_OK);
    EXPECT_EQ(GetLangWarningCount(), 0);
    error[i] = Text(8000);
    EXPECT_NE(error[i].substr(0, 3), u"?@F");
  }
  EXPECT_NE(error[0], error[1]);
  EXPECT_TRUE(Messages.empty());  // the same ids in both languages
  ASSERT_EQ(LoadCollationFile(), 0);
  EXPECT_EQ(MapCollationKey(u'\u00e9', 0), u'e');
  EXPECT_EQ(MapCollationKey(u'\u00c4', 1), u'A');
}

}  // namespace
