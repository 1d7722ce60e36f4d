// The least-squares line through a few points: the tones' step, and the line three tones make
// that the fourth is judged against.
#pragma once

#include <span>

namespace beaconcheck {

struct Line {
  double mean_x = 0.0;
  double mean_y = 0.0;
  double slope = 0.0;
  double slope_sigma = 0.0;  // from the points' own uncertainties, when given

  double At(double x) const { return mean_y + slope * (x - mean_x); }
};

// The line through (x[i], y[i]); `y_sigma` (one standard deviation of each y, or empty) gives
// the slope's. At least two different x.
Line FitLine(std::span<const double> x, std::span<const double> y,
             std::span<const double> y_sigma = {});

}  // namespace beaconcheck
