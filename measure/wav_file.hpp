// A mono 16-bit PCM WAV file, the form wsprd reads.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace measure {

// The whole file: the 44-byte RIFF header and the samples, little-endian.
std::vector<std::uint8_t> WavFile(std::span<const std::int16_t> samples, std::uint32_t sample_rate);

}  // namespace measure
