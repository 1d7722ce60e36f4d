// LongHex: a tuning word of up to 48 bits (and beyond) in hexadecimal, cut to the accumulator
// width of the selected Resolution.
#include <cmath>
#include <cstdint>
#include <string>

#include "checked_math.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr double kSplit = 16777216.0;  // 2^24

}  // namespace

void LongHex(double& value, std::string& text, std::int16_t resolution_index) {
  value = value + 0.5;  // step 1: the caller's variable keeps the added half

  // Step 2: high part = floor(value / 2^24) in the signed 32-bit range, i.e. -2^55 <= value < 2^55.
  const double high_part = std::floor(value / kSplit);
  if (!(high_part >= -2147483648.0 && high_part <= 2147483647.0)) {  // NaN too
    detail::ThrowOverflow("LongHex: a tuning word beyond 2^55");
  }
  auto high = static_cast<std::int64_t>(high_part);

  // Step 3: the low part keeps its fraction, 0 <= low < 2^24.
  double low = value - kSplit * high_part;

  // Step 4 writes HexDigits(low), which rounds half to even. When that rounding
  // reaches 2^24 (low >= 16777215.5), the one is carried into the high part instead of giving a
  // seventh low digit, so that the text always shows the rounded value with the right width.
  const double low_floor = std::floor(low);
  const double low_fraction = low - low_floor;
  const bool rounds_up = low_fraction > 0.5 ||
                         (low_fraction == 0.5 && (static_cast<std::int64_t>(low_floor) & 1) != 0);
  if (rounds_up && low_floor + 1.0 == kSplit) {
    ++high;
    low = 0.0;
    if (high > INT32_MAX) detail::ThrowOverflow("LongHex: a tuning word beyond 2^55");
  }

  std::string joined = HexDigits(low);                                // step 4
  if (joined.size() < 6) joined.insert(0, 6 - joined.size(), '0');    // step 5
  joined.insert(0, HexDigits(static_cast<double>(high)));             // step 6
  if (joined.size() < 12) joined.insert(0, 12 - joined.size(), '0');  // step 7
  if (resolution_index == 1) joined.erase(0, joined.size() - 8);      // step 8
  if (resolution_index == 0) joined.erase(0, joined.size() - 6);      // step 9
  text = std::move(joined);
}

}  // namespace tuneworks
