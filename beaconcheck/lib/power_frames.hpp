// Power spectra of one-symbol stretches every quarter symbol, over a band of audio frequencies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "recording.hpp"

namespace beaconcheck {

struct PowerFrames {
  double frame_step_s = 0.0;    // a quarter symbol: frame j begins at j * frame_step_s
  double bin_hz = 0.0;          // about half the tone step
  double first_bin_hz = 0.0;    // audio frequency of bin 0
  std::size_t first_frame = 0;  // of the whole recording's frames
  std::size_t frames = 0;
  std::size_t bins = 0;
  // Frames x bins, row by row, in square sample units, each kept to the upper half of its
  // float (8 bits of exponent, 8 of mantissa: 0.4 %, far finer than noise power's own spread),
  // which halves the largest block of memory the analysis holds.
  std::vector<std::uint16_t> power;

  float At(std::size_t frame, std::size_t bin) const {
    const std::uint32_t bits = static_cast<std::uint32_t>(power[frame * bins + bin]) << 16U;
    float value = 0.0F;  // std::bit_cast, which Emscripten's C++ library lacks
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  double BinHz(std::size_t bin) const { return first_bin_hz + static_cast<double>(bin) * bin_hz; }
};

// Frames a recording holds (each frame starts inside it).
std::size_t FrameCount(const Recording& recording);

// Frames [first_frame, first_frame + frames) clipped to the recording, over audio frequencies
// from `low_hz` to `high_hz` (clipped to what the recording covers). Each frame is one symbol
// long, zero-padded to twice its length (or a little more, for a quick transform), without a
// taper: a tone that lasts the whole symbol falls into one bin and its neighbour. `out` is
// refilled in place, so that a long recording's pieces reuse one block of memory.
void MakePowerFrames(const Recording& recording, std::size_t first_frame, std::size_t frames,
                     double low_hz, double high_hz, PowerFrames& out);

}  // namespace beaconcheck
