// Reading a Sun/NeXT .au file: the 24-byte big-endian header, then the samples.
#include "au_reading.hpp"

#include <string>

#include "byte_reader.hpp"
#include "sample_limits.hpp"

namespace beaconcheck {
namespace {

constexpr std::size_t kHeaderBytes = 24;
constexpr std::uint32_t kMuLaw = 1;
constexpr std::uint32_t kLinear16 = 3;
constexpr std::uint32_t kSizeNotGiven = 0xFFFFFFFF;

// G.711 mu-law: sign, three exponent bits and four mantissa bits, sent inverted.
float MuLaw(std::uint8_t code) {
  const auto inverted = static_cast<std::uint8_t>(~code);
  const int exponent = (inverted >> 4) & 7;
  const int mantissa = inverted & 15;
  const int magnitude = (((mantissa << 3) + 0x84) << exponent) - 0x84;
  return static_cast<float>((inverted & 0x80) != 0 ? -magnitude : magnitude) / 32768.0F;
}

}  // namespace

bool LooksLikeAu(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 4 && bytes[0] == '.' && bytes[1] == 's' && bytes[2] == 'n' &&
         bytes[3] == 'd';
}

ReadResult ReadAu(std::span<const std::uint8_t> bytes) {
  if (!LooksLikeAu(bytes)) return {std::nullopt, "it is not a Sun/NeXT .au file"};
  if (bytes.size() < kHeaderBytes) return {std::nullopt, "its header is cut short"};
  const std::uint32_t offset = BigEndian(bytes, 4, 4);
  const std::uint32_t size = BigEndian(bytes, 8, 4);
  const std::uint32_t encoding = BigEndian(bytes, 12, 4);
  const std::uint32_t rate_hz = BigEndian(bytes, 16, 4);
  const std::uint32_t channels = BigEndian(bytes, 20, 4);
  if (offset < kHeaderBytes || offset > bytes.size()) {
    return {std::nullopt, "its header is cut short"};
  }
  if (encoding != kMuLaw && encoding != kLinear16) {
    return {std::nullopt, "its samples are neither 16-bit linear nor 8-bit mu-law (encoding " +
                              std::to_string(encoding) + ")"};
  }
  if (channels == 0 || channels > 64) return {std::nullopt, "its channel count is not usable"};
  if (std::string problem = SampleRateProblem(rate_hz); !problem.empty()) {
    return {std::nullopt, problem};
  }
  std::size_t data_bytes = bytes.size() - offset;
  if (size != kSizeNotGiven) {
    if (size > data_bytes) return {std::nullopt, "it claims more data than the file holds"};
    data_bytes = size;
  }
  const std::size_t sample_bytes = encoding == kMuLaw ? 1 : 2;
  const std::size_t frame_bytes = sample_bytes * channels;
  const std::size_t frames = data_bytes / frame_bytes;
  if (std::string problem = LengthProblem(frames, rate_hz); !problem.empty()) {
    return {std::nullopt, problem};
  }
  Recording recording;
  recording.sample_rate_hz = rate_hz;
  recording.audio.resize(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const std::size_t at = offset + i * frame_bytes;
    recording.audio[i] =
        encoding == kMuLaw
            ? MuLaw(bytes[at])
            : static_cast<float>(static_cast<std::int16_t>(BigEndian(bytes, at, 2))) / 32768.0F;
  }
  return {std::move(recording), {}};
}

}  // namespace beaconcheck
