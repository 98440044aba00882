// A whole game to its end, the results, the records on disk and in the next run.
#include <signal.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game_window_fixture.h"
#include "records/records_file.h"
#include "screen_reading.h"

namespace zelvane::e2e {
namespace {

// Play takes over a minute: long waits look at the screen less often.
constexpr auto kSlowPoll = 250ms;

constexpr Point PileCell(int landed) { return {landed % 5, 9 - landed / 5}; }

// The fourteen letters on the pile, the bottom two rows and row 7 up to column 3, if they are all there.
std::optional<std::vector<int>> FourteenLanded(const Image& shot) {
  std::vector<int> letters;
  for (int landed = 0; landed < 14; ++landed) {
    const auto letter = LandedIn(shot, PileCell(landed).x, PileCell(landed).y);
    if (!letter) return std::nullopt;
    letters.push_back(*letter);
  }
  if (!AllBlack(shot, CellBox(4, 7))) return std::nullopt;
  return letters;
}

// The letter rows of the keyboard, top to bottom, as the results count them.
int KeyboardRow(int letter) {
  const char key = static_cast<char>('a' + letter);
  if (std::string_view("qwertyuiop").find(key) != std::string_view::npos) return 0;
  return std::string_view("asdfghjkl").find(key) != std::string_view::npos ? 1 : 2;
}

// The share of each row's letters kept from landing, in percent, for a game
// where `landed` letters landed and `typed` ones were destroyed. The landed
// share is rounded down first, so 1 landed of 6 shows 84 and 5 of 6 show 17.
std::array<int, 3> KeptRates(const std::vector<int>& landed, const std::vector<int>& typed) {
  std::array<int, 3> landedOfRow{};
  std::array<int, 3> typedOfRow{};
  for (const int letter : landed) ++landedOfRow[static_cast<std::size_t>(KeyboardRow(letter))];
  for (const int letter : typed) ++typedOfRow[static_cast<std::size_t>(KeyboardRow(letter))];
  std::array<int, 3> rates{};
  for (std::size_t row = 0; row < 3; ++row) {
    const double share = static_cast<double>(landedOfRow[row]) / (landedOfRow[row] + typedOfRow[row]) * 100;
    rates[row] = landedOfRow[row] == 0 ? 100 : 100 - static_cast<int>(std::floor(share));
  }
  return rates;
}

bool AllResultsShown(const Image& shot) {
  for (int row = 0; row < 3; ++row) {
    if (!ResultRateShown(shot, row)) return false;
  }
  return true;
}

// Its own fixture name, so that ctest gives it a longer time.
class WholeGameTest : public GameWindowTest {};

TEST_F(WholeGameTest, UnclearedWavesEndTheGameWhoseScoreIsSavedAndShownInTheNextRun) {
  ASSERT_NO_FATAL_FAILURE(TypeTheFirstWave());

  // Seven waves of two land, each after seven rows at a row a second: 49 s.
  // The eighth wave, still falling, will end the game.
  const auto lastWaveFalls = [](const Image& s) {
    const auto wave = FallingWaveIn(s);
    return FourteenLanded(s) && wave && wave->letters.size() == 2;
  };
  ASSERT_TRUE(WaitForShot(lastWaveFalls, 75s, kSlowPoll)) << "the pile never held fourteen letters";
  EXPECT_FALSE(GameOverShown(shot)) << "fourteen letters ended the game";
  EXPECT_TRUE(ScoreShows(shot, 40)) << "landings changed the score";
  std::vector<int> landed = *FourteenLanded(shot);
  const std::vector<int> lastWave = FallingWaveIn(shot)->letters;
  landed.insert(landed.end(), lastWave.begin(), lastWave.end());
  ASSERT_TRUE(WaitForShot(GameOverShown, 15s, kSlowPoll)) << "the fifteenth letter did not end the game";

  // Keys no longer reach the game: a hit or a miss would show in the score and the playfield.
  const Image over = shot;
  Key("q w e r t y u i o p a s d f g h j k l z x c v b n m space");
  ASSERT_TRUE(WaitForShot([](const Image& s) { return ResultRateShown(s, 0).has_value(); }, 10s))
      << "no results after the game-over hold";
  for (const Rect panel : {layout::kMpc, layout::kSCpc, layout::kLVpc}) {
    EXPECT_TRUE(SameAs(shot, {panel.x, panel.y}, over, panel))
        << "a key changed the panel at " << panel.x << ", " << panel.y << " after the game had ended";
  }
  ASSERT_TRUE(WaitForShot(AllResultsShown, 10s)) << "the three result lines did not come";
  const std::array<int, 3> rates = KeptRates(landed, firstWave);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(ResultRateShown(shot, row), rates[static_cast<std::size_t>(row)]) << "keyboard row " << row;
  }

  // The wipe and the title sequence come back; the records rows now hold the game.
  ASSERT_TRUE(WaitForShot(ButtonsWaiting, 20s)) << "the title did not come back";
  for (int rank = 0; rank < 5; ++rank) EXPECT_TRUE(RecordShows(shot, rank, rank == 0 ? 40 : 0)) << "rank " << rank;

  Click(kEndClick);
  ASSERT_EQ(game_->WaitForExit(10s), 0);
  const auto lines = CrLfLines(game_->WorkingDirectory() / "jkl.yen");
  ASSERT_TRUE(lines) << "jkl.yen is missing or has a line not ended by CR LF";
  EXPECT_EQ(lines->size(), 16u);
  EXPECT_EQ(lines->front(), "000040" + std::string(24, '0'));
  // Between the dated lines 2 and 16 the note stands in the same code page 932
  // bytes on every system, so the file moves between them unchanged.
  const auto note = CrLfLines(std::string_view(FormatRecordsFile({40, 0, 0, 0, 0}, "", "")));
  ASSERT_TRUE(note && note->size() == lines->size());
  for (std::size_t line = 2; line < 15; ++line) EXPECT_EQ((*lines)[line], (*note)[line]) << "line " << line + 1;

  // The first run's directory stays while the second runs in it.
  const auto firstRun = std::move(game_);
  ASSERT_NO_FATAL_FAILURE(Launch({.directory = firstRun->WorkingDirectory()}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  EXPECT_TRUE(RecordShows(shot, 0, 40)) << "the next run did not load the best score";
  Click(kEndClick);
  EXPECT_EQ(game_->WaitForExit(10s), 0);
}

// Two games in one folder: the second starts while the first is played and
// ends last, by a hangup. The first is closed during its game-over hold, its
// score final but not yet entered. The file keeps that score: the closing
// enters it, and the second game's save keeps what the first one wrote.
TEST_F(WholeGameTest, TwoGamesInOneFolderKeepTheScoreOfTheOneClosedAtGameOver) {
  ASSERT_NO_FATAL_FAILURE(TypeTheFirstWave());
  GameProcess second(*display_, {.directory = game_->WorkingDirectory()});
  ASSERT_TRUE(second.WaitForWindow(20s)) << "the second game has no window";
  // The second window opened over the first; the screenshots read the first.
  X("xdotool windowraise " + window_);
  ASSERT_TRUE(WaitForShot(GameOverShown, 80s, kSlowPoll)) << "the first game did not end";
  ASSERT_TRUE(display_->SendDeleteWindow(window_));
  ASSERT_EQ(game_->WaitForExit(10s), 0);
  const std::string best = "000040" + std::string(24, '0');
  auto lines = CrLfLines(game_->WorkingDirectory() / "jkl.yen");
  ASSERT_TRUE(lines && !lines->empty());
  EXPECT_EQ(lines->front(), best) << "closing during the hold lost the game's score";

  kill(second.Pid(), SIGHUP);
  ASSERT_EQ(second.WaitForExit(10s), 0);
  lines = CrLfLines(game_->WorkingDirectory() / "jkl.yen");
  ASSERT_TRUE(lines && !lines->empty());
  EXPECT_EQ(lines->front(), best) << "the second game wrote back the table it had loaded";
}

}  // namespace
}  // namespace zelvane::e2e
