// One run of TONEPAK, from the message words to wsptones.inc and a.au.
#include "tonepak.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "console_colour.hpp"
#include "message_entry.hpp"
#include "output_file.hpp"
#include "run_steps.hpp"
#include "telemetry_run.hpp"

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

int RunTonepak(const CommandLine& command_line, std::FILE* in) {
  InitConsole();

  // The message words, then every step the run takes for them, carried out in order, each in
  // its role's colour.
  RunSteps run;
  if (command_line.telemetry) {
    run =
        PlanTelemetryRun(*command_line.telemetry, command_line.beacon_mode, command_line.c_header);
  } else if (command_line.beacon_mode == beacon::Mode::kWspr) {
    const MessageWords words = command_line.words ? *command_line.words : AskForMessageWords(in);
    run = PlanRun(words.callsign, words.locator, words.power, command_line.c_header);
  } else {
    const std::string message = command_line.fst4w_message.empty()
                                    ? AskForFst4wMessage(command_line.beacon_mode, in)
                                    : command_line.fst4w_message;
    run = PlanFst4wRun(message, command_line.beacon_mode, command_line.c_header);
  }
  std::optional<std::uint8_t> colour;
  bool all_written = true;
  for (const RunStep& step : run.steps) {
    if (const std::uint8_t attribute = RoleAttribute(step.role); colour != attribute) {
      colour = attribute;
      ConsoleColour(attribute);
    }
    switch (step.kind) {
      case RunStep::Kind::kPrint:
        Print(step.text);
        break;
      case RunStep::Kind::kComplain:
        Complain(step.text);
        break;
      case RunStep::Kind::kWrite:
        all_written &= WriteOutput(step.file_name, step.bytes);
        break;
    }
  }
  std::fflush(stdout);
  if (run.refused) return kRefusedStatus;
  return all_written ? 0 : 1;
}

}  // namespace tonepak
