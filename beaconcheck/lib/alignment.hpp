// Where a transmission sits on its track: which slot the sync vector calls slot 0, and the slots
// in which the beacon was on the air.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "baseband.hpp"
#include "signal_level.hpp"
#include "track.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// Slots looked at before and after the 162.
inline constexpr long long kMargin = 16;
// A sync correlation weaker than this does not place slot 0: the onset does.
inline constexpr double kWeakSync = 0.2;

// `count` slots of `powers` from slot `first` on; slots it does not hold give -1 in every tone.
std::vector<std::array<double, 4>> Slice(const std::vector<std::array<double, 4>>& powers,
                                         long long first, std::size_t count);

// Each slot's evidence that the signal is on: its strongest tone's distance from halfway
// between noise and signal, clipped to the signal's half.
std::vector<double> OnScores(const std::vector<std::array<double, 4>>& powers,
                             const SignalLevel& level);

// The slots where the signal is on: the run of slots with the highest total score, faint slots
// within it allowed. first is relative to slot 0 of the scores.
struct OnAir {
  long long first = 0;
  std::size_t count = 0;
};
OnAir FindOnAir(const std::vector<double>& scores);

// How clearly the signal comes on (rising) or goes off at slot `at`: the scores of `width`
// slots after it less those of `width` before it, or the other way round.
double EdgeScore(const std::vector<double>& scores, long long at, std::size_t width, bool rising);

// A fitted track aligned: its start moved to slot 0, and the slots on the air from there.
struct Aligned {
  Track track;
  long long first_slot = 0;
  std::size_t symbols_sent = 0;
  double sync = 0.0;  // the best sync correlation found; below kWeakSync slot 0 is the onset
  SignalLevel level;  // the first reading of signal and noise, which the edges are judged by
};

// Slot 0 where the sync vector fits best within a few slots of the onset of the loud run or of
// the track's own start (a weak signal's run of loud slots can begin anywhere in the noise, its
// sync vector cannot); the onset and the end where the signal most clearly comes on and goes
// off near there. nullopt when the run is too short to be a transmission.
std::optional<Aligned> Align(const Baseband& baseband, const Track& track, double noise_power);

// The edges found again on `t.track`, the final track, which may have moved by a fraction of a
// symbol from the one aligned: without a sync vector (`synced` false) nothing favours the first
// reading, and slot 0 is then where the signal begins. An edge at the recording's own start or
// end is where the recording, not the beacon, began or stopped.
void PlaceEdges(const Baseband& baseband, const SignalLevel& level, bool synced, Transmission& t);

// A decoded transmission's edges looked at once more. Nothing of it lies before slot 0 (what
// seemed on there was a neighbour); slots missing at an end are a fade, and the edge moves out
// over them, unless a strong signal's tone holds next to nothing there for a slot or two (a
// table one late or early), or, where more are missing than a fade hides, their strongest
// tones are not the decoded symbols clearly more often than chance (one in four).
void ExtendWhileHeard(const Baseband& baseband, const std::vector<std::uint8_t>& symbols,
                      double noise_power, Transmission& t);

}  // namespace beaconcheck
