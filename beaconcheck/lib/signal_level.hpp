// How strong a transmission is, from the power in its own tones.
#pragma once

#include <array>
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

}  // namespace beaconcheck
