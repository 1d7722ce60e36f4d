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
  std::optional<Message> message;     // set when N1 and N2 form a WSPR message of type 1, 2 or 3
  std::vector<std::string> problems;  // otherwise one sentence for each number out of range
};

// The power code (N2's low seven bits less 64) tells the type: 0..60 ending in 0, 3 or 7 a
// standard message, whose fields come back exactly as normalisation made them (the call sign
// aligned with its digit in position 2, padded with blanks); other codes up to 62 a compound
// call; codes below zero a hashed call with a six-character locator, whose call is not known
// (blanks) until a message that carried it supplies it.
UnpackedMessage UnpackMessage(std::uint32_t n1, std::uint32_t n2);

// The call as a decoder prints it: "K1ABC", "PJ4/K1ABC"; empty for a hash whose call is unknown.
std::string CallOf(const Message& message);

// The message as a decoder prints it, fields separated by single blanks: "K1ABC FN42 37",
// "PJ4/K1ABC 37", "<PJ4/K1ABC> FK52UD 37", or "<...> FK52UD 37" when the call is unknown.
std::string MessageText(const Message& message);

}  // namespace tonepak
