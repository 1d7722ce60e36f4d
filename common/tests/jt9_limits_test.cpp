// jt9's measured limits: the compiled-in table against the data file the measurement wrote; and
// each mode's signal numbers.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "beacon_signal.hpp"
#include "jt9_limits.hpp"

namespace fst4w {
namespace {

// Every row of data/jt9_limits.tsv is the compiled table's, and the table has no other rows.
TEST(Jt9Limits, TableEqualsTheDataFile) {
  std::ifstream file(WSPR_DATA_DIR "/jt9_limits.tsv");
  ASSERT_TRUE(file) << "cannot open " WSPR_DATA_DIR "/jt9_limits.tsv";
  std::string line;
  std::string table;
  std::size_t limits = 0;
  std::size_t points = 0;
  std::size_t compiled_points = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string period_text, quantity, a, b;
    fields >> period_text >> quantity >> a >> b;
    if (period_text == "period_s") {
      table = a;
      continue;
    }
    SCOPED_TRACE(line);
    const auto mode = beacon::Fst4wModeOf(std::stoi(period_text));
    ASSERT_TRUE(mode);
    const Jt9Fault fault = quantity == "offset_hz" ? Jt9Fault::kOffset
                           : quantity == "dt_s"    ? Jt9Fault::kDt
                                                   : Jt9Fault::kStepError;
    ASSERT_TRUE(quantity == "offset_hz" || quantity == "dt_s" || quantity == "step_error_percent");
    const wspr::Tolerance* compiled = Jt9Tolerance(*beacon::Fst4wPeriodOf(*mode), fault);
    ASSERT_NE(compiled, nullptr);
    if (table == "clean_low") {
      EXPECT_EQ(compiled->low, std::stod(a));
      EXPECT_EQ(compiled->high, std::stod(b));
      ++limits;
      compiled_points += compiled->points.size();
      continue;
    }
    const double value = std::stod(a);
    bool found = false;
    for (const wspr::LimitPoint& point : compiled->points) {
      if (point.value != value) continue;
      found = true;
      EXPECT_EQ(point.threshold_snr_db,
                b == "none" ? std::nullopt : std::optional<int>(std::stoi(b)));
    }
    EXPECT_TRUE(found);
    ++points;
  }
  EXPECT_GT(limits, 0U);
  EXPECT_EQ(points, compiled_points);
}

TEST(BeaconSignal, EachModesStepSymbolAndReportedTone) {
  const struct {
    beacon::Mode mode;
    std::size_t samples;
    std::size_t symbols;
    double low_tone_below_hz;
  } cases[] = {
      {beacon::Mode::kWspr, 8192, 162, 1.5 * 12000.0 / 8192},
      {beacon::Mode::kFst4w120, 8200, 160, 0},
      {beacon::Mode::kFst4w300, 21504, 160, 0},
      {beacon::Mode::kFst4w900, 66560, 160, 0},
      {beacon::Mode::kFst4w1800, 134400, 160, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(beacon::NameOf(c.mode).name));
    EXPECT_EQ(beacon::SamplesPerSymbol(c.mode), c.samples);
    EXPECT_EQ(beacon::SymbolCount(c.mode), c.symbols);
    EXPECT_EQ(beacon::ToneStepHz(c.mode), 12000.0 / static_cast<double>(c.samples));
    EXPECT_EQ(beacon::LowToneBelowReportedHz(c.mode), c.low_tone_below_hz);
  }
}

}  // namespace
}  // namespace fst4w
