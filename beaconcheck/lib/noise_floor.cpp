// The quiet part of the spectrum: one transform per slot, a mean per frequency, a low share.
#include "noise_floor.hpp"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "kissfft.hh"
#include "symbol_powers.hpp"

namespace beaconcheck {
namespace {

constexpr double kClearOfTonesHz = 4.0;
// The standard normal's quantile at kQuietShare (0.2).
constexpr double kQuietQuantile = -0.8416;

// The kQuietShare quantile of the mean of `k` exponential powers of mean 1 (Wilson and
// Hilferty's cube-root normal approximation of the gamma distribution): what the quiet share
// gives for pure noise, divided out.
double QuietBias(double k) {
  const double c = 1.0 - 1.0 / (9.0 * k) + kQuietQuantile / (3.0 * std::sqrt(k));
  return c * c * c;
}

}  // namespace

double QuietNoisePower(const Baseband& baseband, const Track& track) {
  const double samples = track.symbol_s * baseband.rate_hz;
  if (!(samples >= 8.0 && samples < 1e6)) return 0.0;
  const auto width = static_cast<std::size_t>(std::lround(samples));
  const std::size_t size = 2 * width;
  const double bin_hz = baseband.rate_hz / static_cast<double>(size);
  const kissfft<float> fft(size, false);
  std::vector<std::complex<float>> in(size);
  std::vector<std::complex<float>> out(size);
  std::vector<double> mean(size, 0.0);
  std::vector<float> taper;  // for the slot length met, which changes by a sample at most
  double taper_power = 0.0;
  std::size_t slots = 0;
  for (long long slot = 0; slot < static_cast<long long>(kSymbolCount); ++slot) {
    const auto [first, end] = SlotSamples(baseband, track, slot);
    if (end <= first) continue;
    const std::size_t count = std::min(end - first, size);
    // A Hann taper: without it a strong neighbour's side lobes fill the whole span. Scaled so
    // that noise reads as TonePowers' untapered mean over the slot reads it.
    if (taper.size() != count) {
      taper.resize(count);
      taper_power = 0.0;
      for (std::size_t n = 0; n < count; ++n) {
        const double x = std::sin(std::numbers::pi * (static_cast<double>(n) + 0.5) /
                                  static_cast<double>(count));
        taper[n] = static_cast<float>(x * x);
        taper_power += x * x * x * x;
      }
    }
    std::fill(in.begin(), in.end(), std::complex<float>{});
    for (std::size_t n = 0; n < count; ++n) in[n] = baseband.samples[first + n] * taper[n];
    fft.transform(in.data(), out.data());
    const double scale = 1.0 / (static_cast<double>(count) * taper_power);
    for (std::size_t k = 0; k < size; ++k) mean[k] += std::norm(out[k]) * scale;
    ++slots;
  }
  if (slots == 0) return 0.0;
  const double middle_s = track.SlotStartS(kSymbolCount / 2);
  const double low_tone = track.ToneHz(0, middle_s);
  const double high_tone = track.ToneHz(3, middle_s);
  const double clear = kClearOfTonesHz + std::abs(track.drift_hz) / 2.0;
  std::vector<double> quiet;
  for (std::size_t k = 0; k < size; ++k) {
    const double offset = k < size / 2
                              ? static_cast<double>(k) * bin_hz
                              : (static_cast<double>(k) - static_cast<double>(size)) * bin_hz;
    const double hz = baseband.centre_hz + offset;
    if (hz > low_tone - clear && hz < high_tone + clear) continue;
    if (hz < low_tone - kNoiseSpanHz || hz > high_tone + kNoiseSpanHz) continue;
    const double gain = baseband.GainAt(hz);
    if (gain <= 0.0) continue;
    quiet.push_back(mean[k] / static_cast<double>(slots) / gain);
  }
  if (quiet.empty()) return 0.0;
  const auto at =
      quiet.begin() + static_cast<std::ptrdiff_t>(kQuietShare * static_cast<double>(quiet.size()));
  std::nth_element(quiet.begin(), at, quiet.end());
  const double flat = *at / QuietBias(static_cast<double>(slots));
  return flat * baseband.GainAt((low_tone + high_tone) / 2.0);
}

}  // namespace beaconcheck
