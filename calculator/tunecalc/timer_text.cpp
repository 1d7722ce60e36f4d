// What tunecalc --timer-clock prints: the symbol timer's rows as plain text or one JSON object.
#include "timer_text.hpp"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "beacon_signal.hpp"
#include "json_writer.hpp"

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

// The symbol's length and the transmission's in words, for an FST4W mode.
struct Fst4wWords {
  std::string symbol;        // "an FST4W-300 symbol lasts 21504/12000 s = 1792.000000 ms"
  std::string transmission;  // "A transmission is 160 symbols (286.7 s)"
  std::string slot;          // "5-minute"
};

Fst4wWords WordsOf(beacon::Mode mode, const fst4w::Period& period) {
  const std::size_t samples = period.samples_per_symbol;
  return {
      "an " + std::string(beacon::NameOf(mode).label) + " symbol lasts " + std::to_string(samples) +
          "/12000 s = " + tuneworks::FixedText(fst4w::SymbolPeriodS(period) * 1000.0, 6) + " ms",
      "A transmission is 160 symbols (" + tuneworks::FixedText(fst4w::TransmissionS(period), 1) +
          " s)",
      std::to_string(period.seconds / 60) + "-minute"};
}

std::string TimerText(double clock_hz, std::span<const tuneworks::SymbolTimerRow> rows,
                      beacon::Mode mode) {
  const auto period = beacon::Fst4wPeriodOf(mode);
  const Fst4wWords words = period ? WordsOf(mode, *period) : Fst4wWords{};
  std::string text = "Symbol timer at " + ClockText(clock_hz) + " Hz before the prescaler; " +
                     (period ? words.symbol : "a WSPR symbol lasts 8192/12000 s = 682.666667 ms") +
                     "\n\n";
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
  if (period) {
    text += "\n" + words.transmission +
            ". An hour is the timer running the whole hour\n"
            "without a break, as when it also times the " +
            words.slot +
            " slots; a beacon that restarts it at\n"
            "each transmission from a GPS or a real-time clock drifts only a transmission's "
            "figure.\n";
  } else {
    text +=
        "\nA transmission is 162 symbols (110.6 s). An hour is the timer running the whole hour\n"
        "without a break, as when it also times the 2-minute slots; a beacon that restarts it at\n"
        "each transmission from a GPS or a real-time clock drifts only a transmission's figure.\n";
  }
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

std::string TimerJson(double clock_hz, std::span<const tuneworks::SymbolTimerRow> rows,
                      beacon::Mode mode) {
  wspr::JsonWriter json;
  json.BeginObject();
  if (mode != beacon::Mode::kWspr) json.Key("mode").String(beacon::NameOf(mode).name);
  json.Key("clockHz");
  if (clock_hz == std::floor(clock_hz)) {  // a clock reads better as 16000000 than as 1.6e+07
    json.Integer(static_cast<std::int64_t>(clock_hz));
  } else {
    json.Number(clock_hz);
  }
  json.Key("timer").BeginArray();
  for (const tuneworks::SymbolTimerRow& row : rows) {
    json.BeginObject();
    json.Key("prescaler").Integer(row.prescaler);
    json.Key("count").Integer(row.count);
    json.Key("periodMs").Number(row.periodMs);
    json.Key("errorPpm").Number(row.errorPpm);
    json.Key("driftPerTransmissionMs").Number(row.driftPerTransmissionMs);
    json.Key("driftPerHourMs").Number(row.driftPerHourMs);
    json.Key("pattern");
    if (row.pattern.empty()) {
      json.Null();
    } else {
      json.BeginArray();
      for (const std::uint32_t count : row.pattern) json.Integer(count);
      json.EndArray();
    }
    json.Key("patternErrorPpm").Number(row.patternErrorPpm);
    json.EndObject();
  }
  json.EndArray().EndObject();
  return json.Text() + "\n";
}

}  // namespace tunecalc
