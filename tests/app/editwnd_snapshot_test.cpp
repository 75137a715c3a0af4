// Overlay snapshots handed from the user-interface thread to a render thread under lock A, the
// overlay choice, and the render locks held while drawing is suspended.
#include "app/editwnd.h"
#include "app/tick.h"
#include "core/platform.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstring>

namespace {
LockRecord lockA, lockB;
std::atomic<int> readerStop{0};
std::atomic<int> torn{0};
std::atomic<int> reads{0};

void Reader(void*) {
  while (!readerStop) {
    EditOverlaySnapshot s;
    ReadOverlaySnapshot(1, &s);
    if (s.valid &&
        (s.cursorX != s.cursorY || s.originX != s.cursorX - 5 || s.zoom != s.cursorX % 7 + 1))
      torn++;
    reads++;
  }
}

int tryResult = -1;
void TryA(void*) {
  tryResult = WrapTryEnterCriticalSection(&lockA);
  if (tryResult) WrapLeaveCriticalSection(&lockA);
}

void SetUpSlot() {
  ResetEditWindows();
  EditViewSlot* s = GetEditSlot(1);
  std::memset(&lockA, 0, sizeof lockA);
  std::memset(&lockB, 0, sizeof lockB);
  WrapInitializeCriticalSection(&lockA);
  WrapInitializeCriticalSection(&lockB);
  s->lockA = &lockA;
  s->lockB = &lockB;
}

void TearDownSlot() {
  EditViewSlot* s = GetEditSlot(1);
  s->lockA = s->lockB = nullptr;
  s->renderThread = nullptr;
  WrapDeleteCriticalSection(&lockA);
  WrapDeleteCriticalSection(&lockB);
}
}  // namespace

TEST(OverlaySnapshot, ReaderNeverSeesAHalfWrittenSnapshot) {
  SetUpSlot();
  EditViewSlot* s = GetEditSlot(1);
  readerStop = 0;
  torn = 0;
  reads = 0;
  WrapHandle t = WrapBeginThread(Reader, nullptr, 1);
  ASSERT_NE(t, nullptr);
  for (int i = 0; i < 200000 || reads < 50000; i++) {
    // The user-interface thread changes the view, then hands over the new state.
    s->cursorX = s->cursorY = i;
    s->originX = i - 5;
    s->zoom = i % 7 + 1;
    PublishOverlaySnapshot(1);
  }
  readerStop = 1;
  WrapWaitForSingleObject(t, WRAP_INFINITE);
  WrapCloseHandle(t);
  EXPECT_EQ(torn.load(), 0);
  EXPECT_GT(reads.load(), 0);
  TearDownSlot();
}

TEST(OverlaySnapshot, BadSlotsAreRefused) {
  EditOverlaySnapshot s;
  EXPECT_EQ(PublishOverlaySnapshot(6), 1);
  EXPECT_EQ(PublishOverlaySnapshot(-1), 1);
  EXPECT_EQ(ReadOverlaySnapshot(6, &s), 1);
  EXPECT_EQ(ReadOverlaySnapshot(-1, &s), 1);
}

TEST(OverlaySnapshot, OverlayChoice) {
  static const struct {
    uint32_t valid, mode, texts, ann, trains, pause, expect;
  } cases[] = {
      {0, 1, 1, 1, 1, 0, 0},
      {1, 1, 0, 0, 0, 0, OVERLAY_CURSOR},
      {1, 1, 1, 0, 0, 0, OVERLAY_TEXTS | OVERLAY_CURSOR},
      {1, 2, 1, 0, 0, 0, OVERLAY_CURSOR},  // texts only in mode 1
      {1, 2, 0, 4, 2, 0, OVERLAY_ANNOTATIONS | OVERLAY_TRAIN_LABELS | OVERLAY_CURSOR},
      {1, 1, 1, 4, 2, 1, OVERLAY_TEXTS | OVERLAY_CURSOR},  // paused: no annotations, labels
      {1, 3, 1, 4, 2, 0, OVERLAY_CURSOR},
      {1, 1, 0, 0x40, 4, 0, OVERLAY_CURSOR},  // bits beyond the six and two
  };
  for (auto& c : cases) {
    EditOverlaySnapshot s = {};
    s.valid = c.valid;
    s.viewMode = c.mode;
    s.textLabels = c.texts;
    s.annotationBits = c.ann;
    s.trainLabelBits = c.trains;
    s.overlayPause = c.pause;
    EXPECT_EQ(OverlaysToDraw(&s), c.expect) << c.mode << " " << c.ann << " " << c.pause;
  }
}

TEST(OverlaySnapshot, SnapshotCarriesThePauseSwitch) {
  SetUpSlot();
  OverlayPauseSwitch = 1;
  OverlayAnnotationBits = 0xFF;
  PublishOverlaySnapshot(1);
  EditOverlaySnapshot s;
  ReadOverlaySnapshot(1, &s);
  EXPECT_EQ(s.overlayPause, 1u);
  EXPECT_EQ(s.annotationBits, 0x3Fu);
  OverlayPauseSwitch = 0;
  OverlayAnnotationBits = 0;
  TearDownSlot();
}

TEST(RenderLocks, SuspensionHoldsLockAUntilResumed) {
  SetUpSlot();
  EditViewSlot* s = GetEditSlot(1);
  int fakeThread = 0;
  s->renderThread = &fakeThread;  // a slot with a render thread
  LockAllRenderLocks();
  EXPECT_EQ(s->suspendedLockA, 1u);
  LockAllRenderLocks();  // a second suspension does not enter twice
  WrapHandle t = WrapBeginThread(TryA, nullptr, 1);
  WrapWaitForSingleObject(t, WRAP_INFINITE);
  WrapCloseHandle(t);
  EXPECT_EQ(tryResult, 0);  // the render thread would skip its frame
  UnlockAllRenderLocks();
  EXPECT_EQ(s->suspendedLockA, 0u);
  t = WrapBeginThread(TryA, nullptr, 1);
  WrapWaitForSingleObject(t, WRAP_INFINITE);
  WrapCloseHandle(t);
  EXPECT_EQ(tryResult, 1);
  for (int i = 0; i < EDIT_SLOTS; i++) EXPECT_EQ(EditViews.slot[i].suspendedLockA, 0u);
  TearDownSlot();
}
