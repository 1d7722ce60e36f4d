// The fraction nearest a number among those whose denominator fits a limit: how the Si5351's
// a + b/c settings are chosen. Internal to the core.
#pragma once

#include <cstdint>

namespace tuneworks::detail {

// p/q, p and q whole.
struct Fraction {
  std::uint64_t p = 0;
  std::uint64_t q = 1;
  double Value() const { return static_cast<double>(p) / static_cast<double>(q); }
};

// The fraction nearest x > 0 with a denominator of at most `limit` and a numerator of at least 1
// (continued fractions and the last semiconvergent), then with numerator and denominator
// multiplied by the largest whole number that keeps the denominator within the limit, so that
// a base frequency can be set as finely as the step allows.
Fraction Nearest(double x, std::uint64_t limit);

}  // namespace tuneworks::detail
