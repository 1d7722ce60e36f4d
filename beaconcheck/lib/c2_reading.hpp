// Reading wsprd's .c2 file: two minutes of complex baseband at 375 Hz around 1500 Hz of audio.
#pragma once

#include <cstdint>
#include <span>

#include "recording.hpp"

namespace beaconcheck {

inline constexpr double kC2SampleRateHz = 375.0;
inline constexpr double kC2CentreHz = 1500.0;  // the audio frequency wsprd mixes to 0 Hz
inline constexpr std::size_t kC2SampleCount = 45000;
// A 14-byte file name, a 32-bit type, the dial frequency in MHz as a double, then the samples
// as little-endian float pairs (real, imaginary), the band mirrored: audio above 1500 Hz lies
// at negative frequencies.
inline constexpr std::size_t kC2HeaderBytes = 26;
inline constexpr std::size_t kC2FileBytes = kC2HeaderBytes + 8 * kC2SampleCount;

// A .c2 file is known by its size alone and by the ".c2" its name field ends with.
bool LooksLikeC2(std::span<const std::uint8_t> bytes);

ReadResult ReadC2(std::span<const std::uint8_t> bytes);

}  // namespace beaconcheck
