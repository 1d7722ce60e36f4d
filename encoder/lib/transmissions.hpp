// What a beacon sends for one call sign, locator and power: one transmission, or a pair.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "wspr_types.hpp"

namespace tonepak {

struct Transmissions {
  std::array<Message, 2> messages{};  // in the order the beacon sends them
  std::size_t count = 0;              // 1 or 2; 0 when the call is refused
  std::string refusal;  // when count is 0: why the call cannot be sent, naming the call
  std::string note;     // advice that changes nothing sent, or empty

  std::span<const Message> List() const { return {messages.data(), count}; }
};

// The one place that decides what goes on the air, from the words as typed (any case; a NUL
// byte ends a word, as it would in C):
//
//   call without '/', locator not of six characters:  the standard message alone, exactly
//       as NormaliseMessage makes it, however odd the words (warnings are FieldWarnings' job);
//   call without '/', six-character locator:  "K1ABC FN42 37" (type 1, the first four of the
//       locator), then "<K1ABC> FN42AX 37" (type 3, the hash of the call type 1 carries);
//   compound call, six-character locator:  "PJ4/K1ABC 37" (type 2), then
//       "<PJ4/K1ABC> FK52UD 37" (type 3);
//   compound call, any other locator:  the type-2 message alone, and a note that a
//       six-character locator adds the second transmission with the position.
//
// A six-character locator is two letters A-R, two digits and two letters A-X. A compound call
// has one '/', with a prefix of one to three letters or digits before it, or a suffix of one
// letter or digit, or two digits from 10 to 99, after it; the rest, the base call, must be one a
// standard message carries. Anything else with a '/' is refused.
//
// Pure: no I/O, no state; the same words always give the same messages.
Transmissions ChooseTransmissions(std::string_view call, std::string_view locator,
                                  std::string_view power);

// Two letters A-R, two digits, two letters A-X, in either case, and nothing more.
bool IsSixCharacterLocator(std::string_view locator);

}  // namespace tonepak
