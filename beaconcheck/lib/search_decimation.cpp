// Decimation for the candidate search: a Hamming-windowed sinc evaluated at the output rate.
#include "search_decimation.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace beaconcheck {
namespace {

constexpr double kLowestSearchRateHz = 15000.0;

}  // namespace

std::optional<Recording> DecimateForSearch(const Recording& recording, double keep_hz) {
  const double rate = recording.sample_rate_hz;
  const auto factor = static_cast<std::size_t>(std::floor(rate / kLowestSearchRateHz));
  if (recording.IsComplex() || factor < 2) return std::nullopt;
  const double new_rate = rate / static_cast<double>(factor);
  // Pass up to keep_hz, stop from new_rate - keep_hz (which folds onto keep_hz): the cut-off
  // halfway, a Hamming window long enough for its 53 dB over that transition.
  const double cutoff = new_rate / 2.0;
  const double transition = std::max(new_rate - 2.0 * keep_hz, new_rate / 8.0);
  const auto half = static_cast<std::size_t>(std::ceil(3.3 * rate / transition / 2.0));
  std::vector<float> taps(2 * half + 1);
  double gain = 0.0;
  for (std::size_t j = 0; j < taps.size(); ++j) {
    const double n = static_cast<double>(j) - static_cast<double>(half);
    const double x = 2.0 * cutoff / rate * n;
    const double sinc = n == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
    const double window =
        0.54 + 0.46 * std::cos(std::numbers::pi * n / static_cast<double>(half + 1));
    taps[j] = static_cast<float>(sinc * window);
    gain += sinc * window;
  }
  for (float& t : taps) t = static_cast<float>(t / gain);

  Recording out;
  out.sample_rate_hz = new_rate;
  out.centre_hz = recording.centre_hz;
  out.dial_mhz = recording.dial_mhz;
  const std::vector<float>& in = recording.audio;
  out.audio.resize((in.size() + factor - 1) / factor);
  for (std::size_t m = 0; m < out.audio.size(); ++m) {
    const std::size_t centre = m * factor;
    // Taps that reach before the first sample or past the last meet silence.
    const std::size_t first = centre >= half ? 0 : half - centre;
    const std::size_t last = std::min(taps.size(), in.size() + half - centre);
    float sum = 0.0F;
    for (std::size_t j = first; j < last; ++j) sum += taps[j] * in[centre + j - half];
    out.audio[m] = sum;
  }
  return out;
}

}  // namespace beaconcheck
