// The command line of the tuneworks window: --help and --version answer in text, anything else
// opens the window.
#include "window_options.hpp"

#include <string_view>

#include "project_version.hpp"

namespace tuneworks {

std::optional<std::string> WindowOptionAnswer(int argc, const char* const* argv) {
  if (argc != 2) return std::nullopt;
  const std::string_view option = argv[1];
  if (option == "--version") {
    return std::string("tuneworks (") + wspr_beacon_tools::kPackageName + ") " +
           wspr_beacon_tools::kVersion + "\n";
  }
  if (option == "--help") {
    return "usage: tuneworks\n"
           "       tuneworks --help | --version\n"
           "Opens the DDS settings calculator: from the reference clock, the PLL and RF\n"
           "multipliers, the wanted frequency and the DDS accumulator width it shows the DDS\n"
           "clock and output, the tuning word, the WSPR tone step, the lowest-tone word and\n"
           "the frequency resolution, recalculated at every keystroke. The same calculation\n"
           "runs on the command line as tunecalc.\n";
  }
  return std::nullopt;
}

}  // namespace tuneworks
