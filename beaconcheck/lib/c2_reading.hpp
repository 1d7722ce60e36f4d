// Reading wsprd's .c2 file: two minutes of complex baseband at 375 Hz around 1500 Hz of audio.
#pragma once

#include <cstdint>
#include <span>

#include "recording.hpp"

namespace beaconcheck {

inline constexpr double kC2SampleRateHz = 375.0;
inline constexpr double kC2CentreHz = 1500.0;  // the audio frequency wsprd mixes to 0 Hz
inline constexpr std::size_t kC2SampleCount = 45000;
// A 14-byte name field, a 32-bit type, the dial frequency in MHz as a double, then the samples
// as little-endian float pairs (real, imaginary), the band mirrored: audio above 1500 Hz lies
// at negative frequencies.
inline constexpr std::size_t kC2NameBytes = 14;
inline constexpr std::size_t kC2HeaderBytes = kC2NameBytes + 4 + 8;
inline constexpr std::size_t kC2FileBytes = kC2HeaderBytes + 8 * kC2SampleCount;

// A .c2 file is known by its exact size, as wsprd reads it: its name field holds whatever the
// writer put there (wsprsim -o writes the start of the path it was given), and its dial may be
// anything (read as unknown when it is no plausible frequency). A WAV or .au file of that size
// is told by its own header first (ReadRecording).
bool LooksLikeC2(std::span<const std::uint8_t> bytes);

ReadResult ReadC2(std::span<const std::uint8_t> bytes);

}  // namespace beaconcheck
