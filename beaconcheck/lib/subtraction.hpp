// A decoded transmission (or a steady carrier) rebuilt from its symbols and track and taken out
// of a band, so that the signals it covered can be searched for in what is left.
#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "carrier.hpp"
#include "recording.hpp"
#include "track.hpp"

namespace beaconcheck {

// What is needed to rebuild one transmission: its aligned track, the tone of each of its 162
// slots, and which slots it sent.
struct SentSignal {
  Track track;
  std::span<const std::uint8_t> tones;  // 162, tone of each slot of the track
  long long first_slot = 0;
  std::size_t symbols_sent = 0;
  bool phase_continuous = true;  // one phase across the symbols, or a new one at each
};

// The amplitude and phase the signal was rebuilt with: one value every `every` samples from
// `first` (linear between them), or one a slot when its phase jumps.
struct Rebuilt {
  std::size_t first = 0;  // band samples [first, end) were changed
  std::size_t end = 0;
  std::size_t every = 0;  // 0: `amplitude` holds one value for each slot from first_slot on
  std::vector<std::complex<float>> amplitude;
};

// The signal rebuilt in `band` (complex samples) and subtracted. Its amplitude and phase are
// read off the band itself moment by moment: the band times the conjugate of the model's
// phasor, smoothed over about two symbols (a continuous-phase signal) or averaged over each
// symbol (one whose phase jumps), which follows fading and leaves the other signals and the
// noise.
Rebuilt Subtract(Recording& band, const SentSignal& signal);

// The same signal put back, as Subtract took it out: the band as it was but for the others.
void AddBack(Recording& band, const SentSignal& signal, const Rebuilt& rebuilt);
// And taken out again with the same estimate.
void TakeOut(Recording& band, const SentSignal& signal, const Rebuilt& rebuilt);

// The carriers heard in `band` rebuilt as one tone each and taken out, a transmission's length
// at a time. Whether there was any.
bool TakeOutCarriers(Recording& band, const std::vector<Carrier>& carriers);

}  // namespace beaconcheck
