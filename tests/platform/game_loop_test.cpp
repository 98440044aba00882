// The event loop's wait: it gives back a queued event at once, and without
// one it sleeps until the next tick falls due rather than returning early
// over and over, which would keep the processor busy between ticks.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zelvane
