// The WSPR bit-reversal interleaver, which spreads neighbouring coded bits across the transmission.
#include "interleaver.hpp"

namespace tonepak {
namespace {

constexpr std::uint8_t Reverse8(unsigned k) {
  unsigned r = 0;
  for (int b = 0; b < 8; ++b) r |= ((k >> b) & 1U) << (7 - b);
  return static_cast<std::uint8_t>(r);
}

constexpr std::array<std::uint8_t, kSymbolCount> MakePositions() {
  std::array<std::uint8_t, kSymbolCount> positions{};
  std::size_t i = 0;
  for (unsigned k = 0; k < 256 && i < kSymbolCount; ++k) {
    const std::uint8_t r = Reverse8(k);
    if (r < kSymbolCount) positions[i++] = r;
  }
  return positions;
}

constexpr auto kPositions = MakePositions();

}  // namespace

const std::array<std::uint8_t, kSymbolCount>& InterleaverPositions() { return kPositions; }

InterleavedBits Interleave(const ConvolverBits& bits) {
  InterleavedBits out{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) out[kPositions[i]] = bits[i];
  return out;
}

ConvolverBits Deinterleave(const InterleavedBits& interleaved) {
  ConvolverBits out{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) out[i] = interleaved[kPositions[i]];
  return out;
}

}  // namespace tonepak
