// State shared by the network file's reader and writer: the loaded version, the current network
// name, the tag and count helpers of the section readers and the "MA" marker section.
#include "model/netfile.h"
#include "core/misc.h"
#include "core/stream.h"

static int LoadedVersion = 0;
int NetworkInvalid = 0;
static char16_t NetworkName[STREAM_PATH_CHARS];

const char NET_HEADER_SECOND_LINE[] = "quil network file";

int GetLoadedVersion() { return LoadedVersion; }
void SetLoadedVersion(int version) { LoadedVersion = version; }

const char16_t* GetNetworkName() { return NetworkName; }

void SetNetworkName(const char16_t* name) {
  CopyStringLimited(NetworkName, name, STREAM_PATH_CHARS);
}

static int RepairCount = 0, RepairX = -1, RepairY = -1, RepairLevel = 0;

void ClearLoadRepairs() {
  RepairCount = 0;
  RepairX = RepairY = -1;
  RepairLevel = 0;
}

void NoteLoadRepair(int x, int y, int level) {
  if (RepairX < 0 && x >= 0) {
    RepairX = x;
    RepairY = y;
    RepairLevel = level;
  }
  if (RepairCount < 0x7FFFFFFF) RepairCount++;
}

int GetLoadRepairs(int* x, int* y, int* level) {
  if (x) *x = RepairX;
  if (y) *y = RepairY;
  if (level) *level = RepairLevel;
  return RepairCount;
}

int ReadSectionTag(int version, uint32_t tag4, uint16_t tag2) {
  int r;
  if (version >= NET_VERSION_U32_TAGS) {
    uint32_t t;
    if ((r = StreamReadDword(&t))) return r;
    return t == tag4 ? 0 : NETSEC_FORMAT;
  }
  uint16_t t;
  if ((r = StreamReadWord(&t))) return r;
  return t == tag2 ? 0 : NETSEC_FORMAT;
}

int ReadVersionedCount(int version, int u32From, uint32_t* count) {
  if (version >= u32From) return StreamReadDword(count);
  uint16_t w;
  int r = StreamReadWord(&w);
  if (!r) *count = w;
  return r;
}

int ReadNetMarker(int version) {
  uint16_t a, b;
  int r = StreamReadWord(&a);
  if (!r) r = StreamReadWord(&b);
  if (r) return r;
  return (a == 0x414D && b == 0) ? 0 : NETSEC_FORMAT;
}
