// Carriers: narrow lines of the mean spectrum, then where in time each is on.
#include "carrier_search.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "best_run.hpp"
#include "wspr_constants.hpp"

namespace beaconcheck {
namespace {

// A line must stand this many of the mean's own standard deviations above the floor: far
// clearer than a WSPR signal needs, since a carrier is what hum and birdies are.
constexpr double kLineSigmas = 12.0;
// At most this share of the line's power a tone step either side (a bare carrier leaks its
// side lobes there; a WSPR signal has a tone of its own there).
constexpr double kMostBeside = 0.1;
// Overlapping frames: the mean of N frames a quarter symbol apart varies as the mean of N/2.75
// independent ones.
constexpr double kOverlapFactor = 2.75;
constexpr double kNearCarrierHz = 2.0;
constexpr double kOnShare = 0.29;  // 1 - 1/sqrt(2)

double Excess(const std::vector<double>& mean, const std::vector<float>& floor, long long b) {
  if (b < 0 || b >= static_cast<long long>(mean.size())) return 0.0;
  const auto i = static_cast<std::size_t>(b);
  return std::max(0.0, mean[i] - floor[i]);
}

double Sinc(double x) {
  return std::abs(x) < 1e-9 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}

// Where between bins a line sits, in bins from the strongest: one symbol's transform of a tone
// is a sinc in units of one over the symbol, and the ratio of the two neighbours' powers, a bin
// of `spacing` such units either side, fixes the offset (found by bisection: the ratio grows
// with it).
double LineOffset(double below, double above, double spacing) {
  if (below <= 0.0 || above <= 0.0) return 0.0;
  const double wanted = std::log(above / below);
  const auto ratio = [&](double d) {
    const double a = std::abs(Sinc((1.0 - d) * spacing));
    const double b = std::abs(Sinc((1.0 + d) * spacing));
    return 2.0 * std::log(std::max(a, 1e-12) / std::max(b, 1e-12));
  };
  double lo = -0.5;
  double hi = 0.5;
  for (int i = 0; i < 40; ++i) {
    const double middle = (lo + hi) / 2.0;
    (ratio(middle) < wanted ? lo : hi) = middle;
  }
  return (lo + hi) / 2.0;
}

}  // namespace

std::vector<Carrier> FindCarriers(const PowerFrames& s) {
  std::vector<Carrier> found;
  if (s.frames < 16 || s.bins < 16) return found;
  const std::vector<double> mean = MeanPowers(s);
  const std::vector<float> floor = LocalFloor(mean, s.bin_hz);
  const double per_symbol = wspr::kSymbolPeriodS / s.frame_step_s;
  const double independent =
      static_cast<double>(s.frames) / std::max(1.0, kOverlapFactor * per_symbol / 4.0);
  const double sigma = 1.0 / std::sqrt(std::max(1.0, independent));
  const auto step_bins = static_cast<long long>(std::lround(wspr::kToneSpacingHz / s.bin_hz));
  for (std::size_t b = 1; b + 1 < s.bins; ++b) {
    if (mean[b] < floor[b] * (1.0 + kLineSigmas * sigma) || floor[b] <= 0.0F) continue;
    const auto at = static_cast<long long>(b);
    bool peak = true;
    for (long long d = -4; d <= 4 && peak; ++d) {
      if (d != 0 && Excess(mean, floor, at + d) > Excess(mean, floor, at)) peak = false;
    }
    if (!peak) continue;
    const double line = Excess(mean, floor, at) +
                        std::max(Excess(mean, floor, at - 1), Excess(mean, floor, at + 1));
    double beside = 0.0;
    // With half-step bins a step and a step and a half away; with bins a step wide two steps
    // away, since the line's own main lobe fills the bin beside it.
    const std::array<long long, 4> away =
        step_bins >= 2
            ? std::array<long long, 4>{-step_bins - 1, -step_bins, step_bins, step_bins + 1}
            : std::array<long long, 4>{-2, -2, 2, 2};
    for (const long long d : away) beside = std::max(beside, Excess(mean, floor, at + d));
    if (beside > kMostBeside * line) continue;
    // When it is on: the best-summing run of frames above halfway between floor and line.
    const double quiet = 3.0 * floor[b];
    const double loud = mean[b] * 2.0;
    const double level = (quiet + loud) / 2.0;
    const Run run = BestRun(s.frames, [&](std::size_t f) {
      double p = 0.0;
      for (long long d = -1; d <= 1; ++d) p += s.At(f, static_cast<std::size_t>(at + d));
      return std::min(p, 2.0 * loud) - level;
    });
    if (run.count == 0) continue;
    const std::size_t best_start = run.first;
    const std::size_t best_end = run.first + run.count;
    // The power in the main lobe (a tone step either side) while it is on, over the noise.
    double on = 0.0;
    for (std::size_t f = best_start; f < best_end; ++f) {
      for (long long d = -step_bins; d <= step_bins; ++d) {
        const auto bin = static_cast<std::size_t>(
            std::clamp<long long>(at + d, 0, static_cast<long long>(s.bins) - 1));
        on += std::max(0.0, s.At(f, bin) - static_cast<double>(floor[bin]));
      }
    }
    on /= static_cast<double>(best_end - best_start);
    Carrier c;
    const double offset = LineOffset(mean[b - 1], mean[b + 1], s.bin_hz * wspr::kSymbolPeriodS);
    c.frequency_hz = s.BinHz(b) + offset * s.bin_hz;
    // A frame counts as on once its power passes halfway, when about 0.71 of its symbol holds
    // the carrier: the carrier came on 0.29 of a symbol into the first and went off 0.71 into
    // the last.
    const double frame_s = wspr::kSymbolPeriodS;
    c.start_s = s.first_s + static_cast<double>(s.first_frame + best_start) * s.frame_step_s +
                kOnShare * frame_s;
    c.seconds = static_cast<double>(best_end - 1 - best_start) * s.frame_step_s +
                (1.0 - 2.0 * kOnShare) * frame_s;
    // Power over the noise density: the bins' excess times their width, over the noise of one
    // bin times its width, in 2500 Hz.
    c.snr_db = 10.0 * std::log10(std::max(on, 1e-30) * s.bin_hz /
                                 (static_cast<double>(floor[b]) * wspr::kSnrBandwidthHz));
    found.push_back(c);
  }
  return found;
}

bool OnACarrier(const std::vector<Carrier>& carriers, double tone0_hz, double at_s) {
  return std::any_of(carriers.begin(), carriers.end(), [&](const Carrier& c) {
    if (at_s + wspr::kTransmissionS < c.start_s || at_s > c.start_s + c.seconds) return false;
    // The search's sync fit may leave such a candidate a bin or two either way.
    return c.frequency_hz > tone0_hz - kNearCarrierHz &&
           c.frequency_hz < tone0_hz + 3.0 * wspr::kToneSpacingHz + kNearCarrierHz;
  });
}

}  // namespace beaconcheck
