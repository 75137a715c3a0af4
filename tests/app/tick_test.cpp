// The 20 ms tick: elapsed time, steps per speed level, giving way to input, start-up guard,
// and the idle step's counters.
#include "app/tick.h"
#include <gtest/gtest.h>
#include <thread>
#include <vector>
#include "model/general_section.h"
#include "model/netfile_options.h"

namespace {
struct Fake {
  int running = 0, level = 1, delay = 4500, loop = 0, modal = 0;
  uint32_t now = 0;
  int steps = 0;
  int inputAfter = -1;  // input "arrives" once this many steps have run
};
Fake F;
int Running() { return F.running; }
int Level() { return F.level; }
int Delay() { return F.delay; }
int Loop() { return F.loop; }
int Modal() { return F.modal; }
uint32_t Now() { return F.now; }
int Input() { return F.inputAfter >= 0 && F.steps >= F.inputAfter; }
void Step() { F.steps++; }
const TickHooks kHooks = {Running, Level, Delay, Loop, Modal, Now, Input, Step};
}  // namespace

class TickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    F = Fake();
    Tick = TickState();
    StartupFinished = 1;
  }
};

TEST_F(TickTest, ElapsedTimeCapAndWrap) {
  static const struct {
    uint32_t last, now;
    int32_t before, after;
  } cases[] = {
      {1000, 1020, 0, 20},     {1000, 1100, 0, 100}, {1000, 5000, 0, 200},  // capped
      {1000, 1150, 100, 200},                                               // total capped
      {0xFFFFFFF0u, 5, 0, 20},  // count went back: exactly 20
      {500, 400, 30, 50},
  };
  for (auto& c : cases) {
    TickState t = {c.last, c.before, 0};
    TickAddElapsed(&t, c.now);
    EXPECT_EQ(t.accumulated, c.after) << c.last << " " << c.now;
    EXPECT_EQ(t.lastTick, c.now);
  }
}

TEST_F(TickTest, StepsPerRound) {
  static const struct {
    int running, level, delay, steps;
  } cases[] = {
      {0, 20, 4500, 1},                   // stopped: one step
      {1, 1, 4500, 1},                    // level 1: one per 20 ms whatever the delay
      {1, 1, 1, 1},     {1, 8, 4500, 1},  // divisor 64
      {1, 10, 4500, 1}, {1, 12, 4500, 2}, {1, 19, 4500, 5}, {1, 19, 5000, 5},  // divisor 71
      {1, 5, 70, 25},                     // delay 70 or less: level squared
      {1, 3, 1, 9},     {1, 2, 5000, 1},  // at least 1
  };
  for (auto& c : cases) {
    int32_t rem = 0;
    EXPECT_EQ(StepsPerRound(c.running, c.level, c.delay, &rem), c.steps)
        << c.running << " " << c.level << " " << c.delay;
  }
}

TEST_F(TickTest, HandlerRunsStepsForElapsedTime) {
  F.running = 1;
  F.level = 12;  // 2 steps per 20 ms at delay 4500
  Tick.lastTick = 1000;
  F.now = 1060;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 6);
  EXPECT_EQ(F.steps, 6);
  EXPECT_EQ(Tick.accumulated, 0);
  F.now = 1070;  // 10 ms start a round too; the 10 ms overdrawn carry over
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 2);
  EXPECT_EQ(Tick.accumulated, -10);
}

TEST_F(TickTest, LoopRunsStepsItself) {
  static const struct {
    int running, level, loop, expect;
  } cases[] = {
      {1, 20, 0, 1}, {1, 19, 0, 0}, {1, 2, 1, 1}, {1, 1, 1, 0}, {0, 20, 1, 0},
  };
  for (auto& c : cases) EXPECT_EQ(LoopRunsSteps(c.running, c.level, c.loop), c.expect);
  F.running = 1;
  F.level = 20;
  Tick.lastTick = 1000;
  F.now = 1100;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 0);
  EXPECT_EQ(Tick.lastTick, 1000u);  // nothing touched
}

TEST_F(TickTest, GivesWayToInputAfterEveryFifthStep) {
  F.running = 1;
  F.level = 19;  // 5 steps per round, 10 rounds in 200 ms
  Tick.lastTick = 0;
  F.now = 200;
  F.inputAfter = 7;  // input arrives during the second group of five
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 10);
  EXPECT_EQ(Tick.accumulated, 0);
  F.steps = 0;
  F.inputAfter = -1;
  F.now = 400;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 50);
}

TEST_F(TickTest, DialogOrMenuSpendsTheTime) {
  F.modal = 1;
  Tick.lastTick = 0;
  F.now = 200;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 0);
  EXPECT_EQ(Tick.accumulated, 180);  // one round spent per tick message
  F.modal = 0;
  F.now = 200;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 9);
}

TEST_F(TickTest, NoStepBeforeStartupFinished) {
  StartupFinished = 0;
  Tick.lastTick = 0;
  F.now = 200;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 0);
  EXPECT_EQ(F.steps, 0);
  EXPECT_EQ(Tick.accumulated, 0);
  StartupFinished = 1;
  F.now = 240;
  EXPECT_EQ(HandleTick(&Tick, &kHooks), 2);  // only the time since start-up ended
}

namespace {
int idleRunning, clockTicks, anims, timers, autosaves, follow, followResult, releases, edge;
int IRunning() { return idleRunning; }
void IClock() { clockTicks++; }
void IAnim() { anims++; }
void ITimers() { timers++; }
int IModal() { return 0; }
void IAutosave() { autosaves++; }
int IFollow() { return follow; }
int IFollowTrain() { return followResult; }
void IRelease() { releases++; }
void IEdge(uint32_t s) { edge = (int)s; }
}  // namespace

TEST(IdleStep, ConsumesCountersAndCallsWork) {
  IdleHooks h = {IRunning,  IClock,  IAnim,        ITimers,  IModal,
                 IAutosave, IFollow, IFollowTrain, IRelease, IEdge};
  TimerCounters c = {};
  int32_t countdown = 5;
  c.autosaveCountdown = &countdown;
  RunIdleStepWith(&c, &h, 0);
  EXPECT_EQ(clockTicks + anims + timers + autosaves + releases + edge, 0);
  idleRunning = 1;
  c.anim55 = 3;
  c.elem165 = 1;
  countdown = 0;
  follow = 1;
  followResult = 1;
  RunIdleStepWith(&c, &h, 6);
  EXPECT_EQ(clockTicks, 1);
  EXPECT_EQ(anims, 1);
  EXPECT_EQ(timers, 1);
  EXPECT_EQ(c.anim55.load(), 0u);
  EXPECT_EQ(c.elem165.load(), 0u);
  EXPECT_EQ(autosaves, 1);
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(edge, 6);
  IdleHooks none = {};
  c.anim55 = 1;
  RunIdleStepWith(&c, &none, 1);  // absent components are skipped
  EXPECT_EQ(c.anim55.load(), 0u);
}

// The autosave thread lowers, and the idle step reads, the document's countdown: the one that a
// load, a new network and the autosave itself restart from the interval.
TEST(IdleStep, AutosaveReadsTheDocumentCountdown) {
  IdleHooks h = {};
  h.autosaveStep = IAutosave;
  autosaves = 0;
  ASSERT_EQ(TimerCount.autosaveCountdown, &DocState.autosaveCountdown);
  int32_t saved = DocState.autosaveCountdown;
  DocState.autosaveCountdown = 0;  // run out
  RunIdleStepWith(&TimerCount, &h, 0);
  EXPECT_EQ(autosaves, 1);
  DocState.autosaveCountdown = 600;  // restarted by a load
  RunIdleStepWith(&TimerCount, &h, 0);
  EXPECT_EQ(autosaves, 1);
  DocState.autosaveCountdown = saved;
}

TEST(IdleStep, EdgeScrollInterval) {
  uint32_t last = 1000;
  int dx = 9, dy = 9;
  EXPECT_EQ(EdgeScrollDue(1 | 8, 1050, &last, 100, &dx, &dy), 0);
  EXPECT_EQ(EdgeScrollDue(1 | 8, 1100, &last, 100, &dx, &dy), 1);
  EXPECT_EQ(dx, -1);
  EXPECT_EQ(dy, 1);
  EXPECT_EQ(last, 1100u);
  EXPECT_EQ(EdgeScrollDue(0, 5000, &last, 100, &dx, &dy), 0);
}

// The timer threads raise their counters and lower the autosave countdown while the user-interface
// thread reads and clears them: no raise and no second is lost when threads meet.
TEST(IdleStep, CountersLoseNothingWhenThreadsMeet) {
  TimerCounters c = {};
  int32_t savedCountdown = DocState.autosaveCountdown, savedInterval = DocState.autosaveInterval;
  uint32_t savedBits = AutosaveBits;
  AutosaveBits &= ~AUTOSAVE_SIMULATED_TIME;
  DocState.autosaveInterval = 600;
  SetAutosaveCountdown(&DocState.autosaveCountdown, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; t++)
    threads.emplace_back([&c] {
      for (int i = 0; i < 100000; i++) {
        RaiseTimerCounter(&c.anim55);
        LowerAutosaveCountdown(0);
      }
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(c.anim55.load(), 400000u);
  EXPECT_EQ(DocState.autosaveCountdown, -400000);
  DocState.autosaveCountdown = savedCountdown;
  DocState.autosaveInterval = savedInterval;
  AutosaveBits = savedBits;
}
