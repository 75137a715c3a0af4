// Command-line parsing: every switch, repeats, conflicts, quoting and over-long tokens.
#include "app/cmdline.h"
#include <gtest/gtest.h>
#include <string>

static std::u16string U(const char* s) {
  std::u16string r;
  for (; *s; s++) r += (char16_t)(unsigned char)*s;
  return r;
}

struct CmdCase {
  const char* line;
  uint32_t flags;
  int zoom;
  int title;
  int language;
  const char* file;
  const char* option;
};

TEST(CommandLine, TableOfCases) {
  static const CmdCase cases[] = {
      {"quil.exe", 0, 0, -1, -1, "", ""},
      {"  \"C:\\Pro gram\\quil.exe\"  ", 0, 0, -1, -1, "", ""},
      {"quil.exe /N", CMDL_NO_DEMO, 0, -1, -1, "", ""},
      {"quil.exe -n", CMDL_NO_DEMO, 0, -1, -1, "", ""},
      {"quil.exe /Q /N", CMDL_NO_TITLE | CMDL_NO_DEMO, 0, -1, -1, "", ""},
      {"quil.exe /q -stop", CMDL_NO_TITLE | CMDL_STOP, 0, -1, -1, "", ""},
      {"quil.exe / Q", CMDL_NO_TITLE, 0, -1, -1, "", ""},
      {"quil.exe /TNR=3", CMDL_TITLE_NUMBER, 0, 3, -1, "", ""},
      {"quil.exe /tnr=0", CMDL_TITLE_NUMBER, 0, 0, -1, "", ""},
      {"quil.exe /TNR=-1", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /TNR=", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /Q /TNR=2", CMDL_ERROR | CMDL_NO_TITLE, 0, -1, -1, "", ""},
      {"quil.exe /TNR=2 /Q", CMDL_ERROR | CMDL_NO_TITLE | CMDL_TITLE_NUMBER, 0, 2, -1, "", ""},
      {"quil.exe /Q /Q", CMDL_ERROR | CMDL_NO_TITLE, 0, -1, -1, "", ""},
      {"quil.exe /N /N", CMDL_ERROR | CMDL_NO_DEMO, 0, -1, -1, "", ""},
      {"quil.exe /STOP /STOP", CMDL_ERROR | CMDL_STOP, 0, -1, -1, "", ""},
      {"quil.exe /Z=N1", CMDL_ZOOM, 1, -1, -1, "", ""},
      {"quil.exe /z=n2", CMDL_ZOOM, 2, -1, -1, "", ""},
      {"quil.exe /Z=N3", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /Z=NA", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /Z=N1 /Z=N2", CMDL_ERROR | CMDL_ZOOM, 1, -1, -1, "", ""},
      {"quil.exe /LD", 0, 0, -1, 1, "", ""},
      {"quil.exe /le", 0, 0, -1, 0, "", ""},
      {"quil.exe /LFR", 0, 0, -1, 2, "", ""},
      {"quil.exe /LNL", 0, 0, -1, 3, "", ""},
      {"quil.exe /LPL", 0, 0, -1, 4, "", ""},
      {"quil.exe /LES", 0, 0, -1, 5, "", ""},
      {"quil.exe /LE /LD", CMDL_ERROR, 0, -1, 0, "", ""},  // first language kept
      {"quil.exe /LX", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /QQ", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe net.nt3", CMDL_FILE | CMDL_NO_DEMO, 0, -1, -1, "net.nt3", ""},
      {"quil.exe \"my net.nt3\" /Q", CMDL_FILE | CMDL_NO_DEMO | CMDL_NO_TITLE, 0, -1, -1,
       "my net.nt3", ""},
      {"quil.exe a.nt3 b.nt3", CMDL_ERROR | CMDL_FILE | CMDL_NO_DEMO, 0, -1, -1, "a.nt3", ""},
      {"quil.exe \"open.nt3", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /I=\"C:\\my dir\\q.ini\"", CMDL_OPTION_FILE, 0, -1, -1, "", "C:\\my dir\\q.ini"},
      {"quil.exe /I=\"  x.ini\" /N", CMDL_OPTION_FILE | CMDL_NO_DEMO, 0, -1, -1, "", "x.ini"},
      {"quil.exe /I=\"x.ini", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /I=\"a\" /I=\"b\"", CMDL_ERROR | CMDL_OPTION_FILE, 0, -1, -1, "", "a"},
      {"quil.exe /I=x.ini", CMDL_ERROR, 0, -1, -1, "", ""},
      {"quil.exe /LD /BAD", CMDL_ERROR, 0, -1, 1, "", ""},
  };
  for (const CmdCase& c : cases) {
    CommandLineArgs a;
    std::u16string line = U(c.line);
    uint32_t f = ParseCommandLineText(line.c_str(), &a);
    SCOPED_TRACE(c.line);
    EXPECT_EQ(f, c.flags);
    EXPECT_EQ(a.firstZoom, c.zoom);
    EXPECT_EQ(a.titleNumber, c.title);
    EXPECT_EQ(a.language, c.language);
    EXPECT_EQ(std::u16string(a.networkFile), U(c.file));
    EXPECT_EQ(std::u16string(a.optionFile), U(c.option));
  }
}

TEST(CommandLine, ProgramPathQuotedOrPlain) {
  CommandLineArgs a;
  ParseCommandLineText(u"  \"C:\\Pro gram\\quil.exe\" /N", &a);
  EXPECT_EQ(std::u16string(a.programPath), u"C:\\Pro gram\\quil.exe");
  ParseCommandLineText(u"quil.exe /N", &a);
  EXPECT_EQ(std::u16string(a.programPath), u"quil.exe");
}

TEST(CommandLine, OverlongTokensAreRefusedOrCut) {
  CommandLineArgs a;
  std::u16string name(259, u'a');
  std::u16string line = u"quil.exe " + name;
  EXPECT_EQ(ParseCommandLineText(line.c_str(), &a), CMDL_FILE | CMDL_NO_DEMO);
  EXPECT_EQ(std::u16string(a.networkFile), name);

  line = u"quil.exe " + name + u"b";  // 260 characters: no room for the terminator
  EXPECT_TRUE(ParseCommandLineText(line.c_str(), &a) & CMDL_ERROR);
  EXPECT_EQ(a.networkFile[0], 0);

  line = u"quil.exe /I=\"" + std::u16string(4000, u'p') + u"\"";
  EXPECT_TRUE(ParseCommandLineText(line.c_str(), &a) & CMDL_ERROR);
  EXPECT_EQ(a.optionFile[0], 0);

  line = u"quil.exe /" + std::u16string(5000, u'Z');
  EXPECT_EQ(ParseCommandLineText(line.c_str(), &a), CMDL_ERROR);

  line = std::u16string(1000, u'x') + u" /N";  // the program path is cut, not refused
  EXPECT_EQ(ParseCommandLineText(line.c_str(), &a), CMDL_NO_DEMO);
  EXPECT_EQ(std::u16string(a.programPath).size(), 259u);
}

TEST(CommandLine, LanguageFromLocale) {
  static const struct {
    uint32_t id;
    int lang;
  } cases[] = {
      {0x0407, 1}, {0x0807, 1}, {0x0C0A, 5}, {0x040C, 2}, {0x0413, 3},
      {0x0415, 4}, {0x0409, 0}, {0x0410, 0}, {0, 0},
  };
  for (auto& c : cases) EXPECT_EQ(UiLanguageFromLangId(c.id), c.lang) << c.id;
}

#include "app/entry.h"

TEST(EntryFolders, SplitAndOptionFile) {
  char16_t folder[ENTRY_PATH_CHARS], name[ENTRY_PATH_CHARS];
  static const struct {
    const char16_t* path;
    const char16_t* folder;
    const char16_t* name;
  } cases[] = {
      {u"C:\\prog\\quil.exe", u"C:\\prog\\", u"quil.exe"},
      {u"C:quil.exe", u"C:", u"quil.exe"},
      {u"quil.exe", u"", u"quil.exe"},
      {u"C:\\dir\\", u"C:\\dir\\", u""},
      {u"", u"", u""},
  };
  for (auto& c : cases) {
    EXPECT_EQ(SplitFolderAndName(c.path, folder, name), 0);
    EXPECT_EQ(std::u16string(folder), c.folder);
    EXPECT_EQ(std::u16string(name), c.name);
  }
  std::u16string longName = u"C:\\" + std::u16string(300, u'n');
  EXPECT_EQ(SplitFolderAndName(longName.c_str(), folder, name), 1);
  EXPECT_EQ(name[0], 0);

  char16_t f[8] = u"C:\\x";
  EXPECT_EQ(EnsureTrailingBackslash(f, 8), 0);
  EXPECT_EQ(std::u16string(f), u"C:\\x\\");
  EXPECT_EQ(EnsureTrailingBackslash(f, 8), 0);
  char16_t g[5] = u"C:\\x";
  EXPECT_EQ(EnsureTrailingBackslash(g, 5), 1);

  ChooseOptionFile(u"D:\\cfg\\my.ini", 1, u"C:\\prog\\", folder, name);
  EXPECT_EQ(std::u16string(folder), u"D:\\cfg\\");
  EXPECT_EQ(std::u16string(name), u"my.ini");
  ChooseOptionFile(u"D:\\cfg\\", 1, u"C:\\prog\\", folder, name);
  EXPECT_EQ(std::u16string(name), std::u16string(DefaultOptionFileName()));
  ChooseOptionFile(u"", 1, u"C:\\prog\\", folder, name);
  EXPECT_EQ(std::u16string(folder), u"C:\\prog\\");
  ChooseOptionFile(u"rel\\my.ini", 2, u"C:\\prog\\", folder, name);  // no full path formed
  EXPECT_EQ(std::u16string(folder), u"C:\\prog\\");
  EXPECT_EQ(std::u16string(name), u"my.ini");
  ChooseOptionFile(nullptr, 0, u"C:\\prog\\", folder, name);
  EXPECT_EQ(folder[0], 0);
  EXPECT_EQ(std::u16string(name), u"quil.ini");
}
