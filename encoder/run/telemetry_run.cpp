// A balloon's telemetry message as a tonepak run, and the note beside a decoded telemetry message.
#include "telemetry_run.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "ascii_text.hpp"
#include "balloon_telemetry.hpp"
#include "step_list.hpp"

namespace tonepak {
namespace {

// A plain decimal number as a tracker's values are typed: an optional minus sign, digits, and at
// most one decimal point among them ("-28", "3.35", ".5"). Nothing for anything else, and for a
// number too long to be finite.
std::optional<double> ReadDecimal(std::string_view text) {
  if (text.starts_with('-')) {
    const std::optional<double> magnitude = ReadDecimal(text.substr(1));
    if (!magnitude || text.substr(1).starts_with('-')) return std::nullopt;
    return -*magnitude;
  }
  double mantissa = 0.0;
  int fraction_digits = 0;
  bool digits = false;
  bool point = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (wspr::ascii::IsDigit(c)) {
      digits = true;
      // Digits past the 17th after the point change nothing a tracker sends.
      if (point && fraction_digits >= 17) continue;
      mantissa = mantissa * 10.0 + (c - '0');
      if (point) ++fraction_digits;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  const double value = mantissa / std::pow(10.0, fraction_digits);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = wspr::ascii::ToUpper(c);
  return out;
}

std::string Refusal(const char* field, const char* must, std::string_view given) {
  return std::string(field) + " must be " + must + ", not \"" + wspr::ascii::Escaped(given, "\"") +
         "\"";
}

// printf into a std::string, for the short value lines.
template <typename... Args>
std::string Formatted(const char* format, Args... args) {
  std::array<char, 96> buffer{};
  const int n = std::snprintf(buffer.data(), buffer.size(), format, args...);
  return n > 0 ? std::string(buffer.data(), std::min<std::size_t>(n, buffer.size() - 1))
               : std::string();
}

// A measured value as the warning quotes it: as typed, without trailing zeros.
std::string Given(double value) { return Formatted("%.10g", value); }

struct FieldShape {
  std::string_view field;  // as balloon::Clamp names it
  const char* unit;
  const char* format;  // how a value sent is written
  balloon::FieldRange range;
};
constexpr std::array<FieldShape, 4> kShapes = {{
    {"altitude", "m", "%.0f", balloon::kAltitudeRange},
    {"temperature", "C", "%.0f", balloon::kTemperatureRange},
    {"voltage", "V", "%.2f", balloon::kVoltsRange},
    {"speed", "kn", "%.0f", balloon::kKnotsRange},
}};

// "warning: altitude 25000 m is outside 0 to 21340 m: sent as 21340 m".
std::string ClampWarning(const balloon::Clamp& clamp) {
  for (const FieldShape& shape : kShapes) {
    if (shape.field != clamp.field) continue;
    const auto sent = [&](double v) { return Formatted(shape.format, v) + " " + shape.unit; };
    return "warning: " + std::string(shape.field) + " " + Given(clamp.given) + " " + shape.unit +
           " is outside " + Formatted(shape.format, shape.range.low) + " to " +
           sent(shape.range.high) + ": sent as " + sent(clamp.sent);
  }
  return "warning: " + std::string(clamp.field) + " " + Given(clamp.given) + " is sent as " +
         Given(clamp.sent);
}

std::string SentValues(const balloon::Telemetry& sent) {
  return "  id           " + sent.id + "\n" +         //
         "  subsquare    " + sent.subsquare + "\n" +  //
         Formatted("  altitude     %d m\n", sent.altitudeM) +
         Formatted("  temperature  %d C\n", sent.temperatureC) +
         Formatted("  voltage      %.2f V\n", sent.volts) +
         Formatted("  speed        %d kn\n", sent.knots) + "  GPS          " +
         (sent.gpsValid ? "valid" : "not valid") + "\n";
}

}  // namespace

RunSteps PlanTelemetryRun(const TelemetryWords& words, beacon::Mode mode, bool c_header) {
  StepList steps;
  const auto refuse = [&](std::string why) {
    steps.Complain(TextRole::kPlain, std::move(why));
    return RunSteps{steps.Take(), true};
  };

  const std::string id = Upper(words.id);
  if (balloon::IdProblem(id)) return refuse(Refusal("ID", "0, 1 or Q then a digit", words.id));
  balloon::Measured measured;
  measured.subsquare = Upper(words.subsquare);
  if (balloon::SubsquareProblem(measured.subsquare)) {
    return refuse(Refusal("SUBSQUARE", "two letters A to X", words.subsquare));
  }
  const std::pair<const char*, const std::string*> numbers[] = {
      {"ALTITUDE", &words.altitude},
      {"TEMPERATURE", &words.temperature},
      {"VOLTS", &words.volts},
      {"KNOTS", &words.knots},
  };
  double* const values[] = {&measured.altitudeM, &measured.temperatureC, &measured.volts,
                            &measured.knots};
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    const std::optional<double> value = ReadDecimal(*numbers[i].second);
    if (!value) return refuse(Refusal(numbers[i].first, "a number", *numbers[i].second));
    *values[i] = *value;
  }
  if (words.gps != "0" && words.gps != "1") return refuse(Refusal("GPS", "1 or 0", words.gps));
  measured.gpsValid = words.gps == "1";

  const balloon::Encoded encoded = balloon::Encode(id, measured);
  const balloon::TelemetryMessage& m = encoded.message;
  const std::string power = std::to_string(m.powerDbm);
  steps.Print(TextRole::kHeading,
              "Telemetry message: " + m.call + " " + m.locator + " " + power + "\n");
  steps.Print(TextRole::kPlain, SentValues(encoded.sent));
  for (const balloon::Clamp& clamp : encoded.clamped) {
    steps.Complain(TextRole::kWarning, ClampWarning(clamp));
  }

  // From here on exactly the run of the message typed in.
  RunSteps run = mode == beacon::Mode::kWspr
                     ? PlanRun(m.call, m.locator, power, c_header)
                     : PlanFst4wRun(m.call + " " + m.locator + " " + power, mode, c_header);
  std::vector<RunStep> all = steps.Take();
  all.insert(all.end(), std::make_move_iterator(run.steps.begin()),
             std::make_move_iterator(run.steps.end()));
  return {std::move(all), run.refused};
}

std::string TelemetryNote(std::string_view message_text) {
  std::vector<std::string_view> words;
  while (!message_text.empty()) {
    const std::size_t end = std::min(message_text.find(' '), message_text.size());
    if (end > 0) words.push_back(message_text.substr(0, end));
    message_text.remove_prefix(std::min(end + 1, message_text.size()));
  }
  if (words.empty() || !balloon::IsTelemetryCall(words[0])) return {};
  const std::string not_basic =
      "not basic telemetry: " + std::string(words[0]) + " is shaped as a telemetry call, but ";
  if (words.size() != 3) return not_basic + "the message has no locator and power";
  const std::string_view power = words[2];
  const bool two_digits = !power.empty() && power.size() <= 2 &&
                          std::all_of(power.begin(), power.end(), wspr::ascii::IsDigit);
  if (two_digits) {
    const int power_dbm =
        power.size() == 1 ? power[0] - '0' : (power[0] - '0') * 10 + power[1] - '0';
    if (const auto telemetry = balloon::Decode(words[0], words[1], power_dbm)) {
      return balloon::Describe(*telemetry);
    }
    if (words[1].size() == 4 && !balloon::CarriesBasicFlag(words[1], power_dbm)) {
      return not_basic + "its locator and power clear the basic-telemetry flag";
    }
  }
  return not_basic + "its locator and power carry no basic telemetry values";
}

}  // namespace tonepak
