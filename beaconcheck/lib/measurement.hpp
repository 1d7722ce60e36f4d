// From a fitted track to the figures beaconcheck states of one transmission.
#pragma once

#include "baseband.hpp"
#include "phase_fit.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// Measures the transmission around a candidate's track: fits, levels, the slots on the air,
// the symbols, the sync and a soft decoding (also with the tones upside down when the sync
// says they are). nullopt when nothing like a WSPR transmission is there after all.
std::optional<Transmission> MeasureTransmission(const Baseband& baseband, Track track);

}  // namespace beaconcheck
