// Biquad sections from the bilinear transform, run sample by sample.
#include "receiver_audio.hpp"

#include <array>
#include <cmath>
#include <numbers>

namespace measure {
namespace {

constexpr double kPassLowHz = 300.0;
constexpr double kPassHighHz = 2700.0;
constexpr double kSlopePoleHz = 2500.0;
constexpr double kButterworthQ = 0.7071067811865476;
// The hum's harmonics against the noise's standard deviation: 50, 100, 150, 200, 250 Hz.
constexpr std::array<double, 5> kHumLevels = {20.0, 8.0, 6.0, 3.0, 3.0};

struct Biquad {
  double b0, b1, b2, a1, a2;  // a0 normalised to 1
  double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

  double Step(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

Biquad Section(double hz, double sample_rate_hz, bool high_pass) {
  const double w = 2.0 * std::numbers::pi * hz / sample_rate_hz;
  const double alpha = std::sin(w) / (2.0 * kButterworthQ);
  const double c = std::cos(w);
  const double a0 = 1.0 + alpha;
  const double b1 = high_pass ? -(1.0 + c) : 1.0 - c;
  const double b0 = high_pass ? (1.0 + c) / 2.0 : (1.0 - c) / 2.0;
  return {b0 / a0, b1 / a0, b0 / a0, -2.0 * c / a0, (1.0 - alpha) / a0};
}

// A first-order low-pass, a gentle slope of about 2 dB at 2000 Hz.
Biquad SlopePole(double sample_rate_hz) {
  const double k = std::tan(std::numbers::pi * kSlopePoleHz / sample_rate_hz);
  return {k / (1.0 + k), k / (1.0 + k), 0.0, (k - 1.0) / (k + 1.0), 0.0};
}

}  // namespace

void SsbPassband(std::span<double> samples, double sample_rate_hz) {
  std::array<Biquad, 5> chain = {
      Section(kPassLowHz, sample_rate_hz, true), Section(kPassLowHz, sample_rate_hz, true),
      Section(kPassHighHz, sample_rate_hz, false), Section(kPassHighHz, sample_rate_hz, false),
      SlopePole(sample_rate_hz)};
  for (double& s : samples) {
    for (Biquad& section : chain) s = section.Step(s);
  }
}

void AddMainsHum(std::span<double> samples, double sample_rate_hz, double clock_scale,
                 double noise_sigma) {
  for (std::size_t h = 0; h < kHumLevels.size(); ++h) {
    AddSine(samples, sample_rate_hz, kMainsHz * static_cast<double>(h + 1) * clock_scale,
            kHumLevels[h] * noise_sigma);
  }
}

void AddSine(std::span<double> samples, double sample_rate_hz, double hz, double amplitude) {
  const double cycles_per_sample = hz / sample_rate_hz;
  for (std::size_t n = 0; n < samples.size(); ++n) {
    const double cycles = static_cast<double>(n) * cycles_per_sample;
    samples[n] += amplitude * std::sin(2.0 * std::numbers::pi * (cycles - std::floor(cycles)));
  }
}

}  // namespace measure
