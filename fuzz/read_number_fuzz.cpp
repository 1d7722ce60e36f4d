// Fuzz target: ReadNumber on any text, compared with a plain reading of the same number by strtod.
//
// The input bytes are the text typed into a box. ReadNumber must return a finite number, never
// minus zero, or throw OverflowError, and nothing else. For the value itself a second, deliberately
// simple reader finds the numeric prefix by the same rules (blanks ignored anywhere, optional sign,
// digits with one full stop, an E or D exponent, &H and &O whole numbers) and leaves the
// conversion to the C library's correctly rounded strtod in the "C" locale.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "escaped_text.hpp"
#include "tuneworks_core.hpp"

namespace {

[[noreturn]] void Fail(std::string_view text, const char* what) {
  std::fprintf(stderr, "read_number_fuzz: %s for the text ", what);
  PrintEscaped(text);
  std::fputc('\n', stderr);
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// What strtod makes of `number`; empty when it is beyond the double range.
std::optional<double> Strtod(const std::string& number) {
  errno = 0;
  const double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) return std::nullopt;
  return value + 0.0;  // minus zero reads as zero
}

// Octal digits as hexadecimal digits of the same whole number, so that strtod can round it.
std::string OctalAsHex(std::string_view octal) {
  std::string bits;
  for (const char c : octal) {
    const int d = c - '0';
    bits += static_cast<char>('0' + ((d >> 2) & 1));
    bits += static_cast<char>('0' + ((d >> 1) & 1));
    bits += static_cast<char>('0' + (d & 1));
  }
  while (bits.size() % 4 != 0) bits.insert(bits.begin(), '0');
  std::string hex;
  for (std::size_t i = 0; i < bits.size(); i += 4) {
    const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                       (bits[i + 3] - '0');
    hex += "0123456789ABCDEF"[nibble];
  }
  return hex.empty() ? "0" : hex;
}

// The expected reading: the value, or empty for an overflow.
std::optional<double> ExpectedReading(std::string_view typed) {
  std::string text;
  for (const char c : typed) {
    if (c != ' ' && c != '\t' && c != '\n') text += c;
  }
  std::size_t i = 0;
  if (text.size() >= 2 && text[0] == '&') {
    const char radix = text[1];
    const bool hex = radix == 'H' || radix == 'h';
    const bool octal = radix == 'O' || radix == 'o';
    if (hex || octal) {
      i = 2;
      std::string digits;
      while (i < text.size() && (hex ? IsHexDigit(text[i]) : IsOctalDigit(text[i]))) {
        digits += text[i++];
      }
      if (digits.empty()) return 0.0;
      return Strtod("0x" + (hex ? digits : OctalAsHex(digits)));
    }
  }
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  std::size_t mantissa_digits = 0;
  while (i < text.size() && IsDigit(text[i])) number += text[i++], ++mantissa_digits;
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && IsDigit(text[i])) number += text[i++], ++mantissa_digits;
  }
  if (mantissa_digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    const std::size_t first_digit = j;
    while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
    if (j > first_digit) number += exponent;
  }
  return Strtod(number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<double> read;
  try {
    read = tuneworks::ReadNumber(text);
  } catch (const tuneworks::OverflowError&) {
    read = std::nullopt;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "read_number_fuzz: unexpected exception: %s\n", e.what());
    Fail(text, "an exception other than OverflowError");
  } catch (...) {
    Fail(text, "an exception other than OverflowError");
  }

  if (read) {
    if (!std::isfinite(*read)) Fail(text, "a value that is not finite");
    if (*read == 0 && std::signbit(*read)) Fail(text, "minus zero");
  }

  const std::optional<double> expected = ExpectedReading(text);
  if (read.has_value() != expected.has_value()) {
    Fail(text, read ? "a value where the number is beyond the double range"
                    : "OverflowError for a number within the double range");
  }
  if (read && *read != *expected) {
    std::fprintf(stderr, "read_number_fuzz: read %.17g, expected %.17g\n", *read, *expected);
    Fail(text, "a different value");
  }
  return 0;
}
