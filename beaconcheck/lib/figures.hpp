// The figures beaconcheck states of a measured transmission, from its final track and what was
// heard on it.
#pragma once

#include <cstdint>
#include <vector>

#include "baseband.hpp"
#include "phase_fit.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// DT as WSJT-X shows it, the start less one second within the transmission's own two-minute
// slot, for a file that begins at an even minute.
double DtS(double start_s);

// What was heard on `t.track` in the slots on the air, `symbols` (one for each of the 162) sent:
// the SNR over `noise_power` (QuietNoisePower's), the sync, the tone powers as the decoder takes
// them, the strongest tones and how many of them agree with the sync vector.
void HeardFigures(const Baseband& baseband, const std::vector<std::uint8_t>& symbols,
                  double noise_power, Transmission& t);

// The figures of `t.track` at the moment the signal begins: the start and DT, the tones and
// their uncertainties (from `phase` when it followed the phase, else from the resolution of
// the symbols sent), the step through them and the tone off the others' grid, the drift and
// the symbol period.
void TrackFigures(const PhaseFit& phase, Transmission& t);

}  // namespace beaconcheck
