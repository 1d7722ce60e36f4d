// Printing a fuzzer's input text on standard error so that any byte of it can be read back.
#pragma once

#include <cstdio>
#include <string_view>

// The text in double quotes, printable ASCII as it is and every other byte as \xHH.
inline void PrintEscaped(std::string_view text) {
  std::fputc('"', stderr);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      std::fputc(byte, stderr);
    } else {
      std::fprintf(stderr, "\\x%02X", byte);
    }
  }
  std::fputc('"', stderr);
}
