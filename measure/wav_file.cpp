// A mono 16-bit PCM WAV file.
#include "wav_file.hpp"

namespace measure {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<std::uint8_t> WavFile(std::span<const std::int16_t> samples,
                                  std::uint32_t sample_rate) {
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + data_bytes);
  PutTag(out, "RIFF");
  PutLittleEndian(out, 36 + data_bytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLittleEndian(out, 16, 4);  // size of the format chunk
  PutLittleEndian(out, 1, 2);   // linear PCM
  PutLittleEndian(out, 1, 2);   // mono
  PutLittleEndian(out, sample_rate, 4);
  PutLittleEndian(out, sample_rate * 2, 4);  // bytes per second
  PutLittleEndian(out, 2, 2);                // bytes per sample frame
  PutLittleEndian(out, 16, 2);               // bits per sample
  PutTag(out, "data");
  PutLittleEndian(out, data_bytes, 4);
  for (const std::int16_t s : samples) PutLittleEndian(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace measure
