// The tones measured coherently: the phase of a continuous-phase signal fitted across all symbols.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "baseband.hpp"
#include "track.hpp"

namespace beaconcheck {

struct PhaseFit {
  Track track;  // tones, drift, start and symbol period refined
  std::array<double, 4> tones_sigma_hz{};
  double drift_sigma_hz = 0.0;
  double start_sigma_s = 0.0;
  double symbol_sigma_s = 0.0;
  // The step with the four tones held to one line: finer than the line through the four
  // fitted freely. 0 when not fitted.
  double even_step_hz = 0.0;
  double even_step_sigma_hz = 0.0;
  double residual_rad = 0.0;  // weighted RMS of the phase left over
  bool coherent = false;      // false: the phase jumps between symbols, no fit made
};

// Given the symbols sent in slots 0..n-1 and a track within about 0.1 Hz, fits the phase of the
// per-symbol coherent sums to a constant, the time spent in each tone, the square of the time,
// and the phase lag that late or early tone changes leave: a least-squares estimate of each
// tone's frequency, the drift rate, the start and the symbol period, far finer than one
// symbol's resolution. A signal whose phase jumps at tone changes (many DDS and PLL
// chips do) leaves a large residual; then `coherent` is false and the track is returned as is.
PhaseFit FitPhase(const Baseband& baseband, const Track& track,
                  std::span<const std::uint8_t> symbols);

}  // namespace beaconcheck
