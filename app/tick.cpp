// The 20 ms tick and the idle step: how elapsed time becomes simulation steps.
#include "app/tick.h"
#include "app/editwnd_layout.h"
#include "model/general_section.h"

TickState Tick;
TimerCounters TimerCount = {{0}, {0}, &DocState.autosaveCountdown};
volatile uint32_t AnimationSwitch = 1;
volatile uint32_t OverlayPauseSwitch = 0;
uint32_t EdgeScrollState = 0;
uint32_t LastEdgeScrollTime = 0;
uint32_t StartupFinished = 0;

int LoopRunsSteps(int running, int level, int loopOption) {
  return running && (level >= 20 || (loopOption && level >= 2));
}

void TickAddElapsed(TickState* t, uint32_t now) {
  if (now < t->lastTick) {
    t->accumulated += 20;
  } else {
    uint32_t d = now - t->lastTick;
    t->accumulated += d > 200 ? 200 : (int32_t)d;
  }
  t->lastTick = now;
  if (t->accumulated > 200) t->accumulated = 200;
}

int StepsPerRound(int running, int level, int tickDelay, int32_t* speed1Remainder) {
  if (!running) return 1;
  if (level <= 1) {
    *speed1Remainder += 20;
    int steps = *speed1Remainder / 20;
    *speed1Remainder %= 20;
    return steps;
  }
  int div = tickDelay / 70;
  if (div < 1) div = 1;
  int steps = level * level / div;
  return steps < 1 ? 1 : steps;
}

int HandleTick(TickState* t, const TickHooks* h) {
  uint32_t now = h->tickCount ? h->tickCount() : t->lastTick;
  if (!StartupFinished) {
    // Nothing runs before the start-up is complete; no time piles up meanwhile.
    t->lastTick = now;
    t->accumulated = 0;
    return 0;
  }
  int running = h->simulationRunning ? h->simulationRunning() : 0;
  int level = h->speedLevel ? h->speedLevel() : 1;
  int delay = h->tickDelay ? h->tickDelay() : 4500;
  int loop = h->loopOption ? h->loopOption() : 0;
  if (LoopRunsSteps(running, level, loop)) return 0;

  TickAddElapsed(t, now);
  int total = 0;
  while (t->accumulated > 0) {
    t->accumulated -= 20;
    if (h->modalOpen && h->modalOpen()) return total;  // these 20 ms are spent
    int steps = StepsPerRound(running, level, delay, &t->speed1Remainder);
    for (int i = 1; i <= steps; i++) {
      if (h->runIdleStep) h->runIdleStep();
      total++;
      if (i % 5 == 0 && h->inputArrived && h->inputArrived()) {
        t->accumulated = 0;
        return total;
      }
    }
  }
  return total;
}

void RaiseTimerCounter(std::atomic<uint32_t>* counter) {
  counter->fetch_add(1, std::memory_order_relaxed);
}

void RunIdleStepWith(TimerCounters* c, const IdleHooks* h, uint32_t edgeScrollState) {
  if (h->simulationRunning && h->simulationRunning() && h->advanceClock) h->advanceClock();
  if (c->anim55.exchange(0, std::memory_order_relaxed)) {
    if (h->stepAnimations) h->stepAnimations();
  }
  if (c->elem165.exchange(0, std::memory_order_relaxed)) {
    if (h->countDownTimerElements) h->countDownTimerElements();
  }
  if (c->autosaveCountdown && GetAutosaveCountdown(c->autosaveCountdown) < 1 &&
      !(h->modalOpen && h->modalOpen()) && h->autosaveStep)
    h->autosaveStep();
  if (h->followMode && h->followMode() && h->followSelectedTrain && h->followSelectedTrain() == 1 &&
      h->releaseFrameSemaphore)
    h->releaseFrameSemaphore();
  if (edgeScrollState && h->edgeScrollStep) h->edgeScrollStep(edgeScrollState);
}

int EdgeScrollDue(uint32_t state, uint32_t now, uint32_t* lastTime, uint32_t interval, int* dx,
                  int* dy) {
  if (!state || now - *lastTime < interval) return 0;
  *lastTime = now;
  EdgeScrollDelta(state, dx, dy);
  return 1;
}
