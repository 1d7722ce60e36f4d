// The WSPR synchronisation vector and its merge with the interleaved data bits.
#include "sync.hpp"

namespace tonepak {

const std::array<std::uint8_t, kSymbolCount> SyncVector = {
    1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0,  //
    1, 0, 0, 1, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0,  //
    0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 1, 1,  //
    0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 0, 1, 1, 0, 1, 0,  //
    1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0, 0, 1,  //
    1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 1,  //
    0, 0, 1, 1, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1,  //
    1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0,  //
    0, 0, 0, 1, 1, 0, 1, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0,  //
};

ChannelSymbols MergeSync(const InterleavedBits& interleaved) {
  ChannelSymbols symbols{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    symbols[i] = static_cast<std::uint8_t>(SyncVector[i] | ((interleaved[i] & 1U) << 1));
  }
  return symbols;
}

}  // namespace tonepak
