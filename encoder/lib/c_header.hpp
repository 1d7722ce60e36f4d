// Text of wsptones.h, the transmissions as C arrays for C and C++ firmware (AVR, Arduino, XC8).
#pragma once

#include <span>
#include <string>

#include "encoding.hpp"

namespace tonepak {

// For each transmission, in order, its message in a comment and two arrays of uint8_t: the 162
// symbols one to a byte (0..3) and the 41 bytes packed as in the include file. The first
// transmission's are wspr_symbols and wspr_packed, the second's wspr_symbols_2 and
// wspr_packed_2. Plain C99 with <stdint.h>: the arrays are defined, not only declared, so the
// header goes into one source file of the firmware. WSPR_ROM, empty unless the firmware defines
// it first (e.g. as PROGMEM on an AVR), is put on every array. Lines end in LF.
std::string CHeaderText(std::span<const Encoding> transmissions);

}  // namespace tonepak
