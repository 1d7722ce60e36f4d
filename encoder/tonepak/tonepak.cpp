// One run of TONEPAK, from the message words to wsptones.inc and a.au.
#include "tonepak.hpp"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "c_header.hpp"
#include "console_colour.hpp"
#include "encoding.hpp"
#include "field_warnings.hpp"
#include "include_file.hpp"
#include "message_entry.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"
#include "output_file.hpp"
#include "test_audio.hpp"
#include "trace.hpp"
#include "transmissions.hpp"

namespace tonepak {
namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// Writes a file; a failure is said on standard error and the run goes on.
bool WriteOutput(const char* name, std::span<const std::uint8_t> bytes) {
  const std::optional<std::string> failure = WriteWholeFile(name, bytes);
  if (failure) Complain(*failure);
  return !failure;
}

}  // namespace

void Complain(std::string_view what) {
  std::fflush(stdout);
  std::fprintf(stderr, "tonepak: %.*s\n", static_cast<int>(what.size()), what.data());
}

int RunTonepak(int argc, const char* const* argv, std::FILE* in, bool c_header) {
  InitConsole();

  // The message words, and what goes on the air for them: one transmission or a pair.
  const MessageWords words = ObtainMessageWords(argc, argv, in);
  const Transmissions plan = ChooseTransmissions(words.callsign, words.locator, words.power);
  if (plan.count == 0) {
    ConsoleColour(kNormalGrey);
    Complain(plan.refusal);
    return kRefusedStatus;
  }
  const Message& first = plan.messages[0];
  ConsoleColour(kSummaryYellow);
  if (first.type == MessageType::kStandard) {
    Print(SummaryBox(first.fields));
    for (const std::string& warning : FieldWarnings(first.fields)) Complain(warning);
  } else {
    const Message& second = plan.messages[1];
    std::string six;
    if (plan.count == 2) {
      six.assign(second.fields.locator.data(), second.fields.locator.size());
      six.append(second.subsquare.data(), second.subsquare.size());
    }
    Print(CompoundSummaryBox(CallOf(first), six, first.fields.power_dbm));
    if (const std::string warning = PowerWarning(first.fields.power_dbm); !warning.empty()) {
      Complain(warning);
    }
  }
  if (!plan.note.empty()) Complain(plan.note);

  std::array<Encoding, 2> encodings;
  bool all_written = true;
  for (std::size_t t = 0; t < plan.count; ++t) {
    // Every stage at once; each one's trace follows in the order of the chain.
    const Encoding& e = encodings[t] = EncodeMessage(plan.messages[t]);
    ConsoleColour(kNormalGrey);
    if (t == 1) Print(SecondTransmissionLine(e.message));
    Print(SourceTrace(e.source));
    Print(ConvolutionTrace(e.convolution));
    Print(InterleaverTrace(e.interleaved));
    Print(ChannelSymbolsTrace(e.symbols));

    // The symbols packed four to a byte for the firmware's include file.
    ConsoleColour(kPackedBrightWhite);
    Print(PackedSymbolsTrace(e.packed));
    ConsoleColour(kNormalGrey);
    all_written &= WriteOutput(
        t == 0 ? kIncludeFileName : kSecondIncludeFileName,
        {reinterpret_cast<const std::uint8_t*>(e.include_file.data()), e.include_file.size()});
    Print(t == 0 ? kIncludeFileStoredLine : kSecondIncludeFileStoredLine);

    // Two minutes of the signal, for a decoder to confirm the message.
    all_written &= WriteOutput(t == 0 ? kTestAudioFileName : kSecondTestAudioFileName,
                               TestAudioFile(e.symbols));
  }

  if (c_header) {
    const std::string header = CHeaderText(std::span<const Encoding>(encodings.data(), plan.count));
    all_written &= WriteOutput(
        kCHeaderFileName, {reinterpret_cast<const std::uint8_t*>(header.data()), header.size()});
    Print(kCHeaderStoredLine);
  }
  if (plan.count == 2) Print(PairClosingLines(plan.messages[0], plan.messages[1]));

  std::fflush(stdout);
  return all_written ? 0 : 1;
}

}  // namespace tonepak
