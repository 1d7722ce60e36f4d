// Power spectra every quarter symbol through kissfft, for the candidate search.
#include "power_frames.hpp"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>

#include "kissfft.hh"
#include "wspr_constants.hpp"

namespace beaconcheck {
namespace {

// The upper half of a float's bits, rounded to nearest.
std::uint16_t UpperHalf(float value) {
  std::uint32_t bits = 0;  // std::bit_cast, which Emscripten's C++ library lacks
  std::memcpy(&bits, &value, sizeof bits);
  return static_cast<std::uint16_t>((bits + 0x7FFFU + ((bits >> 16U) & 1U)) >> 16U);
}

// The smallest even length from n up whose factors are all 2, 3 and 5, which kissfft
// transforms quickly: twice a symbol at 12000 Hz is a power of two, at 16000 Hz a power of two
// would pad to three times the symbol and make the bins a third of a tone step.
std::size_t NextQuickLength(std::size_t n) {
  for (std::size_t length = n + (n & 1U);; length += 2) {
    std::size_t rest = length;
    for (const std::size_t factor : {2U, 3U, 5U}) {
      while (rest % factor == 0) rest /= factor;
    }
    if (rest == 1) return length;
  }
}

constexpr double kFloorHalfWidthHz = 70.0;

}  // namespace

std::vector<double> MeanPowers(const PowerFrames& s) {
  std::vector<double> mean(s.bins, 0.0);
  for (std::size_t f = 0; f < s.frames; ++f) {
    for (std::size_t b = 0; b < s.bins; ++b) mean[b] += s.At(f, b);
  }
  if (s.frames > 0) {
    for (double& m : mean) m /= static_cast<double>(s.frames);
  }
  return mean;
}

std::vector<float> LocalFloor(const std::vector<double>& mean, double bin_hz, double share,
                              double bias) {
  const auto half = static_cast<std::size_t>(std::lround(kFloorHalfWidthHz / bin_hz));
  // Worked out every fourth bin and held between: the floor changes over tens of hertz.
  constexpr std::size_t kEvery = 4;
  std::vector<float> floor(mean.size());
  std::vector<float> near;
  for (std::size_t b = 0; b < mean.size(); ++b) {
    if (b % kEvery != 0) {
      floor[b] = floor[b - 1];
      continue;
    }
    const std::size_t lo = b > half ? b - half : 0;
    const std::size_t hi = std::min(mean.size(), b + half + 1);
    near.clear();
    for (std::size_t i = lo; i < hi; i += 3) near.push_back(static_cast<float>(mean[i]));
    const auto at =
        near.begin() + static_cast<std::ptrdiff_t>(share * static_cast<double>(near.size()));
    std::nth_element(near.begin(), at, near.end());
    floor[b] = static_cast<float>(*at / bias);
  }
  return floor;
}

std::size_t FrameCount(const Recording& recording, std::size_t per_symbol) {
  const double step =
      recording.sample_rate_hz * wspr::kSymbolPeriodS / static_cast<double>(per_symbol);
  return static_cast<std::size_t>(std::ceil(static_cast<double>(recording.SampleCount()) / step));
}

void MakePowerFrames(const Recording& recording, std::size_t first_frame, std::size_t frames,
                     double low_hz, double high_hz, PowerFrames& out, std::size_t per_symbol,
                     bool padded) {
  const double rate = recording.sample_rate_hz;
  const auto window = static_cast<std::size_t>(std::lround(rate * wspr::kSymbolPeriodS));
  const std::size_t size = NextQuickLength(padded ? 2 * window : window);
  out.frame_step_s = wspr::kSymbolPeriodS / static_cast<double>(per_symbol);
  out.first_s = recording.first_s;
  out.bin_hz = rate / static_cast<double>(size);
  out.first_frame = first_frame;
  const std::size_t total = FrameCount(recording, per_symbol);
  out.frames = first_frame < total ? std::min(frames, total - first_frame) : 0;

  // The band the recording covers: 0 to half the rate for audio, the rate around the centre
  // for complex baseband.
  const bool complex = recording.IsComplex();
  const double cover_low = complex ? recording.centre_hz - rate / 2.0 : 0.0;
  const double cover_high = complex ? recording.centre_hz + rate / 2.0 : rate / 2.0 - out.bin_hz;
  const double low = std::max(low_hz, cover_low);
  const double high = std::min(high_hz, cover_high);
  if (high <= low) {
    out.bins = 0;
    out.power.clear();
    return;
  }
  // Bin k of the transform (k - size for the upper half) is k * bin_hz from the centre.
  const auto first_k = static_cast<long long>(std::ceil((low - recording.centre_hz) / out.bin_hz));
  const auto last_k = static_cast<long long>(std::floor((high - recording.centre_hz) / out.bin_hz));
  out.first_bin_hz = recording.centre_hz + static_cast<double>(first_k) * out.bin_hz;
  out.bins = static_cast<std::size_t>(last_k - first_k + 1);
  // Every value is written below: what a piece before left here needs no clearing.
  out.power.resize(out.frames * out.bins);

  // Audio through a real transform of half the size; complex baseband through a full one.
  const kissfft<float> fft(complex ? size : size / 2, false);
  std::vector<std::complex<float>> in(complex ? size : 0);
  std::vector<float> real_in(complex ? 0 : size);
  std::vector<std::complex<float>> spectrum(complex ? size : size / 2);
  const std::size_t count = recording.SampleCount();
  // A band mixed down here is flattened: its running sums' slope towards the edges would
  // otherwise read as a sloping noise floor.
  std::vector<float> flatten(out.bins, 1.0F);
  for (std::size_t b = 0; b < out.bins; ++b) {
    const double gain = PassbandGain(recording.mixed, out.BinHz(b));
    if (gain > 0.0) flatten[b] = static_cast<float>(1.0 / gain);
  }
  for (std::size_t f = 0; f < out.frames; ++f) {
    const auto begin = static_cast<std::size_t>(
        std::lround(static_cast<double>(first_frame + f) * rate * out.frame_step_s));
    const std::size_t have = begin < count ? std::min(window, count - begin) : 0;
    // The padding beyond the window stays zero from the start; only a frame cut short by the
    // recording's end has more to clear.
    if (complex) {
      std::copy_n(recording.baseband.begin() + static_cast<std::ptrdiff_t>(begin), have,
                  in.begin());
      std::fill(in.begin() + static_cast<std::ptrdiff_t>(have),
                in.begin() + static_cast<std::ptrdiff_t>(window), std::complex<float>{});
      fft.transform(in.data(), spectrum.data());
    } else {
      std::copy_n(recording.audio.begin() + static_cast<std::ptrdiff_t>(begin), have,
                  real_in.begin());
      std::fill(real_in.begin() + static_cast<std::ptrdiff_t>(have),
                real_in.begin() + static_cast<std::ptrdiff_t>(window), 0.0F);
      fft.transform_real(real_in.data(), spectrum.data());
    }
    std::uint16_t* row = &out.power[f * out.bins];
    for (std::size_t b = 0; b < out.bins; ++b) {
      const long long k = first_k + static_cast<long long>(b);
      const auto index = static_cast<std::size_t>(k < 0 ? k + static_cast<long long>(size) : k);
      row[b] = UpperHalf(std::norm(spectrum[index]) * flatten[b]);
    }
  }
}

}  // namespace beaconcheck
