// Neutral defaults of the train services until the trains and the clock are built: no train
// holds a cell, nothing is redrawn; the follow mode is kept.
#include "trains/train_services.h"

static int FollowMode = 0;

uint16_t GetTrainCellCode(int x, int y, int level, uint16_t code) { return 0xC000; }
void RefreshTrainCellCodes(int mode) {}
int GetFollowMode() { return FollowMode; }
void SetFollowMode(int mode) { FollowMode = mode; }
void DrawStopTimeField(void* dc) {}
void RedrawClockPanes(int mode) {}
