// The FST4W frame: s8 d30 s8 d30 s8 d30 s8 d30 s8.
#include "fst4w_symbols.hpp"

#include <array>

namespace tonepak::fst4w {
namespace {

using ::fst4w::kDataRunLength;
using ::fst4w::kGrayTone;
using ::fst4w::kSyncLength;
using ::fst4w::kSyncStarts;

const std::array<std::uint8_t, kSyncLength>& SyncWord(std::size_t group) {
  return group % 2 == 0 ? ::fst4w::kSyncWordA : ::fst4w::kSyncWordB;
}

// The two bits, high first, that a tone carries: the inverse of the Gray map.
constexpr std::array<std::uint8_t, 4> kToneBits{0, 1, 3, 2};

}  // namespace

std::size_t DataSymbolIndex(std::size_t n) {
  const std::size_t run = n / kDataRunLength;
  return kSyncStarts[run] + kSyncLength + n % kDataRunLength;
}

ChannelSymbols ChannelSymbolsOf(const Codeword& word) {
  ChannelSymbols symbols{};
  for (std::size_t group = 0; group < kSyncStarts.size(); ++group) {
    for (std::size_t k = 0; k < kSyncLength; ++k) {
      symbols[kSyncStarts[group] + k] = SyncWord(group)[k];
    }
  }
  for (std::size_t n = 0; n < ::fst4w::kDataSymbolCount; ++n) {
    const unsigned pair = 2U * (word[2 * n] & 1U) + (word[2 * n + 1] & 1U);
    symbols[DataSymbolIndex(n)] = kGrayTone[pair];
  }
  return symbols;
}

std::size_t SyncErrors(const ChannelSymbols& symbols) {
  std::size_t errors = 0;
  for (std::size_t group = 0; group < kSyncStarts.size(); ++group) {
    for (std::size_t k = 0; k < kSyncLength; ++k) {
      errors += symbols[kSyncStarts[group] + k] != SyncWord(group)[k] ? 1 : 0;
    }
  }
  return errors;
}

Codeword CodewordOf(const ChannelSymbols& symbols) {
  Codeword word{};
  for (std::size_t n = 0; n < ::fst4w::kDataSymbolCount; ++n) {
    const std::uint8_t bits = kToneBits[symbols[DataSymbolIndex(n)] & 3U];
    word[2 * n] = static_cast<std::uint8_t>(bits >> 1U);
    word[2 * n + 1] = static_cast<std::uint8_t>(bits & 1U);
  }
  return word;
}

}  // namespace tonepak::fst4w
