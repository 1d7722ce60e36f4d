// A figure as the reports show it.
#pragma once

#include <cmath>

namespace beaconcheck {

// A figure that rounds to zero at `decimals` shows as zero: "+0.00", never "-0.00".
inline double Shown(double value, int decimals) {
  return std::abs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
}

}  // namespace beaconcheck
