#include "records/high_scores.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

struct InsertCase {
  const char* name;
  HiScores before;
  std::int32_t score;
  HiScores after;
};

class InsertScoreTest : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertScoreTest, EntersTheTable) {
  HiScores table = GetParam().before;
  InsertScore(table, GetParam().score);
  EXPECT_EQ(table, GetParam().after);
}

constexpr HiScores kSample = {500, 400, 300, 200, 100};

INSTANTIATE_TEST_SUITE_P(Cases, InsertScoreTest,
                         testing::Values(InsertCase{"BetweenEntries", kSample, 350, {500, 400, 350, 300, 200}},
                                         InsertCase{"EqualGoesBelow", kSample, 300, {500, 400, 300, 300, 200}},
                                         InsertCase{"NewBest", kSample, 501, {501, 500, 400, 300, 200}},
                                         InsertCase{"JustBeatsTheLast", kSample, 101, {500, 400, 300, 200, 101}},
                                         InsertCase{"EqualToTheLast", kSample, 100, kSample},
                                         InsertCase{"BelowTheLast", kSample, 99, kSample},
                                         InsertCase{"ZeroNeverEnters", {0, 0, 0, 0, 0}, 0, {0, 0, 0, 0, 0}},
                                         InsertCase{"FirstScoreTopsAnEmptyTable", {0, 0, 0, 0, 0}, 7, {7, 0, 0, 0, 0}},
                                         InsertCase{"AllEqual", {5, 5, 5, 5, 5}, 5, {5, 5, 5, 5, 5}}),
                         [](const testing::TestParamInfo<InsertCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zelvane
