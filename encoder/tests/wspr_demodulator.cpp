// A plain non-coherent WSPR demodulator for the tests: energy at the four tones in each symbol
// period, strongest wins. It shares nothing with the synthesiser but the WSPR numbers.
#include "wspr_demodulator.hpp"

#include <cmath>
#include <numbers>

namespace tonepak {
namespace {

// Goertzel: power of one frequency over a block of samples.
double TonePower(const std::int16_t* x, std::size_t count, double hz) {
  const double w = 2.0 * std::numbers::pi * hz / 12000.0;
  const double coeff = 2.0 * std::cos(w);
  double s1 = 0.0, s2 = 0.0;
  for (std::size_t n = 0; n < count; ++n) {
    const double s0 = x[n] + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

}  // namespace

std::vector<std::int16_t> AudioSamples(const std::vector<std::uint8_t>& file) {
  std::vector<std::int16_t> samples;
  for (std::size_t i = 24; i + 1 < file.size(); i += 2) {
    samples.push_back(static_cast<std::int16_t>((file[i] << 8) | file[i + 1]));
  }
  return samples;
}

ChannelSymbols DemodulateSymbols(const std::vector<std::int16_t>& samples) {
  constexpr std::size_t kPeriod = 8192;
  constexpr std::size_t kGuard = 16;  // keep clear of the sample where the tone changes
  ChannelSymbols symbols{};
  for (std::size_t p = 0; p < kSymbolCount && (p + 1) * kPeriod <= samples.size(); ++p) {
    const std::int16_t* block = samples.data() + p * kPeriod + kGuard;
    double best = -1.0;
    for (unsigned tone = 0; tone < 4; ++tone) {
      const double hz = 1500.0 + (tone - 1.5) * 12000.0 / 8192.0;
      const double power = TonePower(block, kPeriod - 2 * kGuard, hz);
      if (power > best) {
        best = power;
        symbols[p] = static_cast<std::uint8_t>(tone);
      }
    }
  }
  return symbols;
}

}  // namespace tonepak
