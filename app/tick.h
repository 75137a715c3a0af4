// The 20 ms tick: elapsed-time bookkeeping (capped at 200 ms), idle steps per speed level,
// giving way to waiting input after every fifth step, and the idle step with its counters.
#pragma once
#include <atomic>
#include <cstdint>

struct TickState {
  uint32_t lastTick;        // tick count of the last tick message
  int32_t accumulated;      // milliseconds not yet spent, at most 200
  int32_t speed1Remainder;  // carried milliseconds at speed level 1
};

// Counters of the timer threads: raised by those threads, read and cleared by the next idle step
// on the user-interface thread; atomic, with no order asked of other memory.
struct TimerCounters {
  std::atomic<uint32_t> anim55;   // raised every 55 ms while AnimationSwitch is on
  std::atomic<uint32_t> elem165;  // raised every 165 ms (AnimationSwitch on, pause off)
  // The autosave countdown in seconds, lowered once a second unless autosave is off. It is the
  // document's own countdown (restarted by every load, new network and autosave), so the
  // program's counters point at it; null: no countdown. Changed only with interlocked
  // operations (LowerAutosaveCountdown, SetAutosaveCountdown).
  int32_t* autosaveCountdown;
};

// The timer threads' work on their counters.
void RaiseTimerCounter(std::atomic<uint32_t>* counter);

extern TickState Tick;
extern TimerCounters TimerCount;
extern volatile uint32_t AnimationSwitch;
extern volatile uint32_t OverlayPauseSwitch;
extern uint32_t EdgeScrollState;  // 1 left, 2 right, 4 up, 8 down
extern uint32_t LastEdgeScrollTime;
extern uint32_t StartupFinished;  // 0 until the start-up has run to its end

// What the tick handler and the idle step ask of the rest of the program. A member left null
// stands for a component that is not part of the program (its work is skipped).
struct TickHooks {
  int (*simulationRunning)();
  int (*speedLevel)();  // 1..20
  int (*tickDelay)();   // 1..5000
  int (*loopOption)();  // 1 when the option ViaTimer is 'V'
  int (*modalOpen)();   // 1 while a dialog runs or a popup menu is open
  uint32_t (*tickCount)();
  int (*inputArrived)();  // keys, mouse moves, buttons or paint requests since last look
  void (*runIdleStep)();
};

// 1 when the message loop itself runs the steps (running and level 20, or loop option and
// level 2 or more); the tick handler then does nothing.
int LoopRunsSteps(int running, int level, int loopOption);

// Adds the time since the last tick (20 ms when the count went back), caps the total at 200.
void TickAddElapsed(TickState* t, uint32_t now);

// Idle steps allowed for one 20 ms round: 1 while stopped; at level 1 from the carried
// remainder; above it max(1, level x level / max(1, tickDelay / 70)).
int StepsPerRound(int running, int level, int tickDelay, int32_t* speed1Remainder);

// The tick message handler. Returns the number of idle steps run.
int HandleTick(TickState* t, const TickHooks* h);

// The idle step and what it asks of the components (null = component not present).
struct IdleHooks {
  int (*simulationRunning)();
  void (*advanceClock)();
  void (*stepAnimations)();
  void (*countDownTimerElements)();
  int (*modalOpen)();
  void (*autosaveStep)();
  int (*followMode)();
  int (*followSelectedTrain)();  // 1 when the followed window must draw at once
  void (*releaseFrameSemaphore)();
  void (*edgeScrollStep)(uint32_t state);
};
void RunIdleStepWith(TimerCounters* c, const IdleHooks* h, uint32_t edgeScrollState);

// One edge-scroll move when the interval has passed: returns 1 and the move (dx, dy) when due.
int EdgeScrollDue(uint32_t state, uint32_t now, uint32_t* lastTime, uint32_t interval, int* dx,
                  int* dy);
