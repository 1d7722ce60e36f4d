// Unpacking N1 into the call sign and N2 into the locator and the power: source coding undone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

// N1 counts 37 * 36 * 10 * 27 * 27 * 27 call signs; numbers from here up are no call sign.
inline constexpr std::uint32_t kCallsignNumbers = 262'177'560;
// The compact locator counts 180 * 180 squares, AA00 to RR99.
inline constexpr std::uint32_t kLocatorNumbers = 32'400;

struct UnpackedMessage {
  std::optional<MessageFields> fields;  // set when N1 and N2 form a standard WSPR message
  std::vector<std::string> problems;    // otherwise one sentence for each number out of range
};

// The fields come back exactly as normalisation made them: the call sign aligned with its digit
// in position 2 and padded with blanks, the locator upper case.
UnpackedMessage UnpackMessage(std::uint32_t n1, std::uint32_t n2);

// "K1ABC FN42 37": the call sign without its alignment blanks, the locator and the power in dBm,
// separated by single blanks.
std::string MessageText(const MessageFields& fields);

}  // namespace tonepak
