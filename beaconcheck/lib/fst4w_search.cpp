// The spectrogram through kissfft, each bin's noise from its median over time, and the sync
// groups' score at every place.
#include "fst4w_search.hpp"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "fst4w_symbols.hpp"
#include "kissfft.hh"

namespace beaconcheck {
namespace {

constexpr std::size_t kFramesPerSymbol = 4;
constexpr std::size_t kBinsPerStep = 2;  // the frame is zero-padded to twice its length

std::array<std::uint8_t, fst4w::kSymbolCount> SyncTones() {
  std::array<std::uint8_t, fst4w::kSymbolCount> tones{};
  for (std::size_t g = 0; g < fst4w::kSyncStarts.size(); ++g) {
    const auto& word = g % 2 == 0 ? fst4w::kSyncWordA : fst4w::kSyncWordB;
    for (std::size_t k = 0; k < fst4w::kSyncLength; ++k) tones[fst4w::kSyncStarts[g] + k] = word[k];
  }
  return tones;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

double Fst4wSearch::NoiseAt(double hz) const {
  std::vector<double> near;
  for (std::size_t b = 0; b < noise.size(); ++b) {
    if (std::fabs(first_bin_hz + static_cast<double>(b) * bin_hz - hz) <= 15.0) {
      near.push_back(noise[b]);
    }
  }
  return near.empty() ? Median(noise) : Median(near);
}

Fst4wSearch SearchFst4w(const Baseband& band, const fst4w::Period& period, double low_hz,
                        double high_hz, std::size_t count) {
  Fst4wSearch out;
  const double per_symbol = fst4w::SymbolPeriodS(period) * band.rate_hz;
  const auto length = static_cast<std::size_t>(std::lround(per_symbol));
  const std::size_t padded = kBinsPerStep * length;
  out.bin_hz = band.rate_hz / static_cast<double>(padded);
  const double step_hz = fst4w::ToneStepHz(period);
  // Bins from tone 0's lowest to tone 3's highest, relative to the band's centre.
  const auto low_bin = static_cast<long long>(std::floor((low_hz - band.centre_hz) / out.bin_hz));
  const auto high_bin =
      static_cast<long long>(std::ceil((high_hz + 3.0 * step_hz - band.centre_hz) / out.bin_hz));
  const auto bins = static_cast<std::size_t>(high_bin - low_bin + 1);
  out.first_bin_hz = band.centre_hz + static_cast<double>(low_bin) * out.bin_hz;
  const double frame_step = per_symbol / kFramesPerSymbol;
  if (band.samples.size() < length) return out;
  const auto frames =
      static_cast<std::size_t>(static_cast<double>(band.samples.size() - length) / frame_step) + 1;

  std::vector<float> power(frames * bins);
  const kissfft<float> fft(padded, false);
  std::vector<std::complex<float>> in(padded);
  std::vector<std::complex<float>> spectrum(padded);
  for (std::size_t j = 0; j < frames; ++j) {
    const auto first = static_cast<std::size_t>(std::lround(static_cast<double>(j) * frame_step));
    std::fill(in.begin(), in.end(), std::complex<float>{});
    const std::size_t available = std::min(length, band.samples.size() - first);
    std::copy_n(band.samples.begin() + static_cast<std::ptrdiff_t>(first), available, in.begin());
    fft.transform(in.data(), spectrum.data());
    for (std::size_t b = 0; b < bins; ++b) {
      const long long k = low_bin + static_cast<long long>(b);
      const auto index = static_cast<std::size_t>(k < 0 ? k + static_cast<long long>(padded) : k);
      power[j * bins + b] = std::norm(spectrum[index]);
    }
  }
  // Each bin's noise: its median over the frames, over ln 2 for the mean of noise power, which
  // a transmission in one of its tones a quarter of the time hardly lifts.
  out.noise.resize(bins);
  std::vector<double> column(frames);
  for (std::size_t b = 0; b < bins; ++b) {
    for (std::size_t j = 0; j < frames; ++j) column[j] = power[j * bins + b];
    out.noise[b] = std::max(Median(column) / std::numbers::ln2, 1e-30);
  }
  for (std::size_t j = 0; j < frames; ++j) {
    for (std::size_t b = 0; b < bins; ++b) {
      power[j * bins + b] = static_cast<float>(power[j * bins + b] / out.noise[b]);
    }
  }

  const auto tones = SyncTones();
  const std::size_t span = kFramesPerSymbol * (fst4w::kSymbolCount - 1) + 1;
  if (frames < span) return out;
  const std::size_t starts = frames - span + 1;
  const std::size_t step_bins = kBinsPerStep * 3 + 1;  // room above tone 0 for tone 3
  if (bins <= step_bins) return out;
  // Each tone-0 bin's best start.
  std::vector<Fst4wCandidate> best(bins - step_bins);
  for (std::size_t b = 0; b < best.size(); ++b) {
    for (std::size_t j0 = 0; j0 < starts; ++j0) {
      double score = 0.0;
      for (std::size_t g : fst4w::kSyncStarts) {
        for (std::size_t k = 0; k < fst4w::kSyncLength; ++k) {
          const float* row = &power[(j0 + kFramesPerSymbol * (g + k)) * bins + b];
          const float all =
              row[0] + row[kBinsPerStep] + row[2 * kBinsPerStep] + row[3 * kBinsPerStep];
          score += 4.0 * row[kBinsPerStep * tones[g + k]] - all;
        }
      }
      if (score > best[b].score || j0 == 0) {
        best[b] = {band.first_s + static_cast<double>(j0) * frame_step / band.rate_hz,
                   out.first_bin_hz + static_cast<double>(b) * out.bin_hz, score};
      }
    }
  }
  // The local peaks, two tone steps apart at least, strongest first.
  std::vector<std::size_t> order(best.size());
  for (std::size_t b = 0; b < order.size(); ++b) order[b] = b;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return best[a].score > best[b].score; });
  const double apart_hz = 2.0 * step_hz;
  for (std::size_t b : order) {
    if (out.candidates.size() == count) break;
    const Fst4wCandidate& c = best[b];
    if (c.tone_zero_hz < low_hz || c.tone_zero_hz > high_hz) continue;
    const bool near_stronger =
        std::any_of(out.candidates.begin(), out.candidates.end(), [&](const Fst4wCandidate& o) {
          return std::fabs(o.tone_zero_hz - c.tone_zero_hz) < apart_hz;
        });
    if (!near_stronger) out.candidates.push_back(c);
  }
  return out;
}

}  // namespace beaconcheck
