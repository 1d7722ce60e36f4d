// Source coding: call sign, locator and power into the 50 information bits of a WSPR message.
#pragma once

#include <cstdint>

#include "wspr_types.hpp"

namespace tonepak {

struct SourceCode {
  // 0..32399 for a valid locator; in a type-2 message the prefix or suffix number, in a type-3
  // message the call's hash: the 15 bits above N2's power code.
  std::uint32_t compact_locator = 0;
  std::uint32_t n1 = 0;  // call-sign number, below 2^28 for a valid call sign
  std::uint32_t n2 = 0;  // locator * 128 | (power + 64), below 2^22 when valid
  SourceBytes bytes{};
};

// Packs N1 and N2, most significant bit first, into the 88-bit stream of SourceBytes:
//
//   byte:  0        1        2        3        4        5        6        7..10
//   bits:  N1 27-20 N1 19-12 N1 11-4  N1 3-0   N2 17-10 N2 9-2   N2 1-0   zero tail
//                                     N2 21-18                   000000
//
// The arithmetic is 32-bit and wraps; characters outside the expected classes give out-of-range
// numbers that are packed by the same shifts, bits above 28 and 22 overlapping as they fall.
//
// Types 2 and 3 use the same two numbers: N1 is the base call (type 2) or the rotated
// six-character locator (type 3), N2 the 15-bit prefix number or call hash and a power code.
SourceCode EncodeSource(const Message& message);

// The number of a compound call's prefix or suffix, from the text after (suffix: one or two
// characters) or before (prefix) its slash: a prefix of up to three characters in base 37,
// right-aligned with blanks (36) in front; a suffix from kSuffixBase: a letter or digit
// 0..35 above it, two digits 36..125 (10 to 99 only, below 10 they would read as letters).
inline constexpr std::uint32_t kSuffixBase = 60000;
std::uint32_t AffixNumber(const CallText& call);

}  // namespace tonepak
