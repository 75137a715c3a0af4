// Writing a network file: header, the sections of the section table with the password slices,
// and the trailer, into a temporary file that replaces the old file only when all went well.
#ifndef QUIL_VIEWER
#include "model/netfile.h"
#include "core/infobox_hooks.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "model/netfile_sections.h"
#include "model/password.h"

static const char16_t TempSuffix[] = u".~tmp";

static int WriteNarrow(const char* text) {
  uint32_t n = 0;
  while (text[n]) n++;
  return StreamWriteBytes(text, n);
}

static int WriteHeader() {
  int r = WriteNarrow(GetLangTextA(LANG_ID(11040)));
  if (!r) r = StreamWriteByte(0x20);
  if (!r) r = WriteNarrow(GetLangTextA(LANG_ID(801)));
  if (!r) r = WriteNarrow("\r\n");
  if (!r) r = WriteNarrow(NET_HEADER_SECOND_LINE);
  if (!r) r = WriteNarrow("\r\n");
  const uint8_t tail[7] = {
      0x1A,         NET_VERSION_CURRENT >> 8,  NET_MAGIC[0], NET_MAGIC[1], NET_MAGIC[2],
      NET_MAGIC[3], NET_VERSION_CURRENT & 0xFF};
  if (!r) r = StreamWriteBytes(tail, 7);
  return r;
}

static int WriteBody() {
  int r = WriteHeader();
  if (r) return r;
  StreamResetCompression();
  for (int i = 0; i < NET_SECTION_COUNT; i++) {
    const NetSectionRow& row = NetSectionTable[i];
    if (row.kind == NETROW_PASSWORD)
      r = WritePasswordSlice(row.sliceFirst, row.sliceLast);
    else
      r = row.write();
    if (r) return r;
  }
  const uint8_t zeros[16] = {};
  return StreamWriteBytes(zeros, 16);
}

// name + suffix into out; 1 when it does not fit.
static int AddSuffix(const char16_t* name, const char16_t* suffix, char16_t* out) {
  if (StringLength(name) + StringLength(suffix) > STREAM_PATH_CHARS - 1) return 1;
  AppendString(CopyString(out, name), suffix);
  return 0;
}

// Writes the whole file to temp and closes it; the stream's close takes the progress box along.
// On failure the temporary file is gone.
static int WriteTempFile(const char16_t* temp) {
  if (StreamOpenWrite(temp, STREAM_WRITE_UTF16LE, FILE_KIND_NETWORK)) return NETSAVE_CANNOT_CREATE;
  int r = WriteBody();
  if (!r) {
    int e = StreamCloseWrite();
    if (e) r = (e + 3) % 256;
  } else if (StreamIsOpen()) {
    StreamCloseWrite();
  }
  if (r) DeleteKindFile(temp, FILE_KIND_NETWORK);
  return r;
}

int WriteNetworkFile() {
  int box = ProgressBoxOpen(GetLangText(LANG_ID(11000)), GetLangText(LANG_ID(11001)), 13, 0);
  const char16_t* name = GetNetworkName();
  char16_t temp[STREAM_PATH_CHARS];
  int r = NETSAVE_CANNOT_CREATE;
  if (!AddSuffix(name, TempSuffix, temp)) r = WriteTempFile(temp);
  // The finished temporary file takes the old file's place in one step; the old file stays
  // as it was when that fails.
  if (!r && ReplaceKindFile(temp, name, FILE_KIND_NETWORK)) {
    DeleteKindFile(temp, FILE_KIND_NETWORK);
    r = NETSAVE_REPLACE_FAILED;
  }
  // Whatever went wrong, the save's progress box (and nothing below it) is closed.
  while (box >= 0 && ProgressBoxLevel() >= box) ProgressBoxClose();
  return r;
}
#endif
