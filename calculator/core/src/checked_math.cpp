// Overflow-checked double arithmetic and decimal powers (locale-free: ReadDecimal only).
#include "checked_math.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "number_conversions.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks::detail {

void ThrowOverflow(const char* what) { throw OverflowError(std::string("Overflow: ") + what); }

double CheckedMul(double a, double b) {
  const double r = a * b;
  if (!std::isfinite(r)) ThrowOverflow("a product beyond the double range");
  return r;
}

double CheckedDiv(double a, double b) {
  const double r = a / b;
  if (!std::isfinite(r)) ThrowOverflow("a quotient beyond the double range");
  return r;
}

double CheckedSub(double a, double b) {
  const double r = a - b;
  if (!std::isfinite(r)) ThrowOverflow("a difference beyond the double range");
  return r;
}

double PowerOfTen(int exponent) {
  switch (exponent) {  // the list indexes -1 ... 3, without any conversion
    case -3:
      return 1e-3;
    case 0:
      return 1.0;
    case 3:
      return 1e3;
    case 6:
      return 1e6;
    case 9:
      return 1e9;
    default:
      break;
  }
  if (exponent > std::numeric_limits<double>::max_exponent10) {
    ThrowOverflow("a unit multiplier beyond the double range");
  }
  // "1e<exponent>", correctly rounded; subnormal powers are kept, smaller ones read as 0.
  char text[16] = {'1', 'e'};
  const auto written = std::to_chars(text + 2, text + sizeof text, exponent);
  double value = 0.0;
  const auto read = ReadDecimal(text, written.ptr, value);
  if (read.ec != std::errc{}) return 0.0;  // below the smallest subnormal
  return value;
}

double UnitScale(std::int16_t index) {
  const int product = 3 * static_cast<int>(index);
  if (product < std::numeric_limits<std::int16_t>::min() ||
      product > std::numeric_limits<std::int16_t>::max()) {
    ThrowOverflow("3 x unit index beyond the signed 16-bit range");
  }
  return PowerOfTen(product);
}

}  // namespace tuneworks::detail
