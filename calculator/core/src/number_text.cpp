// NumberText: decimal text with a sign position, for the Clock and DDSFreq boxes.
//
// The value is rounded once to 15 significant digits by detail::WriteScientific (correctly rounded,
// ties to even, no locale), and the digits are then laid out by hand.
#include <charconv>
#include <cmath>
#include <string>

#include "number_conversions.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

// Magnitudes (after rounding) from 10^15 up, and below 10^-4, are written in exponent form.
constexpr int kLargestPlainExponent = 14;
constexpr int kSmallestPlainExponent = -4;

}  // namespace

std::string NumberText(double value) {
  if (std::isnan(value)) return " NaN";  // never produced by Calculate
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  std::string text(1, value < 0 ? '-' : ' ');
  if (value == 0.0) return text + '0';  // negative zero too

  // d.dddddddddddddde[+-]xxx: 15 significant digits.
  char buffer[32];
  const char* end = detail::WriteScientific(buffer, buffer + sizeof buffer, std::fabs(value), 14);
  char* e = buffer;
  while (*e != 'e') ++e;
  int exponent = 0;
  std::from_chars(e + 1 + (e[1] == '+'), end, exponent);

  std::string digits;
  digits.reserve(15);
  digits += buffer[0];
  digits.append(buffer + 2, e);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  if (exponent > kLargestPlainExponent || exponent < kSmallestPlainExponent) {
    text += digits[0];
    if (digits.size() > 1) {
      text += '.';
      text.append(digits, 1);
    }
    text += 'E';
    text += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) text += '0';
    char exponent_digits[8];
    text.append(exponent_digits,
                std::to_chars(exponent_digits, exponent_digits + 8, magnitude).ptr);
    return text;
  }
  if (exponent >= 0) {
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      text += digits;
      text.append(whole - digits.size(), '0');
    } else {
      text.append(digits, 0, whole);
      text += '.';
      text.append(digits, whole);
    }
    return text;
  }
  text += '.';  // no zero before the full stop
  text.append(static_cast<std::size_t>(-exponent - 1), '0');
  text += digits;
  return text;
}

}  // namespace tuneworks
