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

// What the line says, in red, instead of tones that the DDS cannot make; the fault follows.
inline constexpr std::string_view kNoTonesReport = "No WSPR tones: ";

// The status line after a recalculation gave `outputs`: the overflow report in red when it
// stopped early; in red, kNoTonesReport and why, when the words give no tones the DDS can make
// (an alias, a cut word) or the Si5351 cannot make them; else the frequencies the beacon will
// really send and, near a WSPR band, where they land in its window ("40 m window +97.8 Hz", its
// whole sentence in the tooltip), in red when a decoder would lose more than 1 dB or cannot follow,
// or when the tones lie outside the window; blank when there is nothing to report.
StatusLine StatusAfter(const CalcOutputs& outputs);

}  // namespace tuneworks
