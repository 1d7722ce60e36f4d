// Reading wsprd's .c2 file: the header's dial frequency and 45000 complex samples.
#include "c2_reading.hpp"

#include <cmath>

#include "byte_reader.hpp"

namespace beaconcheck {

bool LooksLikeC2(std::span<const std::uint8_t> bytes) { return bytes.size() == kC2FileBytes; }

ReadResult ReadC2(std::span<const std::uint8_t> bytes) {
  if (!LooksLikeC2(bytes)) {
    return {std::nullopt, "it is not a .c2 file of " + std::to_string(kC2FileBytes) + " bytes"};
  }
  Recording recording;
  recording.sample_rate_hz = kC2SampleRateHz;
  recording.centre_hz = kC2CentreHz;
  const std::uint64_t dial_bits =
      LittleEndian(bytes, kC2NameBytes + 4, 4) |
      static_cast<std::uint64_t>(LittleEndian(bytes, kC2NameBytes + 8, 4)) << 32;
  const auto dial_mhz = FromBits<double>(dial_bits);
  // Whatever wrote the file may have left anything there: a dial that is no radio frequency,
  // from 1 kHz to 100 GHz, is unknown.
  const bool plausible = std::isfinite(dial_mhz) && dial_mhz >= 0.001 && dial_mhz <= 100000.0;
  recording.dial_mhz = plausible ? dial_mhz : 0.0;
  recording.baseband.resize(kC2SampleCount);
  for (std::size_t i = 0; i < kC2SampleCount; ++i) {
    const std::size_t at = kC2HeaderBytes + 8 * i;
    // wsprsim and wsprd keep the band upside down: audio above 1500 Hz has negative frequency.
    recording.baseband[i] = {LittleEndianFloat(bytes, at), -LittleEndianFloat(bytes, at + 4)};
  }
  return {std::move(recording), {}};
}

}  // namespace beaconcheck
