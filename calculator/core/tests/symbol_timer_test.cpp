// SymbolTimer: counts per symbol, their errors, and the patterns that keep the average exact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

struct KnownRow {
  double clockHz;
  int prescaler;
  std::uint32_t count;
  double errorPpm;
  std::vector<std::uint32_t> pattern;
};

// Worked by hand: the ideal count is clock x 8192 / (12000 x prescaler).
const KnownRow kKnownRows[] = {
    {16e6, 256, 42667, 7.8125, {42666, 42667, 42667}},  // 42666 2/3
    {16e6, 1024, 10667, 31.25, {10666, 10667, 10667}},
    {4e6, 128, 21333, -15.625, {21333, 21333, 21334}},  // 21333 1/3
    {12e6, 256, 32000, 0.0, {}},                        // exact
    {32768, 1, 22370, 16.9277, {}},                     // 22369.62, its pattern checked below
    {14.7456e6, 1024, 9830, -40.690, {9830, 9830, 9831, 9830, 9831}},  // 9830 2/5
};

TEST(SymbolTimer, KnownRows) {
  for (const KnownRow& k : kKnownRows) {
    SCOPED_TRACE(testing::Message() << k.clockHz << " Hz / " << k.prescaler);
    const auto rows = SymbolTimer(k.clockHz);
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const SymbolTimerRow& r) {
      return r.prescaler == k.prescaler;
    });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->count, k.count);
    EXPECT_NEAR(row->errorPpm, k.errorPpm, 1e-3);
    const double period_ms = k.count * k.prescaler / k.clockHz * 1000;
    EXPECT_NEAR(row->periodMs, period_ms, 1e-9);
    EXPECT_NEAR(row->driftPerTransmissionMs, 162 * (period_ms - 8192.0 / 12), 1e-9);
    EXPECT_NEAR(row->driftPerHourMs, 3600e3 * (period_ms / (8192.0 / 12) - 1), 1e-9);
    if (!k.pattern.empty()) {
      EXPECT_EQ(row->pattern, k.pattern);
    }
  }
}

// For every row: the count fits 16 bits and is the nearest whole count; the pattern holds the
// two counts around the ideal and its average is the ideal exactly when it says so, in the
// fewest counts that can be (the ideal's denominator), or else as near as it says.
TEST(SymbolTimer, EveryRowKeepsItsPromises) {
  for (const double clock : {1e6, 4e6, 8e6, 16e6, 20e6, 32768.0, 3.579545e6, 11.0592e6, 48e6}) {
    SCOPED_TRACE(clock);
    std::size_t fitting = 0;
    for (const int p : kTimerPrescalers) {
      const long double ideal = clock * 8192.0L / (12000.0L * p);
      if (std::floor(ideal) >= 1 && std::ceil(ideal) <= 65535) ++fitting;
    }
    const auto rows = SymbolTimer(clock);
    EXPECT_EQ(rows.size(), fitting);
    for (const SymbolTimerRow& row : rows) {
      SCOPED_TRACE(row.prescaler);
      const long double ideal = clock * 8192.0L / (12000.0L * row.prescaler);
      EXPECT_LE(std::fabs(row.count - ideal), 0.5L);
      if (row.pattern.empty()) {
        EXPECT_EQ(row.count, ideal);
        continue;
      }
      ASSERT_LE(row.pattern.size(), kLongestTimerPattern);
      std::uint64_t sum = 0;
      for (const std::uint32_t c : row.pattern) {
        EXPECT_TRUE(c == std::floor(ideal) || c == std::ceil(ideal)) << c;
        sum += c;
      }
      // Whole-hertz clocks: ideal = clock x 256 / (375 p) exactly.
      const auto clock_whole = static_cast<std::uint64_t>(clock);
      const std::uint64_t n = clock_whole * 256;
      const std::uint64_t d = 375ULL * row.prescaler;
      const std::uint64_t shortest = d / std::gcd(n, d);
      if (row.patternErrorPpm == 0) {
        EXPECT_EQ(sum * d, n * row.pattern.size());
        EXPECT_EQ(row.pattern.size(), shortest);
      } else {
        EXPECT_GT(shortest, kLongestTimerPattern);
        const long double average = static_cast<long double>(sum) / row.pattern.size();
        EXPECT_NEAR(static_cast<double>((average / ideal - 1) * 1e6), row.patternErrorPpm, 1e-9);
        EXPECT_LE(std::fabs(row.patternErrorPpm), std::fabs(row.errorPpm));
      }
    }
  }
}

TEST(SymbolTimer, NoRowsForClocksThatCannotTimeASymbol) {
  for (const double clock : {0.0, -16e6, 1.0, 1e13, std::nan("")}) {
    EXPECT_TRUE(SymbolTimer(clock).empty()) << clock;
  }
}

}  // namespace
}  // namespace tuneworks
