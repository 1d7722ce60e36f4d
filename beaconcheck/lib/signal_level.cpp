// Signal and noise levels, and the run of slots the transmitter was on.
#include "signal_level.hpp"

#include <algorithm>
#include <cmath>

#include "symbol_powers.hpp"

namespace beaconcheck {

SignalLevel MeasureLevel(const Baseband& baseband, const Track& track,
                         const std::vector<std::array<double, 4>>& powers,
                         const std::vector<std::uint8_t>& symbols) {
  SignalLevel level;
  std::vector<double> offsets;
  for (int k = 10; k <= 16; k += 2) {
    offsets.push_back(-k * kToneStepHz);
    offsets.push_back((k + 3) * kToneStepHz);
  }
  std::vector<double> noise = PowersAt(baseband, track, offsets);
  if (noise.empty()) return level;
  const auto middle = noise.begin() + static_cast<std::ptrdiff_t>(noise.size() / 2);
  std::nth_element(noise.begin(), middle, noise.end());
  // The power of complex Gaussian noise is exponential: its median is ln 2 times its mean.
  level.noise_power = *middle / std::log(2.0);
  double sum = 0.0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < powers.size() && i < symbols.size(); ++i) {
    if (powers[i][0] < 0.0) continue;
    sum += powers[i][symbols[i] & 3U];
    ++count;
  }
  if (count == 0) return level;
  level.signal_power = std::max(sum / static_cast<double>(count) - level.noise_power, 1e-30);
  // Noise density in the baseband: one slot's tone power is its variance over the samples
  // of one symbol, so the density is noise_power times the symbol period.
  const double density = level.noise_power * track.symbol_s;
  level.snr_db = 10.0 * std::log10(level.signal_power / (density * kSnrBandwidthHz));
  return level;
}

OnAir FindOnAir(const std::vector<std::array<double, 4>>& powers, const SignalLevel& level) {
  // Halfway between the noise's strongest of four tones (about twice its mean) and the signal.
  const double threshold = 2.0 * level.noise_power + level.signal_power / 2.0;
  std::vector<bool> on(powers.size());
  for (std::size_t i = 0; i < powers.size(); ++i) {
    on[i] = *std::max_element(powers[i].begin(), powers[i].end()) > threshold;
  }
  // Three of four slots at a time: a faint slot inside the run does not break it.
  OnAir best;
  std::size_t i = 0;
  const auto busy = [&](std::size_t at) {
    int n = 0;
    for (std::size_t j = at; j < at + 4 && j < on.size(); ++j) n += on[j] ? 1 : 0;
    return n >= 3;
  };
  while (i < on.size()) {
    if (!on[i] || !busy(i)) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < on.size() && (on[end] || (end + 1 < on.size() && busy(end)))) ++end;
    while (end > i && !on[end - 1]) --end;
    if (end - i > best.count) best = {static_cast<long long>(i), end - i};
    i = end;
  }
  return best;
}

}  // namespace beaconcheck
