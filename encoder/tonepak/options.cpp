// tonepak's command line: the options it knows, and its help and version texts.
#include "options.hpp"

#include <string_view>

#include "project_version.hpp"

namespace tonepak {

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") return {Mode::kHelp};
  if (argc == 2 && std::string_view(argv[1]) == "--version") return {Mode::kVersion};
  if (argc == 3 && std::string_view(argv[1]) == "--read") return {Mode::kRead, argv[2]};
  return {};
}

std::string HelpText() {
  return "usage: tonepak CALL LOC POWER\n"
         "       tonepak --read FILE\n"
         "       tonepak --help | --version\n"
         "Encodes a WSPR message, prints every stage of the encoding, and writes wsptones.inc\n"
         "(the symbols packed for the PIC assembler) and a.au (two minutes of test audio)\n"
         "in the current directory. With any other number of arguments it asks for the\n"
         "call sign, the locator and the power.\n"
         "  CALL         call sign, e.g. K1ABC\n"
         "  LOC          four-character Maidenhead locator, e.g. FN42\n"
         "  POWER        transmitter power in dBm, e.g. 37\n"
         "  --read FILE  read a wsptones.inc or an a.au back and print its message as\n"
         "               CALL LOC POWER; a damaged file is refused with the reason\n"
         "exit status: 0 done; 1 a file could not be written, or FILE holds no valid message\n";
}

std::string VersionText() {
  return std::string("tonepak (") + wspr_beacon_tools::kPackageName + ") " +
         wspr_beacon_tools::kVersion + "\n";
}

}  // namespace tonepak
