// When two findings are one: a transmission found twice (by two pieces of the search, by two
// passes, or as its own side lobes), two candidates of one pass, a carrier seen twice.
#pragma once

#include <cmath>

#include "candidate_search.hpp"
#include "carrier.hpp"
#include "track.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// One transmission, found twice: tone 0 this close (Hz) and the start this close (s). Two
// beacons 6 Hz apart are two.
inline constexpr double kSameHz = 3.0;
inline constexpr double kSameS = 20.0;
// Two candidates of one pass closer than this are one: in a cluster of beacons a few hertz
// apart each candidate is its own guess at which of them is where, and each is measured.
inline constexpr double kSameCandidateHz = 0.8;
// One carrier: this close (Hz), and heard again by a second after it was last heard.
inline constexpr double kSameCarrierHz = 0.8;
inline constexpr double kCarrierGapS = 1.0;

// Tone 0 in the middle slot and the start of two findings: the same transmission.
inline bool SamePlace(double tone0_a, double start_a, double tone0_b, double start_b) {
  return std::abs(tone0_a - tone0_b) < kSameHz && std::abs(start_a - start_b) < kSameS;
}
inline bool SamePlace(const Transmission& t, double tone0_mid_hz, double start_s) {
  return SamePlace(Tone0AtMiddle(t.track), t.track.start_s, tone0_mid_hz, start_s);
}

// Two candidates of one pass that are one guess.
inline bool SameCandidate(const Candidate& a, const Candidate& b) {
  return std::abs(a.tone0_mid_hz - b.tone0_mid_hz) < kSameCandidateHz &&
         std::abs(a.start_s - b.start_s) < kSameS;
}

// Two readings that decode to the same message.
inline bool SameMessage(const Transmission& a, const Transmission& b) {
  return a.decoded && b.decoded && a.decoded->n1 == b.decoded->n1 && a.decoded->n2 == b.decoded->n2;
}
// The same message beginning at about the same time: one transmission, however far apart the
// tracks it was read on.
inline bool SameTransmission(const Transmission& a, const Transmission& b) {
  return SameMessage(a, b) && std::abs(a.start_s - b.start_s) < kSameS;
}

// A carrier `later` (beginning no sooner than `earlier`) that is `earlier` heard again.
inline bool SameCarrier(const Carrier& earlier, const Carrier& later) {
  return std::abs(earlier.frequency_hz - later.frequency_hz) < kSameCarrierHz &&
         later.start_s <= earlier.start_s + earlier.seconds + kCarrierGapS;
}

}  // namespace beaconcheck
