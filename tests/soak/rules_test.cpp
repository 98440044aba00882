// The soak is only as good as its rules: each of these breaks one of them in
// an otherwise sound game and expects the checker to name it.
#include <gtest/gtest.h>

#include <functional>

#include "soak/rules.h"
#include "support/form_fixture.h"

namespace zelvane::soak {
namespace {

struct Breakage {
  const char* name;
  std::function<void(Mform&, const Image& atlas)> breakIt;
  const char* reported;
};

class RulesTest : public testing::FormTest, public ::testing::WithParamInterface<Breakage> {
 protected:
  // Brings the game into play, the checker following every phase.
  void SetUp() override {
    form.DeliverLoad(form.clock.now);
    ExpectRulesHold();
    form.random.Seed(12345);
    RunFor(form, 1000);
    ExpectRulesHold();
    form.DeliverClick(form.clock.now, 0);
    ExpectRulesHold();
    RunFor(form, 3000);
    ExpectRulesHold();
    ASSERT_TRUE(form.KeyPreview);
  }

  void ExpectRulesHold() {
    const std::vector<std::string> broken = rules.Check(form);
    ASSERT_TRUE(broken.empty()) << broken.front();
  }

  RuleChecker rules;
};

TEST_P(RulesTest, NamesTheBrokenRule) {
  GetParam().breakIt(form, atlas_);
  const std::vector<std::string> broken = rules.Check(form);
  std::string lines;
  for (const std::string& line : broken) lines += "\n  " + line;
  EXPECT_NE(lines.find(GetParam().reported), std::string::npos) << lines;
}

TEST_F(RulesTest, OrdinaryPlayBreaksNoRule) {
  for (int second = 0; second < 20; ++second) {
    RunFor(form, 1000);
    ExpectRulesHold();
  }
}

void LandedTileAt(Mform& form, const Image& atlas, int column, int row) {
  form.Mpc.Copy(column * kCell, row * kCell, kCell, kCell, atlas, 0, atlas::kLandedBand);
  form.Mpc.Present();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RulesTest,
    ::testing::Values(
        Breakage{"LetterWithoutHits", [](Mform& f, const Image&) { f.state.slotHits.fill(0); },
                 "a letter takes one or two hits"},
        Breakage{"UnknownSlotCode", [](Mform& f, const Image&) { f.state.slotCode[0] = 50; }, "no such slot"},
        Breakage{"NegativeScore", [](Mform& f, const Image&) { f.state.score = -1; }, "score is negative"},
        Breakage{"RateOverAHundred", [](Mform& f, const Image&) { f.state.rowRate[1] = 101; },
                 "rowRate is 101, outside 0..100"},
        Breakage{"PlayAfterTheFifteenthLetter", [](Mform& f, const Image&) { f.state.pileCount = 15; },
                 "play goes on with fifteen letters"},
        Breakage{"KeyPreviewOffInPlay", [](Mform& f, const Image&) { f.KeyPreview = false; }, "key preview"},
        Breakage{"ButtonEnabledInPlay", [](Mform& f, const Image&) { f.Cm1[1].enabled = true; },
                 "End is enabled outside the waiting phase"},
        Breakage{"WarningTooEarly", [](Mform& f, const Image&) { f.ATtimer.Enable(); }, "the warning runs"},
        Breakage{"DescentTooFast", [](Mform& f, const Image&) { f.GMtime.SetInterval(99); }, "faster than 100 ms"},
        Breakage{"TimersOfTwoPhases", [](Mform& f, const Image&) { f.GOtimer.Enable(); }, "match no phase"},
        Breakage{"SkippedPhases",
                 [](Mform& f, const Image&) {
                   f.GMtime.Disable();
                   f.KeyPreview = false;
                   f.OVtimer.Enable();
                 },
                 "went from playing to game-over hold"},
        Breakage{"CopyNotPresented", [](Mform& f, const Image& atlas) { f.Mpc.Copy(0, 0, 30, 30, atlas, 0, 90); },
                 "Mpc shows less than was drawn"},
        Breakage{"LandedTileAboveThePile",
                 [](Mform& f, const Image& atlas) { LandedTileAt(f, atlas, 0, f.state.waveRow == 3 ? 4 : 3); },
                 "shows atlas (15, 105)"},
        Breakage{"PileCellNotDrawn",
                 [](Mform& f, const Image&) {
                   f.state.pileCount = 1;
                   f.state.rowLanded[0] = 1;
                   f.state.rowSpawned[0] = 1;
                 },
                 "pile cell (0, 9) holds no landed tile"},
        Breakage{"PileTileBeyondTheCount", [](Mform& f, const Image& atlas) { LandedTileAt(f, atlas, 1, 9); },
                 "pile cell (1, 9) is not empty"},
        Breakage{"LandedMoreThanSpawned",
                 [](Mform& f, const Image&) {
                   f.state.rowSpawned[2] = 0;
                   f.state.rowLanded[2] = 1;
                 },
                 "keyboard row 2 landed more than it spawned"}),
    [](const ::testing::TestParamInfo<Breakage>& info) { return info.param.name; });

}  // namespace
}  // namespace zelvane::soak
