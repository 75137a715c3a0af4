// The messages of the network file's load and save results, from the tables of result codes
// and section offsets.
#include "model/netfile_messages.h"
#include "core/langtext.h"
#include "core/msgbox.h"
#include "model/netfile.h"

struct SectionMessages {
  int offset;
  NetMessage byError[4];  // section errors r = 1, 2, 3, 4 (number 0: none)
};

// The help build takes the message numbers of the rows {number, LANG_ID(text)} between the
// markers (each number gets a help topic).
// MESSAGE-TABLE-BEGIN
static const SectionMessages SectionTable[] = {
    // out of memory in the general section: a message number of its own
    {NETOFS_GENERAL,
     {{110, LANG_ID(11100)}, {111, LANG_ID(11101)}, {112, LANG_ID(11113)}, {246, LANG_ID(8005)}}},
    {NETOFS_GRID,
     {{113, LANG_ID(11100)}, {114, LANG_ID(11101)}, {115, LANG_ID(11113)}, {116, LANG_ID(8005)}}},
    {NETOFS_TRAINS,
     {{119, LANG_ID(11100)}, {120, LANG_ID(11101)}, {121, LANG_ID(11113)}, {122, LANG_ID(11114)}}},
    {NETOFS_SWITCHES,
     {{124, LANG_ID(11100)}, {125, LANG_ID(11101)}, {126, LANG_ID(11113)}, {165, LANG_ID(8005)}}},
    {NETOFS_DEPOTS,
     {{127, LANG_ID(11100)}, {128, LANG_ID(11101)}, {129, LANG_ID(11113)}, {150, LANG_ID(8005)}}},
    {NETOFS_TP,
     {{130, LANG_ID(11100)}, {131, LANG_ID(11101)}, {132, LANG_ID(11113)}, {155, LANG_ID(11115)}}},
    {NETOFS_SIGNALS,
     {{133, LANG_ID(11100)}, {134, LANG_ID(11101)}, {135, LANG_ID(11113)}, {160, LANG_ID(8005)}}},
    {NETOFS_TEXTS,
     {{136, LANG_ID(11100)}, {137, LANG_ID(11101)}, {138, LANG_ID(11113)}, {172, LANG_ID(8005)}}},
    {NETOFS_HST,
     {{139, LANG_ID(11100)}, {140, LANG_ID(11101)}, {141, LANG_ID(11113)}, {170, LANG_ID(8005)}}},
    {NETOFS_LFST,
     {{142, LANG_ID(11100)}, {143, LANG_ID(11101)}, {144, LANG_ID(11113)}, {171, LANG_ID(8005)}}},
    {NETOFS_LINES,
     {{145, LANG_ID(11100)}, {146, LANG_ID(11101)}, {147, LANG_ID(11113)}, {198, LANG_ID(8005)}}},
    {NETOFS_GRAPHICS,
     {{151, LANG_ID(11100)}, {152, LANG_ID(11101)}, {153, LANG_ID(11113)}, {154, LANG_ID(8005)}}},
    {NETOFS_MARKER,
     {{156, LANG_ID(11100)}, {157, LANG_ID(11101)}, {158, LANG_ID(11113)}, {159, LANG_ID(8005)}}},
    {NETOFS_LOGP,
     {{166, LANG_ID(11100)}, {167, LANG_ID(11101)}, {168, LANG_ID(11113)}, {169, LANG_ID(8005)}}},
    {NETOFS_INFO,
     {{161, LANG_ID(11100)}, {162, LANG_ID(11101)}, {163, LANG_ID(11113)}, {164, LANG_ID(8005)}}},
    {NETOFS_PRELL,
     {{175, LANG_ID(11100)}, {176, LANG_ID(11101)}, {173, LANG_ID(11113)}, {174, LANG_ID(8005)}}},
    {NETOFS_PASSWORD,
     {{177, LANG_ID(11100)}, {117, LANG_ID(11101)}, {118, LANG_ID(11113)}, {0, 0}}},
    {NETOFS_DWX,
     {{123, LANG_ID(11100)}, {178, LANG_ID(11101)}, {179, LANG_ID(11113)}, {180, LANG_ID(8005)}}},
    {NETOFS_RP,
     {{181, LANG_ID(11100)}, {182, LANG_ID(11101)}, {183, LANG_ID(11113)}, {184, LANG_ID(8005)}}},
};

struct CodeMessage {
  int code;
  NetMessage message;
};

static const CodeMessage LoadTable[] = {
    {NETLOAD_CANNOT_OPEN, {105, LANG_ID(11103), 0}},
    {NETLOAD_HEADER_READ, {106, LANG_ID(11102), 0}},
    {NETLOAD_BAD_MAGIC, {103, LANG_ID(11104), 0}},
    {NETLOAD_TOO_OLD, {107, LANG_ID(11111), 0}},
    {NETLOAD_TOO_NEW, {108, LANG_ID(11112), 0}},
    {NETLOAD_WARNINGS, {104, LANG_ID(11132), 1}},
    {NETLOAD_TRAILER_READ, {148, LANG_ID(11102), 0}},
    {NETLOAD_CLOSE, {149, LANG_ID(11105), 0}},
    {NETLOAD_GRID_CHECK, {199, LANG_ID(11116), 0}},
    {NETLOAD_TRAIN_CONVERT, {109, LANG_ID(11131), 0}},
    {NETLOAD_HST_CONVERT, {185, LANG_ID(11102), 0}},
    {NETLOAD_LFST_SIGNAL_FIX, {186, LANG_ID(11102), 0}},
    {19, {187, LANG_ID(11102), 0}},
};

static const CodeMessage SaveTable[] = {
    {1, {244, LANG_ID(11109), 0}},
    {2, {245, LANG_ID(11110), 0}},
    {NETSAVE_CANNOT_CREATE, {242, LANG_ID(11108), 0}},
    {4, {248, LANG_ID(11105), 0}},
    {5, {249, LANG_ID(11106), 0}},
    {NETSAVE_REPLACE_FAILED, {247, LANG_ID(11190), 0}},
};
// MESSAGE-TABLE-END

static NetMessage FromTable(const CodeMessage* table, int rows, int code) {
  for (int i = 0; i < rows; i++)
    if (table[i].code == code) return table[i].message;
  return {0, 0, 0};
}

NetMessage GetLoadResultMessage(int code) {
  NetMessage m = FromTable(LoadTable, (int)(sizeof LoadTable / sizeof LoadTable[0]), code);
  if (m.number) return m;
  for (const SectionMessages& s : SectionTable) {
    int r = code - s.offset;
    if (r >= 1 && r <= 4 && s.byError[r - 1].number) return s.byError[r - 1];
  }
  return {0, 0, 0};
}

NetMessage GetSaveResultMessage(int code) {
  return FromTable(SaveTable, (int)(sizeof SaveTable / sizeof SaveTable[0]), code);
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
