#include <gtest/gtest.h>

#include "game/score_digits.h"
#include "support/form_fixture.h"

namespace zelvane {
namespace {

class HudTest : public testing::FormTest {
 protected:
  // The digits SCpc shows, read back from the glyphs copied into it.
  std::string ShownScore() const {
    std::string digits;
    for (int i = 0; i < 6; ++i) {
      const Point source = ShownSource(form.SCpc, i * 20 + 4, 4);
      EXPECT_EQ(source.y, 180);
      digits += static_cast<char>('0' + (source.x - 160) / 20);
    }
    return digits;
  }
};

TEST_F(HudTest, ShowsTheScoreAsSixDigitsAndNeverAWrongOne) {
  const std::pair<std::int32_t, const char*> cases[] = {{0, "000000"},         {12345, "012345"},
                                                        {999999, "999999"},    {1'000'000, "999999"},
                                                        {1'234'567, "999999"}, {2'147'483'647, "999999"}};
  for (const auto& [score, shown] : cases) {
    form.state.score = score;
    form.state.level = 1;
    form.DrawHud();
    EXPECT_EQ(ShownScore(), shown) << score;
  }
}

TEST_F(HudTest, ShowsTheLevelLabelAndDigit) {
  for (std::int16_t level = 1; level <= 4; ++level) {
    form.state.level = level;
    form.DrawHud();
    EXPECT_EQ(ShownSource(form.LVpc, 0, 0), (Point{360, 180}));
    EXPECT_EQ(ShownSource(form.LVpc, 39, 29), (Point{399, 209}));
    EXPECT_EQ(ShownSource(form.LVpc, 40, 0), (Point{160 + 20 * level, 180}));
  }
}

TEST_F(HudTest, TheDangerLineLiesOverAWaveInRowSix) {
  form.state.level = 1;
  SetWave({0, 1, 2, 3, 4}, {1, 1, 1, 1, 1}, 6);
  form.DrawWave();
  form.DrawHud();
  EXPECT_EQ(form.Mpc.Picture().At(0, 209), MakeRgb(255, 0, 0));
  EXPECT_EQ(form.Mpc.Picture().At(149, 209), MakeRgb(255, 0, 0));
  EXPECT_EQ(PictureSource(form.Mpc, 0, 208), (Point{0, 28}));
  form.Mpc.HandlerReturned();
  EXPECT_EQ(form.Mpc.Shown().At(75, 209), MakeRgb(255, 0, 0)) << "a line shows by itself once the handler returns";
}

TEST_F(HudTest, TheWarningBlinksFromTheTenthLandedLetterUntilGameOver) {
  LoadAndWait();
  StartPlay();
  form.state.pileCount = 9;
  SetWave({0, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty}, {1, 0, 0, 0, 0}, 6);
  const std::int64_t landing = form.GMtime.Due();
  RunUntil(form, landing);
  ASSERT_TRUE(form.ATtimer.Enabled());
  const auto bannerShown = [&] { return ShownSource(form.ATpc, 0, 0) == Point{420, 180}; };
  // Shown at 200, 600, 1000 ms after the landing; cleared at 400, 800 ms.
  for (int ms = 100; ms <= 1100; ms += 200) {
    RunUntil(form, landing + ms);
    EXPECT_EQ(bannerShown(), (ms / 200) % 2 == 1) << ms << " ms after the landing";
  }
  form.state.pileCount = 14;
  SetWave({0, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty}, {1, 0, 0, 0, 0}, 6);
  form.GMtime_Timer();
  RunFor(form, 1000);
  EXPECT_EQ(form.ATpc.Shown().At(0, 0), Black);
  EXPECT_EQ(form.ATpc.Shown().At(60, 15), Black);
  EXPECT_FALSE(form.ATtimer.Enabled());
}

TEST(ScoreDigitsTest, NegativeScoresShowZero) { EXPECT_EQ(SixScoreDigits(-5), (std::array<int, 6>{0, 0, 0, 0, 0, 0})); }

}  // namespace
}  // namespace zelvane
