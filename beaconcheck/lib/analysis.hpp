// beaconcheck's library: a recording in, every WSPR transmission in it measured out. No I/O.
#pragma once

#include <vector>

#include "carrier.hpp"
#include "recording.hpp"
#include "recording_reading.hpp"
#include "transmission.hpp"
#include "verdict.hpp"

namespace beaconcheck {

struct Analysis {
  // Every transmission found, in the order they begin: four-tone WSPR signals, and carriers
  // inside the WSPR window with a transmission's timing (`Transmission::carrier`).
  std::vector<Transmission> transmissions;
  // The other steady carriers heard (hum, birdies), lowest first.
  std::vector<Carrier> carriers;
};

// A type-3 message's call is filled in from a type-1 or type-2 message heard in the same
// recording whose hash matches.
Analysis Analyse(const Recording& recording);

}  // namespace beaconcheck
