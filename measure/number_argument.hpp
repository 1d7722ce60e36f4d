// A number given on a measuring tool's command line, read without the locale.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace measure {

// The whole of `text` as a number (a leading '+' allowed), or false.
template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return !text.empty() && result.ec == std::errc{} && result.ptr == end;
}

}  // namespace measure
