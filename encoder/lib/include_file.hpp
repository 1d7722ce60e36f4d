// Text of wsptones.inc, the PIC assembler include file with the packed symbols as EEPROM data.
#pragma once

#include <string>

#include "wspr_types.hpp"

namespace tonepak {

inline constexpr const char* kIncludeFileName = "wsptones.inc";

// Eight lines ending in CR LF on every platform: two comments, five "de" lines of eight bytes,
// and a last "de" line with the 41st byte. 427 bytes plus the digits of the power.
std::string IncludeFileText(const MessageFields& fields, const PackedSymbols& packed);

}  // namespace tonepak
