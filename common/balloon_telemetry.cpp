// Basic telemetry to and from the call, locator and power of a type-1 message.
#include "balloon_telemetry.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace balloon {
namespace {

// The 19 powers a type-1 message carries, in the order the scheme counts them.
constexpr std::array<int, 19> kPowers{0,  3,  7,  10, 13, 17, 20, 23, 27, 30,
                                      33, 37, 40, 43, 47, 50, 53, 57, 60};

constexpr int kSubsquareLetters = 24;  // A-X
constexpr int kAltitudeSteps = 1068;
constexpr int kTemperatureSteps = 90;
constexpr int kVoltsSteps = 40;
constexpr int kVoltsOffset = 20;  // 3.00 V sits at step 20 of the scheme's 2.00-3.95 V count
constexpr int kKnotsSteps = 42;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The step a value in range rounds to, halves up. The small nudge keeps 4.225 V, held in binary
// a hair below, on the half it was typed as.
int StepOf(double value, const FieldRange& range) {
  return static_cast<int>(std::floor((value - range.low) / range.step + 0.5 + 1e-9));
}

// A value clamped to its range; a clamp noted under the field's name.
double Clamped(double value, const FieldRange& range, std::string_view field,
               std::vector<Clamp>& clamps) {
  // Not a number sends the range's low end: a tracker's failed reading, not a crash.
  const double sent = std::isnan(value) ? range.low : std::clamp(value, range.low, range.high);
  if (sent != value) {
    clamps.push_back({field, value, sent});
  }
  return sent;
}

int PowerIndex(int power_dbm) {
  const auto* found = std::find(kPowers.begin(), kPowers.end(), power_dbm);
  return found == kPowers.end() ? -1 : static_cast<int>(found - kPowers.begin());
}

// Call character 2 counts 0-9 then A-Z.
int Base36(char c) {
  if (IsDigit(c)) return c - '0';
  if (IsCapital(c)) return c - 'A' + 10;
  return -1;
}

char Base36Char(int value) {
  return static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
}

// The locator and power as one number, power lowest; nothing for a locator or power that a
// type-1 message cannot carry.
std::optional<std::uint32_t> LocatorPowerNumber(std::string_view locator, int power_dbm) {
  const int power = PowerIndex(power_dbm);
  if (locator.size() != 4 || power < 0) return std::nullopt;
  const int l1 = locator[0] - 'A';
  const int l2 = locator[1] - 'A';
  if (l1 < 0 || l1 >= 18 || l2 < 0 || l2 >= 18 || !IsDigit(locator[2]) || !IsDigit(locator[3])) {
    return std::nullopt;
  }
  auto n = static_cast<std::uint32_t>(l1);
  n = n * 18 + static_cast<std::uint32_t>(l2);
  n = n * 10 + static_cast<std::uint32_t>(locator[2] - '0');
  n = n * 10 + static_cast<std::uint32_t>(locator[3] - '0');
  return n * 19 + static_cast<std::uint32_t>(power);
}

}  // namespace

std::optional<std::string> IdProblem(std::string_view id) {
  if (id.size() == 2 && (id[0] == '0' || id[0] == '1' || id[0] == 'Q') && IsDigit(id[1])) {
    return std::nullopt;
  }
  return "the channel id " + Quoted(id) + " is not 0, 1 or Q followed by a digit";
}

std::optional<std::string> SubsquareProblem(std::string_view subsquare) {
  const auto letter = [](char c) { return c >= 'A' && c <= 'X'; };
  if (subsquare.size() == 2 && letter(subsquare[0]) && letter(subsquare[1])) {
    return std::nullopt;
  }
  return "the subsquare " + Quoted(subsquare) + " is not two letters A to X";
}

Encoded Encode(std::string_view id, const Measured& measured) {
  Encoded out;
  std::vector<Clamp>& clamps = out.clamped;
  const double altitude = Clamped(measured.altitudeM, kAltitudeRange, "altitude", clamps);
  const double temperature =
      Clamped(measured.temperatureC, kTemperatureRange, "temperature", clamps);
  const double volts = Clamped(measured.volts, kVoltsRange, "voltage", clamps);
  const double knots = Clamped(measured.knots, kKnotsRange, "speed", clamps);

  // Rounding cannot leave a range whose ends are whole steps, so the steps need no second clamp.
  const int altitude_step = StepOf(altitude, kAltitudeRange);
  const int temperature_step = StepOf(temperature, kTemperatureRange);
  const int volts_step = StepOf(volts, kVoltsRange);
  const int knots_step = StepOf(knots, kKnotsRange);

  Telemetry& sent = out.sent;
  sent.id = std::string(id);
  sent.subsquare = measured.subsquare;
  sent.altitudeM = altitude_step * static_cast<int>(kAltitudeRange.step);
  sent.temperatureC = temperature_step + static_cast<int>(kTemperatureRange.low);
  sent.volts = kVoltsRange.low + volts_step * kVoltsRange.step;
  sent.knots = knots_step * static_cast<int>(kKnotsRange.step);
  sent.gpsValid = measured.gpsValid;

  // Call characters 2, 4, 5 and 6, lowest last.
  auto n = static_cast<std::uint32_t>(measured.subsquare[0] - 'A');
  n = n * kSubsquareLetters + static_cast<std::uint32_t>(measured.subsquare[1] - 'A');
  n = n * kAltitudeSteps + static_cast<std::uint32_t>(altitude_step);
  std::string call(6, ' ');
  call[0] = id[0];
  call[2] = id[1];
  for (const int place : {5, 4, 3}) {
    call[static_cast<std::size_t>(place)] = static_cast<char>('A' + n % 26);
    n /= 26;
  }
  call[1] = Base36Char(static_cast<int>(n % 36));

  // The locator and power, power lowest.
  auto m = static_cast<std::uint32_t>(temperature_step);
  m = m * kVoltsSteps + static_cast<std::uint32_t>((volts_step + kVoltsOffset) % kVoltsSteps);
  m = m * kKnotsSteps + static_cast<std::uint32_t>(knots_step);
  m = m * 2 + (measured.gpsValid ? 1U : 0U);
  m = m * 2 + 1U;  // the basic-telemetry flag
  const int power = kPowers[m % 19];
  m /= 19;
  std::string locator(4, ' ');
  locator[3] = static_cast<char>('0' + m % 10);
  m /= 10;
  locator[2] = static_cast<char>('0' + m % 10);
  m /= 10;
  locator[1] = static_cast<char>('A' + m % 18);
  m /= 18;
  locator[0] = static_cast<char>('A' + m % 18);

  out.message = {call, locator, power};
  return out;
}

bool IsTelemetryCall(std::string_view call) {
  return call.size() == 6 && (call[0] == '0' || call[0] == '1' || call[0] == 'Q') &&
         IsDigit(call[2]);
}

bool CarriesBasicFlag(std::string_view locator, int power_dbm) {
  const auto n = LocatorPowerNumber(locator, power_dbm);
  return n.has_value() && *n % 2 == 1;
}

std::optional<Telemetry> Decode(std::string_view call, std::string_view locator, int power_dbm) {
  if (!IsTelemetryCall(call) || !CarriesBasicFlag(locator, power_dbm)) return std::nullopt;
  const int c2 = Base36(call[1]);
  if (c2 < 0 || !IsCapital(call[3]) || !IsCapital(call[4]) || !IsCapital(call[5])) {
    return std::nullopt;
  }
  auto n = static_cast<std::uint32_t>(c2);
  for (const std::size_t place : {3U, 4U, 5U}) {
    n = n * 26 + static_cast<std::uint32_t>(call[place] - 'A');
  }
  const int altitude_step = static_cast<int>(n % kAltitudeSteps);
  n /= kAltitudeSteps;
  const int sub6 = static_cast<int>(n % kSubsquareLetters);
  const int sub5 = static_cast<int>(n / kSubsquareLetters);
  if (sub5 >= kSubsquareLetters) return std::nullopt;

  std::uint32_t m = *LocatorPowerNumber(locator, power_dbm) / 2;  // the flag, checked above
  const bool gps = m % 2 == 1;
  m /= 2;
  const int knots_step = static_cast<int>(m % kKnotsSteps);
  m /= kKnotsSteps;
  const int volts_count = static_cast<int>(m % kVoltsSteps);
  m /= kVoltsSteps;
  if (m >= static_cast<std::uint32_t>(kTemperatureSteps)) return std::nullopt;

  Telemetry t;
  t.id = {call[0], call[2]};
  t.subsquare = {static_cast<char>('A' + sub5), static_cast<char>('A' + sub6)};
  t.altitudeM = altitude_step * static_cast<int>(kAltitudeRange.step);
  t.temperatureC = static_cast<int>(m) + static_cast<int>(kTemperatureRange.low);
  t.volts = kVoltsRange.low +
            ((volts_count + kVoltsSteps - kVoltsOffset) % kVoltsSteps) * kVoltsRange.step;
  t.knots = knots_step * static_cast<int>(kKnotsRange.step);
  t.gpsValid = gps;
  return t;
}

std::string Describe(const Telemetry& t) {
  std::array<char, 160> text{};
  std::snprintf(text.data(), text.size(),
                "telemetry %s: subsquare %s, %d m, %d C, %.2f V, %d kn, GPS %s", t.id.c_str(),
                t.subsquare.c_str(), t.altitudeM, t.temperatureC, t.volts, t.knots,
                t.gpsValid ? "valid" : "not valid");
  return text.data();
}

}  // namespace balloon
