// Refinement: a decoded transmission measured again without the neighbours found after it.
#include "refinement.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "duplicates.hpp"
#include "measurement.hpp"

namespace beaconcheck {
namespace {

// A decoded neighbour this close (Hz) that was taken out after a transmission was measured
// disturbed that measurement: it is measured again without it.
constexpr double kNeighbourHz = 40.0;

}  // namespace

bool Disturbs(const Track& neighbour, double tone0_mid_hz, double start_s) {
  return std::abs(Tone0AtMiddle(neighbour) - tone0_mid_hz) < kNeighbourHz &&
         std::abs(neighbour.start_s - start_s) < kTransmissionS;
}

SentSignal SignalOf(const Decoded& d) {
  return {d.t.track, d.tones, d.t.first_slot, d.t.symbols_sent, d.t.phase_continuous};
}

void Refine(Recording& band, std::vector<Decoded>& decoded) {
  for (Decoded& d : decoded) {
    if (!d.in_band) continue;
    const bool disturbed = std::any_of(decoded.begin(), decoded.end(), [&](const Decoded& o) {
      return o.in_band && o.order > d.order &&
             Disturbs(o.t.track, Tone0AtMiddle(d.t.track), d.t.track.start_s);
    });
    if (!disturbed) continue;
    const SentSignal signal = SignalOf(d);
    AddBack(band, signal, d.rebuilt);
    std::optional<Transmission> again = Measure(band, d.t.track);
    TakeOut(band, signal, d.rebuilt);
    if (again && SameMessage(*again, d.t)) d.t = *again;
  }
}

}  // namespace beaconcheck
