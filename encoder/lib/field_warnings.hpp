// Warnings for message fields that a standard WSPR decoder could not read back.
#pragma once

#include <string>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

// One line (without line end) for each normalised field outside what a standard WSPR message
// carries, naming the field, its value and why. The message is still encoded as given.
std::vector<std::string> FieldWarnings(const MessageFields& fields);

}  // namespace tonepak
