// Reading the dial frequency in MHz.
#include "dial_frequency.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

namespace beaconcheck {

std::optional<double> ParseDialMhz(std::string_view text) {
  if (text.empty() || text.size() > 32) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(value) || value <= 0.0 ||
      value > 10000.0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace beaconcheck
