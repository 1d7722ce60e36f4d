// Carriers: narrow lines of the mean spectrum, then where in time each is on.
#include "carrier_search.hpp"

#include <algorithm>
#include <cmath>

#include "wspr_timing.hpp"

namespace beaconcheck {
namespace {

// A line must stand this many of the mean's own standard deviations above the floor: far
// clearer than a WSPR signal needs, since a carrier is what hum and birdies are.
constexpr double kLineSigmas = 12.0;
// At most this share of the line's power a tone step either side (a bare carrier leaks its
// side lobes there; a WSPR signal has a tone of its own there).
constexpr double kMostBeside = 0.25;
// Overlapping frames: the mean of N frames a quarter symbol apart varies as the mean of N/2.75
// independent ones.
constexpr double kOverlapFactor = 2.75;
constexpr double kSameCarrierHz = 0.8;

double Excess(const std::vector<double>& mean, const std::vector<float>& floor, long long b) {
  if (b < 0 || b >= static_cast<long long>(mean.size())) return 0.0;
  const auto i = static_cast<std::size_t>(b);
  return std::max(0.0, mean[i] - floor[i]);
}

}  // namespace

std::vector<Carrier> FindCarriers(const PowerFrames& s) {
  std::vector<Carrier> found;
  if (s.frames < 16 || s.bins < 16) return found;
  const std::vector<double> mean = MeanPowers(s);
  const std::vector<float> floor = LocalFloor(mean, s.bin_hz);
  const double per_symbol = kSymbolS / s.frame_step_s;
  const double independent =
      static_cast<double>(s.frames) / std::max(1.0, kOverlapFactor * per_symbol / 4.0);
  const double sigma = 1.0 / std::sqrt(std::max(1.0, independent));
  const auto step_bins = static_cast<long long>(std::lround(kToneStepHz / s.bin_hz));
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
    for (const long long d : {-step_bins - 1, -step_bins, step_bins, step_bins + 1}) {
      beside = std::max(beside, Excess(mean, floor, at + d));
    }
    if (beside > kMostBeside * line) continue;
    // When it is on: the best-summing run of frames above halfway between floor and line.
    const double quiet = 3.0 * floor[b];
    const double loud = mean[b] * 2.0;
    const double level = (quiet + loud) / 2.0;
    double run = 0.0;
    double best = 0.0;
    std::size_t run_start = 0;
    std::size_t best_start = 0;
    std::size_t best_end = 0;
    for (std::size_t f = 0; f < s.frames; ++f) {
      if (run <= 0.0) {
        run = 0.0;
        run_start = f;
      }
      double p = 0.0;
      for (long long d = -1; d <= 1; ++d) p += s.At(f, static_cast<std::size_t>(at + d));
      run += std::min(p, 2.0 * loud) - level;
      if (run > best) {
        best = run;
        best_start = run_start;
        best_end = f + 1;
      }
    }
    if (best_end <= best_start) continue;
    double on = 0.0;
    for (std::size_t f = best_start; f < best_end; ++f) {
      for (long long d = -2; d <= 3; ++d) {
        const auto bin = static_cast<std::size_t>(std::clamp<long long>(at + d, 0, static_cast<long long>(s.bins) - 1));
        on += std::max(0.0, s.At(f, bin) - static_cast<double>(floor[bin]));
      }
    }
    on /= static_cast<double>(best_end - best_start);
    Carrier c;
    const double lean = Excess(mean, floor, at + 1) - Excess(mean, floor, at - 1);
    c.frequency_hz = s.BinHz(b) + (lean / std::max(line, 1e-30)) * s.bin_hz / 2.0;
    c.start_s = s.first_s + static_cast<double>(s.first_frame + best_start) * s.frame_step_s;
    c.seconds = static_cast<double>(best_end - best_start - 1) * s.frame_step_s + kSymbolS;
    // Its power over the noise in 2500 Hz: the transform's bins of one symbol zero-padded to
    // twice its length hold twice the symbol's samples times the power, the noise one symbol's.
    c.snr_db = 10.0 * std::log10(std::max(on, 1e-30) /
                                 (static_cast<double>(floor[b]) * 2.0 * kSymbolS * kSnrBandwidthHz));
    found.push_back(c);
  }
  return found;
}

bool OnACarrier(const std::vector<Carrier>& carriers, double tone0_hz, double at_s) {
  return std::any_of(carriers.begin(), carriers.end(), [&](const Carrier& c) {
    if (at_s + kTransmissionS < c.start_s || at_s > c.start_s + c.seconds) return false;
    for (int k = 0; k < 4; ++k) {
      if (std::abs(tone0_hz + k * kToneStepHz - c.frequency_hz) < kSameCarrierHz) return true;
    }
    return false;
  });
}

}  // namespace beaconcheck
