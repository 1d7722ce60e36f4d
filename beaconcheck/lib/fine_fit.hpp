// The track refined without phase: the tone energy in every symbol, maximised over the track.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "baseband.hpp"
#include "candidate_search.hpp"
#include "track.hpp"

namespace beaconcheck {

// The even-tone track from a candidate: nominal step and symbol period.
Track TrackFromCandidate(const Candidate& candidate);

// Tone 0, step, drift, start and symbol period refined together by coordinate ascent on the
// sum over the 162 slots of the strongest tone's power, each parameter by a parabola through
// three trial values, the trial spacing shrinking round by round. Works whether or not the
// phase is continuous; resolves a tone to a few hundredths of a hertz at -15 dB.
Track FitTrack(const Baseband& baseband, Track track);

// The four tones moved by whole steps (up to two either way) to where they hold the most
// energy: a candidate placed by a sync vector that the beacon does not send (its symbols'
// bits swapped) can sit a step or two off.
Track SnapToTones(const Baseband& baseband, const Track& track);

// The start and symbol period refined with the symbols known (heard or decoded): the power in
// each slot's own tone, maximised; tones held as given.
Track FitTiming(const Baseband& baseband, Track track, const std::vector<std::uint8_t>& symbols);

// Each tone's frequency refined on its own, the symbols known: how a tone off the others'
// grid is found when the phase cannot be followed.
Track FitTones(const Baseband& baseband, Track track, const std::vector<std::uint8_t>& symbols);

// Tone 0, drift and start refined by coordinate ascent on the sync correlation of the tone
// powers (`sync` gives it from the powers of the 162 slots): in a crowd, where other signals'
// tones pull a fit on the strongest tone, the sync vector follows this transmission alone.
Track FitSync(const Baseband& baseband, Track track,
              double (*sync)(const std::vector<std::array<double, 4>>& powers));

// The strongest tone of each of the 162 slots.
std::vector<std::uint8_t> StrongestTones(const std::vector<std::array<double, 4>>& powers);

}  // namespace beaconcheck
