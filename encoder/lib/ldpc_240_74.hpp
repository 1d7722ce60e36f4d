// FST4W's LDPC (240,74) code: its parity checks, the systematic encoder made from them, and the
// check of a word against them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "fst4w_types.hpp"

namespace tonepak::fst4w {

inline constexpr std::size_t kParityCheckCount = ::fst4w::kParityCheckCount;  // 166
inline constexpr std::size_t kBitsPerCheck = 5;                               // at most
inline constexpr std::size_t kChecksPerBit = 3;                               // every bit

// One parity check: the code bits whose sum modulo 2 is zero in every codeword.
struct ParityCheck {
  std::array<std::uint8_t, kBitsPerCheck> bits;  // 0..239; only the first `count` are used
  std::uint8_t count;                            // 4 or 5
};

extern const std::array<ParityCheck, kParityCheckCount> kParityChecks;

// The codeword of 74 information bits: the 74 themselves, then the 166 parity bits that satisfy
// every check.
Codeword LdpcEncode(const InfoBits& info);

// How many of the 166 checks the word fails: 0 for a codeword.
std::size_t FailedChecks(const Codeword& word);

}  // namespace tonepak::fst4w
