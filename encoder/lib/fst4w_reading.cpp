// Reading an FST4W wsptones.inc or wsptones.h back: the mode the file names, its 160 symbols,
// the sync groups, the parity checks, the CRC and the message.
#include "fst4w_reading.hpp"

#include <algorithm>

#include "c_header_reading.hpp"
#include "crc24.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_symbols.hpp"
#include "include_reading.hpp"
#include "ldpc_240_74.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::string_view kArrayName = "fst4w_symbols";

// The first FST4W mode named in the text, "FST4W-120" to "FST4W-1800", any case.
std::optional<beacon::Mode> NamedMode(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  for (std::size_t at = upper.find("FST4W-"); at != std::string::npos;
       at = upper.find("FST4W-", at + 1)) {
    std::size_t end = at + 6;
    while (end < upper.size() && upper[end] >= '0' && upper[end] <= '9') ++end;
    const std::string digits = upper.substr(at + 6, end - at - 6);
    if (digits.empty() || digits.size() > 4) continue;
    if (const auto mode = beacon::Fst4wModeOf(std::stoi(digits))) return mode;
  }
  return std::nullopt;
}

}  // namespace

bool IsFst4wText(std::string_view text) {
  if (NamedMode(text) || text.find(kArrayName) != std::string_view::npos) return true;
  // 40 bytes in a file that says it is WSPR's is a WSPR table a byte short, not FST4W.
  const IncludeBytes bytes = ReadIncludeBytes(text);
  return bytes.problem.empty() && bytes.count == kPackedByteCount &&
         text.find("WSPR") == std::string_view::npos;
}

Fst4wReading CheckFst4wSymbols(const ChannelSymbols& symbols) {
  Fst4wReading out;
  out.symbols = symbols;
  out.sync_errors = SyncErrors(symbols);
  const Codeword word = CodewordOf(symbols);
  out.failed_checks = FailedChecks(word);
  InfoBits info{};
  std::copy_n(word.begin(), info.size(), info.begin());
  out.crc_matches = CrcMatches(info);
  if (out.sync_errors != 0) {
    out.problems.push_back("sync: " + std::to_string(out.sync_errors) +
                           " of the 40 sync symbols differ from FST4W's sync words");
  }
  if (out.failed_checks != 0) {
    out.problems.push_back("parity: " + std::to_string(out.failed_checks) +
                           " of the 166 LDPC parity checks fail");
  }
  if (!out.crc_matches) {
    out.problems.emplace_back("CRC: the 24 CRC bits are not the CRC of the 50 message bits");
  }
  // A wrong sync group does not stop the message from being read: the code bits carry it.
  if (out.failed_checks == 0 && out.crc_matches) {
    MessageBits bits{};
    std::copy_n(word.begin(), bits.size(), bits.begin());
    out.message = UnpackFst4wMessage(bits);
    if (!out.message) out.problems.emplace_back("the 50 message bits hold no beacon message");
  }
  return out;
}

Fst4wReading ReadFst4wText(std::string_view text) {
  const std::optional<beacon::Mode> mode = NamedMode(text);
  ChannelSymbols symbols{};
  std::string problem;
  if (IsCHeaderText(text) || text.find(kArrayName) != std::string_view::npos) {
    problem = ReadSymbolArray(text, kArrayName, symbols);
  } else {
    const IncludeBytes bytes = ReadIncludeBytes(text);
    if (!bytes.problem.empty()) {
      problem = bytes.problem;
    } else if (bytes.count != kPackedByteCount) {
      problem = "its \"de\" lines hold " + std::to_string(bytes.count) +
                " bytes; FST4W's 160 symbols, four to a byte, are 40";
    } else {
      PackedSymbols packed{};
      std::copy(bytes.bytes.begin(), bytes.bytes.end(), packed.begin());
      symbols = UnpackFst4wSymbols(packed);
    }
  }
  if (!problem.empty()) {
    Fst4wReading out;
    out.mode = mode;
    out.problems.push_back(problem);
    return out;
  }
  Fst4wReading out = CheckFst4wSymbols(symbols);
  out.mode = mode;
  return out;
}

}  // namespace tonepak::fst4w
