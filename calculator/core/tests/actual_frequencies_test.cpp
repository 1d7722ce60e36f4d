// CalculateActual, the band check and the status line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tuneworks_core.hpp"
#include "wsprd_limits.hpp"

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
     {"20", "2", "28.1942", "2", 2, 2, 1},
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
    EXPECT_EQ(a->decodable, wspr::WsprdFollows(wspr::WsprdFault::kStepError, a->stepErrorPercent));
    const auto cost = wspr::WsprdCost(wspr::WsprdFault::kStepError, a->stepErrorPercent);
    ASSERT_EQ(a->decoderLossDb.has_value(), cost.has_value());
    if (cost) {
      EXPECT_NEAR(*a->decoderLossDb, cost->db, 1e-6);
    }
  }
}

TEST(CalculateActual, NothingToReportAndWhy) {
  const struct {
    const char* name;
    CalcInputs inputs;
    ToneFault fault;
  } cases[] = {
      {"NoClock", {"", "1", "1", "1", 2, 2, 1}, ToneFault::kNone},
      {"NegativeClock", {"-20", "1", "1", "1", 2, 2, 1}, ToneFault::kNone},
      {"NoRfMultiplication", {"20", "1", "1", "0", 2, 2, 1}, ToneFault::kNone},
      {"NoAccumulator", {"20", "1", "1", "1", 2, 2, -1}, ToneFault::kNone},
      {"UnknownAccumulator", {"20", "1", "1", "1", 2, 2, 4}, ToneFault::kNone},
      {"OverflowInTheClock", {"1E200", "1E200", "1", "1", 2, 2, 1}, ToneFault::kNone},
      {"OverflowInTheInterval", {"1", "1", "1", ".001", 0, 2, 2}, ToneFault::kNone},
      {"LowestToneBelowZero", {"20", "1", "", "1", 2, 2, 1}, ToneFault::kWordCut},
      {"IntervalLongerThanItsLine", {"50", "1", "10", "1", 1, 1, 2}, ToneFault::kWordCut},
      {"SettingRoundsUpToTheSpan",
       {"16777216", "1", "16777215.7", "1", 0, 0, 0},
       ToneFault::kAlias},
      // The report shows 00000000 above the clock; at half the clock the DDS makes 0 Hz.
      {"AboveTheClockTheWordIsZero", {"20", "1", "30", "1", 2, 2, 1}, ToneFault::kAlias},
      {"ExactlyHalfTheClock", {"20", "1", "10", "1", 2, 2, 1}, ToneFault::kAlias},
      {"HighestToneAtHalfTheClock", {"20000000", "1", "9999998", "1", 0, 0, 2}, ToneFault::kAlias},
      {"DoubledFromHalfTheClock", {"20", "1", "20.0001", "2", 2, 2, 1}, ToneFault::kAlias},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ActualTones tones = CalculateActualTones(c.inputs);
    EXPECT_FALSE(tones.frequencies.has_value());
    EXPECT_EQ(tones.fault, c.fault);
  }
  // Just below half the clock the tones are the wanted ones.
  EXPECT_TRUE(CalculateActual({"20000000", "1", "9999997", "1", 0, 0, 2}).has_value());
}

// Tones near 1.5 kHz above a dial frequency, made with 48 fine bits so that they lie within a
// few millihertz of the wanted frequency -2.197 ... +2.197 Hz.
TEST(CheckBand, WhereTheTonesLand) {
  const struct {
    const char* name;
    CalcInputs inputs;  // 48 bit
    const char* band;   // nullptr: no band near
    bool inside;
    double marginHz;
    bool dial;
  } cases[] = {
      {"40mCentre", {"125", "1", "7.0401", "1", 2, 2, 2}, "40m", true, 97.8, false},
      {"40mDial", {"125", "1", "7.0386", "1", 2, 2, 2}, "40m", false, -1402.2, true},
      {"30mAbove", {"125", "1", "10.1404", "1", 2, 2, 2}, "30m", false, -102.2, false},
      {"80mOlderDial", {"125", "1", "3.5941", "1", 2, 2, 2}, "80m", true, 97.8, false},
      {"60mSecondChannel", {"125", "1", "5366.2", "1", 2, 1, 2}, "60m", true, 97.8, false},
      {"2200mLowEdge", {"125", "1", "137402.2", "1", 2, 0, 2}, "2200m", true, 0.0, false},
      {"23cmMultiplied", {"1", "1", "1296.5015", "4", 3, 2, 2}, "23cm", true, 97.8, false},
      {"2mWithinOnePercent", {"1", "1", "145.9", "1", 3, 2, 2}, "2m", false, -1409402.2, false},
      {"2mBeyondOnePercent", {"1", "1", "146", "1", 3, 2, 2}, nullptr, false, 0, false},
      {"630mWithinFiveKilohertz", {"125", "1", "480", "1", 2, 1, 2}, "630m", false, -4202.2, false},
      {"630mBeyondFiveKilohertz", {"125", "1", "481", "1", 2, 1, 2}, nullptr, false, 0, false},
      {"NoBandAt1MHz", {"125", "1", "1", "1", 2, 2, 2}, nullptr, false, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto actual = CalculateActual(c.inputs);
    ASSERT_TRUE(actual.has_value());
    const auto check = CheckBand(*actual);
    ASSERT_EQ(check.has_value(), c.band != nullptr);
    if (!check) continue;
    EXPECT_EQ(check->band.name, c.band);
    EXPECT_EQ(check->inside, c.inside);
    EXPECT_NEAR(check->marginHz, c.marginHz, 0.05);
    EXPECT_EQ(check->wantedIsDial, c.dial);
    EXPECT_NEAR(check->audioHz, actual->wantedHz - check->band.dialHz, 0.05);
    EXPECT_EQ(check->windowHighHz - check->windowLowHz, 200.0);
  }
}

TEST(CheckBand, NamedBandAndNames) {
  const auto actual = CalculateActual({"125", "1", "7.0401", "1", 2, 2, 2});
  ASSERT_TRUE(actual.has_value());
  const auto eighty = CheckBand(*actual, " 80 M");
  ASSERT_TRUE(eighty.has_value());
  EXPECT_EQ(eighty->band.dialHz, 3592600.0);  // the nearer of its two dials
  EXPECT_FALSE(eighty->inside);
  EXPECT_EQ(eighty->note.find("The highest tone lies 3445902.2 Hz above the 80 m WSPR window, "
                              "3.594000 to 3.594200 MHz"),
            0U)
      << eighty->note;
  EXPECT_FALSE(CheckBand(*actual, "41m").has_value());
  for (const char* name : {"40m", "40", "40M", "40 m"})
    EXPECT_EQ(FindWsprBand(name)->dialHz, 7038600.0);
  for (const char* name : {"", "m", "70", "4cm", "40mm"}) EXPECT_EQ(FindWsprBand(name), nullptr);
}

TEST(ActualStatusLine, ShortLineWarningAndTooltip) {
  const ActualSummary exact =
      ActualStatusLine(CalculateActual({"20", "2", "14.0971", "1", 2, 2, 1}));
  EXPECT_EQ(exact.text, "Tones 14097097.8 \u2026 14097102.2 Hz, step 1.4715 Hz (+0.45 %)");
  EXPECT_FALSE(exact.warn);
  EXPECT_TRUE(exact.tooltip.starts_with(
      "DDS setting gives  14097100.0027 Hz (+0.002691 Hz from wanted)\n"
      "WSPR tones         14097097.8048 / 14097099.2763 / 14097100.7477 / 14097102.2192 Hz\n"
      "Tone step          1.471490 Hz (+0.45 % from 1.46484375 Hz)\n"
      "Tone centre        +0.012004 Hz from wanted\n"
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
