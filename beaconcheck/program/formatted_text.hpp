// printf-style formatting appended to a report's text, one line at a time.
#pragma once

#include <string>

namespace beaconcheck {

// Appends the formatted text (at most 511 characters) to `out`.
void AddFormatted(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace beaconcheck
