// The one source of randomness of the test recordings: the 64-bit Mersenne Twister, whose
// sequence the C++ standard fixes, turned into numbers by our own arithmetic rather than the
// library's distributions (whose output differs between libraries), so that a seed gives the same
// recording on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

namespace measure {

class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : generator_(seed) {}

  // Uniform in (0, 1]: 53 random bits, never 0, so that a logarithm of it stays finite.
  double UnitOpenAtZero() { return (static_cast<double>(generator_() >> 11U) + 1.0) * 0x1.0p-53; }
  // Uniform in [low, high).
  double Uniform(double low, double high) {
    return low + (high - low) * (static_cast<double>(generator_() >> 11U) * 0x1.0p-53);
  }
  // A whole number from 0 to count - 1, each as likely (count at most 2^32).
  std::size_t Below(std::size_t count) {
    return static_cast<std::size_t>(((generator_() >> 32U) * count) >> 32U);
  }
  // True with probability `p`.
  bool Chance(double p) { return Uniform(0.0, 1.0) < p; }
  // Two independent Gaussian numbers of standard deviation `sigma` (Box-Muller).
  struct Pair {
    double a;
    double b;
  };
  Pair Gaussians(double sigma = 1.0);

 private:
  std::mt19937_64 generator_;
};

}  // namespace measure
