// One transmission measured: from a candidate's track to the figures beaconcheck states of it.
#pragma once

#include <optional>

#include "baseband.hpp"
#include "recording.hpp"
#include "track.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// Measures the transmission around a candidate's track, stage by stage: the fit on tone energy,
// the alignment with the sync vector, the decoding, the fits that know the symbols, the edges on
// the final track, then the figures. nullopt when nothing like a WSPR transmission is there
// after all.
std::optional<Transmission> MeasureTransmission(const Baseband& baseband, const Track& track);

// One candidate measured in `source`: its neighbourhood mixed down and measured, and again from
// symbol periods far off when the first reading is doubtful.
std::optional<Transmission> Measure(const Recording& source, const Track& track);

}  // namespace beaconcheck
