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
    std::sort(steps.begin(), steps.end(),
              [](const auto& x, const auto& y) { return std::abs(x.first) > std::abs(y.first); });
    for (std::size_t i = 0; i < 2 && !t.decoded; ++i) {
      if (std::abs(steps[i].first) < kTrySync) break;
      const auto tried_powers = TonePowers(baseband, steps[i].second, 0, kSymbolCount);
      Transmission trial;
      trial.sync = SyncCorrelation(tried_powers);
      Decode(tried_powers, trial);
      if (trial.decoded) {
        track = steps[i].second;
        t.sync = trial.sync;
        t.decoded = trial.decoded;
        t.decoded_inverted = trial.decoded_inverted;
      }
    }
  }
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

void Decode(const std::vector<std::array<double, 4>>& powers, Transmission& t) {
  t.decoded = tonepak::DecodeTonePowers(ToDecoder(powers, false));
  t.decoded_inverted = false;
  if (!t.decoded && t.sync < 0.0) {
    t.decoded = tonepak::DecodeTonePowers(ToDecoder(powers, true));
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
                       const Track& searched, Transmission& t) {
  const auto powers = TonePowers(baseband, aligned, 0, kSymbolCount);
  t.sync = SyncCorrelation(powers);
  Decode(powers, t);
  Decoding out{aligned, {}};
  if (!t.decoded) out.track = SyncRetries(baseband, narrow, {aligned, searched}, aligned, t);
  if (t.decoded) {
    const tonepak::ChannelSymbols tones = TonesSent(t);
    out.symbols.assign(tones.begin(), tones.end());
  } else {
    out.symbols = StrongestTones(powers);
  }
  return out;
}

}  // namespace beaconcheck
