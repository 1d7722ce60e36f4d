// The whole FST4W encoding of one message: every stage's result from the 50 message bits to the
// 160 channel symbols, packed four to a byte, and the include file.
#pragma once

#include <cstdint>
#include <string>

#include "beacon_mode.hpp"
#include "fst4w_packing.hpp"
#include "fst4w_types.hpp"

namespace tonepak::fst4w {

struct Fst4wEncoding {
  beacon::Mode mode = beacon::Mode::kFst4w120;
  ::fst4w::Period period = ::fst4w::kPeriods[0];
  PackedMessage message;
  std::uint32_t crc = 0;     // the CRC-24 of the 50 bits
  InfoBits info{};           // the 50 bits and the CRC
  Codeword codeword{};       // the 74, then 166 parity bits
  ChannelSymbols symbols{};  // 0..3, sync groups included
  PackedSymbols packed{};    // four symbols to a byte
  std::string include_file;  // the text of wsptones.inc
};

// Each symbol takes two bits, the earliest of a group in the high bits, as for WSPR:
//
//   bit:        7 6   5 4   3 2   1 0
//   byte j:     s4j   s4j+1 s4j+2 s4j+3     j = 0..39
PackedSymbols PackFst4wSymbols(const ChannelSymbols& symbols);
ChannelSymbols UnpackFst4wSymbols(const PackedSymbols& packed);

// CRC, LDPC code, Gray mapping into the frame, packing and the include file. `mode` is one of
// the four FST4W modes (any other is taken as FST4W-120); the period changes only the timing,
// never the symbols.
Fst4wEncoding EncodeFst4w(const PackedMessage& message, beacon::Mode mode);

}  // namespace tonepak::fst4w
