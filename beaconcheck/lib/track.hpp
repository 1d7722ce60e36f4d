// Where a transmission's tones are, moment by moment: the model every estimate refines.
#pragma once

#include <array>
#include <cstddef>

#include "wspr_constants.hpp"

namespace beaconcheck {

// The WSPR numbers every stage counts in.
using wspr::kSymbolCount;
using wspr::kSymbolPeriodS;
using wspr::kToneSpacingHz;
using wspr::kTransmissionS;

// Tone k sounds at tones_hz[k] + drift_rate() * (t - start_s) during symbol slot i, which
// begins at start_s + i * symbol_s. The drift is linear: drift_hz is the change from the first
// symbol's middle to the last one's.
struct Track {
  double start_s = 0.0;
  double symbol_s = kSymbolPeriodS;
  std::array<double, 4> tones_hz{};  // audio Hz at start_s
  double drift_hz = 0.0;

  double DriftRateHzPerS() const { return drift_hz / ((kSymbolCount - 1) * symbol_s); }
  double SlotStartS(long long slot) const { return start_s + static_cast<double>(slot) * symbol_s; }
  // Tone k, or any frequency `steps` tone steps of the even grid above tone 0, at time t.
  double ToneHz(std::size_t k, double t) const {
    return tones_hz[k] + DriftRateHzPerS() * (t - start_s);
  }
};

// Four tones evenly `step_hz` apart from `tone0_hz`.
inline std::array<double, 4> EvenTones(double tone0_hz, double step_hz) {
  return {tone0_hz, tone0_hz + step_hz, tone0_hz + 2.0 * step_hz, tone0_hz + 3.0 * step_hz};
}

// The middle slot of a transmission: where a candidate places tone 0, and what a fit started
// from another symbol period keeps in place.
inline constexpr double kMiddleSlot = 81.0;

// Tone 0 at the start of the middle slot.
inline double Tone0AtMiddle(const Track& track) {
  return track.ToneHz(0, track.SlotStartS(static_cast<long long>(kMiddleSlot)));
}

}  // namespace beaconcheck
