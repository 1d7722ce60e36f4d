// ASCII character classes and case, independent of any locale, and the printable-or-\xHH quoting.
#pragma once

#include <string>
#include <string_view>

namespace wspr::ascii {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool IsLetter(char c) { return IsUpper(c) || IsLower(c); }
// A digit or an upper-case letter: what WSPR's call signs and locators are made of.
constexpr bool IsUpperAlphanumeric(char c) { return IsDigit(c) || IsUpper(c); }
// Space to tilde: the bytes a terminal shows as themselves.
constexpr bool IsPrintable(char c) { return c >= ' ' && c <= '~'; }

constexpr char ToUpper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char ToLower(char c) { return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// The value of a digit in bases up to 36 (0-9, then A-Z or a-z for 10-35), or -1.
constexpr int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (IsUpper(c)) return c - 'A' + 10;
  if (IsLower(c)) return c - 'a' + 10;
  return -1;
}

// `text` with every byte that is not printable ASCII, the backslash and each byte of `also` written
// as \xHH (upper-case hex), so that any bytes can be shown and told apart. No quotes around it.
std::string Escaped(std::string_view text, std::string_view also = {});

}  // namespace wspr::ascii
