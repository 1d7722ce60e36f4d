// Reading a WAV file: PCM of 8, 16, 24 or 32 bits, 32-bit float, plain or extensible header.
#pragma once

#include <cstdint>
#include <span>

#include "recording.hpp"

namespace beaconcheck {

// Whether the bytes begin as a RIFF WAVE file does.
bool LooksLikeWav(std::span<const std::uint8_t> bytes);

// The first channel's samples, scaled to -1..1. Any other layout, a header cut short or a data
// chunk that claims more bytes than the file holds gives the reason instead.
ReadResult ReadWav(std::span<const std::uint8_t> bytes);

}  // namespace beaconcheck
