// One run of TONEPAK, from the message words to wsptones.inc and a.au.
#include "tonepak.hpp"

#include <optional>
#include <string>
#include <string_view>

#include "console_colour.hpp"
#include "encoding.hpp"
#include "field_warnings.hpp"
#include "include_file.hpp"
#include "message_entry.hpp"
#include "message_fields.hpp"
#include "output_file.hpp"
#include "test_audio.hpp"
#include "trace.hpp"

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

int RunTonepak(int argc, const char* const* argv, std::FILE* in) {
  InitConsole();

  // The message, normalised into its fixed-width fields.
  const MessageWords words = ObtainMessageWords(argc, argv, in);
  const MessageFields fields = NormaliseMessage(words.callsign, words.locator, words.power);
  ConsoleColour(kSummaryYellow);
  Print(SummaryBox(fields));
  for (const std::string& warning : FieldWarnings(fields)) Complain(warning);

  // Every stage at once; each one's trace follows in the order of the chain.
  const Encoding e = EncodeMessage(fields);
  ConsoleColour(kNormalGrey);
  Print(SourceTrace(e.source));
  Print(ConvolutionTrace(e.convolution));
  Print(InterleaverTrace(e.interleaved));
  Print(ChannelSymbolsTrace(e.symbols));

  // The symbols packed four to a byte for the firmware's include file.
  ConsoleColour(kPackedBrightWhite);
  Print(PackedSymbolsTrace(e.packed));
  ConsoleColour(kNormalGrey);
  const bool include_written = WriteOutput(
      kIncludeFileName,
      {reinterpret_cast<const std::uint8_t*>(e.include_file.data()), e.include_file.size()});
  Print(kIncludeFileStoredLine);

  // Two minutes of the signal, for a decoder to confirm the message.
  const bool audio_written = WriteOutput(kTestAudioFileName, TestAudioFile(e.symbols));

  std::fflush(stdout);
  return include_written && audio_written ? 0 : 1;
}

}  // namespace tonepak
