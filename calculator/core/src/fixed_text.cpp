// FixedText: numbers for the status line, the figures and the band notes.
#include <charconv>
#include <string>

#include "tuneworks_core.hpp"

namespace tuneworks {

std::string FixedText(double value, int decimals, bool sign) {
  char buffer[400];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  std::string text(buffer, end);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (sign && text.front() != '-') text.insert(0, 1, '+');
  return text;
}

}  // namespace tuneworks
