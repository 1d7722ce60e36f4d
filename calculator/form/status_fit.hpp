// The status line fitted to the strip below Results: the first of its wordings that, broken into
// lines at blanks, fits the strip's width and number of lines as the window measures its text.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tuneworks {

// What the strip holds, in the units of the window's text measure (pixels): the width of a line
// and how many lines show. A window that wraps the text itself and grows with it has no limit.
struct StripRoom {
  int width = 0;
  int lines = 0;  // 0: no limit, the window shows any text whole

  bool operator==(const StripRoom&) const = default;
};
inline constexpr StripRoom kNoLimit{};

// The width of one line of text in the strip's font, in the units of StripRoom.
using TextWidth = std::function<int(std::string_view line)>;

// `wordings` (longest first, at least one) as the strip shows them: the first whose words,
// placed on as few lines as fit `room.width`, need no more than `room.lines` lines, with "\n"
// between its lines. When none fits, the last one so broken, its first lines shown. With no
// limit, the first wording as it is.
std::string FitToStrip(std::span<const std::string> wordings, StripRoom room,
                       const TextWidth& width);

}  // namespace tuneworks
