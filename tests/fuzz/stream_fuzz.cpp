// Fuzz target of the file stream: arbitrary file bytes through the pair-run reader (what it
// decodes must survive a write-and-read round trip) and through the text reader in each encoding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "core/stream.h"
#include "fuzz_scratch.h"

static std::string gIn8;
static std::u16string gIn, gOut;

static const size_t kMaxDecoded = 1 << 20;

// Decodes the whole file with compression on after `header` raw bytes.
static std::vector<uint8_t> Decode(const std::u16string& name, size_t header, int* endCode) {
  std::vector<uint8_t> out;
  if (StreamOpenRead(name.c_str(), 0, 99) != 0) abort();
  uint8_t b;
  int rc = 0;
  for (size_t i = 0; i < header && (rc = StreamReadByte(&b)) == 0; i++) out.push_back(b);
  StreamResetCompression();
  while (!rc && out.size() < kMaxDecoded && (rc = StreamReadByte(&b)) == 0) out.push_back(b);
  if (rc != 0 && rc != STREAM_ERR_EOF) abort();  // a disk file never gives a read error here
  *endCode = rc;
  if (StreamIsOpen()) StreamCloseRead();
  return out;
}

static void ReadAllChars() {
  uint32_t ch;
  int n = 0;
  while (StreamReadChar(&ch) == 0) {
    if (ch > 0xFFFF || ch == 0x2028 || ch == 0x2029 || ch == 0xFFFF || ch == 0xFEFF ||
        (ch == 0xFFFE && StreamGetReadEncoding() != STREAM_ENC_NARROW))
      abort();
    if (++n > (1 << 21)) break;
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gIn.empty()) {
    if (StreamInit() != 0) abort();
    const std::string& folder = FuzzScratchFolder("stream_fuzz");
    gIn8 = folder + "in";
    gIn = std::u16string(gIn8.begin(), gIn8.end());
    gOut = std::u16string(folder.begin(), folder.end()) + u"out";
  }
  FuzzWriteFile(gIn8, data, size);
  size_t header = size ? data[0] % 4 : 0;

  // Compressed reading, and the round trip of what it gave.
  int endCode = 0;
  std::vector<uint8_t> decoded = Decode(gIn, header, &endCode);
  if (StreamOpenWrite(gOut.c_str(), 0, 99) != 0) abort();
  for (size_t i = 0; i < decoded.size(); i++) {
    if (i == header) StreamResetCompression();
    if (StreamWriteByte(decoded[i]) != 0) abort();
  }
  if (decoded.size() <= header) StreamResetCompression();
  if (StreamCloseWrite() != 0) abort();
  int again = 0;
  if (Decode(gOut, header, &again) != decoded) abort();

  // Text in each encoding, raw and compressed, with and without the header skip.
  static const int openFlags[] = {0, STREAM_READ_NEED_MARK, STREAM_READ_SKIP_HEADER,
                                  STREAM_READ_NEED_MARK | STREAM_READ_SKIP_HEADER};
  for (int flags : openFlags) {
    for (int compress = 0; compress < 2; compress++) {
      int rc = StreamOpenRead(gIn.c_str(), flags, 99);
      if (rc == STREAM_ERR_BAD_FILE && StreamIsOpen()) abort();
      if (rc) continue;
      if (compress) StreamResetCompression();
      ReadAllChars();
      if (StreamIsOpen()) StreamCloseRead();
    }
  }
  static const uint8_t marks[][2] = {{0xFF, 0xFE}, {0xFE, 0xFF}, {0x00, 0x00}};
  for (const auto& m : marks) {
    if (StreamOpenRead(gIn.c_str(), 0, 99) != 0) abort();
    StreamSetReadEncoding(m[0], m[1]);
    ReadAllChars();
    StreamCloseRead();
  }

  // Seeks relative to the next unread byte, inside and outside the file.
  if (size >= 3) {
    if (StreamOpenRead(gIn.c_str(), 0, 99) != 0) abort();
    uint8_t b;
    StreamReadByte(&b);
    int32_t offset = (int8_t)data[1];
    if (StreamSeek(offset) == 0) {
      int rc = StreamReadByte(&b);
      int64_t at = 1 + (int64_t)offset;
      if (rc == 0 && (at < 0 || at >= (int64_t)size || b != data[at])) abort();
    }
    if (StreamIsOpen()) StreamCloseRead();
  }
  return 0;
}
