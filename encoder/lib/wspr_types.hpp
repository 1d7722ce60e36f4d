// Fixed-size arrays that carry a WSPR message from one encoding stage to the next.
#pragma once

#include <array>
#include <cstdint>

#include "wspr_constants.hpp"

namespace tonepak {

using wspr::kSymbolCount;
inline constexpr std::size_t kSourceByteCount = 11;     // 50 message bits + 38 zero tail bits
inline constexpr std::size_t kSourceBitCount = 88;      // kSourceByteCount * 8
inline constexpr std::size_t kConvolverBitCount = 176;  // two coded bits per source bit
inline constexpr std::size_t kPackedByteCount = 41;     // four symbols a byte, 162 = 40 * 4 + 2

// Call sign aligned so that its call-area digit stands in position 2; not terminated.
using CallsignField = std::array<char, 6>;
// Maidenhead locator, two letters and two digits; not terminated.
using LocatorField = std::array<char, 4>;

using SourceBytes = std::array<std::uint8_t, kSourceByteCount>;
using ConvolverBits = std::array<std::uint8_t, kConvolverBitCount>;  // each 0 or 1
using InterleavedBits = std::array<std::uint8_t, kSymbolCount>;      // each 0 or 1
using ChannelSymbols = std::array<std::uint8_t, kSymbolCount>;       // each 0..3
using PackedSymbols = std::array<std::uint8_t, kPackedByteCount>;

// The three normalised fields of one message.
struct MessageFields {
  CallsignField callsign{};
  LocatorField locator{};
  std::int32_t power_dbm = 0;
};

// The three kinds of WSPR message. A standard message (type 1) carries call, square and power;
// a compound call (type 2) carries the call with its prefix or suffix and the power, no
// locator; type 3 carries a 15-bit hash of the call, a six-character locator and the power.
enum class MessageType : std::uint8_t { kStandard = 1, kCompound = 2, kHashed = 3 };

// A whole call sign as it goes on the air, "PJ4/K1ABC", upper case, padded with blanks: a prefix
// of three, the slash and a base call of six make the longest. All blanks: not known.
using CallText = std::array<char, 10>;
// The fifth and sixth characters of a six-character locator, the subsquare: two letters A-X.
using SubsquareField = std::array<char, 2>;

// One transmission's message, of any type.
//   kStandard: `fields` as ever; the rest unused.
//   kCompound: `fields.callsign` the base call (aligned as in a standard message), `call` the
//              whole call, `fields.power_dbm` the power; the locator is unused.
//   kHashed:   `fields.locator` and `subsquare` the six-character locator, `fields.power_dbm`
//              the power, `call_hash` what is sent in place of the call, and `call` the call it
//              was made from, or blanks when it is not known (a type 3 read on its own).
struct Message {
  MessageType type = MessageType::kStandard;
  MessageFields fields;
  CallText call{};
  SubsquareField subsquare{};
  std::uint16_t call_hash = 0;  // 0..32767

  Message() = default;
  // A standard message: every caller of the type-1 encoder keeps working unchanged.
  Message(const MessageFields& standard) : fields(standard) {}  // NOLINT(*-explicit-*)
};

}  // namespace tonepak
