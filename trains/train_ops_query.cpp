// Queries over all trains, the followed train's status text and the category, type and state
// letters.
#include "core/langtext.h"
#include "core/misc.h"
#include "elements/element_services.h"
#include "graphics/vehicles.h"
#include "model/general_section.h"
#include "trains/train_draw.h"
#include "trains/train_ops.h"
#include "trains/train_running.h"
#include "trains/train_services.h"

namespace {
constexpr uint16_t UNUSED_ENTRY = 65535;

int IsAt(const TrainPosition& p, int x, int y, int level) {
  return p.codeUnder != UNUSED_ENTRY && p.x == (uint32_t)x && p.y == (uint32_t)y &&
         p.level == level;
}
}  // namespace

// ---- finding trains ----------------------------------------------------------------------------------
TrainRecord* GetTrainByIndex(int index) {
  if (index < 0) return nullptr;
  TrainRecord* t = Trains.first;
  for (int i = 0; t && i < index; i++) t = t->next;
  return t;
}

int FindTrainIndexAtCell(int x, int y, int level) {
  int index = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next, index++) {
    if (t->flags & TRAIN_PARKED) continue;
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++)
      if (IsAt(p[i], x, y, level)) return index;
  }
  return -1;
}

int FindTrainIndex(int line, int subNumber) {
  int index = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next, index++)
    if (t->line == (uint32_t)line && (subNumber == 0 || t->subNumber == (uint32_t)subNumber))
      return index;
  return -1;
}

uint32_t NextFreeSubNumber(int line) {
  uint32_t n = LowestFreeSubNumber((uint32_t)line);
  return n == 0 || n > 999 ? 999 : n;
}

uint32_t LastSubNumber(int line) {
  uint32_t last = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next)
    if (t->line == (uint32_t)line) last = t->subNumber;
  return last;
}

int TrainPlacementStateOf(int line, int subNumber) {
  int index = subNumber ? FindTrainIndex(line, subNumber) : -1;
  TrainRecord* t = GetTrainByIndex(index);
  return t ? TrainPlacementState(t) : 11;
}

int GetTrainInfoByIndex(int index, int* x, int* y, int mode, int n, TrainRecord* header,
                        uint32_t* pairs, uint32_t* directionCode, int* level) {
  TrainRecord* t = GetTrainByIndex(index);
  if (!t) return 1;
  TrainPosition* h = TrainPositions(t);
  if (x) *x = (int)h->x;
  if (y) *y = (int)h->y;
  if (level) *level = h->level;
  if (directionCode) *directionCode = DirectionCode(t->dx, t->dy);
  if (header) CopyMem(header, t, sizeof(TrainRecord));
  if (!pairs || n <= 0) return 0;
  TrainVehicleEntry* v = TrainVehicles(t);
  int count = t->vehicleCount < n ? t->vehicleCount : n;
  // A train whose first vehicle may not lead is reported from its back (mode 0).
  int fromBack = mode == 0 && t->vehicleCount > 0 && !(v[0].flags & 0x10);
  for (int i = 0; i < count; i++) {
    const TrainVehicleEntry& e = v[fromBack ? t->vehicleCount - 1 - i : i];
    uint32_t flags = e.flags;
    if (fromBack && !(flags & 0x1)) flags ^= 0x8000;
    pairs[2 * i] = (e.flags & 0x80) ? (e.length | 0x40000000u) : e.id;
    pairs[2 * i + 1] = flags;
  }
  return 0;
}

// ---- counts ----------------------------------------------------------------------------------------------
int TrainStatistics(int* handSteered, int* joining, int* waiting, int* blocked, int* held) {
  int counts[6] = {0, 0, 0, 0, 0, 0};  // hand, parked, waiting, held, joining, blocked
  static const uint32_t order[6] = {TRAIN_MANUAL, TRAIN_PARKED, TRAIN_WAITING,
                                    TRAIN_HELD,   TRAIN_JOINING, TRAIN_BLOCKED};
  for (TrainRecord* t = Trains.first; t; t = t->next)
    for (int k = 0; k < 6; k++)
      if (t->flags & order[k]) {
        counts[k]++;
        break;
      }
  if (handSteered) *handSteered = counts[0];
  if (waiting) *waiting = counts[2];
  if (held) *held = counts[3];
  if (joining) *joining = counts[4];
  if (blocked) *blocked = counts[5];
  return counts[1];
}

int CountTrainsForDepotSlot(int depot, int slot, int x, int y, int level, uint32_t weekdayMask,
                            int* pending, int* scheduleB, int* scheduleA, int* parkedOnCell) {
  int homes = 0, pend = 0, b = 0, a = 0, parked = 0;
  auto names = [&](uint16_t d, uint16_t s) {
    return d == (uint32_t)depot && (slot == 0 || (s & 0x7FFF) == (uint32_t)slot);
  };
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (names(t->homeDepot, t->homeSlot)) homes++;
    if ((t->flags & TRAIN_PENDING) && names(t->pendingDepot, t->pendingSlot)) pend++;
    for (int i = 0; i < 6; i++) {
      if (t->scheduleBTime[i] && ((t->scheduleBTime[i] >> 24) & weekdayMask) &&
          names(t->scheduleBDepot[i], t->scheduleBSlot[i]))
        b++;
      if (t->scheduleATime[i] && ((t->scheduleATime[i] >> 24) & weekdayMask) &&
          names(t->scheduleADepot[i], t->scheduleASlot[i]))
        a++;
    }
    TrainPosition* head = TrainPositions(t);
    if ((t->flags & TRAIN_PARKED) && head->x == (uint32_t)x && head->y == (uint32_t)y &&
        head->level == level)
      parked++;
  }
  if (pending) *pending = pend;
  if (scheduleB) *scheduleB = b;
  if (scheduleA) *scheduleA = a;
  if (parkedOnCell) *parkedOnCell = parked;
  return homes;
}

int CountTrainsOfLine(int line, int* all, int* parked, int* asOther, int* arriving) {
  int n = 0, p = 0, o = 0, in = 0;
  uint32_t l = (uint32_t)line;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    int isParked = (t->flags & TRAIN_PARKED) != 0;
    if (t->line == l) {
      n++;
      if (isParked && t->secondLine == l) p++;
      if (!isParked && t->secondLine != l) o++;
    } else if (!isParked && t->secondLine == l) {
      in++;
    }
  }
  if (all) *all = n;
  if (parked) *parked = p;
  if (asOther) *asOther = o;
  if (arriving) *arriving = in;
  return n;
}

int CountVehicleInTrains(uint32_t id) {
  if (id & VG_GROUP) return CountVehicleSetInTrains(id);
  int n = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    TrainVehicleEntry* v = TrainVehicles(t);
    for (int i = 0; i < t->vehicleCount; i++)
      if (v[i].id == id && !(v[i].flags & 0x80)) n++;
  }
  return n;
}

int CountVehicleSetInTrains(uint32_t setId) {
  int n = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    TrainVehicleEntry* v = TrainVehicles(t);
    for (int i = 0; i < t->vehicleCount; i++)
      if (v[i].length == setId &&
          (GetVehicleGraphicWidth(v[i].id) != v[i].length || (v[i].flags & 0x80)))
        n++;
  }
  return n;
}

int TrainsInRect(int x0, int y0, int level0, int x1, int y1, int level1, int includeParked) {
  int result = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    int parked = (t->flags & TRAIN_PARKED) != 0;
    if (parked && !includeParked) continue;
    TrainPosition* p = TrainPositions(t);
    int inside = 0, outside = 0;
    int last = parked ? 0 : t->positionCount;
    for (int i = 0; i <= last; i++) {
      if (!parked && p[i].codeUnder == UNUSED_ENTRY) continue;
      if (PointInBox((int)p[i].x, (int)p[i].y, p[i].level, x0, y0, level0, x1, y1, level1))
        inside++;
      else
        outside++;
    }
    if (inside && outside) return 2;
    if (inside) result = 1;
  }
  return result;
}

int GetSelectedTrainLine(int* subNumber) {
  TrainRecord* t = GetSelectedTrain();
  if (subNumber) *subNumber = t ? (int)t->subNumber : 0;
  return t ? (int)t->line : 0;
}

// ---- letters -------------------------------------------------------------------------------------------------
static char16_t FirstLetterOf(uint32_t id, int index = 0) {
  const char16_t* s = GetLangText(id);
  for (int i = 0; i < index; i++)
    if (!s[i]) return u' ';
  return s[index] ? s[index] : u' ';
}

static const uint32_t kCategoryTexts[3] = {LANG_ID(19615), LANG_ID(19616), LANG_ID(19617)};
static const uint32_t kTypeTexts[10] = {LANG_ID(19600), LANG_ID(19601), LANG_ID(19602),
                                        LANG_ID(19603), LANG_ID(19604), LANG_ID(19605),
                                        LANG_ID(19606), LANG_ID(19607), LANG_ID(19608),
                                        LANG_ID(19609)};

char16_t CategoryLetter(int category) {
  if (category == 0) return u'*';
  if (category < 1 || category > 3) return u'?';
  return FirstLetterOf(kCategoryTexts[category - 1]);
}

char16_t TypeLetter(int type) {
  if (type == 0) return u'*';
  if (type < 1 || type > 10) return u'?';
  return FirstLetterOf(kTypeTexts[type - 1]);
}

int CategoryFromLetter(char16_t ch) {
  for (int c = 1; c <= 3; c++)
    if (CharToUpper(CategoryLetter(c)) == CharToUpper(ch)) return c;
  return 0;
}

int TypeFromLetter(char16_t ch) {
  for (int t = 1; t <= 10; t++)
    if (TypeLetter(t) == ch) return t;
  return 0;
}

void TrainStateLetters(uint32_t flags, char16_t* first, int* firstColour, char16_t* second,
                       int* secondColour) {
  uint32_t f = flags & ~(uint32_t)(TRAIN_PENDING | TRAIN_RESERVING | TRAIN_TURNED |
                                   TRAIN_HEAD_MARK | TRAIN_SELECTED | TRAIN_LEAVING1 |
                                   TRAIN_SKIP_STOP | TRAIN_PENDING_FLAGGED);
  uint32_t id = LANG_ID(19017);
  int colour = -1;
  char16_t secondLetter = u' ';
  int colour2 = -1;
  switch (f) {
    case 0: id = LANG_ID(19011), colour = 58; break;
    case TRAIN_PARKED: id = LANG_ID(19012), colour = 60; break;
    case TRAIN_WAITING: id = LANG_ID(19013), colour = 62; break;
    case TRAIN_HELD: id = LANG_ID(19014), colour = 61; break;
    case TRAIN_MANUAL: id = LANG_ID(19015), colour = 64; break;
    case TRAIN_MANUAL | TRAIN_PARKED:
      id = LANG_ID(19015), colour = 64;
      secondLetter = FirstLetterOf(LANG_ID(19012)), colour2 = 60;
      break;
    case TRAIN_JOINING: id = LANG_ID(19016), colour = 65; break;
    case TRAIN_LEAVING:
    case TRAIN_BLOCKED:
    case TRAIN_LEAVING | TRAIN_BLOCKED: id = LANG_ID(19018), colour = 63; break;
  }
  if (secondLetter == u' ') {
    int flagged = (flags & TRAIN_PENDING_FLAGGED) != 0;
    if (flags & TRAIN_PENDING)
      secondLetter = FirstLetterOf(LANG_ID(19010), flagged), colour2 = 59;
    else if (flags & TRAIN_LEAVING1)
      secondLetter = FirstLetterOf(LANG_ID(19010), 2 + flagged), colour2 = 152;
  }
  if (first) *first = FirstLetterOf(id);
  if (firstColour) *firstColour = colour;
  if (second) *second = secondLetter;
  if (secondColour) *secondColour = colour2;
}

// ---- the status text of the followed train ----------------------------------------------------------------------
namespace {
// Appends within a buffer of a fixed capacity: what does not fit is cut, the text stays ended.
struct BoundedText {
  char16_t* out;
  int capacity, length;
  void Char(char16_t c) {
    if (length < capacity - 1) out[length++] = c;
    out[length] = 0;
  }
  void Text(const char16_t* s) {
    while (s && *s) Char(*s++);
  }
  void Unsigned(uint32_t v, int minDigits = 1) {
    char16_t digits[12];
    int n = FormatUnsignedDigits(digits, v, minDigits);
    for (int i = 0; i < n; i++) Char(digits[i]);
  }
  void Thousandths(uint32_t v, int dropZeroFraction) {
    Unsigned(v / 1000);
    if (dropZeroFraction && v % 1000 == 0) return;
    Char(u'.');
    Unsigned(v % 1000, 3);
  }
};
}  // namespace

void FormatTrainStatus(char16_t* buffer, int capacity) {
  if (!buffer || capacity < 1) return;
  buffer[0] = 0;
  TrainRecord* t = GetSelectedTrain();
  if (GetFollowMode() == 0 || !t) return;
  BoundedText b{buffer, capacity, 0};
  char16_t name[260];
  b.Text(GetLangText(LANG_ID(16000)));
  b.Char(u' ');
  b.Text(GetLangText(GetSelectedTrainMark() == 2 ? LANG_ID(16001) : LANG_ID(16002)));
  b.Char(u' ');
  name[0] = 0;
  GetLineName((int)t->line, name, 0);
  name[259] = 0;
  b.Text(name);
  b.Char(u'/');
  b.Unsigned(t->subNumber);
  b.Text(u". ");
  b.Text(GetLangText(LANG_ID(16006)));
  b.Char(u' ');
  name[0] = 0;
  GetLineName((int)t->secondLine, name, 0);
  name[259] = 0;
  b.Text(name);
  b.Char(u' ');
  b.Text(GetLangText(LANG_ID(16007)));
  b.Char(u'=');
  b.Char(CategoryLetter((int)t->category));
  b.Char(TypeLetter((int)t->type));
  b.Char(u' ');
  char16_t s1, s2;
  TrainStateLetters(t->flags, &s1, nullptr, &s2, nullptr);
  b.Text(GetLangText(LANG_ID(16003)));
  b.Char(u'=');
  b.Char(s1);
  b.Char(s2);
  b.Char(u' ');
  b.Text(GetLangText(LANG_ID(16004)));
  b.Char(u'=');
  b.Thousandths((uint32_t)t->speed, 0);
  b.Char(u' ');
  b.Text(GetLangText(LANG_ID(16005)));
  b.Char(u'=');
  b.Thousandths((uint32_t)t->targetSpeed, 1);
  b.Char(u' ');
  b.Text(GetLangText(LANG_ID(16008)));
  b.Char(u'=');
  uint32_t scale = DocState.scale ? DocState.scale : 64;
  int64_t distance = ((int64_t)(uint32_t)TrainStraightMoves * 1000 +
                      (int64_t)(uint32_t)TrainDiagonalMoves * 1414) /
                     scale;
  b.Thousandths((uint32_t)distance, 0);
  b.Text(GetLangText(LANG_ID(16009)));
}
