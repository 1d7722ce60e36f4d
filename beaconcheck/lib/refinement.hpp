// Refinement: each decoded transmission whose neighbour was taken out only after it was
// measured, measured again on the band without every other decoded signal.
#pragma once

#include <cstddef>
#include <vector>

#include "recording.hpp"
#include "subtraction.hpp"
#include "transmission.hpp"
#include "wspr_types.hpp"

namespace beaconcheck {

// A decoded transmission and what it takes to take it out of the band and put it back.
struct Decoded {
  Transmission t;
  tonepak::ChannelSymbols tones{};  // the tone of each slot as sent
  bool in_band = false;
  Rebuilt rebuilt;
  std::size_t order = 0;  // when it was taken out
  int pass = 0;           // in which pass
};

// Whether a decoded signal on `neighbour` is near enough to a reading of tone 0 at
// `tone0_mid_hz` (in the middle slot) from `start_s` to have disturbed it.
bool Disturbs(const Track& neighbour, double tone0_mid_hz, double start_s);

// What Subtract needs to rebuild it.
SentSignal SignalOf(const Decoded& d);

// Each of `decoded` in `band` (which holds them all taken out) with a neighbour taken out after
// it was measured: put back, measured again, taken out again; the new reading kept when it
// decodes the same message.
void Refine(Recording& band, std::vector<Decoded>& decoded);

}  // namespace beaconcheck
