// Fixed-size arrays that carry an FST4W message from one encoding stage to the next.
#pragma once

#include <array>
#include <cstdint>

#include "fst4w_constants.hpp"

namespace tonepak::fst4w {

using ::fst4w::kCodewordBitCount;
using ::fst4w::kInfoBitCount;
using ::fst4w::kMessageBitCount;
using ::fst4w::kSymbolCount;
inline constexpr std::size_t kPackedByteCount = 40;  // four symbols a byte, 160 = 40 * 4

using MessageBits = std::array<std::uint8_t, kMessageBitCount>;  // each 0 or 1, first sent first
using InfoBits = std::array<std::uint8_t, kInfoBitCount>;        // the message, then its CRC
using Codeword = std::array<std::uint8_t, kCodewordBitCount>;    // the 74, then 166 parity bits
using ChannelSymbols = std::array<std::uint8_t, kSymbolCount>;   // each 0..3
using PackedSymbols = std::array<std::uint8_t, kPackedByteCount>;

}  // namespace tonepak::fst4w
