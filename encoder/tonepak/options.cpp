// tonepak's command line: the options it knows, and its help and version texts.
#include "options.hpp"

#include <string_view>

#include "project_version.hpp"

namespace tonepak {

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") return {Mode::kHelp};
  if (argc == 2 && std::string_view(argv[1]) == "--version") return {Mode::kVersion};
  if (argc >= 2 && std::string_view(argv[1]) == "--read") {
    if (argc == 3) return {Mode::kRead, argv[2]};
    if (argc == 4) return {Mode::kRead, argv[2], argv[3]};
    return {Mode::kUsageError};
  }
  if (argc >= 2 && std::string_view(argv[1]) == "--c-header") {
    return {argc == 5 ? Mode::kCHeader : Mode::kUsageError};
  }
  return {};
}

std::string UsageText() {
  return "usage: tonepak CALL LOC POWER\n"
         "       tonepak --c-header CALL LOC POWER\n"
         "       tonepak --read FILE [FILE2]\n"
         "       tonepak --help | --version\n";
}

std::string HelpText() {
  return UsageText() +
         "Encodes a WSPR message, prints every stage of the encoding, and writes wsptones.inc\n"
         "(the symbols packed for the PIC assembler) and a.au (two minutes of test audio)\n"
         "in the current directory. With any other number of arguments it asks for the\n"
         "call sign, the locator and the power. A compound call (PJ4/K1ABC, K1ABC/P) or a\n"
         "six-character locator makes a pair of transmissions, sent in turn: the second one\n"
         "goes to wsptones2.inc and a2.au.\n"
         "  CALL         call sign, e.g. K1ABC, PJ4/K1ABC or K1ABC/P\n"
         "  LOC          Maidenhead locator, e.g. FN42 or FN42AX\n"
         "  POWER        transmitter power in dBm, e.g. 37\n"
         "  --c-header   also write wsptones.h, the transmissions as C arrays\n"
         "  --read FILE  read a wsptones.inc or an a.au back and print its message as a\n"
         "               decoder shows it; a FILE2 after it is read next, and a hashed call\n"
         "               in it is filled in from FILE; a damaged file is refused with the reason\n"
         "exit status: 0 done; 1 a file could not be written, or FILE holds no valid message;\n"
         "2 a usage error, or a compound call that cannot be sent\n";
}

std::string VersionText() {
  return std::string("tonepak (") + wspr_beacon_tools::kPackageName + ") " +
         wspr_beacon_tools::kVersion + "\n";
}

}  // namespace tonepak
