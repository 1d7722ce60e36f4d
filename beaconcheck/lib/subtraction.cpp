// Rebuilding a transmission in a band: the model's phasor sample by sample, the amplitude read
// through two running sums, the product taken out; a carrier as a transmission of one tone.
#include "subtraction.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

#include "wspr_types.hpp"

namespace beaconcheck {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr std::size_t kKnotSpacing = 8;  // samples between stored amplitudes

// Band samples [first, end) that the sent slots cover, clipped to the band.
std::pair<std::size_t, std::size_t> Span(const Recording& band, const SentSignal& s) {
  const double rate = band.sample_rate_hz;
  const long long from = std::max(0LL, s.first_slot);
  const long long to =
      std::min<long long>(kSymbolCount, s.first_slot + static_cast<long long>(s.symbols_sent));
  const auto count = static_cast<double>(band.baseband.size());
  const double first =
      std::clamp(std::ceil((s.track.SlotStartS(from) - band.first_s) * rate), 0.0, count);
  const double end =
      std::clamp(std::ceil((s.track.SlotStartS(to) - band.first_s) * rate), first, count);
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(end)};
}

// The model's unit phasor at each sample of [first, end): the tone of the slot the sample lies
// in, drifting, its phase running on from one sample to the next.
std::vector<std::complex<double>> Phasors(const Recording& band, const SentSignal& s,
                                          std::size_t first, std::size_t end) {
  std::vector<std::complex<double>> out(end - first);
  const double rate = band.sample_rate_hz;
  const double drift = s.track.DriftRateHzPerS();
  // Within a slot the frequency moves by the drift alone: the phasor is stepped by a factor
  // that is itself stepped by a constant one, and set afresh from the exact phase at each slot.
  const std::complex<double> bend = std::polar(1.0, kTwoPi * drift / (rate * rate));
  std::complex<double> phasor;
  std::complex<double> step;
  long long slot_now = std::numeric_limits<long long>::min();
  double cycles = 0.0;
  for (std::size_t n = first; n < end; ++n) {
    const double t = band.first_s + static_cast<double>(n) / rate;
    const auto slot = static_cast<long long>(std::floor((t - s.track.start_s) / s.track.symbol_s));
    const std::size_t k = slot >= 0 && slot < static_cast<long long>(kSymbolCount)
                              ? s.tones[static_cast<std::size_t>(slot)] & 3U
                              : 0;
    const double hz_step =
        (s.track.tones_hz[k] + drift * (t - s.track.start_s) - band.centre_hz) / rate;
    if (slot != slot_now) {
      slot_now = slot;
      phasor = std::polar(1.0, kTwoPi * cycles);
      step = std::polar(1.0, kTwoPi * hz_step);
    }
    out[n - first] = phasor;
    phasor *= step;
    step *= bend;
    cycles += hz_step;
    cycles -= std::floor(cycles);
  }
  return out;
}

// Running sums of `width` samples centred on each sample (zero beyond the ends).
template <typename T>
std::vector<T> CentredSums(const std::vector<T>& x, std::size_t width) {
  std::vector<T> prefix(x.size() + 1, T{});
  for (std::size_t n = 0; n < x.size(); ++n) prefix[n + 1] = prefix[n] + x[n];
  std::vector<T> out(x.size());
  const std::size_t before = width / 2;
  for (std::size_t n = 0; n < x.size(); ++n) {
    const std::size_t lo = n > before ? n - before : 0;
    const std::size_t hi = std::min(x.size(), n + (width - before));
    out[n] = prefix[hi] - prefix[lo];
  }
  return out;
}

long long SlotOf(const Recording& band, const SentSignal& s, std::size_t n) {
  const double t = band.first_s + static_cast<double>(n) / band.sample_rate_hz;
  return static_cast<long long>(std::floor((t - s.track.start_s) / s.track.symbol_s));
}

// The stored amplitude at sample n.
std::complex<double> AmplitudeAt(const Recording& band, const SentSignal& s, const Rebuilt& r,
                                 std::size_t n) {
  if (r.amplitude.empty()) return {};
  if (r.every == 0) {
    const long long i = std::clamp<long long>(SlotOf(band, s, n) - std::max(0LL, s.first_slot), 0,
                                              static_cast<long long>(r.amplitude.size()) - 1);
    return r.amplitude[static_cast<std::size_t>(i)];
  }
  const double at = static_cast<double>(n - r.first) / static_cast<double>(r.every);
  const auto i = std::min(static_cast<std::size_t>(at), r.amplitude.size() - 1);
  const std::size_t j = std::min(i + 1, r.amplitude.size() - 1);
  const double part = std::clamp(at - static_cast<double>(i), 0.0, 1.0);
  return std::complex<double>(r.amplitude[i]) * (1.0 - part) +
         std::complex<double>(r.amplitude[j]) * part;
}

void Apply(Recording& band, const SentSignal& s, const Rebuilt& r, double sign) {
  if (r.end <= r.first) return;
  const std::vector<std::complex<double>> phasors = Phasors(band, s, r.first, r.end);
  for (std::size_t n = r.first; n < r.end; ++n) {
    const std::complex<double> value = AmplitudeAt(band, s, r, n) * phasors[n - r.first];
    band.baseband[n] += std::complex<float>(sign * value);
  }
}

}  // namespace

Rebuilt Subtract(Recording& band, const SentSignal& s) {
  Rebuilt r;
  std::tie(r.first, r.end) = Span(band, s);
  if (r.end <= r.first || s.tones.size() < kSymbolCount) return r;
  const std::vector<std::complex<double>> phasors = Phasors(band, s, r.first, r.end);
  std::vector<std::complex<double>> z(r.end - r.first);
  for (std::size_t n = r.first; n < r.end; ++n) {
    z[n - r.first] = std::complex<double>(band.baseband[n]) * std::conj(phasors[n - r.first]);
  }
  if (s.phase_continuous) {
    // Two running sums of one symbol each: a triangle two symbols wide, whose first null falls
    // on the next tone and whose side lobes keep a neighbour's leak small. Near the span's ends
    // only the samples inside count.
    const auto width =
        static_cast<std::size_t>(std::lround(s.track.symbol_s * band.sample_rate_hz));
    const std::vector<std::complex<double>> smooth = CentredSums(CentredSums(z, width), width);
    const std::vector<double> weight =
        CentredSums(CentredSums(std::vector<double>(z.size(), 1.0), width), width);
    r.every = kKnotSpacing;
    for (std::size_t i = 0; i < z.size(); i += kKnotSpacing) {
      r.amplitude.emplace_back(smooth[i] / std::max(weight[i], 1.0));
    }
  } else {
    // A new phase at every symbol: the mean of each slot's samples.
    const long long from = std::max(0LL, s.first_slot);
    const long long to =
        std::min<long long>(kSymbolCount, s.first_slot + static_cast<long long>(s.symbols_sent));
    r.every = 0;
    std::vector<std::complex<double>> sums(static_cast<std::size_t>(std::max(0LL, to - from)));
    std::vector<double> counts(sums.size(), 0.0);
    for (std::size_t n = r.first; n < r.end; ++n) {
      const long long i = SlotOf(band, s, n) - from;
      if (i < 0 || i >= static_cast<long long>(sums.size())) continue;
      sums[static_cast<std::size_t>(i)] += z[n - r.first];
      counts[static_cast<std::size_t>(i)] += 1.0;
    }
    for (std::size_t i = 0; i < sums.size(); ++i) {
      r.amplitude.emplace_back(counts[i] > 0.0 ? sums[i] / counts[i] : std::complex<double>{});
    }
  }
  Apply(band, s, r, -1.0);
  return r;
}

void AddBack(Recording& band, const SentSignal& signal, const Rebuilt& rebuilt) {
  Apply(band, signal, rebuilt, 1.0);
}

void TakeOut(Recording& band, const SentSignal& signal, const Rebuilt& rebuilt) {
  Apply(band, signal, rebuilt, -1.0);
}

bool TakeOutCarriers(Recording& band, const std::vector<Carrier>& carriers) {
  static const tonepak::ChannelSymbols kOneTone{};
  bool any = false;
  for (const Carrier& c : carriers) {
    if (std::abs(c.frequency_hz - band.centre_hz) > band.sample_rate_hz / 2.0) continue;
    for (double from = c.start_s; from < c.start_s + c.seconds; from += kTransmissionS) {
      SentSignal piece;
      piece.track.start_s = from;
      piece.track.tones_hz = {c.frequency_hz, c.frequency_hz, c.frequency_hz, c.frequency_hz};
      piece.tones = kOneTone;
      piece.symbols_sent = std::min<std::size_t>(
          kSymbolCount,
          static_cast<std::size_t>(std::ceil((c.start_s + c.seconds - from) / kSymbolPeriodS)));
      Subtract(band, piece);
      any = true;
    }
  }
  return any;
}

}  // namespace beaconcheck
