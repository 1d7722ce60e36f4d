// Reading a WAV file: walks the RIFF chunks to "fmt " and "data" and converts the first channel.
#include "wav_reading.hpp"

#include <string>

#include "byte_reader.hpp"
#include "sample_limits.hpp"

namespace beaconcheck {
namespace {

constexpr std::uint32_t kPcm = 1;
constexpr std::uint32_t kFloat = 3;
constexpr std::uint32_t kExtensible = 0xFFFE;

struct Format {
  std::uint32_t encoding = 0;  // kPcm or kFloat
  std::uint32_t channels = 0;
  std::uint32_t rate_hz = 0;
  std::uint32_t block_bytes = 0;
  std::uint32_t bits = 0;
};

bool TagIs(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (bytes[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  }
  return true;
}

std::string ReadFormat(std::span<const std::uint8_t> chunk, Format& format) {
  if (chunk.size() < 16) return "its format chunk is cut short";
  format.encoding = LittleEndian(chunk, 0, 2);
  format.channels = LittleEndian(chunk, 2, 2);
  format.rate_hz = LittleEndian(chunk, 4, 4);
  format.block_bytes = LittleEndian(chunk, 12, 2);
  format.bits = LittleEndian(chunk, 14, 2);
  if (format.encoding == kExtensible) {
    // The sub-format GUID begins with the plain format code.
    if (chunk.size() < 26) return "its extensible format chunk is cut short";
    format.encoding = LittleEndian(chunk, 24, 2);
  }
  if (format.encoding != kPcm && format.encoding != kFloat) {
    return "its samples are neither linear PCM nor 32-bit float (format " +
           std::to_string(format.encoding) + ")";
  }
  const bool pcm_bits =
      format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32;
  if ((format.encoding == kPcm && !pcm_bits) || (format.encoding == kFloat && format.bits != 32)) {
    return "it has " + std::to_string(format.bits) + "-bit samples, which are not read";
  }
  if (format.channels == 0) return "it has no channels";
  if (format.block_bytes < format.channels * format.bits / 8) {
    return "its block size is smaller than one sample of each channel";
  }
  return SampleRateProblem(format.rate_hz);
}

float Sample(std::span<const std::uint8_t> bytes, std::size_t at, const Format& format) {
  if (format.encoding == kFloat) return LittleEndianFloat(bytes, at);
  switch (format.bits) {
    case 8:
      return (static_cast<float>(bytes[at]) - 128.0F) / 128.0F;
    case 16:
      return static_cast<float>(static_cast<std::int16_t>(LittleEndian(bytes, at, 2))) / 32768.0F;
    case 24: {
      // The sign bit moved to the top of 32 bits, then the value scaled back down.
      const auto raw = static_cast<std::int32_t>(LittleEndian(bytes, at, 3) << 8);
      return static_cast<float>(raw) / 2147483648.0F;
    }
    default:
      return static_cast<float>(static_cast<std::int32_t>(LittleEndian(bytes, at, 4))) /
             2147483648.0F;
  }
}

}  // namespace

bool LooksLikeWav(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 12 && TagIs(bytes, 0, "RIFF") && TagIs(bytes, 8, "WAVE");
}

ReadResult ReadWav(std::span<const std::uint8_t> bytes) {
  if (!LooksLikeWav(bytes)) return {std::nullopt, "it is not a RIFF WAVE file"};
  Format format;
  bool have_format = false;
  std::size_t at = 12;
  while (true) {
    if (bytes.size() - at < 8) {
      if (bytes.size() > at) return {std::nullopt, "its header is cut short"};
      return {std::nullopt, have_format ? "it has no data chunk" : "it has no format chunk"};
    }
    const std::uint32_t size = LittleEndian(bytes, at + 4, 4);
    const std::size_t body = at + 8;
    const bool is_data = TagIs(bytes, at, "data");
    if (size > bytes.size() - body) {
      if (is_data) return {std::nullopt, "its data chunk claims more bytes than the file holds"};
      return {std::nullopt, "its header is cut short"};
    }
    const auto chunk = bytes.subspan(body, size);
    if (TagIs(bytes, at, "fmt ")) {
      if (std::string problem = ReadFormat(chunk, format); !problem.empty()) {
        return {std::nullopt, problem};
      }
      have_format = true;
    } else if (is_data) {
      if (!have_format) return {std::nullopt, "its data chunk comes before its format chunk"};
      const std::size_t frames = size / format.block_bytes;
      if (std::string problem = LengthProblem(frames, format.rate_hz); !problem.empty()) {
        return {std::nullopt, problem};
      }
      Recording recording;
      recording.sample_rate_hz = format.rate_hz;
      recording.audio.resize(frames);
      for (std::size_t i = 0; i < frames; ++i) {
        recording.audio[i] = Sample(chunk, i * format.block_bytes, format);
      }
      return {std::move(recording), {}};
    }
    at = body + size + (size & 1U);  // chunks are padded to an even length
    if (at > bytes.size()) return {std::nullopt, "its header is cut short"};
  }
}

}  // namespace beaconcheck
