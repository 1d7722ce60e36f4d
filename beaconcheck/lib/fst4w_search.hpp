// Where FST4W transmissions may be in a band: the sync groups' tones summed over a spectrogram
// of one-symbol frames every quarter symbol, at every start and tone-0 frequency.
#pragma once

#include <vector>

#include "baseband.hpp"
#include "fst4w_constants.hpp"

namespace beaconcheck {

struct Fst4wCandidate {
  double start_s = 0.0;       // within a quarter symbol
  double tone_zero_hz = 0.0;  // within a quarter tone step
  double score = 0.0;         // the sync tones' power over the others', in noise units
};

struct Fst4wSearch {
  std::vector<Fst4wCandidate> candidates;  // strongest first
  // Each half-step frequency's noise power in one tone of one symbol (the units of
  // SymbolAmplitudes' squares), from where no signal is most of the time.
  std::vector<double> noise;
  double first_bin_hz = 0.0;
  double bin_hz = 0.0;

  double NoiseAt(double hz) const;  // the median of the noise within 15 Hz of `hz`
};

// Tone 0 from `low_hz` to `high_hz` (audio), every start from the band's first sample to the
// last that leaves room for the whole transmission; at most `count` candidates, no two within
// two tone steps of each other.
Fst4wSearch SearchFst4w(const Baseband& band, const fst4w::Period& period, double low_hz,
                        double high_hz, std::size_t count);

}  // namespace beaconcheck
