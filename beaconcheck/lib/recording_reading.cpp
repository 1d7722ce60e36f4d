// Reading any recording: WAV, .au or .c2 by their first bytes, then non-finite samples silenced.
#include "recording_reading.hpp"

#include <cmath>

#include "au_reading.hpp"
#include "c2_reading.hpp"
#include "wav_reading.hpp"

namespace beaconcheck {

ReadResult ReadRecording(std::span<const std::uint8_t> bytes) {
  ReadResult result;
  if (LooksLikeWav(bytes)) {
    result = ReadWav(bytes);
  } else if (LooksLikeAu(bytes)) {
    result = ReadAu(bytes);
  } else if (LooksLikeC2(bytes)) {
    result = ReadC2(bytes);
  } else {
    return {std::nullopt, "it is neither a WAV, an .au nor a .c2 recording"};
  }
  if (result.recording) {
    for (float& s : result.recording->audio) {
      if (!std::isfinite(s)) s = 0.0F;
    }
    for (auto& s : result.recording->baseband) {
      if (!std::isfinite(s.real()) || !std::isfinite(s.imag())) s = {};
    }
  }
  return result;
}

}  // namespace beaconcheck
