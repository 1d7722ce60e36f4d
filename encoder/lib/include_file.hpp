// Text of wsptones.inc, the PIC assembler include file with the packed symbols as EEPROM data.
#pragma once

#include <string>

#include "wspr_types.hpp"

namespace tonepak {

// Eight lines ending in CR LF on every platform: two comments, five "de" lines of eight bytes,
// and a last "de" line with the 41st byte. The second comment names the message: a standard one
// by its fields as they are encoded (427 bytes plus the digits of the power), the other types
// as a decoder prints them, "PJ4/K1ABC 37" or "<PJ4/K1ABC> FK52UD 37".
std::string IncludeFileText(const Message& message, const PackedSymbols& packed);

}  // namespace tonepak
