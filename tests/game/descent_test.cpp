#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

class DescentTest : public testing::FormTest {
 protected:
  void SetUp() override {
    LoadAndWait();
    StartPlay();
  }
  // Lands the wave standing in row 6 at the next tick.
  void LandNow(std::array<std::int16_t, 5> codes, std::array<std::int16_t, 5> hits = {1, 1, 1, 1, 1}) {
    SetWave(codes, hits, 6);
    form.GMtime_Timer();
  }
  static constexpr std::array<std::int16_t, 5> kNothing{SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty};
};

TEST_F(DescentTest, AtOneSecondAWaveFallsARowASecondAndLandsAtSeven) {
  const auto firstWave = form.state.slotCode;
  for (int second = 1; second <= 6; ++second) {
    RunFor(form, 999);
    EXPECT_EQ(form.state.waveRow, second - 1);
    RunFor(form, 1);
    EXPECT_EQ(form.state.waveRow, second);
    EXPECT_EQ(form.state.slotCode, firstWave);
  }
  RunFor(form, 1000);
  EXPECT_EQ(form.state.waveRow, 0);
  EXPECT_EQ(form.state.pileCount, 2);
  EXPECT_EQ(form.Mpc.Shown().At(5, 6 * 30 + 5), Black) << "row 6 was erased";
}

TEST_F(DescentTest, AMoveErasesTheOldBandAndDrawsTheWaveOneRowLower) {
  SetWave({2, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty}, {1, 0, 0, 0, 0}, 2);
  form.DrawWave();
  form.GMtime_Timer();
  EXPECT_EQ(form.Mpc.Shown().At(5, 65), Black);
  EXPECT_EQ(ShownSource(form.Mpc, 0, 90), (Point{60, 0}));
}

TEST_F(DescentTest, TheLevelFollowsTheScoreOnlyAtALanding) {
  const std::pair<std::int32_t, std::int16_t> cases[] = {{999, 1},  {1000, 2}, {3199, 2},
                                                         {3200, 3}, {8499, 3}, {8500, 4}};
  for (const auto& [score, level] : cases) {
    form.state.score = score;
    form.state.level = 1;
    form.DrawHud();
    EXPECT_EQ(form.state.level, 1);
    LandNow(kNothing);
    EXPECT_EQ(form.state.level, level) << "score " << score;
  }
}

TEST_F(DescentTest, ItemsActInSlotOrderAtTheLevelInForce) {
  form.state.score = 5000;
  const std::int16_t pileBefore = form.state.pileCount;
  LandNow({ItemReset, 0, ItemBonus, SlotEmpty, SlotEmpty});
  EXPECT_EQ(form.state.score, 5200) << "the reset came first, so the bonus paid at level 1";
  EXPECT_EQ(form.state.level, 1);
  EXPECT_EQ(form.state.pileCount, pileBefore + 1);
  EXPECT_EQ(cues.played, (std::vector<std::string>{"efg.wav", "def.wav", "efg.wav"}));
}

TEST_F(DescentTest, SlowItemsLengthenTheDescentAndBoxesDoNothing) {
  form.GMtime.SetInterval(100);
  LandNow({ItemSlow, ItemBox, SlotEmpty, ItemSlow, SlotEmpty});
  EXPECT_EQ(form.GMtime.Interval(), 200);
  EXPECT_EQ(cues.played, (std::vector<std::string>{"efg.wav", "efg.wav"}));
}

TEST_F(DescentTest, EachLandedLetterThudsInTurn) {
  LandNow({0, 1, 2, 3, 4});
  EXPECT_EQ(cues.played, std::vector<std::string>(5, "def.wav"));
}

TEST_F(DescentTest, LettersFillThePileBottomRowFirstFromTheLeft) {
  const std::pair<std::int16_t, Point> cells[] = {{0, {0, 270}},   {4, {120, 270}}, {5, {0, 240}},
                                                  {9, {120, 240}}, {10, {0, 210}},  {13, {90, 210}}};
  for (const auto& [count, cell] : cells) {
    form.state.pileCount = count;
    LandNow({22, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty});  // W, drawn from its landed tile
    EXPECT_EQ(ShownSource(form.Mpc, cell.x, cell.y), (Point{60, 120})) << "pile count " << count;
    EXPECT_EQ(form.state.pileCount, count + 1);
  }
}

TEST_F(DescentTest, TheFifteenthLetterEndsPlayAndTheRestOfTheWaveStillLands) {
  form.state.pileCount = 14;
  form.state.warnPhase = 0;
  form.ATtimer.Enable();
  form.state.score = 100;
  LandNow({1, SlotEmpty, 2, ItemBonus, 3});
  EXPECT_EQ(form.state.pileCount, 17);
  EXPECT_FALSE(form.GMtime.Enabled());
  EXPECT_FALSE(form.ATtimer.Enabled());
  EXPECT_TRUE(form.GOtimer.Enabled());
  EXPECT_FALSE(form.KeyPreview);
  EXPECT_EQ(form.state.warnPhase, 1);
  EXPECT_EQ(form.state.score, 300) << "a bonus after the fifteenth letter still pays";
  EXPECT_EQ(cues.played, (std::vector<std::string>{"def.wav", "def.wav", "efg.wav", "def.wav"}));
  EXPECT_EQ(ShownSource(form.Mpc, 120, 210), (Point{30, 90})) << "the fifteenth fills row 7, column 4";
  int landed = 0;
  for (int n : form.state.rowLanded) landed += n;
  EXPECT_EQ(landed, 3);
  EXPECT_EQ(form.state.waveRow, 0);
  EXPECT_NE(form.state.slotCode, (std::array<std::int16_t, 5>{1, SlotEmpty, 2, ItemBonus, 3}))
      << "the game-ending tick still deals a new wave";
}

TEST_F(DescentTest, TwoLettersAtThirteenFillTheLastTwoCells) {
  form.state.pileCount = 13;
  LandNow({SlotEmpty, 7, SlotEmpty, 8, SlotEmpty});
  EXPECT_EQ(form.state.pileCount, 15);
  EXPECT_EQ(ShownSource(form.Mpc, 90, 210), (Point{210, 90}));
  EXPECT_EQ(ShownSource(form.Mpc, 120, 210), (Point{240, 90}));
  EXPECT_TRUE(form.GOtimer.Enabled());
}

TEST_F(DescentTest, TheTenthLetterStartsTheWarningOnce) {
  form.state.pileCount = 8;
  LandNow({0, 1, SlotEmpty, SlotEmpty, SlotEmpty});
  EXPECT_TRUE(form.ATtimer.Enabled());
  EXPECT_EQ(form.state.warnPhase, 1);
  const std::int64_t due = form.ATtimer.Due();
  LandNow({2, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty});
  EXPECT_EQ(form.ATtimer.Due(), due);
}

TEST_F(DescentTest, ACountNoGameReachesSticksAtItsLimit) {
  form.state.score = 2'147'483'000;
  form.state.level = 4;
  form.GMtime.SetInterval(2'147'483'600);
  form.state.pileCount = 32767;
  LandNow({ItemBonus, ItemSlow, 0, SlotEmpty, SlotEmpty});
  EXPECT_EQ(form.state.score, 2'147'483'647);
  EXPECT_EQ(form.GMtime.Interval(), 2'147'483'647);
  EXPECT_EQ(form.state.pileCount, 32767);
}

}  // namespace
}  // namespace zelvane
