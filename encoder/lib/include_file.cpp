// Text of wsptones.inc, the PIC assembler include file with the packed symbols as EEPROM data.
#include "include_file.hpp"

#include <string_view>

#include "message_unpacking.hpp"

namespace tonepak {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// "0x" and two upper-case digits: the assembler wants a full byte, never 0xa.
void AppendHexByte(std::string& out, std::uint8_t byte) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  out += "0x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

}  // namespace

std::string IncludeFileText(const Message& message, const PackedSymbols& packed) {
  const MessageFields& fields = message.fields;
  std::string out;
  out += "  ; WSPR Data Packed 4 symbols per byte - MSBits first";
  out += kLineEnd;

  out += "  ;";
  if (message.type == MessageType::kStandard) {
    out.append(fields.callsign.data(), fields.callsign.size());
    out += ' ';
    out.append(fields.locator.data(), fields.locator.size());
    out += ' ';
    out += std::to_string(fields.power_dbm);
  } else {
    out += MessageText(message);
  }
  out += "         (Generated from 'TONEPAK.EXE'   VARNO June 2009)";
  out += kLineEnd;

  out += "  de ";
  for (std::size_t j = 0; j + 1 < packed.size(); ++j) {
    AppendHexByte(out, packed[j]);
    if (j % 8 == 7) {
      out += kLineEnd;
      out += "  de ";
    } else {
      out += ", ";
    }
  }
  AppendHexByte(out, packed.back());
  out += "  ;  End of WSPR Data";
  out += kLineEnd;
  return out;
}

}  // namespace tonepak
