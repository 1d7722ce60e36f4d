// Soft decisions: from the power in the four tones of each symbol to the coded bits' metrics.
#include "soft_metrics.hpp"

#include <algorithm>
#include <cmath>

#include "interleaver.hpp"
#include "sync.hpp"

namespace tonepak {
namespace {

// Beyond this many nats one symbol is not allowed to outweigh the rest of the code word: a burst
// of interference must not look certain.
constexpr double kLikelihoodLimit = 12.0;

// ln I0(x), x >= 0: the power series while it converges quickly, else the asymptotic expansion.
double LogBesselI0(double x) {
  if (x < 12.0) {
    const double q = x * x / 4.0;
    double term = 1.0;
    double sum = 1.0;
    for (int k = 1; k < 60 && term > 1e-17 * sum; ++k) {
      term *= q / (static_cast<double>(k) * k);
      sum += term;
    }
    return std::log(sum);
  }
  constexpr double kTwoPi = 6.283185307179586;
  return x - 0.5 * std::log(kTwoPi * x) + std::log1p(1.0 / (8.0 * x) + 9.0 / (128.0 * x * x));
}

}  // namespace

std::array<float, kSymbolCount> DataBitLogLikelihoods(const TonePowers& powers) {
  double noise = 0.0;
  double pair = 0.0;
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const unsigned s = SyncVector[i];
    noise += static_cast<double>(powers[i][1 - s]) + powers[i][3 - s];
    pair += static_cast<double>(powers[i][s]) + powers[i][s + 2];
  }
  noise /= 2.0 * kSymbolCount;
  pair /= kSymbolCount;
  std::array<float, kSymbolCount> llr{};
  // Powers that overflowed, or are no numbers, say nothing about any bit.
  if (!std::isfinite(noise) || !std::isfinite(pair)) return llr;
  // Powers made without noise leave the noise tones empty: a small floor keeps the ratios finite
  // (they are limited anyway).
  noise = std::max(noise, 1e-9 * pair + 1e-30);
  const double signal = std::max(pair - 2.0 * noise, 0.01 * noise);

  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const unsigned s = SyncVector[i];
    const double p1 = std::max(0.0, static_cast<double>(powers[i][s + 2]));
    const double p0 = std::max(0.0, static_cast<double>(powers[i][s]));
    const double l = LogBesselI0(2.0 * std::sqrt(signal * p1) / noise) -
                     LogBesselI0(2.0 * std::sqrt(signal * p0) / noise);
    llr[i] = std::isnan(l) ? 0.0F
                           : static_cast<float>(std::clamp(l, -kLikelihoodLimit, kLikelihoodLimit));
  }
  return llr;
}

BitMetrics SoftBitMetrics(const TonePowers& powers) {
  const std::array<float, kSymbolCount> llr = DataBitLogLikelihoods(powers);
  const auto& positions = InterleaverPositions();
  BitMetrics metrics{};
  for (std::size_t j = 0; j < kSymbolCount; ++j) {
    const double l = llr[positions[j]];
    // log2 P(1 | l) = -log2(1 + e^-l), and likewise for 0 with -l.
    const double log2_p1 = -std::log2(1.0 + std::exp(-l));
    const double log2_p0 = -std::log2(1.0 + std::exp(l));
    metrics[j][0] = static_cast<std::int32_t>(std::lround(kMetricUnitsPerBit * (0.5 + log2_p0)));
    metrics[j][1] = static_cast<std::int32_t>(std::lround(kMetricUnitsPerBit * (0.5 + log2_p1)));
  }
  return metrics;
}

}  // namespace tonepak
