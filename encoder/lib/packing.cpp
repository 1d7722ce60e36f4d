// Packing of the channel symbols four to a byte, the form the beacon firmware stores them in.
#include "packing.hpp"

namespace tonepak {

PackedSymbols PackSymbols(const ChannelSymbols& symbols) {
  PackedSymbols packed{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const unsigned shift = 6 - 2 * (i % 4);
    packed[i / 4] = static_cast<std::uint8_t>(packed[i / 4] | ((symbols[i] & 3U) << shift));
  }
  return packed;
}

}  // namespace tonepak
