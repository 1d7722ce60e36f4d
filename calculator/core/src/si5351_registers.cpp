// P1, P2, P3 and the register bytes of the Si5351's PLLs and multisynths, as AN619 lays them out.
#include "si5351_registers.hpp"

#include <bit>

namespace tuneworks::detail {

Si5351Parameters Si5351Encode(const Si5351Ratio& r) {
  const std::uint32_t whole_128ths = 128 * r.b / r.c;  // 128b < 2^28: no overflow
  return {128 * r.a + whole_128ths - 512, 128 * r.b - r.c * whole_128ths, r.c};
}

std::array<std::uint8_t, 8> Si5351Registers(const Si5351Parameters& p,
                                            std::uint8_t third_high_bits) {
  const auto byte = [](std::uint32_t value, int shift) {
    return static_cast<std::uint8_t>((value >> shift) & 0xFFu);
  };
  return {byte(p.p3, 8),
          byte(p.p3, 0),
          static_cast<std::uint8_t>(third_high_bits | ((p.p1 >> 16) & 0x3u)),
          byte(p.p1, 8),
          byte(p.p1, 0),
          static_cast<std::uint8_t>((((p.p3 >> 16) & 0xFu) << 4) | ((p.p2 >> 16) & 0xFu)),
          byte(p.p2, 8),
          byte(p.p2, 0)};
}

std::array<std::uint8_t, 8> Si5351MultisynthRegisters(const Si5351Ratio& ratio, int r_divider,
                                                      Si5351Parameters& parameters) {
  const auto r_bits =
      static_cast<std::uint8_t>(std::countr_zero(static_cast<unsigned>(r_divider)) << 4);
  if (ratio.a == 4 && ratio.b == 0) {
    parameters = {0, 0, 1};
    return Si5351Registers(parameters, static_cast<std::uint8_t>(r_bits | 0x0Cu));
  }
  parameters = Si5351Encode(ratio);
  return Si5351Registers(parameters, r_bits);
}

}  // namespace tuneworks::detail
