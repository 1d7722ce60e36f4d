// The WSPR synchronisation vector and its merge with the interleaved data bits.
#pragma once

#include <array>
#include <cstdint>

#include "wspr_types.hpp"

namespace tonepak {

// The standard pseudo-random sync pattern a receiver correlates against: 162 bits, 63 ones.
extern const std::array<std::uint8_t, kSymbolCount> SyncVector;

// symbol = sync bit + 2 * data bit: the data bit picks the upper or lower tone pair.
ChannelSymbols MergeSync(const InterleavedBits& interleaved);

}  // namespace tonepak
