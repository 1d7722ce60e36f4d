// Reading the packed symbols back out of a wsptones.inc: the bytes of its "de" lines.
#include "include_reading.hpp"

#include <algorithm>
#include <cstddef>

#include "ascii_text.hpp"

namespace tonepak {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

using wspr::ascii::ToLower;

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLower(a[i]) != ToLower(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The next blank-delimited word, taken off the front of `rest`.
std::string_view NextWord(std::string_view& rest) {
  rest = Trimmed(rest);
  std::size_t end = 0;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

// An assembler label: a letter or '_' first, then letters, digits and '_', perhaps a ':' last.
bool IsLabel(std::string_view word) {
  if (word.ends_with(':')) word.remove_suffix(1);
  auto letter = [](char c) { return wspr::ascii::IsLetter(c) || c == '_'; };
  if (word.empty() || !letter(word.front())) return false;
  for (const char c : word) {
    if (!letter(c) && !wspr::ascii::IsDigit(c)) return false;
  }
  return true;
}

// A piece of the file for a message: printable ASCII as it is, anything else as \xNN, cut short.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 24;
  return "'" + wspr::ascii::Escaped(text.substr(0, kShown)) + (text.size() > kShown ? "...'" : "'");
}

// Digits in a radix, saturating above a byte; empty or a foreign digit gives nothing.
std::optional<unsigned> Digits(std::string_view digits, unsigned radix) {
  if (digits.empty()) return std::nullopt;
  unsigned value = 0;
  for (const char c : digits) {
    const int d = wspr::ascii::DigitValue(c);
    if (d < 0 || static_cast<unsigned>(d) >= radix) return std::nullopt;
    value = std::min(value * radix + static_cast<unsigned>(d), 256U);
  }
  return value;
}

unsigned RadixOf(char letter) {
  switch (ToLower(letter)) {
    case 'h':
      return 16;
    case 'd':
      return 10;
    case 'b':
      return 2;
    case 'o':
      return 8;
    default:
      return 0;
  }
}

// The assembler's ways of writing a number; plain digits have no radix of their own (the
// assembler's default radix decides), so they are refused rather than guessed.
std::optional<unsigned> ParseValue(std::string_view item) {
  if (item.size() > 2 && item[0] == '0' && ToLower(item[1]) == 'x')
    return Digits(item.substr(2), 16);
  if (item.size() > 3 && item[1] == '\'' && item.back() == '\'' && RadixOf(item[0]) != 0) {
    return Digits(item.substr(2, item.size() - 3), RadixOf(item[0]));
  }
  if (item.size() > 1 && item[0] == '.') return Digits(item.substr(1), 10);
  if (item.size() > 1 && ToLower(item.back()) == 'h' && wspr::ascii::IsDigit(item[0])) {
    return Digits(item.substr(0, item.size() - 1), 16);
  }
  return std::nullopt;
}

}  // namespace

IncludeBytes ReadIncludeBytes(std::string_view text) {
  IncludeBytes out;
  std::size_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    if (text.starts_with("\r\n")) {
      text.remove_prefix(2);
    } else if (!text.empty()) {
      text.remove_prefix(1);
    }

    line = line.substr(0, line.find(';'));
    std::string_view rest = line;
    std::string_view word = NextWord(rest);
    if (!EqualsNoCase(word, "de")) {
      if (!IsLabel(word) || !EqualsNoCase(NextWord(rest), "de")) continue;
    }
    const std::string where = "line " + std::to_string(line_number) + ": ";
    if (Trimmed(rest).empty()) {
      out.problem = where + "a \"de\" with no values";
      return out;
    }
    while (true) {
      const std::size_t comma = rest.find(',');
      const std::string_view item = Trimmed(rest.substr(0, comma));
      if (item.empty()) {
        out.problem = where + "a value is missing between commas";
        return out;
      }
      const std::optional<unsigned> value = ParseValue(item);
      if (!value) {
        out.problem = where + Quoted(item) +
                      " is no byte value the assembler reads alike everywhere (write 0xF0, "
                      "H'F0' or .240)";
        return out;
      }
      if (*value > 255) {
        out.problem = where + Quoted(item) + " is larger than a byte";
        return out;
      }
      // More than a transmission's bytes are counted, not kept.
      if (out.bytes.size() < kKeptBytes) out.bytes.push_back(static_cast<std::uint8_t>(*value));
      ++out.count;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return out;
}

IncludeReading ReadIncludeText(std::string_view text) {
  IncludeReading out;
  const IncludeBytes bytes = ReadIncludeBytes(text);
  const std::size_t count = bytes.count;
  PackedSymbols packed{};
  if (!bytes.problem.empty()) {
    out.problem = bytes.problem;
  } else if (count == 0) {
    out.problem = "it holds no \"de\" lines: not a WSPR include file";
  } else if (count != packed.size()) {
    out.problem = "its \"de\" lines hold " + std::to_string(count) +
                  " bytes; the 162 symbols of a transmission, four to a byte, are 41";
  } else {
    std::copy(bytes.bytes.begin(), bytes.bytes.end(), packed.begin());
    out.packed = packed;
  }
  return out;
}

}  // namespace tonepak
