// Tone amplitudes by direct sums over each symbol, and the max-log bit ratios of the Gray map.
#include "fst4w_demodulation.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fst4w_symbols.hpp"

namespace beaconcheck {
namespace {

// The band's samples [first, first + count) against a tone at `hz` from the band's 0 Hz, its
// phase counted from sample `origin`, where the transmission starts: the keying advances each
// tone a whole number of cycles a symbol from there, so every symbol's phase is the same.
std::complex<double> ToneSum(const Baseband& band, long long first, std::size_t count, double hz,
                             double origin) {
  if (first < 0 || static_cast<std::size_t>(first) + count > band.samples.size()) return {};
  const double w = -2.0 * std::numbers::pi * hz / band.rate_hz;
  const std::complex<double> turn = std::polar(1.0, w);
  std::complex<double> phasor = std::polar(1.0, w * (static_cast<double>(first) - origin));
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
  double origin;  // the transmission's start, in samples of the band
};

SymbolSpan SpanOf(const Baseband& band, const fst4w::Period& period, double start_s,
                  std::size_t n) {
  const double per_symbol = fst4w::SymbolPeriodS(period) * band.rate_hz;
  const double first =
      (start_s - band.first_s) * band.rate_hz + static_cast<double>(n) * per_symbol;
  return {std::llround(first), static_cast<std::size_t>(std::lround(per_symbol)),
          (start_s - band.first_s) * band.rate_hz};
}

bool IsSync(std::size_t n) {
  return std::any_of(fst4w::kSyncStarts.begin(), fst4w::kSyncStarts.end(),
                     [n](std::size_t s) { return n >= s && n < s + fst4w::kSyncLength; });
}

}  // namespace

Fst4wAmplitudes SymbolAmplitudes(const Baseband& band, const fst4w::Period& period, double start_s,
                                 double tone_zero_hz) {
  Fst4wAmplitudes out{};
  const double step = fst4w::ToneStepHz(period);
  for (std::size_t n = 0; n < fst4w::kSymbolCount; ++n) {
    const SymbolSpan span = SpanOf(band, period, start_s, n);
    for (unsigned t = 0; t < 4; ++t) {
      out[n][t] = ToneSum(band, span.first, span.count, tone_zero_hz + t * step - band.centre_hz,
                          span.origin);
    }
  }
  return out;
}

double KnownTonePower(const Baseband& band, const fst4w::Period& period, double start_s,
                      double tone_zero_hz, const tonepak::fst4w::ChannelSymbols& tones,
                      std::size_t first, std::size_t last, bool sync_only, std::size_t coherent) {
  const double step = fst4w::ToneStepHz(period);
  const std::size_t run = sync_only ? fst4w::kSyncLength : std::max<std::size_t>(coherent, 1);
  double power = 0.0;
  std::complex<double> sum;
  std::size_t in_run = 0;
  for (std::size_t n = first; n <= last; ++n) {
    if (sync_only && !IsSync(n)) continue;
    const SymbolSpan span = SpanOf(band, period, start_s, n);
    sum += ToneSum(band, span.first, span.count, tone_zero_hz + tones[n] * step - band.centre_hz,
                   span.origin);
    if (++in_run == run || n == last) {
      power += std::norm(sum);
      sum = {};
      in_run = 0;
    }
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

namespace {

// The 240 ratios scaled to `scale` over their spread.
tonepak::fst4w::BitLlrs Normalised(const std::array<double, fst4w::kCodewordBitCount>& ratios,
                                   double scale) {
  double squares = 0.0;
  for (const double r : ratios) squares += r * r;
  const double spread = std::sqrt(std::max(squares / fst4w::kCodewordBitCount, 1e-30));
  tonepak::fst4w::BitLlrs llrs{};
  for (std::size_t b = 0; b < llrs.size(); ++b) {
    llrs[b] = static_cast<float>(scale * ratios[b] / spread);
  }
  return llrs;
}

}  // namespace

tonepak::fst4w::BitLlrs BitRatios(const Fst4wAmplitudes& amplitudes, std::size_t span,
                                  double scale) {
  // Which data symbol each of the 160 is, or none for a sync symbol.
  std::array<int, fst4w::kSymbolCount> data{};
  data.fill(-1);
  for (std::size_t d = 0; d < fst4w::kDataSymbolCount; ++d) {
    data[tonepak::fst4w::DataSymbolIndex(d)] = static_cast<int>(d);
  }
  const tonepak::fst4w::ChannelSymbols sync = tonepak::fst4w::ChannelSymbolsOf({});
  std::array<double, fst4w::kCodewordBitCount> ratios{};
  for (std::size_t first = 0; first < fst4w::kSymbolCount; first += span) {
    // Every choice of tones for the span's data symbols: value v's two bits per symbol.
    std::array<double, 8> zero{};  // best sum with bit b of the span's bits 0
    std::array<double, 8> one{};
    const std::size_t choices = std::size_t{1} << (2 * span);
    for (std::size_t choice = 0; choice < choices; ++choice) {
      std::complex<double> sum;
      bool allowed = true;
      for (std::size_t k = 0; k < span; ++k) {
        const std::size_t n = first + k;
        const auto value = static_cast<unsigned>((choice >> (2 * (span - 1 - k))) & 3U);
        if (data[n] < 0) {
          allowed = allowed && value == 0;
          sum += amplitudes[n][sync[n]];
        } else {
          sum += amplitudes[n][fst4w::kGrayTone[value]];
        }
      }
      if (!allowed) continue;
      const double m = std::abs(sum);
      for (std::size_t b = 0; b < 2 * span; ++b) {
        const bool set = ((choice >> (2 * span - 1 - b)) & 1U) != 0;
        auto& best = set ? one[b] : zero[b];
        best = std::max(best, m);
      }
    }
    for (std::size_t k = 0; k < span; ++k) {
      const int d = data[first + k];
      if (d < 0) continue;
      for (std::size_t bit = 0; bit < 2; ++bit) {
        ratios[2 * static_cast<std::size_t>(d) + bit] = zero[2 * k + bit] - one[2 * k + bit];
      }
    }
  }
  return Normalised(ratios, scale);
}

tonepak::fst4w::BitLlrs CoherentBitRatios(const Fst4wAmplitudes& amplitudes, double scale) {
  const tonepak::fst4w::ChannelSymbols sync = tonepak::fst4w::ChannelSymbolsOf({});
  // The turn per symbol: the one that sums the 40 sync tones most strongly, over +-0.4 radian
  // (about a tenth of a step of frequency error at every period), in 1/160 of a turn's steps.
  constexpr int kTurns = 64;
  constexpr double kTurnStep = 0.4 / kTurns;
  double turn = 0.0;
  double best = -1.0;
  for (int i = -kTurns; i <= kTurns; ++i) {
    const double w = kTurnStep * i;
    std::complex<double> sum;
    for (std::size_t g : fst4w::kSyncStarts) {
      for (std::size_t k = 0; k < fst4w::kSyncLength; ++k) {
        const std::size_t n = g + k;
        sum += amplitudes[n][sync[n]] * std::polar(1.0, -w * static_cast<double>(n));
      }
    }
    if (std::norm(sum) > best) {
      best = std::norm(sum);
      turn = w;
    }
  }
  // Each group's phase, the turn taken out.
  std::array<std::complex<double>, fst4w::kSyncStarts.size()> groups{};
  for (std::size_t g = 0; g < groups.size(); ++g) {
    for (std::size_t k = 0; k < fst4w::kSyncLength; ++k) {
      const std::size_t n = fst4w::kSyncStarts[g] + k;
      groups[g] += amplitudes[n][sync[n]] * std::polar(1.0, -turn * static_cast<double>(n));
    }
  }
  std::array<double, fst4w::kCodewordBitCount> ratios{};
  for (std::size_t d = 0; d < fst4w::kDataSymbolCount; ++d) {
    const std::size_t n = tonepak::fst4w::DataSymbolIndex(d);
    // The groups on either side: group g ends at kSyncStarts[g] + 8, the next starts 30 later.
    const std::size_t g = d / 30;
    const double before = static_cast<double>(fst4w::kSyncStarts[g]) + 3.5;
    const double after = static_cast<double>(fst4w::kSyncStarts[g + 1]) + 3.5;
    const double w = (static_cast<double>(n) - before) / (after - before);
    std::complex<double> reference = (1.0 - w) * groups[g] + w * groups[g + 1];
    reference = std::conj(reference) / std::max(std::abs(reference), 1e-30) *
                std::polar(1.0, -turn * static_cast<double>(n));
    std::array<double, 4> heard{};
    for (unsigned t = 0; t < 4; ++t) heard[t] = (amplitudes[n][t] * reference).real();
    for (std::size_t bit = 0; bit < 2; ++bit) {
      double zero = -1e300;
      double one = -1e300;
      for (unsigned value = 0; value < 4; ++value) {
        const double m = heard[fst4w::kGrayTone[value]];
        auto& side = ((value >> (1 - bit)) & 1U) != 0 ? one : zero;
        side = std::max(side, m);
      }
      ratios[2 * d + bit] = zero - one;
    }
  }
  return Normalised(ratios, scale);
}

}  // namespace beaconcheck
