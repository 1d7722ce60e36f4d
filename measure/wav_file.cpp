// Mono WAV files, 16-bit PCM or 32-bit float.
#include "wav_file.hpp"

#include <bit>

namespace measure {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

// The 44-byte header of a mono file of `count` samples of `bytes` each, format `format`.
std::vector<std::uint8_t> Header(std::size_t count, std::uint32_t bytes, std::uint32_t format,
                                 std::uint32_t sample_rate) {
  const auto data_bytes = static_cast<std::uint32_t>(count * bytes);
  std::vector<std::uint8_t> out;
  out.reserve(44 + data_bytes);
  PutTag(out, "RIFF");
  PutLittleEndian(out, 36 + data_bytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLittleEndian(out, 16, 4);      // size of the format chunk
  PutLittleEndian(out, format, 2);  // 1 linear PCM, 3 float
  PutLittleEndian(out, 1, 2);       // mono
  PutLittleEndian(out, sample_rate, 4);
  PutLittleEndian(out, sample_rate * bytes, 4);  // bytes per second
  PutLittleEndian(out, bytes, 2);                // bytes per sample frame
  PutLittleEndian(out, bytes * 8, 2);            // bits per sample
  PutTag(out, "data");
  PutLittleEndian(out, data_bytes, 4);
  return out;
}

}  // namespace

std::vector<std::uint8_t> WavFile(std::span<const std::int16_t> samples,
                                  std::uint32_t sample_rate) {
  std::vector<std::uint8_t> out = Header(samples.size(), 2, 1, sample_rate);
  for (const std::int16_t s : samples) PutLittleEndian(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

std::vector<std::uint8_t> FloatWavFile(std::span<const float> samples, std::uint32_t sample_rate) {
  std::vector<std::uint8_t> out = Header(samples.size(), 4, 3, sample_rate);
  for (const float s : samples) PutLittleEndian(out, std::bit_cast<std::uint32_t>(s), 4);
  return out;
}

}  // namespace measure
