// The WSPR bit-reversal interleaver, which spreads neighbouring coded bits across the transmission.
#pragma once

#include <array>
#include <cstdint>

#include "wspr_types.hpp"

namespace tonepak {

// For each i, the transmission position of coded bit i: the i-th 8-bit reversal below 162.
const std::array<std::uint8_t, kSymbolCount>& InterleaverPositions();

// InterleavedBits[InterleaverPositions()[i]] = bits[i] for the first 162 coded bits.
InterleavedBits Interleave(const ConvolverBits& bits);

// The inverse: coded bits 0..161 back from their transmission positions (162..175 are 0).
ConvolverBits Deinterleave(const InterleavedBits& interleaved);

}  // namespace tonepak
