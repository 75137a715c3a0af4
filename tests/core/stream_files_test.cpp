// Tests of the stream's open, close and seek rules, the kind folders, the file functions beside
// the stream and the file-name helpers.
#include "stream_test_util.h"
#include "core/langtext.h"
#include "core/stream_internal.h"
#include "core/misc.h"
#include <cstdlib>

namespace {

// ---- open, close, errors ------------------------------------------------------------------------

TEST_F(StreamTest, SecondOpenIsRefusedAndLeavesTheFirstAlone) {
  Put("one.bin", {1, 2, 3});
  Put("two.bin", {9});
  ASSERT_EQ(StreamOpenRead(u"one.bin", 0, FILE_KIND_NETWORK), 0);
  uint8_t b = 0;
  ASSERT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(StreamOpenRead(u"two.bin", 0, FILE_KIND_NETWORK), STREAM_ERR_BUSY);
  EXPECT_EQ(StreamOpenWrite(u"three.bin", 0, FILE_KIND_NETWORK), STREAM_ERR_BUSY);
  EXPECT_FALSE(Exists("three.bin"));
  EXPECT_EQ(StreamCloseWrite(), STREAM_ERR_NOT_OPEN);  // the read file is not a write file
  ASSERT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(StreamCloseRead(), 0);
}

TEST_F(StreamTest, OpenAndCloseFailures) {
  EXPECT_EQ(StreamOpenRead(u"missing.bin", 0, FILE_KIND_NETWORK), STREAM_ERR_OPEN);
  EXPECT_EQ(StreamOpenWrite(u"no_such_folder\\x.bin", 0, FILE_KIND_NETWORK), STREAM_ERR_OPEN);
  std::u16string longName(300, u'n');
  EXPECT_EQ(StreamOpenWrite(longName.c_str(), 0, FILE_KIND_NETWORK), STREAM_ERR_OPEN);
  EXPECT_EQ(StreamOpenRead(nullptr, 0, FILE_KIND_NETWORK), STREAM_ERR_OPEN);
  EXPECT_EQ(StreamIsOpen(), 0);
  EXPECT_EQ(StreamCloseRead(), STREAM_ERR_NOT_OPEN);
  EXPECT_EQ(StreamCloseWrite(), STREAM_ERR_NOT_OPEN);
  EXPECT_EQ(StreamSeek(0), STREAM_ERR_NOT_OPEN);
  uint8_t b;
  EXPECT_EQ(StreamReadByte(&b), STREAM_ERR_READ);
  EXPECT_EQ(StreamWriteByte(1), STREAM_ERR_WRITE);
}

TEST_F(StreamTest, EndOfFileKeepsTheFileOpen) {
  Put("eof.bin", {7});
  ASSERT_EQ(StreamOpenRead(u"eof.bin", 0, FILE_KIND_NETWORK), 0);
  uint8_t b = 0;
  EXPECT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(StreamReadByte(&b), STREAM_ERR_EOF);
  EXPECT_EQ(StreamReadByte(&b), STREAM_ERR_EOF);
  EXPECT_EQ(StreamIsOpen(), 1);
  EXPECT_EQ(StreamCloseRead(), 0);
  EXPECT_EQ(StreamCloseRead(), STREAM_ERR_NOT_OPEN);
}

// An unknown kind has no folder: the name is taken as it stands.
TEST_F(StreamTest, UnknownKindUsesTheNameUnchanged) {
  Put("full.bin", {5});
  std::u16string full = Widen(Path("full.bin"));
  ASSERT_EQ(StreamOpenRead(full.c_str(), 0, 99), 0);
  EXPECT_EQ(StreamCloseRead(), 0);
}

TEST_F(StreamTest, InitFailsNothingTwiceAndExitClosesAnOpenFile) {
  EXPECT_EQ(StreamInit(), 0);  // already there: keeps its buffer
  ASSERT_EQ(StreamOpenWrite(u"exit.bin", 0, FILE_KIND_NETWORK), 0);
  StreamExit();
  EXPECT_EQ(StreamIsOpen(), 0);
  EXPECT_EQ(StreamOpenRead(u"exit.bin", 0, FILE_KIND_NETWORK), STREAM_ERR_OPEN);  // no buffer
  ASSERT_EQ(StreamInit(), 0);
  EXPECT_EQ(StreamOpenRead(u"exit.bin", 0, FILE_KIND_NETWORK), 0);
  EXPECT_EQ(StreamCloseRead(), 0);
}

TEST_F(StreamTest, SeekIsRelativeToTheNextUnreadByte) {
  Bytes data(10000);
  for (size_t i = 0; i < data.size(); i++) data[i] = (uint8_t)(i % 251);
  Put("seek.bin", data);
  ASSERT_EQ(StreamOpenRead(u"seek.bin", 0, FILE_KIND_NETWORK), 0);
  uint8_t b = 0;
  for (int i = 0; i < 10; i++) ASSERT_EQ(StreamReadByte(&b), 0);
  struct Step {
    int32_t offset;
    size_t next;
  };
  const Step steps[] = {{5, 15}, {-3, 13}, {0, 14}, {5000, 5015}, {-5016, 0}};
  for (const Step& s : steps) {
    EXPECT_EQ(StreamSeek(s.offset), 0);
    ASSERT_EQ(StreamReadByte(&b), 0);
    EXPECT_EQ(b, data[s.next]);
  }
  EXPECT_EQ(StreamSeek(-100), STREAM_ERR_BAD_FILE);  // before the start: closed
  EXPECT_EQ(StreamIsOpen(), 0);
  EXPECT_EQ(StreamCloseRead(), STREAM_ERR_NOT_OPEN);
}

// The progress text is language text 10000 with the byte count.
TEST_F(StreamTest, ProgressTextComesFromTheLanguageFile) {
  char16_t savedProgram[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, savedProgram);
  ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, Widen(QUIL_TEST_DATA_DIR).c_str()), 0);
  ASSERT_EQ(InitLanguage(), 0);
  ASSERT_EQ(LoadLanguageFile(u"quil.lng", 1), 0);
  char16_t text[100];
  StreamFormatProgress(text, 4096);
  EXPECT_EQ(std::u16string(text), u"4096 bytes");
  StreamFormatProgress(text, 4294963200u);
  EXPECT_EQ(std::u16string(text), u"4294963200 bytes");
  ExitLanguage();
  SetKindFolder(FILE_KIND_PROGRAM, savedProgram);
}

// ---- kind folders -------------------------------------------------------------------------------

TEST(StreamKinds, FoldersOfTheKinds) {
  char16_t saved[7][STREAM_PATH_CHARS];
  for (int k = 0; k < 7; k++) ASSERT_EQ(GetKindFolder(k, saved[k]), 0);
  char16_t f[STREAM_PATH_CHARS];
  for (int kind : {-1, 7, 19, 24, 1000}) {
    f[0] = u'x';
    EXPECT_EQ(GetKindFolder(kind, f), 1);
    EXPECT_EQ(f[0], 0);
  }
  struct Case {
    int kind;
    std::u16string set;
    int rc;
    std::u16string folder;
  };
  const Case cases[] = {
      {FILE_KIND_PROGRAM, u"C:\\Quil", 0, u"C:\\Quil\\"},
      {FILE_KIND_OPTIONS, u"", 0, u""},
      {FILE_KIND_NETWORK, u"D:\\nets\\", 0, u"D:\\nets\\"},
      {FILE_KIND_PICTURE, u"/tmp/pics/", 0, u"/tmp/pics/"},
      {FILE_KIND_SCRIPT, u"E:\\scripts", 0, u"E:\\scripts\\"},
      {FILE_KIND_ZOOM2, u"C:\\x\\", 1, u"C:\\Quil\\zoom2\\"},
      {7, u"C:\\x\\", 1, u""},
      {FILE_KIND_LOG, std::u16string(259, u'a'), 2, u""},
      {FILE_KIND_LOG, std::u16string(258, u'a'), 0, std::u16string(258, u'a') + u"\\"},
  };
  SetKindFolder(FILE_KIND_LOG, u"");
  for (const Case& c : cases) {
    EXPECT_EQ(SetKindFolder(c.kind, c.set.c_str()), c.rc);
    GetKindFolder(c.kind, f);
    EXPECT_EQ(std::u16string(f), c.folder);
  }
  const std::u16string subs[] = {u"zoom2\\", u"zoom2g\\", u"zoom1\\", u"zoom1g\\"};
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(GetKindFolder(FILE_KIND_ZOOM2 + k, f), 0);
    EXPECT_EQ(std::u16string(f), u"C:\\Quil\\" + subs[k]);
  }
  char16_t path[STREAM_PATH_CHARS];
  EXPECT_EQ(BuildKindPath(FILE_KIND_ZOOM1G, u"a.fzz", path), 0);
  EXPECT_EQ(std::u16string(path), u"C:\\Quil\\zoom1g\\a.fzz");
  EXPECT_EQ(BuildKindPath(42, u"a.fzz", path), 0);
  EXPECT_EQ(std::u16string(path), u"a.fzz");
  std::u16string fits(STREAM_PATH_CHARS - 1 - 8, u'n'), over = fits + u"n";
  EXPECT_EQ(BuildKindPath(FILE_KIND_PROGRAM, fits.c_str(), path), 0);
  EXPECT_EQ(BuildKindPath(FILE_KIND_PROGRAM, over.c_str(), path), 1);
  // A program folder too long for a subfolder leaves the zoom kinds without a folder.
  ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, std::u16string(252, u'p').c_str()), 0);
  EXPECT_EQ(GetKindFolder(FILE_KIND_ZOOM1, f), 0);
  EXPECT_EQ(GetKindFolder(FILE_KIND_ZOOM2G, f), 1);
  EXPECT_EQ(BuildKindPath(FILE_KIND_ZOOM2G, u"x", path), 1);
  for (int k = 0; k < 7; k++) SetKindFolder(k, saved[k]);
}

// ---- file functions -----------------------------------------------------------------------------

TEST(StreamFileDate, BitLayoutOfTheFileSystemStamp) {
  struct Case {
    uint16_t date, time;
    int y, mo, d, h, mi, s;
  };
  const Case cases[] = {
      {(46 << 9) | (12 << 5) | 10, (14 << 11) | (37 << 5) | 29, 2026, 12, 10, 14, 37, 58},
      {(0 << 9) | (1 << 5) | 1, 0, 1980, 1, 1, 0, 0, 0},
      {0xFFFF, 0xFFFF, 2107, 15, 31, 31, 63, 62},
  };
  for (const Case& c : cases) {
    int y, mo, d, h, mi, s;
    DecodeFileDate(c.date, c.time, &y, &mo, &d, &h, &mi, &s);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(mo, c.mo);
    EXPECT_EQ(d, c.d);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(mi, c.mi);
    EXPECT_EQ(s, c.s);
  }
  uint16_t date, time;
  PackFileDate(2026, 12, 10, 14, 37, 59, &date, &time);  // odd seconds step down to even
  EXPECT_EQ(date, (46 << 9) | (12 << 5) | 10);
  EXPECT_EQ(time, (14 << 11) | (37 << 5) | 29);
  PackFileDate(1975, 6, 1, 0, 0, 0, &date, nullptr);
  EXPECT_EQ(date >> 9, 0);
}

TEST_F(StreamTest, FileDateOfAFreshFile) {
  Put("date.bin", {1});
  WrapTime now;
  WrapGetLocalTime(&now);
  int y, mo, d, h, mi, s;
  ASSERT_EQ(GetFileDate(u"date.bin", FILE_KIND_NETWORK, &y, &mo, &d, &h, &mi, &s), 0);
  EXPECT_EQ(s % 2, 0);
  long fileSecs = ((long)d * 24 + h) * 3600 + mi * 60 + s;
  long nowSecs = ((long)now.day * 24 + now.hour) * 3600 + now.minute * 60 + now.second;
  EXPECT_EQ(y, now.year);
  EXPECT_LE(std::labs(nowSecs - fileSecs), 5);
  EXPECT_EQ(GetFileDate(u"missing.bin", FILE_KIND_NETWORK, &y, &mo, &d, &h, &mi, &s), -1);
}

TEST_F(StreamTest, DeleteRenameCopyAndReadable) {
  Put("del.bin", {1});
  EXPECT_EQ(DeleteKindFile(u"del.bin", FILE_KIND_NETWORK), 0);
  EXPECT_FALSE(Exists("del.bin"));
  EXPECT_EQ(DeleteKindFile(u"del.bin", FILE_KIND_NETWORK), 1);

  Put("old.bin", {1, 2});
  Put("taken.bin", {3});
  Remove("new.bin");
  EXPECT_EQ(RenameKindFile(u"missing.bin", u"new.bin", FILE_KIND_NETWORK), 2);
  EXPECT_EQ(RenameKindFile(u"old.bin", u"taken.bin", FILE_KIND_NETWORK), 1);
  EXPECT_EQ(RenameKindFile(u"old.bin", u"new.bin", FILE_KIND_NETWORK), 0);
  EXPECT_EQ(Get("new.bin"), (Bytes{1, 2}));
  EXPECT_FALSE(Exists("old.bin"));

  std::u16string src = Widen(Path("new.bin")), dst = Widen(Path("copy.bin"));
  EXPECT_EQ(IsFileReadable(src.c_str()), 0);
  EXPECT_EQ(IsFileReadable(Widen(Path("missing.bin")).c_str()), 1);
  Bytes big(70000);
  for (size_t i = 0; i < big.size(); i++) big[i] = (uint8_t)(i ^ (i >> 8));
  Put("new.bin", big);
  EXPECT_EQ(CopyFileBytes(src.c_str(), dst.c_str()), 0);
  EXPECT_EQ(Get("copy.bin"), big);
  EXPECT_EQ(CopyFileBytes(Widen(Path("missing.bin")).c_str(), dst.c_str()), 1);
  EXPECT_EQ(CopyFileBytes(src.c_str(), Widen(Path("no_folder/x.bin")).c_str()), 2);
}

TEST_F(StreamTest, CanOpenTextFileWantsAMark) {
  Put("le.txt", {0xFF, 0xFE, 'a', 0});
  Put("be.txt", {0xFE, 0xFF, 0, 'a'});
  Put("plain.txt", {'a', 'b'});
  EXPECT_EQ(CanOpenTextFile(u"le.txt", FILE_KIND_NETWORK), 1);
  EXPECT_EQ(CanOpenTextFile(u"be.txt", FILE_KIND_NETWORK), 1);
  EXPECT_EQ(CanOpenTextFile(u"plain.txt", FILE_KIND_NETWORK), 0);
  EXPECT_EQ(CanOpenTextFile(u"missing.txt", FILE_KIND_NETWORK), 0);
  EXPECT_EQ(StreamIsOpen(), 0);
}

TEST_F(StreamTest, ConvertFileToNarrowText) {
  SetConversionCodePages(-1, 1252);
  struct Case {
    const char* what;
    Bytes in;
    int rc;
    Bytes out;
  };
  const Case cases[] = {
      {"LE",
       {0xFF, 0xFE, 'A', 0, 0xE9, 0, 0x0D, 0, 0x0A, 0, 0xAC, 0x20},
       0,
       {'A', 0xE9, 0x0D, 0x0A, 0x80}},
      {"BE with skipped characters", {0xFE, 0xFF, 0, 'x', 0x20, 0x28, 0, 'y'}, 0, {'x', 'y'}},
      {"one character", {0xFF, 0xFE, 'z', 0}, 0, {'z'}},
      {"only a mark", {0xFF, 0xFE}, 1, {0xFF, 0xFE}},
      {"no mark", {'a', 0, 'b', 0}, 2, {'a', 0, 'b', 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put("conv.txt", c.in);
    EXPECT_EQ(ConvertFileToNarrowText(u"conv.txt", FILE_KIND_NETWORK), c.rc);
    EXPECT_EQ(Get("conv.txt"), c.out);
    EXPECT_FALSE(Exists("conv.txt.~q"));
    EXPECT_EQ(StreamIsOpen(), 0);
  }
  EXPECT_EQ(ConvertFileToNarrowText(u"missing.txt", FILE_KIND_NETWORK), 1);
  int32_t blocks = MemBlockCount;
  Put("conv.txt", {0xFF, 0xFE, 'A', 0});
  EXPECT_EQ(ConvertFileToNarrowText(u"conv.txt", FILE_KIND_NETWORK), 0);
  EXPECT_EQ(MemBlockCount, blocks);  // the text block was given back
}

// ---- file names ---------------------------------------------------------------------------------

TEST(StreamNames, StripExtensionAndFileName) {
  struct Case {
    std::u16string path, noExt, folder;
  };
  const Case cases[] = {
      {u"C:\\nets\\demo.v2.nt3", u"C:\\nets\\demo.v2", u"C:\\nets\\"},
      {u"C:\\a.b\\demo", u"C:\\a.b\\demo", u"C:\\a.b\\"},
      {u"demo.nt3", u"demo", u"demo.nt3"},
      {u".ini", u".ini", u".ini"},
      {u"x\\.ini", u"x\\.ini", u"x\\"},  // a leading dot of the file name, as GetExtension sees it
      {u"a/b.txt", u"a/b", u"a/"},
      {u"C:\\", u"C:\\", u"C:\\"},
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    char16_t buf[STREAM_PATH_CHARS];
    CopyString(buf, c.path.c_str());
    StripExtension(buf);
    EXPECT_EQ(std::u16string(buf), c.noExt);
    CopyString(buf, c.path.c_str());
    StripFileName(buf);
    EXPECT_EQ(std::u16string(buf), c.folder);
  }
}

TEST(StreamNames, AddDefaultExtension) {
  struct Case {
    std::u16string path, ext;
    int capacity, rc;
    std::u16string result;
  };
  const Case cases[] = {
      {u"net", u"nt3", STREAM_PATH_CHARS, 0, u"net.nt3"},
      {u"net", u".nt3", STREAM_PATH_CHARS, 0, u"net.nt3"},
      {u"net.x", u"nt3", STREAM_PATH_CHARS, 0, u"net.x"},
      {u"a.b\\net", u"nt3", STREAM_PATH_CHARS, 0, u"a.b\\net.nt3"},
      {u"net.", u"nt3", STREAM_PATH_CHARS, 0, u"net."},
      {u"abc", u"nt3", 8, 0, u"abc.nt3"},
      {u"abc", u"nt3", 7, 1, u"abc"},
      {u"abc", u".nt3", 7, 1, u"abc"},
  };
  for (const Case& c : cases) {
    char16_t buf[STREAM_PATH_CHARS];
    CopyString(buf, c.path.c_str());
    EXPECT_EQ(AddDefaultExtension(buf, c.ext.c_str(), c.capacity), c.rc);
    EXPECT_EQ(std::u16string(buf), c.result);
  }
}

TEST(StreamNames, GetExtension) {
  struct Case {
    std::u16string path;
    int rc;
    std::u16string ext;
  };
  const Case cases[] = {
      {u"C:\\nets\\demo.nt3", 0, u"nt3"},
      {u"demo.v2.NT3", 0, u"NT3"},
      {u"C:\\a.b\\demo", 1, u""},
      {u".ini", 1, u""},
      {u"dir\\.ini", 1, u""},
      {u"x.", 0, u""},
      {u"", 1, u""},
  };
  for (const Case& c : cases) {
    char16_t ext[STREAM_PATH_CHARS] = u"junk";
    EXPECT_EQ(GetExtension(c.path.c_str(), ext), c.rc);
    EXPECT_EQ(std::u16string(ext), c.ext);
  }
}

// The two agree on what an extension is: a file name whose only "." is its first character has
// none, wherever the name stands in the path.
TEST(StreamNames, StripAndGetExtensionAgree) {
  const char16_t* paths[] = {u".ini", u"dir\\.ini", u"a/.b", u"a.b\\.c", u"x.y", u"d\\x.y.z", u"n"};
  for (const char16_t* path : paths) {
    char16_t buf[STREAM_PATH_CHARS], ext[STREAM_PATH_CHARS];
    CopyString(buf, path);
    StripExtension(buf);
    int none = GetExtension(path, ext);
    EXPECT_EQ(none == 1, std::u16string(buf) == path) << std::string(buf, buf + StringLength(buf));
  }
}

}  // namespace
