// Writing a network file: header, the sections of the section table with the password slices,
// and the trailer, into a temporary file that replaces the old file only when all went well.
#ifndef QUIL_VIEWER
#include "model/netfile.h"
#include "app/infobox.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "model/netfile_sections.h"
#include "model/password.h"

static const char16_t TempSuffix[] = u".~tmp";
static const char16_t OldSuffix[] = u".~old";

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

// The finished temporary file takes the place of the old network file. The old file is moved
// aside first and put back when the temporary file cannot take its name.
static int ReplaceFile(const char16_t* name, const char16_t* temp) {
  char16_t old[STREAM_PATH_CHARS];
  if (AddSuffix(name, OldSuffix, old)) return NETSAVE_REPLACE_FAILED;
  DeleteKindFile(old, FILE_KIND_NETWORK);
  int moved = RenameKindFile(name, old, FILE_KIND_NETWORK) == 0;
  if (RenameKindFile(temp, name, FILE_KIND_NETWORK) != 0) {
    if (moved) RenameKindFile(old, name, FILE_KIND_NETWORK);
    return NETSAVE_REPLACE_FAILED;
  }
  if (moved) DeleteKindFile(old, FILE_KIND_NETWORK);
  return 0;
}

int WriteNetworkFile() {
  OpenInfoBox(GetLangText(LANG_ID(11000)), GetLangText(LANG_ID(11001)), 13, 0);
  const char16_t* name = GetNetworkName();
  char16_t temp[STREAM_PATH_CHARS];
  if (AddSuffix(name, TempSuffix, temp)) return NETSAVE_CANNOT_CREATE;
  if (StreamOpenWrite(temp, STREAM_WRITE_UTF16LE, FILE_KIND_NETWORK)) return NETSAVE_CANNOT_CREATE;
  int r = WriteBody();
  if (r) {
    if (StreamIsOpen()) StreamCloseWrite();
    DeleteKindFile(temp, FILE_KIND_NETWORK);
    return r;
  }
  int e = StreamCloseWrite();
  if (e) {
    DeleteKindFile(temp, FILE_KIND_NETWORK);
    return (e + 3) % 256;
  }
  r = ReplaceFile(name, temp);
  if (r) DeleteKindFile(temp, FILE_KIND_NETWORK);
  return r;
}
#endif
