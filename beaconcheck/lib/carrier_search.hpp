// Steady carriers: one narrow line in the mean spectrum with nothing a tone step either side.
#pragma once

#include <vector>

#include "carrier.hpp"
#include "power_frames.hpp"

namespace beaconcheck {

// The carriers the frames hold: lines standing far above the local noise whose power stays in
// one bin and its neighbour (a WSPR signal's four tones share theirs a step apart), each with
// the stretch of frames it is on and its SNR in 2500 Hz.
std::vector<Carrier> FindCarriers(const PowerFrames& frames);

// Whether any of the four tones of a track with tone 0 at `tone0_hz` falls on one of `carriers`
// heard at time `at_s`: such a candidate is the carrier seen through the search's four tones.
bool OnACarrier(const std::vector<Carrier>& carriers, double tone0_hz, double at_s);

}  // namespace beaconcheck
