// One FST4W run of TONEPAK as steps: the message, every stage's trace and the files, in the
// order the console shows and writes them.
#include <variant>

#include "fst4w_audio.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_files.hpp"
#include "fst4w_trace.hpp"
#include "run_steps.hpp"
#include "step_list.hpp"
#include "trace.hpp"

namespace tonepak {

RunSteps PlanFst4wRun(std::string_view message, beacon::Mode mode, bool c_header) {
  StepList steps;
  const auto packed = fst4w::PackFst4wMessage(message);
  if (const auto* refusal = std::get_if<fst4w::PackingRefusal>(&packed)) {
    steps.Complain(TextRole::kPlain, "cannot send \"" + std::string(message) + "\" in " +
                                         std::string(beacon::NameOf(mode).label) + ": " +
                                         refusal->field + ": " + refusal->reason);
    return {steps.Take(), true};
  }
  const fst4w::Fst4wEncoding e = fst4w::EncodeFst4w(std::get<fst4w::PackedMessage>(packed), mode);
  steps.Print(TextRole::kHeading, fst4w::Fst4wSummary(e));
  if (std::string note = fst4w::Fst4wMessageNote(e.message); !note.empty()) {
    steps.Complain(TextRole::kWarning, std::move(note));
  }
  steps.Print(TextRole::kPlain, fst4w::Fst4wBitsTrace(e) + fst4w::Fst4wSymbolsTrace(e.symbols));
  steps.Print(TextRole::kValue, fst4w::Fst4wPackedTrace(e.packed));
  steps.Write(kIncludeFileName, e.include_file);
  steps.Print(TextRole::kPlain, fst4w::Fst4wIncludeStoredLine(e));
  // The whole period of the signal, for jt9 -W to confirm the message.
  steps.Write(kTestAudioFileName, fst4w::Fst4wAudioFile(e.symbols, e.period));
  if (c_header) {
    steps.Write(kCHeaderFileName, fst4w::Fst4wCHeaderText(e));
    steps.Print(TextRole::kPlain, kCHeaderStoredLine);
  }
  return {steps.Take(), false};
}

}  // namespace tonepak
