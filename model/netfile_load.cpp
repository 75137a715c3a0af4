// Loading a network file: header and version check, the clear order, every section in the
// file's order with its error offset, the trailer and the steps after loading.
#include "model/netfile.h"
#include "core/infobox_hooks.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_sections.h"
#include "model/password.h"
#include "model/doc_hooks.h"

// Caption of the loader's info boxes: text 11202 and the file name.
static char16_t LoadCaption[kInfoBoxTextSlot];

// Reads the version byte(s) and the magic after the 0x1A. 0 with the version, or 2..5.
static int ReadHeader(int* versionOut) {
  uint8_t h;
  if (StreamReadByte(&h)) return NETLOAD_HEADER_READ;
  int version = h * 256;
  if (version >= 0x3300) {
    uint8_t m[4];
    if (StreamReadBytes(m, 4) < 4) return NETLOAD_HEADER_READ;
    if (m[0] != NET_MAGIC[0]) {
      if (version != 0x3500) return NETLOAD_BAD_MAGIC;
      version |= m[0];  // the low byte stands before the magic
      m[0] = m[1];
      m[1] = m[2];
      m[2] = m[3];
      if (StreamReadByte(&m[3])) return NETLOAD_HEADER_READ;
    }
    for (int i = 0; i < 4; i++)
      if (m[i] != NET_MAGIC[i]) return NETLOAD_BAD_MAGIC;
    if (version >= 0x3500 && (version & 0xFF) == 0) {
      uint8_t low;
      if (StreamReadByte(&low)) return NETLOAD_HEADER_READ;
      version |= low;
    }
  }
  if (version < NET_VERSION_OLDEST) return NETLOAD_TOO_OLD;
  if (version > NET_VERSION_CURRENT) return NETLOAD_TOO_NEW;
  *versionOut = version;
  return 0;
}

static void ClearDocumentForLoad() {
  ClearLoadRepairs();
  for (int i = 0; i < NET_CLEAR_COUNT; i++)
    if (NetClearOrder[i]) NetClearOrder[i]();
  RestartAutosaveCountdown();
}

static int SectionError(int offset, int r) { return (offset + r) % 256; }

// Reads rows first..last of the section table; skipped trains are added to *skipped.
static int ReadRows(int first, int last, int version, int* skipped) {
  for (int i = first; i <= last; i++) {
    const NetSectionRow& row = NetSectionTable[i];
    int r;
    if (row.kind == NETROW_PASSWORD) {
      r = ReadPasswordSlice(row.sliceFirst, row.sliceLast);
    } else {
      r = row.read(version);
      if (row.kind == NETROW_TRAINS && r <= 0) {
        *skipped += -r;
        r = 0;
      }
    }
    if (r) return SectionError(row.errorOffset, r);
  }
  return 0;
}

// The steps after loading; 0 or the failing code; *warning set by steps that note one.
static int RunPostLoadSteps(const char16_t* name, int version, int* warning) {
  for (int i = 0; i < NET_POSTLOAD_COUNT; i++) {
    const NetPostLoadStep& step = NetPostLoadSteps[i];
    if (!step.run || (step.belowVersion && version >= step.belowVersion)) continue;
    // the conversion of old train records shows its own box while it runs
    if (step.kind == NETPOST_TRAINS)
      ProgressBoxOpen(GetLangText(LANG_ID(11003)), LoadCaption, 1, 0);
    int r = step.run(name, version);
    switch (step.kind) {
      case NETPOST_NONZERO_FAILS:
        if (r) return step.failCode;
        break;
      case NETPOST_NEGATIVE_FAILS:
        if (r < 0) {
          ClearNetModified();
          return step.failCode;
        }
        break;
      case NETPOST_GRAPHICS:
        if (r == 3) return step.failCode;
        if (r) *warning = 1;
        break;
      case NETPOST_TRAINS:
        ProgressBoxClose();
        if (r == 1) return step.failCode;
        if (r == 2) *warning = 1;
        break;
    }
  }
  return 0;
}

static void ShowLoadProblems(int gridProblems, int skippedTrains) {
  char16_t text[512];
  const char16_t* parts[3] = {GetLangText(LANG_ID(11147)), GetLangText(LANG_ID(11148)),
                              GetLangText(LANG_ID(11149))};
  // "%s %i  %s %i" LF CR "%s"
  int n = 0;
  auto put = [&](const char16_t* s) {
    for (; *s && n < 500; s++) text[n++] = *s;
  };
  auto putNum = [&](int v) {
    char16_t digits[12];
    if (v < 0) put(u"-");
    digits[FormatUnsignedDigits(digits, v < 0 ? -(unsigned)v : (unsigned)v, 1)] = 0;
    put(digits);
  };
  put(parts[0]);
  put(u" ");
  putNum(gridProblems);
  put(u"  ");
  put(parts[1]);
  put(u" ");
  putNum(skippedTrains);
  put(u"\n\r");
  put(parts[2]);
  text[n] = 0;
  SetSimulationRunning(SIMRUN_STOP);
  ShowInfo(296, text);
}

// What the load left out or replaced (information message 297): "%s %i", and when one of them had
// a place in the grid, LF CR "%s %i, %i, %i" with its x, y and level.
static void ShowLoadRepairs() {
  int x, y, level;
  int count = GetLoadRepairs(&x, &y, &level);
  if (count <= 0) return;
  char16_t text[400];
  int n = 0;
  auto put = [&](const char16_t* s) {
    for (; *s && n < 390; s++) text[n++] = *s;
  };
  auto putNum = [&](int v) {
    char16_t digits[12];
    if (v < 0) put(u"-");
    digits[FormatUnsignedDigits(digits, v < 0 ? 0u - (unsigned)v : (unsigned)v, 1)] = 0;
    put(digits);
  };
  put(GetLangText(LANG_ID(11191)));
  put(u" ");
  putNum(count);
  if (x >= 0) {
    put(u"\n\r");
    put(GetLangText(LANG_ID(11192)));
    put(u" ");
    putNum(x);
    put(u", ");
    putNum(y);
    put(u", ");
    putNum(level);
  }
  text[n] = 0;
  ShowInfo(297, text);
}

// The sections after the first, the trailer, the steps after loading and the name of the loaded
// network; 0 or the failing code.
static int LoadRest(const char16_t* name, int version, int* warning, int* gridProblems,
                    int* skipped) {
  int r = ReadRows(1, 1, version, skipped);
  if (!r && version < 14396) {
    if (NetGridCheck) {
      *gridProblems = NetGridCheck();
      ProgressBoxClose();  // the box the check opened for its progress
      if (*gridProblems < 0) r = NETLOAD_GRID_CHECK;
    }
    UpdateUsedArea(0, 0, 0, 0);
  }
  if (!r) r = ReadRows(2, NET_SECTION_COUNT - 1, version, skipped);
  if (r) return r;
  uint8_t trailer[16];
  if (StreamReadBytes(trailer, 16) < 16) return NETLOAD_TRAILER_READ;
  if (StreamCloseRead()) return NETLOAD_CLOSE;
  if ((r = RunPostLoadSteps(name, version, warning))) return r;
  ClearNetModified();
  SetNetworkName(name);
  DocUpdateTitles(-1);
  char16_t path[STREAM_PATH_CHARS];
  if (BuildKindPath(FILE_KIND_NETWORK, name, path) == 0) DocAddRecentFile(path);
  return 0;
}

static int LoadBody(const char16_t* name, int version, int* warning) {
  int skipped = 0, gridProblems = 0, r;
  ClearDocumentForLoad();
  if ((r = ReadRows(0, 0, version, &skipped))) return r;
  // The active window shows no cursor while the rest loads.
  int active = DocActiveWindow();
  DocViewPlace place = {};
  int hidden = active >= 0 && DocGetViewPlace(active, &place) == 0;
  int cursorX = place.cursorX;
  if (hidden) {
    place.cursorX = -1;
    DocSetViewPlace(active, &place);
  }
  r = LoadRest(name, version, warning, &gridProblems, &skipped);
  if (hidden && DocGetViewPlace(active, &place) == 0) {
    place.cursorX = cursorX;
    DocSetViewPlace(active, &place);
  }
  if (r) return r;
  DocInvalidateViews(3);
  if (gridProblems > 0 || skipped > 0) ShowLoadProblems(gridProblems, skipped);
  ShowLoadRepairs();
  return 0;
}

int LoadNetworkFile(const char16_t* name) {
  char16_t* caption = LoadCaption;
  int n = CopyStringLimited(caption, GetLangText(LANG_ID(11202)), kInfoBoxTextSlot - 1);
  caption[n++] = u' ';
  CopyStringLimited(caption + n, name, kInfoBoxTextSlot - n);
  ProgressBoxOpen(GetLangText(LANG_ID(11002)), caption, 13, 0);
  if (StreamOpenRead(name, STREAM_READ_SKIP_HEADER | STREAM_READ_PROGRESS, FILE_KIND_NETWORK))
    return NETLOAD_CANNOT_OPEN;
  int version = 0;
  int r = ReadHeader(&version);
  if (r) {
    if (StreamIsOpen()) StreamCloseRead();
    return r;
  }
  SetLoadedVersion(version);
  if (version >= NET_VERSION_COMPRESSED) StreamResetCompression();
  int warning = 0;
  r = LoadBody(name, version, &warning);
  if (r) {
    if (StreamIsOpen()) StreamCloseRead();
    return r;
  }
  return warning ? NETLOAD_WARNINGS : NETLOAD_OK;
}
