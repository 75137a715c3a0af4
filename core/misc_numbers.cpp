// Numbers of the utility module: decimal values written with the user's decimal separator,
// the Windows version class, and the two random sources (seeded sequence or runtime generator).
#include "core/misc.h"
#include "core/platform.h"
#include "core/random.h"

// ---- decimal numbers ---------------------------------------------------------------------------
char16_t GetDecimalSeparator() {
  char16_t buffer[10] = {0};
  if (WrapGetLocaleDecimal(buffer, 10) <= 0 || buffer[0] == 0) return u'.';
  return buffer[0];
}

// Reads an unsigned decimal number like "%u": leading white space, an optional '+', then digits.
// Returns 1 with the value, 0 when no digit follows, -1 for a minus sign or a value that
// exceeds 32 bits (a number, but none this reader can give).
static int ReadUnsigned(const char16_t* s, uint32_t* value) {
  while (*s == u' ' || *s == u'\t' || *s == u'\r' || *s == u'\n') s++;
  if (*s == u'-') return -1;
  if (*s == u'+') s++;
  if (*s < u'0' || *s > u'9') return 0;
  uint64_t v = 0;
  for (; *s >= u'0' && *s <= u'9'; s++) {
    v = v * 10 + (uint64_t)(*s - u'0');
    if (v > 0xFFFFFFFFu) return -1;
  }
  *value = (uint32_t)v;
  return 1;
}

int32_t ParseDecimalWith(const char16_t* text, char16_t separator, int digits) {
  const int copyLength = digits == 3 ? 20 : 10;
  const uint32_t scale = digits == 3 ? 1000 : 100;
  char16_t work[21];
  int n = 0;
  while (n < copyLength && text[n]) {
    work[n] = text[n];
    n++;
  }
  work[n] = 0;

  uint32_t whole = 0;
  int wholeValid = ReadUnsigned(work, &whole);
  if (wholeValid < 0) return -1;  // "-3,5" is no 0.50, nor is 2^32 + 0.5 a half
  int fractionValid = 0;
  uint32_t fraction = 0;
  char16_t* sep = FindChar(work, separator);
  if (separator && sep) {
    *sep = u'1';
    if ((sep - work) + 1 + digits < n) sep[1 + digits] = 0;
    uint32_t v = 0;
    if (ReadUnsigned(sep, &v) > 0 && v >= 10) {
      fractionValid = 1;
      if (v < 100)
        fraction = (v - 10) * (scale / 10);
      else if (digits == 3 && v < 1000)
        fraction = (v - 100) * 10;
      else
        fraction = v - scale;
    }
  }
  if (!wholeValid && !fractionValid) return -1;
  if (!wholeValid) whole = 0;
  uint64_t result = (uint64_t)whole * scale + fraction;
  if (result > 0x7FFFFFFFu) return -1;  // no valid value of the result type
  return (int32_t)result;
}

int FormatUnsignedDigits(char16_t* out, uint32_t v, int minDigits) {
  char16_t digits[10];
  int n = 0;
  do {
    digits[n++] = (char16_t)(u'0' + v % 10);
    v /= 10;
  } while (v);
  while (n < minDigits && n < 10) digits[n++] = u'0';
  for (int i = 0; i < n; i++) out[i] = digits[n - 1 - i];
  return n;
}

void FormatDecimalWith(char16_t* out, uint32_t value, char16_t separator, int digits) {
  const uint32_t scale = digits == 3 ? 1000 : 100;
  int pos = FormatUnsignedDigits(out, value / scale, 1);
  out[pos++] = separator;
  pos += FormatUnsignedDigits(out + pos, value % scale, digits == 3 ? 3 : 2);
  out[pos] = 0;
}

int32_t ParseDecimal2(const char16_t* text) {
  return ParseDecimalWith(text, GetDecimalSeparator(), 2);
}
int32_t ParseDecimal3(const char16_t* text) {
  return ParseDecimalWith(text, GetDecimalSeparator(), 3);
}
void FormatDecimal2(char16_t* out, uint32_t v) {
  FormatDecimalWith(out, v, GetDecimalSeparator(), 2);
}
void FormatDecimal3(char16_t* out, uint32_t v) {
  FormatDecimalWith(out, v, GetDecimalSeparator(), 3);
}

// ---- Windows version ---------------------------------------------------------------------------
uint32_t GetWindowsVersion(int* versionClass, char16_t* servicePackText) {
  uint32_t major = 0, minor = 0, platform = 0;
  if (servicePackText) servicePackText[0] = 0;
  if (!WrapGetVersionEx(&major, &minor, &platform, servicePackText)) {
    if (versionClass) *versionClass = 8;
    return 0;
  }
  int cls = 8;
  if (platform == WRAP_PLATFORM_WIN32S)
    cls = 0;
  else if (platform == WRAP_PLATFORM_WINDOWS)
    cls = minor < 10 ? 1 : (minor < 90 ? 2 : 3);
  else if (platform == WRAP_PLATFORM_NT) {
    if (major < 5)
      cls = 4;
    else if (major == 5)
      cls = minor == 0 ? 5 : 6;
    else if (major == 6 && minor == 0)
      cls = 7;
  }
  if (versionClass) *versionClass = cls;
  return (major << 16) | (minor & 0xFFFF);
}

// ---- random numbers ----------------------------------------------------------------------------
int32_t RandomSeed = 0;
int32_t FixedRandomSeed = -1;

int32_t NextRandom(int32_t n) {
  if (n < 1) {
    RandomSeed = (int32_t)(0u - (uint32_t)n);
    return -1;
  }
  uint32_t v = (uint32_t)RandomSeed * 73u + 1u;
  if ((int32_t)v < 0) v = 0u - v;  // absolute value in 32-bit arithmetic
  RandomSeed = (int32_t)v;
  int32_t r = RandomSeed % n;
  if (r < 0) r += n;  // only for the seed 0x80000000, whose absolute value wraps
  return r;
}

int32_t RandomBelow(int32_t n) {
  if (n < 1) return 0;
  if (FixedRandomSeed == -1) return RuntimeRand() % n;
  return NextRandom(n);
}
