// The best-summing run: the stretch of consecutive values with the highest sum (Kadane's
// algorithm), which a few low values inside do not break. Where a signal is on, in slots or in
// frames.
#pragma once

#include <cstddef>

namespace beaconcheck {

struct Run {
  std::size_t first = 0;
  std::size_t count = 0;  // 0 when no value is above 0
};

// The run of value(0) .. value(size - 1) with the highest sum; the first such run on a tie.
template <typename Value>
Run BestRun(std::size_t size, Value value) {
  Run best;
  double best_sum = 0.0;
  double sum = 0.0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (sum <= 0.0) {
      sum = 0.0;
      start = i;
    }
    sum += value(i);
    if (sum > best_sum) {
      best_sum = sum;
      best = {start, i + 1 - start};
    }
  }
  return best;
}

}  // namespace beaconcheck
