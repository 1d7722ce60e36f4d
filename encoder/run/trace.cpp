// The console trace of a run: the summary box and the printout of every encoding stage.
#include "trace.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "message_unpacking.hpp"

namespace tonepak {
namespace {

// printf into a std::string; every piece of the trace is short and bounded.
template <typename... Args>
void Append(std::string& out, const char* format, Args... args) {
  std::array<char, 64> buffer{};
  const int n = std::snprintf(buffer.data(), buffer.size(), format, args...);
  if (n > 0) out.append(buffer.data(), std::min<std::size_t>(static_cast<std::size_t>(n), 63));
}

// Values 0..161 as "%u ", a line end after every 32nd.
template <typename Array>
std::string BitRows(const Array& values) {
  std::string out;
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    Append(out, "%u ", static_cast<unsigned>(values[i]));
    if (i % 32 == 31) out += '\n';
  }
  return out;
}

int Byte(char c) { return static_cast<unsigned char>(c); }

}  // namespace

std::string SummaryBox(const MessageFields& f) {
  const auto& c = f.callsign;
  const auto& l = f.locator;
  std::string out = "\n\n\n\n     |------------------|\n";
  Append(out, "     |   Call %c%c%c%c%c%c    |\n", Byte(c[0]), Byte(c[1]), Byte(c[2]), Byte(c[3]),
         Byte(c[4]), Byte(c[5]));
  Append(out, "     |   Loc  %c%c%c%c      |\n", Byte(l[0]), Byte(l[1]), Byte(l[2]), Byte(l[3]));
  Append(out, "     |   dBm  %2d        |\n", static_cast<int>(f.power_dbm));
  out += "     |------------------|\n";
  return out;
}

std::string CompoundSummaryBox(std::string_view call, std::string_view locator, int power_dbm) {
  const std::string c(call.substr(0, 10));
  const std::string l(locator.empty() ? std::string_view("(not sent)") : locator.substr(0, 10));
  std::string out = "\n\n\n\n     |------------------|\n";
  Append(out, "     |   Call %-10s|\n", c.c_str());
  Append(out, "     |   Loc  %-10s|\n", l.c_str());
  Append(out, "     |   dBm  %2d        |\n", power_dbm);
  out += "     |------------------|\n";
  return out;
}

std::string SecondTransmissionLine(const Message& second) {
  return "\nSecond transmission, for wsptones2.inc and a2.au:  " + MessageText(second) + "\n";
}

std::string PairClosingLines(const Message& first, const Message& second) {
  return "Two transmissions, sent in turn, the first one first:\n"
         "  1  wsptones.inc   a.au    " +
         MessageText(first) +
         "\n"
         "  2  wsptones2.inc  a2.au   " +
         MessageText(second) +
         "\n"
         "The firmware must send the two tables in turn, wsptones.inc first, each transmission\n"
         "from the start of an even minute; a decoder fills in the call of the second\n"
         "only after it has heard the first.\n\n";
}

std::string SourceTrace(const SourceCode& code) {
  std::string out;
  Append(out, "  Short Compact Loc %u \n", static_cast<unsigned>(code.compact_locator));
  Append(out, "Source Coded N1 N2        %u %u \n", static_cast<unsigned>(code.n1),
         static_cast<unsigned>(code.n2));
  out += "Source-Coded Characters  ";
  for (std::uint8_t b : code.bytes) Append(out, "0x%02X ", static_cast<unsigned>(b));
  out += '\n';
  return out;
}

std::string ConvolutionTrace(const Convolution& convolution) {
  std::string out = "Convolver shift register states \n";
  for (std::uint32_t state : convolution.register_states) {
    Append(out, "%08X  ", static_cast<unsigned>(state));
  }
  out += "Convolver output before Interleaving \n";
  out += BitRows(convolution.bits);
  return out;
}

std::string InterleaverTrace(const InterleavedBits& interleaved) {
  return "\n\nInterleaver output (raw data)\n" + BitRows(interleaved);
}

std::string ChannelSymbolsTrace(const ChannelSymbols& symbols) {
  return "\n\nEncoded Symbols\n" + BitRows(symbols) + "\n\n";
}

std::string PackedSymbolsTrace(const PackedSymbols& packed) {
  std::string out = "Packed Symbols for Export   \n";
  for (std::size_t j = 0; j + 1 < packed.size(); ++j) {
    Append(out, "%02X ", static_cast<unsigned>(packed[j]));
    if (j % 8 == 7) out += '\n';
  }
  Append(out, "%02X \n", static_cast<unsigned>(packed.back()));
  return out;
}

}  // namespace tonepak
