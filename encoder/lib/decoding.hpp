// Reading a transmission back: from the 162 channel symbols, or the 41 packed bytes, to the
// message, with the exact reason when they are not a transmission of a standard WSPR message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

// Of the 88 source bits, the 162 symbols carry the first 81: the 50 message bits and 31 tail
// bits, which must be zero.
inline constexpr std::size_t kMessageBitCount = 50;
inline constexpr std::size_t kCarriedSourceBitCount = kSymbolCount / 2;

// What the symbols say about themselves. Error correction is a receiver's job: this only finds
// out whether the symbols are exactly a transmission, and if not, where they differ from one.
struct ChannelCheck {
  std::vector<std::size_t> sync_errors;  // symbols whose low bit is not the sync vector's bit
  // Symbols whose data bit disagrees with the convolutional code, when one or two flipped data
  // bits explain the disagreement; empty also when more do (then coded_error_count says so).
  std::vector<std::size_t> coded_error_symbols;
  // 0 for a code word, 1 or 2 when that many flips make one, 3 meaning three or more.
  std::size_t coded_error_count = 0;
  // Second-stream bits that disagree with what the first stream implies, of 81.
  std::size_t parity_disagreements = 0;
  std::vector<std::size_t> nonzero_tail_bits;  // source bit numbers 50..80 that are 1
  std::uint32_t n1 = 0;  // from source bits 0..27 as the first parity stream gives them
  std::uint32_t n2 = 0;  // from source bits 28..49
};

// Checks the sync bits, de-interleaves, and inverts the rate-1/2 code: each source bit follows
// from the first parity stream, and the second stream must then agree.
ChannelCheck CheckChannelSymbols(const ChannelSymbols& symbols);

struct Decoded {
  std::optional<Message> message;     // set only when nothing at all disagrees
  std::vector<std::string> problems;  // otherwise one sentence for each thing that does
};

Decoded DecodeSymbols(const ChannelSymbols& symbols);

// The symbols four to a byte, earliest in the high bits; the low four bits of the last byte carry
// no symbol and must be zero.
ChannelSymbols UnpackSymbols(const PackedSymbols& packed);
Decoded DecodePacked(const PackedSymbols& packed);

}  // namespace tonepak
