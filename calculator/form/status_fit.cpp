// Breaking the status line into the strip's lines and choosing the wording that fits.
#include "status_fit.hpp"

#include <algorithm>
#include <cassert>
#include <optional>
#include <vector>

namespace tuneworks {
namespace {

// The pieces a line may not be broken within: words, a number kept with the word after it
// ("40 m", "1402.2 Hz", "+1.33 %)").
std::vector<std::string_view> Pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t piece = 0;  // where the piece being gathered starts
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const bool number =
        end > start && end < text.size() && text[end - 1] >= '0' && text[end - 1] <= '9';
    if (!number) {
      pieces.push_back(text.substr(piece, end - piece));
      piece = end + 1;
    }
    start = end + 1;
  }
  return pieces;
}

// `text` broken at blanks into lines no wider than `room.width`, each as long as it can be; a
// piece wider than the strip on a line of its own. Nothing, unless `always`, when it takes more
// than `room.lines` lines or a line is too wide.
std::optional<std::string> Broken(std::string_view text, StripRoom room, const TextWidth& width,
                                  bool always) {
  std::string lines;
  std::string line;
  int count = 0;
  bool fits = true;
  const auto finish_line = [&] {
    fits = fits && width(line) <= room.width && ++count <= room.lines;
    lines += (lines.empty() ? "" : "\n") + line;
  };
  for (const std::string_view piece : Pieces(text)) {
    const std::string longer = line.empty() ? std::string(piece) : line + " " + std::string(piece);
    if (!line.empty() && width(longer) > room.width) {
      finish_line();
      line = piece;
    } else {
      line = longer;
    }
  }
  finish_line();
  if (fits || always) return lines;
  return std::nullopt;
}

}  // namespace

std::string FitToStrip(std::span<const std::string> wordings, StripRoom room,
                       const TextWidth& width) {
  assert(!wordings.empty());
  if (room.lines <= 0) return wordings.front();
  for (std::size_t i = 0; i < wordings.size(); ++i) {
    if (auto lines = Broken(wordings[i], room, width, i + 1 == wordings.size())) return *lines;
  }
  return {};
}

}  // namespace tuneworks
