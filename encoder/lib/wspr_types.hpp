// Fixed-size arrays that carry a WSPR message from one encoding stage to the next.
#pragma once

#include <array>
#include <cstdint>

namespace tonepak {

inline constexpr std::size_t kSymbolCount = 162;        // channel symbols in one transmission
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

}  // namespace tonepak
