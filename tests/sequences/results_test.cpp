#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

class ResultsTest : public testing::FormTest {
 protected:
  void SetUp() override {
    form.DeliverLoad(form.clock.now);
    form.OPtimer.Disable();
  }
  // The digit places of result line k: the digit shown in each, or -1 when empty.
  std::array<int, 3> Places(int k) const {
    std::array<int, 3> places{};
    for (int j = 0; j < 3; ++j) {
      const Rgb pixel = form.WIpc.Shown().At(30 + 20 * j, 20 + 35 * k);
      const Point source = testing::AtlasSourceOf(pixel);
      places[static_cast<std::size_t>(j)] = pixel == Black ? -1 : (source.x - 160) / 20;
    }
    return places;
  }
};

TEST_F(ResultsTest, RatesStandRightAlignedWithoutLeadingZeros) {
  const std::pair<std::int16_t, std::array<int, 3>> cases[] = {
      {100, {1, 0, 0}}, {85, {-1, 8, 5}}, {10, {-1, 1, 0}}, {7, {-1, -1, 7}}, {0, {-1, -1, 0}}};
  for (const auto& [rate, places] : cases) {
    form.WIpc.Clear();
    form.state.resultStep = 1;
    form.state.rowRate[1] = rate;
    form.PointCtimer_Timer();
    EXPECT_EQ(Places(1), places) << rate;
  }
}

TEST_F(ResultsTest, ThreeLinesWithMarkersAndSoundsThenThreeQuietTicks) {
  form.state.rowRate = {100, 43, 0};
  form.PointCtimer.Enable();
  for (int k = 0; k < 3; ++k) {
    RunFor(form, 1500);
    EXPECT_EQ(cues.played.size(), static_cast<std::size_t>(k + 1));
    EXPECT_EQ(ShownSource(form.WIpc, 0, 20 + 35 * k), (Point{180 + 30 * k, 30})) << "marker of row " << k;
    EXPECT_EQ(ShownSource(form.WIpc, 90, 20 + 35 * k), (Point{570, 210}));
    EXPECT_EQ(ShownSource(form.WIpc, 119, 49 + 35 * k), (Point{599, 239}));
  }
  EXPECT_EQ(cues.played, (std::vector<std::string>{"ijk.wav", "ijk.wav", "ijk.wav"}));
  RunFor(form, 3 * 1500);
  EXPECT_EQ(cues.played.size(), 3u);
  EXPECT_EQ(form.state.resultStep, 6);
  EXPECT_EQ(Places(0), (std::array<int, 3>{1, 0, 0}));
}

TEST_F(ResultsTest, TheSeventhTickWipesEverySecondDiagonalAndRestartsTheTitle) {
  // A playfield full of one non-black tile, standing for the curtain.
  for (int row = 0; row < 10; ++row) {
    for (int col = 0; col < 5; ++col)
      form.DrawSlot(0, static_cast<std::int16_t>(col), static_cast<std::int16_t>(row), 1);
  }
  form.WIpc.Copy(0, 0, 30, 30, form.Kpc, 180, 30);
  form.WIpc.Present();
  form.state.level = 3;
  form.state.titleStep = 13;
  form.state.resultStep = 6;
  form.PointCtimer.Enable();
  const Image before = form.Mpc.Shown();
  RunFor(form, 1500);
  EXPECT_EQ(form.Mpc.Shown().At(1, 1), Black);
  EXPECT_EQ(form.Mpc.Shown().At(2, 1), before.At(2, 1));
  for (int y = 0; y < 300; y += 13) {
    for (int x = 0; x < 150; x += 7) {
      EXPECT_EQ(form.Mpc.Shown().At(x, y), (x + y) % 2 == 0 ? Black : before.At(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(form.WIpc.Shown().At(5, 5), Black);
  EXPECT_EQ(form.state.level, 1);
  EXPECT_EQ(form.state.resultStep, 0);
  EXPECT_EQ(form.state.titleStep, 0);
  EXPECT_EQ(form.state.titlePos, 148);
  EXPECT_EQ(form.state.titleSpeed, 120);
  EXPECT_TRUE(form.OPtimer.Enabled());
  EXPECT_FALSE(form.PointCtimer.Enabled());
  EXPECT_FALSE(form.OVtimer.Enabled());
  EXPECT_TRUE(cues.played.empty());
}

TEST_F(ResultsTest, AnUnknownStepDoesNothing) {
  form.state.resultStep = 7;
  form.PointCtimer.Enable();
  form.PointCtimer_Timer();
  EXPECT_EQ(form.state.resultStep, 7);
  EXPECT_TRUE(form.PointCtimer.Enabled());
}

TEST_F(ResultsTest, ASecondGameAfterTheFirstStartsFromTheDesignedState) {
  form.OPtimer.Enable();
  form.random.Seed(7);
  for (int game = 0; game < 2; ++game) {
    RunFor(form, 1000);
    ASSERT_TRUE(form.Cm1[0].enabled) << "game " << game;
    form.DeliverClick(form.clock.now, 0);
    RunFor(form, 3000);
    EXPECT_EQ(form.state.score, 0);
    EXPECT_EQ(form.state.pileCount, 0);
    EXPECT_EQ(form.state.level, 1);
    EXPECT_EQ(form.GMtime.Interval(), 1000);
    EXPECT_EQ(form.state.curtainRow, 0);
    EXPECT_EQ(form.state.curtainCol, 0);
    EXPECT_EQ(form.state.curtainDir, 1);
    EXPECT_EQ(form.state.resultStep, 0);
    while (form.GMtime.Enabled()) RunFor(form, 1000);
    RunFor(form, 600 + 2500 + 7 * 1500);
    EXPECT_TRUE(form.OPtimer.Enabled());
  }
}

}  // namespace
}  // namespace zelvane
