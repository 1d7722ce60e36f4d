// tonepak's command line: the options it knows, and its help and version texts.
#include "options.hpp"

#include <string_view>
#include <vector>

#include "project_version.hpp"

namespace tonepak {

namespace {

// `--telemetry` and its values from argv[at] on, when argv[at] is that option.
bool ParseTelemetry(int argc, const char* const* argv, int at, CommandLine& out) {
  if (at >= argc || std::string_view(argv[at]) != "--telemetry") return false;
  const int given = argc - at - 1;
  if (given != kTelemetryWordCount) {
    out.mode = Mode::kUsageError;
    out.usage_problem = std::string("--telemetry needs 7 values, ") + kTelemetryUsage + ", not " +
                        std::to_string(given);
    return true;
  }
  const char* const* v = argv + at + 1;
  out.telemetry = TelemetryWords{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
  return true;
}

CommandLine ParseWithoutMode(int argc, const char* const* argv) {
  CommandLine out;
  const std::string_view first = argc >= 2 ? argv[1] : "";
  out.c_header = first == "--c-header";
  if (ParseTelemetry(argc, argv, out.c_header ? 2 : 1, out)) return out;
  out.c_header = false;
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

// FST4W: [--c-header] MESSAGE WORDS, or --read.
CommandLine ParseFst4w(beacon::Mode mode, int argc, const char* const* argv) {
  const std::string_view first = argc >= 2 ? argv[1] : "";
  if (first == "--read" || first == "--help" || first == "--version") {
    CommandLine out = ParseWithoutMode(argc, argv);
    out.beacon_mode = mode;
    return out;
  }
  CommandLine out;
  out.beacon_mode = mode;
  int i = 1;
  if (first == "--c-header") {
    out.c_header = true;
    ++i;
  }
  if (ParseTelemetry(argc, argv, i, out)) return out;
  if (out.c_header && i >= argc) out.mode = Mode::kUsageError;
  for (; i < argc; ++i) {
    if (std::string_view(argv[i]).starts_with("--")) {
      out.mode = Mode::kUsageError;
      out.usage_problem = "unknown option \"" + std::string(argv[i]) + "\"";
      return out;
    }
    if (!out.fst4w_message.empty()) out.fst4w_message += ' ';
    out.fst4w_message += argv[i];
  }
  return out;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  std::string_view first = argc >= 2 ? argv[1] : "";
  std::string_view name;
  int used = 0;
  if (first == "--mode") {
    if (argc < 3) {
      CommandLine out;
      out.mode = Mode::kUsageError;
      out.usage_problem =
          "--mode needs a name: wspr, fst4w-120, fst4w-300, fst4w-900 or fst4w-1800";
      return out;
    }
    name = argv[2];
    used = 2;
  } else if (first.starts_with("--mode=")) {
    name = first.substr(7);
    used = 1;
  } else {
    return ParseWithoutMode(argc, argv);
  }
  const std::optional<beacon::Mode> mode = beacon::ModeNamed(name);
  if (!mode) {
    CommandLine out;
    out.mode = Mode::kUsageError;
    out.usage_problem = "no mode is called \"" + std::string(name) +
                        "\": wspr, fst4w-120, fst4w-300, fst4w-900 or fst4w-1800";
    return out;
  }
  // The rest as a command line of its own, with the program's name in front.
  std::vector<const char*> rest{argv[0]};
  for (int i = used + 1; i < argc; ++i) rest.push_back(argv[i]);
  const int rest_count = static_cast<int>(rest.size());
  if (*mode == beacon::Mode::kWspr) return ParseWithoutMode(rest_count, rest.data());
  return ParseFst4w(*mode, rest_count, rest.data());
}

std::string UsageText() {
  return "usage: tonepak CALL LOC POWER\n"
         "       tonepak --c-header CALL LOC POWER\n"
         "       tonepak --mode MODE [--c-header] MESSAGE\n"
         "       tonepak [--mode MODE] [--c-header] --telemetry ID SUBSQUARE ALTITUDE\n"
         "               TEMPERATURE VOLTS KNOTS GPS\n"
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
         "  --mode MODE  wspr (the default), or FST4W for LF and MF beacons: fst4w-120,\n"
         "               fst4w-300, fst4w-900 or fst4w-1800 (the period in seconds);\n"
         "               the MESSAGE is then CALL LOC POWER, PFX/CALL POWER,\n"
         "               CALL/SFX POWER or '<CALL> LOC6', wsptones.inc holds its\n"
         "               160 symbols in 40 bytes, and a.au is one whole period\n"
         "  --telemetry  a pico balloon's basic telemetry message (the U4B / Traquito scheme)\n"
         "               made from its values and encoded as if typed in: ID the channel's\n"
         "               id (0, 1 or Q, then a digit), SUBSQUARE the locator's fifth and\n"
         "               sixth letters (A to X), ALTITUDE in metres, TEMPERATURE in degrees\n"
         "               Celsius, VOLTS, KNOTS, and GPS 1 (valid) or 0; a value outside its\n"
         "               range is sent as the nearest one, with a warning\n"
         "  --read FILE  read a wsptones.inc (or .h) or an a.au back and print its message as a\n"
         "               decoder shows it; a FILE2 after it is read next, and a hashed call\n"
         "               in it is filled in from FILE; a damaged file is refused with the reason;\n"
         "               a telemetry message's values are shown after it\n"
         "exit status: 0 done; 1 a file could not be written, or FILE holds no valid message;\n"
         "2 a usage error, a compound call or FST4W message that cannot be sent, or a\n"
         "telemetry value that cannot be read\n";
}

std::string VersionText() {
  return std::string("tonepak (") + wspr_beacon_tools::kPackageName + ") " +
         wspr_beacon_tools::kVersion + "\n";
}

}  // namespace tonepak
