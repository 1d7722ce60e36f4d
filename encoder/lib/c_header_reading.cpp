// Reading the symbols back out of a wsptones.h.
#include "c_header_reading.hpp"

#include <cctype>
#include <cstdint>
#include <optional>

namespace tonepak {
namespace {

constexpr std::string_view kArrayName = "wspr_symbols";

bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::size_t LineOf(std::string_view text, std::size_t pos) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < pos && i < text.size(); ++i) line += text[i] == '\n' ? 1 : 0;
  return line;
}

// The text with every comment turned into blanks, line ends kept, so that positions still count
// the same lines.
std::string WithoutComments(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i + 1 < out.size(); ++i) {
    if (out[i] == '/' && out[i + 1] == '*') {
      const std::size_t end = out.find("*/", i + 2);
      const std::size_t stop = end == std::string::npos ? out.size() : end + 2;
      for (std::size_t j = i; j < stop; ++j) {
        if (out[j] != '\n') out[j] = ' ';
      }
      i = stop - 1;
    } else if (out[i] == '/' && out[i + 1] == '/') {
      for (; i < out.size() && out[i] != '\n'; ++i) out[i] = ' ';
    }
  }
  return out;
}

// Where the definition of an array begins: its name as a whole word.
std::size_t FindName(std::string_view text, std::string_view name) {
  for (std::size_t at = text.find(name); at != std::string_view::npos;
       at = text.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    if ((at == 0 || !IsIdentifierChar(text[at - 1])) &&
        (end == text.size() || !IsIdentifierChar(text[end]))) {
      return at;
    }
  }
  return std::string_view::npos;
}

// Where the definition of wspr_symbols + suffix begins.
std::size_t FindArray(std::string_view text, std::string_view suffix) {
  return FindName(text, std::string(kArrayName) + std::string(suffix));
}

// A C integer constant without suffix: decimal, 0x hex or 0 octal; nullopt for anything else,
// or for a value too large to be a symbol anyway.
std::optional<unsigned> CInteger(std::string_view word) {
  if (word.empty()) return std::nullopt;
  unsigned base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  } else if (word.size() > 1 && word[0] == '0') {
    base = 8;
    word.remove_prefix(1);
  }
  unsigned value = 0;
  for (const char c : word) {
    const auto u = static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
    const unsigned digit =
        std::isdigit(u) != 0 ? u - '0' : (u >= 'a' && u <= 'f' ? u - 'a' + 10 : 99);
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > 255) return 255;
  }
  return value;
}

// Reads the initialiser after `at` into `symbols`; an empty string, or the problem.
std::string ReadInitialiser(std::string_view text, std::size_t at, std::string_view name,
                            std::span<std::uint8_t> symbols) {
  const std::string where = std::string(name) + " (line " + std::to_string(LineOf(text, at)) + ")";
  const std::size_t open = text.find('{', at);
  const std::size_t semicolon = text.find(';', at);
  if (open == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < open)) {
    return where + " has no initialiser { ... }";
  }
  std::size_t count = 0;
  std::size_t i = open + 1;
  for (;;) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) ++i;
    if (i >= text.size()) return where + ": the initialiser has no closing }";
    if (text[i] == '}') break;
    const std::size_t start = i;
    while (i < text.size() && IsIdentifierChar(text[i])) ++i;
    const std::string word(text.substr(start, i - start));
    const std::optional<unsigned> value = CInteger(word);
    if (!value) {
      std::string why = where;
      why.append(", line ").append(std::to_string(LineOf(text, start))).append(": '");
      why.append(word.empty() ? std::string(1, text[start]) : word).append("' is not a number");
      return why;
    }
    if (*value > 3) {
      std::string why = where;
      why.append(", line ").append(std::to_string(LineOf(text, start))).append(": ");
      return why.append(word).append(" is no symbol (0 to 3)");
    }
    if (count < symbols.size()) symbols[count] = static_cast<std::uint8_t>(*value);
    ++count;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) ++i;
    if (i < text.size() && text[i] == ',') ++i;
  }
  if (count != symbols.size()) {
    return where + " holds " + std::to_string(count) + " symbols, not " +
           std::to_string(symbols.size());
  }
  return {};
}

}  // namespace

std::string ReadSymbolArray(std::string_view original, std::string_view name,
                            std::span<std::uint8_t> symbols) {
  const std::string text = WithoutComments(original);
  const std::size_t at = FindName(text, name);
  if (at == std::string_view::npos) return "it defines no array " + std::string(name);
  return ReadInitialiser(text, at, name, symbols);
}

bool IsCHeaderText(std::string_view text) {
  return FindArray(WithoutComments(text), "") != std::string_view::npos;
}

CHeaderReading ReadCHeaderText(std::string_view original) {
  const std::string text = WithoutComments(original);
  CHeaderReading out;
  const std::size_t first = FindArray(text, "");
  if (first == std::string_view::npos) {
    out.problem = "it defines no array wspr_symbols";
    return out;
  }
  out.problem = ReadInitialiser(text, first, "wspr_symbols", out.symbols[0]);
  if (!out.problem.empty()) return out;
  out.count = 1;
  if (const std::size_t second = FindArray(text, "_2"); second != std::string_view::npos) {
    out.problem = ReadInitialiser(text, second, "wspr_symbols_2", out.symbols[1]);
    out.count = out.problem.empty() ? 2 : 0;
  }
  return out;
}

}  // namespace tonepak
