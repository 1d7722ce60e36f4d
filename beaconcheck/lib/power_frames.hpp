// Power spectra of one-symbol stretches every quarter symbol (or every half or whole symbol, for
// a coarse look), over a band of audio frequencies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "recording.hpp"

namespace beaconcheck {

struct PowerFrames {
  double frame_step_s = 0.0;    // frame j begins at first_s + j * frame_step_s
  double first_s = 0.0;         // the recording's time of its sample 0
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

// Frames a recording holds (each frame starts inside it), `per_symbol` frames a symbol.
std::size_t FrameCount(const Recording& recording, std::size_t per_symbol = 4);

// Frames [first_frame, first_frame + frames) clipped to the recording, over audio frequencies
// from `low_hz` to `high_hz` (clipped to what the recording covers). Each frame is one symbol
// long, zero-padded to twice its length (or a little more, for a quick transform), without a
// taper: a tone that lasts the whole symbol falls into one bin and its neighbour. Unpadded
// (`padded` false, for a coarse look) the bins are a whole tone step wide, at half the work. `out`
// is refilled in place, so that a long recording's pieces reuse one block of memory.
void MakePowerFrames(const Recording& recording, std::size_t first_frame, std::size_t frames,
                     double low_hz, double high_hz, PowerFrames& out, std::size_t per_symbol = 4,
                     bool padded = true);

// Each bin's power summed over the frames, divided by their number.
std::vector<double> MeanPowers(const PowerFrames& frames);

// The local noise floor of a mean spectrum: each bin's median over about +-70 Hz (every third
// bin), which a few signals in the span do not lift; in a crowded band a lower share of the
// span (`share`), put right by `bias`, what that share of pure noise gives.
std::vector<float> LocalFloor(const std::vector<double>& mean, double bin_hz, double share = 0.5,
                              double bias = 1.0);

}  // namespace beaconcheck
