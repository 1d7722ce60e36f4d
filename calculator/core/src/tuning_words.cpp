// The report's tuning words as whole numbers and their hex text.
#include "tuning_words.hpp"

#include <cmath>
#include <cstdint>
#include <string>

#include "checked_math.hpp"

namespace tuneworks::detail {
namespace {

constexpr double kWordLimit = 36028797018963968.0;  // 2^55: a high part beyond 32 bits
constexpr std::int64_t kLowMask = 0xFFFFFF;         // the six low digits

}  // namespace

std::int64_t ShownWord(double quotient) { return WholeWord(quotient + 0.5); }

std::int64_t WholeWord(double value) {
  if (!(value >= -kWordLimit && value < kWordLimit)) {  // NaN too
    ThrowOverflow("LongHex: a tuning word beyond 2^55");
  }
  const double floor = std::floor(value);
  const double fraction = value - floor;  // exact: |value| < 2^55
  auto word = static_cast<std::int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && (word & 1) != 0)) ++word;
  if (word >= static_cast<std::int64_t>(kWordLimit)) {
    ThrowOverflow("LongHex: a tuning word beyond 2^55");
  }
  return word;
}

std::string WordHex(std::int64_t word, std::int16_t resolution_index) {
  const std::int64_t high = word >> 24;  // rounds towards minus infinity: two's complement below
  std::string text = HexDigits(static_cast<double>(word & kLowMask));
  if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
  text.insert(0, HexDigits(static_cast<double>(high)));
  if (text.size() < 12) text.insert(0, 12 - text.size(), '0');
  if (resolution_index == 1) text.erase(0, text.size() - 8);
  if (resolution_index == 0) text.erase(0, text.size() - 6);
  return text;
}

}  // namespace tuneworks::detail
