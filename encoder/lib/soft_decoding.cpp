// Decoding a heard transmission with soft decisions, and checking what the decoder found.
#include "soft_decoding.hpp"

#include <cstddef>

#include "convolution.hpp"
#include "interleaver.hpp"
#include "message_unpacking.hpp"
#include "sync.hpp"

namespace tonepak {
namespace {

std::uint32_t BitsToNumber(const FanoResult& path, std::size_t first, std::size_t count) {
  std::uint32_t n = 0;
  for (std::size_t i = first; i < first + count; ++i) n = (n << 1) | path.bits[i];
  return n;
}

}  // namespace

ChannelSymbols StrongestTones(const TonePowers& powers) {
  ChannelSymbols symbols{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    std::uint8_t best = 0;
    for (std::uint8_t t = 1; t < 4; ++t) {
      if (powers[i][t] > powers[i][best]) best = t;
    }
    symbols[i] = best;
  }
  return symbols;
}

std::size_t SyncAgreeing(const ChannelSymbols& symbols) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < kSymbolCount; ++i) n += (symbols[i] & 1U) == SyncVector[i] ? 1 : 0;
  return n;
}

std::optional<SoftDecoded> DecodeTonePowers(const TonePowers& powers, const DecoderLimits& limits) {
  const std::optional<FanoResult> path = FanoDecode(SoftBitMetrics(powers), limits);
  if (!path) return std::nullopt;

  SoftDecoded out;
  out.n1 = BitsToNumber(*path, 0, 28);
  out.n2 = BitsToNumber(*path, 28, 22);
  const UnpackedMessage unpacked = UnpackMessage(out.n1, out.n2);
  if (!unpacked.message) return std::nullopt;
  out.message = *unpacked.message;
  out.cycles = path->cycles;
  out.metric = path->metric;

  // Re-encoded from the decoded bits themselves, so that the symbols are what was sent whatever
  // the message's type.
  SourceBytes source{};
  for (std::size_t n = 0; n < kCarriedSourceBitCount; ++n) {
    source[n / 8] = static_cast<std::uint8_t>(source[n / 8] | (path->bits[n] << (7 - n % 8)));
  }
  out.symbols = MergeSync(Interleave(Convolve(source).bits));
  const ChannelSymbols heard = StrongestTones(powers);
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    out.symbol_errors += heard[i] != out.symbols[i] ? 1 : 0;
  }
  return out;
}

}  // namespace tonepak
