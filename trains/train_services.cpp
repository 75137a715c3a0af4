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


int GetFollowMode() { return FollowMode; }
void SetFollowMode(int mode) { FollowMode = mode; }


int RouteTrainAtPoint(TrainRecord* train, uint32_t command, uint32_t secondLine, int mode,
                      int32_t wait, const int32_t* selection, int splitIndex) {
  return 2;
}

void ApplyTpTrainData(TrainRecord* train, const TpTrainData* data) {}

void TrainMenuCommand(int command) {}
void ContextTrainCommand1(int line, int subNumber) {}
void ContextTrainCommand2(int line, int subNumber) {}
void ContextTrainCommand3(int line, int subNumber) {}
void CmdTrainListOptions(int line) {}
int WriteTrainListReport(char16_t separator, int withInfo) { return 0; }

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
