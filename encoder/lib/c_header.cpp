// Text of wsptones.h, the transmissions as C arrays for C and C++ firmware (AVR, Arduino, XC8).
#include "c_header.hpp"

#include <cstdint>

#include "ascii_text.hpp"
#include "message_unpacking.hpp"

namespace tonepak {
namespace {

// `values` as a C initialiser list, `per_line` to a line, decimal or as 0xNN.
template <std::size_t N>
std::string Initialiser(const std::array<std::uint8_t, N>& values, std::size_t per_line, bool hex) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    out += i % per_line == 0 ? "  " : " ";
    if (hex) {
      out += "0x";
      out += kDigits[values[i] >> 4];
      out += kDigits[values[i] & 0xF];
    } else {
      out += std::to_string(values[i]);
    }
    if (i + 1 < N) out += ',';
    if (i % per_line == per_line - 1 || i + 1 == N) out += '\n';
  }
  return out;
}

// The message for a C comment: nothing in it may end the comment early.
std::string CommentText(const Message& message) {
  std::string text = MessageText(message);
  for (char& c : text) {
    if (!wspr::ascii::IsPrintable(c) || c == '*' || c == '\\') c = '?';
  }
  return text;
}

}  // namespace

std::string CHeaderText(std::span<const Encoding> transmissions) {
  std::string out =
      "/* WSPR transmissions for the beacon firmware, written by tonepak.\n"
      " * Send them in turn, the first one first, each from the start of an even minute:\n";
  for (std::size_t t = 0; t < transmissions.size(); ++t) {
    out += " *   " + std::to_string(t + 1) + ": " + CommentText(transmissions[t].message) + "\n";
  }
  out +=
      " * The symbols are the tone numbers 0 to 3, each held for 8192/12000 s; the packed bytes\n"
      " * hold four symbols each, the earliest in the two highest bits. */\n"
      "#ifndef WSPTONES_H\n"
      "#define WSPTONES_H\n\n"
      "#include <stdint.h>\n\n"
      "#ifndef WSPR_ROM\n"
      "#define WSPR_ROM\n"
      "#endif\n\n"
      "#define WSPR_SYMBOL_COUNT 162\n"
      "#define WSPR_PACKED_COUNT 41\n"
      "#define WSPR_TRANSMISSION_COUNT " +
      std::to_string(transmissions.size()) + "\n";
  for (std::size_t t = 0; t < transmissions.size(); ++t) {
    const Encoding& e = transmissions[t];
    // Appended, not "_" + number: that trips GCC 12's false -Wrestrict alarm at -O2.
    std::string suffix;
    if (t > 0) suffix.append("_").append(std::to_string(t + 1));
    out += "\n/* " + CommentText(e.message) + " */\n";
    out += "const uint8_t wspr_symbols" + suffix + "[WSPR_SYMBOL_COUNT] WSPR_ROM = {\n";
    out += Initialiser(e.symbols, 18, false) + "};\n";
    out += "const uint8_t wspr_packed" + suffix + "[WSPR_PACKED_COUNT] WSPR_ROM = {\n";
    out += Initialiser(e.packed, 8, true) + "};\n";
  }
  out += "\n#endif /* WSPTONES_H */\n";
  return out;
}

}  // namespace tonepak
