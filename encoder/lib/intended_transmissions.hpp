// What a beacon is meant to send, from a message as a decoder shows it or from a file tonepak
// wrote: the transmissions that heard symbols are compared with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "wspr_types.hpp"

namespace tonepak {

struct IntendedTransmissions {
  std::array<Message, 2> messages{};  // in the order the beacon sends them
  std::array<ChannelSymbols, 2> symbols{};
  std::size_t count = 0;  // 1 or 2; 0 when there are none
  std::string problem;    // when count is 0: why, in one sentence
};

// One argument as a decoder shows a message, or as tonepak takes the words:
//   "K1ABC FN42 37"          the standard message;
//   "PJ4/K1ABC 37"           the compound call's type-2 message;
//   "K1ABC FN42AX 37", "PJ4/K1ABC FK52UD 37"   the pair, as tonepak sends it;
//   "<K1ABC> FN42AX 37"      the pair's type-3 message alone.
IntendedTransmissions IntendedFromText(std::string_view text);

// A file's bytes (up to kReadLimitBytes; `longer` when it goes on): an a.au or a wsptones.inc,
// as ReadTransmission reads them, or a wsptones.h with one or two transmissions. The symbols are
// the file's own, and must be a transmission of a message.
IntendedTransmissions IntendedFromFile(std::span<const std::uint8_t> start, bool longer);

}  // namespace tonepak
