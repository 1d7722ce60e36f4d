// One run of TONEPAK, from the message words to wsptones.inc and a.au.
#include "tonepak.hpp"

#include <optional>
#include <string>
#include <string_view>

#include "console_colour.hpp"
#include "convolution.hpp"
#include "field_warnings.hpp"
#include "include_file.hpp"
#include "interleaver.hpp"
#include "message_entry.hpp"
#include "message_fields.hpp"
#include "output_file.hpp"
#include "packing.hpp"
#include "source_coding.hpp"
#include "sync.hpp"
#include "test_audio.hpp"
#include "trace.hpp"

namespace tonepak {
namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void Complain(std::string_view what) {
  std::fflush(stdout);
  std::fprintf(stderr, "tonepak: %.*s\n", static_cast<int>(what.size()), what.data());
}

// Writes a file; a failure is said on standard error and the run goes on.
bool WriteOutput(const char* name, std::span<const std::uint8_t> bytes) {
  const std::optional<std::string> failure = WriteWholeFile(name, bytes);
  if (failure) Complain(*failure);
  return !failure;
}

}  // namespace

int RunTonepak(int argc, const char* const* argv, std::FILE* in) {
  InitConsole();

  // The message, normalised into its fixed-width fields.
  const MessageWords words = ObtainMessageWords(argc, argv, in);
  const MessageFields fields = NormaliseMessage(words.callsign, words.locator, words.power);
  ConsoleColour(kSummaryYellow);
  Print(SummaryBox(fields));
  for (const std::string& warning : FieldWarnings(fields)) Complain(warning);

  // Source coding: 50 message bits and the zero tail.
  ConsoleColour(kNormalGrey);
  const SourceCode source = EncodeSource(fields);
  Print(SourceTrace(source));

  // Channel coding: convolution, interleaving, merge with the sync vector.
  const Convolution convolution = Convolve(source.bytes);
  Print(ConvolutionTrace(convolution));
  const InterleavedBits interleaved = Interleave(convolution.bits);
  Print(InterleaverTrace(interleaved));
  const ChannelSymbols symbols = MergeSync(interleaved);
  Print(ChannelSymbolsTrace(symbols));

  // The symbols packed four to a byte for the firmware's include file.
  const PackedSymbols packed = PackSymbols(symbols);
  ConsoleColour(kPackedBrightWhite);
  Print(PackedSymbolsTrace(packed));
  ConsoleColour(kNormalGrey);
  const std::string include_text = IncludeFileText(fields, packed);
  const bool include_written = WriteOutput(
      kIncludeFileName,
      {reinterpret_cast<const std::uint8_t*>(include_text.data()), include_text.size()});
  Print(kIncludeFileStoredLine);

  // Two minutes of the signal, for a decoder to confirm the message.
  const bool audio_written = WriteOutput(kTestAudioFileName, TestAudioFile(symbols));

  std::fflush(stdout);
  return include_written && audio_written ? 0 : 1;
}

}  // namespace tonepak
