// beaconcheck's library: a recording in, every WSPR transmission in it measured out. No I/O.
#pragma once

#include <vector>

#include "recording.hpp"
#include "recording_reading.hpp"
#include "transmission.hpp"
#include "verdict.hpp"

namespace beaconcheck {

// Every transmission found, in the order they begin. A type-3 message's call is filled in
// from a type-1 or type-2 message heard in the same recording whose hash matches.
std::vector<Transmission> Analyse(const Recording& recording);

}  // namespace beaconcheck
