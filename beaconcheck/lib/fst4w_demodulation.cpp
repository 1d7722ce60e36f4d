// Tone amplitudes by direct sums over each symbol, and the max-log bit ratios of the Gray map.
#include "fst4w_demodulation.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fst4w_symbols.hpp"

namespace beaconcheck {
namespace {

// The band's samples [first, first + count) against a tone at `hz` from the band's 0 Hz,
// its phase counted from the band's start so that every symbol shares one reference.
std::complex<double> ToneSum(const Baseband& band, long long first, std::size_t count,
                             double hz) {
  if (first < 0 || static_cast<std::size_t>(first) + count > band.samples.size()) return {};
  const double w = -2.0 * std::numbers::pi * hz / band.rate_hz;
  const std::complex<double> turn = std::polar(1.0, w);
  std::complex<double> phasor = std::polar(1.0, w * static_cast<double>(first));
  std::complex<double> sum;
  const auto* x = band.samples.data() + first;
  for (std::size_t n = 0; n < count; ++n) {
    sum += std::complex<double>(x[n].real(), x[n].imag()) * phasor;
    phasor *= turn;
    if ((n & 1023U) == 1023U) phasor /= std::abs(phasor);
  }
  return sum;
}

struct SymbolSpan {
  long long first;
  std::size_t count;
};

SymbolSpan SpanOf(const Baseband& band, const fst4w::Period& period, double start_s,
                  std::size_t n) {
  const double per_symbol = fst4w::SymbolPeriodS(period) * band.rate_hz;
  const double first = (start_s - band.first_s) * band.rate_hz + static_cast<double>(n) * per_symbol;
  return {std::llround(first), static_cast<std::size_t>(std::lround(per_symbol))};
}

bool IsSync(std::size_t n) {
  return std::any_of(fst4w::kSyncStarts.begin(), fst4w::kSyncStarts.end(),
                     [n](std::size_t s) { return n >= s && n < s + fst4w::kSyncLength; });
}

}  // namespace

Fst4wAmplitudes SymbolAmplitudes(const Baseband& band, const fst4w::Period& period,
                                 double start_s, double tone_zero_hz) {
  Fst4wAmplitudes out{};
  const double step = fst4w::ToneStepHz(period);
  for (std::size_t n = 0; n < fst4w::kSymbolCount; ++n) {
    const SymbolSpan span = SpanOf(band, period, start_s, n);
    for (unsigned t = 0; t < 4; ++t) {
      out[n][t] = ToneSum(band, span.first, span.count, tone_zero_hz + t * step - band.centre_hz);
    }
  }
  return out;
}

double KnownTonePower(const Baseband& band, const fst4w::Period& period, double start_s,
                      double tone_zero_hz, const tonepak::fst4w::ChannelSymbols& tones,
                      std::size_t first, std::size_t last, bool sync_only) {
  const double step = fst4w::ToneStepHz(period);
  double power = 0.0;
  for (std::size_t n = first; n <= last; ++n) {
    if (sync_only && !IsSync(n)) continue;
    const SymbolSpan span = SpanOf(band, period, start_s, n);
    power += std::norm(
        ToneSum(band, span.first, span.count, tone_zero_hz + tones[n] * step - band.centre_hz));
  }
  return power;
}

tonepak::fst4w::ChannelSymbols StrongestTones(const Fst4wAmplitudes& amplitudes) {
  tonepak::fst4w::ChannelSymbols out{};
  for (std::size_t n = 0; n < out.size(); ++n) {
    const auto& a = amplitudes[n];
    out[n] = static_cast<std::uint8_t>(
        std::max_element(a.begin(), a.end(),
                         [](auto x, auto y) { return std::norm(x) < std::norm(y); }) -
        a.begin());
  }
  return out;
}

tonepak::fst4w::BitLlrs BitRatios(const Fst4wAmplitudes& amplitudes, double scale) {
  // The spread of the data symbols' magnitudes sets the units.
  double sum = 0.0;
  double squares = 0.0;
  for (std::size_t d = 0; d < fst4w::kDataSymbolCount; ++d) {
    for (const auto& a : amplitudes[tonepak::fst4w::DataSymbolIndex(d)]) {
      sum += std::abs(a);
      squares += std::norm(a);
    }
  }
  const double count = 4.0 * fst4w::kDataSymbolCount;
  const double mean = sum / count;
  const double spread = std::sqrt(std::max(squares / count - mean * mean, 1e-30));
  tonepak::fst4w::BitLlrs llrs{};
  for (std::size_t d = 0; d < fst4w::kDataSymbolCount; ++d) {
    const auto& a = amplitudes[tonepak::fst4w::DataSymbolIndex(d)];
    for (unsigned bit = 0; bit < 2; ++bit) {
      const unsigned mask = bit == 0 ? 2U : 1U;  // the first of the pair is the high bit
      double zero = 0.0;
      double one = 0.0;
      for (unsigned value = 0; value < 4; ++value) {
        const double m = std::abs(a[fst4w::kGrayTone[value]]);
        ((value & mask) != 0 ? one : zero) = std::max((value & mask) != 0 ? one : zero, m);
      }
      llrs[2 * d + bit] = static_cast<float>(scale * (zero - one) / spread);
    }
  }
  return llrs;
}

}  // namespace beaconcheck
