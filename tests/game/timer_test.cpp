#include "game/timer.h"

#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

TEST(TimerTest, EnablingStartsAFreshCountdownButReEnablingKeepsIt) {
  Clock clock{100};
  Timer timer(clock, 50, false);
  timer.Enable();
  EXPECT_EQ(timer.Due(), 150);
  clock.now = 120;
  timer.Enable();
  EXPECT_EQ(timer.Due(), 150);
  timer.Disable();
  timer.Enable();
  EXPECT_EQ(timer.Due(), 170);
}

TEST(TimerTest, PunctualTicksDoNotDriftAndLateOnesDoNotCatchUp) {
  Clock clock{0};
  Timer timer(clock, 100, true);
  timer.Fired(100);
  EXPECT_EQ(timer.Due(), 200);
  timer.Fired(203);  // a little late: the period stays on its grid
  EXPECT_EQ(timer.Due(), 300);
  timer.Fired(750);  // far behind: one tick, then a full interval from now
  EXPECT_EQ(timer.Due(), 850);
}

TEST(TimerTest, ANewIntervalIsUsedFromTheFollowingTick) {
  Clock clock{0};
  Timer timer(clock, 1000, true);
  timer.SetInterval(500);
  EXPECT_EQ(timer.Due(), 1000);
  timer.Fired(1000);
  EXPECT_EQ(timer.Due(), 1500);
}

class SchedulerTest : public testing::FormTest {};

TEST_F(SchedulerTest, EarliestDueTickIsDeliveredFirstAndDisabledTimersStaySilent) {
  form.OPtimer.Disable();
  form.GMtime.Enable();   // due 1000
  form.ATtimer.Enable();  // due 200
  EXPECT_EQ(form.NextDue(), 200);
  form.GMtime.Disable();
  form.ATtimer.Disable();
  EXPECT_FALSE(form.NextDue().has_value());
  EXPECT_FALSE(form.DeliverDueTick(5000));
}

TEST_F(SchedulerTest, NothingRunsAfterEnd) {
  LoadAndWait();
  form.DeliverClick(form.clock.now, 1);
  ASSERT_TRUE(form.EndRequested());
  EXPECT_EQ(form.ExitStatus(), 0);
  form.OPtimer.Enable();
  EXPECT_FALSE(form.NextDue().has_value());
  EXPECT_FALSE(form.DeliverDueTick(1'000'000));
}

}  // namespace
}  // namespace zelvane
