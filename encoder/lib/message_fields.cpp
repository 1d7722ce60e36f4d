// Normalisation of the typed call sign, locator and power into the fixed-width message fields.
#include "message_fields.hpp"

#include <limits>

#include "ascii_text.hpp"

namespace tonepak {
namespace {

// The text as a C program would see it: it ends at the first NUL byte.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

using wspr::ascii::IsDigit;
using wspr::ascii::ToUpper;

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

CallsignField NormaliseCallsign(std::string_view text) {
  text = UpToNul(text);
  // A call sign whose third character is no digit (Q1ABC) moves one place right so that its
  // digit lands in position 2, where the source coder expects the call area.
  const bool shift = text.size() < 3 || !IsDigit(text[2]);
  const std::size_t offset = shift ? 1 : 0;
  CallsignField field;
  field.fill(' ');
  for (std::size_t i = offset; i < field.size() && i - offset < text.size(); ++i) {
    field[i] = ToUpper(text[i - offset]);
  }
  return field;
}

LocatorField NormaliseLocator(std::string_view text) {
  text = UpToNul(text);
  auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
  LocatorField field{};
  field[0] = ToUpper(at(0));
  field[1] = ToUpper(at(1));
  // Squares: digits stay, anything else is folded into '0'..'?' (a missing one becomes '0').
  for (std::size_t i = 2; i < 4; ++i) {
    field[i] = static_cast<char>((static_cast<unsigned char>(at(i)) | 0x30) & 0x3F);
  }
  return field;
}

std::int32_t ParsePowerDbm(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;  // keep reading digits, but saturate
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(
      magnitude > std::numeric_limits<std::int32_t>::max() ? kLimit - 1 : magnitude);
}

MessageFields NormaliseMessage(std::string_view callsign, std::string_view locator,
                               std::string_view power) {
  return MessageFields{NormaliseCallsign(callsign), NormaliseLocator(locator),
                       ParsePowerDbm(power)};
}

}  // namespace tonepak
