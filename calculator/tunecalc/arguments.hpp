// The command line of tunecalc: [--json] REF PLLMULT FOUT RFMULT CLKUNITS FUNITS RESOLUTION.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tuneworks_core.hpp"

namespace tunecalc {

struct Arguments {
  bool json = false;
  bool help = false;
  bool version = false;
  tuneworks::CalcInputs inputs;  // the window's defaults when no values are given
};

// The usage text, ending with a line end.
std::string UsageText();

// "tunecalc (PACKAGE) VERSION" and a line end.
std::string VersionText();

// An index argument: a whole decimal number (optional sign) in the signed 16-bit range.
std::optional<std::int16_t> ParseIndex(std::string_view text);

// Empty when the arguments are wrong (count, or an index that is not a number).
std::optional<Arguments> ParseArguments(int argc, const char* const* argv);

}  // namespace tunecalc
