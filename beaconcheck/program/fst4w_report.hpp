// beaconcheck's report of an FST4W recording: the transmissions of one period, each measured,
// decoded and set against the expected symbols when given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "beacon_mode.hpp"
#include "fst4w_analysis.hpp"
#include "fst4w_faults.hpp"
#include "fst4w_types.hpp"

namespace beaconcheck {

struct Fst4wExpected {
  std::string message;  // as a decoder shows it
  tonepak::fst4w::MessageBits bits{};
  tonepak::fst4w::ChannelSymbols symbols{};
};

struct Fst4wReport {
  std::string file;
  double sample_rate_hz = 0.0;
  double seconds = 0.0;
  beacon::Mode mode = beacon::Mode::kFst4w120;
  std::optional<double> dial_mhz;
  std::optional<Fst4wExpected> expected;
  std::vector<Fst4wTransmission> transmissions;
  std::vector<Fst4wExplanation> explanations;  // with `expected`, one for each transmission
};

Fst4wReport MakeFst4wReport(std::string file, const Recording& recording, beacon::Mode mode,
                            std::optional<double> dial_mhz,
                            const std::optional<Fst4wExpected>& expected);

std::string Fst4wTextReport(const Fst4wReport& report);
std::string Fst4wJsonReport(const Fst4wReport& report);  // the program only

// 0 when every transmission decoded (with an expected one: when it was heard as intended),
// 1 when none was found, one did not decode, or the expected one was not heard as intended.
int Fst4wExitStatus(const Fst4wReport& report);

}  // namespace beaconcheck
