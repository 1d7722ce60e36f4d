// printf-style formatting appended to a report's text.
#include "formatted_text.hpp"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace beaconcheck {

void AddFormatted(std::string& out, const char* format, ...) {
  std::array<char, 512> line{};
  va_list args;
  va_start(args, format);
  std::vsnprintf(line.data(), line.size(), format, args);
  va_end(args);
  out += line.data();
}

}  // namespace beaconcheck
