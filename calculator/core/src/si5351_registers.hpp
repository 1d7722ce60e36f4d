// AN619's encoding of the Si5351's dividers: P1, P2, P3 and the register bytes. Internal.
#pragma once

#include <array>
#include <cstdint>

#include "tuneworks_core.hpp"

namespace tuneworks::detail {

// P1 = 128a + floor(128b/c) - 512, P2 = 128b - c floor(128b/c), P3 = c, for a >= 4.
Si5351Parameters Si5351Encode(const Si5351Ratio& ratio);

// The eight bytes of a PLL (registers 26 to 33 for PLL A) or of a multisynth (42 to 49 for
// multisynth 0): P3[15:8], P3[7:0], P1[17:16] with `third_high_bits` above it, P1[15:8],
// P1[7:0], P3[19:16] << 4 | P2[19:16], P2[15:8], P2[7:0].
std::array<std::uint8_t, 8> Si5351Registers(const Si5351Parameters& p,
                                            std::uint8_t third_high_bits = 0);

// A multisynth's eight bytes: its R divider's exponent in bits 6:4 of the third, and divide by 4
// as P1 = P2 = 0, P3 = 1 with both MSx_DIVBY4 bits (3:2) set.
std::array<std::uint8_t, 8> Si5351MultisynthRegisters(const Si5351Ratio& ratio, int r_divider,
                                                      Si5351Parameters& parameters);

}  // namespace tuneworks::detail
