// Independent complex Gaussians every tenth of the coherence time, smoothed by a Gaussian
// window, interpolated to every sample.
#include "fading.hpp"

#include <cmath>
#include <complex>

#include "seeded_random.hpp"

namespace measure {

std::vector<double> FadingEnvelope(std::size_t count, double sample_rate_hz, double coherence_s,
                                   std::uint64_t seed) {
  std::vector<double> out(count, 0.0);
  if (count == 0) return out;
  SeededRandom random(seed);
  const double knot_s = coherence_s / 10.0;
  const double width_knots = 5.0;  // the smoothing window's sigma, half the coherence time
  const auto reach = static_cast<std::size_t>(3.0 * width_knots);
  const auto knots =
      static_cast<std::size_t>(static_cast<double>(count) / sample_rate_hz / knot_s) + 2;
  std::vector<std::complex<double>> raw(knots + 2 * reach);
  for (auto& z : raw) {
    const SeededRandom::Pair g = random.Gaussians();
    z = {g.a, g.b};
  }
  std::vector<std::complex<double>> smooth(knots);
  for (std::size_t k = 0; k < knots; ++k) {
    for (std::size_t j = 0; j <= 2 * reach; ++j) {
      const double d = (static_cast<double>(j) - static_cast<double>(reach)) / width_knots;
      smooth[k] += raw[k + j] * std::exp(-0.5 * d * d);
    }
  }
  double sum_square = 0.0;
  for (std::size_t n = 0; n < count; ++n) {
    const double at = static_cast<double>(n) / sample_rate_hz / knot_s;
    const auto k = static_cast<std::size_t>(at);
    const double f = at - static_cast<double>(k);
    out[n] = std::abs(smooth[k] * (1.0 - f) + smooth[k + 1] * f);
    sum_square += out[n] * out[n];
  }
  const double rms = std::sqrt(sum_square / static_cast<double>(count));
  for (double& a : out) a /= rms;
  return out;
}

}  // namespace measure
