// Test seam of the native build's message boxes: every box is recorded and answered from a
// queue of answers set by the test (no windows exist natively).
#pragma once
#include <cstdint>
#include "core/platform.h"

constexpr int MSGSEAM_MAX = 32;    // records kept (older ones are dropped first)
constexpr int MSGSEAM_TEXT = 512;  // units kept of each text

struct MsgBoxCall {
  int platformBox;      // 1: WrapMessageBox, 0: a message template
  uint32_t templateId;  // 1 or 2 (message templates)
  uint16_t helpTopic;
  unsigned style;  // WrapMessageBox style
  WrapWindow owner;
  int runningDuring;  // the simulation running flag while the box was open
  char16_t title[MSGSEAM_TEXT];
  char16_t text[MSGSEAM_TEXT];
};

void MsgSeamReset();                   // forgets calls and answers
void MsgSeamPushAnswer(int answer);    // answers are used in order
int MsgSeamCallCount();                // calls since the reset
const MsgBoxCall* MsgSeamCall(int n);  // 0 = oldest kept; null when out of range
const MsgBoxCall* MsgSeamLastCall();
