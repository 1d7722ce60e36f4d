// Fuzz target: any call sign, locator and power text through the whole encoder to the include
// file, and back: a message that a standard WSPR message carries must read back as it was; and
// the transmissions chosen for the same words, compound and hashed calls read back likewise.
//
// Input: three byte strings as FuzzedDataProvider splits them (call sign and locator each end at
// a backslash followed by anything but a backslash; the rest is the power text), so a seed reads
// "Q1ABC\ AA00\ 10". Every byte value, NUL included, can reach every field.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "c_header.hpp"
#include "call_hash.hpp"
#include "decoding.hpp"
#include "encoding.hpp"
#include "field_warnings.hpp"
#include "include_reading.hpp"
#include "interleaver.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"
#include "sync.hpp"
#include "trace.hpp"
#include "transmissions.hpp"
#include "wspr_types.hpp"

namespace {

using namespace tonepak;

// Stays on in release builds, unlike assert(); libFuzzer saves the input that reached it.
[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "encoder_fuzz: invariant broken: %s\n", what);
  std::abort();
}

void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

constexpr std::string_view kLineEnd = "\r\n";

// Reads "0x" and two upper-case hex digits at `pos`; -1 when something else stands there.
int HexByteAt(std::string_view text, std::size_t pos) {
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (pos + 4 > text.size() || text.substr(pos, 2) != "0x") return -1;
  const int high = digit(text[pos + 2]);
  const int low = digit(text[pos + 3]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// Walks the include file line by line and reads the 41 bytes back out of its "de" lines.
void CheckIncludeFile(const std::string& text, const MessageFields& fields,
                      const PackedSymbols& packed) {
  char power[16];
  const int power_chars = std::snprintf(power, sizeof power, "%d", fields.power_dbm);
  Check(text.size() == 427 + static_cast<std::size_t>(power_chars),
        "include file is not 427 bytes plus the characters of the power");

  std::string_view rest = text;
  auto expect = [&](std::string_view piece, const char* what) {
    Check(rest.substr(0, piece.size()) == piece, what);
    rest.remove_prefix(piece.size());
  };
  expect("  ; WSPR Data Packed 4 symbols per byte - MSBits first", "first comment line");
  expect(kLineEnd, "line end after line 1");
  expect("  ;", "start of line 2");
  expect(std::string_view(fields.callsign.data(), fields.callsign.size()), "call sign in line 2");
  expect(" ", "blank after the call sign");
  expect(std::string_view(fields.locator.data(), fields.locator.size()), "locator in line 2");
  expect(" ", "blank after the locator");
  expect(std::string_view(power, static_cast<std::size_t>(power_chars)), "power in line 2");
  expect("         (Generated from 'TONEPAK.EXE'   VARNO June 2009)", "tail of line 2");
  expect(kLineEnd, "line end after line 2");
  for (std::size_t j = 0; j < packed.size(); ++j) {
    if (j % 8 == 0) expect("  de ", "\"  de \" at the start of a data line");
    Check(HexByteAt(rest, 0) == packed[j], "data byte differs from the packed symbols");
    rest.remove_prefix(4);
    if (j == packed.size() - 1) break;
    expect(j % 8 == 7 ? kLineEnd : std::string_view(", "), "separator between data bytes");
  }
  expect("  ;  End of WSPR Data", "end comment");
  expect(kLineEnd, "line end after the last line");
  Check(rest.empty(), "bytes after the last line end");
}

void CheckFields(std::string_view callsign_text, const MessageFields& fields) {
  for (const char c : fields.callsign)
    Check(c < 'a' || c > 'z', "lower case left in the call sign");
  for (int i = 0; i < 2; ++i) {
    Check(fields.locator[i] < 'a' || fields.locator[i] > 'z', "lower case left in the locator");
  }
  for (int i = 2; i < 4; ++i) {
    const auto c = static_cast<unsigned char>(fields.locator[i]);
    Check(c >= 0x30 && c <= 0x3F, "locator square outside '0'..'?'");
  }
  // A call sign whose third character is a digit keeps its place; any other moves right by one
  // and starts with a blank.
  const std::string_view typed = callsign_text.substr(0, callsign_text.find('\0'));
  const bool digit_third = typed.size() >= 3 && typed[2] >= '0' && typed[2] <= '9';
  if (!digit_third) Check(fields.callsign[0] == ' ', "shifted call sign does not start blank");
  const std::size_t offset = digit_third ? 0 : 1;
  for (std::size_t i = offset; i < fields.callsign.size(); ++i) {
    const char c = i - offset < typed.size() ? typed[i - offset] : ' ';
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    Check(fields.callsign[i] == upper, "call sign character not carried over");
  }
}

void CheckSourceCode(const SourceCode& code) {
  const SourceBytes& b = code.bytes;
  // The bytes carry the low 28 bits of N1 and the low 22 bits of N2, then the zero tail.
  const std::uint32_t n1 = (std::uint32_t{b[0]} << 20) | (std::uint32_t{b[1]} << 12) |
                           (std::uint32_t{b[2]} << 4) | (std::uint32_t{b[3]} >> 4);
  const std::uint32_t n2 = ((std::uint32_t{b[3]} & 0xF) << 18) | (std::uint32_t{b[4]} << 10) |
                           (std::uint32_t{b[5]} << 2) | (std::uint32_t{b[6]} >> 6);
  Check(n1 == (code.n1 & 0x0FFFFFFF), "source bytes do not carry N1");
  Check(n2 == (code.n2 & 0x003FFFFF), "source bytes do not carry N2");
  Check((b[6] & 0x3F) == 0, "tail bits in byte 6 are not zero");
  for (std::size_t i = 7; i < b.size(); ++i) Check(b[i] == 0, "tail byte is not zero");
}

// What goes on the air for the same words: a call without '/' starts with the very message
// above; a refusal sends nothing and says why; every message of types 2 and 3 with a power a
// decoder reads comes back from its symbols as it was sent, its hash without the call.
void CheckTransmissions(std::string_view callsign, std::string_view locator, std::string_view power,
                        const MessageFields& fields) {
  const Transmissions t = ChooseTransmissions(callsign, locator, power);
  const bool slash = callsign.substr(0, callsign.find('\0')).find('/') != std::string_view::npos;
  Check((t.count == 0) == !t.refusal.empty(), "refused without a reason, or sent with one");
  Check(t.count <= 2 && (slash || t.count >= 1), "a call without '/' refused, or too many");
  if (!slash) {
    const MessageFields& first = t.messages[0].fields;
    Check(t.messages[0].type == MessageType::kStandard && first.callsign == fields.callsign &&
              first.locator == fields.locator && first.power_dbm == fields.power_dbm,
          "a plain call's first transmission is not its standard message");
  }
  std::vector<Encoding> encodings;
  for (const Message& m : t.List()) {
    encodings.push_back(EncodeMessage(m));
    const Encoding& e = encodings.back();
    const IncludeReading reading = ReadIncludeText(e.include_file);
    Check(reading.packed.has_value() && *reading.packed == e.packed,
          "a pair's include file does not read back");
    if (m.type == MessageType::kStandard || !PowerWarning(m.fields.power_dbm).empty()) continue;
    const Decoded decoded = DecodePacked(e.packed);
    Check(decoded.message.has_value(), "a compound or hashed message is refused when read");
    Message heard = m;  // a type 3 read alone knows its hash, not its call
    if (m.type == MessageType::kHashed) {
      heard.call.fill(' ');
      Check(decoded.message->call_hash == CallHash(CallOf(m)), "the hash reads back otherwise");
    }
    Check(MessageText(*decoded.message) == MessageText(heard),
          "a compound or hashed message reads otherwise");
    Check(EncodeMessage(*decoded.message).packed == e.packed, "read back, it encodes otherwise");
  }
  Check(t.count < 2 || t.messages[1].type == MessageType::kHashed, "second is not type 3");
  Check(!CHeaderText(encodings).empty(), "no C header");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string callsign = provider.ConsumeRandomLengthString();
  const std::string locator = provider.ConsumeRandomLengthString();
  const std::string power = provider.ConsumeRemainingBytesAsString();

  const MessageFields fields = NormaliseMessage(callsign, locator, power);
  CheckFields(callsign, fields);

  const Encoding e = EncodeMessage(fields);
  const SourceCode& source = e.source;
  CheckSourceCode(source);

  const Convolution& convolution = e.convolution;
  for (const std::uint8_t bit : convolution.bits) Check(bit <= 1, "coded bit is not 0 or 1");

  const InterleavedBits& interleaved = e.interleaved;
  for (const std::uint8_t bit : interleaved) Check(bit <= 1, "interleaved bit is not 0 or 1");
  const ConvolverBits back = Deinterleave(interleaved);
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    Check(back[i] == convolution.bits[i], "de-interleaving does not give the coded bits back");
  }

  const ChannelSymbols& symbols = e.symbols;
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    Check(symbols[i] <= 3, "channel symbol above 3");
    Check((symbols[i] & 1) == SyncVector[i], "low bit of a symbol is not the sync bit");
    Check((symbols[i] >> 1) == interleaved[i], "high bit of a symbol is not the data bit");
  }

  const PackedSymbols& packed = e.packed;
  static_assert(std::tuple_size_v<PackedSymbols> == 41, "162 symbols make 41 packed bytes");
  Check((packed[40] & 0x0F) == 0, "low nibble of the last packed byte is not zero");
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const unsigned shift = 6 - 2 * (i % 4);
    Check(((packed[i / 4] >> shift) & 3U) == symbols[i], "packed byte loses a symbol");
  }

  CheckIncludeFile(e.include_file, fields, packed);

  // Back from the include file: a standard message reads back as the normalised fields; any other
  // is refused, or reads as a message that encodes to the very same symbols.
  const IncludeReading reading = ReadIncludeText(e.include_file);
  Check(reading.packed.has_value() && *reading.packed == packed, "include file does not read back");
  const Decoded decoded = DecodePacked(packed);
  if (FieldWarnings(fields).empty()) {
    Check(decoded.message.has_value() && decoded.problems.empty(), "standard message refused");
    Check(decoded.message->fields.callsign == fields.callsign, "call sign read back differs");
    Check(decoded.message->fields.locator == fields.locator, "locator read back differs");
    Check(decoded.message->fields.power_dbm == fields.power_dbm, "power read back differs");
  } else if (decoded.message) {
    Check(EncodeMessage(*decoded.message).symbols == symbols,
          "message read back encodes otherwise");
  } else {
    Check(!decoded.problems.empty(), "refused without a reason");
  }

  // The console text and the warnings are built from the same fields and must cope with any
  // byte in them; the sanitizers are the check here.
  const std::string trace = SummaryBox(fields) + SourceTrace(source) +
                            ConvolutionTrace(convolution) + InterleaverTrace(interleaved) +
                            ChannelSymbolsTrace(symbols) + PackedSymbolsTrace(packed);
  for (const std::string& warning : FieldWarnings(fields)) {
    Check(!warning.empty(), "empty warning line");
  }
  Check(trace.find("Packed Symbols for Export") != std::string::npos,
        "trace lacks the packed dump");

  CheckTransmissions(callsign, locator, power, fields);
  return 0;
}
