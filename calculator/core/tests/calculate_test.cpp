// Calculate: the edge cases of the report, the step order and what stands after an
// OverflowError.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

const std::string kDds = "DDS Setting           0x ";
const std::string kInterval = "WSPR Interval      0x ";
const std::string kLowTone = "WSPR     Setting   0x ";
const std::string kResolution = "Resolution    ";

std::string ReportWithWspr(const std::string& dds, const std::string& interval,
                           const std::string& low_tone, const std::string& resolution) {
  return kDds + dds + "\r\n" + kInterval + interval + "\r\n" + kLowTone + low_tone + "\r\n\r\n" +
         kResolution + resolution;
}

std::string ReportWithoutWspr(const std::string& dds, const std::string& resolution) {
  return kDds + dds + "\r\n\r\n\r\n" + kResolution + resolution;
}

CalcInputs Defaults() { return CalcInputs{"20", "1", "1", "1", 2, 2, 1}; }

TEST(Calculate, DefaultsFor32Bit) {
  CalcState state;
  const CalcOutputs out = Calculate(Defaults(), state);
  EXPECT_FALSE(out.Overflow);
  EXPECT_TRUE(out.OverflowMessage.empty());
  EXPECT_EQ(out.Clock, " 20000000");
  EXPECT_EQ(out.DDSFreq, " 1000000");
  EXPECT_EQ(out.ResultsColour, kColourBlack);
  EXPECT_EQ(out.Results, ReportWithWspr("0CCCCCCD", "0000013B", "0CCCCAF5", ".00465661Hz"));
  EXPECT_EQ(state.ClockHz, 20e6);
  EXPECT_EQ(state.DdsOutHz, 1e6);
  EXPECT_EQ(state.WantedHz, 1e6);
  EXPECT_EQ(state.ClockUnitScale, 1e6);
  EXPECT_EQ(state.FreqUnitScale, 1e6);
  EXPECT_EQ(state.AccumulatorSpan, 4294967296.0);
  EXPECT_EQ(state.ResolutionHz, 20e6 / 4294967296.0);
  EXPECT_EQ(state.SettingWord, 0xCCCCCCD);
  EXPECT_EQ(state.LowToneWord, 0xCCCCAF5);
  EXPECT_EQ(state.IntervalWord, 0x13B);
  EXPECT_TRUE(state.WsprLines);
}

TEST(Calculate, DefaultsFor24Bit) {
  CalcInputs in = Defaults();
  in.Resolution = 0;
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(out.Results, ReportWithoutWspr("0CCCCD", "1.1920929Hz"));  // interval word 1.2288
  EXPECT_EQ(state.IntervalWord, 2);
  EXPECT_FALSE(state.WsprLines);
}

TEST(Calculate, DefaultsFor48Bit) {
  CalcInputs in = Defaults();
  in.Resolution = 2;
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(out.Results, ReportWithWspr("0CCCCCCCCCCD", "013A92A4", "0CCCCAF4F0D9", ".00000007Hz"));
  EXPECT_EQ(state.IntervalWord, 0x13A92A4);
}

TEST(Calculate, NothingSelectedInResolutionIs24BitAccumulatorWith48BitText) {
  CalcInputs in = Defaults();
  in.Resolution = -1;
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(state.AccumulatorSpan, 16777216.0);
  EXPECT_EQ(out.Results, ReportWithoutWspr("0000000CCCCD", "1.1920929Hz"));
}

TEST(Calculate, EmptyFout) {
  CalcInputs in = Defaults();
  in.Fout = "";
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(out.DDSFreq, " 0");
  EXPECT_EQ(out.ResultsColour, kColourBlack);
  EXPECT_EQ(out.Results, ReportWithWspr("00000000", "0000013B", "FFFFFE29", ".00465661Hz"));
}

TEST(Calculate, RFMultEmptiedAfterTheDefaultsKeepsDdsOutHz) {
  CalcState state;
  Calculate(Defaults(), state);
  CalcInputs in = Defaults();
  in.RFMult = "";
  const CalcOutputs out = Calculate(in, state);
  EXPECT_FALSE(out.Overflow);
  EXPECT_EQ(out.DDSFreq, " 1000000");
  EXPECT_EQ(state.DdsOutHz, 1e6);
  EXPECT_EQ(out.Results, ReportWithoutWspr("0CCCCCCD", ".Hz"));
  EXPECT_EQ(state.IntervalWord, 0);  // no step without an RF multiplication
  EXPECT_FALSE(state.WsprLines);
}

TEST(Calculate, NegativeRFMultKeepsDdsOutHzAndGivesANegativeResolution) {
  CalcState state;
  Calculate(Defaults(), state);
  CalcInputs in = Defaults();
  in.RFMult = "-1";
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(out.DDSFreq, " 1000000");
  EXPECT_EQ(out.Results, ReportWithoutWspr("0CCCCCCD", "-.00465661Hz"));
}

TEST(Calculate, EmptyRefLeavesTheColour) {
  CalcInputs in = Defaults();
  in.Ref = "";
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(out.Clock, " 0");
  EXPECT_FALSE(out.ResultsColour.has_value());
  EXPECT_EQ(out.Results, ReportWithoutWspr("00000000", ".Hz"));
}

TEST(Calculate, ColourEdgeAt7And8And30MHz) {
  CalcInputs in = Defaults();
  CalcState state;
  in.Fout = "7";  // ratio exactly 0.35
  CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(out.ResultsColour, kColourBlack);
  in.Fout = "8";
  out = Calculate(in, state);
  EXPECT_EQ(out.ResultsColour, kColourRed);
  EXPECT_EQ(out.Results->substr(0, kDds.size() + 8), kDds + "66666667");
  in.Fout = "30";  // the output is not below the clock: DDS setting 0
  out = Calculate(in, state);
  EXPECT_EQ(out.ResultsColour, kColourRed);
  EXPECT_EQ(out.Results->substr(0, kDds.size() + 10), kDds + "00000000\r\n");
}

TEST(Calculate, IntervalThreshold) {
  // 32 bit, clock in Hz, RF multiplication 1: the interval word is 6291456000 / clock.
  CalcInputs in{"662258526.31578946", "1", "1", "1", 0, 2, 1};
  CalcState state;
  CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(state.IntervalWord, 10) << "interval word 9.5 plus one half";
  EXPECT_FALSE(state.WsprLines);
  EXPECT_EQ(out.Results->find(kInterval), std::string::npos);
  EXPECT_EQ(out.Results->find("\r\n\r\n\r\n"), kDds.size() + 8);

  in.Ref = "655360000";  // interval word 9.6
  out = Calculate(in, state);
  EXPECT_EQ(state.IntervalWord, 10);  // 9.6 plus one half: the lines show a word of 10
  EXPECT_TRUE(state.WsprLines);
  EXPECT_NE(out.Results->find(kInterval + "0000000A\r\n" + kLowTone), std::string::npos);
}

TEST(Calculate, NothingSelectedInClkUnitsMultipliesByOneThousandth) {
  CalcInputs in = Defaults();
  in.ClkUnits = -1;
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_EQ(state.ClockUnitScale, 0.001);
  EXPECT_EQ(state.ClockHz, 0.02);
  EXPECT_EQ(out.Clock, " .02");
  EXPECT_EQ(out.ResultsColour, kColourRed);
  EXPECT_FALSE(out.Overflow);
}

TEST(Calculate, UnitIndexes) {
  CalcInputs in = Defaults();
  CalcState state;
  const std::pair<std::int16_t, double> scales[] = {{-1, 0.001}, {0, 1},       {1, 1e3},   {2, 1e6},
                                                    {3, 1e9},    {102, 1e306}, {-108, 0.0}};
  for (const auto& [index, scale] : scales) {
    in.Funits = index;
    EXPECT_FALSE(Calculate(in, state).Overflow) << index;
    EXPECT_EQ(state.FreqUnitScale, scale) << index;
  }
}

TEST(Calculate, UnitIndexOverflowStopsAtStep1) {
  for (const std::int16_t index :
       std::initializer_list<std::int16_t>{103, 10923, -10923, 32767, -32768}) {
    CalcInputs in = Defaults();
    in.ClkUnits = index;
    CalcState state;
    state.ClockUnitScale = 42;
    const CalcOutputs out = Calculate(in, state);
    EXPECT_TRUE(out.Overflow) << index;
    EXPECT_FALSE(out.Clock.has_value());
    EXPECT_EQ(state.ClockUnitScale, 42) << "not assigned";
  }
  CalcInputs in = Defaults();
  in.ClkUnits = 10922;  // 3 x 10922 = 32766 fits in 16 bits; 10^32766 does not fit in a double
  CalcState state;
  EXPECT_TRUE(Calculate(in, state).Overflow);
}

TEST(Calculate, FormLoadSequenceCompletesWithoutFailure) {
  CalcState state;
  CalcInputs in{"20", "1", "1", "1", -1, 2, -1};  // Funits set first
  EXPECT_FALSE(Calculate(in, state).Overflow);
  in.ClkUnits = 2;
  EXPECT_FALSE(Calculate(in, state).Overflow);
  state.ClockUnitScale = 1e6;
  state.ClockHz = ReadNumber("1") * ReadNumber("20") * 1e6;
  in.Resolution = 1;
  const CalcOutputs out = Calculate(in, state);
  CalcState fresh;
  const CalcOutputs expected = Calculate(Defaults(), fresh);
  EXPECT_EQ(out.Clock, expected.Clock);
  EXPECT_EQ(out.DDSFreq, expected.DDSFreq);
  EXPECT_EQ(out.ResultsColour, expected.ResultsColour);
  EXPECT_EQ(out.Results, expected.Results);
}

TEST(Calculate, OverflowInStep2ChangesNoOutput) {
  CalcInputs in = Defaults();
  in.Ref = "1E200";
  in.PLLMult = "1E200";
  CalcState state;
  state.ClockUnitScale = 7;
  state.ClockHz = 123;
  state.WantedHz = 5;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_FALSE(out.OverflowMessage.empty());
  EXPECT_FALSE(out.Clock || out.DDSFreq || out.ResultsColour || out.Results);
  EXPECT_EQ(state.ClockUnitScale, 1e6) << "step 1 stands";
  EXPECT_EQ(state.ClockHz, 123) << "step 2 did not finish";
  EXPECT_EQ(state.WantedHz, 5);
}

TEST(Calculate, OverflowInStep14LeavesTheFirstStage) {
  CalcInputs in{"1", "1", "1", "0.001", 0, 2, 2};
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_EQ(out.Clock, " 1");
  EXPECT_EQ(out.DDSFreq, " 1000000000");
  EXPECT_EQ(out.ResultsColour, kColourRed);
  EXPECT_EQ(out.Results, kDds + "000000000000\r\n");
  EXPECT_EQ(state.SettingWord, 0) << "the output is above the clock";
  EXPECT_EQ(state.IntervalWord, 0) << "the interval overflowed before it was kept";
}

TEST(Calculate, OverflowReadingRFMultInStep5) {
  CalcState state;
  Calculate(Defaults(), state);
  CalcInputs in = Defaults();
  in.Fout = "2";
  in.RFMult = "1E999";
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_EQ(out.Clock, " 20000000");
  EXPECT_FALSE(out.DDSFreq || out.ResultsColour || out.Results);
  EXPECT_EQ(state.WantedHz, 2e6) << "step 4 stands";
  EXPECT_EQ(state.DdsOutHz, 1e6) << "step 5 did not finish";
}

TEST(Calculate, OverflowReadingFoutInStep4) {
  CalcInputs in = Defaults();
  in.Fout = "2e308";
  in.Funits = 1;
  CalcState state;
  state.WantedHz = 9;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_EQ(out.Clock, " 20000000");
  EXPECT_FALSE(out.DDSFreq.has_value());
  EXPECT_EQ(state.FreqUnitScale, 1e3);
  EXPECT_EQ(state.WantedHz, 9);
}

TEST(Calculate, OverflowDividingByANearlyZeroRFMult) {
  CalcInputs in = Defaults();
  in.Fout = "1e300";
  in.RFMult = "1e-20";
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_TRUE(out.Clock.has_value());
  EXPECT_FALSE(out.DDSFreq.has_value());
  EXPECT_EQ(state.DdsOutHz, 0);
}

TEST(Calculate, OverflowInTheColourRatioWithANearlyZeroClock) {
  CalcInputs in = Defaults();
  in.Ref = "1e-310";
  in.ClkUnits = 0;
  in.Fout = "1e10";
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_EQ(out.Clock, " 9.99999999999997E-311");  // a subnormal double, fewer digits exact
  EXPECT_EQ(out.DDSFreq, " 1E+16");
  EXPECT_FALSE(out.ResultsColour || out.Results);
}

TEST(Calculate, OverflowInTheDdsSettingProductOfStep11) {
  CalcInputs in = Defaults();
  in.Ref = "1e306";
  in.ClkUnits = 0;
  in.Fout = "1e305";
  in.Funits = 0;
  CalcState state;
  const CalcOutputs out = Calculate(in, state);
  EXPECT_TRUE(out.Overflow);
  EXPECT_EQ(out.ResultsColour, kColourBlack);
  EXPECT_FALSE(out.Results.has_value());
  EXPECT_EQ(state.AccumulatorSpan, 4294967296.0);
}

TEST(Calculate, DecimalSeparatorOnlyInTheResolutionLine) {
  CalcInputs in = Defaults();
  in.Ref = "20.5";
  CalcState state;
  const CalcOutputs out = Calculate(in, state, ",");
  EXPECT_EQ(out.Clock, " 20500000");
  const std::string& report = *out.Results;
  EXPECT_EQ(report.substr(report.rfind(kResolution) + kResolution.size()), ",00477303Hz");
}

TEST(Calculate, IsRepeatable) {
  CalcState state;
  const CalcOutputs first = Calculate(Defaults(), state);
  const CalcOutputs second = Calculate(Defaults(), state);
  EXPECT_EQ(first.Results, second.Results);
  EXPECT_EQ(first.Clock, second.Clock);
}

}  // namespace
}  // namespace tuneworks
