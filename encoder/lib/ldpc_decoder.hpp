// Decoding FST4W's LDPC (240,74) code from soft bits: belief propagation first, then ordered
// statistics on the most reliable bits when propagation does not settle on a codeword.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "fst4w_types.hpp"

namespace tonepak::fst4w {

// One log-likelihood ratio a code bit, log(P(bit 0) / P(bit 1)): positive says 0, its size how
// sure. The scale matters to propagation: it should be about the true ratio's.
using BitLlrs = std::array<float, kCodewordBitCount>;

enum class LdpcMethod { kPropagation, kOrderedStatistics };

struct LdpcDecoded {
  InfoBits info{};  // passes the CRC
  Codeword codeword{};
  LdpcMethod method = LdpcMethod::kPropagation;
  std::size_t iterations = 0;   // of propagation, when it decoded
  std::size_t hard_errors = 0;  // bits where the codeword and the signs of the ratios differ
};

inline constexpr std::size_t kPropagationIterations = 60;
// Ordered statistics are trusted only this close to the received word: pure noise is nearer to
// no codeword than about a third of the bits, and one at the limit of decoding has about a
// sixth of them wrong.
inline constexpr std::size_t kOrderedStatisticsMaxErrors = 56;

// The information bits, or nothing when neither method finds a codeword whose CRC matches. With
// `order` 0 ordered statistics are not tried; 1 flips each reliable bit, 2 each pair too.
std::optional<LdpcDecoded> DecodeLdpc(const BitLlrs& llrs, int order = 2);

}  // namespace tonepak::fst4w
