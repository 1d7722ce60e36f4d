// The FST4W stages in order: the window mixed down, the candidate search, the fine fit of start
// and frequency on the sync tones, the soft bits and the LDPC decoder, then the measurement on
// every symbol of a decoded transmission.
#include "fst4w_analysis.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "baseband.hpp"
#include "crc24.hpp"
#include "fst4w_demodulation.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_search.hpp"
#include "fst4w_symbols.hpp"
#include "fst4w_unpacking.hpp"
#include "ldpc_240_74.hpp"
#include "line_fit.hpp"
#include "wspr_bands.hpp"

namespace beaconcheck {
namespace {

// About 600 samples a second: +-115 Hz around the window's centre within 1.6 dB, which the
// band's passband gain puts right, and a whole number of samples to a symbol at 12000 Hz.
constexpr double kBandRateHz = 600.0;
constexpr double kSearchMarginHz = 10.0;  // beyond the window's edges
constexpr std::size_t kCandidates = 24;
constexpr std::ptrdiff_t kThoroughCandidates = 8;  // the strongest, given ordered statistics
// The soft bits tried in turn: coherent on the sync groups' phase, then coherent over 1, 2 and 4
// symbols, propagation alone on each, then ordered statistics on the ones that did best (the
// sync groups' phase first: 5 more decodes of 8 at -32 dB at 120 s); the scale makes ratios about
// as large as the true ones for the decoder.
constexpr double kRatioScale = 2.8;
constexpr std::array<std::size_t, 3> kSpans{1, 2, 4};
// The tones' power in one symbol over the whole signal's: what the Gaussian keying's smoothed
// tone changes leave in the tone at the symbol's middle, measured on WSJT-X's waveform.
constexpr double kToneShare = 0.94;
// The Gaussian keying pulls each tone's symbols a little towards the tones around them: the
// four tones measured one by one lie closer together than they are sent, by this share of the
// step (fst4sim's recordings of every period: 1.5 % to 1.6 % closer).
constexpr double kApparentStepShare = 0.9845;

using tonepak::fst4w::ChannelSymbols;

// The maximum of f near x: f at x - h, x, x + h, a parabola through them, clamped to +-h.
double PeakNear(const std::function<double(double)>& f, double x, double h) {
  const double a = f(x - h);
  const double b = f(x);
  const double c = f(x + h);
  const double curve = a - 2.0 * b + c;
  if (curve >= 0.0) return a > c ? x - h : (c > a ? x + h : x);
  return x + std::clamp(0.5 * (a - c) / curve, -1.0, 1.0) * h;
}

struct Place {
  double start_s;
  double tone_zero_hz;
};

// The start and frequency where the known tones of symbols first..last are strongest, from
// `from`: a grid of +-range, then parabolas on each axis.
Place FitPlace(const Baseband& band, const fst4w::Period& period, const ChannelSymbols& tones,
               std::size_t first, std::size_t last, bool sync_only, Place from, double time_range,
               double freq_range, int steps) {
  const auto power = [&](double t, double f) {
    return KnownTonePower(band, period, t, f, tones, first, last, sync_only);
  };
  Place best = from;
  double best_power = -1.0;
  for (int i = -steps; i <= steps; ++i) {
    for (int k = -steps; k <= steps; ++k) {
      const Place p{from.start_s + time_range * i / steps,
                    from.tone_zero_hz + freq_range * k / steps};
      const double value = power(p.start_s, p.tone_zero_hz);
      if (value > best_power) {
        best_power = value;
        best = p;
      }
    }
  }
  const double dt = time_range / steps;
  const double df = freq_range / steps;
  for (int round = 0; round < 2; ++round) {
    best.start_s = PeakNear([&](double t) { return power(t, best.tone_zero_hz); }, best.start_s,
                            dt / (round + 1));
    best.tone_zero_hz = PeakNear([&](double f) { return power(best.start_s, f); },
                                 best.tone_zero_hz, df / (round + 1));
  }
  return best;
}

ChannelSymbols SyncOnly() {
  // Any data tones: the sync-only fits look at the sync symbols alone.
  return tonepak::fst4w::ChannelSymbolsOf({});
}

double SyncShare(const Fst4wAmplitudes& a, const ChannelSymbols& tones) {
  double own = 0.0;
  double all = 0.0;
  for (std::size_t g : fst4w::kSyncStarts) {
    for (std::size_t k = 0; k < fst4w::kSyncLength; ++k) {
      const auto& s = a[g + k];
      own += std::norm(s[tones[g + k]]);
      for (const auto& t : s) all += std::norm(t);
    }
  }
  return all > 0.0 ? own / all : 0.0;
}

// Decoded: the figures from every symbol, now that all of them are known.
void Measure(const Baseband& band, const fst4w::Period& period, const Fst4wSearch& search,
             Place place, Fst4wTransmission& t) {
  const double symbol_s = fst4w::SymbolPeriodS(period);
  const double step = fst4w::ToneStepHz(period);
  const ChannelSymbols& sent = t.sent;
  const std::size_t last = fst4w::kSymbolCount - 1;
  const std::size_t half = fst4w::kSymbolCount / 2;
  place = FitPlace(band, period, sent, 0, last, false, place, symbol_s / 16.0, step / 16.0, 2);
  // Each half on its own: the change of frequency is the drift, the change of start the
  // symbols' length.
  const Place early =
      FitPlace(band, period, sent, 0, half - 1, false, place, symbol_s / 16.0, step / 16.0, 1);
  const Place late =
      FitPlace(band, period, sent, half, last, false, place, symbol_s / 16.0, step / 16.0, 1);
  const double halves = static_cast<double>(half) * symbol_s;
  const double length_ratio = 1.0 + (late.start_s - early.start_s) / halves;
  t.symbol_ms = 1000.0 * symbol_s * length_ratio;
  t.symbol_error_percent = 100.0 * (length_ratio - 1.0);
  t.drift_hz = (late.tone_zero_hz - early.tone_zero_hz) * static_cast<double>(last) /
               static_cast<double>(half);
  t.start_s = place.start_s;
  t.dt_s = place.start_s - fst4w::kStartS;

  // Each tone on its own, from the symbols that send it.
  std::array<double, 4> tones{};
  for (unsigned k = 0; k < 4; ++k) {
    const auto power = [&](double f) {
      double sum = 0.0;
      const Fst4wAmplitudes a = SymbolAmplitudes(band, period, place.start_s, f - k * step);
      for (std::size_t n = 0; n <= last; ++n) {
        if (sent[n] == k) sum += std::norm(a[n][k]);
      }
      return sum;
    };
    const double nominal = place.tone_zero_hz + k * step;
    tones[k] = PeakNear(power, PeakNear(power, nominal, step / 8.0), step / 32.0);
  }
  const double middle = (tones[0] + tones[3]) / 2.0;
  for (double& tone : tones) tone = middle + (tone - middle) / kApparentStepShare;
  t.tones_hz = tones;
  constexpr std::array<double, 4> kToneNumbers{0.0, 1.0, 2.0, 3.0};
  const Line line = FitLine(kToneNumbers, tones);
  t.step_hz = line.slope;
  t.step_error_percent = 100.0 * (line.slope / step - 1.0);

  // The signal's power in its tones over the noise's in one tone, to the noise in 2500 Hz.
  const Fst4wAmplitudes a = SymbolAmplitudes(band, period, place.start_s, place.tone_zero_hz);
  double signal = 0.0;
  for (std::size_t n = 0; n <= last; ++n) signal += std::norm(a[n][sent[n]]);
  signal /= static_cast<double>(fst4w::kSymbolCount);
  const double noise = search.NoiseAt(place.tone_zero_hz + 1.5 * step);
  const double per_symbol = std::round(symbol_s * band.rate_hz) / band.rate_hz;
  const double ratio = std::max(signal / noise - 1.0, 1e-3) / kToneShare;
  t.snr_db = 10.0 * std::log10(ratio / (fst4w::kSnrBandwidthHz * per_symbol));
  t.sync = SyncShare(a, sent);
}

// Propagation on each kind of ratios, then (when `thorough`) ordered statistics.
std::optional<tonepak::fst4w::LdpcDecoded> Decode(const Fst4wAmplitudes& a, bool thorough) {
  if (auto d = tonepak::fst4w::DecodeLdpc(CoherentBitRatios(a, kRatioScale), 0)) return d;
  for (std::size_t span : kSpans) {
    if (auto d = tonepak::fst4w::DecodeLdpc(BitRatios(a, span, kRatioScale), 0)) return d;
  }
  if (!thorough) return std::nullopt;
  if (auto d = tonepak::fst4w::DecodeLdpc(CoherentBitRatios(a, kRatioScale), 2)) return d;
  for (std::size_t span : {std::size_t{2}, std::size_t{1}}) {
    if (auto d = tonepak::fst4w::DecodeLdpc(BitRatios(a, span, kRatioScale), 2)) return d;
  }
  return std::nullopt;
}

}  // namespace

beacon::Mode ModeForLength(double seconds) {
  for (const fst4w::Period& period : fst4w::kPeriods) {
    if (period.seconds == 120) continue;
    const double transmission = fst4w::TransmissionS(period);
    if (seconds >= transmission && seconds <= period.seconds + 30.0) {
      return *beacon::Fst4wModeOf(period.seconds);
    }
  }
  return beacon::Mode::kWspr;
}

std::vector<Fst4wTransmission> AnalyseFst4w(const Recording& recording, beacon::Mode mode) {
  std::vector<Fst4wTransmission> out;
  const auto period_found = beacon::Fst4wPeriodOf(mode);
  if (!period_found) return out;
  const fst4w::Period period = *period_found;
  const double symbol_s = fst4w::SymbolPeriodS(period);
  const double step = fst4w::ToneStepHz(period);
  const Baseband band =
      MixDown(recording, wspr::kWindowCentreHz, 0.0, recording.Seconds(), kBandRateHz);
  const Fst4wSearch search = SearchFst4w(band, period, wspr::kWindowLowHz - kSearchMarginHz,
                                         wspr::kWindowHighHz + kSearchMarginHz, kCandidates);
  const ChannelSymbols sync = SyncOnly();
  for (const Fst4wCandidate& candidate : search.candidates) {
    Place place =
        FitPlace(band, period, sync, 0, fst4w::kSymbolCount - 1, true,
                 {candidate.start_s, candidate.tone_zero_hz}, symbol_s / 4.0, step / 4.0, 4);
    Fst4wTransmission t;
    t.mode = mode;
    // The fit on forty sync symbols wanders at the limit of decoding: the decoder tries it,
    // the search's own place and a few around both.
    std::vector<Place> tries{place, {candidate.start_s, candidate.tone_zero_hz}};
    for (int i = -1; i <= 1; ++i) {
      for (int k = -1; k <= 1; ++k) {
        if (i != 0 || k != 0) {
          tries.push_back(
              {place.start_s + i * symbol_s / 8.0, place.tone_zero_hz + k * step / 8.0});
        }
      }
    }
    // Ordered statistics, the costly part, for the strongest places only.
    const bool strong = &candidate - search.candidates.data() < kThoroughCandidates;
    Fst4wAmplitudes a{};
    for (const Place& p : tries) {
      a = SymbolAmplitudes(band, period, p.start_s, p.tone_zero_hz);
      t.decoded = Decode(a, strong);
      if (t.decoded) {
        place = p;
        break;
      }
    }
    if (!t.decoded) a = SymbolAmplitudes(band, period, place.start_s, place.tone_zero_hz);
    t.heard = StrongestTones(a);
    t.sync_errors = tonepak::fst4w::SyncErrors(t.heard);
    t.sync = SyncShare(a, sync);
    if (t.decoded) {
      tonepak::fst4w::MessageBits bits{};
      std::copy_n(t.decoded->info.begin(), bits.size(), bits.begin());
      const auto message = tonepak::fst4w::UnpackFst4wMessage(bits);
      if (!message) continue;  // no beacon's message: not one to show
      t.message = message->text;
      t.sent = tonepak::fst4w::ChannelSymbolsOf(t.decoded->codeword);
      for (std::size_t n = 0; n < t.sent.size(); ++n) t.symbol_errors += t.heard[n] != t.sent[n];
      const bool again = std::any_of(out.begin(), out.end(), [&](const Fst4wTransmission& o) {
        return o.message == t.message && std::fabs(o.tones_hz[0] - place.tone_zero_hz) < 4.0 * step;
      });
      if (again) continue;
      Measure(band, period, search, place, t);
    } else {
      if (t.sync < kFst4wUndecodedSync) continue;
      t.start_s = place.start_s;
      t.dt_s = place.start_s - fst4w::kStartS;
      for (unsigned k = 0; k < 4; ++k) t.tones_hz[k] = place.tone_zero_hz + k * step;
      t.step_hz = step;
      t.symbol_ms = 1000.0 * symbol_s;
      const double noise = search.NoiseAt(place.tone_zero_hz + 1.5 * step);
      double signal = 0.0;
      for (std::size_t n = 0; n < a.size(); ++n) signal += std::norm(a[n][t.heard[n]]);
      signal /= static_cast<double>(a.size());
      const double per_symbol = std::round(symbol_s * band.rate_hz) / band.rate_hz;
      t.snr_db = 10.0 * std::log10(std::max(signal / noise - 1.0, 1e-3) / kToneShare /
                                   (fst4w::kSnrBandwidthHz * per_symbol));
    }
    out.push_back(std::move(t));
  }
  // A place that did not decode but sits on a decoded transmission's tones is that one heard
  // again, not a transmission of its own.
  std::erase_if(out, [&](const Fst4wTransmission& t) {
    return !t.decoded && std::any_of(out.begin(), out.end(), [&](const Fst4wTransmission& o) {
      return o.decoded && std::fabs(o.tones_hz[0] - t.tones_hz[0]) < 4.0 * step &&
             std::fabs(o.start_s - t.start_s) < fst4w::TransmissionS(period) / 2.0;
    });
  });
  std::sort(out.begin(), out.end(), [](const Fst4wTransmission& x, const Fst4wTransmission& y) {
    if (std::fabs(x.start_s - y.start_s) > 1.0) return x.start_s < y.start_s;
    return x.tones_hz[0] < y.tones_hz[0];
  });
  return out;
}

}  // namespace beaconcheck
