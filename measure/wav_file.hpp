// Mono WAV files: 16-bit PCM, the form wsprd reads, and 32-bit float.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace measure {

// The whole file: the 44-byte RIFF header and the samples, little-endian.
std::vector<std::uint8_t> WavFile(std::span<const std::int16_t> samples, std::uint32_t sample_rate);

// The same with 32-bit float samples (format 3), as SDR programs save.
std::vector<std::uint8_t> FloatWavFile(std::span<const float> samples, std::uint32_t sample_rate);

}  // namespace measure
