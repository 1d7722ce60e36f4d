// Least squares about the means: the slope is the sum of dx * dy over the sum of dx squared.
#include "line_fit.hpp"

#include <cmath>
#include <cstddef>

namespace beaconcheck {

Line FitLine(std::span<const double> x, std::span<const double> y,
             std::span<const double> y_sigma) {
  const auto n = static_cast<double>(x.size());
  Line line;
  for (const double v : x) line.mean_x += v / n;
  for (const double v : y) line.mean_y += v / n;
  double num = 0.0;
  double den = 0.0;
  double variance = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double dx = x[i] - line.mean_x;
    num += dx * (y[i] - line.mean_y);
    den += dx * dx;
    if (i < y_sigma.size()) variance += dx * dx * y_sigma[i] * y_sigma[i];
  }
  line.slope = num / den;
  line.slope_sigma = std::sqrt(variance) / den;
  return line;
}

}  // namespace beaconcheck
