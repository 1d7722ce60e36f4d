// tonepak's command line: the options it knows, and its help and version texts.
#pragma once

#include <string>

namespace tonepak {

enum class Mode {
  kEncode,   // CALL LOC POWER, or prompts for any other argument count
  kHelp,     // --help
  kVersion,  // --version
  kRead      // --read FILE
};

struct CommandLine {
  Mode mode = Mode::kEncode;
  const char* file = nullptr;  // for kRead
};

// Only `--help` or `--version` alone, and `--read FILE`, are options; everything else is a
// message (three arguments) or a reason to prompt, as it always was.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// Both end with a line end.
std::string HelpText();
std::string VersionText();

}  // namespace tonepak
