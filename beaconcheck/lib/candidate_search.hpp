// Where transmissions may be: frequency, start and drift found on the power frames.
#pragma once

#include <vector>

#include "recording.hpp"

namespace beaconcheck {

// A rough place for the fine fit to start from.
struct Candidate {
  double tone0_mid_hz = 0.0;  // tone 0 halfway through the transmission, audio Hz
  double drift_hz = 0.0;      // from the first symbol to the last
  double start_s = 0.0;       // first symbol as the sync vector places it
  double sync = 0.0;          // normalised sync correlation, -1..1 (negative: tones upside down)
  double excess = 0.0;        // the energy above the noise that made it a candidate
};

// The audio band searched: all a 12000 Hz recording holds; faster recordings are searched up
// to 6000 Hz all the same, which is wider than any SSB receiver's audio.
inline constexpr double kSearchLowHz = 10.0;
inline constexpr double kSearchHighHz = 6000.0;

// Every place in the recording where a WSPR-like signal stands above the noise, strongest first.
// The recording is searched four minutes at a time, two minutes apart, so that every
// transmission lies whole in one piece and memory stays bounded for a 30-minute file.
std::vector<Candidate> FindCandidates(const Recording& recording);

}  // namespace beaconcheck
