// HexDigits: hexadecimal text of a whole number in the signed 32-bit range.
#include <cmath>
#include <cstdint>
#include <string>

#include "checked_math.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

// Nearest whole number, ties to the even neighbour; independent of the floating-point rounding
// mode. OverflowError outside the signed 32-bit range (NaN included).
std::int32_t RoundToInt32(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) {
    detail::ThrowOverflow("HexDigits: a number beyond the signed 32-bit range");
  }
  const double floor = std::floor(value);
  const double fraction = value - floor;  // exact in this range
  auto rounded = static_cast<std::int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && (rounded & 1) != 0)) ++rounded;
  if (rounded < INT32_MIN || rounded > INT32_MAX) {
    detail::ThrowOverflow("HexDigits: a number beyond the signed 32-bit range");
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::string HexDigits(double value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const std::int32_t rounded = RoundToInt32(value);
  auto bits = static_cast<std::uint32_t>(rounded);  // two's complement for negatives
  char buffer[8];
  int start = 8;
  do {
    buffer[--start] = kDigits[bits & 0xFu];
    bits >>= 4;
  } while (rounded < 0 ? start > 0 : bits != 0);  // negatives: always eight digits
  return {buffer + start, buffer + 8};
}

}  // namespace tuneworks
