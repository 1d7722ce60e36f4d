// The whole FST4W encoding of one message: every stage's result from the 50 message bits to the
// 160 channel symbols, packed four to a byte, and the include file.
#include "fst4w_encoding.hpp"

#include "crc24.hpp"
#include "fst4w_files.hpp"
#include "fst4w_symbols.hpp"
#include "ldpc_240_74.hpp"

namespace tonepak::fst4w {

PackedSymbols PackFst4wSymbols(const ChannelSymbols& symbols) {
  PackedSymbols packed{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const unsigned shift = 6 - 2 * (i % 4);
    packed[i / 4] = static_cast<std::uint8_t>(packed[i / 4] | ((symbols[i] & 3U) << shift));
  }
  return packed;
}

ChannelSymbols UnpackFst4wSymbols(const PackedSymbols& packed) {
  ChannelSymbols symbols{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    symbols[i] = static_cast<std::uint8_t>((packed[i / 4] >> (6 - 2 * (i % 4))) & 3U);
  }
  return symbols;
}

Fst4wEncoding EncodeFst4w(const PackedMessage& message, beacon::Mode mode) {
  Fst4wEncoding e;
  const std::optional<::fst4w::Period> period = beacon::Fst4wPeriodOf(mode);
  e.mode = period ? mode : beacon::Mode::kFst4w120;
  e.period = period.value_or(::fst4w::kPeriods[0]);
  e.message = message;
  e.crc = Crc24(message.bits);
  e.info = WithCrc(message.bits);
  e.codeword = LdpcEncode(e.info);
  e.symbols = ChannelSymbolsOf(e.codeword);
  e.packed = PackFst4wSymbols(e.symbols);
  e.include_file = Fst4wIncludeFileText(e);
  return e;
}

}  // namespace tonepak::fst4w
