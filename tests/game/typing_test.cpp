#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

using testing::Slots;

class TypingTest : public testing::FormTest {
 protected:
  void SetUp() override {
    LoadAndWait();
    StartPlay();
  }
  void Press(std::int16_t key) { form.DeliverKeyDown(form.clock.now, key, 0); }
  static std::int16_t Key(char letter) { return static_cast<std::int16_t>(letter); }
};

struct KeyCase {
  const char* what;
  Slots codes;
  Slots hits;
  std::int16_t level;
  std::int32_t score;
  std::int16_t key;
  Slots codesAfter;
  Slots hitsAfter;
  std::int32_t scoreAfter;
  const char* cue;  // nullptr: no cue
};

constexpr std::int16_t E = SlotEmpty;

class KeyRules : public TypingTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyRules, OnePressMakesAtMostOneHit) {
  const KeyCase& c = GetParam();
  SetWave(c.codes, c.hits, 2);
  form.state.level = c.level;
  form.state.score = c.score;
  form.random.Script({0.5});  // a box opens into ItemSlow
  Press(c.key);
  EXPECT_EQ(form.state.slotCode, c.codesAfter);
  EXPECT_EQ(form.state.slotHits, c.hitsAfter);
  EXPECT_EQ(form.state.score, c.scoreAfter);
  EXPECT_EQ(cues.played, c.cue ? std::vector<std::string>{c.cue} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyRules,
    ::testing::Values(
        KeyCase{
            "destroys", {0, E, 1, E, E}, {1, 0, 1, 0, 0}, 1, 0, 'A', {E, E, 1, E, E}, {0, 0, 1, 0, 0}, 20, "abc.wav"},
        KeyCase{"lowest of two equal letters",
                {3, 3, E, E, E},
                {1, 1, 0, 0, 0},
                2,
                5,
                'D',
                {E, 3, E, E, E},
                {0, 1, 0, 0, 0},
                45,
                "abc.wav"},
        KeyCase{"armour first",
                {3, 3, E, E, E},
                {2, 1, 0, 0, 0},
                3,
                0,
                'D',
                {3, 3, E, E, E},
                {1, 1, 0, 0, 0},
                30,
                "bcd.wav"},
        KeyCase{"space opens the first box",
                {ItemBox, 4, ItemBox, E, E},
                {1, 1, 1, 0, 0},
                4,
                0,
                ' ',
                {ItemSlow, 4, ItemBox, E, E},
                {1, 1, 1, 0, 0},
                10,
                "ghi.wav"},
        KeyCase{"space with no box misses",
                {ItemBonus, 4, E, E, E},
                {1, 1, 0, 0, 0},
                2,
                1000,
                ' ',
                {ItemBonus, 4, E, E, E},
                {1, 1, 0, 0, 0},
                750,
                "hij.wav"},
        KeyCase{"a letter not in the wave",
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                4,
                1000,
                'Q',
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                550,
                "hij.wav"},
        KeyCase{"a miss never leaves the score below 0",
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                1,
                100,
                'Q',
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                0,
                "hij.wav"},
        KeyCase{"shift alone is a miss",
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                3,
                400,
                16,
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                50,
                "hij.wav"},
        KeyCase{"a key with no code of its own is a miss",
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                2,
                400,
                vk::Unassigned,
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                150,
                "hij.wav"},
        KeyCase{"opened items are never hit",
                {ItemReset, E, E, E, E},
                {1, 0, 0, 0, 0},
                1,
                150,
                162,
                {ItemReset, E, E, E, E},
                {1, 0, 0, 0, 0},
                0,
                "hij.wav"},
        KeyCase{"keypad 3 is neither hit nor miss",
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                1,
                100,
                99,
                {4, E, E, E, E},
                {1, 0, 0, 0, 0},
                100,
                nullptr}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST_F(TypingTest, SpaceTurnsABoxIntoEachItemWithEqualChance) {
  const std::pair<double, std::int16_t> draws[] = {{0.0, ItemReset}, {0.33, ItemReset}, {0.34, ItemSlow},
                                                   {0.66, ItemSlow}, {0.67, ItemBonus}, {0.999, ItemBonus}};
  for (const auto& [x, item] : draws) {
    SetWave({E, ItemBox, 5, E, E}, {0, 1, 1, 0, 0});
    form.random.Script({x});
    Press(' ');
    EXPECT_EQ(form.state.slotCode[1], item) << x;
    EXPECT_EQ(form.state.slotHits[1], 1);
  }
}

TEST_F(TypingTest, EveryHitShortensTheDescentDownTo100Ms) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {{1000, 999}, {101, 100}, {100, 100}};
  for (const auto& [before, after] : cases) {
    SetWave({0, 0, E, E, E}, {1, 1, 0, 0, 0});
    form.GMtime.SetInterval(before);
    Press('A');
    EXPECT_EQ(form.GMtime.Interval(), after);
  }
  SetWave({0, 0, E, E, E}, {1, 1, 0, 0, 0});
  Press('B');
  Press(vk::Keypad3);
  EXPECT_EQ(form.GMtime.Interval(), 100) << "misses and keypad 3 leave it";
}

TEST_F(TypingTest, ClearingTheWaveDealsANewOneInTheSamePress) {
  form.state.score = 990;
  SetWave({E, E, 7, E, E}, {0, 0, 1, 0, 0}, 4);
  form.DrawWave();
  Press('H');
  EXPECT_EQ(form.state.waveRow, 0);
  EXPECT_EQ(form.state.level, 2) << "the cleared wave derives the level from 1010 points";
  int objects = 0;
  for (std::int16_t code : form.state.slotCode) objects += code != SlotEmpty;
  EXPECT_EQ(objects, 3);
  EXPECT_EQ(form.Mpc.Shown().At(65, 125), Black) << "the old band is erased";
  EXPECT_EQ(form.state.pileCount, 0);
}

TEST_F(TypingTest, KeypadThreeStillClearsAnEmptyWave) {
  SetWave({E, E, E, E, E}, {0, 0, 0, 0, 0}, 3);
  Press(vk::Keypad3);
  EXPECT_EQ(form.state.waveRow, 0);
  EXPECT_NE(form.state.slotCode, (Slots{E, E, E, E, E}));
}

TEST_F(TypingTest, AWaveWithAnOpenedItemLeftKeepsFalling) {
  SetWave({ItemSlow, 2, E, E, E}, {1, 1, 0, 0, 0}, 3);
  Press('C');
  EXPECT_EQ(form.state.waveRow, 3);
  EXPECT_EQ(form.state.slotCode, (Slots{ItemSlow, E, E, E, E}));
}

TEST_F(TypingTest, ThePressRedrawsTheWaveAndTheScore) {
  SetWave({E, 1, E, E, E}, {0, 2, 0, 0, 0}, 1);
  form.DrawWave();
  EXPECT_EQ(ShownSource(form.Mpc, 30, 30), (Point{30, 240}));
  Press('B');
  EXPECT_EQ(ShownSource(form.Mpc, 30, 30), (Point{30, 0})) << "armour gone: the plain tile";
  EXPECT_EQ(ShownSource(form.SCpc, 104, 4), (Point{160 + 20 * 0, 180}));
  EXPECT_EQ(ShownSource(form.SCpc, 84, 4), (Point{160 + 20 * 1, 180})) << "10 points";
}

TEST_F(TypingTest, TheScoreSticksAtItsLimit) {
  form.state.score = 2'147'483'640;
  form.state.level = 4;
  SetWave({0, E, E, E, E}, {1, 0, 0, 0, 0});
  Press('A');
  EXPECT_EQ(form.state.score, 2'147'483'647);
  form.GMtime.SetInterval(-2'147'483'647 - 1);
  SetWave({0, 0, E, E, E}, {1, 1, 0, 0, 0});
  Press('A');
  EXPECT_EQ(form.GMtime.Interval(), 100);
}

}  // namespace
}  // namespace zelvane
