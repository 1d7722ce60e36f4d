// The printable-or-\xHH quoting.
#include "ascii_text.hpp"

namespace wspr::ascii {

std::string Escaped(std::string_view text, std::string_view also) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (IsPrintable(c) && c != '\\' && also.find(c) == std::string_view::npos) {
      out += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace wspr::ascii
