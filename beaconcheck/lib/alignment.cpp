// Alignment: the run of loud slots, slot 0 from the sync vector near it, the on and off edges.
#include "alignment.hpp"

#include <algorithm>
#include <cmath>

#include "best_run.hpp"
#include "fine_fit.hpp"
#include "symbol_powers.hpp"
#include "sync_correlation.hpp"

namespace beaconcheck {
namespace {

constexpr int kLargestRealignment = 8;  // slots the sync may move the start from the onset
constexpr std::size_t kEdgeWidth = 8;   // slots either side of an edge that decide it
constexpr std::size_t kFewestSymbols = 24;
constexpr double kChance = 0.25;  // a noise slot's strongest tone is the symbol's
constexpr double kSureSigmas = 2.5;
constexpr double kFewestToJudge = 4.0;   // slots
constexpr long long kFewestMissing = 8;  // slots a decoded transmission's edge must leave out
constexpr long long kMostShift = 2;      // slots a table can be late or early by
constexpr double kClearLevel = 4.0;      // signal over noise, per tone and slot, to tell
constexpr double kOffShare = 0.1;        // of the signal's level left in a slot not sent
constexpr std::size_t kWide = kSymbolCount + 2 * kMargin;

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

// Slot 0 where the sync vector fits best within kLargestRealignment of `onset` or of the
// track's own slot 0 (`around` from slot -kMargin on), and that sync.
std::pair<long long, double> SyncedSlot0(const std::vector<std::array<double, 4>>& around,
                                         long long onset) {
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
  return {align, best_sync};
}

}  // namespace

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

std::vector<double> OnScores(const std::vector<std::array<double, 4>>& powers,
                             const SignalLevel& level) {
  // Halfway between the noise's strongest of four tones (about twice its mean) and the signal;
  // each slot scores its strongest tone's distance from there, clipped so that one loud slot
  // cannot carry silence with it.
  const double threshold = 2.0 * level.noise_power + level.signal_power / 2.0;
  const double clip = level.signal_power / 2.0 + level.noise_power;
  std::vector<double> scores(powers.size());
  for (std::size_t i = 0; i < powers.size(); ++i) {
    const double strongest = *std::max_element(powers[i].begin(), powers[i].end());
    scores[i] = std::clamp(strongest - threshold, -clip, clip);
  }
  return scores;
}

OnAir FindOnAir(const std::vector<double>& scores) {
  // A few slots lost in the noise inside the run do not break it.
  const Run run = BestRun(scores.size(), [&](std::size_t i) { return scores[i]; });
  return {static_cast<long long>(run.first), run.count};
}

double EdgeScore(const std::vector<double>& scores, long long at, std::size_t width, bool rising) {
  double sum = 0.0;
  for (std::size_t j = 0; j < width; ++j) {
    const long long after = at + static_cast<long long>(j);
    const long long before = at - 1 - static_cast<long long>(j);
    const auto score = [&](long long i) {
      return i >= 0 && i < static_cast<long long>(scores.size())
                 ? scores[static_cast<std::size_t>(i)]
                 : 0.0;
    };
    sum += rising ? score(after) - score(before) : score(before) - score(after);
  }
  return sum;
}

std::optional<Aligned> Align(const Baseband& baseband, const Track& track, double noise_power) {
  // Where the signal is on, in slots of the fitted track, and where the sync vector puts slot 0.
  const auto around = TonePowers(baseband, track, -kMargin, kWide);
  const auto own = Slice(around, kMargin, kSymbolCount);
  Aligned a;
  a.level = MeasureLevel(track, own, StrongestTones(own), noise_power);
  const std::vector<double> scores = OnScores(around, a.level);
  const OnAir on = FindOnAir(scores);
  if (on.count < kFewestSymbols) return std::nullopt;
  const long long onset = on.first - kMargin;
  const auto [align, sync] = SyncedSlot0(around, onset);
  a.sync = sync;
  const long long first = BestEdge(scores, align + kMargin, true, a.level) - kMargin;
  // The end: all 162 sent unless the run stops clearly short of them.
  const long long run_end = on.first + static_cast<long long>(on.count);
  const long long full_end = first + kMargin + static_cast<long long>(kSymbolCount);
  const long long last_end =
      BestEdge(scores, run_end < full_end - static_cast<long long>(kEdgeWidth) ? run_end : full_end,
               false, a.level) -
      kMargin;
  a.track = track;
  a.track.start_s = track.SlotStartS(align);
  a.first_slot = first - align;
  a.symbols_sent =
      static_cast<std::size_t>(std::clamp<long long>(last_end - first, 0, kSymbolCount));
  return a;
}

void PlaceEdges(const Baseband& baseband, const SignalLevel& level, bool synced, Transmission& t) {
  Track& track = t.track;
  const auto around = TonePowers(baseband, track, -kMargin, kWide);
  const std::vector<double> scores = OnScores(around, level);
  const long long on_at = BestEdge(scores, t.first_slot + kMargin, true, level, synced);
  const long long off_at =
      BestEdge(scores, t.first_slot + kMargin + static_cast<long long>(t.symbols_sent), false,
               level, synced);
  t.first_slot = on_at - kMargin;
  t.symbols_sent = static_cast<std::size_t>(std::clamp<long long>(off_at - on_at, 0, kSymbolCount));
  if (!synced) {
    // No sync vector to place slot 0: it is where the signal begins.
    track.start_s = track.SlotStartS(t.first_slot);
    t.first_slot = 0;
    return;
  }
  const long long end = t.first_slot + static_cast<long long>(t.symbols_sent);
  t.begins_before_recording = baseband.from_recording_start && t.first_slot > 0 &&
                              !SlotInside(baseband, track, t.first_slot - 1);
  t.ends_after_recording = baseband.to_recording_end &&
                           end < static_cast<long long>(kSymbolCount) &&
                           !SlotInside(baseband, track, end);
}

void ExtendWhileHeard(const Baseband& baseband, const std::vector<std::uint8_t>& symbols,
                      double noise_power, Transmission& t) {
  const auto powers = TonePowers(baseband, t.track, 0, kSymbolCount);
  const std::vector<std::uint8_t> strongest = StrongestTones(powers);
  // The slots of [from, to) that the recording holds, each given to `use`; how many there were.
  const auto each_heard = [&](long long from, long long to, auto use) {
    double count = 0.0;
    for (long long i = std::max(0LL, from); i < std::min<long long>(to, kSymbolCount); ++i) {
      const auto at = static_cast<std::size_t>(i);
      if (powers[at][0] < 0.0) continue;
      count += 1.0;
      use(at);
    }
    return count;
  };
  const auto heard = [&](long long from, long long to) {
    double agree = 0.0;
    const double count = each_heard(
        from, to, [&](std::size_t at) { agree += strongest[at] == symbols[at] ? 1.0 : 0.0; });
    // Two and a half standard deviations of chance above chance.
    return count >= kFewestToJudge &&
           agree / count > kChance + kSureSigmas * std::sqrt(kChance * (1.0 - kChance) / count);
  };
  // The decoded tone's mean power over slots [from, to).
  const auto sent_power = [&](long long from, long long to) {
    double sum = 0.0;
    const double count =
        each_heard(from, to, [&](std::size_t at) { sum += powers[at][symbols[at] & 3U]; });
    return count > 0.0 ? sum / count : 0.0;
  };
  const auto off = [&](long long from, long long to) {
    const double level = sent_power(0, kSymbolCount) - noise_power;
    return to - from <= kMostShift && level > kClearLevel * noise_power &&
           sent_power(from, to) - noise_power < kOffShare * level;
  };
  const auto hidden = [&](long long from, long long to) {
    return !off(from, to) && (to - from < kFewestMissing || heard(from, to));
  };
  if (t.first_slot < 0) {
    t.symbols_sent = static_cast<std::size_t>(
        std::max(0LL, static_cast<long long>(t.symbols_sent) + t.first_slot));
    t.first_slot = 0;
  }
  if (t.first_slot > 0 && !t.begins_before_recording && hidden(0, t.first_slot)) {
    t.symbols_sent += static_cast<std::size_t>(t.first_slot);
    t.first_slot = 0;
  }
  const long long end = t.first_slot + static_cast<long long>(t.symbols_sent);
  if (end < static_cast<long long>(kSymbolCount) && !t.ends_after_recording &&
      hidden(end, kSymbolCount)) {
    t.symbols_sent = kSymbolCount - static_cast<std::size_t>(t.first_slot);
  }
}

}  // namespace beaconcheck
