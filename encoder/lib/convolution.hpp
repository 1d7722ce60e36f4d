// Rate-1/2, constraint-length-32 convolutional encoder of the WSPR channel code.
#pragma once

#include <array>
#include <cstdint>

#include "wspr_types.hpp"

namespace tonepak {

inline constexpr std::uint32_t kPolynomial1 = 0xF2D05351;
inline constexpr std::uint32_t kPolynomial2 = 0xE4613C47;

struct Convolution {
  std::array<std::uint32_t, kSourceBitCount> register_states{};  // after each input bit
  ConvolverBits bits{};  // two parity bits per input bit; the first 162 are transmitted
};

// Shifts the 88 bits of SourceBytes, most significant first, through a 32-bit register and
// emits the parity of the register under each polynomial.
Convolution Convolve(const SourceBytes& source);

}  // namespace tonepak
