// FST4W's 50 message bits back to the text a decoder shows: the three beacon forms, a hashed
// call as "<...>" unless the call is known.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fst4w_packing.hpp"
#include "fst4w_types.hpp"

namespace tonepak::fst4w {

struct UnpackedMessage {
  MessageForm form = MessageForm::kCallGridPower;
  std::string text;     // "K1ABC FN42 37", "PJ4/K1ABC 37", "<PJ4/K1ABC> FK52UD", "<...> FN42 37"
  std::string call;     // "K1ABC", "PJ4/K1ABC", "<PJ4/K1ABC>" or "<...>"
  std::string locator;  // "FN42", "FK52UD"; empty for the compound form
  int power_dbm = -1;   // -1 for the hashed form, which has none
  std::optional<std::uint32_t> hash22;  // the 22-bit hash, when the call is sent as one
};

// Nothing when the bits hold no beacon message (a token such as CQ in place of the call, a
// locator or suffix number beyond the alphabet). A hashed call is shown as known_call in angle
// brackets when known_call has that hash.
std::optional<UnpackedMessage> UnpackFst4wMessage(const MessageBits& bits,
                                                  std::string_view known_call = {});

}  // namespace tonepak::fst4w
