// The calculator's conversions between doubles and decimal text, in one place. Each is the
// correctly rounded one, a value exactly halfway going to the even digit, and none consults a
// locale. Where the C++ library has floating-point std::from_chars and std::to_chars (GCC's),
// they are used; where it lacks them (the older libc++ of Debian's Emscripten), fast_float reads
// and ExactDecimal below writes, with the same results bit for bit.
#pragma once

#include <charconv>
#include <string>

namespace tuneworks::detail {

// Reads a plain decimal number ("0.123e45", "1e-7"; no blanks, no sign) as std::from_chars does.
// A result beyond the double range gives an infinity or ec == std::errc::result_out_of_range;
// one below the smallest subnormal gives zero or that same ec. Callers handle both forms.
std::from_chars_result ReadDecimal(const char* first, const char* last, double& value);

// Writes `value` with `decimals` places ("12.50", "-0.0"), as std::to_chars with
// std::chars_format::fixed. Returns the end of the text; [first, last) must hold it (a double's
// 309 whole digits, the sign, the point and the decimals).
char* WriteFixed(char* first, char* last, double value, int decimals);

// Writes `value` as d.ddde+XX with `precision` digits after the point, as std::to_chars with
// std::chars_format::scientific.
char* WriteScientific(char* first, char* last, double value, int precision);

// The writing without std::to_chars, built everywhere so that native tests compare it with the
// standard library's: the exact decimal value of the double, rounded as a text.
namespace exact {
std::string Fixed(double value, int decimals);
std::string Scientific(double value, int precision);
}  // namespace exact

}  // namespace tuneworks::detail
