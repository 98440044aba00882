// The game where things go wrong around it: no display, files that are no
// files, a folder that vanishes, a display that goes away.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <thread>

#include "game_window_fixture.h"
#include "screen_reading.h"

namespace zelvane::e2e {
namespace {

namespace fs = std::filesystem;

class MishapTest : public GameWindowTest {
 protected:
  // Each test starts the game itself.
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(BringUpDisplay()); }

  // Another game holds the records' lock of `folder` (until `otherGame`
  // is closed) while this game, started there, is ended by End.
  void EndWhileAnotherGameSaves(const ScratchDirectory& folder, int& otherGame) {
    otherGame = open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(flock(otherGame, LOCK_EX), 0);
    ASSERT_NO_FATAL_FAILURE(Launch({.directory = folder.Path()}));
    ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
    Click(kEndClick);
    ASSERT_TRUE(WaitUntil([&] { return game_->ErrorOutput().find("waiting for it") != std::string::npos; }, 5s))
        << game_->ErrorOutput();
  }
};

TEST_F(MishapTest, WithoutADisplayTheGameSaysSoAndEndsAtOnce) {
  struct Case {
    const char* display;
    const char* says;
  };
  for (const Case& c :
       {Case{"", "no display: DISPLAY is not set"}, Case{":9999", "no display answers at DISPLAY=:9999"}}) {
    SCOPED_TRACE(c.display);
    GameProcess game(*display_, {.environment = {{"DISPLAY", c.display}, {"SDL_VIDEODRIVER", ""}}});
    EXPECT_EQ(game.WaitForExit(2s), 1);
    EXPECT_EQ(game.ErrorOutput(), std::string("zelvane: cannot open a window: ") + c.says + "\n");
  }
  // A player who names a driver that shows nothing gets it.
  GameProcess unseen(*display_, {.environment = {{"DISPLAY", ""}, {"SDL_VIDEODRIVER", "dummy"}}});
  EXPECT_EQ(unseen.WaitForExit(1s), std::nullopt);
  kill(unseen.Pid(), SIGTERM);
  EXPECT_EQ(unseen.WaitForExit(10s), 0);
}

// A named pipe opened the ordinary way waits for a writer for ever: as the
// records file it held the game before its window, as the start cue at Start.
TEST_F(MishapTest, NamedPipesForTheRecordsAndACueHoldNothingUp) {
  ScratchDirectory folder;
  for (const auto& cue : fs::directory_iterator(ZELVANE_SOUNDS_DIR))
    fs::copy_file(cue, folder.Path() / cue.path().filename());
  fs::remove(folder.Path() / "cde.wav");
  ASSERT_EQ(mkfifo((folder.Path() / "cde.wav").c_str(), 0644), 0);
  ASSERT_EQ(mkfifo((folder.Path() / "jkl.yen").c_str(), 0644), 0);
  ASSERT_NO_FATAL_FAILURE(Launch({.directory = folder.Path()}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  Click(kStartClick);
  ASSERT_NO_FATAL_FAILURE(StartedShowsTheReadyBannerThenTheFirstWave());
  ASSERT_TRUE(display_->SendDeleteWindow(window_));
  ASSERT_EQ(game_->WaitForExit(10s), 0);

  EXPECT_EQ(fs::status(folder.Path() / "jkl.yen").type(), fs::file_type::regular);
  int keptAside = 0;
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    if (entry.path().filename().string().starts_with("jkl.yen.unreadable-")) {
      EXPECT_EQ(entry.status().type(), fs::file_type::fifo);
      ++keptAside;
    }
  }
  EXPECT_EQ(keptAside, 1);
  const std::string errors = game_->ErrorOutput();
  EXPECT_NE(errors.find("zelvane: jkl.yen: not a regular file; the scores start from zero"), std::string::npos)
      << errors;
  EXPECT_NE(errors.find("zelvane: cde.wav: not a regular file; the cue stays silent\n"), std::string::npos) << errors;
  EXPECT_NE(errors.find("zelvane: jkl.yen: not a regular file; kept as jkl.yen.unreadable-"), std::string::npos)
      << errors;
}

// A player who started the game from a menu sees no standard error: a save
// that fails on End is told in a box, and the game ends with status 1 after it.
TEST_F(MishapTest, AFailedSaveOnEndIsShownInTheWindow) {
  ScratchDirectory parent;
  const fs::path folder = parent.Path() / "vanishing";
  fs::create_directory(folder);
  ASSERT_NO_FATAL_FAILURE(Launch({.directory = folder}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  fs::remove(folder);
  Click(kEndClick);
  std::optional<std::string> box;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBox()).has_value(); }, 10s)) << "no message box";
  EXPECT_EQ(game_->WaitForExit(500ms), std::nullopt) << "the game ended before the player read the box";
  const std::string line = "zelvane: jkl.yen: not saved: cannot create jkl.yen.tmp-";
  EXPECT_NE(game_->ErrorOutput().find(line), std::string::npos) << game_->ErrorOutput();
  X("xdotool key --window " + *box + " Return");
  EXPECT_EQ(game_->WaitForExit(10s), 1);
}

// Another game in the folder is slow to save and holds the records' lock: End
// waits for it as long as it takes, the window answering and redrawing, and
// saves once it is done; End again gives up, in the box, with nothing written.
TEST_F(MishapTest, EndWaitsForAnotherGamesSaveWithTheWindowAnswering) {
  for (const bool giveUp : {false, true}) {
    SCOPED_TRACE(giveUp ? "given up" : "waited for");
    ScratchDirectory folder;
    int otherGame = -1;
    ASSERT_NO_FATAL_FAILURE(EndWhileAnotherGameSaves(folder, otherGame));
    X("xdotool windowunmap --sync " + window_);
    X("xdotool windowmap --sync " + window_);
    EXPECT_TRUE(WaitForShot([](const Image& s) { return s.At(405, 30) == Black && s.At(405, 70) != Black; }, 5s))
        << "the window was not redrawn with End to give up while the save waited";
    EXPECT_EQ(game_->WaitForExit(500ms), std::nullopt) << "the game did not wait for the other's save";
    EXPECT_FALSE(fs::exists(folder.Path() / "jkl.yen")) << "saved while another game held the lock";
    if (giveUp) {
      Click(kEndClick);
      std::optional<std::string> box;
      ASSERT_TRUE(WaitUntil([&] { return (box = MessageBox()).has_value(); }, 10s)) << "no message box";
      X("xdotool key --window " + *box + " Return");
      EXPECT_EQ(game_->WaitForExit(10s), 1);
      EXPECT_FALSE(fs::exists(folder.Path() / "jkl.yen"));
      close(otherGame);
    } else {
      close(otherGame);
      EXPECT_EQ(game_->WaitForExit(10s), 0);
      EXPECT_TRUE(fs::exists(folder.Path() / "jkl.yen"));
    }
  }
}

TEST_F(MishapTest, ALostDisplaySavesBeforeTheGameEnds) {
  ASSERT_NO_FATAL_FAILURE(Launch({}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  display_->End();
  EXPECT_EQ(game_->WaitForExit(10s), 1);
  EXPECT_TRUE(fs::exists(game_->WorkingDirectory() / "jkl.yen"));
  EXPECT_EQ(game_->ErrorOutput(), "zelvane: lost the connection to the display\n");
}

// A save that waits for another game when the display goes keeps waiting a
// few seconds before the game ends, rather than giving up at once.
TEST_F(MishapTest, ALostDisplayLetsAWaitingSaveFinish) {
  ScratchDirectory folder;
  int otherGame = -1;
  ASSERT_NO_FATAL_FAILURE(EndWhileAnotherGameSaves(folder, otherGame));
  display_->End();
  std::this_thread::sleep_for(1s);
  close(otherGame);
  EXPECT_EQ(game_->WaitForExit(10s), 1);
  EXPECT_TRUE(fs::exists(folder.Path() / "jkl.yen")) << game_->ErrorOutput();
}

}  // namespace
}  // namespace zelvane::e2e
