// One transmission measured: non-coherent fit, alignment with the sync vector, the symbols,
// decoding, the phase fit and the timing, then the figures.
#include "measurement.hpp"

#include <algorithm>
#include <cmath>

#include "fine_fit.hpp"
#include "noise_floor.hpp"
#include "signal_level.hpp"
#include "symbol_powers.hpp"
#include "sync.hpp"
#include "sync_correlation.hpp"

namespace beaconcheck {
namespace {

constexpr long long kMargin = 16;       // slots looked at before and after the 162
constexpr int kLargestRealignment = 8;  // slots the sync may move the start from the onset
constexpr std::size_t kEdgeWidth = 8;   // slots either side of an edge that decide it
constexpr double kWeakSync = 0.2;
constexpr double kTrySync = 0.15;
constexpr int kMostToneSteps = 3;
constexpr double kChance = 0.25;       // a noise slot's strongest tone is the symbol's
constexpr double kSureSigmas = 2.5;
constexpr double kFewestToJudge = 4.0;  // slots  // tone 0 looked for this many steps either way
constexpr double kLargestPeriodError = 0.05;   // of the symbol period
constexpr double kLargestDriftChangeHz = 2.0;  // from the energy fit's  // a sync this clear is worth a second try at decoding
constexpr double kLowestSnrDb = -34.0;
constexpr std::size_t kFewestSymbols = 24;

std::vector<std::array<double, 4>> Slice(const std::vector<std::array<double, 4>>& powers,
                                         long long first, std::size_t count) {
  std::vector<std::array<double, 4>> out(count);
  for (std::size_t i = 0; i < count; ++i) {
    const long long at = first + static_cast<long long>(i);
    if (at >= 0 && at < static_cast<long long>(powers.size())) {
      out[i] = powers[static_cast<std::size_t>(at)];
    } else {
      out[i].fill(-1.0);
    }
  }
  return out;
}

// The sync correlation of 162 slots of tone powers (slots not heard count for nothing).
double SyncCorrelation(const std::vector<std::array<double, 4>>& powers) {
  return beaconcheck::SyncCorrelation([&](std::size_t i) {
    return i < powers.size() && powers[i][0] >= 0.0 ? FromTones(powers[i]) : SymbolSync{};
  });
}

// The slot near `guess` where the signal comes on (or goes off) most clearly; `guess` itself
// unless another is clearly better, so that noise does not invent a table shifted by one.
long long BestEdge(const std::vector<double>& scores, long long guess, bool rising,
                   const SignalLevel& level, bool prefer_guess = true) {
  const double margin = prefer_guess ? level.signal_power / 2.0 + level.noise_power : 0.0;
  long long best = guess;
  double best_score = EdgeScore(scores, guess, kEdgeWidth, rising) + margin;
  for (long long at = guess - 6; at <= guess + 6; ++at) {
    const double score = EdgeScore(scores, at, kEdgeWidth, rising);
    if (score > best_score) {
      best_score = score;
      best = at;
    }
  }
  return best;
}

tonepak::TonePowers ToDecoder(const std::vector<std::array<double, 4>>& powers, bool inverted) {
  tonepak::TonePowers out{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    for (std::size_t k = 0; k < 4; ++k) {
      const double p = std::max(0.0, powers[i][inverted ? 3 - k : k]);
      out[i][k] = static_cast<float>(p);
    }
  }
  return out;
}

// The message from the tone powers, read upside down too when the sync says so.
void Decode(const std::vector<std::array<double, 4>>& powers, Transmission& t) {
  t.decoded = tonepak::DecodeTonePowers(ToDecoder(powers, false));
  t.decoded_inverted = false;
  if (!t.decoded && t.sync < 0.0) {
    t.decoded = tonepak::DecodeTonePowers(ToDecoder(powers, true));
    t.decoded_inverted = t.decoded.has_value();
  }
}

// A decoded transmission's slots beyond the edges found, looked at once more: where their
// strongest tones are the decoded symbols clearly more often than chance (one in four), the
// beacon was sending there and a fade or a neighbour hid it, and the edge moves out to them.
void ExtendWhileHeard(const Baseband& baseband, const Track& track,
                      const std::vector<std::uint8_t>& symbols, Transmission& t) {
  const auto powers = TonePowers(baseband, track, 0, kSymbolCount);
  const std::vector<std::uint8_t> strongest = StrongestTones(powers);
  const auto heard = [&](long long from, long long to) {
    double count = 0.0;
    double agree = 0.0;
    for (long long i = std::max(0LL, from); i < std::min<long long>(to, kSymbolCount); ++i) {
      const auto at = static_cast<std::size_t>(i);
      if (powers[at][0] < 0.0) continue;
      count += 1.0;
      agree += strongest[at] == symbols[at] ? 1.0 : 0.0;
    }
    // Two and a half standard deviations of chance above chance.
    return count >= kFewestToJudge &&
           agree / count > kChance + kSureSigmas * std::sqrt(kChance * (1.0 - kChance) / count);
  };
  if (t.first_slot > 0 && !t.begins_before_recording && heard(0, t.first_slot)) {
    t.symbols_sent += static_cast<std::size_t>(t.first_slot);
    t.first_slot = 0;
  }
  const long long end = t.first_slot + static_cast<long long>(t.symbols_sent);
  if (end < static_cast<long long>(kSymbolCount) && !t.ends_after_recording &&
      heard(end, kSymbolCount)) {
    t.symbols_sent = kSymbolCount - static_cast<std::size_t>(std::max(0LL, t.first_slot));
  }
}

// Least-squares line through the four tones: step and the tone farthest off it.
void Spacing(Transmission& t, double rough_sigma_hz) {
  double mean = 0.0;
  for (const double f : t.tones_hz) mean += f / 4.0;
  // Tone numbers -1.5 .. 1.5 around their mean.
  double slope = 0.0;
  for (std::size_t k = 0; k < 4; ++k)
    slope += (static_cast<double>(k) - 1.5) * (t.tones_hz[k] - mean);
  slope /= 5.0;
  t.step_hz = slope;
  double sigma2 = 0.0;
  for (std::size_t k = 0; k < 4; ++k) {
    const double s = std::max(t.tones_sigma_hz[k], rough_sigma_hz);
    sigma2 += (static_cast<double>(k) - 1.5) * (static_cast<double>(k) - 1.5) * s * s;
  }
  t.step_sigma_hz = std::sqrt(sigma2) / 5.0;
  t.step_error_percent = 100.0 * (t.step_hz / kToneSpacingHz - 1.0);
  // One tone off the grid of the other three: the largest departure from the line the other
  // three make, when it is well beyond the measurement's own uncertainty.
  double worst = 0.0;
  for (std::size_t k = 0; k < 4; ++k) {
    double others_mean = 0.0;
    double others_k = 0.0;
    for (std::size_t j = 0; j < 4; ++j) {
      if (j == k) continue;
      others_mean += t.tones_hz[j] / 3.0;
      others_k += static_cast<double>(j) / 3.0;
    }
    double num = 0.0;
    double den = 0.0;
    for (std::size_t j = 0; j < 4; ++j) {
      if (j == k) continue;
      num += (static_cast<double>(j) - others_k) * (t.tones_hz[j] - others_mean);
      den += (static_cast<double>(j) - others_k) * (static_cast<double>(j) - others_k);
    }
    const double predicted = others_mean + num / den * (static_cast<double>(k) - others_k);
    const double off = t.tones_hz[k] - predicted;
    const double limit = std::max(0.02, 8.0 * std::max(t.tones_sigma_hz[k], rough_sigma_hz));
    if (std::abs(off) > limit && std::abs(off) > std::abs(worst)) {
      worst = off;
      t.off_grid_tone = static_cast<int>(k);
    }
  }
  t.evenly_spaced = t.off_grid_tone < 0;
  t.off_grid_hz = worst;
}

}  // namespace

std::optional<Transmission> MeasureTransmission(const Baseband& baseband, Track track) {
  // The fits on tone energy need only the few hertz the tones move in: a quarter of the
  // samples, so a quarter of the work. The timing they find is refined at the full rate below.
  const Baseband narrow = Narrowed(baseband);
  const Track initial = track;
  track = FitTrack(narrow, SnapToTones(narrow, track));
  if (const Track snapped = SnapToTones(narrow, track); snapped.tones_hz != track.tones_hz) {
    track = FitTrack(narrow, snapped);
  }
  // Where the signal is on, in slots of the fitted track, and where the sync vector puts slot 0.
  const std::size_t wide = kSymbolCount + 2 * kMargin;
  const auto around = TonePowers(baseband, track, -kMargin, wide);
  // The noise where no signal is, once: it does not move with the fits that follow.
  const double noise_power = QuietNoisePower(baseband, track);
  SignalLevel level =
      MeasureLevel(track, Slice(around, kMargin, kSymbolCount),
                   StrongestTones(Slice(around, kMargin, kSymbolCount)), noise_power);
  const std::vector<double> scores = OnScores(around, level);
  const OnAir on = FindOnAir(scores);
  if (on.count < kFewestSymbols) return std::nullopt;
  // Slot 0 where the sync vector fits best near the onset; the onset and the end where the
  // signal most clearly comes on and goes off near where the run found them.
  // Near the onset, and near slot 0, where the candidate search's sync put the start: a weak
  // signal's run of loud slots can begin anywhere in the noise, its sync vector cannot.
  const long long onset = on.first - kMargin;
  long long align = onset;
  double best_sync = 0.0;
  for (const long long near : {onset, 0LL}) {
    for (long long j = near - kLargestRealignment; j <= near + kLargestRealignment; ++j) {
      const double sync = SyncCorrelation(Slice(around, j + kMargin, kSymbolCount));
      if (std::abs(sync) > std::abs(best_sync)) {
        best_sync = sync;
        align = j;
      }
    }
  }
  if (std::abs(best_sync) < kWeakSync) align = onset;
  const long long first = BestEdge(scores, align + kMargin, true, level) - kMargin;
  // The end: all 162 sent unless the run stops clearly short of them.
  const long long run_end = on.first + static_cast<long long>(on.count);
  const long long full_end = first + kMargin + static_cast<long long>(kSymbolCount);
  const long long last_end =
      BestEdge(scores, run_end < full_end - static_cast<long long>(kEdgeWidth) ? run_end : full_end,
               false, level) -
      kMargin;
  track.start_s = track.SlotStartS(align);

  Transmission t;
  t.first_slot = first - align;
  t.symbols_sent =
      static_cast<std::size_t>(std::clamp<long long>(last_end - first, 0, kSymbolCount));
  auto powers = TonePowers(baseband, track, 0, kSymbolCount);
  std::vector<std::uint8_t> symbols = StrongestTones(powers);

  // Decoding, with the tones upside down too when the sync says so.
  t.sync = SyncCorrelation(powers);
  Decode(powers, t);
  if (!t.decoded) {
    // The sync is clear but the message does not come: in a crowd the fit may sit between
    // this signal and a neighbour, or steps off. From the fitted track and from where the
    // search put it, the track that fits the sync best is found, and tone 0 is settled among
    // the three steps either way by the sync: the clearest two are tried before giving up.
    for (const Track& from : {track, initial}) {
      if (t.decoded) break;
      if (std::abs(SyncCorrelation(TonePowers(narrow, from, 0, kSymbolCount))) < kTrySync) continue;
      const Track synced = FitSync(narrow, from, SyncCorrelation);
      std::vector<std::pair<double, Track>> steps;
      for (int step = -kMostToneSteps; step <= kMostToneSteps; ++step) {
        Track moved = synced;
        for (double& f : moved.tones_hz) f += step * kToneSpacingHz;
        steps.emplace_back(SyncCorrelation(TonePowers(narrow, moved, 0, kSymbolCount)), moved);
      }
      std::sort(steps.begin(), steps.end(), [](const auto& x, const auto& y) {
        return std::abs(x.first) > std::abs(y.first);
      });
      for (std::size_t i = 0; i < 2 && !t.decoded; ++i) {
        if (std::abs(steps[i].first) < kTrySync) break;
        const auto tried_powers = TonePowers(baseband, steps[i].second, 0, kSymbolCount);
        Transmission trial;
        trial.sync = SyncCorrelation(tried_powers);
        Decode(tried_powers, trial);
        if (trial.decoded) {
          track = steps[i].second;
          powers = tried_powers;
          t.sync = trial.sync;
          t.decoded = trial.decoded;
          t.decoded_inverted = trial.decoded_inverted;
        }
      }
    }
  }

  if (t.decoded) {
    for (std::size_t i = 0; i < kSymbolCount; ++i) {
      const std::uint8_t s = t.decoded->symbols[i];
      symbols[i] = t.decoded_inverted ? static_cast<std::uint8_t>(3 - s) : s;
    }
  }

  // The sent slots of the aligned track, for the fits that know the symbols.
  const auto sent_end = static_cast<std::size_t>(
      std::clamp<long long>(t.first_slot + static_cast<long long>(t.symbols_sent), 0,
                            static_cast<long long>(kSymbolCount)));
  std::vector<std::uint8_t> sent(symbols.begin(),
                                 symbols.begin() + static_cast<std::ptrdiff_t>(sent_end));
  track = FitTones(baseband, track, sent);
  track = FitTiming(baseband, track, sent);
  PhaseFit phase = FitPhase(baseband, track, sent);
  // A phase fit that walked far off (a carrier's phase fits any track) is not taken.
  phase.coherent = phase.coherent &&
                   std::abs(phase.track.symbol_s / kSymbolPeriodS - 1.0) < kLargestPeriodError &&
                   std::abs(phase.track.drift_hz - track.drift_hz) < kLargestDriftChangeHz;
  if (phase.coherent) track = phase.track;
  t.track = track;
  t.phase_continuous = phase.coherent;
  // The edges again on the final track, which may have moved by a fraction of a symbol. Without
  // a sync vector to place slot 0, nothing favours the first reading.
  {
    const auto final_around = TonePowers(baseband, track, -kMargin, wide);
    const std::vector<double> final_scores = OnScores(final_around, level);
    const bool synced = std::abs(best_sync) >= kWeakSync;
    const long long on_at = BestEdge(final_scores, t.first_slot + kMargin, true, level, synced);
    const long long off_at =
        BestEdge(final_scores, t.first_slot + kMargin + static_cast<long long>(t.symbols_sent),
                 false, level, synced);
    t.first_slot = on_at - kMargin;
    t.symbols_sent =
        static_cast<std::size_t>(std::clamp<long long>(off_at - on_at, 0, kSymbolCount));
    if (!synced) {
      // No sync vector to place slot 0: it is where the signal begins.
      track.start_s = track.SlotStartS(t.first_slot);
      t.track = track;
      t.first_slot = 0;
    } else {
      // An edge at the recording's own start or end is where the recording, not the beacon,
      // began or stopped.
      const long long end = t.first_slot + static_cast<long long>(t.symbols_sent);
      t.begins_before_recording = baseband.from_recording_start && t.first_slot > 0 &&
                                  !SlotInside(baseband, track, t.first_slot - 1);
      t.ends_after_recording = baseband.to_recording_end &&
                               end < static_cast<long long>(kSymbolCount) &&
                               !SlotInside(baseband, track, end);
    }
  }

  if (t.decoded) ExtendWhileHeard(baseband, track, symbols, t);

  powers = TonePowers(baseband, track, 0, kSymbolCount);
  std::vector<std::uint8_t> on_air(t.symbols_sent, 0);
  for (std::size_t i = 0; i < t.symbols_sent; ++i) {
    const long long at = t.first_slot + static_cast<long long>(i);
    if (at >= 0 && at < static_cast<long long>(kSymbolCount))
      on_air[i] = symbols[static_cast<std::size_t>(at)];
  }
  level = MeasureLevel(track, Slice(powers, t.first_slot, t.symbols_sent), on_air, noise_power);
  t.snr_db = level.snr_db;
  if (t.snr_db < kLowestSnrDb) return std::nullopt;
  t.sync = SyncCorrelation(powers);
  t.powers = ToDecoder(powers, false);
  const std::vector<std::uint8_t> strongest = StrongestTones(powers);
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    t.sync_agreeing += (strongest[i] & 1U) == tonepak::SyncVector[i] ? 1 : 0;
    const long long from = t.first_slot + static_cast<long long>(i);
    if (i < t.symbols_sent && from >= 0 && from < static_cast<long long>(kSymbolCount)) {
      t.heard[i] = strongest[static_cast<std::size_t>(from)];
    }
  }

  // The figures, at the moment the signal begins (before the recording, where the sync vector
  // puts it, when the recording began later).
  t.start_s = track.SlotStartS(t.begins_before_recording ? 0 : t.first_slot);
  // DT within the transmission's own two-minute slot, for a file that begins at an even minute.
  t.dt_s = t.start_s - wspr::kDtOffsetS -
           wspr::kSlotS * std::round((t.start_s - wspr::kDtOffsetS) / wspr::kSlotS);
  for (std::size_t k = 0; k < 4; ++k) t.tones_hz[k] = track.ToneHz(k, t.start_s);
  // Without the phase, a tone is known to about a tenth of the resolution of one symbol spread
  // over the symbols sent in it.
  const double rough =
      phase.coherent
          ? 0.0
          : 0.5 / (track.symbol_s * std::sqrt(static_cast<double>(t.symbols_sent) / 4.0 + 1.0));
  t.tones_sigma_hz =
      phase.coherent ? phase.tones_sigma_hz : std::array<double, 4>{rough, rough, rough, rough};
  t.drift_hz = track.drift_hz;
  t.drift_sigma_hz = phase.coherent ? phase.drift_sigma_hz : 4.0 * rough;
  Spacing(t, rough);
  if (phase.coherent && phase.even_step_hz > 0.0) {
    t.step_hz = phase.even_step_hz;
    t.step_sigma_hz = phase.even_step_sigma_hz;
    t.step_error_percent = 100.0 * (t.step_hz / kToneSpacingHz - 1.0);
  }
  t.symbol_ms = track.symbol_s * 1000.0;
  t.symbol_error_percent = 100.0 * (track.symbol_s / kSymbolPeriodS - 1.0);
  return t;
}

}  // namespace beaconcheck
