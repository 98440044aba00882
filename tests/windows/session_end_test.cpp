// Windows ends a session (the player signs out, the computer shuts down) by
// telling each window, and may end the process as soon as the window has
// answered, before a quit queued for later is ever handled. Wine's wineboot
// ends the session the same way, so the game must have saved by then.
#include <string>

#include "screen_reading.h"
#include "wine_test.h"

namespace zelvane::e2e {
namespace {

class SessionEndTest : public WineTest {
 protected:
  void SetUp() override { GameWindowTest::SetUp(); }
};

// A game just shown as over has its score entered before the save, as when
// its window is closed.
TEST_F(SessionEndTest, TheSessionsEndAtGameOverSavesTheGamesScore) {
  ASSERT_NO_FATAL_FAILURE(TypeTheFirstWave());
  ASSERT_TRUE(WaitForShot(GameOverShown, 80s, 250ms)) << "the game did not end";
  Wine("wineboot.exe --end-session");
  ASSERT_EQ(game_->WaitForExit(10s), 0);
  const auto lines = CrLfLines(game_->WorkingDirectory() / "jkl.yen");
  ASSERT_TRUE(lines) << "nothing was saved, or a line is not ended by CR LF";
  EXPECT_EQ(lines->size(), 16u);
  EXPECT_EQ(lines->front(), "000040" + std::string(24, '0'));
}

}  // namespace
}  // namespace zelvane::e2e
