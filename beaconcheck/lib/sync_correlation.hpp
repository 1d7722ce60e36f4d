// The one sync correlation: how well the tones of 162 symbols follow the sync vector.
#pragma once

#include <array>
#include <cstddef>

#include "sync.hpp"
#include "wspr_timing.hpp"

namespace beaconcheck {

// The four tones' powers of one symbol as some stage reads them, and the power a step below
// tone 0 and above tone 3 (0 where not read); `heard` false where the recording has nothing.
struct SymbolTones {
  std::array<double, 4> p{};
  double beside = 0.0;
  bool heard = false;
};

// The weight of symbol i's upper-pair excess (tones 1 and 3 over 0 and 2): +1 where the sync
// bit is 1 and -1 where it is 0, scaled so that both kinds weigh alike (the vector has 63 ones
// in 162), which makes a steady tone, a carrier or a side lobe, score nothing at any offset.
inline double SyncWeight(std::size_t i) {
  constexpr double kOnes = 63.0;
  constexpr double kHalf = static_cast<double>(kSymbols) / 2.0;
  return tonepak::SyncVector[i] != 0 ? kHalf / kOnes : -kHalf / (static_cast<double>(kSymbols) - kOnes);
}

// -1 to 1 (negative: tones upside down), from `tones_of(i)` for i = 0..161: the weighted upper
// pair's excess over the total power, scaled by the share of symbols heard so that a few at an
// edge cannot win.
template <typename TonesOf>
double SyncCorrelation(TonesOf tones_of) {
  double signed_sum = 0.0;
  double total = 0.0;
  std::size_t heard = 0;
  for (std::size_t i = 0; i < kSymbols; ++i) {
    const SymbolTones s = tones_of(i);
    if (!s.heard) continue;
    signed_sum += SyncWeight(i) * ((s.p[1] + s.p[3]) - (s.p[0] + s.p[2]));
    total += s.p[0] + s.p[1] + s.p[2] + s.p[3] + s.beside;
    ++heard;
  }
  return total > 0.0 ? signed_sum / total * static_cast<double>(heard) / kSymbols : 0.0;
}

}  // namespace beaconcheck
