// Whether WSPR decoders will hear a transmission, and what each fault costs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "intended_transmissions.hpp"
#include "symbol_faults.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// The radio frequencies with `--dial`: each tone's, and the WSPR band whose dial it is.
struct RadioFrequencies {
  std::array<double, 4> tones_hz{};
  std::string band;  // "20m", or empty when the dial is no WSPR dial frequency
};
RadioFrequencies AtRadio(const Transmission& t, double dial_mhz);

struct Verdict {
  bool inside_window = true;
  double window_miss_hz = 0.0;  // below 1400 Hz negative, above 1600 Hz positive
  std::optional<tonepak::SymbolExplanation> expected;  // with --expect
  bool decodable = true;
  bool as_intended = true;            // with --expect: no fault found
  std::vector<std::string> problems;  // one sentence each
  std::string line;                   // the one-line verdict
  // The verdict in a few words, for a table of many transmissions: "as intended", "decodable"
  // (heard clearly, not decoded here), or the first problem's ("drifts too far", "tones upside
  // down", "shifted by 1", "one tone only"). At most 18 characters.
  std::string brief;
};

// `intended` with --expect (count 0 without). A carrier (`t.carrier`) is judged as a beacon that
// sends one tone only.
Verdict Judge(const Transmission& t, const tonepak::IntendedTransmissions& intended);

}  // namespace beaconcheck
