// The event loop's wait: it gives back a queued event at once, and without
// one it sleeps until the next tick falls due rather than returning early
// over and over, which would keep the processor busy between ticks. And the
// loop a browser calls once per frame: its timers keep their pace.
#include <gtest/gtest.h>

#include "platform/frame_step.h"
#include "platform/game_window.h"
#include "support/form_fixture.h"

namespace zelvane {
namespace {

class GameLoopTest : public testing::FormTest {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
  void TearDown() override { SDL_Quit(); }

  static void PushUserEvent() {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
  }
};

TEST_F(GameLoopTest, AQueuedEventEndsTheWaitWhetherOrNotATickIsPending) {
  LoadAndWait();
  for (const bool tickPending : {false, true}) {
    SCOPED_TRACE(tickPending ? "Start's ready delay running" : "no timer running");
    if (tickPending) form.DeliverClick(GameWindow::Now(), 0);
    ASSERT_EQ(form.NextDue().has_value(), tickPending);
    PushUserEvent();
    SDL_Event event{};
    ASSERT_TRUE(WaitForEventOrTick(form, event));
    EXPECT_EQ(event.type, SDL_USEREVENT);
  }
}

TEST_F(GameLoopTest, WithoutEventsTheWaitLastsUntilTheTickIsDueAndItIsDelivered) {
  form.DeliverLoad(GameWindow::Now());
  form.OPtimer.Disable();
  form.OPtimer.Enable();
  const std::int64_t due = form.OPtimer.Due();
  int waits = 0;
  for (bool delivered = false; !delivered; delivered = DeliverDueTickNow(form)) {
    SDL_Event event{};
    ASSERT_FALSE(WaitForEventOrTick(form, event)) << "no event was queued";
    ASSERT_LE(++waits, 3) << "the wait keeps returning before the tick is due";
  }
  EXPECT_GE(form.clock.now, due);
  EXPECT_GT(form.OPtimer.Due(), due) << "the title's tick was the one delivered";
}

TEST_F(GameLoopTest, FramesDeliverEachTickAtItsOwnMomentSoTheTitleKeepsItsPace) {
  form.DeliverLoad(0);
  constexpr std::int64_t kFrame = 16;
  std::int64_t frame = 0;
  while (form.OPtimer.Enabled()) {
    frame += kFrame;
    DeliverTicksUntil(form, frame);
    ASSERT_LE(frame, 2000) << "the title crawls at one tick a frame";
  }
  EXPECT_EQ(frame, 640) << "the 127th tick, due at 635 ms, ends the title in the frame after it";
  EXPECT_EQ(form.clock.now, 635);
}

TEST_F(GameLoopTest, AfterFramesStoppedEachTimerFiresOnceAndKeepsItsPeriodFromThere) {
  LoadAndWait();
  StartPlay();
  const std::int16_t row = form.state.waveRow;
  const std::int64_t back = form.clock.now + 10000;
  DeliverTicksUntil(form, back);
  EXPECT_EQ(form.state.waveRow, row + 1) << "ten seconds without frames let the wave fall once";
  EXPECT_EQ(form.GMtime.Due(), back + 1000);
}

}  // namespace
}  // namespace zelvane
