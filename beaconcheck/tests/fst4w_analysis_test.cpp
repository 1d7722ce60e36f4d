// The FST4W analysis on recordings made in memory from the encoder's own waveform with noise
// added: what it finds, decodes and measures against what was sent; and the table faults told
// apart on 160 symbols.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fst4w_analysis.hpp"
#include "fst4w_audio.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_faults.hpp"
#include "fst4w_packing.hpp"

namespace beaconcheck {
namespace {

using tonepak::SymbolFault;

tonepak::fst4w::Fst4wEncoding Encoded(const char* text, beacon::Mode mode) {
  const auto packed = tonepak::fst4w::PackFst4wMessage(text);
  return tonepak::fst4w::EncodeFst4w(std::get<tonepak::fst4w::PackedMessage>(packed), mode);
}

// The period's samples with white noise for `snr_db` in 2500 Hz, as fst4sim sets it.
Recording Noisy(const tonepak::fst4w::ChannelSymbols& symbols, const fst4w::Period& period,
                double tone_zero_hz, double snr_db, unsigned seed) {
  Recording r;
  r.sample_rate_hz = 12000.0;
  r.audio = tonepak::fst4w::Fst4wSamples(symbols, period, tone_zero_hz);
  // Signal power 1/2 (amplitude 1); noise power in 2500 Hz of 6000 Hz is 2500/6000 of its all.
  const double noise_power = 0.5 / std::pow(10.0, snr_db / 10.0) * 6000.0 / 2500.0;
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0.0, std::sqrt(noise_power));
  for (float& x : r.audio) x = static_cast<float>(x + noise(random));
  return r;
}

TEST(Fst4wAnalysis, FindsDecodesAndMeasures) {
  struct Case {
    beacon::Mode mode;
    const char* message;
    double tone_zero_hz;
    double snr_db;
  };
  for (const Case& c : {Case{beacon::Mode::kFst4w120, "K1ABC FN42 37", 1432.7, -18.0},
                        Case{beacon::Mode::kFst4w120, "G4ABC IO91 30", 1571.2, -26.0},
                        Case{beacon::Mode::kFst4w300, "DL1XYZ JO62 23", 1500.0, -22.0}}) {
    const fst4w::Period period = *beacon::Fst4wPeriodOf(c.mode);
    const auto encoding = Encoded(c.message, c.mode);
    const auto found =
        AnalyseFst4w(Noisy(encoding.symbols, period, c.tone_zero_hz, c.snr_db, 5), c.mode);
    ASSERT_EQ(found.size(), 1U) << c.message;
    const Fst4wTransmission& t = found[0];
    const double step = fst4w::ToneStepHz(period);
    EXPECT_EQ(t.message, c.message);
    EXPECT_EQ(t.sent, encoding.symbols);
    EXPECT_NEAR(t.tones_hz[0], c.tone_zero_hz, 0.1 * step) << c.message;
    EXPECT_NEAR(t.step_error_percent, 0.0, 3.0) << c.message;
    EXPECT_NEAR(t.start_s, fst4w::kStartS, 0.1 * fst4w::SymbolPeriodS(period)) << c.message;
    EXPECT_NEAR(t.symbol_error_percent, 0.0, 0.2) << c.message;
    EXPECT_NEAR(t.drift_hz, 0.0, 0.1 * step) << c.message;
    EXPECT_NEAR(t.snr_db, c.snr_db, 1.5) << c.message;
  }
}

TEST(Fst4wAnalysis, NoiseAloneHoldsNoTransmission) {
  Recording r;
  r.sample_rate_hz = 12000.0;
  r.audio.assign(std::size_t{120} * 12000, 0.0F);
  std::mt19937 random(9);
  std::normal_distribution<float> noise(0.0F, 1000.0F);
  for (float& x : r.audio) x = noise(random);
  EXPECT_TRUE(AnalyseFst4w(r, beacon::Mode::kFst4w120).empty());
}

TEST(Fst4wFaults, EachTableFaultIsToldApart) {
  const auto expected = Encoded("K1ABC FN42 37", beacon::Mode::kFst4w120).symbols;
  for (const auto& [fault, shift] :
       {std::pair{SymbolFault::kReversedInByte, 0}, std::pair{SymbolFault::kBitsSwapped, 0},
        std::pair{SymbolFault::kTonesInverted, 0}, std::pair{SymbolFault::kShifted, 3},
        std::pair{SymbolFault::kShifted, -1}}) {
    const auto heard = WithFst4wFault(expected, fault, shift);
    const Fst4wExplanation e = ExplainFst4wSymbols(heard, expected, false, false);
    EXPECT_EQ(e.fault, fault) << tonepak::FaultName(fault);
    EXPECT_EQ(e.shift, shift) << tonepak::FaultName(fault);
  }
  auto noisy = expected;
  noisy[5] = static_cast<std::uint8_t>((noisy[5] + 1) % 4);
  EXPECT_EQ(ExplainFst4wSymbols(noisy, expected, false, false).fault, SymbolFault::kNone);
  EXPECT_EQ(ExplainFst4wSymbols(expected, expected, false, true).fault, SymbolFault::kOtherMessage);
}

TEST(Fst4wAnalysis, ModeFromTheRecordingsLength) {
  EXPECT_EQ(ModeForLength(120.0), beacon::Mode::kWspr);
  EXPECT_EQ(ModeForLength(300.0), beacon::Mode::kFst4w300);
  EXPECT_EQ(ModeForLength(899.5), beacon::Mode::kFst4w900);
  EXPECT_EQ(ModeForLength(1800.0), beacon::Mode::kFst4w1800);
  EXPECT_EQ(ModeForLength(600.0), beacon::Mode::kWspr);
}

}  // namespace
}  // namespace beaconcheck
