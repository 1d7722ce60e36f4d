// The receiver's dial frequency as the user types it, in MHz.
#pragma once

#include <optional>
#include <string_view>

namespace beaconcheck {

// A finite number above 0 and up to 10000 MHz, with nothing after it; else nothing.
std::optional<double> ParseDialMhz(std::string_view text);

// What to type instead of a dial frequency ParseDialMhz refuses.
inline constexpr const char* kDialHint = "the dial frequency in MHz, such as 14.0956";

}  // namespace beaconcheck
