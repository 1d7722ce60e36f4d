// How strong a transmission is and where it begins and ends, from the power in its own tones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "baseband.hpp"
#include "track.hpp"

namespace beaconcheck {

struct SignalLevel {
  double noise_power = 0.0;   // mean noise power in one tone of one slot (square baseband units)
  double signal_power = 0.0;  // the signal's own power in the baseband (square units)
  double snr_db = 0.0;        // over the noise in 2500 Hz, as WSPR decoders state it
};

// The signal from the power in the tones sent, over `noise_power` (QuietNoisePower's, the
// noise in one tone of one slot).
SignalLevel MeasureLevel(const Track& track, const std::vector<std::array<double, 4>>& powers,
                         const std::vector<std::uint8_t>& symbols, double noise_power);

// Each slot's evidence that the signal is on: its strongest tone's distance from halfway
// between noise and signal, clipped to the signal's half.
std::vector<double> OnScores(const std::vector<std::array<double, 4>>& powers,
                             const SignalLevel& level);

// The slots where the signal is on: the run of slots with the highest total score, faint slots
// within it allowed. first is relative to slot 0 of the scores.
struct OnAir {
  long long first = 0;
  std::size_t count = 0;
};
OnAir FindOnAir(const std::vector<double>& scores);

// How clearly the signal comes on (rising) or goes off at slot `at`: the scores of `width`
// slots after it less those of `width` before it, or the other way round.
double EdgeScore(const std::vector<double>& scores, long long at, std::size_t width, bool rising);

}  // namespace beaconcheck
