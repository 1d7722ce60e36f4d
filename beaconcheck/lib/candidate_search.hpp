// Where transmissions may be: frequency, start and drift found on the power frames.
#pragma once

#include <cstddef>
#include <vector>

#include "carrier.hpp"
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

// How finely and where to look.
struct SearchPlan {
  double low_hz = kSearchLowHz;  // tone 0 and tone 3 both inside
  double high_hz = kSearchHighHz;
  std::size_t frames_per_symbol = 4;  // 4 in the WSPR window, fewer for a coarse look elsewhere
  bool half_step_bins = true;         // or bins a whole step wide, for a coarse look
  std::size_t most_per_block = 0;     // the strongest so many peaks of each piece; 0: all
  double excess_sigmas = 6.0;         // how far above the spread of the noise a peak must stand
  // A peak is the largest this many bins either side: wide enough to keep a strong signal's
  // own shoulders out, narrow enough (in the window) to keep a neighbour a step away.
  std::size_t peak_reach_bins = 3;
  // In a crowded window the floor is the quiet share of the span, and the spread of pure noise
  // is worked out rather than read off bins that signals fill.
  bool crowded = false;
  // A candidate whose best sync is weaker than this is noise (0: keep all).
  double least_sync = 0.0;
  // Tone 0 between these is left to another, finer search (both 0: nothing left out).
  double left_out_low_hz = 0.0;
  double left_out_high_hz = 0.0;
};

// Every place in the recording where a WSPR-like signal stands above the noise, the most
// energy first. The recording is searched four minutes at a time, two minutes apart, so that
// every transmission lies whole in one piece and memory stays bounded for a 30-minute file. The
// same transmission can be found twice (from two pieces, or a strong signal's side lobes): the
// analysis drops what it has already measured.
struct Search {
  std::vector<Candidate> candidates;
  std::vector<Carrier> carriers;  // from each piece: one carrier may be listed once a piece
};
Search FindCandidates(const Recording& recording, const SearchPlan& plan);

// The plans the analysis searches with: the window's band (WindowBand) finely, every peak with
// a sync tried; the rest of the audio coarsely, one frame a symbol and the strongest few.
SearchPlan WindowPlan();
SearchPlan CoarsePlan();

}  // namespace beaconcheck
