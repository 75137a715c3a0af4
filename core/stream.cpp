// The one buffered file stream: open and close, the 4096-byte buffer, the pair-run compression
// of bytes after a file's header, little-endian values and the relative seek.
#include "core/stream.h"
#include "core/stream_internal.h"
#include "core/platform.h"
#include "core/misc.h"
#include "core/langtext.h"
#include "core/infobox_hooks.h"

enum { MODE_NONE = 0, MODE_READ = 1, MODE_WRITE = 2 };

struct StreamState {
  int file;         // -1 when no file is open
  int mode;         // MODE_...
  uint8_t* buffer;  // STREAM_BUFFER_SIZE bytes from StreamInit
  uint32_t pos;     // next byte to take (reading)
  uint32_t count;   // bytes held (reading) or collected (writing)
  uint32_t block;   // 1 at every open, grows with each buffer read or written
  int raw;          // 1 compression off, 0 on
  // reader run: pairs still to deliver, the pair, and whether B comes next
  uint32_t runPending;
  uint8_t runA, runB;
  int runNextB;
  // writer run: A and B held, A seen again after B, repeats of the pair
  int aHeld, bHeld, aAgain;
  uint8_t a, b;
  uint32_t repeats;
  int readEncoding;   // STREAM_ENC_...
  int writeEncoding;  // STREAM_WRITE_... bit, 0 = by UnicodeFlag
  int progress;       // reading with the progress display
};

static StreamState S = {-1, MODE_NONE, nullptr,           0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                        0,  0,         STREAM_ENC_NARROW, 0, 0};

static void ClearRunStates() {
  S.runPending = 0;
  S.runA = S.runB = 0;
  S.runNextB = 0;
  S.aHeld = S.bHeld = S.aAgain = 0;
  S.a = S.b = 0;
  S.repeats = 0;
}

// Forgets the open file (already closed or to be abandoned).
static void ResetFileState() {
  S.file = -1;
  S.mode = MODE_NONE;
  S.pos = S.count = 0;
  S.progress = 0;
}

// A failed read or write closes the file; the caller gets the failure code. A file read with
// the progress display takes its box along, as StreamCloseRead would: the caller can no longer
// close the file and the box would be left on the screen.
static void CloseAfterFailure() {
  int progress = S.progress;
  if (S.file >= 0) WrapClose(S.file);
  ResetFileState();
  if (progress) ProgressBoxClose();
}

// ---- progress text ------------------------------------------------------------------------------

// Text 10000 takes one unsigned number ("%u", flags and width allowed; "%%" is a percent sign).
void StreamFormatProgress(char16_t* out, uint32_t bytes) {
  const int cap = kInfoBoxTextSlot - 1;
  const char16_t* f = GetLangText(LANG_FMT(10000, "%u"));
  int o = 0;
  int used = 0;
  while (f && *f && o < cap) {
    if (f[0] != u'%') {
      out[o++] = *f++;
      continue;
    }
    if (f[1] == u'%') {
      out[o++] = u'%';
      f += 2;
      continue;
    }
    const char16_t* p = f + 1;
    int leftAlign = 0, zeroPad = 0, width = 0;
    for (; *p == u'-' || *p == u'0'; p++) (*p == u'-' ? leftAlign : zeroPad) = 1;
    for (; *p >= u'0' && *p <= u'9'; p++)
      if (width < 40) width = width * 10 + (*p - u'0');
    if (*p != u'u' || used) {  // not ours: copy as it stands
      out[o++] = *f++;
      continue;
    }
    char16_t num[10];
    int n = FormatUnsignedDigits(num, bytes, 1);
    int pad = width > n ? width - n : 0;
    for (int i = 0; !leftAlign && i < pad && o < cap; i++) out[o++] = zeroPad ? u'0' : u' ';
    for (int i = 0; i < n && o < cap; i++) out[o++] = num[i];
    for (int i = 0; leftAlign && i < pad && o < cap; i++) out[o++] = u' ';
    used = 1;
    f = p + 1;
  }
  out[o] = 0;
}

static void ShowProgress() {
  char16_t text[kInfoBoxTextSlot];
  StreamFormatProgress(text, S.block * (uint32_t)STREAM_BUFFER_SIZE);
  ProgressBoxText(text);
}

// ---- buffered raw bytes -------------------------------------------------------------------------

static int FillBuffer() {
  int n = WrapRead(S.file, S.buffer, STREAM_BUFFER_SIZE);
  if (n < 0) {
    CloseAfterFailure();
    return STREAM_ERR_READ;
  }
  if (n == 0) return STREAM_ERR_EOF;
  S.pos = 0;
  S.count = (uint32_t)n;
  if (S.progress) ShowProgress();
  S.block++;
  return STREAM_OK;
}

static int RawReadByte(uint8_t* out) {
  if (S.mode != MODE_READ) return STREAM_ERR_READ;
  if (S.pos >= S.count) {
    int rc = FillBuffer();
    if (rc) return rc;
  }
  *out = S.buffer[S.pos++];
  return STREAM_OK;
}

static int WriteOutBuffer() {
  if (S.count == 0) return STREAM_OK;
  int n = WrapWrite(S.file, S.buffer, S.count);
  if (n < 0) {
    CloseAfterFailure();
    return STREAM_ERR_WRITE;
  }
  if ((uint32_t)n < S.count) {
    CloseAfterFailure();
    return STREAM_ERR_SHORT_WRITE;
  }
  S.count = 0;
  ShowProgress();
  S.block++;
  return STREAM_OK;
}

static int RawWriteByte(uint8_t v) {
  if (S.mode != MODE_WRITE) return STREAM_ERR_WRITE;
  if (S.count >= (uint32_t)STREAM_BUFFER_SIZE) {
    int rc = WriteOutBuffer();
    if (rc) return rc;
  }
  S.buffer[S.count++] = v;
  return STREAM_OK;
}

// ---- pair-run compression -----------------------------------------------------------------------

// A literal byte: C5 becomes C5 00, B5 becomes B5 00 00.
static int WriteLiteral(uint8_t v) {
  int rc = RawWriteByte(v);
  if (!rc && v == 0xC5) rc = RawWriteByte(0);
  if (!rc && v == 0xB5) {
    rc = RawWriteByte(0);
    if (!rc) rc = RawWriteByte(0);
  }
  return rc;
}

// Writes what the writer holds (A, B, a run record, A again) and clears the run state.
static int FlushRun() {
  int aHeld = S.aHeld, bHeld = S.bHeld, aAgain = S.aAgain;
  uint8_t a = S.a, b = S.b;
  uint32_t r = S.repeats;
  S.aHeld = S.bHeld = S.aAgain = 0;
  S.repeats = 0;
  int rc = STREAM_OK;
  if (r == 0) {
    if (aHeld) rc = WriteLiteral(a);
    if (!rc && bHeld) rc = WriteLiteral(b);
  } else if (r < 256) {
    rc = RawWriteByte(0xC5);
    if (!rc) rc = RawWriteByte((uint8_t)r);
    if (!rc) rc = RawWriteByte(a);
    if (!rc) rc = RawWriteByte(b);
  } else {
    rc = RawWriteByte(0xB5);
    if (!rc) rc = RawWriteByte((uint8_t)(r & 0xFF));
    if (!rc) rc = RawWriteByte((uint8_t)(r >> 8));
    if (!rc) rc = RawWriteByte(a);
    if (!rc) rc = RawWriteByte(b);
  }
  if (!rc && aAgain) rc = WriteLiteral(a);
  return rc;
}

static int CompressedWriteByte(uint8_t v) {
  if (S.mode != MODE_WRITE) return STREAM_ERR_WRITE;
  if (!S.aHeld) {
    S.a = v;
    S.aHeld = 1;
    return STREAM_OK;
  }
  if (!S.bHeld) {
    S.b = v;
    S.bHeld = 1;
    return STREAM_OK;
  }
  if (S.aAgain) {
    if (v == S.b) {
      S.aAgain = 0;
      S.repeats++;
      return S.repeats >= STREAM_MAX_RUN ? FlushRun() : STREAM_OK;
    }
    int rc = FlushRun();
    if (rc) return rc;
    S.a = v;
    S.aHeld = 1;
    return STREAM_OK;
  }
  if (v == S.a) {
    S.aAgain = 1;
    return STREAM_OK;
  }
  if (S.repeats > 0) {
    int rc = FlushRun();
    if (rc) return rc;
    S.a = v;
    S.aHeld = 1;
    return STREAM_OK;
  }
  int rc = WriteLiteral(S.a);
  S.a = S.b;
  S.b = v;
  return rc;
}

static int CompressedReadByte(uint8_t* out) {
  if (S.runPending > 0) {
    if (S.runNextB) {
      *out = S.runB;
      S.runNextB = 0;
      S.runPending--;
    } else {
      *out = S.runA;
      S.runNextB = 1;
    }
    return STREAM_OK;
  }
  uint8_t v;
  int rc = RawReadByte(&v);
  if (rc) return rc;
  uint32_t pairs;
  if (v == 0xC5) {
    uint8_t n;
    if ((rc = RawReadByte(&n)) != 0) return rc;
    if (n == 0) {
      *out = 0xC5;
      return STREAM_OK;
    }
    pairs = (uint32_t)n + 1;
  } else if (v == 0xB5) {
    uint8_t lo, hi;
    if ((rc = RawReadByte(&lo)) != 0) return rc;
    if ((rc = RawReadByte(&hi)) != 0) return rc;
    if (lo == 0 && hi == 0) {
      *out = 0xB5;
      return STREAM_OK;
    }
    pairs = (uint32_t)lo + 256u * hi + 1;
  } else {
    *out = v;
    return STREAM_OK;
  }
  uint8_t a, b;
  if ((rc = RawReadByte(&a)) != 0) return rc;
  if ((rc = RawReadByte(&b)) != 0) return rc;
  S.runA = a;
  S.runB = b;
  S.runPending = pairs;
  S.runNextB = 1;
  *out = a;
  return STREAM_OK;
}

// ---- life of the module -------------------------------------------------------------------------

int StreamInit() {
  if (S.buffer) return 0;
  S.buffer = (uint8_t*)MemAlloc(STREAM_BUFFER_SIZE);
  if (!S.buffer) return 1;
  ResetFileState();
  ClearRunStates();
  S.raw = 1;
  return 0;
}

void StreamExit() {
  if (S.file >= 0) WrapClose(S.file);
  ResetFileState();
  if (S.buffer) MemFree(S.buffer);
  S.buffer = nullptr;
}

// ---- open and close -----------------------------------------------------------------------------

static void StartFile(int fd, int mode) {
  S.file = fd;
  S.mode = mode;
  S.pos = S.count = 0;
  S.block = 1;
  S.readEncoding = STREAM_ENC_NARROW;
}

// The close of a file found bad while opening it (it may already be closed by a read error).
static int RefuseBadFile() {
  CloseAfterFailure();
  return STREAM_ERR_BAD_FILE;
}

// Every open starts raw, with both run states cleared; then the name in the kind's folder is
// opened. The platform's file handle, or -1.
static int OpenKindFile(const char16_t* name, int kind, int openFlags, int permissions) {
  S.raw = 1;
  ClearRunStates();
  char16_t path[STREAM_PATH_CHARS];
  if (!S.buffer || !name || BuildKindPath(kind, name, path) != 0) return -1;
  return WrapOpen(path, openFlags, permissions);
}

int StreamOpenRead(const char16_t* name, int flags, int kind) {
  if (S.mode != MODE_NONE) return STREAM_ERR_BUSY;
  int progress = (flags & STREAM_READ_PROGRESS) ? 1 : 0;
  int fd = OpenKindFile(name, kind, WRAP_O_RDONLY | WRAP_O_BINARY, 0);
  if (fd < 0) {
    if (progress) ProgressBoxClose();
    return STREAM_ERR_OPEN;
  }
  StartFile(fd, MODE_READ);
  S.progress = progress;
  if (flags & STREAM_READ_NEED_MARK) {
    uint8_t lo, hi;
    if (RawReadByte(&lo) || RawReadByte(&hi)) return RefuseBadFile();
    uint16_t mark = (uint16_t)(lo | hi << 8);
    if (mark == 0xFEFF)
      S.readEncoding = STREAM_ENC_UTF16LE;
    else if (mark == 0xFFFE)
      S.readEncoding = STREAM_ENC_UTF16BE;
    else
      return RefuseBadFile();
  }
  if (flags & STREAM_READ_SKIP_HEADER) {
    uint32_t ch;
    do {
      if (StreamReadChar(&ch)) return RefuseBadFile();
    } while (ch != 0x1A);
  }
  return STREAM_OK;
}

int StreamOpenWrite(const char16_t* name, int flags, int kind) {
  if (S.mode != MODE_NONE) return STREAM_ERR_BUSY;
  int fd = OpenKindFile(name, kind, WRAP_O_WRONLY | WRAP_O_CREAT | WRAP_O_TRUNC | WRAP_O_BINARY,
                        WRAP_S_IREAD | WRAP_S_IWRITE);
  if (fd < 0) return STREAM_ERR_OPEN;
  StartFile(fd, MODE_WRITE);
  S.progress = 0;
  if (flags & STREAM_WRITE_NARROW)
    S.writeEncoding = STREAM_WRITE_NARROW;
  else if (flags & STREAM_WRITE_UTF16LE)
    S.writeEncoding = STREAM_WRITE_UTF16LE;
  else if (flags & STREAM_WRITE_UTF16BE)
    S.writeEncoding = STREAM_WRITE_UTF16BE;
  else
    S.writeEncoding = 0;
  if (flags & STREAM_WRITE_MARK) {
    int enc = S.writeEncoding;
    if (enc == 0) enc = UnicodeFlag ? STREAM_WRITE_UTF16LE : STREAM_WRITE_NARROW;
    // the buffer is empty, so these cannot fail
    if (enc == STREAM_WRITE_UTF16BE) {
      RawWriteByte(0xFE);
      RawWriteByte(0xFF);
    } else if (enc == STREAM_WRITE_UTF16LE) {
      RawWriteByte(0xFF);
      RawWriteByte(0xFE);
    }
  }
  return STREAM_OK;
}

int StreamCloseRead() {
  if (S.mode != MODE_READ) return STREAM_ERR_NOT_OPEN;
  int progress = S.progress;
  int rc = WrapClose(S.file) == 0 ? STREAM_OK : 1;
  ResetFileState();
  S.runPending = 0;
  if (progress) ProgressBoxClose();
  return rc;
}

int StreamCloseWrite() {
  if (S.mode != MODE_WRITE) return STREAM_ERR_NOT_OPEN;
  int rc = S.raw ? STREAM_OK : FlushRun();
  if (!rc) rc = WriteOutBuffer();
  ProgressBoxClose();
  if (rc) return rc;  // the failed write has closed the file
  rc = WrapClose(S.file) == 0 ? STREAM_OK : 1;
  ResetFileState();
  return rc;
}

int StreamIsOpen() { return S.mode != MODE_NONE ? 1 : 0; }
int StreamIsOpenForReading() { return S.mode == MODE_READ ? 1 : 0; }
int64_t StreamFileLength() { return S.file >= 0 ? WrapFilelength(S.file) : -1; }

int StreamResetCompression() {
  S.raw = 0;
  ClearRunStates();
  return STREAM_OK;
}

int StreamWriteEncodingBits() { return S.writeEncoding; }
int StreamGetReadEncoding() { return S.readEncoding; }
void StreamSetReadEncodingValue(int enc) { S.readEncoding = enc; }

// ---- binary values ------------------------------------------------------------------------------

int StreamReadByte(uint8_t* out) {
  uint8_t v = 0;
  int rc = S.raw ? RawReadByte(&v) : CompressedReadByte(&v);
  if (out) *out = v;
  return rc;
}

int StreamWriteByte(uint8_t value) {
  return S.raw ? RawWriteByte(value) : CompressedWriteByte(value);
}

int StreamReadWord(uint16_t* out) {
  uint8_t lo = 0, hi = 0;
  int rc = StreamReadByte(&lo);
  if (!rc) rc = StreamReadByte(&hi);
  if (out) *out = (uint16_t)(lo | hi << 8);
  return rc;
}

int StreamWriteWord(uint16_t value) {
  int rc = StreamWriteByte((uint8_t)(value & 0xFF));
  return rc ? rc : StreamWriteByte((uint8_t)(value >> 8));
}

int StreamReadDword(uint32_t* out) {
  uint16_t lo = 0, hi = 0;
  int rc = StreamReadWord(&lo);
  if (!rc) rc = StreamReadWord(&hi);
  if (out) *out = (uint32_t)lo | (uint32_t)hi << 16;
  return rc;
}

int StreamWriteDword(uint32_t value) {
  int rc = StreamWriteWord((uint16_t)(value & 0xFFFF));
  return rc ? rc : StreamWriteWord((uint16_t)(value >> 16));
}

uint32_t StreamReadBytes(void* buffer, uint32_t count) {
  uint8_t* out = (uint8_t*)buffer;
  uint32_t done = 0;
  while (done < count) {
    if (S.raw && S.mode == MODE_READ && S.pos < S.count) {  // whole stretches of the buffer
      uint32_t n = S.count - S.pos;
      if (n > count - done) n = count - done;
      CopyMem(out + done, S.buffer + S.pos, n);
      S.pos += n;
      done += n;
      continue;
    }
    if (StreamReadByte(out + done)) break;
    done++;
  }
  return done;
}

int StreamWriteBytes(const void* buffer, uint32_t count) {
  const uint8_t* in = (const uint8_t*)buffer;
  uint32_t done = 0;
  while (done < count) {
    if (S.raw && S.mode == MODE_WRITE && S.count < (uint32_t)STREAM_BUFFER_SIZE) {
      uint32_t n = (uint32_t)STREAM_BUFFER_SIZE - S.count;
      if (n > count - done) n = count - done;
      CopyMem(S.buffer + S.count, in + done, n);
      S.count += n;
      done += n;
      continue;
    }
    int rc = StreamWriteByte(in[done]);
    if (rc) return rc;
    done++;
  }
  return STREAM_OK;
}

int StreamSeek(int32_t offset) {
  if (S.mode != MODE_READ) return STREAM_ERR_NOT_OPEN;
  int64_t unread = (int64_t)S.count - (int64_t)S.pos;
  if (WrapLseek(S.file, (int64_t)offset - unread, WRAP_SEEK_CUR) < 0) {
    CloseAfterFailure();
    return STREAM_ERR_BAD_FILE;
  }
  S.pos = S.count = 0;
  return STREAM_OK;
}
