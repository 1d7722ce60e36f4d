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

// The noise from tones well clear of the signal (10 to 16 steps either side, medians, so that
// a neighbouring signal does not count), the signal from the power in the tones sent.
SignalLevel MeasureLevel(const Baseband& baseband, const Track& track,
                         const std::vector<std::array<double, 4>>& powers,
                         const std::vector<std::uint8_t>& symbols);

// The slots where the signal is on: the longest run of slots whose sent tone stands clearly
// above the noise, allowing single faint slots within. first is relative to slot 0 of `powers`.
struct OnAir {
  long long first = 0;
  std::size_t count = 0;
};
OnAir FindOnAir(const std::vector<std::array<double, 4>>& powers, const SignalLevel& level);

}  // namespace beaconcheck
