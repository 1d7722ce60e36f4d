// The truth of a busy-band recording as a tab-separated table: comment lines (#) with the
// options, then a header line and one line per beacon sent.
#pragma once

#include <string>
#include <vector>

#include "band_plan.hpp"

namespace measure {

// `noise_lsb`: the noise's standard deviation in 16-bit steps, as written.
std::string TruthText(const BandOptions& options, const std::vector<Beacon>& beacons,
                      double noise_lsb);

}  // namespace measure
