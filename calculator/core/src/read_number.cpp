// ReadNumber: the lenient text-to-number reading of the input boxes.
//
// Decimal numbers are gathered into a canonical "0.DIGITSe<exp>" text and converted with
// detail::ReadDecimal, which is correctly rounded and never consults a locale. The canonical text
// is bounded in size whatever the input: at most kKeptDigits significant digits are kept, and any
// non-zero digit beyond them is stood for by one trailing 1 (enough for correct rounding, since
// no halfway point between two doubles has more than 767 significant digits).
#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

#include "checked_math.hpp"
#include "number_conversions.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

constexpr std::size_t kKeptDigits = 780;
constexpr std::int64_t kExponentCap = 1'000'000'000;  // exponent digits saturate here

// Walks the text, skipping blanks, tabs and line feeds wherever they stand.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}
  // The next character that is not skipped, or -1 at the end of the text.
  int Peek() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
  }
  void Advance() { ++pos_; }

 private:
  static bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

int RadixDigit(int c, int radix) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  return v < radix ? v : -1;
}

// &H / &O: the digits after the prefix as a non-negative whole number of any length, correctly
// rounded to double; OverflowError beyond the double range. No digits read as 0.
double ReadRadix(Cursor& in, int radix, int bits_per_digit) {
  constexpr int kKeptBits = 60;  // more than 53 + 2, so one sticky bit decides every tie
  std::uint64_t kept = 0;
  int kept_bits = 0;
  std::int64_t dropped_bits = 0;
  bool sticky = false;
  for (int d; (d = RadixDigit(in.Peek(), radix)) >= 0; in.Advance()) {
    if (kept == 0 && d == 0) continue;  // leading zeros
    if (kept_bits + bits_per_digit <= kKeptBits) {
      kept = (kept << bits_per_digit) | static_cast<std::uint64_t>(d);
      kept_bits = static_cast<int>(std::bit_width(kept));
    } else {
      sticky = sticky || d != 0;
      if (dropped_bits < kExponentCap) dropped_bits += bits_per_digit;
    }
  }
  if (sticky) kept |= 1u;
  const double value = std::ldexp(static_cast<double>(kept),
                                  static_cast<int>(std::min<std::int64_t>(dropped_bits, 4096)));
  if (!std::isfinite(value)) detail::ThrowOverflow("ReadNumber: a number beyond the double range");
  return value;
}

}  // namespace

double ReadNumber(std::string_view text) {
  Cursor in(text);
  if (in.Peek() == '&') {
    in.Advance();
    const int kind = in.Peek();
    if (kind == 'H' || kind == 'h') {
      in.Advance();
      return ReadRadix(in, 16, 4);
    }
    if (kind == 'O' || kind == 'o') {
      in.Advance();
      return ReadRadix(in, 8, 3);
    }
    return 0.0;
  }

  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Advance();
  }

  // Significant digits, without leading zeros; value = 0.DIGITS x 10^point_exponent.
  std::array<char, kKeptDigits + 1> digits{};
  std::size_t kept = 0;
  bool sticky = false;
  bool any_digit = false;
  std::int64_t point_exponent = 0;
  auto take_digit = [&](int c, bool after_point) {
    any_digit = true;
    if (kept == 0 && c == '0') {  // a leading zero: only moves the point when after it
      if (after_point) --point_exponent;
      return;
    }
    if (!after_point) ++point_exponent;
    if (kept < kKeptDigits) {
      digits[kept++] = static_cast<char>(c);
    } else if (c != '0') {
      sticky = true;
    }
  };
  while (IsDigit(in.Peek())) {
    take_digit(in.Peek(), false);
    in.Advance();
  }
  if (in.Peek() == '.') {
    in.Advance();
    while (IsDigit(in.Peek())) {
      take_digit(in.Peek(), true);
      in.Advance();
    }
  }
  if (!any_digit) return 0.0;  // "", "-", ".", "-.", "e5", "abc"

  // Exponent: E or D, optional sign, at least one digit; otherwise it is not part of the number.
  std::int64_t exponent = 0;
  const int marker = in.Peek();
  if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
    in.Advance();
    bool exponent_negative = false;
    if (in.Peek() == '+' || in.Peek() == '-') {
      exponent_negative = in.Peek() == '-';
      in.Advance();
    }
    while (IsDigit(in.Peek())) {
      exponent = std::min(exponent * 10 + (in.Peek() - '0'), kExponentCap);
      in.Advance();
    }
    if (exponent_negative) exponent = -exponent;
  }

  if (kept == 0) return 0.0;  // all digits zero
  const std::int64_t total_exponent = point_exponent + exponent;
  if (total_exponent > 400) detail::ThrowOverflow("ReadNumber: a number beyond the double range");
  if (total_exponent < -400) return 0.0;  // below the smallest subnormal

  // "0.DIGITS[1]e<total_exponent>"
  std::array<char, kKeptDigits + 16> canonical{};
  char* out = canonical.data();
  *out++ = '0';
  *out++ = '.';
  for (std::size_t i = 0; i < kept; ++i) *out++ = digits[i];
  if (sticky) *out++ = '1';
  *out++ = 'e';
  out = std::to_chars(out, canonical.data() + canonical.size(), total_exponent).ptr;

  double value = 0.0;
  const auto result = detail::ReadDecimal(canonical.data(), out, value);
  if (result.ec == std::errc::result_out_of_range) {
    if (total_exponent > 0) detail::ThrowOverflow("ReadNumber: a number beyond the double range");
    return 0.0;
  }
  if (!std::isfinite(value)) detail::ThrowOverflow("ReadNumber: a number beyond the double range");
  if (value == 0.0) return 0.0;
  return negative ? -value : value;
}

}  // namespace tuneworks
