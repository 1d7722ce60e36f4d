// FST4W's waveform: the 160 symbols as continuous-phase four-tone keying with WSJT-X's Gaussian
// smoothing of each tone change, a period long at 12000 samples a second, and a.au made of it.
#pragma once

#include <cstdint>
#include <vector>

#include "fst4w_constants.hpp"
#include "fst4w_types.hpp"

namespace tonepak::fst4w {

// The frequency fst4sim takes and jt9 reports is tone 0's, the lowest; the other three sit one,
// two and three tone steps above it. a.au puts tone 0 at 1500 Hz.
inline constexpr double kAudioToneZeroHz = 1500.0;

constexpr double ToneHz(unsigned tone, const ::fst4w::Period& period, double tone_zero_hz) {
  return tone_zero_hz + tone * ::fst4w::ToneStepHz(period);
}

// How the tones are keyed. Gaussian is what WSJT-X sends. Plain steps from one tone to the next
// at the symbol edge and switches the carrier on and off at once, as a DDS that is given the
// tones alone does. A step scale other than 1 imitates a DDS whose tuning-word step is off.
enum class Keying { kGaussian, kPlain };

struct Shape {
  Keying keying = Keying::kGaussian;
  double step_scale = 1.0;
};

// The smoothing pulse at t symbols from the centre of a symbol: a one-symbol rectangle convolved
// with a Gaussian of bandwidth-time product 2, about 1 over the symbol and 0 a symbol and a half
// away.
double GaussianPulse(double t_symbols);

// A whole period at 12000 samples a second, peak amplitude 1: silence, the transmission from
// 1.0 s on, silence to the end. Symbol n is centred (n + 0.5) symbol periods after the start.
std::vector<float> Fst4wSamples(const ChannelSymbols& symbols, const ::fst4w::Period& period,
                                double tone_zero_hz = kAudioToneZeroHz, Shape shape = {});

// a.au: the Sun/NeXT header of the WSPR a.au and the period's samples in 16-bit big-endian PCM at
// amplitude 32767 (2,880,024 bytes at 120 s, 43,200,024 at 1800 s).
std::vector<std::uint8_t> Fst4wAudioFile(const ChannelSymbols& symbols,
                                         const ::fst4w::Period& period);

}  // namespace tonepak::fst4w
