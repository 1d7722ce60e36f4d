// The one sync correlation: how well the tones of 162 symbols follow the sync vector.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "sync.hpp"
#include "wspr_constants.hpp"

namespace beaconcheck {

// What one symbol gives the correlation: its upper pair's excess (tones 1 and 3 over 0 and 2)
// and the total power it is measured against; `heard` false where the recording has nothing.
struct SymbolSync {
  double excess = 0.0;
  double total = 0.0;
  bool heard = false;
};

// From the four tones' powers, and the power a step below tone 0 and above tone 3 (which
// counts in the total: tone 0 placed two steps off still correlates, but leaves power outside
// the four).
inline SymbolSync FromTones(const std::array<double, 4>& p, double beside = 0.0) {
  return {(p[1] + p[3]) - (p[0] + p[2]), p[0] + p[1] + p[2] + p[3] + beside, true};
}

// The weight of symbol i's upper-pair excess (tones 1 and 3 over 0 and 2): +1 where the sync
// bit is 1 and -1 where it is 0, scaled so that both kinds weigh alike (the vector has 63 ones
// in 162), which makes a steady tone, a carrier or a side lobe, score nothing at any offset.
inline double SyncWeight(std::size_t i) {
  constexpr double kOnes = 63.0;
  constexpr double kHalf = static_cast<double>(wspr::kSymbolCount) / 2.0;
  return tonepak::SyncVector[i] != 0 ? kHalf / kOnes
                                     : -kHalf / (static_cast<double>(wspr::kSymbolCount) - kOnes);
}

// -1 to 1 (negative: tones upside down), from `sync_of(i)` for i = 0..161: the weighted
// excess over the total power, scaled by the share of symbols heard so that a few at an edge
// cannot win.
template <typename SyncOf>
double SyncCorrelation(SyncOf sync_of) {
  double signed_sum = 0.0;
  double total = 0.0;
  std::size_t heard = 0;
  for (std::size_t i = 0; i < wspr::kSymbolCount; ++i) {
    const SymbolSync s = sync_of(i);
    if (!s.heard) continue;
    signed_sum += SyncWeight(i) * s.excess;
    total += s.total;
    ++heard;
  }
  return total > 0.0 ? signed_sum / total * static_cast<double>(heard) / wspr::kSymbolCount : 0.0;
}

// The sync correlation of 162 slots of tone powers (slots not heard count for nothing).
inline double SyncCorrelation(const std::vector<std::array<double, 4>>& powers) {
  return SyncCorrelation([&](std::size_t i) {
    return i < powers.size() && powers[i][0] >= 0.0 ? FromTones(powers[i]) : SymbolSync{};
  });
}

}  // namespace beaconcheck
