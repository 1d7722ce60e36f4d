// What tunecalc --timer-clock prints: the symbol timer's rows as plain text or one JSON object.
#include "timer_text.hpp"

#include <charconv>
#include <string_view>

#include "output_text.hpp"

namespace tunecalc {
namespace {

constexpr std::size_t kCountsPerLine = 12;

// `text` right-aligned in `width` columns.
std::string Column(const std::string& text, std::size_t width) {
  return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

std::string ClockText(double clock_hz) {
  std::string text = tuneworks::NumberText(clock_hz);
  if (text.front() == ' ') text.erase(0, 1);
  if (text.front() == '.') text.insert(0, 1, '0');  // NumberText leaves the 0 out
  return text;
}

}  // namespace

std::string TimerText(double clock_hz, std::span<const tuneworks::SymbolTimerRow> rows) {
  std::string text = "Symbol timer at " + ClockText(clock_hz) +
                     " Hz before the prescaler; a WSPR symbol lasts 8192/12000 s = "
                     "682.666667 ms\n\n";
  if (rows.empty()) {
    return text +
           "No prescaler gives a count per symbol from 1 to 65535 (16 bits) at this clock.\n";
  }
  text += "prescaler  count    period ms  error ppm  drift ms per transmission  per hour\n";
  for (const tuneworks::SymbolTimerRow& row : rows) {
    text += Column(std::to_string(row.prescaler), 9) + Column(std::to_string(row.count), 7) +
            Column(tuneworks::FixedText(row.periodMs, 6), 13) +
            Column(tuneworks::FixedText(row.errorPpm, 4, true), 11) +
            Column(tuneworks::FixedText(row.driftPerTransmissionMs, 3, true), 27) +
            Column(tuneworks::FixedText(row.driftPerHourMs, 3, true), 10) + "\n";
  }
  text +=
      "\nA transmission is 162 symbols (110.6 s). An hour is the timer running the whole hour\n"
      "without a break, as when it also times the 2-minute slots; a beacon that restarts it at\n"
      "each transmission from a GPS or a real-time clock drifts only a transmission's figure.\n";
  bool heading = false;
  for (const tuneworks::SymbolTimerRow& row : rows) {
    if (row.pattern.empty()) continue;
    if (!heading) {
      text +=
          "\nCounts to load in turn, over and over, so that the average is the exact symbol\n"
          "(the longer count falls where a phase accumulator would carry):\n";
      heading = true;
    }
    text += Column(std::to_string(row.prescaler), 9);
    if (row.patternErrorPpm != 0) {
      text += "  (" + std::to_string(row.pattern.size()) +
              " counts; no exact run of 64 or fewer: the average is off by " +
              tuneworks::FixedText(row.patternErrorPpm, 6, true) + " ppm)\n         ";
    }
    for (std::size_t i = 0; i < row.pattern.size(); ++i) {
      if (i > 0 && i % kCountsPerLine == 0) text += "\n         ";
      text += "  " + std::to_string(row.pattern[i]);
    }
    text += "\n";
  }
  return text;
}

std::string TimerJson(double clock_hz, std::span<const tuneworks::SymbolTimerRow> rows) {
  char clock[400];  // fixed notation: a clock reads better as 16000000 than as 1.6e+07
  std::string json = "{\"clockHz\":";
  json.append(clock,
              std::to_chars(clock, clock + sizeof clock, clock_hz, std::chars_format::fixed).ptr);
  json += ",\"timer\":[";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const tuneworks::SymbolTimerRow& row = rows[r];
    json += r == 0 ? "{" : ",{";
    json += "\"prescaler\":" + std::to_string(row.prescaler);
    json += ",\"count\":" + std::to_string(row.count);
    json += ",\"periodMs\":" + JsonNumber(row.periodMs);
    json += ",\"errorPpm\":" + JsonNumber(row.errorPpm);
    json += ",\"driftPerTransmissionMs\":" + JsonNumber(row.driftPerTransmissionMs);
    json += ",\"driftPerHourMs\":" + JsonNumber(row.driftPerHourMs);
    json += ",\"pattern\":";
    if (row.pattern.empty()) {
      json += "null";
    } else {
      for (std::size_t i = 0; i < row.pattern.size(); ++i) {
        json += (i == 0 ? "[" : ",") + std::to_string(row.pattern[i]);
      }
      json += "]";
    }
    json += ",\"patternErrorPpm\":" + JsonNumber(row.patternErrorPpm) + "}";
  }
  json += "]}\n";
  return json;
}

}  // namespace tunecalc
