// Normalisation of the typed call sign, locator and power into the fixed-width message fields.
#pragma once

#include <cstdint>
#include <string_view>

#include "wspr_types.hpp"

namespace tonepak {

// Aligns the call-area digit into position 2 (shifting right by one when it is not there), pads
// with spaces to six characters and upper-cases a-z. Longer text is cut; a NUL byte ends the text.
CallsignField NormaliseCallsign(std::string_view text);

// Upper-cases the two letters and forces the two digit positions into '0'..'?'.
LocatorField NormaliseLocator(std::string_view text);

// Decimal conversion in the manner of atoi: leading white space, optional sign, digits up to the
// first non-digit; no digits gives 0. Values beyond the 32-bit range saturate.
std::int32_t ParsePowerDbm(std::string_view text);

MessageFields NormaliseMessage(std::string_view callsign, std::string_view locator,
                               std::string_view power);

}  // namespace tonepak
