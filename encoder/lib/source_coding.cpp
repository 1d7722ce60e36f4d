// Source coding: call sign, locator and power into the 50 information bits of a WSPR message.
#include "source_coding.hpp"

namespace tonepak {
namespace {

// Field bytes count as 0..255 whatever the signedness of char on the platform.
std::uint32_t Byte(char c) { return static_cast<unsigned char>(c); }

// Call-sign positions 0 and 1: digits 0-9, letters 10-35, space 36.
std::uint32_t AlphanumericValue(char c) {
  if (c >= '0' && c <= '9') return Byte(c) - '0';
  if (c == ' ') return 36;
  return Byte(c) - 55;
}

// Call-sign positions 3 to 5: letters 0-25, space 26.
std::uint32_t SuffixValue(char c) { return c == ' ' ? 26 : Byte(c) - 'A'; }

std::uint8_t Low8(std::uint32_t v) { return static_cast<std::uint8_t>(v & 0xFF); }

}  // namespace

SourceCode EncodeSource(const MessageFields& fields) {
  const CallsignField& call = fields.callsign;
  const LocatorField& loc = fields.locator;

  SourceCode code;
  std::uint32_t n1 = AlphanumericValue(call[0]);
  n1 = n1 * 36 + AlphanumericValue(call[1]);
  n1 = n1 * 10 + (Byte(call[2]) - '0');
  n1 = n1 * 27 + SuffixValue(call[3]);
  n1 = n1 * 27 + SuffixValue(call[4]);
  n1 = n1 * 27 + SuffixValue(call[5]);
  code.n1 = n1;

  // Longitude letter and digit, then latitude letter and digit; 179 - x counts west to east.
  const std::uint32_t lon = (Byte(loc[0]) - 'A') * 10 + (Byte(loc[2]) - '0');
  const std::uint32_t lat = (Byte(loc[1]) - 'A') * 10 + (Byte(loc[3]) - '0');
  code.compact_locator = (179 - lon) * 180 + lat;

  // OR, not add: a power code of 128 or more spills into the locator bits.
  code.n2 = (code.compact_locator << 7) | (static_cast<std::uint32_t>(fields.power_dbm) + 64);

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
