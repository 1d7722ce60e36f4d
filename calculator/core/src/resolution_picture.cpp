// ResolutionPicture: the picture "#.########Hz" of the resolution line.
//
// detail::WriteFixed rounds the exact binary value to eight decimal places (ties to even, no
// locale).
#include <charconv>
#include <cmath>
#include <string>

#include "number_conversions.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {

std::string ResolutionPicture(double value, std::string_view decimal_separator) {
  if (std::isnan(value)) return "NaNHz";  // never produced by Calculate
  if (std::isinf(value)) return value > 0 ? "InfHz" : "-InfHz";

  // Up to 309 whole digits, the point and eight decimals.
  char buffer[340];
  const char* end = detail::WriteFixed(buffer, buffer + sizeof buffer, std::fabs(value), 8);
  std::string_view fixed(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t point = fixed.find('.');
  std::string_view whole = fixed.substr(0, point);
  std::string_view fraction = fixed.substr(point + 1);
  if (whole == "0") whole = {};
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);

  std::string text;
  text.reserve(whole.size() + fraction.size() + decimal_separator.size() + 3);
  // A negative value that rounds to zero shows no minus sign (".Hz").
  if (value < 0 && !(whole.empty() && fraction.empty())) text += '-';
  text += whole;
  text += decimal_separator;
  text += fraction;
  text += "Hz";
  return text;
}

}  // namespace tuneworks
