// tonepak's command line: the options it knows, and its help and version texts.
#pragma once

#include <optional>
#include <string>

#include "beacon_mode.hpp"
#include "telemetry_run.hpp"

namespace tonepak {

// The three words of a message, as typed.
struct MessageWords {
  std::string callsign;
  std::string locator;
  std::string power;
};

enum class Mode {
  kEncode,   // [--c-header] CALL LOC POWER, or prompts for any other argument count
  kHelp,     // --help
  kVersion,  // --version
  kRead,     // --read FILE [FILE2]
  kUsageError
};

struct CommandLine {
  Mode mode = Mode::kEncode;
  beacon::Mode beacon_mode = beacon::Mode::kWspr;  // --mode NAME; WSPR without it
  // FST4W: the message words after the options, joined by blanks; empty when it must be asked
  // for.
  std::string fst4w_message;
  std::string usage_problem;  // kUsageError: what was wrong, when more than the usage is to say
  std::optional<MessageWords> words;        // kEncode: the message; none when it must be asked for
  std::optional<TelemetryWords> telemetry;  // kEncode: --telemetry, the values it packs
  bool c_header = false;                    // kEncode: --c-header, wsptones.h as well
  const char* file = nullptr;               // for kRead
  const char* file2 = nullptr;              // for kRead, when a second file is given
};

// `--mode NAME` (or `--mode=NAME`) may come first, before any other option: wspr, fst4w-120,
// fst4w-300, fst4w-900 or fst4w-1800; `--mode wspr` changes nothing. In an FST4W mode the
// message is the one to three words after the options, as fst4sim takes it.
// Only `--help` or `--version` alone, `--read FILE [FILE2]`, `--c-header CALL LOC POWER` and
// `[--c-header] --telemetry` with its seven values are options; `--read`, `--c-header` or
// `--telemetry` with other arguments is a usage error. Everything else is a message (three
// arguments) or a reason to prompt, as it always was.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// Both end with a line end.
std::string HelpText();
// The usage lines alone, for a usage error.
std::string UsageText();
std::string VersionText();

}  // namespace tonepak
