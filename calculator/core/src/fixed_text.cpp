// FixedText: numbers for the status line, the figures and the band notes.
#include <string>

#include "number_conversions.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {

std::string FixedText(double value, int decimals, bool sign) {
  char buffer[400];
  const char* end = detail::WriteFixed(buffer, buffer + sizeof buffer, value, decimals);
  std::string text(static_cast<const char*>(buffer), end);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (sign && text.front() != '-') text.insert(0, 1, '+');
  return text;
}

}  // namespace tuneworks
