// The measurements on recordings made with known faults, at several SNRs: each estimate against
// the truth it was made from, within the accuracy the README states.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis.hpp"
#include "encoding.hpp"
#include "intended_transmissions.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"
#include "noisy_signal.hpp"
#include "symbol_faults.hpp"
#include "wspr_signal.hpp"

namespace beaconcheck {
namespace {

struct Case {
  const char* name;
  double snr_db;
  measure::SignalShape shape;
  // Tolerances: tones and drift in Hz, step and symbol period in %, start in s, SNR in dB.
  double tone_hz;
  double step_percent;
  double drift_hz;
  double start_s;
  double symbol_percent;
  double snr_db_tolerance;
};

measure::SignalShape Shape(double tone0_hz, double step_hz, double drift_hz, double start_s,
                           double symbol_s = kSymbolPeriodS, std::size_t sent = kSymbolCount,
                           double rate_hz = 12000.0) {
  measure::SignalShape s;
  s.tone0_hz = tone0_hz;
  s.step_hz = step_hz;
  s.drift_hz = drift_hz;
  s.start_s = start_s;
  s.symbol_s = symbol_s;
  s.symbols_sent = sent;
  s.sample_rate_hz = rate_hz;
  s.seconds = start_s + 114.0;
  return s;
}

// A beacon whose DDS starts every symbol at an unrelated phase: no phase to fit across symbols.
measure::SignalShape PhaseJumping(measure::SignalShape s) {
  s.phase_jumps = true;
  return s;
}

// The accuracy the README promises at -15 dB, and what it states for -20 and -25 dB.
constexpr double kTone15 = 0.05, kStep15 = 0.1, kDrift15 = 0.2, kStart15 = 0.01, kSym15 = 0.02;

const Case kCases[] = {
    {"Nominal", -15.0, Shape(1498.5, kToneSpacingHz, 0.0, 1.0), kTone15, kStep15, kDrift15,
     kStart15, kSym15, 1.0},
    {"Off300Hz", -15.0, Shape(1198.0, kToneSpacingHz, 0.0, 1.6), kTone15, kStep15, kDrift15,
     kStart15, kSym15, 1.0},
    {"Drift12Hz", -15.0, Shape(1490.0, kToneSpacingHz, 12.0, 1.0), kTone15, kStep15, kDrift15,
     kStart15, kSym15, 1.0},
    {"StepOff5Percent", -15.0, Shape(1497.0, kToneSpacingHz * 1.05, -1.5, 2.2), kTone15, kStep15,
     kDrift15, kStart15, kSym15, 1.0},
    {"SlowTimer", -15.0, Shape(1520.0, kToneSpacingHz, 0.0, 0.3, 0.68307), kTone15, kStep15,
     kDrift15, kStart15, kSym15, 1.0},
    {"FarSlowTimer", -15.0, Shape(1480.0, kToneSpacingHz, 0.0, 1.0, 0.6895), kTone15, kStep15,
     kDrift15, kStart15, kSym15, 1.0},
    {"FarFastTimer", -15.0, Shape(1480.0, kToneSpacingHz, 0.0, 1.0, 0.6765), kTone15, kStep15,
     kDrift15, kStart15, kSym15, 1.0},
    {"StartsOnFirstSample", -15.0, Shape(1500.0, kToneSpacingHz, 0.0, 0.0), kTone15, kStep15,
     kDrift15, kStart15, kSym15, 1.0},
    {"CutShort", -15.0, Shape(1450.0, kToneSpacingHz, 0.0, 1.0, kSymbolPeriodS, 130), kTone15,
     kStep15, kDrift15, kStart15, kSym15, 1.0},
    {"At48kHz", -15.0,
     Shape(1503.0, kToneSpacingHz, 3.0, 1.0, kSymbolPeriodS, kSymbolCount, 48000.0), kTone15,
     kStep15, kDrift15, kStart15, kSym15, 1.0},
    {"Minus20", -20.0, Shape(1498.5, kToneSpacingHz, 2.0, 1.0), 0.1, 0.3, 0.4, 0.02, 0.04, 1.5},
    // From the tone powers alone, at -15 dB: tones within 0.1 Hz, step 1 %, drift 0.2 Hz
    // (over eight seeds at most 0.05 Hz, 0.8 %, 0.08 Hz).
    {"PhaseJumps", -15.0, PhaseJumping(Shape(1497.0, kToneSpacingHz, 2.5, 1.0)), 0.1, 1.0, 0.2,
     kStart15, kSym15, 1.0},
    {"Minus25", -25.0, Shape(1498.5, kToneSpacingHz, 2.0, 1.0), 0.2, 1.0, 1.0, 0.04, 0.1, 2.0},
};

class Measurement : public ::testing::TestWithParam<Case> {};

TEST_P(Measurement, IsWithinItsToleranceOfTheTruth) {
  const Case& c = GetParam();
  const tonepak::ChannelSymbols symbols =
      tonepak::EncodeMessage(tonepak::NormaliseMessage("K1ABC", "FN42", "37")).symbols;
  const std::vector<double> clean = measure::WsprSignal(symbols, c.shape);
  const double sigma =
      measure::NoiseSigma(measure::SignalPower(c.shape), c.snr_db, c.shape.sample_rate_hz);
  const std::vector<double> noisy = measure::AddWhiteNoise(clean, sigma, 11);
  Recording recording;
  recording.sample_rate_hz = c.shape.sample_rate_hz;
  recording.audio.assign(noisy.begin(), noisy.end());

  const std::vector<Transmission> found = Analyse(recording).transmissions;
  ASSERT_EQ(found.size(), 1U);
  const Transmission& t = found[0];
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_NEAR(t.tones_hz[k], c.shape.ToneHz(k), c.tone_hz) << "tone " << k;
  }
  EXPECT_NEAR(t.step_error_percent, 100.0 * (c.shape.step_hz / kToneSpacingHz - 1.0),
              c.step_percent);
  EXPECT_NEAR(t.drift_hz, c.shape.drift_hz, c.drift_hz);
  EXPECT_NEAR(t.start_s, c.shape.start_s, c.start_s);
  EXPECT_NEAR(t.symbol_error_percent, 100.0 * (c.shape.symbol_s / kSymbolPeriodS - 1.0),
              c.symbol_percent);
  EXPECT_NEAR(t.snr_db, c.snr_db, c.snr_db_tolerance);
  EXPECT_EQ(t.symbols_sent, c.shape.symbols_sent);
  EXPECT_TRUE(t.evenly_spaced);
  EXPECT_EQ(t.phase_continuous, !c.shape.phase_jumps);
  ASSERT_TRUE(t.message.has_value());
  EXPECT_EQ(tonepak::MessageText(*t.message), "K1ABC FN42 37");
}

INSTANTIATE_TEST_SUITE_P(Recordings, Measurement, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck

namespace beaconcheck {
namespace {

struct FaultCase {
  const char* name;
  tonepak::SymbolFault fault;
  int shift;
  double snr_db;
};

const FaultCase kFaults[] = {
    {"ReversedInByte", tonepak::SymbolFault::kReversedInByte, 0, -15.0},
    {"BitsSwapped", tonepak::SymbolFault::kBitsSwapped, 0, -15.0},
    {"TonesInverted", tonepak::SymbolFault::kTonesInverted, 0, -15.0},
    {"OneLate", tonepak::SymbolFault::kShifted, 1, -15.0},
    {"AsIntendedAtMinus25", tonepak::SymbolFault::kNone, 0, -25.0},
};

class SymbolTable : public ::testing::TestWithParam<FaultCase> {};

// The symbols heard are counted from where the signal begins, whatever the sync vector says,
// and the fault that sent them so is named.
TEST_P(SymbolTable, FaultIsNamed) {
  const FaultCase& c = GetParam();
  const tonepak::IntendedTransmissions intended = tonepak::IntendedFromText("K1ABC FN42 37");
  ASSERT_EQ(intended.count, 1U);
  const tonepak::ChannelSymbols sent = tonepak::WithFault(intended.symbols[0], c.fault, c.shift);
  measure::SignalShape shape;
  shape.seconds = 116.0;
  shape.start_s = 2.0;
  const std::vector<double> noisy = measure::AddWhiteNoise(
      measure::WsprSignal(sent, shape),
      measure::NoiseSigma(measure::SignalPower(shape), c.snr_db, shape.sample_rate_hz), 5);
  Recording recording;
  recording.sample_rate_hz = shape.sample_rate_hz;
  recording.audio.assign(noisy.begin(), noisy.end());

  const std::vector<Transmission> found = Analyse(recording).transmissions;
  ASSERT_EQ(found.size(), 1U);
  EXPECT_NEAR(found[0].start_s, shape.start_s, 0.01);
  const Verdict verdict = Judge(found[0], intended);
  ASSERT_TRUE(verdict.expected.has_value());
  EXPECT_EQ(tonepak::FaultName(verdict.expected->fault), tonepak::FaultName(c.fault));
  EXPECT_EQ(verdict.expected->shift, c.shift);
  EXPECT_EQ(verdict.as_intended, c.fault == tonepak::SymbolFault::kNone);
}

INSTANTIATE_TEST_SUITE_P(Faults, SymbolTable, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck

namespace beaconcheck {
namespace {

// A beacon sending a pair in turn, the second 3 Hz higher from drift between them: two
// transmissions, each as intended, and the second's call filled in from the first, as a decoder
// that heard both shows it.
TEST(Pair, IsTwoTransmissionsAndTheSecondsCallIsFilledIn) {
  const tonepak::IntendedTransmissions pair = tonepak::IntendedFromText("PJ4/K1ABC FK52UD 37");
  ASSERT_EQ(pair.count, 2U);
  measure::SignalShape shape;
  shape.seconds = 240.0;
  std::vector<double> sum(static_cast<std::size_t>(shape.seconds * shape.sample_rate_hz), 0.0);
  for (std::size_t n = 0; n < 2; ++n) {
    shape.start_s = 1.0 + 120.0 * static_cast<double>(n);
    shape.tone0_hz = 1480.0 + 3.0 * static_cast<double>(n);
    const std::vector<double> one = measure::WsprSignal(pair.symbols[n], shape);
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += one[i];
  }
  const std::vector<double> noisy = measure::AddWhiteNoise(
      sum, measure::NoiseSigma(measure::SignalPower(shape), -18.0, shape.sample_rate_hz), 3);
  Recording recording;
  recording.sample_rate_hz = shape.sample_rate_hz;
  recording.audio.assign(noisy.begin(), noisy.end());

  const std::vector<Transmission> found = Analyse(recording).transmissions;
  ASSERT_EQ(found.size(), 2U);
  const char* const texts[] = {"PJ4/K1ABC 37", "<PJ4/K1ABC> FK52UD 37"};
  for (std::size_t n = 0; n < 2; ++n) {
    ASSERT_TRUE(found[n].message.has_value()) << "transmission " << n;
    EXPECT_EQ(tonepak::MessageText(*found[n].message), texts[n]);
    EXPECT_TRUE(Judge(found[n], pair).as_intended) << "transmission " << n;
  }
}

}  // namespace
}  // namespace beaconcheck

namespace beaconcheck {
namespace {

// A recording that begins after the transmission did, or ends before it does: the missing
// symbols are the recording's, not a beacon cut short or a table shifted; the start is where
// the sync vector puts it, before the recording.
struct EdgeCase {
  const char* name;
  double start_s;
  double seconds;
  bool before;
  bool after;
};

const EdgeCase kEdges[] = {
    {"RecordingBeginsLate", -4.0, 116.0, true, false},
    {"RecordingEndsEarly", 10.0, 100.0, false, true},
    {"BothInside", 1.0, 116.0, false, false},
};

class RecordingEdge : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(RecordingEdge, IsNoFaultOfTheBeacon) {
  const EdgeCase& c = GetParam();
  const tonepak::IntendedTransmissions intended = tonepak::IntendedFromText("K1ABC FN42 37");
  measure::SignalShape shape;
  shape.start_s = c.start_s;
  shape.seconds = c.seconds;
  const std::vector<double> noisy = measure::AddWhiteNoise(
      measure::WsprSignal(intended.symbols[0], shape),
      measure::NoiseSigma(measure::SignalPower(shape), -15.0, shape.sample_rate_hz), 7);
  Recording recording;
  recording.sample_rate_hz = shape.sample_rate_hz;
  recording.audio.assign(noisy.begin(), noisy.end());

  const std::vector<Transmission> found = Analyse(recording).transmissions;
  ASSERT_EQ(found.size(), 1U);
  const Transmission& t = found[0];
  EXPECT_EQ(t.begins_before_recording, c.before);
  EXPECT_EQ(t.ends_after_recording, c.after);
  EXPECT_NEAR(t.start_s, c.start_s, 0.01);
  const Verdict v = Judge(t, intended);
  EXPECT_TRUE(v.as_intended) << v.line;
  for (const std::string& problem : v.problems) {
    EXPECT_EQ(problem.find("cut short"), std::string::npos) << problem;
  }
}

INSTANTIATE_TEST_SUITE_P(Recordings, RecordingEdge, ::testing::ValuesIn(kEdges),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck
