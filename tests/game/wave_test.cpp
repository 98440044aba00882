#include <gtest/gtest.h>

#include <set>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

using testing::FormTest;

class WaveTest : public FormTest, public ::testing::WithParamInterface<int> {};

// Over many seeded waves: how many objects, where, and of which kinds.
TEST_P(WaveTest, DealsLevelPlusOneObjectsInDistinctColumns) {
  const auto level = static_cast<std::int16_t>(GetParam());
  form.state.level = level;
  std::set<int> seenKinds;
  int boxes = 0;
  int armoured = 0;
  for (int wave = 0; wave < 3000; ++wave) {
    form.random.Seed(static_cast<std::uint64_t>(wave));
    form.state.slotCode.fill(7);
    form.state.slotHits.fill(2);
    form.SpawnWave();
    int objects = 0;
    for (std::size_t c = 0; c < kColumns; ++c) {
      const std::int16_t code = form.state.slotCode[c];
      const std::int16_t hits = form.state.slotHits[c];
      if (code == SlotEmpty) {
        EXPECT_EQ(hits, 0);
        continue;
      }
      ++objects;
      if (code == ItemBox) {
        ++boxes;
        EXPECT_EQ(hits, 1);
      } else {
        ASSERT_GE(code, 0);
        ASSERT_LE(code, 25);
        seenKinds.insert(code);
        ASSERT_TRUE(hits == 1 || hits == 2);
        armoured += hits == 2;
      }
    }
    ASSERT_EQ(objects, level + 1);
  }
  EXPECT_EQ(seenKinds.size(), 26u);
  // A box is one object in a hundred from level 2 on, armour one letter in ten from level 3.
  const int objects = 3000 * (level + 1);
  if (level >= 2) {
    EXPECT_NEAR(boxes, objects / 100, objects / 200);
  } else {
    EXPECT_EQ(boxes, 0);
  }
  if (level >= 3) {
    EXPECT_NEAR(armoured, objects / 10, objects / 40);
  } else {
    EXPECT_EQ(armoured, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, WaveTest, ::testing::Values(1, 2, 3, 4));

TEST_F(FormTest, DrawsInTheDesignedOrderOfRandomNumbers) {
  form.state.level = 3;
  // Object 1: column 2, box roll 0 (a box at level 3).
  // Object 2: column 2 again (taken), then 0; box roll 5; letter 25 (Z); armour roll 2.
  // Object 3: column 4; box roll 99; letter 0 (A); armour roll 3.
  // Object 4: column 1; box roll 1; letter 6 (G); armour roll 2.
  form.random.Script({0.4, 0.0, 0.41, 0.0, 0.05, 0.999, 0.2, 0.8, 0.99, 0.0, 0.3, 0.2, 0.01, 0.24, 0.25});
  form.SpawnWave();
  EXPECT_EQ(form.state.slotCode, (std::array<std::int16_t, 5>{25, 6, ItemBox, SlotEmpty, 0}));
  EXPECT_EQ(form.state.slotHits, (std::array<std::int16_t, 5>{2, 2, 1, 0, 1}));
}

TEST_F(FormTest, CountsEveryDealtLetterForItsRowAndNoBox) {
  form.state.level = 2;
  // A box in column 0, A (home row) in column 1, P (top row) in column 2.
  form.random.Script({0.0, 0.0, 0.3, 0.5, 0.0, 0.9, 0.5, 0.5, 0.6, 0.0});
  form.SpawnWave();
  EXPECT_EQ(form.state.slotCode, (std::array<std::int16_t, 5>{ItemBox, 0, 15, SlotEmpty, SlotEmpty}));
  EXPECT_EQ(form.state.rowSpawned, (std::array<std::int16_t, 3>{1, 1, 0}));
}

struct TileCase {
  std::int16_t code;
  std::int16_t hits;
  Point source;
};

class TileTest : public FormTest, public ::testing::WithParamInterface<TileCase> {};

TEST_P(TileTest, DrawSlotCopiesTheTileOfItsCodeAndHitsAndPresentsIt) {
  const TileCase& c = GetParam();
  form.DrawSlot(c.code, 3, 5, c.hits);
  EXPECT_EQ(ShownSource(form.Mpc, 90, 150), c.source);
  EXPECT_EQ(ShownSource(form.Mpc, 119, 179), (Point{c.source.x + 29, c.source.y + 29}));
}

INSTANTIATE_TEST_SUITE_P(Codes, TileTest,
                         ::testing::Values(TileCase{0, 1, {0, 0}}, TileCase{6, 1, {180, 0}}, TileCase{19, 1, {570, 0}},
                                           TileCase{19, 2, {570, 240}}, TileCase{0, 0, {0, 240}},
                                           TileCase{20, 1, {0, 30}}, TileCase{25, 1, {150, 30}},
                                           TileCase{20, 2, {0, 270}}, TileCase{25, 2, {150, 270}},
                                           TileCase{95, 1, {270, 30}}, TileCase{96, 0, {300, 30}},
                                           TileCase{97, 2, {330, 30}}, TileCase{98, 1, {360, 30}},
                                           TileCase{99, 0, {0, 60}}, TileCase{99, 2, {0, 60}}));

TEST_F(FormTest, DrawWaveTouchesOnlyTheFiveCellsOfItsRow) {
  SetWave({0, SlotEmpty, 22, ItemBox, 4}, {1, 0, 2, 1, 1}, 4);
  form.DrawWave();
  EXPECT_EQ(ShownSource(form.Mpc, 0, 120), (Point{0, 0}));
  EXPECT_EQ(ShownSource(form.Mpc, 30, 120), (Point{0, 60}));
  EXPECT_EQ(ShownSource(form.Mpc, 60, 120), (Point{60, 270}));
  EXPECT_EQ(ShownSource(form.Mpc, 90, 120), (Point{360, 30}));
  EXPECT_EQ(ShownSource(form.Mpc, 120, 120), (Point{120, 0}));
  EXPECT_EQ(form.Mpc.Shown().At(10, 119), Black);
  EXPECT_EQ(form.Mpc.Shown().At(10, 150), Black);
}

}  // namespace
}  // namespace zelvane
