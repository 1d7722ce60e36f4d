// CalculateActual, the decoder table against its data file, and the status line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

struct KnownAnswer {
  const char* name;
  CalcInputs inputs;
  double settingHz;
  double tone0Hz;
  double stepHz;
  double stepErrorPercent;
  double centreErrorHz;
};

// Worked out with exact fractions from the words the report shows (e.g. 0CCCCCCD, 0000013B,
// 0CCCCAF5 for the defaults; 5A1816, 000002, 5A1814 for the PIC).
const KnownAnswer kKnownAnswers[] = {
    {"Defaults32Bit",
     {"20", "1", "1", "1", 2, 2, 1},
     1000000.000931323,
     999997.803010046,
     1.466833055019,
     0.135803223,
     0.003259629},
    {"Pic24BitAt7MHz",
     {"20", "1", "7.0386", "1", 2, 2, 0},
     7038600.444793701,
     7038598.060607910,
     2.384185791016,
     62.760416667,
     1.636886597},
    {"Defaults48Bit",
     {"20", "1", "1", "1", 2, 2, 2},
     1000000.000000014,
     999997.802734427,
     1.464843819576,
     0.000004750,
     0.000000156},
    {"DoubledTo28MHz",
     {"20", "1", "28.1942", "2", 2, 2, 1},
     28194200.005382299,
     28194197.807461023,
     1.471489667892,
     0.453694661,
     0.014695525},
};

TEST(CalculateActual, KnownAnswers) {
  for (const KnownAnswer& k : kKnownAnswers) {
    SCOPED_TRACE(k.name);
    const auto a = CalculateActual(k.inputs);
    ASSERT_TRUE(a.has_value());
    EXPECT_NEAR(a->settingHz, k.settingHz, 1e-6);
    EXPECT_NEAR(a->settingErrorHz, k.settingHz - ReadNumber(k.inputs.Fout) * 1e6, 1e-6);
    for (int t = 0; t < 4; ++t) EXPECT_NEAR(a->tonesHz[t], k.tone0Hz + t * k.stepHz, 1e-6);
    EXPECT_NEAR(a->stepHz, k.stepHz, 1e-11);
    EXPECT_NEAR(a->stepErrorPercent, k.stepErrorPercent, 1e-8);
    EXPECT_NEAR(a->centreErrorHz, k.centreErrorHz, 1e-6);
    EXPECT_EQ(a->decodable, DecoderFollows(a->stepErrorPercent));
  }
}

TEST(CalculateActual, NothingToReport) {
  const struct {
    const char* name;
    CalcInputs inputs;
  } cases[] = {
      {"NoClock", {"", "1", "1", "1", 2, 2, 1}},
      {"NegativeClock", {"-20", "1", "1", "1", 2, 2, 1}},
      {"NoRfMultiplication", {"20", "1", "1", "0", 2, 2, 1}},
      {"NoAccumulator", {"20", "1", "1", "1", 2, 2, -1}},
      {"UnknownAccumulator", {"20", "1", "1", "1", 2, 2, 3}},
      {"OverflowInTheClock", {"1E200", "1E200", "1", "1", 2, 2, 1}},
      {"OverflowInTheInterval", {"1", "1", "1", ".001", 0, 2, 2}},
      {"LowestToneBelowZero", {"20", "1", "", "1", 2, 2, 1}},
      {"IntervalLongerThanItsLine", {"50", "1", "10", "1", 1, 1, 2}},
      {"SettingRoundsUpToTheSpan", {"16777216", "1", "16777215.7", "1", 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(CalculateActual(c.inputs).has_value());
  }
}

TEST(CalculateActual, OutputAboveTheClockIsTheZeroWordTheReportShows) {
  const auto a = CalculateActual({"20", "1", "30", "1", 2, 2, 1});
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->settingHz, 0.0);
  EXPECT_EQ(a->settingErrorHz, -30e6);
}

// The compiled-in table is the one in the data file that the measurement wrote.
TEST(DecoderTolerance, TableEqualsTheDataFile) {
  std::ifstream file(TUNEWORKS_DATA_DIR "/decoder_tolerance.tsv");
  ASSERT_TRUE(file) << "cannot open " TUNEWORKS_DATA_DIR "/decoder_tolerance.tsv";
  std::vector<ThresholdPoint> rows;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#' || line.starts_with("step_error_percent")) continue;
    std::istringstream fields(line);
    std::string key, value;
    fields >> key >> value;
    if (key == "clean_low") {
      EXPECT_EQ(CleanDecodeLimits().lowPercent, std::stod(value));
    } else if (key == "clean_high") {
      EXPECT_EQ(CleanDecodeLimits().highPercent, std::stod(value));
    } else {
      rows.push_back(
          {std::stod(key), value == "none" ? std::nullopt : std::optional<int>(std::stoi(value))});
    }
  }
  const auto table = DecoderThresholds();
  ASSERT_EQ(table.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(table[i].stepErrorPercent, rows[i].stepErrorPercent) << "row " << i;
    EXPECT_EQ(table[i].thresholdSnrDb, rows[i].thresholdSnrDb) << "row " << i;
  }
}

TEST(DecoderTolerance, LossInterpolatesAndEndsAtTheCleanLimits) {
  const DecoderLimits limits = CleanDecodeLimits();
  EXPECT_EQ(DecoderLossDb(0.0), 0.0);
  EXPECT_TRUE(DecoderFollows(limits.lowPercent));
  EXPECT_FALSE(DecoderFollows(limits.lowPercent - 0.01));
  EXPECT_FALSE(DecoderLossDb(limits.highPercent + 0.01).has_value());
  // Halfway between two measured points lies halfway between their thresholds.
  const auto table = DecoderThresholds();
  for (std::size_t i = 0; i + 1 < table.size(); ++i) {
    const ThresholdPoint& a = table[i];
    const ThresholdPoint& b = table[i + 1];
    if (!a.thresholdSnrDb || !b.thresholdSnrDb) continue;
    const auto loss = DecoderLossDb((a.stepErrorPercent + b.stepErrorPercent) / 2);
    ASSERT_TRUE(loss.has_value());
    EXPECT_NEAR(*loss - *DecoderLossDb(a.stepErrorPercent),
                (*b.thresholdSnrDb - *a.thresholdSnrDb) / 2.0, 1e-9);
  }
}

TEST(ActualStatusLine, ShortLineWarningAndTooltip) {
  const ActualSummary exact =
      ActualStatusLine(CalculateActual({"20", "1", "14.0971", "1", 2, 2, 1}));
  EXPECT_EQ(exact.text, "Tones 14097097.8 \u2026 14097102.2 Hz, step 1.4668 Hz (+0.14 %)");
  EXPECT_FALSE(exact.warn);
  EXPECT_TRUE(exact.tooltip.starts_with(
      "DDS setting gives  14097100.0027 Hz (+0.002691 Hz from wanted)\n"
      "WSPR tones         14097097.8048 / 14097099.2716 / 14097100.7384 / 14097102.2053 Hz\n"
      "Tone step          1.466833 Hz (+0.14 % from 1.46484375 Hz)\n"
      "Tone centre        +0.005019 Hz from wanted\n"
      "Decoder (wsprd)    needs "))
      << exact.tooltip;
  EXPECT_NE(exact.tooltip.back(), '\n');

  const ActualSummary far = ActualStatusLine(CalculateActual({"20", "1", "1", "1", 2, 2, 0}));
  EXPECT_TRUE(far.warn);
  EXPECT_NE(far.text.find("step 2.3842 Hz (+62.76 %): a WSPR decoder"), std::string::npos);

  const ActualSummary none = ActualStatusLine(std::nullopt);
  EXPECT_TRUE(none.text.empty() && none.tooltip.empty() && !none.warn);
}

}  // namespace
}  // namespace tuneworks
