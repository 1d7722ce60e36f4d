// Reading tunecalc's command line.
#include "arguments.hpp"

#include <charconv>
#include <limits>
#include <system_error>

#include "form_defaults.hpp"
#include "project_version.hpp"

namespace tunecalc {

std::string UsageText() {
  const tuneworks::CalcInputs defaults = tuneworks::DefaultInputs();
  return "usage: tunecalc [--json] [REF PLLMULT FOUT RFMULT CLKUNITS FUNITS RESOLUTION]\n"
         "  REF PLLMULT FOUT RFMULT  the texts of the four boxes, as typed (\"\" for an empty "
         "box)\n"
         "  CLKUNITS FUNITS          selected unit index: 0 Hz, 1 kHz, 2 MHz, 3 GHz, -1 none\n"
         "  RESOLUTION               selected accumulator: 0 24 bit, 1 32 bit, 2 48 bit, -1 none\n"
         "  without values: the window's defaults, " +
         defaults.Ref + ' ' + defaults.PLLMult + ' ' + defaults.Fout + ' ' + defaults.RFMult + ' ' +
         std::to_string(defaults.ClkUnits) + ' ' + std::to_string(defaults.Funits) + ' ' +
         std::to_string(defaults.Resolution) +
         "\n"
         "  --version                print the version\n"
         "  --json                   one JSON object: clock, ddsFreq, colour, results, overflow\n"
         "exit status: 0 done, 3 overflow (what was produced is printed), 2 wrong arguments\n";
}

std::string VersionText() {
  return std::string("tunecalc (") + wspr_beacon_tools::kPackageName + ") " +
         wspr_beacon_tools::kVersion + "\n";
}

std::optional<std::int16_t> ParseIndex(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc{} || result.ptr != end ||
      value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

std::optional<Arguments> ParseArguments(int argc, const char* const* argv) {
  Arguments arguments;
  arguments.inputs = tuneworks::DefaultInputs();
  int first = 1;
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    arguments.help = true;
    return arguments;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    arguments.version = true;
    return arguments;
  }
  if (argc > first && std::string_view(argv[first]) == "--json") {
    arguments.json = true;
    ++first;
  }
  const int values = argc - first;
  if (values == 0) return arguments;
  if (values != 7) return std::nullopt;
  tuneworks::CalcInputs& in = arguments.inputs;
  in.Ref = argv[first];
  in.PLLMult = argv[first + 1];
  in.Fout = argv[first + 2];
  in.RFMult = argv[first + 3];
  const auto clock_units = ParseIndex(argv[first + 4]);
  const auto freq_units = ParseIndex(argv[first + 5]);
  const auto resolution = ParseIndex(argv[first + 6]);
  if (!clock_units || !freq_units || !resolution) return std::nullopt;
  in.ClkUnits = *clock_units;
  in.Funits = *freq_units;
  in.Resolution = *resolution;
  return arguments;
}

}  // namespace tunecalc
