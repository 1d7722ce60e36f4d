// The waterfall of one transmission as RGB pixels: what --plot writes and the page draws.
#pragma once

#include <cstdint>
#include <vector>

#include "beaconcheck.hpp"

namespace beaconcheck {

struct Waterfall {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height pixels, three bytes each, row by row
};

// Time runs down, one row for each quarter symbol; frequency across, a few hertz either side of
// the four tones, in steps of an eighth of a tone step; power grey on black over 30 dB. The
// intended tone of each slot is drawn as a green mark (--expect's transmission, else the
// decoded one, else what was heard), and a differing symbol's row is marked red at the left.
Waterfall DrawWaterfall(const Recording& recording, const Transmission& t, const Verdict& verdict,
                        const tonepak::IntendedTransmissions& intended);

}  // namespace beaconcheck
