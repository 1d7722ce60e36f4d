// The line in the strip below Results: what it says after a recalculation, whether as a warning,
// and the longer text a pointer resting on it shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tuneworks_core.hpp"

namespace tuneworks {

struct StatusLine {
  std::string text;      // empty: the strip is blank
  bool warning = false;  // red; otherwise the window's normal text colour
  std::string tool_tip;  // empty: no tooltip
  // The same findings in fewer words, each shorter than the one before, for a strip that cannot
  // show `text`; the form shows the first that fits (see status_fit.hpp).
  std::vector<std::string> shorter{};

  bool operator==(const StatusLine&) const = default;
};

inline constexpr std::string_view kOverflowReport =
    "Overflow: a number is beyond the range the calculator can work with. "
    "Outputs it did not reach keep their earlier values.";

// Why, after kNoTonesReport, when the RF multiplication is 0, empty or negative: the DDS output
// and the words then keep their last values, which give no tones.
inline constexpr std::string_view kNoRfMultiplication = "the RF multiplication must be above 0";

// The status line after a recalculation of `inputs` gave `outputs`: the overflow report in red
// when it stopped early; in red, kNoTonesReport and why, when the RF multiplication is not above
// 0, the words give no tones the DDS can make (an alias, a cut word) or the Si5351 cannot make
// them; else the frequencies the beacon will really send and, near a WSPR band, where they land
// in its window ("40 m window +97.8 Hz", its whole sentence in the tooltip), in red when a
// decoder would lose more than 1 dB or cannot follow, or when the tones lie outside the window;
// blank when there is nothing to report. Shorter wordings leave out the step, then the tones,
// then the decoder's warning; the overflow and no-tones reports shorten to their first words,
// their whole sentence then in the tooltip.
StatusLine StatusAfter(const CalcInputs& inputs, const CalcOutputs& outputs);

}  // namespace tuneworks
