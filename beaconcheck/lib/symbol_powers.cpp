// Tone powers and coherent sums per symbol slot, by phasors stepped sample by sample.
#include "symbol_powers.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace beaconcheck {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kLeastSlotPart = 0.75;  // of a slot cut by the recording's edge, to count

// Means of x * e^-j2(pi)(f - centre)(t - t_first) over samples [first, end) at N fixed
// frequencies at once: each sample is read once, and the phasors are stepped in plain real
// arithmetic (the complex product's checks for infinities cost more than the product itself).
template <std::size_t N>
std::array<std::complex<double>, N> MeansAt(const Baseband& bb, std::size_t first, std::size_t end,
                                            const std::array<double, N>& hz) {
  std::array<double, N> pr{};
  std::array<double, N> pi{};
  std::array<double, N> tr{};
  std::array<double, N> ti{};
  std::array<double, N> sr{};
  std::array<double, N> si{};
  // Each phasor starts at 1: only the means' powers are wanted, and a phase common to a
  // slot's samples does not change them.
  for (std::size_t k = 0; k < N; ++k) {
    const double w = -kTwoPi * (hz[k] - bb.centre_hz) / bb.rate_hz;
    pr[k] = 1.0;
    pi[k] = 0.0;
    tr[k] = std::cos(w);
    ti[k] = std::sin(w);
  }
  for (std::size_t n = first; n < end; ++n) {
    const double xr = bb.samples[n].real();
    const double xi = bb.samples[n].imag();
    for (std::size_t k = 0; k < N; ++k) {
      sr[k] += xr * pr[k] - xi * pi[k];
      si[k] += xr * pi[k] + xi * pr[k];
      const double r = pr[k] * tr[k] - pi[k] * ti[k];
      pi[k] = pr[k] * ti[k] + pi[k] * tr[k];
      pr[k] = r;
    }
  }
  std::array<std::complex<double>, N> out{};
  const double scale = end > first ? 1.0 / static_cast<double>(end - first) : 1.0;
  for (std::size_t k = 0; k < N; ++k) out[k] = {sr[k] * scale, si[k] * scale};
  return out;
}

std::complex<double> MeanAt(const Baseband& bb, std::size_t first, std::size_t end, double hz) {
  return MeansAt<1>(bb, first, end, {hz})[0];
}

}  // namespace

std::pair<std::size_t, std::size_t> SlotSamples(const Baseband& bb, const Track& track,
                                                long long slot) {
  const double begin = (track.SlotStartS(slot) - bb.first_s) * bb.rate_hz;
  const double end = (track.SlotStartS(slot + 1) - bb.first_s) * bb.rate_hz;
  // A slot cut by the start or the end of the recording (one that begins on the first symbol,
  // as tonepak's a.au does, loses the decimating filter's few milliseconds): the part inside
  // counts, when it is most of the symbol.
  const double first = std::max(begin, 0.0);
  const double last = std::min(end, static_cast<double>(bb.samples.size()));
  if (last - first < kLeastSlotPart * (end - begin)) return {0, 0};
  return {static_cast<std::size_t>(std::ceil(first)), static_cast<std::size_t>(std::ceil(last))};
}

bool SlotInside(const Baseband& bb, const Track& track, long long slot) {
  const auto [first, end] = SlotSamples(bb, track, slot);
  return end > first;
}

double PowerAt(const Baseband& bb, double begin_s, double seconds, double hz) {
  const double begin = std::ceil((begin_s - bb.first_s) * bb.rate_hz);
  const double end = std::ceil((begin_s + seconds - bb.first_s) * bb.rate_hz);
  if (begin < 0.0 || end > static_cast<double>(bb.samples.size()) || end <= begin) return 0.0;
  return std::norm(MeanAt(bb, static_cast<std::size_t>(begin), static_cast<std::size_t>(end), hz));
}

std::vector<std::array<double, 4>> TonePowers(const Baseband& bb, const Track& track,
                                              long long first_slot, std::size_t slots) {
  std::vector<std::array<double, 4>> out(slots);
  for (std::size_t i = 0; i < slots; ++i) {
    const long long slot = first_slot + static_cast<long long>(i);
    const auto [first, end] = SlotSamples(bb, track, slot);
    if (end <= first) {
      out[i].fill(-1.0);
      continue;
    }
    const double middle = track.SlotStartS(slot) + track.symbol_s / 2.0;
    std::array<double, 4> hz{};
    for (std::size_t k = 0; k < 4; ++k) hz[k] = track.ToneHz(k, middle);
    const std::array<std::complex<double>, 4> means = MeansAt(bb, first, end, hz);
    for (std::size_t k = 0; k < 4; ++k) out[i][k] = std::norm(means[k]);
  }
  return out;
}

double SentTonePower(const Baseband& bb, const Track& track, std::span<const std::uint8_t> symbols,
                     int only_tone) {
  double sum = 0.0;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const std::size_t k = symbols[i] & 3U;
    if (only_tone >= 0 && k != static_cast<std::size_t>(only_tone)) continue;
    const auto slot = static_cast<long long>(i);
    const auto [first, end] = SlotSamples(bb, track, slot);
    if (end <= first) continue;
    const double middle = track.SlotStartS(slot) + track.symbol_s / 2.0;
    sum += std::norm(MeanAt(bb, first, end, track.ToneHz(k, middle)));
  }
  return sum;
}

std::vector<std::complex<double>> CoherentSums(const Baseband& bb, const Track& track,
                                               std::span<const std::uint8_t> symbols) {
  std::vector<std::complex<double>> out(symbols.size());
  const double rate = track.DriftRateHzPerS();
  double slot_phase = 0.0;  // cycles of the model phase at the start of each slot
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const double t0 = track.SlotStartS(static_cast<long long>(i)) - track.start_s;
    const double f = track.tones_hz[symbols[i] & 3U] - bb.centre_hz;
    const auto [first, end] = SlotSamples(bb, track, static_cast<long long>(i));
    std::complex<double> sum{};
    if (end > first) {
      // Cycles of the model since the track's start; the baseband's own phase follows the
      // signal's from the same absolute time, so a constant is all that separates them. The
      // phase is quadratic in time: its phasor is stepped by a factor that is itself stepped
      // by a constant one, from the exact phase at the slot's first sample.
      const double dt = 1.0 / bb.rate_hz;
      const auto cycles_at = [&](double t) {
        const double c = slot_phase + f * (t - t0) + rate * (t * t - t0 * t0) / 2.0;
        return c - std::floor(c);
      };
      const double t_first = bb.TimeS(first) - track.start_s;
      const double c0 = cycles_at(t_first);
      const double c1 = cycles_at(t_first + dt);
      std::complex<double> phasor = std::polar(1.0, -kTwoPi * c0);
      std::complex<double> step = std::polar(1.0, -kTwoPi * (c1 - c0));
      const std::complex<double> bend = std::polar(1.0, -kTwoPi * rate * dt * dt);
      for (std::size_t n = first; n < end; ++n) {
        sum += std::complex<double>(bb.samples[n]) * phasor;
        phasor *= step;
        step *= bend;
      }
    }
    if (end > first) out[i] = sum / static_cast<double>(end - first);
    const double t1 = t0 + track.symbol_s;
    slot_phase += f * track.symbol_s + rate * (t1 * t1 - t0 * t0) / 2.0;
    slot_phase -= std::floor(slot_phase);
  }
  return out;
}

}  // namespace beaconcheck
