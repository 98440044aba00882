#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

class GameOverTest : public testing::FormTest {
 protected:
  void SetUp() override {
    LoadAndWait();
    StartPlay();
    form.state.pileCount = 14;
    SetWave({0, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty}, {1, 0, 0, 0, 0}, 6);
    RunUntil(form, form.GMtime.Due());
    ASSERT_TRUE(form.GOtimer.Enabled());
    cues.played.clear();
  }
  static bool IsBlock(Point source) {
    return source.y == 30 && (source.x == 180 || source.x == 210 || source.x == 240);
  }
};

TEST_F(GameOverTest, TheCurtainWalksTheFieldInASerpentineOf59Steps) {
  std::vector<Point> walk;
  for (int tick = 1; tick <= 59; ++tick) {
    walk.push_back({form.state.curtainCol, form.state.curtainRow});
    form.GOtimer_Timer();
  }
  EXPECT_EQ(form.state.curtainRow, 10);
  // Row 0 from the left, then each row begins one step outside the field.
  EXPECT_EQ(walk[0], (Point{0, 0}));
  EXPECT_EQ(walk[4], (Point{4, 0}));
  EXPECT_EQ(walk[5], (Point{5, 1}));
  EXPECT_EQ(walk[6], (Point{4, 1}));
  EXPECT_EQ(walk[10], (Point{0, 1}));
  EXPECT_EQ(walk[11], (Point{-1, 2}));
  EXPECT_EQ(walk[12], (Point{0, 2}));
  int outside = 0;
  for (const Point& p : walk) outside += p.x < 0 || p.x > 4;
  EXPECT_EQ(outside, 9);
  for (int row = 0; row < 10; ++row) {
    for (int col = 0; col < 5; ++col) {
      const Point corner = ShownSource(form.Mpc, col * 30, row * 30);
      EXPECT_TRUE(IsBlock(corner)) << col << "," << row;
      EXPECT_EQ(ShownSource(form.Mpc, col * 30 + 29, row * 30 + 29), (Point{corner.x + 29, corner.y + 29}));
    }
  }
  EXPECT_TRUE(cues.played.empty());
}

TEST_F(GameOverTest, TheSixtiethTickLettersGameOverAndStartsTheHold) {
  RunFor(form, 60 * 10 - 1);
  EXPECT_TRUE(form.GOtimer.Enabled());
  RunFor(form, 1);
  EXPECT_FALSE(form.GOtimer.Enabled());
  EXPECT_TRUE(form.OVtimer.Enabled());
  EXPECT_EQ(form.state.curtainRow, 0);
  EXPECT_EQ(form.state.curtainCol, 0);
  EXPECT_EQ(form.state.curtainDir, 1);
  EXPECT_EQ(cues.played, std::vector<std::string>{"fgh.wav"});
  const struct {
    int col, row;
    Point tile;
  } letters[] = {{0, 4, {180, 0}}, {1, 4, {0, 0}},   {2, 4, {360, 0}}, {3, 4, {120, 0}},
                 {1, 5, {420, 0}}, {2, 5, {30, 30}}, {3, 5, {120, 0}}, {4, 5, {510, 0}}};
  for (const auto& letter : letters) {
    EXPECT_EQ(ShownSource(form.Mpc, letter.col * 30, letter.row * 30), letter.tile);
  }
  EXPECT_TRUE(IsBlock(ShownSource(form.Mpc, 4 * 30, 4 * 30)));
  EXPECT_TRUE(IsBlock(ShownSource(form.Mpc, 0, 5 * 30)));
}

TEST_F(GameOverTest, AfterTheHoldTheScoreEntersTheTableAndTheRecordsPanelClears) {
  form.state.hiScores = {500, 400, 300, 200, 100};
  form.state.score = 350;
  RunFor(form, 600);
  RunFor(form, 2499);
  EXPECT_TRUE(form.OVtimer.Enabled());
  EXPECT_EQ(form.state.hiScores, (std::array<std::int32_t, 5>{500, 400, 300, 200, 100}));
  RunFor(form, 1);
  EXPECT_EQ(form.state.hiScores, (std::array<std::int32_t, 5>{500, 400, 350, 300, 200}));
  EXPECT_FALSE(form.OVtimer.Enabled());
  EXPECT_TRUE(form.PointCtimer.Enabled());
  for (int y = 0; y < 150; y += 7) EXPECT_EQ(form.WIpc.Shown().At(50, y), Black);
}

TEST_F(GameOverTest, AScoreThatDoesNotQualifyLeavesTheTable) {
  form.state.hiScores = {500, 400, 300, 200, 100};
  form.state.score = 100;
  RunFor(form, 600 + 2500);
  EXPECT_EQ(form.state.hiScores, (std::array<std::int32_t, 5>{500, 400, 300, 200, 100}));
}

class CloseAfterGameOverTest : public GameOverTest, public ::testing::WithParamInterface<int> {};

// The score is final from the moment the game is over: closing the window
// under the curtain or during the hold keeps it, and after the hold it has
// entered already, so it is kept once.
TEST_P(CloseAfterGameOverTest, KeepsTheFinalScoreOnce) {
  form.state.score = 10600;
  RunFor(form, GetParam());
  form.DeliverClose(form.clock.now);
  EXPECT_EQ(form.ExitStatus(), 0);
  EXPECT_EQ(LoadRecordsFile(kRecordsFileName).scores, (HiScores{10600, 0, 0, 0, 0}));
}

// A browser tab hidden at that moment enters the score then, and the game
// plays on: the hold's end does not enter it a second time.
TEST_P(CloseAfterGameOverTest, EnteringItEarlyKeepsItOnce) {
  form.state.score = 10600;
  RunFor(form, GetParam());
  form.EnterFinalScore();
  RunFor(form, 600 + 2500);
  EXPECT_EQ(form.state.hiScores, (HiScores{10600, 0, 0, 0, 0}));
}

// Milliseconds after the fifteenth landing: the curtain's first tick, its
// middle, the hold, and the results.
INSTANTIATE_TEST_SUITE_P(Moments, CloseAfterGameOverTest, ::testing::Values(0, 300, 600 + 1000, 600 + 2500));

}  // namespace
}  // namespace zelvane
