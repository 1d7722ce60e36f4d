// FST4W's message text to its 50 bits: the three forms of a WSPR-like beacon message that
// WSJT-X's FST4W carries, each refused with the field at fault when it does not fit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fst4w_types.hpp"

namespace tonepak::fst4w {

// The three forms, told apart by bits 49 and 50:
//
//   form             bits 1-28        29-43 / 29-44 / 23-47       44-48 / 45-49   49 50
//   call grid power  call (28)        grid4 (15)                  power (5)        0  0
//   compound power   base call (28)   prefix or suffix (16)       power (5)        .  1
//   <call> grid6     22-bit hash of the call in bits 1-22, grid6 (25) in 23-47,    1  0
//                    bit 48 zero; this form carries no power
//
// A call of 28 bits is a standard call (one or two characters, the call-area digit, up to three
// letters) spelled into six places, or, any other call, 2063592 plus the call's 22-bit hash.
enum class MessageForm { kCallGridPower, kCompoundCallPower, kHashedCallGrid6 };

struct PackedMessage {
  MessageForm form = MessageForm::kCallGridPower;
  std::string text;  // the message as jt9 shows it once the hashed call is known: "K1ABC FN42 37"
  MessageBits bits{};
  int power_dbm = -1;  // the power the bits carry, as decoded (37 for 38); -1 for <call> grid6
  int typed_power_dbm = -1;  // the power as typed
};

// What is wrong, and with which word: "call", "locator" or "power" (or "message" for the whole).
struct PackingRefusal {
  std::string field;
  std::string reason;
};

// The message as fst4sim takes it: "CALL GRID4 DBM", "PFX/CALL DBM" or "CALL/SFX DBM", or
// "<CALL> GRID6" (also "<CALL> GRID4"), upper or lower case, words separated by blanks.
std::variant<PackedMessage, PackingRefusal> PackFst4wMessage(std::string_view text);

// The 28-bit number of a call: a standard call's places, or 2063592 plus its 22-bit hash.
std::uint32_t Call28(std::string_view call);
// WSJT-X's hash of a call in `bits` bits (10, 12 or 22): the call's characters as a base-38
// number, multiplied by 47055833459 modulo 2^64, its top bits.
std::uint32_t CallHash22(std::string_view call, unsigned bits = 22);
// Whether the call is one that its six places can spell.
bool IsStandardCall(std::string_view call);

}  // namespace tonepak::fst4w
