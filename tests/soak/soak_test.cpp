// Seeded bots play whole games on the virtual clock, title to title, and the
// window's state is checked against the game's rules after every event.
// ZELVANE_SOAK_GAMES sets the games per bot (default 3), ZELVANE_SOAK_SEED
// the seed, for long runs such as:
//   ZELVANE_SOAK_GAMES=100000 build/test/tests/soak/soak_tests
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "records/records_file.h"
#include "soak/bot.h"
#include "soak/rules.h"
#include "support/form_fixture.h"

namespace zelvane::soak {
namespace {

// A game longer than this on the virtual clock has stopped ending.
constexpr std::int64_t kLongestGame = 6 * 3600 * 1000;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

auto Fields(const GameState& s) {
  return std::tie(s.curtainRow, s.curtainCol, s.curtainDir, s.warnPhase, s.titleStep, s.titlePos, s.titleSpeed,
                  s.resultStep, s.hiScores, s.score, s.level, s.slotCode, s.slotHits, s.waveRow, s.pileCount, s.rowRate,
                  s.rowLanded, s.rowSpawned);
}

// Everything an ignored key press or click must leave as it was.
auto Switches(const Mform& f) {
  return std::make_tuple(Fields(f.state), f.KeyPreview, f.Cm1[0].enabled, f.Cm1[1].enabled, f.Cm1[0].left,
                         f.Cm1[1].left, f.OPtimer.Enabled(), f.STtimer.Enabled(), f.GMtime.Enabled(),
                         f.GMtime.Interval(), f.ATtimer.Enabled(), f.GOtimer.Enabled(), f.OVtimer.Enabled(),
                         f.PointCtimer.Enabled());
}

// Counts the cues and fails on any name that is not one of the game's nine.
class CheckedCues final : public CuePlayer {
 public:
  void Play(const char* name) override {
    const std::string file = name;
    const bool known = file.size() == 7 && file.ends_with(".wav") && file[0] >= 'a' && file[0] <= 'i' &&
                       file[1] == file[0] + 1 && file[2] == file[0] + 2;
    if (!known) unknown.insert(file);
    ++played;
  }
  std::int64_t played = 0;
  std::set<std::string> unknown;
};

struct Totals {
  std::int64_t games = 0;
  std::int64_t keys = 0;
  std::int64_t clicks = 0;
  std::int64_t ticks = 0;
  std::int64_t Events() const { return keys + clicks + ticks; }
};

class SoakTest : public ::testing::TestWithParam<Personality> {
 protected:
  SoakTest()
      : seed_(FromEnvironment("ZELVANE_SOAK_SEED", 20240309) + static_cast<std::uint64_t>(GetParam())),
        atlas_(testing::CoordinateAtlas()),
        form_(atlas_, cues_),
        bot_(GetParam(), seed_) {}

  std::string Where() const {
    std::ostringstream where;
    where << NameOf(GetParam()) << ", seed " << seed_ << ", game " << totals_.games + 1 << ", event "
          << totals_.Events() << " at " << form_.clock.now << " ms: " << last_;
    return where.str();
  }

  void Checked() {
    const std::vector<std::string> broken = rules_.Check(form_);
    std::string lines;
    for (const std::string& line : broken) lines += "\n  " + line;
    ASSERT_TRUE(broken.empty()) << Where() << lines;
    ASSERT_TRUE(cues_.unknown.empty()) << Where() << ": played " << *cues_.unknown.begin();
  }

  void Tick() {
    const std::int64_t due = *form_.NextDue();
    last_ = "timer tick";
    ASSERT_TRUE(form_.DeliverDueTick(due)) << Where();
    ++totals_.ticks;
  }

  void Press(std::int64_t now, std::int16_t key) {
    last_ = "key " + std::to_string(key);
    const auto before = Switches(form_);
    const GameState state = form_.state;
    const std::int32_t interval = form_.GMtime.Interval();
    form_.DeliverKeyDown(now, key, 0);
    ++totals_.keys;
    if (!std::get<1>(before)) {
      ASSERT_TRUE(Switches(form_) == before) << Where() << ": a key changed the game outside play";
      return;
    }
    if (key == vk::Keypad3) {
      ASSERT_EQ(form_.state.score, state.score) << Where() << ": keypad 3 changed the score";
      ASSERT_EQ(form_.GMtime.Interval(), interval) << Where() << ": keypad 3 changed the descent";
    }
    if (GetParam() == Personality::Mistyper) {
      ASSERT_TRUE(form_.state.slotCode == state.slotCode && form_.state.slotHits == state.slotHits)
          << Where() << ": a wrong key hit the wave";
      ASSERT_LE(form_.state.score, state.score) << Where() << ": a wrong key scored";
    }
  }

  void Click(std::int64_t now, std::int16_t index) {
    last_ = "click " + std::to_string(index);
    const auto before = Switches(form_);
    const bool enabled = index >= 0 && index < 2 && form_.Cm1[static_cast<std::size_t>(index)].enabled;
    form_.DeliverClick(now, index);
    ++totals_.clicks;
    if (!enabled) {
      ASSERT_TRUE(Switches(form_) == before) << Where() << ": a disabled button did something";
    }
  }

  // One event: the bot's action when it comes before the next tick, or the tick.
  void Step(Phase phase) {
    const std::optional<std::int64_t> due = form_.NextDue();
    if (due && *due <= bot_.NextAt()) return Tick();
    const std::int64_t now = bot_.NextAt();
    const Action action = bot_.Act(form_, phase == Phase::Waiting);
    if (action.kind == Action::Kind::Key) Press(now, action.code);
    if (action.kind == Action::Kind::Click) Click(now, action.code);
  }

  void Play(std::int64_t games) {
    form_.DeliverLoad(form_.clock.now);
    form_.random.Seed(seed_);
    last_ = "load";
    ASSERT_NO_FATAL_FAILURE(Checked());
    std::int32_t best = 0;
    Phase phase = Phase::Title;
    std::int64_t gameStart = 0;
    while (totals_.games < games) {
      const std::int64_t events = totals_.Events();
      ASSERT_NO_FATAL_FAILURE(Step(phase));
      if (totals_.Events() == events) continue;
      ASSERT_NO_FATAL_FAILURE(Checked());
      const Phase now = *PhaseOf(form_);
      if (now == Phase::Ready && phase == Phase::Waiting) gameStart = form_.clock.now;
      if (now == Phase::Results && phase == Phase::Hold) {
        best = std::max(best, form_.state.score);
        ASSERT_EQ(form_.state.hiScores[0], best) << Where() << ": the best score is not at the top";
      }
      if (now == Phase::Title && phase == Phase::Results) ++totals_.games;
      ASSERT_LT(form_.clock.now - gameStart, kLongestGame) << Where() << ": the game does not end";
      phase = now;
    }
    ASSERT_NO_FATAL_FAILURE(EndAtTheButtons());
  }

  // Lets the last title sequence finish and presses End: the table is saved.
  void EndAtTheButtons() {
    while (*PhaseOf(form_) == Phase::Title) {
      ASSERT_NO_FATAL_FAILURE(Tick());
      ASSERT_NO_FATAL_FAILURE(Checked());
    }
    Click(form_.clock.now, 1);
    ASSERT_TRUE(form_.EndRequested()) << Where();
    EXPECT_EQ(form_.ExitStatus(), 0) << Where();
    HiScores saved = form_.state.hiScores;
    for (std::int32_t& entry : saved) entry = std::min(entry, kScoreCap);
    const LoadOutcome loaded = LoadRecordsFile(kRecordsFileName);
    EXPECT_EQ(loaded.problem, "");
    EXPECT_EQ(loaded.scores, saved);
  }

  void Report() const {
    std::printf("soak %s, seed %" PRIu64 ": %" PRId64 " games, %" PRId64 " events (%" PRId64 " key presses, %" PRId64
                " clicks, %" PRId64 " timer ticks), %" PRId64 " cues, %.1f hours on the virtual clock\n",
                NameOf(GetParam()), seed_, totals_.games, totals_.Events(), totals_.keys, totals_.clicks, totals_.ticks,
                cues_.played, static_cast<double>(form_.clock.now) / 3.6e6);
  }

  testing::ScratchDirectory scratch_;
  std::uint64_t seed_;
  Image atlas_;
  CheckedCues cues_;
  Mform form_;
  Bot bot_;
  RuleChecker rules_;
  Totals totals_;
  std::string last_;
};

TEST_P(SoakTest, EveryEventLeavesAStateTheGameAllows) {
  const auto games = static_cast<std::int64_t>(FromEnvironment("ZELVANE_SOAK_GAMES", 3));
  Play(games);
  Report();
}

INSTANTIATE_TEST_SUITE_P(Bots, SoakTest,
                         ::testing::Values(Personality::FastTypist, Personality::SlowTypist, Personality::Mistyper,
                                           Personality::KeyMasher),
                         [](const ::testing::TestParamInfo<Personality>& info) { return NameOf(info.param); });

}  // namespace
}  // namespace zelvane::soak
