#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace zelvane {
namespace {

class RowStatsTest : public testing::FormTest {
 protected:
  void Count(std::int16_t code, std::int16_t mode, int times = 1) {
    for (int i = 0; i < times; ++i) form.CountRowStat(code, mode);
  }
  void Recompute() { form.CountRowStat(SlotEmpty, kUpdateRates); }
};

TEST_F(RowStatsTest, EachLetterCountsForItsKeyboardRow) {
  const char* rows[] = {"EIOPQRTUWY", "ADFGHJKLS", "BCMNVXZ"};
  for (std::size_t row = 0; row < 3; ++row) {
    for (const char* letter = rows[row]; *letter; ++letter) {
      form.state.rowSpawned = {};
      form.state.rowLanded = {};
      const auto code = static_cast<std::int16_t>(*letter - 'A');
      Count(code, kCountSpawned);
      Count(code, kCountLanded, 2);
      std::array<std::int16_t, 3> spawned{}, landed{};
      spawned[row] = 1;
      landed[row] = 2;
      EXPECT_EQ(form.state.rowSpawned, spawned) << *letter;
      EXPECT_EQ(form.state.rowLanded, landed) << *letter;
    }
  }
}

TEST_F(RowStatsTest, ItemsAndEmptySlotsAreNotCounted) {
  for (std::int16_t code = ItemBonus; code <= SlotEmpty; ++code) {
    Count(code, kCountLanded);
    Count(code, kCountSpawned);
  }
  EXPECT_EQ(form.state.rowSpawned, (std::array<std::int16_t, 3>{}));
  EXPECT_EQ(form.state.rowLanded, (std::array<std::int16_t, 3>{}));
}

TEST_F(RowStatsTest, TheRateIsTheShareKeptFromLandingRoundedAgainstThePlayer) {
  struct Case {
    std::int16_t landed, spawned, rate;
  };
  // Divide first, then multiply: 29 / 100 * 100 is just under 29.
  const Case cases[] = {{0, 0, 100},   {0, 7, 100}, {1, 3, 67},    {2, 3, 34},       {29, 50, 43},
                        {29, 100, 72}, {5, 5, 0},   {1, 150, 100}, {32767, 32767, 0}};
  for (const Case& c : cases) {
    form.state.rowLanded = {c.landed, 0, 0};
    form.state.rowSpawned = {c.spawned, 0, 0};
    Recompute();
    EXPECT_EQ(form.state.rowRate[0], c.rate) << c.landed << " of " << c.spawned;
    EXPECT_EQ(form.state.rowRate[1], 100);
  }
}

TEST_F(RowStatsTest, CountersStickAtTheirLimitAndTheRateStaysInRange) {
  form.state.rowSpawned = {32767, 0, 0};
  form.state.rowLanded = {32766, 2, 0};
  Count(4, kCountSpawned);
  Count(4, kCountLanded, 3);
  EXPECT_EQ(form.state.rowSpawned[0], 32767);
  EXPECT_EQ(form.state.rowLanded[0], 32767);
  Recompute();
  EXPECT_EQ(form.state.rowRate[0], 0);
  // Landings with no spawn counted (state set up directly) must not divide by zero.
  EXPECT_EQ(form.state.rowRate[1], 0);
}

TEST_F(RowStatsTest, LandingsRecomputeTheRatesAndAGameStartLeavesThem) {
  LoadAndWait();
  StartPlay();
  form.state.rowSpawned = {4, 1, 0};
  SetWave({4, 3, SlotEmpty, SlotEmpty, SlotEmpty}, {1, 1, 0, 0, 0}, 6);
  form.GMtime_Timer();
  EXPECT_EQ(form.state.rowRate, (std::array<std::int16_t, 3>{75, 0, 100}));
}

}  // namespace
}  // namespace zelvane
