#include <gtest/gtest.h>

#include <fstream>

#include "game/phase.h"
#include "support/form_fixture.h"

namespace zelvane {
namespace {

using testing::FormTest;

class PhasesTest : public FormTest {
 protected:
  // Which timers run, in the order of the window's timer list.
  std::vector<bool> Running() const {
    return {form.OPtimer.Enabled(), form.STtimer.Enabled(), form.GMtime.Enabled(),     form.ATtimer.Enabled(),
            form.GOtimer.Enabled(), form.OVtimer.Enabled(), form.PointCtimer.Enabled()};
  }
  static std::vector<bool> Only(int timer) {
    std::vector<bool> running(7, false);
    if (timer >= 0) running[static_cast<std::size_t>(timer)] = true;
    return running;
  }
  bool ButtonsEnabled() const { return form.Cm1[0].enabled || form.Cm1[1].enabled; }
};

TEST_F(PhasesTest, LoadDrawsTheScoreFrameAndSetsTheTitleStartValues) {
  EXPECT_EQ(Running(), Only(0)) << "only the title timer runs from the window's creation";
  EXPECT_EQ(PhaseOf(form), Phase::Title);
  form.DeliverLoad(form.clock.now);
  EXPECT_EQ(form.state.level, 1);
  EXPECT_EQ(form.state.titleStep, 0);
  EXPECT_EQ(form.state.titlePos, 148);
  EXPECT_EQ(form.state.titleSpeed, 120);
  EXPECT_EQ(form.BackColor, Black);
  EXPECT_EQ(ShownSource(form.SCpc, 0, 0), (Point{16, 176}));
  EXPECT_EQ(ShownSource(form.SCpc, 127, 37), (Point{143, 213}));
  EXPECT_EQ(form.state.hiScores, (std::array<std::int32_t, 5>{})) << "no records file: all zero";
}

TEST_F(PhasesTest, TheWholeCycleHasTheTimersSwitchesAndButtonsOfEachPhase) {
  LoadAndWait();
  EXPECT_EQ(Running(), Only(-1)) << "waiting";
  EXPECT_EQ(PhaseOf(form), Phase::Waiting);
  EXPECT_TRUE(form.Cm1[0].enabled && form.Cm1[1].enabled);
  EXPECT_FALSE(form.KeyPreview);

  form.DeliverClick(form.clock.now, 0);
  EXPECT_EQ(Running(), Only(1)) << "ready";
  EXPECT_EQ(PhaseOf(form), Phase::Ready);
  EXPECT_FALSE(ButtonsEnabled());
  EXPECT_EQ(form.Cm1[0].left, 7200);
  EXPECT_EQ(form.Cm1[1].left, 7200);
  EXPECT_FALSE(form.KeyPreview);

  RunFor(form, 3000);
  EXPECT_EQ(Running(), Only(2)) << "playing";
  EXPECT_EQ(PhaseOf(form), Phase::Playing);
  EXPECT_TRUE(form.KeyPreview);

  // Nobody types: waves land until the fifteenth letter ends the game.
  while (form.GMtime.Enabled()) RunFor(form, 1000);
  EXPECT_FALSE(form.KeyPreview);
  EXPECT_TRUE(form.GOtimer.Enabled()) << "curtain";
  EXPECT_EQ(PhaseOf(form), Phase::Curtain);
  EXPECT_FALSE(form.ATtimer.Enabled());
  RunFor(form, 600);
  EXPECT_EQ(Running(), Only(5)) << "game-over hold";
  EXPECT_EQ(PhaseOf(form), Phase::Hold);
  RunFor(form, 2500);
  EXPECT_EQ(Running(), Only(6)) << "results";
  EXPECT_EQ(PhaseOf(form), Phase::Results);
  RunFor(form, 7 * 1500);
  EXPECT_TRUE(form.OPtimer.Enabled()) << "title again";
  EXPECT_EQ(PhaseOf(form), Phase::Title);
  EXPECT_FALSE(ButtonsEnabled());
  RunFor(form, 1000);
  EXPECT_EQ(Running(), Only(-1)) << "waiting again";
  EXPECT_TRUE(form.Cm1[0].enabled && form.Cm1[1].enabled);
}

TEST_F(PhasesTest, StartShowsTheReadyBannerForTheWholeDelay) {
  LoadAndWait();
  form.DeliverClick(form.clock.now, 0);
  EXPECT_EQ(cues.played, std::vector<std::string>{"cde.wav"});
  EXPECT_EQ(ShownSource(form.Mpc, 20, 135), (Point{420, 210}));
  EXPECT_EQ(ShownSource(form.Mpc, 119, 164), (Point{519, 239}));
  RunFor(form, 2999);
  EXPECT_EQ(ShownSource(form.Mpc, 20, 135), (Point{420, 210}));
  RunFor(form, 1);
  EXPECT_EQ(form.Mpc.Shown().At(60, 150), Black) << "play clears the banner";
}

TEST_F(PhasesTest, EveryGameStartsFromTheSameStateWhateverThePreviousLeft) {
  LoadAndWait();
  form.state.score = 777;
  form.state.level = 4;
  form.state.pileCount = 9;
  form.state.waveRow = 5;
  form.state.rowSpawned = {4, 5, 6};
  form.state.rowLanded = {1, 2, 3};
  form.state.rowRate = {10, 20, 30};
  form.state.curtainDir = -1;
  form.state.warnPhase = 1;
  form.GMtime.SetInterval(321);
  StartPlay();
  const GameState& s = form.state;
  EXPECT_EQ(s.score, 0);
  EXPECT_EQ(s.level, 1);
  EXPECT_EQ(s.pileCount, 0);
  EXPECT_EQ(s.waveRow, 0);
  EXPECT_EQ(s.curtainDir, 1);
  EXPECT_EQ(s.warnPhase, 0);
  EXPECT_EQ(form.GMtime.Interval(), 1000);
  EXPECT_EQ(s.rowLanded, (std::array<std::int16_t, 3>{0, 0, 0}));
  EXPECT_EQ(s.rowRate, (std::array<std::int16_t, 3>{10, 20, 30})) << "rates wait for the first landing";
  int objects = 0;
  for (int spawned : s.rowSpawned) objects += spawned;
  EXPECT_EQ(objects, 2) << "the first wave holds two letters";
}

TEST_F(PhasesTest, KeysReachTheGameOnlyWhilePlaying) {
  form.DeliverLoad(form.clock.now);
  for (int tick = 0; tick < 200; ++tick) {
    form.DeliverKeyDown(form.clock.now, static_cast<std::int16_t>(vk::LetterA + tick % 26), 0);
    RunFor(form, 5);
  }
  form.DeliverClick(form.clock.now, 0);
  form.DeliverKeyDown(form.clock.now, vk::LetterA, 0);
  EXPECT_EQ(form.state.score, 0);
  EXPECT_EQ(cues.played, std::vector<std::string>{"cde.wav"});
}

TEST_F(PhasesTest, DisabledButtonsCannotBeClickedAndAClickDisablesBoth) {
  form.DeliverLoad(form.clock.now);
  form.DeliverClick(form.clock.now, 0);
  form.DeliverClick(form.clock.now, 1);
  EXPECT_FALSE(form.STtimer.Enabled());
  EXPECT_FALSE(form.EndRequested());
  RunFor(form, 1000);
  form.DeliverClick(form.clock.now, 0);
  form.DeliverClick(form.clock.now, 1);
  EXPECT_TRUE(form.STtimer.Enabled());
  EXPECT_FALSE(form.EndRequested()) << "the first click disabled End";
}

TEST_F(PhasesTest, EndWritesTheRecordsAndEndsAtOnce) {
  LoadAndWait();
  for (const std::int32_t score : {500, 400, 300, 200, 100}) {
    form.state.score = score;
    form.InsertRecord();
  }
  form.DeliverClick(form.clock.now, 1);
  EXPECT_TRUE(form.EndRequested());
  EXPECT_EQ(PhaseOf(form), Phase::Ended);
  EXPECT_EQ(form.ExitStatus(), 0);
  std::ifstream file("jkl.yen", std::ios::binary);
  std::string first;
  std::getline(file, first);
  EXPECT_EQ(first, "000500000400000300000200000100\r");
}

TEST_F(PhasesTest, ClosingTheWindowSavesLikeEnd) {
  LoadAndWait();
  form.state.score = 42;
  form.InsertRecord();
  form.DeliverClose(form.clock.now);
  EXPECT_TRUE(form.EndRequested());
  std::ifstream file("jkl.yen", std::ios::binary);
  std::string first;
  std::getline(file, first);
  EXPECT_EQ(first, "000042000000000000000000000000\r");
}

TEST_F(PhasesTest, SavingAgainInOneRunEntersEachScoreOnce) {
  LoadAndWait();
  form.state.score = 42;
  form.InsertRecord();
  ASSERT_TRUE(form.SaveRecords());
  form.state.score = 7;
  form.InsertRecord();
  form.DeliverClick(form.clock.now, 1);
  std::ifstream file("jkl.yen", std::ios::binary);
  std::string first;
  std::getline(file, first);
  EXPECT_EQ(first, "000042000007000000000000000000\r");
}

// The folder takes no new file and the records file is not there to rewrite.
class ReadOnlyFolder : public NativeFileSystem {
 public:
  Opened CreateNew(const std::string&, const std::string&) override { return {kNoFile, std::make_error_code(error)}; }
  std::errc error = std::errc::permission_denied;
};

TEST_F(PhasesTest, AFailedSaveEndsWithStatusOneAndKeepsItsReasonForTheWindow) {
  ReadOnlyFolder files;
  files.error = std::errc::read_only_file_system;
  Mform readOnly(atlas_, cues, files);
  testing::LoadAndWait(readOnly, 1);
  readOnly.DeliverClick(readOnly.clock.now, 1);
  EXPECT_TRUE(readOnly.EndRequested());
  EXPECT_EQ(readOnly.ExitStatus(), 1);
  EXPECT_TRUE(readOnly.SaveProblem().starts_with("jkl.yen: not saved: cannot create jkl.yen.tmp-"))
      << readOnly.SaveProblem();
  EXPECT_TRUE(readOnly.SaveProblem().ends_with(": Read-only file system")) << readOnly.SaveProblem();
}

// Another game holds the records' lock for as long as `held` says.
class LockedFolder : public NativeFileSystem {
 public:
  Locked TryLock(const std::string& path) override {
    return held ? Locked{LockState::Busy, kNoFile, {}} : NativeFileSystem::TryLock(path);
  }
  bool held = true;
};

// End, or a close, while another game saves: the save waits without holding
// up the window, the game standing still, until the other game is done or
// the player gives up by End again or by closing the window.
TEST_F(PhasesTest, ASaveThatWaitsForAnotherGameEndsWhenItIsDoneOrGivenUp) {
  enum class Then { OtherGameDone, EndAgain, Close };
  for (const Then then : {Then::OtherGameDone, Then::EndAgain, Then::Close}) {
    SCOPED_TRACE(static_cast<int>(then));
    std::filesystem::remove("jkl.yen");
    LockedFolder files;
    Mform waiting(atlas_, cues, files);
    testing::LoadAndWait(waiting, 1);
    waiting.state.score = 42;
    waiting.InsertRecord();
    waiting.DeliverClick(waiting.clock.now, 1);
    for (int step = 0; step < 100; ++step) {
      ASSERT_TRUE(waiting.SaveWaiting());
      ASSERT_TRUE(waiting.NextDue().has_value());
      waiting.DeliverDueTick(*waiting.NextDue());
    }
    EXPECT_FALSE(waiting.EndRequested());
    EXPECT_TRUE(waiting.Cm1[1].enabled) << "End gives the wait up";
    EXPECT_FALSE(waiting.Cm1[0].enabled);
    EXPECT_FALSE(std::filesystem::exists("jkl.yen")) << "saved without the lock";
    switch (then) {
      case Then::OtherGameDone:
        files.held = false;
        waiting.DeliverDueTick(*waiting.NextDue());
        break;
      case Then::EndAgain:
        waiting.DeliverClick(waiting.clock.now, 1);
        break;
      case Then::Close:
        waiting.DeliverClose(waiting.clock.now);
        break;
    }
    EXPECT_TRUE(waiting.EndRequested());
    const bool saved = then == Then::OtherGameDone;
    EXPECT_EQ(waiting.ExitStatus(), saved ? 0 : 1);
    EXPECT_EQ(waiting.SaveProblem(), saved ? "" : "jkl.yen: not saved: another game kept the records locked");
    EXPECT_EQ(std::filesystem::exists("jkl.yen"), saved);
    const std::vector<std::string> notices = waiting.TakeNotices();
    ASSERT_EQ(notices.size(), 1u) << "the player is told once of a wait longer than a second";
    EXPECT_TRUE(notices[0].starts_with("Another Zelvane in this folder is saving the scores")) << notices[0];
  }
}

// A closed window during play stops the game while the save waits.
TEST_F(PhasesTest, WhileTheSaveWaitsNoKeyOrTickReachesTheGame) {
  LockedFolder files;
  Mform waiting(atlas_, cues, files);
  testing::LoadAndWait(waiting, 1);
  testing::StartPlay(waiting);
  const GameState before = waiting.state;
  waiting.DeliverClose(waiting.clock.now);
  waiting.DeliverKeyDown(waiting.clock.now, 'A', 0);
  waiting.DeliverDueTick(waiting.clock.now + 5000);
  EXPECT_EQ(waiting.state.waveRow, before.waveRow);
  EXPECT_EQ(waiting.state.score, before.score);
}

// What standard error says is told in the window too where the player never
// sees standard error: a file to be kept aside, a folder that takes no records.
TEST_F(PhasesTest, ThePlayerIsToldOfAFileKeptAsideAndOfAFolderThatTakesNoRecords) {
  std::ofstream("jkl.yen", std::ios::binary) << std::string(
      "\xFF\xFE"
      "9\0",
      4);
  ReadOnlyFolder files;
  Mform told(atlas_, cues, files);
  told.DeliverLoad(told.clock.now);
  const std::vector<std::string> notices = told.TakeNotices();
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0],
            "jkl.yen: not a text file; the scores start from zero, and the first save keeps the file aside");
  EXPECT_TRUE(notices[1].starts_with("jkl.yen: the scores cannot be saved: the folder ")) << notices[1];
  EXPECT_TRUE(told.TakeNotices().empty());
}

TEST_F(PhasesTest, TwoLoadsDealDifferentWaves) {
  Image atlas = testing::CoordinateAtlas();
  testing::RecordingCues quiet;
  Mform other(atlas, quiet);
  form.DeliverLoad(form.clock.now);
  other.DeliverLoad(other.clock.now);
  std::vector<double> first, second;
  for (int i = 0; i < 8; ++i) {
    first.push_back(form.random.Next());
    second.push_back(other.random.Next());
  }
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace zelvane
