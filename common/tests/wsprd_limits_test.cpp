// wsprd's measured limits: the compiled-in table against the data file the measurement wrote,
// and the cost interpolated between the points, for every fault.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "wsprd_limits.hpp"

namespace wspr {
namespace {

struct Quantity {
  const char* column;  // the quantity's name in data/wsprd_limits.tsv
  WsprdFault fault;
};
const Quantity kQuantities[] = {
    {"drift_hz", WsprdFault::kDrift},
    {"dt_s", WsprdFault::kDt},
    {"step_error_percent", WsprdFault::kStepError},
    {"symbol_error_percent", WsprdFault::kSymbolError},
};

struct FileTable {
  double low = NAN;
  double high = NAN;
  std::vector<LimitPoint> points;
};

// The data file's two tables by quantity: the clean limits, and the measured points.
std::map<std::string, FileTable> ReadDataFile() {
  std::ifstream file(WSPR_DATA_DIR "/wsprd_limits.tsv");
  EXPECT_TRUE(file) << "cannot open " WSPR_DATA_DIR "/wsprd_limits.tsv";
  std::map<std::string, FileTable> tables;
  std::string line;
  std::string table;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string quantity, a, b;
    fields >> quantity >> a >> b;
    if (quantity == "quantity") {
      table = a;
    } else if (table == "clean_low") {
      tables[quantity].low = std::stod(a);
      tables[quantity].high = std::stod(b);
    } else {
      tables[quantity].points.push_back(
          {std::stod(a), b == "none" ? std::nullopt : std::optional<int>(std::stoi(b))});
    }
  }
  return tables;
}

class Limits : public ::testing::TestWithParam<Quantity> {};

TEST_P(Limits, TableEqualsTheDataFile) {
  const auto tables = ReadDataFile();
  ASSERT_EQ(tables.size(), std::size(kQuantities));
  ASSERT_TRUE(tables.contains(GetParam().column));
  const FileTable& file = tables.at(GetParam().column);
  const Tolerance& compiled = WsprdTolerance(GetParam().fault);
  EXPECT_EQ(compiled.low, file.low);
  EXPECT_EQ(compiled.high, file.high);
  ASSERT_EQ(compiled.points.size(), file.points.size());
  for (std::size_t i = 0; i < file.points.size(); ++i) {
    EXPECT_EQ(compiled.points[i].value, file.points[i].value) << "row " << i;
    EXPECT_EQ(compiled.points[i].threshold_snr_db, file.points[i].threshold_snr_db) << "row " << i;
  }
}

TEST_P(Limits, CostInterpolatesAndEndsAtTheCleanLimits) {
  const WsprdFault fault = GetParam().fault;
  const Tolerance& t = WsprdTolerance(fault);
  ASSERT_LT(t.low, 0.0);
  ASSERT_GT(t.high, 0.0);
  const auto at_zero = WsprdCost(fault, 0.0);
  ASSERT_TRUE(at_zero.has_value());
  EXPECT_EQ(at_zero->db, 0.0);
  EXPECT_FALSE(at_zero->at_least);
  EXPECT_TRUE(WsprdFollows(fault, t.low));
  EXPECT_TRUE(WsprdFollows(fault, t.high));
  EXPECT_FALSE(WsprdFollows(fault, t.low - 0.01));
  EXPECT_FALSE(WsprdCost(fault, t.high + 0.01).has_value());
  EXPECT_FALSE(WsprdFollows(fault, NAN));
  // Halfway between two measured points lies halfway between their thresholds.
  for (std::size_t i = 0; i + 1 < t.points.size(); ++i) {
    const LimitPoint& a = t.points[i];
    const LimitPoint& b = t.points[i + 1];
    ASSERT_LT(a.value, b.value);
    if (!a.threshold_snr_db || !b.threshold_snr_db) continue;
    const auto halfway = WsprdCost(fault, (a.value + b.value) / 2);
    const auto at_a = WsprdCost(fault, a.value);
    ASSERT_TRUE(halfway && at_a);
    EXPECT_NEAR(halfway->db - at_a->db, (*b.threshold_snr_db - *a.threshold_snr_db) / 2.0, 1e-9);
  }
  // Beyond the outermost point, up to the limit, the cost there is a lower bound.
  const LimitPoint& last = t.points.back();
  if (last.value < t.high && last.threshold_snr_db) {
    const auto beyond = WsprdCost(fault, (last.value + t.high) / 2);
    ASSERT_TRUE(beyond.has_value());
    EXPECT_TRUE(beyond->at_least);
    EXPECT_EQ(beyond->db, WsprdCost(fault, last.value)->db);
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, Limits, ::testing::ValuesIn(kQuantities),
                         [](const auto& info) { return std::string(info.param.column); });

}  // namespace
}  // namespace wspr
