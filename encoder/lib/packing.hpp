// Packing of the channel symbols four to a byte, the form the beacon firmware stores them in.
#pragma once

#include "wspr_types.hpp"

namespace tonepak {

// Each symbol takes two bits, the earliest of a group in the high bits:
//
//   bit:        7 6   5 4   3 2   1 0
//   byte j:     s4j   s4j+1 s4j+2 s4j+3     j = 0..39
//   byte 40:    s160  s161  0 0   0 0
PackedSymbols PackSymbols(const ChannelSymbols& symbols);

}  // namespace tonepak
