// The best-summing run: where a signal's slots or frames begin and how many there are.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "best_run.hpp"

namespace beaconcheck {
namespace {

struct RunCase {
  const char* name;
  std::vector<double> values;
  std::size_t first;
  std::size_t count;
};

const RunCase kRunCases[] = {
    {"FaintInsideKept", {-1, 2, 2, -1, 2, 2, -3}, 1, 5},
    {"DeepGapSplits", {3, -5, 1, 1, 1, 1, -1}, 2, 4},
    {"AtTheEnd", {-1, -1, 0.5, 0.5}, 2, 2},
    {"FirstOfTwoEqual", {2, -9, 2}, 0, 1},
    {"NothingAbove", {-1, -2, 0}, 0, 0},
    {"Empty", {}, 0, 0},
};

class BestRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(BestRunTest, FirstAndCount) {
  const RunCase& c = GetParam();
  const beaconcheck::Run run = BestRun(c.values.size(), [&](std::size_t i) { return c.values[i]; });
  EXPECT_EQ(run.first, c.first);
  EXPECT_EQ(run.count, c.count);
}

INSTANTIATE_TEST_SUITE_P(Runs, BestRunTest, testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck
