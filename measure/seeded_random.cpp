// Box-Muller from the seeded generator.
#include "seeded_random.hpp"

#include <cmath>
#include <numbers>

namespace measure {

SeededRandom::Pair SeededRandom::Gaussians(double sigma) {
  const double radius = sigma * std::sqrt(-2.0 * std::log(UnitOpenAtZero()));
  const double angle = 2.0 * std::numbers::pi * UnitOpenAtZero();
  return {radius * std::cos(angle), radius * std::sin(angle)};
}

}  // namespace measure
