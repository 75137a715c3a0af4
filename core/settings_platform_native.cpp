// Native build: the settings' platform calls of our own. The registry is a table in memory; the
// private-profile calls read and rewrite the file as the platform does (UTF-16 with its mark or
// narrow text; names without case; blanks round values trimmed; enclosing quotes dropped); file
// attributes keep the read-only bit in the file mode and the hidden bit in a table of their own.
#include "core/settings_platform.h"
#include "core/misc.h"
#include "core/platform.h"
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

// ---- registry -------------------------------------------------------------------------------------
struct NativeRegValue {
  std::u16string name;
  uint32_t type;
  std::vector<uint8_t> data;
};
static std::vector<NativeRegValue> RegValues;
static int RegFailing = 0;

static int SameNoCase(const std::u16string& a, const char16_t* b) {
  size_t n = (size_t)StringLength(b);
  if (a.size() != n) return 0;
  for (size_t i = 0; i < n; i++)
    if (CharToUpper(a[i]) != CharToUpper(b[i])) return 0;
  return 1;
}

void NativeRegistryClear() { RegValues.clear(); }
void NativeRegistryFail(int on) { RegFailing = on; }

long SettingsRegQuery(const char16_t* name, uint32_t* type, void* data, uint32_t* bytes) {
  if (RegFailing) return 5;
  for (const NativeRegValue& v : RegValues) {
    if (!SameNoCase(v.name, name)) continue;
    if (type) *type = v.type;
    uint32_t have = bytes ? *bytes : 0;
    uint32_t size = (uint32_t)v.data.size();
    if (bytes) *bytes = size;
    if (!data) return SREG_OK;
    if (size > have) return SREG_MORE_DATA;
    if (size) CopyMem(data, v.data.data(), size);
    return SREG_OK;
  }
  return SREG_NOT_FOUND;
}

long SettingsRegSet(const char16_t* name, uint32_t type, const void* data, uint32_t bytes) {
  if (RegFailing) return 5;
  const uint8_t* p = (const uint8_t*)data;
  for (NativeRegValue& v : RegValues) {
    if (!SameNoCase(v.name, name)) continue;
    v.type = type;
    v.data.assign(p, p + bytes);
    return SREG_OK;
  }
  RegValues.push_back({std::u16string(name), type, std::vector<uint8_t>(p, p + bytes)});
  return SREG_OK;
}

// ---- file attributes -------------------------------------------------------------------------------
// The read-only and hidden bits of the files that were given any (the file mode follows the
// read-only bit too, but the program may run with rights that ignore it).
struct NativeAttr {
  std::u16string path;
  uint32_t bits;
};
static std::vector<NativeAttr> AttrTable;

static std::u16string UpperPath(const char16_t* path) {
  std::u16string s;
  for (const char16_t* p = path; p && *p; p++) s.push_back(CharToUpper(*p == u'/' ? u'\\' : *p));
  return s;
}

static int FindAttr(const char16_t* path) {
  std::u16string s = UpperPath(path);
  for (size_t i = 0; i < AttrTable.size(); i++)
    if (AttrTable[i].path == s) return (int)i;
  return -1;
}

static int FileExists(const char16_t* path) {
  FILE* f = WrapFopen(path, u"rb");
  if (!f) return 0;
  WrapFclose(f);
  return 1;
}

static uint32_t StoredBits(const char16_t* path) {
  int at = FindAttr(path);
  return at < 0 ? 0 : AttrTable[(size_t)at].bits;
}

static int IsReadOnlyFile(const char16_t* path) { return (StoredBits(path) & SFILE_READONLY) != 0; }

uint32_t SettingsGetFileAttributes(const char16_t* path) {
  if (!path || !FileExists(path)) return SFILE_INVALID;
  uint32_t a = StoredBits(path);
  return a ? a : SFILE_NORMAL;
}

int SettingsSetFileAttributes(const char16_t* path, uint32_t attributes) {
  if (!path || !FileExists(path)) return 0;
  WrapChmod(path, (attributes & SFILE_READONLY) ? WRAP_S_IREAD : WRAP_S_IREAD | WRAP_S_IWRITE);
  uint32_t bits = attributes & (SFILE_READONLY | SFILE_HIDDEN);
  int at = FindAttr(path);
  if (at >= 0)
    AttrTable[(size_t)at].bits = bits;
  else if (bits)
    AttrTable.push_back({UpperPath(path), bits});
  return 1;
}

// ---- private-profile files -------------------------------------------------------------------------
struct ProfileText {
  std::vector<std::u16string> lines;
  int wide;  // the file is UTF-16 (it began with the mark)
};

static int ReadProfileBytes(const char16_t* file, std::vector<uint8_t>* bytes) {
  bytes->clear();
  FILE* f = WrapFopen(file, u"rb");
  if (!f) return 0;
  uint8_t chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes->insert(bytes->end(), chunk, chunk + n);
  WrapFclose(f);
  return 1;
}

static void ParseProfile(const std::vector<uint8_t>& bytes, ProfileText* out) {
  out->lines.clear();
  out->wide = 0;
  std::u16string text;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    out->wide = 1;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      text.push_back((char16_t)(bytes[i] | (bytes[i + 1] << 8)));
  } else {
    std::string narrow(bytes.begin(), bytes.end());
    size_t start = 0;
    while (start <= narrow.size()) {
      size_t end = narrow.find('\n', start);
      std::string line =
          narrow.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
      std::vector<char16_t> w(line.size() + 1);
      MultiByteToWide(line.c_str(), w.data(), (int)w.size());
      text += std::u16string(w.data());
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  std::u16string line;
  for (char16_t c : text) {
    if (c == u'\n') {
      if (!line.empty() && line.back() == u'\r') line.pop_back();
      out->lines.push_back(line);
      line.clear();
    } else if (c) {
      line.push_back(c);
    }
  }
  if (!line.empty()) {
    if (line.back() == u'\r') line.pop_back();
    out->lines.push_back(line);
  }
}

static int ReadProfileFile(const char16_t* file, ProfileText* out) {
  std::vector<uint8_t> bytes;
  out->lines.clear();
  out->wide = 0;
  if (!ReadProfileBytes(file, &bytes)) return 0;
  ParseProfile(bytes, out);
  return 1;
}

static int IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

static std::u16string Trim(const std::u16string& s) {
  size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) a++;
  while (b > a && IsBlank(s[b - 1])) b--;
  return s.substr(a, b - a);
}

static int EqualNoCase(const std::u16string& a, const char16_t* b) { return SameNoCase(a, b); }

// The section head's name, or -1 when the line is no section head.
static int SectionName(const std::u16string& line, std::u16string* name) {
  std::u16string t = Trim(line);
  if (t.empty() || t[0] != u'[') return 0;
  size_t close = t.find(u']');
  *name = Trim(t.substr(1, close == std::u16string::npos ? std::u16string::npos : close - 1));
  return 1;
}

// Key and value of a line; 0 for a line without '='.
static int KeyLine(const std::u16string& line, std::u16string* key, std::u16string* value) {
  size_t eq = line.find(u'=');
  if (eq == std::u16string::npos) return 0;
  *key = Trim(line.substr(0, eq));
  *value = Trim(line.substr(eq + 1));
  return 1;
}

// [first, end) lines of the first section of that name; first = -1 when there is none.
static void FindSection(const ProfileText& p, const char16_t* section, int* first, int* end) {
  *first = -1;
  *end = -1;
  std::u16string name;
  for (size_t i = 0; i < p.lines.size(); i++) {
    if (!SectionName(p.lines[i], &name)) continue;
    if (*first >= 0) {
      *end = (int)i;
      return;
    }
    if (EqualNoCase(name, section)) *first = (int)i + 1;
  }
  if (*first >= 0) *end = (int)p.lines.size();
}

static uint32_t CopyOut(const std::u16string& s, char16_t* buf, uint32_t maxChars) {
  if (!buf || maxChars == 0) return 0;
  uint32_t n = (uint32_t)s.size();
  if (n > maxChars - 1) n = maxChars - 1;
  for (uint32_t i = 0; i < n; i++) buf[i] = s[i];
  buf[n] = 0;
  return n;
}

static std::u16string Upper(const std::u16string& s) {
  std::u16string u = s;
  for (char16_t& c : u) c = CharToUpper(c);
  return u;
}

// The keys of a file as the reader sees them, kept while the file's bytes stay the same.
struct ProfileEntry {
  std::u16string section, key, name, value;  // section and key upper-cased; name as written
};
static struct {
  std::u16string path;
  std::vector<uint8_t> bytes;
  std::vector<ProfileEntry> entries;
  std::unordered_map<std::u16string, size_t> first;  // section + "\n" + key -> its first entry
  int valid;
} Cache;

static const std::vector<ProfileEntry>& Entries(const char16_t* file) {
  static std::vector<uint8_t> bytes;  // kept: most reads find the same bytes again
  ReadProfileBytes(file, &bytes);
  if (Cache.valid && Cache.path == file && Cache.bytes == bytes) return Cache.entries;
  ProfileText p;
  ParseProfile(bytes, &p);
  Cache.entries.clear();
  Cache.first.clear();
  std::vector<std::u16string> seen;
  std::u16string section;
  int first = 0;
  for (const std::u16string& line : p.lines) {
    std::u16string name, k, v;
    if (SectionName(line, &name)) {
      section = Upper(name);
      first = 1;
      for (const std::u16string& s : seen)
        if (s == section) first = 0;
      seen.push_back(section);
      continue;
    }
    if (!first || !KeyLine(line, &k, &v)) continue;
    if (v.size() >= 2 && (v[0] == u'"' || v[0] == u'\'') && v.back() == v[0])
      v = v.substr(1, v.size() - 2);
    Cache.entries.push_back({section, Upper(k), k, v});
    Cache.first.emplace(section + u"\n" + Cache.entries.back().key, Cache.entries.size() - 1);
  }
  Cache.path = file;
  Cache.bytes = bytes;
  Cache.valid = 1;
  return Cache.entries;
}

uint32_t SettingsProfileGet(const char16_t* section, const char16_t* key, const char16_t* fallback,
                            char16_t* buf, uint32_t maxChars, const char16_t* file) {
  const std::vector<ProfileEntry>& entries = Entries(file);
  std::u16string s = section ? Upper(section) : std::u16string();
  if (!key) {  // the list of the section's keys
    if (!buf || maxChars < 2) return 0;
    std::u16string list;
    for (const ProfileEntry& e : entries)
      if (section && e.section == s) {
        list += e.name;
        list.push_back(0);
      }
    if (list.size() + 1 > maxChars) {
      list.resize(maxChars - 2);
      list.push_back(0);
      for (uint32_t i = 0; i < maxChars - 1; i++) buf[i] = list[i];
      buf[maxChars - 1] = 0;
      return maxChars - 2;
    }
    for (size_t i = 0; i < list.size(); i++) buf[i] = list[i];
    buf[list.size()] = 0;
    if (list.empty()) buf[1] = 0;
    return (uint32_t)list.size();
  }
  auto at = section ? Cache.first.find(s + u"\n" + Upper(key)) : Cache.first.end();
  if (at != Cache.first.end()) return CopyOut(entries[at->second].value, buf, maxChars);
  std::u16string d = fallback ? std::u16string(fallback) : std::u16string();
  while (!d.empty() && IsBlank(d.back())) d.pop_back();
  return CopyOut(d, buf, maxChars);
}

static int WriteProfileFile(const char16_t* file, const ProfileText& p, int existed) {
  if (existed && IsReadOnlyFile(file)) return 0;
  FILE* f = WrapFopen(file, u"wb");
  if (!f) return 0;
  if (!existed) {  // a new file has no attributes of an older one
    int at = FindAttr(file);
    if (at >= 0) AttrTable.erase(AttrTable.begin() + at);
  }
  int ok = 1;
  if (p.wide) ok = fwrite("\xFF\xFE", 1, 2, f) == 2;
  for (const std::u16string& line : p.lines) {
    std::u16string l = line + u"\r\n";
    if (p.wide) {
      for (char16_t c : l) {
        uint8_t b[2] = {(uint8_t)c, (uint8_t)(c >> 8)};
        if (fwrite(b, 1, 2, f) != 2) ok = 0;
      }
    } else {
      std::vector<char> a(l.size() * 2 + 2);
      int n = WideToMultiByte(l.c_str(), a.data(), (int)a.size());
      if (n > 1 && fwrite(a.data(), 1, (size_t)n - 1, f) != (size_t)n - 1) ok = 0;
    }
  }
  if (WrapFclose(f)) ok = 0;
  return ok;
}

int SettingsProfileWrite(const char16_t* section, const char16_t* key, const char16_t* value,
                         const char16_t* file) {
  if (!section && !key && !value) return 1;  // flushing: nothing is cached here
  if (!section || !file) return 0;
  ProfileText p;
  int existed = ReadProfileFile(file, &p);
  int first = -1, end = -1;
  FindSection(p, section, &first, &end);
  if (!key) {  // deletes the section
    if (first < 0) return 1;
    p.lines.erase(p.lines.begin() + (first - 1), p.lines.begin() + end);
    return WriteProfileFile(file, p, existed);
  }
  std::u16string line = std::u16string(key) + u"=" + (value ? value : u"");
  if (first < 0) {
    if (!value) return 1;
    p.lines.push_back(u"[" + std::u16string(section) + u"]");
    p.lines.push_back(line);
    return WriteProfileFile(file, p, existed);
  }
  std::u16string k, v;
  for (int i = first; i < end; i++) {
    if (!KeyLine(p.lines[(size_t)i], &k, &v) || !EqualNoCase(k, key)) continue;
    if (value)
      p.lines[(size_t)i] = k + u"=" + value;  // the key keeps the name it was written with
    else
      p.lines.erase(p.lines.begin() + i);
    return WriteProfileFile(file, p, existed);
  }
  if (!value) return 1;
  int at = end;
  while (at > first && Trim(p.lines[(size_t)at - 1]).empty()) at--;
  p.lines.insert(p.lines.begin() + at, line);
  return WriteProfileFile(file, p, existed);
}

// The code pages the native conversions know.
int SettingsIsValidCodePage(int codePage) {
  return codePage == 1252 || codePage == 28591 || codePage == 20127 || codePage == 65001;
}
