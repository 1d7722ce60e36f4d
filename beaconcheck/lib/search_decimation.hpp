// A fast recording brought down to the lowest rate that still holds the band searched.
#pragma once

#include <optional>

#include "recording.hpp"

namespace beaconcheck {

// Real audio at 30000 Hz or more decimated by the largest whole factor that leaves at least
// 15000 Hz (48000 Hz to 16000 Hz, 44100 Hz to 22050 Hz), through a low-pass that keeps 0 to
// `keep_hz` (up to 6000 Hz, two fifths of 15000) and stops what would fold onto it. Sample m
// of the result is input sample m * factor, so times stay as they were. Nothing for anything
// else, which is searched as it is.
std::optional<Recording> DecimateForSearch(const Recording& recording, double keep_hz);

}  // namespace beaconcheck
