// The line in the strip below Results: what it says after a recalculation, whether as a warning,
// and the longer text a pointer resting on it shows.
#pragma once

#include <string>
#include <string_view>

#include "tuneworks_core.hpp"

namespace tuneworks {

struct StatusLine {
  std::string text;      // empty: the strip is blank
  bool warning = false;  // red; otherwise the window's normal text colour
  std::string tool_tip;  // empty: no tooltip

  bool operator==(const StatusLine&) const = default;
};

inline constexpr std::string_view kOverflowReport =
    "Overflow: a number is beyond the range the calculator can work with. "
    "Outputs it did not reach keep their earlier values.";

// The status line after a recalculation gave `outputs`: the overflow report in red when it
// stopped early, else blank.
StatusLine StatusAfter(const CalcOutputs& outputs);

}  // namespace tuneworks
