// beaconcheck's report of a recording: plain text for people, or one JSON object.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "beaconcheck.hpp"

namespace beaconcheck {

struct Report {
  std::string file;
  double sample_rate_hz = 0.0;
  double seconds = 0.0;
  std::optional<double> dial_mhz;
  tonepak::IntendedTransmissions intended;  // --expect's transmissions (count 0 without)
  std::vector<Transmission> transmissions;
  std::vector<Verdict> verdicts;  // one for each transmission
  std::vector<Carrier> carriers;  // steady carriers that are no transmission
};

// Finds and measures every transmission in `recording`, read from `file`, and judges each
// against `intended` (count 0: nothing expected). A .c2 file's own dial frequency serves when
// `dial_mhz` is not given.
Report MakeReport(std::string file, const Recording& recording, std::optional<double> dial_mhz,
                  const tonepak::IntendedTransmissions& intended);

std::string TextReport(const Report& report);
std::string JsonReport(const Report& report);  // the program only: not in the web build

// 0 when every transmission is decodable (and as intended with --expect), 1 when none was
// found or one has a problem.
int ExitStatus(const Report& report);

}  // namespace beaconcheck
