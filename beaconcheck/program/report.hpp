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
};

std::string TextReport(const Report& report);
std::string JsonReport(const Report& report);

// 0 when every transmission is decodable (and as intended with --expect), 1 when none was
// found or one has a problem.
int ExitStatus(const Report& report);

}  // namespace beaconcheck
