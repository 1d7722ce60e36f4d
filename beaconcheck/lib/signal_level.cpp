// Signal and noise levels, and the run of slots the transmitter was on.
#include "signal_level.hpp"

#include <algorithm>
#include <cmath>

#include "symbol_powers.hpp"

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

std::vector<double> OnScores(const std::vector<std::array<double, 4>>& powers,
                             const SignalLevel& level) {
  // Halfway between the noise's strongest of four tones (about twice its mean) and the signal;
  // each slot scores its strongest tone's distance from there, clipped so that one loud slot
  // cannot carry silence with it.
  const double threshold = 2.0 * level.noise_power + level.signal_power / 2.0;
  const double clip = level.signal_power / 2.0 + level.noise_power;
  std::vector<double> scores(powers.size());
  for (std::size_t i = 0; i < powers.size(); ++i) {
    const double strongest = *std::max_element(powers[i].begin(), powers[i].end());
    scores[i] = std::clamp(strongest - threshold, -clip, clip);
  }
  return scores;
}

OnAir FindOnAir(const std::vector<double>& scores) {
  // The run with the highest score (Kadane): a few slots lost in the noise inside it do not
  // break it.
  OnAir best;
  double best_score = 0.0;
  double score = 0.0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    if (score <= 0.0) {
      score = 0.0;
      start = i;
    }
    score += scores[i];
    if (score > best_score) {
      best_score = score;
      best = {static_cast<long long>(start), i + 1 - start};
    }
  }
  return best;
}

double EdgeScore(const std::vector<double>& scores, long long at, std::size_t width, bool rising) {
  double sum = 0.0;
  for (std::size_t j = 0; j < width; ++j) {
    const long long after = at + static_cast<long long>(j);
    const long long before = at - 1 - static_cast<long long>(j);
    const auto score = [&](long long i) {
      return i >= 0 && i < static_cast<long long>(scores.size())
                 ? scores[static_cast<std::size_t>(i)]
                 : 0.0;
    };
    sum += rising ? score(after) - score(before) : score(before) - score(after);
  }
  return sum;
}

}  // namespace beaconcheck
