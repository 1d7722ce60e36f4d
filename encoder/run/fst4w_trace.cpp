// The console trace of an FST4W run: the summary box and the printout of every stage, from the
// 50 message bits to the 160 symbols with their sync groups marked.
#include "fst4w_trace.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

#include "fst4w_symbols.hpp"

namespace tonepak::fst4w {
namespace {

template <typename... Args>
void Append(std::string& out, const char* format, Args... args) {
  std::array<char, 128> buffer{};
  const int n = std::snprintf(buffer.data(), buffer.size(), format, args...);
  if (n > 0) out.append(buffer.data(), std::min<std::size_t>(static_cast<std::size_t>(n), 127));
}

template <typename Array>
std::string Bits(const Array& bits, std::size_t from, std::size_t count) {
  std::string out;
  for (std::size_t i = from; i < from + count; ++i) out += static_cast<char>('0' + bits[i]);
  return out;
}

// Where each form's fields lie among the 50 bits.
struct Field {
  const char* name;
  std::size_t first;
  std::size_t count;
};

std::array<Field, 4> FieldsOf(MessageForm form) {
  switch (form) {
    case MessageForm::kCompoundCallPower:
      return {{{"call", 0, 28}, {"prefix/suffix", 28, 16}, {"power", 44, 5}, {"form", 49, 1}}};
    case MessageForm::kHashedCallGrid6:
      return {{{"call hash", 0, 22}, {"locator", 22, 25}, {"form", 47, 3}, {"", 50, 0}}};
    case MessageForm::kCallGridPower:
      break;
  }
  return {{{"call", 0, 28}, {"locator", 28, 15}, {"power", 43, 5}, {"form", 48, 2}}};
}

}  // namespace

std::string Fst4wSummary(const Fst4wEncoding& e) {
  const std::string label(beacon::NameOf(e.mode).label);
  const std::size_t width = std::max<std::size_t>(e.message.text.size(), 12) + 14;
  const std::string rule = "     |" + std::string(width, '-') + "|\n";
  std::string out = "\n\n\n\n" + rule;
  Append(out, "     |   Mode     %-*s|\n", static_cast<int>(width - 11), label.c_str());
  Append(out, "     |   Message  %-*s|\n", static_cast<int>(width - 11), e.message.text.c_str());
  out += rule;
  Append(out, "Tone step %.4f Hz (12000/%u), symbol period %.4f s, on the air %.2f s of the %d s\n",
         ::fst4w::ToneStepHz(e.period), static_cast<unsigned>(e.period.samples_per_symbol),
         ::fst4w::SymbolPeriodS(e.period), ::fst4w::TransmissionS(e.period), e.period.seconds);
  Append(out, "period, from %.1f s in; tone 0 is the dial frequency plus the audio offset\n",
         ::fst4w::kStartS);
  return out;
}

std::string Fst4wBitsTrace(const Fst4wEncoding& e) {
  std::string out = "Message bits (50)  " + Bits(e.message.bits, 0, kMessageBitCount) + "\n";
  for (const Field& f : FieldsOf(e.message.form)) {
    if (f.count == 0) continue;
    Append(out, "  %-14s bits %2u-%2u  ", f.name, static_cast<unsigned>(f.first + 1),
           static_cast<unsigned>(f.first + f.count));
    out += Bits(e.message.bits, f.first, f.count) + "\n";
  }
  Append(out, "CRC-24 0x%06X     ", static_cast<unsigned>(e.crc));
  out += Bits(e.info, kMessageBitCount, kInfoBitCount - kMessageBitCount) + "\n";
  out += "LDPC (240,74) codeword: the 74 bits above, then 166 parity bits\n";
  for (std::size_t row = 0; row < kCodewordBitCount; row += 60) {
    out += "  " + Bits(e.codeword, row, 60) + "\n";
  }
  return out;
}

std::string Fst4wSymbolsTrace(const ChannelSymbols& symbols) {
  std::string out = "\nChannel symbols (160; S a sync group, D a run of data symbols)\n";
  std::size_t i = 0;
  while (i < kSymbolCount) {
    const bool sync = std::find(::fst4w::kSyncStarts.begin(), ::fst4w::kSyncStarts.end(), i) !=
                      ::fst4w::kSyncStarts.end();
    const std::size_t length = sync ? ::fst4w::kSyncLength : ::fst4w::kDataRunLength;
    Append(out, "  %c %3u ", sync ? 'S' : 'D', static_cast<unsigned>(i));
    for (std::size_t k = i; k < i + length; ++k) {
      out += ' ';
      out += static_cast<char>('0' + symbols[k]);
    }
    out += '\n';
    i += length;
  }
  return out + "\n";
}

std::string Fst4wPackedTrace(const PackedSymbols& packed) {
  std::string out = "Packed Symbols for Export   \n";
  for (std::size_t j = 0; j < packed.size(); ++j) {
    Append(out, "%02X ", static_cast<unsigned>(packed[j]));
    if (j % 8 == 7) out += '\n';
  }
  return out;
}

std::string Fst4wIncludeStoredLine(const Fst4wEncoding& e) {
  return "\n Packed " + std::string(beacon::NameOf(e.mode).label) +
         " tone data stored in  WSPTONES.INC - import into PIC .asm file \n\n";
}

std::string Fst4wMessageNote(const PackedMessage& m) {
  std::string note;
  if (m.typed_power_dbm >= 0 && m.typed_power_dbm != m.power_dbm) {
    note = std::to_string(m.typed_power_dbm) + " dBm is sent as " + std::to_string(m.power_dbm) +
           " dBm: FST4W carries the power in steps of 10/3 dB";
  }
  if (!m.text.empty() && m.text.front() == '<') {
    if (!note.empty()) note += "\n";
    note += "the call goes as a 22-bit hash: a decoder shows it as <...> unless it knows the call";
  }
  return note;
}

}  // namespace tonepak::fst4w
