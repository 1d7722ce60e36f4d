// Source coding: call sign, locator and power into the 50 information bits of a WSPR message.
#include "source_coding.hpp"

#include <algorithm>
#include <string_view>

#include "ascii_text.hpp"

namespace tonepak {
namespace {

// Field bytes count as 0..255 whatever the signedness of char on the platform.
std::uint32_t Byte(char c) { return static_cast<unsigned char>(c); }

// Call-sign positions 0 and 1: digits 0-9, letters 10-35, space 36.
std::uint32_t AlphanumericValue(char c) {
  if (wspr::ascii::IsDigit(c)) return Byte(c) - '0';
  if (c == ' ') return 36;
  return Byte(c) - 55;
}

// Call-sign positions 3 to 5: letters 0-25, space 26.
std::uint32_t SuffixValue(char c) { return c == ' ' ? 26 : Byte(c) - 'A'; }

std::uint8_t Low8(std::uint32_t v) { return static_cast<std::uint8_t>(v & 0xFF); }

std::uint32_t CallsignNumber(const CallsignField& call) {
  std::uint32_t n1 = AlphanumericValue(call[0]);
  n1 = n1 * 36 + AlphanumericValue(call[1]);
  n1 = n1 * 10 + (Byte(call[2]) - '0');
  n1 = n1 * 27 + SuffixValue(call[3]);
  n1 = n1 * 27 + SuffixValue(call[4]);
  n1 = n1 * 27 + SuffixValue(call[5]);
  return n1;
}

// Prefix and suffix characters: digits 0-9, letters 10-35, anything else (a blank) 36.
std::uint32_t AffixValue(char c) {
  return wspr::ascii::IsUpperAlphanumeric(c)
             ? static_cast<std::uint32_t>(wspr::ascii::DigitValue(c))
             : 36;
}

// The locator rotated by one place, "FK52UD" as "K52UDF", is a call-sign pattern (its digit in
// position 2), and type 3 sends it as N1.
CallsignField RotatedLocator(const Message& m) {
  const LocatorField& l = m.fields.locator;
  return {l[1], l[2], l[3], m.subsquare[0], m.subsquare[1], l[0]};
}

SourceCode StandardCode(const MessageFields& fields) {
  const LocatorField& loc = fields.locator;
  SourceCode code;
  code.n1 = CallsignNumber(fields.callsign);

  // Longitude letter and digit, then latitude letter and digit; 179 - x counts west to east.
  const std::uint32_t lon = (Byte(loc[0]) - 'A') * 10 + (Byte(loc[2]) - '0');
  const std::uint32_t lat = (Byte(loc[1]) - 'A') * 10 + (Byte(loc[3]) - '0');
  code.compact_locator = (179 - lon) * 180 + lat;

  // OR, not add: a power code of 128 or more spills into the locator bits.
  code.n2 = (code.compact_locator << 7) | (static_cast<std::uint32_t>(fields.power_dbm) + 64);
  return code;
}

}  // namespace

std::uint32_t AffixNumber(const CallText& call) {
  const std::string_view text(call.data(), call.size());
  const std::string_view word = text.substr(0, text.find(' '));
  const std::size_t slash = word.find('/');
  if (slash == std::string_view::npos) return 0;
  const std::string_view before = word.substr(0, slash);
  const std::string_view after = word.substr(slash + 1);
  if (after.size() == 1) return kSuffixBase + AffixValue(after[0]);
  if (after.size() == 2) {
    return kSuffixBase + 26 + (Byte(after[0]) - '0') * 10 + (Byte(after[1]) - '0');
  }
  // The prefix right-aligned in three places, blanks in front.
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t blanks = 3 - std::min<std::size_t>(before.size(), 3);
    n = n * 37 + (i < blanks ? 36 : AffixValue(before[i - blanks]));
  }
  return n;
}

SourceCode EncodeSource(const Message& message) {
  SourceCode code;
  const auto power = static_cast<std::uint32_t>(message.fields.power_dbm);
  switch (message.type) {
    case MessageType::kStandard:
      code = StandardCode(message.fields);
      break;
    case MessageType::kCompound: {
      // Fifteen bits of the prefix or suffix number go with the locator's bits; the sixteenth
      // raises the power code by one, so that it no longer ends in 0, 3 or 7.
      const std::uint32_t affix = AffixNumber(message.call);
      code.n1 = CallsignNumber(message.fields.callsign);
      code.compact_locator = affix & 0x7FFFU;
      code.n2 = (code.compact_locator << 7) | ((power + 1 + (affix >> 15) + 64) & 0x7FU);
      break;
    }
    case MessageType::kHashed:
      // The power code -(power + 1), below zero, tells a decoder that the call is a hash.
      code.n1 = CallsignNumber(RotatedLocator(message));
      code.compact_locator = message.call_hash & 0x7FFFU;
      code.n2 = (code.compact_locator << 7) | ((64 - (power + 1)) & 0x7FU);
      break;
  }
  const std::uint32_t n1 = code.n1;
  const std::uint32_t n2 = code.n2;
  code.bytes = {Low8(n1 >> 20),
                Low8(n1 >> 12),
                Low8(n1 >> 4),
                Low8(((n1 & 0xF) << 4) | ((n2 >> 18) & 0xF)),
                Low8(n2 >> 10),
                Low8(n2 >> 2),
                Low8((n2 & 3) << 6),
                0,
                0,
                0,
                0};
  return code;
}

}  // namespace tonepak
