// The texts of an FST4W transmission's files: wsptones.inc for the PIC assembler and wsptones.h
// for C firmware, each naming the mode and its period.
#include "fst4w_files.hpp"

#include <string_view>

#include "ascii_text.hpp"
#include "fst4w_encoding.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kDigits = "0123456789ABCDEF";

void AppendHexByte(std::string& out, std::uint8_t byte) {
  out += "0x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0xF];
}

// "120 s period, symbols of 8200/12000 s"
std::string PeriodText(const ::fst4w::Period& period) {
  return std::to_string(period.seconds) + " s period, symbols of " +
         std::to_string(period.samples_per_symbol) + "/12000 s";
}

std::string CommentText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (!wspr::ascii::IsPrintable(c) || c == '*' || c == '\\') c = '?';
  }
  return out;
}

}  // namespace

std::string Fst4wIncludeFileText(const Fst4wEncoding& e) {
  const std::string label(beacon::NameOf(e.mode).label);
  std::string out = "  ; " + label + " Data Packed 4 symbols per byte - MSBits first";
  out += kLineEnd;
  out += "  ; " + e.message.text + "  (" + label + ", " + PeriodText(e.period) + ", tonepak)";
  out += kLineEnd;
  for (std::size_t j = 0; j < e.packed.size(); ++j) {
    out += j % 8 == 0 ? "  de " : ", ";
    AppendHexByte(out, e.packed[j]);
    if (j + 1 == e.packed.size()) out += "  ;  End of FST4W Data";
    if (j % 8 == 7) out += kLineEnd;
  }
  return out;
}

std::string Fst4wCHeaderText(const Fst4wEncoding& e) {
  const std::string label(beacon::NameOf(e.mode).label);
  std::string out = "/* " + label + " transmission for the beacon firmware, written by tonepak:\n";
  out += " *   " + CommentText(e.message.text) + "\n";
  out += " * Start it 1 s into each " + std::to_string(e.period.seconds) +
         " s period, the periods counted from the hour in UTC.\n"
         " * The symbols are the tone numbers 0 to 3, each held for " +
         std::to_string(e.period.samples_per_symbol) +
         "/12000 s;\n"
         " * tone n lies n * 12000/" +
         std::to_string(e.period.samples_per_symbol) +
         " Hz above tone 0. The packed bytes hold four\n"
         " * symbols each, the earliest in the two highest bits. */\n"
         "#ifndef WSPTONES_H\n"
         "#define WSPTONES_H\n\n"
         "#include <stdint.h>\n\n"
         "#ifndef FST4W_ROM\n"
         "#define FST4W_ROM\n"
         "#endif\n\n"
         "#define FST4W_PERIOD_S " +
         std::to_string(e.period.seconds) +
         "\n"
         "#define FST4W_SAMPLES_PER_SYMBOL " +
         std::to_string(e.period.samples_per_symbol) +
         "\n"
         "#define FST4W_SYMBOL_COUNT 160\n"
         "#define FST4W_PACKED_COUNT 40\n\n";
  out += "const uint8_t fst4w_symbols[FST4W_SYMBOL_COUNT] FST4W_ROM = {\n";
  for (std::size_t i = 0; i < e.symbols.size(); ++i) {
    out += i % 20 == 0 ? "  " : " ";
    out += std::to_string(e.symbols[i]);
    if (i + 1 < e.symbols.size()) out += ',';
    if (i % 20 == 19) out += '\n';
  }
  out += "};\nconst uint8_t fst4w_packed[FST4W_PACKED_COUNT] FST4W_ROM = {\n";
  for (std::size_t j = 0; j < e.packed.size(); ++j) {
    out += j % 8 == 0 ? "  " : " ";
    AppendHexByte(out, e.packed[j]);
    if (j + 1 < e.packed.size()) out += ',';
    if (j % 8 == 7) out += '\n';
  }
  out += "};\n\n#endif /* WSPTONES_H */\n";
  return out;
}

}  // namespace tonepak::fst4w
