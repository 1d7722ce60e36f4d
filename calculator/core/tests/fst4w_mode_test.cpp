// The calculator in an FST4W mode: the tone step and words, tone 0 as the wanted frequency, the
// FST4W bands, the Si5351's step and the symbol timer for each period.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

using beacon::Mode;

CalcInputs Dds(std::string fout_hz, std::int16_t resolution, Mode mode) {
  CalcInputs in = DefaultInputs();
  in.Ref = "100";  // MHz
  in.Fout = std::move(fout_hz);
  in.Funits = 0;
  in.Resolution = resolution;
  in.Mode = mode;
  return in;
}

struct StepCase {
  Mode mode;
  double stepHz;              // 12000 / samples per symbol
  std::int64_t intervalWord;  // step x 2^48 / 100 MHz, plus one half, rounded
  bool stepMeasured;          // the decoder's tolerance of a step that is off is in its data file
};

// The 48-bit words worked exactly in fractions: step x 2^48 / 1e8 + 1/2, rounded.
const StepCase kSteps[] = {
    {Mode::kWspr, 12000.0 / 8192, 4123169, true},
    {Mode::kFst4w120, 12000.0 / 8200, 4119147, true},
    {Mode::kFst4w300, 12000.0 / 21504, 1570731, false},
    {Mode::kFst4w900, 12000.0 / 66560, 507467, false},
    {Mode::kFst4w1800, 12000.0 / 134400, 251317, false},
};

TEST(Fst4wMode, StepWordsAndToneZeroAtTheWantedFrequency) {
  for (const StepCase& k : kSteps) {
    SCOPED_TRACE(std::string(beacon::NameOf(k.mode).name));
    CalcState state;
    const CalcOutputs out = Calculate(Dds("137500", 2, k.mode), state);
    EXPECT_EQ(state.IntervalWord, k.intervalWord);
    ASSERT_TRUE(out.Tones.frequencies);
    const ActualFrequencies& a = *out.Tones.frequencies;
    EXPECT_EQ(a.mode, k.mode);
    EXPECT_NEAR(a.stepHz, k.stepHz, 1e-6);
    EXPECT_NEAR(a.stepErrorPercent, 0.0, 1e-4);
    // WSPR's wanted frequency is its centre, FST4W's is tone 0: each as its decoder reports it.
    const double reported =
        k.mode == Mode::kWspr ? (a.tonesHz[1] + a.tonesHz[2]) / 2 : a.tonesHz[0];
    EXPECT_NEAR(reported, 137500.0, 1e-5);
    EXPECT_EQ(a.stepMeasured, k.stepMeasured);
    EXPECT_TRUE(a.decodable);
  }
}

struct VerdictCase {
  std::string refMhz;  // a 24-bit DDS: one unit of its words is ref / 2^24
  Mode mode;
  std::string figure;  // the decoder's line of the figures
  std::string status;  // the status line after the tones
  bool decodable;
};

// One unit of a 24-bit word is ref / 2^24 (0.596 Hz at 10 MHz); the step is the difference of the
// tones' rounded words, so FST4W-120's becomes 3 units at 10 MHz (+22.19 %), FST4W-300's 1
// (+6.81 %), and at 1 MHz FST4W-1800's 2 (+33.51 %).
// jt9's thresholds at 120 s (data/jt9_limits.tsv): -32 dB at 0, -30 dB at -10 %, -26 dB at -25 %,
// -31 dB at +10 %, -28 dB at +25 %, none at +85.5 %; a clean signal decodes from -86.5 % to +95 %.
const VerdictCase kVerdicts[] = {
    // +22.19 %: -31 + 12.19 / 15 x 3 = -28.56 dB, 3.44 dB above -32.
    {"10", Mode::kFst4w120, "needs 3.4 dB more signal than with an exact step",
     ", step 1.7881 Hz (+22.19 %): an FST4W decoder needs 3.4 dB more signal", true},
    // +1.82 %: -32 + 0.182 = -31.82 dB, 0.18 dB: no warning below 1 dB.
    {"1", Mode::kFst4w120, "needs 0.2 dB more signal than with an exact step",
     ", step 1.4901 Hz (+1.82 %)", true},
    {"36.9", Mode::kFst4w120, "decodes a clean signal; its loss this far off was not measured",
     ", step 2.1994 Hz (+50.29 %): an FST4W decoder needs a much stronger signal with this step",
     true},
    {"48.6", Mode::kFst4w120, "cannot follow; it decodes only steps from -86.5 % to +95.0 % off",
     ", step 2.8968 Hz (+97.95 %): an FST4W decoder cannot follow this step", false},
    {"10", Mode::kFst4w300, "its tolerance of a step that is off is not measured",
     ", step 0.5960 Hz (+6.81 %)", true},
    {"1", Mode::kFst4w1800, "its tolerance of a step that is off is not measured",
     ", step 0.1192 Hz (+33.51 %)", true},
};

TEST(Fst4wMode, Jt9sVerdictOnTheStep) {
  for (const VerdictCase& k : kVerdicts) {
    SCOPED_TRACE(k.refMhz + " MHz " + std::string(beacon::NameOf(k.mode).name));
    CalcInputs in = Dds("137500", 0, k.mode);
    in.Ref = k.refMhz;
    const auto actual = CalculateActual(in);
    ASSERT_TRUE(actual);
    EXPECT_EQ(actual->decodable, k.decodable);
    const std::string figures = ActualFiguresText(*actual);
    EXPECT_NE(figures.find("\nDecoder (jt9)      " + k.figure + "\n"), std::string::npos)
        << figures;
    const ActualSummary line = ActualStatusLine(actual);
    EXPECT_EQ(line.text.substr(line.tones.size()), k.status);
    EXPECT_EQ(line.warn, !line.warning.empty());
  }
}

TEST(Fst4wMode, ReportNamesTheModeOnlyForFst4w) {
  CalcState state;
  const std::string wspr = *Calculate(Dds("137500", 1, Mode::kWspr), state).Results;
  EXPECT_NE(wspr.find("WSPR Interval      0x "), std::string::npos);
  const std::string fst4w = *Calculate(Dds("137500", 1, Mode::kFst4w120), state).Results;
  EXPECT_NE(fst4w.find("FST4W Interval     0x "), std::string::npos);
  EXPECT_NE(fst4w.find("FST4W    Setting   0x "), std::string::npos);
  const std::string figures =
      ActualFiguresText(*CalculateActual(Dds("137500", 1, Mode::kFst4w300)));
  EXPECT_NE(figures.find("FST4W-300 tones    137500."), std::string::npos) << figures;
  EXPECT_NE(figures.find("% from 0.55803571 Hz)"), std::string::npos) << figures;
}

struct BandCase {
  std::string foutHz;
  Mode mode;
  std::string named;
  bool found;
  std::string band;
  bool inside;
};

const BandCase kBands[] = {
    {"137500", Mode::kFst4w120, "", true, "2200m", true},
    {"475700", Mode::kFst4w1800, "", true, "630m", true},
    {"1838300", Mode::kFst4w300, "", true, "160m", true},
    {"1838100", Mode::kFst4w300, "", true, "160m", false},  // tone 0 100 Hz below the window
    {"1838100", Mode::kWspr, "", true, "160m", true},       // WSPR's 160 m dial is 200 Hz lower
    {"7040100", Mode::kFst4w120, "", false, "", false},     // no FST4W dial on 40 m
    {"7040100", Mode::kFst4w120, "40m", false, "", false},
    {"137598", Mode::kFst4w120, "2200m", true, "2200m", false},  // tone 3 above 137600
};

TEST(Fst4wMode, BandCheckAgainstTheFst4wWindows) {
  for (const BandCase& k : kBands) {
    SCOPED_TRACE(k.foutHz + " " + std::string(beacon::NameOf(k.mode).name) + " " + k.named);
    const auto actual = CalculateActual(Dds(k.foutHz, 2, k.mode));
    ASSERT_TRUE(actual);
    const auto band = CheckBand(*actual, k.named);
    ASSERT_EQ(band.has_value(), k.found);
    if (!band) continue;
    EXPECT_EQ(band->band.name, k.band);
    EXPECT_EQ(band->inside, k.inside);
    if (k.mode != Mode::kWspr) {
      EXPECT_NE(band->note.find(std::string(beacon::NameOf(k.mode).label) + " window"),
                std::string::npos)
          << band->note;
      EXPECT_NEAR(band->audioHz, actual->tonesHz[0] - band->band.dialHz, 1e-9);
    }
  }
}

TEST(Fst4wMode, Si5351MakesEachPeriodsStep) {
  for (const StepCase& k : kSteps) {
    SCOPED_TRACE(std::string(beacon::NameOf(k.mode).name));
    const Si5351Plan plan = PlanSi5351(25e6, 475700, 1, k.mode);
    ASSERT_FALSE(plan.problem) << *plan.problem;
    EXPECT_LT(std::abs(plan.stepHz / k.stepHz - 1), 0.01);
    EXPECT_NEAR(plan.stepErrorPercent, (plan.stepHz / k.stepHz - 1) * 100, 1e-9);
    const double low = k.mode == Mode::kWspr ? 475700 - 1.5 * k.stepHz : 475700;
    // Tone 0 lands within one unit of the stepping numerator of where it belongs.
    EXPECT_NEAR(plan.tones[0].hz, low, plan.stepHz / plan.stepUnits);
  }
}

struct TimerCase {
  double clockHz;
  Mode mode;
  int prescaler;
  std::uint32_t count;
  std::vector<std::uint32_t> pattern;
};

// Worked by hand: the ideal count is clock x samples / (12000 x prescaler).
const TimerCase kTimers[] = {
    {16e6, Mode::kFst4w300, 1024, 28000, {}},  // 16e6 x 21504 / 12288000, exact
    {16e6,
     Mode::kFst4w120,
     1024,
     10677,  // 10677 1/12
     {10677, 10677, 10677, 10677, 10677, 10677, 10677, 10677, 10677, 10677, 10677, 10678}},
    {4e6, Mode::kFst4w900, 1024, 21667, {21666, 21667, 21667}},  // 21666 2/3
    {1e6, Mode::kFst4w1800, 256, 43750, {}},                     // exact
};

TEST(Fst4wMode, SymbolTimerCountsEachPeriodsSymbol) {
  for (const TimerCase& k : kTimers) {
    SCOPED_TRACE(std::string(beacon::NameOf(k.mode).name));
    const auto rows = SymbolTimer(k.clockHz, k.mode);
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const SymbolTimerRow& r) {
      return r.prescaler == k.prescaler;
    });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->count, k.count);
    EXPECT_EQ(row->pattern, k.pattern);
    const double symbol_ms = fst4w::SymbolPeriodS(*beacon::Fst4wPeriodOf(k.mode)) * 1000.0;
    EXPECT_NEAR(row->driftPerTransmissionMs, 160 * (row->periodMs - symbol_ms), 1e-6);
  }
  // FST4W-1800 at 16 MHz: 175000 counts by 1024 do not fit 16 bits.
  const auto rows = SymbolTimer(16e6, Mode::kFst4w1800);
  EXPECT_TRUE(std::none_of(rows.begin(), rows.end(),
                           [](const SymbolTimerRow& r) { return r.prescaler == 1024; }));
}

}  // namespace
}  // namespace tuneworks
