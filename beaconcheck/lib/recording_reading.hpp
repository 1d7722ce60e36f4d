// Reading any recording beaconcheck takes, chosen by the file's first bytes.
#pragma once

#include <cstdint>
#include <span>

#include "recording.hpp"

namespace beaconcheck {

// WAV, .au or .c2; any other bytes give the reason. Samples that are not finite numbers (a
// float WAV can hold them) are read as silence.
ReadResult ReadRecording(std::span<const std::uint8_t> bytes);

}  // namespace beaconcheck
