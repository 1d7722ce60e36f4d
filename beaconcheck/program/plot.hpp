// --plot: a waterfall of one transmission as a PNG picture, the tones meant drawn over it.
#pragma once

#include <string>

#include "beaconcheck.hpp"

namespace beaconcheck {

// Time runs down, one row for each quarter symbol; frequency across, a few hertz either side of
// the four tones, in steps of an eighth of a tone step. The intended tone of each slot is drawn
// as a green mark, and a differing symbol's row is marked red at the left edge. Returns the
// error ("cannot write NAME: REASON") or nothing.
std::string WritePlot(const std::string& name, const Recording& recording, const Transmission& t,
                      const Verdict& verdict, const tonepak::IntendedTransmissions& intended);

}  // namespace beaconcheck
