// Decoding, and the retries from tracks fitted to the sync when a clear sync does not decode.
#include "decoding.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "fine_fit.hpp"
#include "symbol_powers.hpp"
#include "sync_correlation.hpp"

namespace beaconcheck {
namespace {

constexpr double kTrySync = 0.15;  // a sync this clear is worth a second try at decoding
constexpr int kMostToneSteps = 3;  // tone 0 looked for this many steps either way
// The second tries get half the decoder's steps: a track that is right decodes in a few
// hundred, and a wrong one would take them all.
constexpr tonepak::DecoderLimits kRetryLimits{5'000, tonepak::DecoderLimits{}.threshold_step};
// A strong reading with a clear sync that still does not decode is nudged: so far and so often.
constexpr double kClearSync = 0.3;
constexpr double kStrongSnrDb = -20.0;
constexpr std::array<double, 5> kNudgesS{-0.5, -0.25, 0.0, 0.25, 0.5};
constexpr std::array<double, 5> kNudgesHz{-0.6, -0.3, 0.0, 0.3, 0.6};
constexpr std::size_t kMostNudges = 8;

// The first of `tracks` (clearest sync first, none below `least_sync`) on which the message
// decodes, within `most` tries: `track` moved there and `t` read there.
void TryInTurn(const Baseband& baseband, std::vector<std::pair<double, Track>> tracks,
               std::size_t most, double least_sync, Track& track, Transmission& t) {
  std::sort(tracks.begin(), tracks.end(),
            [](const auto& x, const auto& y) { return std::abs(x.first) > std::abs(y.first); });
  for (std::size_t i = 0; i < most && i < tracks.size() && !t.decoded; ++i) {
    if (std::abs(tracks[i].first) < least_sync) break;
    const auto tried_powers = TonePowers(baseband, tracks[i].second, 0, kSymbolCount);
    Transmission trial;
    trial.sync = SyncCorrelation(tried_powers);
    Decode(tried_powers, trial, kRetryLimits);
    if (trial.decoded) {
      track = tracks[i].second;
      t.sync = trial.sync;
      t.decoded = trial.decoded;
      t.decoded_inverted = trial.decoded_inverted;
    }
  }
}

// The sync is clear but the message does not come: in a crowd the fit may sit between this
// signal and a neighbour, or steps off. From each of `starts` the track that fits the sync best
// is found, and tone 0 is settled among the three steps either way by the sync: the clearest
// two are tried before giving up. The track that decoded, with `t` read there.
Track SyncRetries(const Baseband& baseband, const Baseband& narrow,
                  const std::array<Track, 2>& starts, Track track, Transmission& t) {
  for (const Track& from : starts) {
    if (t.decoded) break;
    if (std::abs(SyncCorrelation(TonePowers(narrow, from, 0, kSymbolCount))) < kTrySync) continue;
    const Track synced = FitSync(narrow, from, SyncCorrelation);
    std::vector<std::pair<double, Track>> steps;
    for (int step = -kMostToneSteps; step <= kMostToneSteps; ++step) {
      Track moved = synced;
      for (double& f : moved.tones_hz) f += step * kToneSpacingHz;
      steps.emplace_back(SyncCorrelation(TonePowers(narrow, moved, 0, kSymbolCount)), moved);
    }
    TryInTurn(baseband, std::move(steps), 2, kTrySync, track, t);
  }
  return track;
}

// Two strong beacons a hertz and a second apart: every fit settles between them, where neither
// decodes. Tracks around it, a fraction of a step and of a second either way, are tried, the
// clearest sync first.
Track Nudged(const Baseband& baseband, const Baseband& narrow, Track track, Transmission& t) {
  std::vector<std::pair<double, Track>> nearby;
  for (const double dt : kNudgesS) {
    for (const double df : kNudgesHz) {
      if (dt == 0.0 && df == 0.0) continue;
      Track moved = track;
      moved.start_s += dt;
      for (double& f : moved.tones_hz) f += df;
      nearby.emplace_back(SyncCorrelation(TonePowers(narrow, moved, 0, kSymbolCount)), moved);
    }
  }
  TryInTurn(baseband, std::move(nearby), kMostNudges, 0.0, track, t);
  return track;
}

}  // namespace

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

void Decode(const std::vector<std::array<double, 4>>& powers, Transmission& t,
            const tonepak::DecoderLimits& limits) {
  t.decoded = tonepak::DecodeTonePowers(ToDecoder(powers, false), limits);
  t.decoded_inverted = false;
  if (!t.decoded && t.sync < 0.0) {
    t.decoded = tonepak::DecodeTonePowers(ToDecoder(powers, true), limits);
    t.decoded_inverted = t.decoded.has_value();
  }
}

tonepak::ChannelSymbols TonesSent(const Transmission& t) {
  tonepak::ChannelSymbols tones{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const std::uint8_t s = t.decoded->symbols[i];
    tones[i] = t.decoded_inverted ? static_cast<std::uint8_t>(3 - s) : s;
  }
  return tones;
}

Decoding DecodeAligned(const Baseband& baseband, const Baseband& narrow, const Track& aligned,
                       const Track& searched, double snr_db, Transmission& t) {
  const auto powers = TonePowers(baseband, aligned, 0, kSymbolCount);
  t.sync = SyncCorrelation(powers);
  Decode(powers, t);
  Decoding out{aligned, {}};
  if (!t.decoded) out.track = SyncRetries(baseband, narrow, {aligned, searched}, aligned, t);
  if (!t.decoded && std::abs(t.sync) >= kClearSync && snr_db >= kStrongSnrDb) {
    out.track = Nudged(baseband, narrow, aligned, t);
  }
  if (t.decoded) {
    const tonepak::ChannelSymbols tones = TonesSent(t);
    out.symbols.assign(tones.begin(), tones.end());
  } else {
    out.symbols = StrongestTones(powers);
  }
  return out;
}

}  // namespace beaconcheck
