// --plot: a waterfall of one transmission as a PNG picture, the tones meant drawn over it.
#pragma once

#include <string>

#include "beaconcheck.hpp"

namespace beaconcheck {

// Writes DrawWaterfall's picture (waterfall.hpp) to the file `name`. Returns the error
// ("cannot write NAME: REASON") or nothing.
std::string WritePlot(const std::string& name, const Recording& recording, const Transmission& t,
                      const Verdict& verdict, const tonepak::IntendedTransmissions& intended);

}  // namespace beaconcheck
