// Neutral defaults of the train services until the trains and the clock are built: no train runs
// or is drawn, and the option values are kept. (The train records, the queues and the clock step
// are built: trains/train_records.cpp, trains/sim_clock.cpp; the event display:
// trains/event_display.cpp.)
#include "trains/train_services.h"
#include "core/misc.h"
#include "model/netfile_sections.h"

static int FollowMode = 0;
uint32_t TrainRunningOptions = 0;

void DrawStopTimeField(void* dc) {}

void EmptyTrainHook() {}

int TrainStatistics(int* handSteered, int* joining, int* waiting, int* blocked, int* held) {
  int* outs[5] = {handSteered, joining, waiting, blocked, held};
  for (int* p : outs)
    if (p) *p = 0;
  return 0;
}

int CountTrainsForDepotSlot(int depot, int slot, int x, int y, int level, uint32_t weekdayMask,
                            int* pending, int* scheduleB, int* scheduleA, int* parkedOnCell) {
  int* outs[4] = {pending, scheduleB, scheduleA, parkedOnCell};
  for (int* p : outs)
    if (p) *p = 0;
  return 0;
}

int CountTrainsOfLine(int line, int* all, int* parked, int* asOther, int* arriving) {
  int* outs[4] = {all, parked, asOther, arriving};
  for (int* p : outs)
    if (p) *p = 0;
  return 0;
}

int CountVehicleInTrains(uint32_t graphicCode) { return 0; }
int MoveParkedTrains(int fromX, int fromY, int fromLevel, int toX, int toY, int toLevel) {
  return 0;
}
int CreateTrain(const uint32_t* vehiclePairs, const void* templateHeader, int headX, int headY,
                int level, const uint16_t* list) {
  return 2;
}
int StartTrainsFromDepot(int line, int subNumber, int flag) { return 1; }
void RenumberDepotSlot(int depot, int oldSlot, int newSlot) {}


int GetFollowMode() { return FollowMode; }
void SetFollowMode(int mode) { FollowMode = mode; }
void FormatTrainStatus(char16_t* buffer) {
  if (buffer) buffer[0] = 0;
}


void ApplyTpTrainData(TrainRecord* train, const TpTrainData* data) {}

void TrainMenuCommand(int command) {}
void ContextTrainCommand1(int line, int subNumber) {}
void ContextTrainCommand2(int line, int subNumber) {}
void ContextTrainCommand3(int line, int subNumber) {}
void CmdTrainListOptions(int line) {}
int WriteTrainListReport(char16_t separator, int withInfo) { return 0; }
int CategoryFromLetter(char16_t ch) { return 0; }
int TypeFromLetter(char16_t ch) { return 0; }
char16_t CategoryLetter(int category) { return category == 0 ? u'*' : u'?'; }
char16_t TypeLetter(int type) { return type == 0 ? u'*' : u'?'; }

static uint32_t TrainListMode = 0xF;
uint32_t GetTrainListMode() { return TrainListMode; }
int SetTrainListMode(uint32_t mode) {
  if ((mode & 3) == 0 || (mode & 0xC) == 0) return 1;
  TrainListMode = mode;
  return 0;
}

static uint32_t DefaultTrainFlags = 0;
static char16_t DefaultTrainTexts[3][33];
void GetDefaultTrainTexts(uint32_t* flags, char16_t* text0, char16_t* text1, char16_t* text2) {
  if (flags) *flags = DefaultTrainFlags;
  char16_t* outs[3] = {text0, text1, text2};
  for (int i = 0; i < 3; i++)
    if (outs[i]) CopyString(outs[i], DefaultTrainTexts[i]);
}
int SetDefaultTrainTexts(uint32_t flags, const char16_t* text0, const char16_t* text1,
                         const char16_t* text2) {
  const char16_t* ins[3] = {text0, text1, text2};
  for (const char16_t* t : ins)
    if (t && StringLength(t) >= 33) return 1;
  DefaultTrainFlags = flags;
  for (int i = 0; i < 3; i++) CopyString(DefaultTrainTexts[i], ins[i] ? ins[i] : u"");
  return 0;
}

static int TrainAutoStart = 0;
int SetTrainAutoStartOption(int value) {
  if (value == 1 || value == 3)
    TrainAutoStart = 1;
  else if (value == 2)
    TrainAutoStart = 0;
  return TrainAutoStart ? 3 : 2;
}

void EditClockSettings() {}
void EditSimulationTime() {}
void EditStopTime() {}
void EditSimulationParameters() {}
void EditTrainAtCell(int x, int y, int level) {}
int PushIntoTrain(TrainRecord* train, TrainRecord* other, int entry) { return 0; }
void EditGeneralInfo() {}
void ShowStatusInfo() {}
