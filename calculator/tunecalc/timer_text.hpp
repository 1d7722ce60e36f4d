// What tunecalc --timer-clock prints: the symbol timer's rows as plain text or one JSON object.
#pragma once

#include <span>
#include <string>

#include "tuneworks_core.hpp"

namespace tunecalc {

// A heading with the clock and the symbol period, a table (prescaler, count, period in ms, error
// in ppm, drift over one transmission and over an hour, in ms), what the drift figures assume,
// and the repeating counts of each row whose count is not exact. Lines end in "\n".
std::string TimerText(double clock_hz, std::span<const tuneworks::SymbolTimerRow> rows,
                      beacon::Mode mode = beacon::Mode::kWspr);

// {"clockHz":...,"timer":[{"prescaler","count","periodMs","errorPpm","driftPerTransmissionMs",
// "driftPerHourMs","pattern" (the counts, or null when the count is exact),"patternErrorPpm"}]}
// and a line end.
// An FST4W mode is named under "mode"; WSPR's object has no such key.
std::string TimerJson(double clock_hz, std::span<const tuneworks::SymbolTimerRow> rows,
                      beacon::Mode mode = beacon::Mode::kWspr);

}  // namespace tunecalc
