// SymbolTimer: whole timer counts for a symbol of WSPR (8192/12000 s) or FST4W (8200/12000 s to
// 134400/12000 s), and the repeating patterns of two neighbouring counts whose average keeps the
// symbol rate.
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "beacon_signal.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr std::uint64_t kMillihertzPerSample =
    std::uint64_t{12000} * 1000;  // the samples' rate in mHz
constexpr double kHourMs = 3600.0 * 1000.0;
constexpr std::uint64_t kLargestCount = 65535;

// The ideal count per symbol as a fraction in lowest terms: clock x N / (12000 x prescaler) for a
// symbol of N samples, with the clock in millihertz; N / 12000000 is reduced first (256 / 375000
// for WSPR, at most 256 over it for every mode), which keeps the product within 64 bits.
struct Fraction {
  std::uint64_t numerator;
  std::uint64_t denominator;
};

Fraction IdealCount(std::uint64_t clock_mhz, int prescaler, std::uint64_t samples) {
  const std::uint64_t common = std::gcd(samples, kMillihertzPerSample);
  std::uint64_t n = clock_mhz * (samples / common);
  std::uint64_t d = kMillihertzPerSample / common * static_cast<std::uint64_t>(prescaler);
  const std::uint64_t g = std::gcd(n, d);
  return {n / g, d / g};
}

// (average / ideal - 1) x 10^6 for an average of `whole` + a/b counts.
double ErrorPpm(const Fraction& ideal, std::uint64_t whole, std::uint64_t a, std::uint64_t b) {
  const auto longer = static_cast<double>((whole * b + a) * ideal.denominator);
  const auto exact = static_cast<double>(ideal.numerator * b);
  return (longer - exact) / exact * 1e6;
}

// The fraction a/b, b at most kLongestTimerPattern, nearest to r/d (ties to the shorter); since
// r/d is in lowest terms, b = d when d is short enough.
void NearestShortFraction(std::uint64_t r, std::uint64_t d, std::uint64_t& a, std::uint64_t& b) {
  std::uint64_t best_error = d + 1;  // |a/b - r/d| x d as best_error / best_b
  std::uint64_t best_b = 1;
  for (std::uint64_t n = 1; n <= kLongestTimerPattern; ++n) {
    const std::uint64_t k = (2 * r * n + d) / (2 * d);  // round(r n / d)
    const std::uint64_t error = k * d > r * n ? k * d - r * n : r * n - k * d;
    if (error * best_b < best_error * n) {
      best_error = error;
      best_b = n;
      a = k;
      b = n;
    }
  }
}

}  // namespace

std::vector<SymbolTimerRow> SymbolTimer(double clock_hz, beacon::Mode mode) {
  std::vector<SymbolTimerRow> rows;
  if (!(clock_hz > 0) || !(clock_hz <= kMaxTimerClockHz)) return rows;
  const auto clock_mhz = static_cast<std::uint64_t>(std::llround(clock_hz * 1000.0));
  const std::uint64_t samples = beacon::SamplesPerSymbol(mode);
  const double symbol_ms = static_cast<double>(samples) / 12.0;
  const auto symbols = static_cast<double>(beacon::SymbolCount(mode));
  for (const int prescaler : kTimerPrescalers) {
    const Fraction ideal = IdealCount(clock_mhz, prescaler, samples);
    const std::uint64_t whole = ideal.numerator / ideal.denominator;
    const std::uint64_t r = ideal.numerator % ideal.denominator;
    const std::uint64_t count = whole + (2 * r >= ideal.denominator ? 1 : 0);
    if (whole == 0 || whole + (r != 0 ? 1 : 0) > kLargestCount) continue;

    SymbolTimerRow row;
    row.prescaler = prescaler;
    row.count = static_cast<std::uint32_t>(count);
    row.periodMs = static_cast<double>(count) * prescaler * 1e6 / static_cast<double>(clock_mhz);
    row.errorPpm = ErrorPpm(ideal, count, 0, 1);
    row.driftPerTransmissionMs = row.errorPpm * 1e-6 * symbols * symbol_ms;
    row.driftPerHourMs = row.errorPpm * 1e-6 * kHourMs;
    if (r != 0) {
      std::uint64_t a = 0;
      std::uint64_t b = 1;
      NearestShortFraction(r, ideal.denominator, a, b);
      // Entry i is longer by one when the accumulator of a per count carries past b there.
      for (std::uint64_t i = 0; i < b; ++i) {
        const std::uint64_t carry = (i + 1) * a / b - i * a / b;
        row.pattern.push_back(static_cast<std::uint32_t>(whole + carry));
      }
      row.patternErrorPpm = a * ideal.denominator == r * b ? 0.0 : ErrorPpm(ideal, whole, a, b);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tuneworks
