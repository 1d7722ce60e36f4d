// Printing a fuzzer's input text on standard error so that any byte of it can be read back.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "ascii_text.hpp"

// The text in double quotes, printable ASCII as it is and every other byte as \xHH.
inline void PrintEscaped(std::string_view text) {
  const std::string escaped = wspr::ascii::Escaped(text, "\"");
  std::fprintf(stderr, "\"%s\"", escaped.c_str());
}
