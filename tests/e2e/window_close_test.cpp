// Closing the window the way a window manager asks for it.
#include <string>

#include "game_window_fixture.h"

namespace zelvane::e2e {
namespace {

TEST_F(GameWindowTest, TheWindowManagersCloseRequestSavesTheRecordsAndEnds) {
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  // A window manager sends the request only to a window that has asked for it.
  EXPECT_NE(X("xprop -id " + window_ + " WM_PROTOCOLS").find("WM_DELETE_WINDOW"), std::string::npos);
  ASSERT_TRUE(display_->SendDeleteWindow(window_));
  ASSERT_EQ(game_->WaitForExit(10s), 0);
  const auto lines = CrLfLines(game_->WorkingDirectory() / "jkl.yen");
  ASSERT_TRUE(lines) << "jkl.yen is missing or has a line not ended by CR LF";
  EXPECT_EQ(lines->size(), 16u);
  EXPECT_EQ(lines->front(), std::string(30, '0'));
}

}  // namespace
}  // namespace zelvane::e2e
