// The command line of the tuneworks window: --help and --version answer in text, anything else
// opens the window.
#pragma once

#include <optional>
#include <string>

namespace tuneworks {

// The text to print on standard output (ending in a line end) before exiting with status 0, for
// exactly `--help` or `--version` alone; nothing for any other command line.
std::optional<std::string> WindowOptionAnswer(int argc, const char* const* argv);

}  // namespace tuneworks
