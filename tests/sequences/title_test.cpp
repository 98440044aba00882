#include <gtest/gtest.h>

#include <vector>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

class TitleTest : public testing::FormTest {
 protected:
  void SetUp() override { form.DeliverLoad(form.clock.now); }
  void Tick() { form.OPtimer_Timer(); }
  // Ticks through one slide, returning the position after each tick.
  std::vector<int> Slide() {
    const std::int16_t step = form.state.titleStep;
    std::vector<int> positions;
    while (form.state.titleStep == step) {
      Tick();
      positions.push_back(form.state.titlePos);
    }
    return positions;
  }
  void SetUpStep() {
    const std::int16_t step = form.state.titleStep;
    Tick();
    ASSERT_EQ(form.state.titleStep, step + 1);
  }
};

TEST_F(TitleTest, EverySlideDrawsTheDesignedPositionsAndEndsOnItsTarget) {
  using V = std::vector<int>;
  EXPECT_EQ(Slide(), (V{136, 125, 115, 105, 96, 87, 79, 72, 65, 59, 53, 48, 44, 40, 37, 34, 32, 31, 30}));
  SetUpStep();
  EXPECT_EQ(form.state.titlePos, 150);
  EXPECT_EQ(form.state.titleSpeed, 88);
  EXPECT_EQ(Slide(), (V{142, 134, 126, 119, 112, 106, 100, 94, 89, 84, 80, 76, 72, 69, 66, 64, 62, 60}));
  SetUpStep();
  EXPECT_EQ(Slide(), (V{143, 137, 131, 125, 120, 115, 111, 107, 103, 100, 97, 95, 93, 91, 90}));
  SetUpStep();
  EXPECT_EQ(Slide(), (V{147, 145, 143, 141, 139, 137, 135, 133, 131, 129, 127, 126, 125, 124, 123, 122, 121, 120}));
  SetUpStep();
  EXPECT_EQ(Slide(), (V{-27, -25, -23, -21, -19, -17, -15, -13, -11, -9, -7, -6, -5, -4, -3, -2, -1, 0}));
  const V button{7080, 6966, 6858, 6756, 6660, 6570, 6486, 6408, 6336, 6270, 6210, 6156, 6108, 6066, 6030, 6000};
  SetUpStep();
  EXPECT_EQ(Slide(), button);
  EXPECT_EQ(form.Cm1[0].left, 6000);
  EXPECT_EQ(form.Cm1[1].left, 7200);
  SetUpStep();
  EXPECT_EQ(Slide(), button);
  EXPECT_FALSE(form.Cm1[0].enabled);
  Tick();
  EXPECT_TRUE(form.Cm1[0].enabled && form.Cm1[1].enabled);
  EXPECT_FALSE(form.OPtimer.Enabled());
}

TEST_F(TitleTest, TakesExactly127TicksOnTheFiveMillisecondTimer) {
  RunFor(form, 126 * 5);
  EXPECT_TRUE(form.OPtimer.Enabled());
  EXPECT_FALSE(form.Cm1[0].enabled);
  RunFor(form, 5);
  EXPECT_FALSE(form.OPtimer.Enabled());
  EXPECT_EQ(form.state.titleStep, 13);
  EXPECT_EQ(form.state.titleSpeed, 16);
  EXPECT_EQ(form.Cm1[0].left, 6000);
  EXPECT_EQ(form.Cm1[1].left, 6000);
  form.OPtimer_Timer();
  EXPECT_EQ(form.state.titleStep, 13);
  form.state.titleStep = 14;
  form.OPtimer_Timer();
  EXPECT_EQ(form.state.titleStep, 14) << "a step past the last does nothing";
}

TEST_F(TitleTest, TheTableStandsInFiveRowsWithTheBestInBrightDigits) {
  form.state.hiScores = {987654, 50000, 1200, 30, 0};
  RunFor(form, 1000);
  const char* rows[] = {"987654", "050000", "001200", "000030", "000000"};
  for (int rank = 0; rank < 5; ++rank) {
    for (int i = 0; i < 6; ++i) {
      const Point source = ShownSource(form.WIpc, 20 * i, 30 * rank);
      EXPECT_EQ(source.x, 160 + 20 * (rows[rank][i] - '0')) << "rank " << rank << " digit " << i;
      EXPECT_EQ(source.y, rank == 0 ? 210 : 180);
      EXPECT_EQ(ShownSource(form.WIpc, 20 * i + 19, 30 * rank + 29).y, source.y + 29);
    }
  }
}

TEST_F(TitleTest, TheFirstTicksDrawRowOneAndTheSetupDrawsNothing) {
  Tick();
  EXPECT_EQ(form.state.titlePos, 136);
  EXPECT_EQ(ShownSource(form.WIpc, 0, 136).y, 180);
  for (int tick = 2; tick <= 19; ++tick) Tick();
  EXPECT_EQ(form.state.titleStep, 1);
  EXPECT_EQ(ShownSource(form.WIpc, 0, 30).y, 180);
  EXPECT_EQ(form.WIpc.Shown().At(0, 60), Black) << "what row 1 left below itself is erased";
  const Image before = form.WIpc.Shown();
  Tick();
  EXPECT_EQ(form.state.titlePos, 150);
  EXPECT_EQ(form.state.titleSpeed, 88);
  for (int y = 0; y < 150; ++y) ASSERT_EQ(form.WIpc.Shown().At(10, y), before.At(10, y));
}

TEST_F(TitleTest, RowZeroComesInFromAboveWithoutErasingBelow) {
  RunFor(form, 5 * 74);  // rows 1 to 4 and their setups
  ASSERT_EQ(form.state.titleStep, 8);
  Tick();
  EXPECT_EQ(form.state.titlePos, -27);
  EXPECT_EQ(ShownSource(form.WIpc, 0, 0), (Point{160, 237})) << "only the lower part of the glyph shows";
  EXPECT_EQ(ShownSource(form.WIpc, 0, 30).y, 180) << "row 1 is untouched";
}

}  // namespace
}  // namespace zelvane
