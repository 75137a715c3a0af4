// The option file's search, reading and writing (the keys themselves: optionfile_keys.cpp).
#include "app/optionfile.h"
#include "app/optionfile_internal.h"
#include "app/entry.h"
#include "app/startup.h"
#include "app/titles.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/platform.h"
#include "core/settings_platform.h"
#include "core/stream.h"
#include "core/valuestore.h"

static char16_t SettingsFolder[STREAM_PATH_CHARS];
static char16_t SettingsName[STREAM_PATH_CHARS] = u"quil.ini";
static char16_t ReadPath[STREAM_PATH_CHARS];
static const char16_t* ReadSection = u"QUIL_384";
static int ReadVersion = 0;
static int KeepFaultyFile = 0;  // a faulty file could not be set aside: it is not overwritten

const char16_t* GetSettingsFolder() { return SettingsFolder; }
const char16_t* GetSettingsFileName() { return SettingsName; }
int GetSettingsVersion() { return ReadVersion; }
int OptVersion() { return ReadVersion; }

static const char16_t kAbsent[] = u"\x01";

int OptGet(const char16_t* key, char16_t* out, int capacity) {
  // In ANSI mode the platform call takes at most 520 characters.
  int cap = !UnicodeFlag && capacity > 520 ? 520 : capacity;
  int n = (int)SettingsProfileGet(ReadSection, key, kAbsent, out, (uint32_t)cap, ReadPath);
  if (out[0] == kAbsent[0] && !out[1]) {
    out[0] = 0;
    return OPT_ABSENT;
  }
  if (n >= cap - 1) {  // the value may go on: it is not taken cut
    out[0] = 0;
    return OPT_TOO_LONG;
  }
  // A lone line break inside a value cannot be written back as one line: the value is not taken,
  // so the next writing reads back to the same settings.
  for (int i = 0; i < n; i++)
    if (out[i] == u'\r' || out[i] == u'\n') {
      out[0] = 0;
      return OPT_TOO_LONG;
    }
  return n;
}

int OptPut(const char16_t* key, const char16_t* value) {
  int r = StreamWriteText(key);
  if (!r) r = StreamWriteChar(u'=');
  if (!r) r = StreamWriteText(value);
  if (!r) r = StreamWriteNewline();
  return r;
}

void SetDefaultSettings() { OptionKeysSetDefaults(); }

// folder + name into path (STREAM_PATH_CHARS); 1 when it does not fit.
static int JoinPath(char16_t* path, const char16_t* folder, const char16_t* name) {
  if (StringLength(folder) + StringLength(name) >= STREAM_PATH_CHARS) {
    path[0] = 0;
    return 1;
  }
  CopyString(path, folder);
  AppendString(path, name);
  return 0;
}

static const char16_t* const kSections[] = {u"QUIL_384", u"QUIL_383", u"QUIL_381", u"QUIL_380",
                                            u"QUIL_375", u"QUIL_370", u"QUIL_359"};
static const int kSectionVersions[] = {384, 383, 381, 380, 375, 370, 359};

int ReadSettingsFile() {
  if (JoinPath(ReadPath, SettingsFolder, SettingsName)) return SETTINGS_CANNOT_OPEN;
  if (IsFileReadable(ReadPath)) return SETTINGS_CANNOT_OPEN;
  // The platform's narrow profile calls read only narrow text.
  if (!UnicodeFlag && CanOpenTextFile(SettingsName, FILE_KIND_OPTIONS) &&
      ConvertFileToNarrowText(SettingsName, FILE_KIND_OPTIONS))
    return SETTINGS_CANNOT_OPEN;
  ReadSection = u"QUIL_358";
  ReadVersion = 358;
  for (int i = 0; i < 7; i++) {
    char16_t list[8];
    if (SettingsProfileGet(kSections[i], nullptr, u"", list, 8, ReadPath) > 0) {
      ReadSection = kSections[i];
      ReadVersion = kSectionVersions[i];
      break;
    }
  }
  return OptionKeysRead() ? SETTINGS_FAULTY : SETTINGS_READ;
}

static int WriteAll() {
  int r = StreamWriteChar(u';');
  if (!r) r = StreamWriteText(GetLangText(LANG_ID(800)));
  if (!r) r = StreamWriteChar(u' ');
  if (!r) r = StreamWriteText(GetLangText(LANG_ID(11041)));
  if (!r) r = StreamWriteNewline();
  if (!r) r = StreamWriteText(u"[QUIL_384]");
  if (!r) r = StreamWriteNewline();
  if (!r) r = OptionKeysWrite();
  return r;
}

int WriteSettingsFile() {
  if (SecondInstance) return SETTINGS_SECOND_INSTANCE;
  if (KeepFaultyFile) return SETTINGS_KEPT_FAULTY;
  if (!SettingsFolder[0]) GetKindFolder(FILE_KIND_PROGRAM, SettingsFolder);
  SetKindFolder(FILE_KIND_OPTIONS, SettingsFolder);
  // A temporary file in the same folder takes the old file's place only when it is complete.
  // Its name holds the thread id, so two programs sharing a folder never write the same one.
  char16_t temp[STREAM_PATH_CHARS], path[STREAM_PATH_CHARS], suffix[16] = u".~";
  suffix[2 + FormatUnsignedDigits(suffix + 2, WrapGetCurrentThreadId(), 1)] = 0;
  if (JoinPath(temp, SettingsName, suffix) || JoinPath(path, SettingsFolder, temp))
    return STREAM_ERR_OPEN;
  int flags = UnicodeFlag ? STREAM_WRITE_UTF16LE | STREAM_WRITE_MARK : STREAM_WRITE_NARROW;
  int r = StreamOpenWrite(temp, flags, FILE_KIND_OPTIONS);
  if (r) return r;
  r = WriteAll();
  int c = StreamCloseWrite();
  if (!r) r = c;
  if (!r && ReplaceKindFile(temp, SettingsName, FILE_KIND_OPTIONS)) r = SETTINGS_REPLACE_FAILED;
  if (r) DeleteKindFile(temp, FILE_KIND_OPTIONS);
  return r;
}

// ---- the search ------------------------------------------------------------------------------------
static const char16_t* const kStoredFolders[] = {u"Q384_PFAD", u"Q383_PFAD", u"Q381_PFAD",
                                                 u"Q380_PFAD", u"Q375_PFAD"};
static const char16_t* const kFixedPaths[] = {u"C:\\QUIL375\\QUIL.INI", u"C:\\QUIL370\\QUIL.INI",
                                              u"C:\\QUIL359\\QUIL.INI"};

// The program folder without its trailing backslash (as the value store keeps folders).
static void ProgramFolderPlain(char16_t* out) {
  GetKindFolder(FILE_KIND_PROGRAM, out);
  int n = StringLength(out);
  if (n > 0 && (out[n - 1] == u'\\' || out[n - 1] == u'/')) out[n - 1] = 0;
}

static void ShowPathMessage(int error, uint32_t number, uint32_t textId, const char16_t* path) {
  char16_t text[800];
  const char16_t* texts[2] = {GetLangText(textId), path};
  FormatTextWith(text, 800, u"%s: \"%s\"", nullptr, 0, texts, 2);
  if (error)
    ShowError(number, text);
  else
    ShowInfo(number, text);
}

// Asks whether the file found elsewhere is taken; Yes copies it into the program folder.
static void OfferFoundFile(const char16_t* found) {
  char16_t text[800];
  const char16_t* texts[2] = {GetLangText(LANG_ID(11801)), found};
  FormatTextWith(text, 800, u"%s (\"%s\")", nullptr, 0, texts, 2);
  int a = ShowMessageDialog(text, GetLangText(LANG_ID(11800)), 214,
                            MSG_STYLE_QUESTION | MSG_STYLE_NO_NUMBER);
  if (a != MSG_RESULT_YES) return;
  char16_t target[STREAM_PATH_CHARS];
  char16_t program[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, program);
  if (JoinPath(target, program, SettingsName) || CopyFileBytes(found, target))
    ShowInfoText(215, LANG_ID(11802));
}

// Sets the faulty file aside as name + ".bad" (replacing an older one); 0 done.
static int SetFaultyFileAside(char16_t* shownPath) {
  char16_t bad[STREAM_PATH_CHARS];
  if (JoinPath(bad, SettingsName, u".bad")) return 1;
  if (ReplaceKindFile(SettingsName, bad, FILE_KIND_OPTIONS)) return 1;
  JoinPath(shownPath, SettingsFolder, bad);
  return 0;
}

void LocateAndReadSettings() {
  char16_t programFolder[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, programFolder);
  SetDefaultSettings();
  SetValueStoreFolder(programFolder);
  KeepFaultyFile = 0;
  CopyStringLimited(SettingsName,
                    Entry.optionFileName[0] ? Entry.optionFileName : DefaultOptionFileName(),
                    STREAM_PATH_CHARS);
  char16_t path[STREAM_PATH_CHARS];
  if (Entry.optionFolder[0]) {
    // The folder of the I= switch: no remembered folder is searched.
    CopyStringLimited(SettingsFolder, Entry.optionFolder, STREAM_PATH_CHARS);
  } else {
    CopyString(SettingsFolder, programFolder);
    int found = !JoinPath(path, programFolder, SettingsName) && !IsFileReadable(path);
    char16_t program[STREAM_PATH_CHARS], q384[STORED_VALUE_MAX + 1];
    ProgramFolderPlain(program);
    ReadStoredValue(kStoredFolders[0], u"", q384, STORED_VALUE_MAX + 1);
    int different = CompareStrings(q384, program, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) != 0;
    char16_t elsewhere[STREAM_PATH_CHARS];
    elsewhere[0] = 0;
    int programLength = StringLength(program);
    for (int i = 0; !found && i < 5; i++) {
      char16_t v[STORED_VALUE_MAX + 1];
      ReadStoredValue(kStoredFolders[i], u"", v, STORED_VALUE_MAX + 1);
      int n = StringLength(v);
      if (n < 1 || n > 239 || programLength >= 240) continue;
      char16_t candidate[STREAM_PATH_CHARS];
      CopyString(candidate, v);
      AppendString(candidate, u"\\");
      if (JoinPath(path, candidate, u"quil.ini") || IsFileReadable(path)) continue;
      if (i == 0 && !different) {
        found = 1;
      } else {
        CopyString(elsewhere, path);
        break;
      }
    }
    for (int i = 0; !found && !elsewhere[0] && i < 3; i++)
      if (!IsFileReadable(kFixedPaths[i])) CopyString(elsewhere, kFixedPaths[i]);
    if (!found && elsewhere[0]) OfferFoundFile(elsewhere);
    if (different) WriteStoredValue(kStoredFolders[0], program);
  }
  SetKindFolder(FILE_KIND_OPTIONS, SettingsFolder);
  int r = ReadSettingsFile();
  if (r == SETTINGS_READ) return;
  JoinPath(path, SettingsFolder, SettingsName);
  int present = SettingsGetFileAttributes(path) != SFILE_INVALID;
  if (present) {  // faulty or unreadable: set aside, reported, replaced by the defaults
    if (SetFaultyFileAside(path)) KeepFaultyFile = 1;
    ShowPathMessage(1, 212, LANG_ID(11119), path);
  }
  SetDefaultSettings();
  if (!KeepFaultyFile) SaveSettingsCommand();
}

void LoadSettings() { LocateAndReadSettings(); }

// ---- saving --------------------------------------------------------------------------------
int SaveSettingsCommand() {
  int r = WriteSettingsFile();
  if (r == SETTINGS_SECOND_INSTANCE) {
    ShowInfoText(211, LANG_ID(11143));
  } else if (r) {
    char16_t text[800];
    const char16_t* texts[3] = {GetLangText(LANG_ID(11120)), SettingsFolder, SettingsName};
    FormatTextWith(text, 800, u"%s: \"%s%s\"", nullptr, 0, texts, 3);
    ShowError(213, text);
  }
  return r;
}

void SaveSettingsAtShutDown() {
  if (SaveSettingsAtExit != 1 || SecondInstance || KeepFaultyFile) return;
  SaveSettingsCommand();
}
