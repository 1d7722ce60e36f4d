// Warnings for message fields that a standard WSPR decoder could not read back.
#pragma once

#include <string>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

// One line (without line end) for each normalised field outside what a standard WSPR message
// carries, naming the field, its value and why. The message is still encoded as given.
std::vector<std::string> FieldWarnings(const MessageFields& fields);

// The power's warning alone, or empty: outside 0 to 60 dBm, or a last digit not 0, 3 or 7.
std::string PowerWarning(std::int32_t power_dbm);

// Why a standard message cannot carry this call-sign field ("position 2 must be a digit"), or
// empty when it can.
std::string CallsignProblem(const CallsignField& call);

}  // namespace tonepak
