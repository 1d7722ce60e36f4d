// Random standard WSPR messages, "K1ABC FN42 37": a call of one or two letters, a digit and one
// to three letters; a four-character locator; a power a station may send.
#pragma once

#include <array>
#include <string>

#include "seeded_random.hpp"

namespace measure {

// The powers of a standard message: 0, 3 and 7 dBm in every decade, from 0 to 60 dBm.
inline constexpr std::array<int, 19> kStandardPowersDbm = {0,  3,  7,  10, 13, 17, 20, 23, 27, 30,
                                                           33, 37, 40, 43, 47, 50, 53, 57, 60};

std::string RandomMessage(SeededRandom& random);

}  // namespace measure
