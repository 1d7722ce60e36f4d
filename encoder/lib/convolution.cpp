// Rate-1/2, constraint-length-32 convolutional encoder of the WSPR channel code.
#include "convolution.hpp"

#include <bit>

namespace tonepak {

Convolution Convolve(const SourceBytes& source) {
  Convolution out;
  std::uint32_t reg = 0;
  std::size_t n = 0;
  for (std::uint8_t byte : source) {
    for (int bit = 7; bit >= 0; --bit) {
      reg = (reg << 1) | ((byte >> bit) & 1U);
      out.register_states[n] = reg;
      out.bits[2 * n] = static_cast<std::uint8_t>(std::popcount(reg & kPolynomial1) & 1);
      out.bits[2 * n + 1] = static_cast<std::uint8_t>(std::popcount(reg & kPolynomial2) & 1);
      ++n;
    }
  }
  return out;
}

}  // namespace tonepak
