// Every FST4W transmission of one period in a recording, found, decoded and measured.
#pragma once

#include <vector>

#include "beacon_mode.hpp"
#include "fst4w_transmission.hpp"
#include "recording.hpp"

namespace beaconcheck {

// How far from the sync tones' share of noise (0.25) an undecoded place must be to be shown as a
// transmission that could not be decoded.
inline constexpr double kFst4wUndecodedSync = 0.6;

// `mode` one of the FST4W modes. Transmissions in the order they begin, then up in frequency.
std::vector<Fst4wTransmission> AnalyseFst4w(const Recording& recording, beacon::Mode mode);

// The mode a recording's length suggests: 300, 900 and 1800 s periods for recordings of about
// their length; two minutes is WSPR's length too, and stays WSPR's unless asked. A long WSPR
// recording has these lengths too: the programs try FST4W and fall back to WSPR.
beacon::Mode ModeForLength(double seconds);

}  // namespace beaconcheck
