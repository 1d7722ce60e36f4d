// Which heard symbols differ from the intended transmission, and the firmware fault that
// explains them: the ways a beacon's symbol table is sent wrongly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "intended_transmissions.hpp"
#include "wspr_types.hpp"

namespace tonepak {

enum class SymbolFault : std::uint8_t {
  kNone,            // as intended (differing symbols, if any, as few as the noise explains)
  kReversedInByte,  // each packed byte's four symbols sent low bits first
  kBitsSwapped,     // the two bits of each symbol exchanged
  kTonesInverted,   // tone 3 - s: a lower-sideband receiver, or the tone step subtracted
  kShifted,         // heard symbol i is intended symbol i + shift
  kOtherOfPair,     // the other transmission of the pair
  kOtherMessage,    // a transmission of some other message
  kUnexplained,
};

// "none", "reversed-in-byte", "bits-swapped", "tones-inverted", "shifted", "other-of-pair",
// "other-message", "unexplained".
std::string_view FaultName(SymbolFault fault);

// Shifts of up to this many symbols either way are looked for.
inline constexpr int kMaxShift = 8;

struct SymbolExplanation {
  SymbolFault fault = SymbolFault::kNone;
  int shift = 0;             // for kShifted: heard symbol i is intended symbol i + shift
  std::size_t intended = 0;  // which of the intended transmissions the heard one is meant to be
  std::vector<std::size_t> differing;  // heard symbols that are not that transmission's
  std::size_t compared = 0;            // symbols compared under the explanation
  std::size_t agreeing = 0;            // of them, those the explanation accounts for
};

// `heard` counts from the first symbol the beacon sent (where its signal begins); only the first
// `heard_count` are compared (a transmission cut short). Each fault is tried on each intended
// transmission, and the one that accounts for the most symbols wins when it accounts for most
// of them and clearly more than any other: a few symbols heard wrongly in noise change nothing.
// As intended means that the symbols that differ are no more than the noise explains: about as
// many have a wrong data bit alone as have a wrong sync bit. `heard_message`, the message the
// soft decoder read from the transmission (when it did), names a transmission that is no
// fault of the table's: the pair's other one or another message.
// A recording that began after the transmission did holds it from symbol `first` on: heard
// symbol i is then the transmission's symbol first + i, and the indexes of `differing` count
// from the transmission's start too.
SymbolExplanation ExplainSymbols(const ChannelSymbols& heard, std::size_t heard_count,
                                 const IntendedTransmissions& intended,
                                 const std::optional<Message>& heard_message = std::nullopt,
                                 std::size_t first = 0);

// The symbols as a beacon with `fault` would send `symbols` (for kShifted, `shift` places on;
// symbols beyond the end are 0). Other faults leave them unchanged.
ChannelSymbols WithFault(const ChannelSymbols& symbols, SymbolFault fault, int shift = 0);

}  // namespace tonepak
