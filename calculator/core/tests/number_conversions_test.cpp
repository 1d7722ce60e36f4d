// The writer used where the C++ library has no floating-point std::to_chars, against the
// standard library's own: the same text for every value and place, ties and carries included.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "src/number_conversions.hpp"

namespace {

#if defined(__cpp_lib_to_chars)
std::string StdText(double value, std::chars_format format, int precision) {
  char buffer[1200];
  return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value, format, precision).ptr};
}

void ExpectSameAsStd(double value) {
  using tuneworks::detail::exact::Fixed;
  using tuneworks::detail::exact::Scientific;
  for (const int places : {0, 1, 2, 8, 14, 20}) {
    ASSERT_EQ(Fixed(value, places), StdText(value, std::chars_format::fixed, places))
        << value << " to " << places << " places";
    ASSERT_EQ(Scientific(value, places), StdText(value, std::chars_format::scientific, places))
        << value << " to " << places << " places";
  }
}

TEST(ExactWriter, WritesWhatStdToCharsWrites) {
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  // clang-format off
  constexpr std::array kValues{
      0.0, -0.0, 1.0, -1.0, 0.5, 2.5, 3.5, 0.125, 0.375, 9.5, 99.5, 999999.5, 0.05, 0.95,
      0.000000005, 0.000000015, 1e15, 1e22, 1e23, 123456789012345678.0, 4294967296.0,
      0.004656612873077392578125, 29999999.999999996, 1.0 / 3.0, 2.0 / 3.0, kMax, -kMax, kTiny,
      std::numeric_limits<double>::min(), 1e-300, 9.999999999999995e14, 1e-5, -7.25e-7};
  // clang-format on
  for (const double value : kValues) {
    ExpectSameAsStd(value);
  }
  std::mt19937_64 random(17);
  for (int i = 0; i < 3000; ++i) {
    const auto value = std::bit_cast<double>(random());
    if (std::isfinite(value)) ExpectSameAsStd(value);
    // Short decimals, where ties to even are common.
    ExpectSameAsStd(static_cast<double>(random() % 100000000) / 1000.0);
  }
}
#endif

}  // namespace
