// The messages of the network file's load and save results, from the tables of result codes
// and section offsets.
#include "model/netfile_messages.h"
#include "core/langtext.h"
#include "core/msgbox.h"
#include "model/netfile.h"

struct SectionMessages {
  int offset;
  uint32_t numbers[4];  // r = 1, 2, 3, 4 (0: none)
  uint32_t memoryText;  // text of r = 4
};

static const SectionMessages SectionTable[] = {
    {NETOFS_GENERAL, {110, 111, 112, 0}, LANG_ID(8005)},
    {NETOFS_GRID, {113, 114, 115, 116}, LANG_ID(8005)},
    {NETOFS_TRAINS, {119, 120, 121, 122}, LANG_ID(11114)},
    {NETOFS_SWITCHES, {124, 125, 126, 165}, LANG_ID(8005)},
    {NETOFS_DEPOTS, {127, 128, 129, 150}, LANG_ID(8005)},
    {NETOFS_TP, {130, 131, 132, 155}, LANG_ID(11115)},
    {NETOFS_SIGNALS, {133, 134, 135, 160}, LANG_ID(8005)},
    {NETOFS_TEXTS, {136, 137, 138, 172}, LANG_ID(8005)},
    {NETOFS_HST, {139, 140, 141, 170}, LANG_ID(8005)},
    {NETOFS_LFST, {142, 143, 144, 171}, LANG_ID(8005)},
    {NETOFS_LINES, {145, 146, 147, 198}, LANG_ID(8005)},
    {NETOFS_GRAPHICS, {151, 152, 153, 154}, LANG_ID(8005)},
    {NETOFS_MARKER, {156, 157, 158, 159}, LANG_ID(8005)},
    {NETOFS_LOGP, {166, 167, 168, 169}, LANG_ID(8005)},
    {NETOFS_INFO, {161, 162, 163, 164}, LANG_ID(8005)},
    {NETOFS_PRELL, {175, 176, 173, 174}, LANG_ID(8005)},
    {NETOFS_PASSWORD, {177, 117, 118, 0}, LANG_ID(8005)},
    {NETOFS_DWX, {123, 178, 179, 180}, LANG_ID(8005)},
    {NETOFS_RP, {181, 182, 183, 184}, LANG_ID(8005)},
};

NetMessage GetLoadResultMessage(int code) {
  switch (code) {
    case NETLOAD_CANNOT_OPEN: return {105, LANG_ID(11103), 0};
    case NETLOAD_HEADER_READ: return {106, LANG_ID(11102), 0};
    case NETLOAD_BAD_MAGIC: return {103, LANG_ID(11104), 0};
    case NETLOAD_TOO_OLD: return {107, LANG_ID(11111), 0};
    case NETLOAD_TOO_NEW: return {108, LANG_ID(11112), 0};
    case NETLOAD_WARNINGS: return {104, LANG_ID(11132), 1};
    case NETLOAD_TRAILER_READ: return {148, LANG_ID(11102), 0};
    case NETLOAD_CLOSE: return {149, LANG_ID(11105), 0};
    case NETLOAD_GRID_CHECK: return {199, LANG_ID(11116), 0};
    case NETLOAD_TRAIN_CONVERT: return {109, LANG_ID(11131), 0};
    case NETLOAD_HST_CONVERT: return {185, LANG_ID(11102), 0};
    case NETLOAD_LFST_SIGNAL_FIX: return {186, LANG_ID(11102), 0};
    case 19: return {187, LANG_ID(11102), 0};
  }
  static const uint32_t sectionTexts[4] = {LANG_ID(11100), LANG_ID(11101), LANG_ID(11113), 0};
  for (const SectionMessages& s : SectionTable) {
    int r = code - s.offset;
    if (r < 1 || r > 4 || s.numbers[r - 1] == 0) continue;
    uint32_t text = r == 4 ? s.memoryText : sectionTexts[r - 1];
    return {s.numbers[r - 1], text, 0};
  }
  return {0, 0, 0};
}

NetMessage GetSaveResultMessage(int code) {
  switch (code) {
    case 1: return {244, LANG_ID(11109), 0};
    case 2: return {245, LANG_ID(11110), 0};
    case NETSAVE_CANNOT_CREATE: return {242, LANG_ID(11108), 0};
    case 4: return {248, LANG_ID(11105), 0};
    case 5: return {249, LANG_ID(11106), 0};
    case NETSAVE_REPLACE_FAILED: return {247, LANG_ID(11190), 0};
  }
  return {0, 0, 0};
}

static uint32_t Show(NetMessage m) {
  if (!m.number) return 0;
  if (m.info)
    ShowInfoText(m.number, m.textId);
  else
    ShowErrorText(m.number, m.textId);
  return m.number;
}

uint32_t ShowLoadResultMessage(int code) { return Show(GetLoadResultMessage(code)); }
uint32_t ShowSaveResultMessage(int code) { return Show(GetSaveResultMessage(code)); }
