// Phase regression: unwrap the per-symbol phase against its smoothed self, then least squares.
#include "phase_fit.hpp"

#include <cmath>
#include <complex>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "symbol_powers.hpp"

namespace beaconcheck {
namespace {

constexpr std::size_t kUnknowns = 8;  // phase, four tones, drift rate, start, symbol period
constexpr int kRounds = 6;
constexpr double kMostResidualRad = 0.9;
using Vector = std::array<double, kUnknowns>;
template <std::size_t N>
using SquareOf = std::array<std::array<double, N>, N>;
using Matrix = SquareOf<kUnknowns>;

double Wrap(double angle) { return std::remainder(angle, 2.0 * std::numbers::pi); }

// Solves a * x = b by Gaussian elimination with partial pivoting; false when singular.
template <std::size_t N>
bool Solve(SquareOf<N> a, std::array<double, N> b, std::array<double, N>& x) {
  constexpr std::size_t kUnknowns = N;
  for (std::size_t c = 0; c < kUnknowns; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < kUnknowns; ++r) {
      if (std::abs(a[r][c]) > std::abs(a[pivot][c])) pivot = r;
    }
    if (std::abs(a[pivot][c]) < 1e-12) return false;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (std::size_t r = c + 1; r < kUnknowns; ++r) {
      const double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < kUnknowns; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  for (std::size_t c = kUnknowns; c-- > 0;) {
    double sum = b[c];
    for (std::size_t k = c + 1; k < kUnknowns; ++k) sum -= a[c][k] * x[k];
    x[c] = sum / a[c][c];
  }
  return true;
}

// The phase of each sum, unwrapped by following a seven-symbol moving sum, which one wrong
// symbol cannot turn around.
std::vector<double> UnwrappedPhase(const std::vector<std::complex<double>>& z) {
  std::vector<double> out(z.size());
  double previous = 0.0;
  for (std::size_t i = 0; i < z.size(); ++i) {
    std::complex<double> smooth{};
    for (std::size_t j = i > 3 ? i - 3 : 0; j < std::min(z.size(), i + 4); ++j) smooth += z[j];
    const double guide = i == 0 ? std::arg(smooth) : previous + Wrap(std::arg(smooth) - previous);
    out[i] = guide + Wrap(std::arg(z[i]) - guide);
    previous = guide;
  }
  return out;
}

// The step alone, the tones held evenly spaced: the phase about an even track fitted to a
// constant, tone 0, the step, the drift rate and the timing lags. With the four tones free
// their errors are strongly correlated; held to one line, the step comes out about twice as
// precise. Returns {step correction, its standard deviation} or nothing.
std::optional<std::pair<double, double>> EvenStep(const Baseband& baseband, const Track& even,
                                                  std::span<const std::uint8_t> symbols);

}  // namespace

PhaseFit FitPhase(const Baseband& baseband, const Track& track,
                  std::span<const std::uint8_t> symbols) {
  PhaseFit fit;
  fit.track = track;
  const double two_pi = 2.0 * std::numbers::pi;
  for (int round = 0; round < kRounds; ++round) {
    const std::vector<std::complex<double>> z = CoherentSums(baseband, fit.track, symbols);
    const std::vector<double> phase = UnwrappedPhase(z);
    double mean_power = 0.0;
    for (const auto& v : z) mean_power += std::norm(v);
    mean_power /= static_cast<double>(z.size());
    if (mean_power <= 0.0) return fit;

    Matrix normal{};
    Vector rhs{};
    std::vector<Vector> rows(z.size());
    std::array<double, 4> in_tone{};  // seconds spent in each tone before this slot
    // A tone change that comes d seconds later than the track says leaves the phase behind by
    // 2(pi) d times the change in frequency, for good: with d = start error + j * period error
    // at change j, the phase lag sums those over the changes so far.
    const double step_hz = (fit.track.tones_hz[3] - fit.track.tones_hz[0]) / 3.0;
    double lag_start = 0.0;
    double lag_period = 0.0;
    for (std::size_t i = 0; i < z.size(); ++i) {
      const std::size_t tone = symbols[i] & 3U;
      if (i > 0) {
        const double change = static_cast<double>(symbols[i - 1] & 3U) - static_cast<double>(tone);
        lag_start += two_pi * step_hz * change;
        lag_period += two_pi * step_hz * change * static_cast<double>(i);
      }
      const double middle = (static_cast<double>(i) + 0.5) * fit.track.symbol_s;
      Vector& row = rows[i];
      row[0] = 1.0;
      for (std::size_t k = 0; k < 4; ++k) {
        row[1 + k] = two_pi * (in_tone[k] + (k == tone ? fit.track.symbol_s / 2.0 : 0.0));
      }
      row[5] = two_pi * middle * middle / 2.0;
      row[6] = lag_start;
      row[7] = lag_period;
      in_tone[tone] += fit.track.symbol_s;
      const double w = std::norm(z[i]) / mean_power;
      for (std::size_t r = 0; r < kUnknowns; ++r) {
        for (std::size_t c = 0; c < kUnknowns; ++c) normal[r][c] += w * row[r] * row[c];
        rhs[r] += w * row[r] * phase[i];
      }
    }
    Vector x{};
    if (!Solve<kUnknowns>(normal, rhs, x)) return fit;
    double residual = 0.0;
    double weight = 0.0;
    for (std::size_t i = 0; i < z.size(); ++i) {
      double predicted = 0.0;
      for (std::size_t c = 0; c < kUnknowns; ++c) predicted += rows[i][c] * x[c];
      const double w = std::norm(z[i]) / mean_power;
      residual += w * (phase[i] - predicted) * (phase[i] - predicted);
      weight += w;
    }
    const double variance = residual / std::max(1.0, weight - kUnknowns);
    fit.residual_rad = std::sqrt(residual / weight);
    for (std::size_t k = 0; k < 4; ++k) fit.track.tones_hz[k] += x[1 + k];
    const double rate = fit.track.DriftRateHzPerS() + x[5];
    // The tones are stated at the start: moving the start moves them along the drift.
    for (double& f : fit.track.tones_hz) f += rate * x[6];
    fit.track.start_s += x[6];
    fit.track.symbol_s += x[7];
    fit.track.drift_hz = rate * (kSymbolCount - 1) * fit.track.symbol_s;
    // The variances: the diagonal of the inverse normal matrix times the residual variance.
    for (std::size_t c = 1; c < kUnknowns; ++c) {
      Vector unit{};
      unit[c] = 1.0;
      Vector column{};
      if (!Solve<kUnknowns>(normal, unit, column)) return fit;
      const double sigma = std::sqrt(std::max(0.0, variance * column[c]));
      if (c < 5) {
        fit.tones_sigma_hz[c - 1] = sigma;
      } else if (c == 5) {
        fit.drift_sigma_hz = sigma * (kSymbolCount - 1) * fit.track.symbol_s;
      } else if (c == 6) {
        fit.start_sigma_s = sigma;
      } else {
        fit.symbol_sigma_s = sigma;
      }
    }
  }
  fit.coherent = fit.residual_rad < kMostResidualRad;
  if (!fit.coherent) {
    fit.track = track;
    return fit;
  }
  // The step with the tones held to a line through the fitted four.
  double mean = 0.0;
  for (const double f : fit.track.tones_hz) mean += f / 4.0;
  double line_step = 0.0;
  for (std::size_t k = 0; k < 4; ++k) {
    line_step += (static_cast<double>(k) - 1.5) * (fit.track.tones_hz[k] - mean) / 5.0;
  }
  Track even = fit.track;
  even.tones_hz = EvenTones(mean - 1.5 * line_step, line_step);
  if (const auto step = EvenStep(baseband, even, symbols)) {
    fit.even_step_hz = line_step + step->first;
    fit.even_step_sigma_hz = step->second;
  }
  return fit;
}

namespace {

std::optional<std::pair<double, double>> EvenStep(const Baseband& baseband, const Track& even,
                                                  std::span<const std::uint8_t> symbols) {
  constexpr std::size_t kEven = 6;  // phase, tone 0, step, drift rate, start, period
  const double two_pi = 2.0 * std::numbers::pi;
  const std::vector<std::complex<double>> z = CoherentSums(baseband, even, symbols);
  const std::vector<double> phase = UnwrappedPhase(z);
  double mean_power = 0.0;
  for (const auto& v : z) mean_power += std::norm(v);
  mean_power /= static_cast<double>(z.size());
  if (mean_power <= 0.0) return std::nullopt;
  const double step_hz = (even.tones_hz[3] - even.tones_hz[0]) / 3.0;
  SquareOf<kEven> normal{};
  std::array<double, kEven> rhs{};
  std::vector<std::array<double, kEven>> rows(z.size());
  double stepped = 0.0;  // seconds times tone number, summed the same way
  double lag_start = 0.0;
  double lag_period = 0.0;
  for (std::size_t i = 0; i < z.size(); ++i) {
    const auto tone = static_cast<double>(symbols[i] & 3U);
    if (i > 0) {
      const double change = static_cast<double>(symbols[i - 1] & 3U) - tone;
      lag_start += two_pi * step_hz * change;
      lag_period += two_pi * step_hz * change * static_cast<double>(i);
    }
    const double middle = (static_cast<double>(i) + 0.5) * even.symbol_s;
    auto& row = rows[i];
    row = {1.0,
           two_pi * middle,
           two_pi * (stepped + tone * even.symbol_s / 2.0),
           two_pi * middle * middle / 2.0,
           lag_start,
           lag_period};
    stepped += tone * even.symbol_s;
    const double w = std::norm(z[i]) / mean_power;
    for (std::size_t r = 0; r < kEven; ++r) {
      for (std::size_t c = 0; c < kEven; ++c) normal[r][c] += w * row[r] * row[c];
      rhs[r] += w * row[r] * phase[i];
    }
  }
  std::array<double, kEven> x{};
  if (!Solve<kEven>(normal, rhs, x)) return std::nullopt;
  double residual = 0.0;
  double weight = 0.0;
  for (std::size_t i = 0; i < z.size(); ++i) {
    double predicted = 0.0;
    for (std::size_t c = 0; c < kEven; ++c) predicted += rows[i][c] * x[c];
    const double w = std::norm(z[i]) / mean_power;
    residual += w * (phase[i] - predicted) * (phase[i] - predicted);
    weight += w;
  }
  std::array<double, kEven> unit{};
  unit[2] = 1.0;
  std::array<double, kEven> column{};
  if (!Solve<kEven>(normal, unit, column)) return std::nullopt;
  const double variance = residual / std::max(1.0, weight - kEven);
  return std::pair{x[2], std::sqrt(std::max(0.0, variance * column[2]))};
}

}  // namespace

}  // namespace beaconcheck
