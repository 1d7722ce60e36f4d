// tonepak's command line: the options it knows, and its help and version texts.
#pragma once

#include <optional>
#include <string>

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
  std::optional<MessageWords> words;  // kEncode: the message; none when it must be asked for
  bool c_header = false;              // kEncode: --c-header, wsptones.h as well
  const char* file = nullptr;         // for kRead
  const char* file2 = nullptr;        // for kRead, when a second file is given
};

// Only `--help` or `--version` alone, `--read FILE [FILE2]` and `--c-header CALL LOC POWER` are
// options; `--read` or `--c-header` with other arguments is a usage error. Everything else is a
// message (three arguments) or a reason to prompt, as it always was.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// Both end with a line end.
std::string HelpText();
// The usage lines alone, for a usage error.
std::string UsageText();
std::string VersionText();

}  // namespace tonepak
