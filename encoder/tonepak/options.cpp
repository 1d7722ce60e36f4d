// tonepak's command line: the options it knows, and its help and version texts.
#include "options.hpp"

#include <string_view>

#include "project_version.hpp"

namespace tonepak {

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine out;
  const std::string_view first = argc >= 2 ? argv[1] : "";
  if (argc == 2 && (first == "--help" || first == "--version")) {
    out.mode = first == "--help" ? Mode::kHelp : Mode::kVersion;
  } else if (first == "--read") {
    if (argc == 3 || argc == 4) {
      out.mode = Mode::kRead;
      out.file = argv[2];
      out.file2 = argc == 4 ? argv[3] : nullptr;
    } else {
      out.mode = Mode::kUsageError;
    }
  } else if (first == "--c-header") {
    out.c_header = true;
    if (argc == 5) {
      out.words = MessageWords{argv[2], argv[3], argv[4]};
    } else {
      out.mode = Mode::kUsageError;
    }
  } else if (argc == 4) {
    out.words = MessageWords{argv[1], argv[2], argv[3]};
  }
  return out;
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
