// tonepak CALL LOC POWER: WSPR channel symbols, wsptones.inc and a.au for a PIC beacon;
// tonepak --read FILE [FILE2]: the message such a file carries.
#include <cstdio>
#include <string>

#include "options.hpp"
#include "read_back.hpp"
#include "tonepak.hpp"

namespace {

int Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const tonepak::CommandLine command_line = tonepak::ParseCommandLine(argc, argv);
  switch (command_line.mode) {
    case tonepak::Mode::kHelp:
      return Print(tonepak::HelpText());
    case tonepak::Mode::kVersion:
      return Print(tonepak::VersionText());
    case tonepak::Mode::kRead:
      return tonepak::ReadBack(command_line.file, command_line.file2);
    case tonepak::Mode::kUsageError: {
      std::string usage = tonepak::UsageText();
      if (!command_line.usage_problem.empty()) {
        usage = "tonepak: " + command_line.usage_problem + "\n" + usage;
      }
      std::fwrite(usage.data(), 1, usage.size(), stderr);
      return tonepak::kRefusedStatus;
    }
    case tonepak::Mode::kEncode:
      break;
  }
  return tonepak::RunTonepak(command_line, stdin);
}
