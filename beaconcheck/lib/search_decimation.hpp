// A fast recording brought down to the lowest rate that still holds the band searched.
#pragma once

#include <optional>

#include "recording.hpp"

namespace beaconcheck {

// Real audio at `sample_rate_hz` of 30000 Hz or more decimated by a whole factor to 15000 Hz or
// a little above, through a low-pass that keeps 0 to `keep_hz` (at most a third of the new
// rate) and stops what would fold onto it. Sample m of the result is input sample m * factor,
// so times stay as they were. Nothing for anything else, searched as it is.
std::optional<Recording> DecimateForSearch(const Recording& recording, double keep_hz);

}  // namespace beaconcheck
