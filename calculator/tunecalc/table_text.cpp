// The tone table as the firmware takes it: a PIC include file or a C header.
#include "table_text.hpp"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace tunecalc {
namespace {

using tuneworks::ToneTableKind;

constexpr std::size_t kTones = 4;

std::string HexByte(std::uint8_t byte) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  return {'0', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

std::string Number(double value) {
  std::string text = tuneworks::NumberText(value);
  if (text.front() == ' ') text.erase(0, 1);
  return text;
}

std::string_view Synthesiser(ToneTableKind kind) {
  switch (kind) {
    case ToneTableKind::kPic24:
      return "a PIC's 24-bit software DDS";
    case ToneTableKind::kAd985x:
      return "an AD9850/51 (32-bit DDS)";
    case ToneTableKind::kAd9852:
      return "an AD9852 (48-bit DDS)";
    case ToneTableKind::kSi5351:
      return "a Si5351 (PLL A, multisynth 0, CLK0)";
  }
  return {};
}

// What each tone's bytes are, in short lines without a comment leader.
std::string_view ByteOrder(ToneTableKind kind) {
  switch (kind) {
    case ToneTableKind::kPic24:
      return "3 bytes a tone: the 24-bit tuning word, most significant byte first";
    case ToneTableKind::kAd985x:
      return "5 bytes a tone: the 40-bit serial load in the order it is shifted in, W0-W7\n"
             "first and each byte from its bit 0, the control byte W32-W39 last (bit 0:\n"
             "the AD9851's 6x REFCLK multiplier, set when the PLL multiplier is 6)";
    case ToneTableKind::kAd9852:
      return "6 bytes a tone: frequency tuning word 1 (serial address 2, registers 0x04\n"
             "to 0x09), most significant byte first";
    case ToneTableKind::kSi5351:
      return "8 bytes a tone: the eight registers, in order, of the block that steps (PLL A,\n"
             "26 to 33, or multisynth 0, 42 to 49, as each band's line says); the other\n"
             "block's eight, the same for all four tones, go first, written once. Turn spread\n"
             "spectrum off (register 149 bit 7) and do not reset the PLL between tones";
  }
  return {};
}

// The layout of one tone's bytes, drawn for the C header.
std::string_view Layout(ToneTableKind kind) {
  switch (kind) {
    case ToneTableKind::kPic24:
      return "byte   0         1        2\n"
             "       W23-W16   W15-W8   W7-W0";
    case ToneTableKind::kAd985x:
      return "byte   0       1        2         3         4\n"
             "       W7-W0   W15-W8   W23-W16   W31-W24   W39-W32 control:\n"
             "       bit 0 6x REFCLK (AD9851), 1 test (0), 2 power-down (0), 3-7 phase (0)";
    case ToneTableKind::kAd9852:
      return "byte   0         1         2         3         4        5\n"
             "reg    0x04      0x05      0x06      0x07      0x08     0x09\n"
             "       W47-W40   W39-W32   W31-W24   W23-W16   W15-W8   W7-W0";
    case ToneTableKind::kSi5351:
      return "byte   0         1        2          3         4        5                  6        "
             "7\n"
             "       P3 15:8   P3 7:0   P1 17:16   P1 15:8   P1 7:0   P3 19:16|P2 19:16  P2 15:8  "
             "P2 7:0\n"
             "       (in a multisynth's byte 2, bits 6:4 are the R divider's exponent and 3:2 are\n"
             "       set for a division by 4)";
  }
  return {};
}

// `text`'s lines, each after `leader` and ending in `line_end`.
std::string Lines(std::string_view text, std::string_view leader, std::string_view line_end) {
  std::string out;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    out.append(leader).append(text.substr(start, end - start)).append(line_end);
    start = end + 1;
  }
  return out;
}

std::string Setup(const tuneworks::ToneTable& table) {
  if (table.si5351) {
    return "crystal or CLKIN " + Number(table.si5351->crystalHz) + " Hz, RF x " +
           Number(table.rfMultiplier);
  }
  return "DDS clock " + Number(table.clockHz) + " Hz, RF x " + Number(table.rfMultiplier);
}

// The Si5351's blocks for one band: "PLL A steps (26 to 33), multisynth 0 once (42 to 49), R 1".
std::string Si5351Blocks(const tuneworks::ToneTable& table) {
  const auto block = [](int first) {
    return std::string(first == 26 ? "PLL A" : "multisynth 0") + " (registers " +
           std::to_string(first) + " to " + std::to_string(first + 7) + ")";
  };
  return block(table.toneFirstRegister) + " steps, " + block(table.sharedFirstRegister) +
         " once, R divider " + std::to_string(table.si5351->rDivider);
}

std::string ByteList(const std::array<std::uint8_t, 8>& bytes, std::size_t count) {
  std::string out;
  for (std::size_t k = 0; k < count; ++k) out += (k == 0 ? "" : ", ") + HexByte(bytes[k]);
  return out;
}

// "40 m: wanted 7040100.000 Hz, step 1.466845 Hz (+0.136 %)"; without a band, no name.
std::string EntryLine(const TableEntry& entry) {
  const tuneworks::ActualFrequencies& a = entry.table.actual;
  std::string line = entry.band ? std::string(entry.band->band.label) + ": " : std::string();
  return line + "wanted " + tuneworks::FixedText(a.wantedHz, 3) + " Hz, step " +
         tuneworks::FixedText(a.stepHz, 6) + " Hz (" +
         tuneworks::FixedText(a.stepErrorPercent, 3, true) + " %)";
}

std::string ToneHz(const TableEntry& entry, std::size_t tone) {
  return "tone " + std::to_string(tone) + ": " +
         tuneworks::FixedText(entry.table.actual.tonesHz[tone], 3) + " Hz";
}

// A band's macro: WSPR_TONE_BAND_40M, WSPR_TONE_BAND_70CM.
std::string BandMacro(std::string_view name) {
  std::string macro = "WSPR_TONE_BAND_";
  for (const char c : name) macro += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return macro;
}

// "4 tones, lowest first" or "3 bands, 4 tones each, lowest first".
std::string Count(std::size_t bands) {
  return (bands == 1 ? std::string() : std::to_string(bands) + " bands, ") + "4 tones" +
         (bands == 1 ? "" : " each") + ", lowest first";
}

// The Si5351's arrays beside the tone table: each band's block written once, and the first
// registers of both blocks.
std::string Si5351Arrays(std::span<const TableEntry> entries) {
  std::string once =
      "\n/* Each band's block written once, before its tones. */\n"
      "const uint8_t wspr_si5351_once[WSPR_TONE_BAND_COUNT][8] WSPR_ROM = {\n";
  std::string once_register =
      "/* The first register of the block written once, and of the one each tone sets. */\n"
      "const uint8_t wspr_si5351_once_register[WSPR_TONE_BAND_COUNT] WSPR_ROM = {";
  std::string tone_register =
      "const uint8_t wspr_si5351_tone_register[WSPR_TONE_BAND_COUNT] WSPR_ROM = {";
  for (std::size_t b = 0; b < entries.size(); ++b) {
    const tuneworks::ToneTable& table = entries[b].table;
    const bool last = b + 1 == entries.size();
    once += "  {" + ByteList(table.sharedBytes, 8) + (last ? "}\n" : "},\n");
    once_register += std::to_string(table.sharedFirstRegister) + (last ? "};\n" : ", ");
    tone_register += std::to_string(table.toneFirstRegister) + (last ? "};\n" : ", ");
  }
  return once + "};\n" + once_register + tone_register;
}

}  // namespace

std::string IncludeTableText(std::span<const TableEntry> entries) {
  constexpr std::string_view kLineEnd = "\r\n";
  const tuneworks::ToneTable& first = entries.front().table;
  const std::size_t band_bytes = (kTones + (first.si5351 ? 1 : 0)) * first.bytesPerTone;
  std::string out = "  ; " + std::string(beacon::NameOf(first.actual.mode).label) +
                    " tone table for " + std::string(Synthesiser(first.kind)) +
                    ", written by tunecalc" + std::string(kLineEnd);
  out += "  ; " + Setup(first) + "; " + Count(entries.size()) + std::string(kLineEnd);
  out += Lines(ByteOrder(first.kind), "  ; ", kLineEnd);
  for (std::size_t b = 0; b < entries.size(); ++b) {
    const tuneworks::ToneTable& table = entries[b].table;
    out += "  ; " + EntryLine(entries[b]) + ", bytes " + std::to_string(b * band_bytes) + " to " +
           std::to_string((b + 1) * band_bytes - 1) + std::string(kLineEnd);
    if (table.si5351) {
      out += "  ; " + Si5351Blocks(table) + std::string(kLineEnd);
      out += "  de " + ByteList(table.sharedBytes, 8) + "  ; registers " +
             std::to_string(table.sharedFirstRegister) + " to " +
             std::to_string(table.sharedFirstRegister + 7) + ", once" + std::string(kLineEnd);
    }
    for (std::size_t t = 0; t < kTones; ++t) {
      out += "  de " + ByteList(table.toneBytes[t], first.bytesPerTone) + "  ; " +
             ToneHz(entries[b], t) + std::string(kLineEnd);
    }
  }
  return out;
}

std::string CHeaderTableText(std::span<const TableEntry> entries) {
  const tuneworks::ToneTable& first = entries.front().table;
  std::string out = "/* " + std::string(beacon::NameOf(first.actual.mode).label) +
                    " tone table for " + std::string(Synthesiser(first.kind)) +
                    ", written by tunecalc.\n * " + Setup(first) + ".\n";
  out += Lines(ByteOrder(first.kind), " * ", "\n");
  out += " *\n" + Lines(Layout(first.kind), " *   ", "\n");
  out += " *\n * " + Count(entries.size()) + ":\n";
  for (std::size_t b = 0; b < entries.size(); ++b) {
    out += " *   " + std::to_string(b) + ": " + EntryLine(entries[b]) + "\n";
    if (entries[b].table.si5351) out += " *      " + Si5351Blocks(entries[b].table) + "\n";
  }
  out +=
      " */\n"
      "#ifndef WSPR_TONE_TABLE_H\n"
      "#define WSPR_TONE_TABLE_H\n\n"
      "#include <stdint.h>\n\n"
      "#ifndef WSPR_ROM\n"
      "#define WSPR_ROM\n"
      "#endif\n\n"
      "#define WSPR_TONE_BAND_COUNT " +
      std::to_string(entries.size()) +
      "\n"
      "#define WSPR_TONE_COUNT 4\n"
      "#define WSPR_TONE_BYTES " +
      std::to_string(first.bytesPerTone) + "\n";
  for (std::size_t b = 0; b < entries.size(); ++b) {
    if (entries[b].band) {
      out += "#define " + BandMacro(entries[b].band->band.name) + " " + std::to_string(b) + "\n";
    }
  }
  out +=
      "\nconst uint8_t wspr_tone_table[WSPR_TONE_BAND_COUNT][WSPR_TONE_COUNT][WSPR_TONE_BYTES] "
      "WSPR_ROM = {\n";
  for (std::size_t b = 0; b < entries.size(); ++b) {
    out += "  /* " + EntryLine(entries[b]) + " */\n  {\n";
    for (std::size_t t = 0; t < kTones; ++t) {
      out += "    {";
      for (std::size_t k = 0; k < first.bytesPerTone; ++k) {
        out += (k == 0 ? "" : ", ") + HexByte(entries[b].table.toneBytes[t][k]);
      }
      out += t + 1 < kTones ? "}, /* " : "}  /* ";
      out += ToneHz(entries[b], t) + " */\n";
    }
    out += b + 1 < entries.size() ? "  },\n" : "  }\n";
  }
  out += "};\n";
  if (first.si5351) out += Si5351Arrays(entries);
  out += "\n#endif /* WSPR_TONE_TABLE_H */\n";
  return out;
}

}  // namespace tunecalc
