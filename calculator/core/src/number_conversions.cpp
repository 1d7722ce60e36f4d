// Decimal reading and writing of doubles; see number_conversions.hpp.
//
// The exact writer: a finite double is m * 2^e with m below 2^53. For e >= 0 it is the whole
// number m * 2^e; for e < 0 it is m * 5^-e / 10^-e. Either whole number is at most about 2500
// bits, held in 32-bit words and turned into decimal digits nine at a time. Rounding those exact
// digits to the wanted place is then done on the text, where a tie is plain to see.
#include "number_conversions.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <vector>

#if !defined(__cpp_lib_to_chars)
#include <fast_float/fast_float.h>
#endif

namespace tuneworks::detail {
namespace exact {
namespace {

// A whole number in 32-bit words, least significant first.
using Big = std::vector<std::uint32_t>;

void MultiplySmall(Big& n, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (auto& word : n) {
    const std::uint64_t product = std::uint64_t{word} * factor + carry;
    word = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) n.push_back(static_cast<std::uint32_t>(carry));
}

// Divides by `divisor` in place and returns the remainder.
std::uint32_t DivideSmall(Big& n, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t i = n.size(); i-- > 0;) {  // most significant word first
    const std::uint64_t part = (remainder << 32) | n[i];
    n[i] = static_cast<std::uint32_t>(part / divisor);
    remainder = part % divisor;
  }
  while (!n.empty() && n.back() == 0) n.pop_back();
  return static_cast<std::uint32_t>(remainder);
}

std::string DecimalDigits(Big n) {
  std::string reversed;
  while (!n.empty()) {
    std::uint32_t chunk = DivideSmall(n, 1000000000U);
    for (int i = 0; i < 9; ++i) {
      reversed += static_cast<char>('0' + chunk % 10);
      chunk /= 10;
    }
  }
  while (!reversed.empty() && reversed.back() == '0') reversed.pop_back();
  return {reversed.rbegin(), reversed.rend()};
}

// The value as digits (no leading zero; empty for zero) times 10^(point - digits.size()):
// `point` digits stand before the decimal point.
struct Decimal {
  std::string digits;
  int point = 0;
};

Decimal ExactDigits(double magnitude) {
  std::uint64_t bits = 0;  // std::bit_cast, which Emscripten's C++ library lacks
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e = -1074;
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    e = biased - 1075;
  }
  Decimal d;
  if (m == 0) return d;
  Big n{static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(m >> 32)};
  int fraction_digits = 0;
  if (e >= 0) {
    for (; e >= 31; e -= 31) MultiplySmall(n, 1U << 31);
    MultiplySmall(n, 1U << e);
  } else {
    fraction_digits = -e;
    for (; e <= -13; e += 13) MultiplySmall(n, 1220703125U);  // 5^13
    for (; e < 0; ++e) MultiplySmall(n, 5);
  }
  d.digits = DecimalDigits(n);
  d.point = static_cast<int>(d.digits.size()) - fraction_digits;
  return d;
}

// Keeps the first `keep` digits, rounding half to even on what is dropped; `keep` may be zero
// or negative (a rounding place above the first digit).
void RoundTo(Decimal& d, int keep) {
  const int size = static_cast<int>(d.digits.size());
  if (keep >= size) return;
  bool up = false;
  if (keep >= 0) {
    const char first_dropped = d.digits[static_cast<std::size_t>(keep)];
    const bool more =
        d.digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
    const bool odd = keep > 0 && (d.digits[static_cast<std::size_t>(keep) - 1] - '0') % 2 == 1;
    up = first_dropped > '5' || (first_dropped == '5' && (more || odd));
  }
  d.digits.resize(static_cast<std::size_t>(std::max(keep, 0)));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
      d.digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++d.digits[static_cast<std::size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    }
  }
  if (keep < 0 || d.digits.find_first_not_of('0') == std::string::npos) d.digits.clear();
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// Digit `i` of the value counted from the first significant one, zero beyond the kept ones.
char DigitAt(const Decimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)]
                                                         : '0';
}

}  // namespace

std::string Fixed(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  std::string text = std::signbit(value) ? "-" : "";
  Decimal d = ExactDigits(std::fabs(value));
  if (!d.digits.empty()) RoundTo(d, d.point + decimals);
  if (d.digits.empty()) d.point = 1;  // zero: "0.000"
  if (d.point <= 0) {
    text += '0';
  } else {
    for (int i = 0; i < d.point; ++i) text += DigitAt(d, i);
  }
  if (decimals > 0) {
    text += '.';
    for (int i = 0; i < decimals; ++i) text += DigitAt(d, d.point + i);
  }
  return text;
}

std::string Scientific(double value, int precision) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  std::string text = std::signbit(value) ? "-" : "";
  Decimal d = ExactDigits(std::fabs(value));
  int exponent = 0;
  if (!d.digits.empty()) {
    RoundTo(d, precision + 1);
    exponent = d.point - 1;
  }
  text += DigitAt(d, 0);
  if (precision > 0) {
    text += '.';
    for (int i = 1; i <= precision; ++i) text += DigitAt(d, i);
  }
  text += exponent < 0 ? "e-" : "e+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) text += '0';
  char exponent_digits[8];
  text.append(
      exponent_digits,
      std::to_chars(exponent_digits, exponent_digits + sizeof exponent_digits, magnitude).ptr);
  return text;
}

}  // namespace exact

#if defined(__cpp_lib_to_chars)

std::from_chars_result ReadDecimal(const char* first, const char* last, double& value) {
  return std::from_chars(first, last, value);
}

char* WriteFixed(char* first, char* last, double value, int decimals) {
  return std::to_chars(first, last, value, std::chars_format::fixed, decimals).ptr;
}

char* WriteScientific(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::scientific, precision).ptr;
}

#else

namespace {

char* CopyOut(const std::string& text, char* first, char* last) {
  const auto n = std::min(text.size(), static_cast<std::size_t>(last - first));
  std::memcpy(first, text.data(), n);
  return first + n;
}

}  // namespace

std::from_chars_result ReadDecimal(const char* first, const char* last, double& value) {
  const auto result = fast_float::from_chars(first, last, value);
  return {result.ptr, result.ec};
}

char* WriteFixed(char* first, char* last, double value, int decimals) {
  return CopyOut(exact::Fixed(value, decimals), first, last);
}

char* WriteScientific(char* first, char* last, double value, int precision) {
  return CopyOut(exact::Scientific(value, precision), first, last);
}

#endif

}  // namespace tuneworks::detail
