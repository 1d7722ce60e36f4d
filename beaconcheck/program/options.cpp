// Parsing beaconcheck's command line: options anywhere, one recording.
#include "options.hpp"

#include <charconv>
#include <string_view>
#include <system_error>

#include "balloon_reading.hpp"
#include "dial_frequency.hpp"
#include "project_version.hpp"

namespace beaconcheck {
namespace {

Options Refuse(std::string problem) {
  Options o;
  o.mode = Mode::kUsageError;
  o.problem = std::move(problem);
  return o;
}

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      o.mode = Mode::kHelp;
      return o;
    }
    if (arg == "--version") {
      o.mode = Mode::kVersion;
      return o;
    }
    if (arg == "--json") {
      o.json = true;
    } else if (arg == "--verbose") {
      o.verbose = true;
    } else if (arg == "--mode") {
      if (!has_value) return Refuse("--mode needs a value");
      const std::string_view value = argv[++i];
      if (!(o.beacon_mode = beacon::ModeNamed(value))) {
        return Refuse("--mode takes wspr, fst4w-120, fst4w-300, fst4w-900 or fst4w-1800, not " +
                      std::string(value));
      }
    } else if (arg == "--channel") {
      if (!has_value) return Refuse("--channel needs a value");
      const std::string_view value = argv[++i];
      int number = -1;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
      if (error != std::errc() || end != value.data() + value.size() || number < 0 ||
          number >= balloon::kChannelCount) {
        return Refuse("--channel takes a balloon channel from 0 to 599, not " + std::string(value));
      }
      o.channel = number;
    } else if (arg == "--plot" || arg == "--dial" || arg == "--expect") {
      if (!has_value) return Refuse(std::string(arg) + " needs a value");
      const std::string_view value = argv[++i];
      if (arg == "--plot") {
        o.plot = value;
      } else if (arg == "--expect") {
        o.expect = value;
      } else if (!(o.dial_mhz = ParseDialMhz(value))) {
        return Refuse(std::string("--dial takes ") + kDialHint);
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Refuse("unknown option " + std::string(arg));
    } else if (!o.file.empty()) {
      return Refuse("one recording at a time");
    } else {
      o.file = arg;
    }
  }
  if (o.file.empty()) return Refuse("which recording?");
  if (o.channel) {
    // The channel's lanes and minutes belong to a band, which the dial names.
    if (!o.dial_mhz) return Refuse("--channel needs --dial: the band's dial frequency");
    if (BandAtDial(*o.dial_mhz).empty()) {
      return Refuse("--channel needs --dial on a WSPR band's dial frequency, such as 14.0956");
    }
  }
  return o;
}

std::string HelpText() {
  return "usage: beaconcheck [--json] [--verbose] [--plot FILE.png] [--dial MHZ]\n"
         "                   [--expect MESSAGE|FILE] [--mode MODE] [--channel N] RECORDING\n"
         "Measures every WSPR or FST4W transmission in a recording (WAV, .au or wsprd's .c2)\n"
         "and says what keeps decoders from hearing it; with two or more WSPR ones, a table\n"
         "of them first.\n"
         "  --json          one JSON object instead of the text\n"
         "  --verbose       also list the steady carriers that are no transmission (hum)\n"
         "  --plot FILE     a waterfall of the first transmission shown, as a PNG picture\n"
         "  --dial MHZ      the receiver's dial frequency: the tones at RF and the band\n"
         "  --expect M      the message meant (\"K1ABC FN42 37\") or a file tonepak wrote\n"
         "                  (wsptones.inc, wsptones.h, a.au): picked out among the others\n"
         "                  and shown first; which symbols differ, and why\n"
         "  --mode MODE     wspr, fst4w-120, fst4w-300, fst4w-900 or fst4w-1800; without it\n"
         "                  a recording of about 300, 900 or 1800 s is checked for FST4W of that\n"
         "                  period first, and as WSPR when none decodes; any other as WSPR\n"
         "                  (two minutes are WSPR's length, and FST4W-120's)\n"
         "  --channel N     the pico-balloon channel (0-599) of the band --dial names: says\n"
         "                  when a telemetry frame's id, lane or minute is not that channel's\n"
         "Exit status: 0 all decodable (with --expect: the expected beacon heard, as\n"
         "intended), 1 none found or a problem, 2 usage or a file that cannot be read.\n";
}

std::string VersionText() {
  return std::string("beaconcheck (") + wspr_beacon_tools::kPackageName + ") " +
         wspr_beacon_tools::kVersion + "\n";
}

}  // namespace beaconcheck
