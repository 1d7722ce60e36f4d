// beaconcheck's command line: the recording, --json, --verbose, --plot, --dial, --expect,
// --mode and --channel.
#pragma once

#include <optional>
#include <string>

#include "beacon_mode.hpp"

namespace beaconcheck {

enum class Mode { kCheck, kHelp, kVersion, kUsageError };

struct Options {
  Mode mode = Mode::kCheck;
  std::string file;
  bool json = false;
  bool verbose = false;                     // --verbose: the steady carriers too
  std::string plot;                         // PNG to write, or empty
  std::optional<double> dial_mhz;           // --dial MHZ
  std::string expect;                       // --expect MESSAGE|FILE, or empty
  std::optional<beacon::Mode> beacon_mode;  // --mode NAME; else from the recording's length
  std::optional<int> channel;               // --channel N: the balloon channel expected
  std::string problem;                      // with kUsageError: what is wrong
};

Options ParseOptions(int argc, const char* const* argv);

std::string HelpText();
std::string VersionText();

}  // namespace beaconcheck
