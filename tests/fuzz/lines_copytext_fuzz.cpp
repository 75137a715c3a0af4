// Fuzz target of the copy-text reader of lines ("LIN"): the input, split at line feeds into lines
// (one unit per byte), is read from its first line; the first byte answers dialog 114. The table
// must stay sound and a refused section must not move the line index.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "core/misc.h"
#include "elements/element_store.h"
#include "elements/lines.h"

static std::vector<std::u16string> gLines;
static int gAnswer;

static int ReadLine(int index, int maxChars, char16_t* out) {
  if (index < 0 || index >= (int)gLines.size() || (int)gLines[index].size() > maxChars) return 1;
  CopyString(out, gLines[index].c_str());
  return 0;
}
static int AppendLine(const char16_t*) { return 1; }
static int Answer(const char16_t* name) {
  if (StringLength(name) > 300) abort();
  return 120 + gAnswer % 5;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int once = (InitLineTable(), CopyTextReadLine = ReadLine, CopyTextAppendLine = AppendLine,
                     AskCreatePastedLine = Answer, 0);
  (void)once;
  if (size < 1) return 0;
  gAnswer = data[0];
  gLines.assign(1, u"");
  for (size_t i = 1; i < size; i++) {
    if (data[i] == '\n')
      gLines.emplace_back();
    else
      gLines.back() += (char16_t)(data[i] == 0 ? 1 : data[i]);
  }
  ClearLineTable();
  int index = 0;
  int r = ReadLineCopyText(&index);
  if (r == 2 && index != 0) abort();
  if (r != 2 && (index < 2 || index > (int)gLines.size())) abort();
  for (int i = 0; i < LineCount(); i++) {
    const LineRecord* l = LineAt(i);
    if (LineIdToIndex(l->id) != i || StringLength(l->name) > LINE_NAME_CHARS) abort();
    if (l->descLength > (uint32_t)LINE_DESC_MAX) abort();
  }
  return 0;
}
