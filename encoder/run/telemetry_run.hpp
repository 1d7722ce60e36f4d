// A balloon's telemetry message as a tonepak run: the measured values typed in, checked, clamped
// and packed into a type-1 message, which then takes the same run as a message typed in; and the
// line that tells what a decoded message carries when its call is a telemetry call.
#pragma once

#include <string>
#include <string_view>

#include "beacon_mode.hpp"
#include "run_steps.hpp"

namespace tonepak {

// The seven values as typed: ID SUBSQUARE ALTITUDE TEMPERATURE VOLTS KNOTS GPS.
struct TelemetryWords {
  std::string id;           // "06": 0, 1 or Q, then a digit
  std::string subsquare;    // "XS": two letters A to X
  std::string altitude;     // metres
  std::string temperature;  // degrees Celsius
  std::string volts;
  std::string knots;
  std::string gps;  // "1" valid, "0" not
};
inline constexpr int kTelemetryWordCount = 7;
inline constexpr const char* kTelemetryUsage = "ID SUBSQUARE ALTITUDE TEMPERATURE VOLTS KNOTS GPS";

// "Telemetry message: CALL LOC POWER", the values as sent, a warning for each value clamped to
// its range, then the run of that message in `mode` (WSPR, or FST4W as "CALL LOC POWER").
// A value that cannot be read is refused with one complaint naming its field, and no file.
RunSteps PlanTelemetryRun(const TelemetryWords& words, beacon::Mode mode, bool c_header);

// For a decoded message's text ("0Y6RLQ EI27 33") whose call is shaped as telemetry: what it
// carries ("telemetry 06: subsquare XS, ...") or why it is not basic telemetry. Empty for any
// other message.
std::string TelemetryNote(std::string_view message_text);

}  // namespace tonepak
