// The nearest fraction with a bounded denominator, by continued fractions.
#include "nearest_fraction.hpp"

#include <cmath>
#include <cstdint>

namespace tuneworks::detail {

Fraction Nearest(double x, std::uint64_t limit) {
  std::uint64_t p0 = 0, q0 = 1, p1 = 1, q1 = 0;
  double rest = x;
  for (int term = 0; term < 64; ++term) {
    const double whole = std::floor(rest);
    if (whole > 1e15) break;
    const auto a = static_cast<std::uint64_t>(whole);
    if (q1 != 0 && a > (limit - q0) / q1) break;
    const std::uint64_t p2 = p0 + a * p1, q2 = q0 + a * q1;
    p0 = p1, q0 = q1, p1 = p2, q1 = q2;
    const double fraction = rest - whole;
    if (fraction <= 0) break;
    rest = 1.0 / fraction;
  }
  Fraction best{p1, q1};
  if (q1 != 0 && q1 < limit) {  // the semiconvergent with the largest denominator allowed
    const std::uint64_t k = (limit - q0) / q1;
    const Fraction semi{p0 + k * p1, q0 + k * q1};
    if (std::abs(semi.Value() - x) < std::abs(best.Value() - x)) best = semi;
  }
  if (best.p == 0) best = {1, limit};
  const std::uint64_t scale = limit / best.q;
  return {best.p * scale, best.q * scale};
}

}  // namespace tuneworks::detail
