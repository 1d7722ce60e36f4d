// Signal and noise levels.
#include "signal_level.hpp"

#include <algorithm>
#include <cmath>

namespace beaconcheck {

SignalLevel MeasureLevel(const Track& track, const std::vector<std::array<double, 4>>& powers,
                         const std::vector<std::uint8_t>& symbols, double noise_power) {
  SignalLevel level;
  level.noise_power = noise_power;
  if (level.noise_power <= 0.0) return level;
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
  level.snr_db = 10.0 * std::log10(level.signal_power / (density * wspr::kSnrBandwidthHz));
  return level;
}

}  // namespace beaconcheck
