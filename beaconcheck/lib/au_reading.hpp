// Reading a Sun/NeXT .au file: 16-bit linear PCM as tonepak writes it, or 8-bit mu-law.
#pragma once

#include <cstdint>
#include <span>

#include "recording.hpp"

namespace beaconcheck {

bool LooksLikeAu(std::span<const std::uint8_t> bytes);

// The first channel's samples scaled to -1..1, or the reason they cannot be read. A data size
// of all ones means "to the end of the file", as tonepak writes it.
ReadResult ReadAu(std::span<const std::uint8_t> bytes);

}  // namespace beaconcheck
