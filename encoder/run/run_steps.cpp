// One run of TONEPAK as steps: the words, the transmissions they call for, every stage's trace
// and the files, in the order the console shows and writes them.
#include "run_steps.hpp"

#include <array>
#include <span>

#include "c_header.hpp"
#include "encoding.hpp"
#include "field_warnings.hpp"
#include "include_file.hpp"
#include "message_unpacking.hpp"
#include "step_list.hpp"
#include "test_audio.hpp"
#include "trace.hpp"
#include "transmissions.hpp"

namespace tonepak {
namespace {

// The box that opens the run, and what is worth a word about the fields.
void Summary(StepList& steps, const Transmissions& plan) {
  const Message& first = plan.messages[0];
  if (first.type == MessageType::kStandard) {
    steps.Print(TextRole::kHeading, SummaryBox(first.fields));
    for (std::string& warning : FieldWarnings(first.fields)) {
      steps.Complain(TextRole::kWarning, std::move(warning));
    }
  } else {
    std::string six;
    if (plan.count == 2) {
      const Message& second = plan.messages[1];
      six.assign(second.fields.locator.data(), second.fields.locator.size());
      six.append(second.subsquare.data(), second.subsquare.size());
    }
    steps.Print(TextRole::kHeading, CompoundSummaryBox(CallOf(first), six, first.fields.power_dbm));
    if (std::string warning = PowerWarning(first.fields.power_dbm); !warning.empty()) {
      steps.Complain(TextRole::kWarning, std::move(warning));
    }
  }
  if (!plan.note.empty()) steps.Complain(TextRole::kWarning, plan.note);
}

}  // namespace

RunSteps PlanRun(std::string_view call, std::string_view locator, std::string_view power,
                 bool c_header) {
  const Transmissions plan = ChooseTransmissions(call, locator, power);
  StepList steps;
  if (plan.count == 0) {
    steps.Complain(TextRole::kPlain, plan.refusal);
    return {steps.Take(), true};
  }
  Summary(steps, plan);

  std::array<Encoding, 2> encodings;
  for (std::size_t t = 0; t < plan.count; ++t) {
    // Every stage at once; each one's trace follows in the order of the chain.
    const Encoding& e = encodings[t] = EncodeMessage(plan.messages[t]);
    std::string trace = t == 1 ? SecondTransmissionLine(e.message) : std::string();
    trace += SourceTrace(e.source) + ConvolutionTrace(e.convolution) +
             InterleaverTrace(e.interleaved) + ChannelSymbolsTrace(e.symbols);
    steps.Print(TextRole::kPlain, std::move(trace));

    // The symbols packed four to a byte for the firmware's include file.
    steps.Print(TextRole::kValue, PackedSymbolsTrace(e.packed));
    steps.Write(t == 0 ? kIncludeFileName : kSecondIncludeFileName, e.include_file);
    steps.Print(TextRole::kPlain, t == 0 ? kIncludeFileStoredLine : kSecondIncludeFileStoredLine);

    // Two minutes of the signal, for a decoder to confirm the message.
    steps.Write(t == 0 ? kTestAudioFileName : kSecondTestAudioFileName, TestAudioFile(e.symbols));
  }

  if (c_header) {
    steps.Write(kCHeaderFileName,
                CHeaderText(std::span<const Encoding>(encodings.data(), plan.count)));
    steps.Print(TextRole::kPlain, kCHeaderStoredLine);
  }
  if (plan.count == 2)
    steps.Print(TextRole::kPlain, PairClosingLines(plan.messages[0], plan.messages[1]));
  return {steps.Take(), false};
}

}  // namespace tonepak
