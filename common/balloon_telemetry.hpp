// Pico-balloon basic telemetry: the second type-1 WSPR message a tracker sends two minutes after
// its regular one, whose call, locator and power carry the fifth and sixth locator characters,
// altitude, temperature, supply voltage, speed and GPS state (the U4B / Traquito scheme), and the
// 600-channel plan that fixes two of its call's characters, its minutes and its frequency lane.
//
// The call holds one mixed-radix number, the locator and power another:
//
//   call    c1 c2 c3 c4 c5 c6       c1, c3: the channel's id ("0", "1" or "Q", then a digit)
//           c2 c4 c5 c6 = (subsq5 * 24 + subsq6) * 1068 + altitude / 20   c2 base 36, c4-c6 A-Z
//   locator L1 L2 D3 D4, power P    ((((temp + 50) * 40 + volt) * 42 + knots / 2) * 2 + gps) * 2
//                                   + 1 (the basic-telemetry flag), as L1 L2 (18 each), D3 D4
//                                   (10 each) and P (one of the 19 WSPR powers), P lowest
//
// with volt = ((volts - 3.00) / 0.05 + 20) mod 40, so 3.00-4.95 V fills the 40 steps.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balloon {

// One field's range as the scheme sends it: lowest and highest value sent, and the step.
struct FieldRange {
  double low;
  double high;
  double step;
};

inline constexpr FieldRange kAltitudeRange{0.0, 21340.0, 20.0};   // metres, 1068 steps
inline constexpr FieldRange kTemperatureRange{-50.0, 39.0, 1.0};  // degrees Celsius, 90 steps
inline constexpr FieldRange kVoltsRange{3.00, 4.95, 0.05};        // volts, 40 steps
inline constexpr FieldRange kKnotsRange{0.0, 82.0, 2.0};          // knots, 42 steps

// The values a tracker measured, before clamping and rounding.
struct Measured {
  std::string subsquare;  // the locator's fifth and sixth characters, "XS"
  double altitudeM = 0.0;
  double temperatureC = 0.0;
  double volts = 0.0;
  double knots = 0.0;
  bool gpsValid = false;
};

// The values one telemetry message carries: what a decoder reads back.
struct Telemetry {
  std::string id;         // the channel's id: call characters 1 and 3, "06"
  std::string subsquare;  // "XS"
  int altitudeM = 0;
  int temperatureC = 0;
  double volts = 0.0;  // a multiple of 0.05
  int knots = 0;
  bool gpsValid = false;

  bool operator==(const Telemetry&) const = default;
};

// The type-1 message that carries it.
struct TelemetryMessage {
  std::string call;     // "0Y6RLQ"
  std::string locator;  // "EI27"
  int powerDbm = 0;     // 33
};

// A measured value the range could not hold, and what is sent instead.
struct Clamp {
  std::string_view field;  // "altitude", "temperature", "voltage", "speed"
  double given;
  double sent;
};

struct Encoded {
  TelemetryMessage message;
  Telemetry sent;              // the values as sent, after clamping and rounding
  std::vector<Clamp> clamped;  // the values out of range, in field order
};

// What is wrong with a channel id or a subsquare, naming it; nothing when it is well formed.
// Lower-case letters are refused too: the message carries capitals.
std::optional<std::string> IdProblem(std::string_view id);
std::optional<std::string> SubsquareProblem(std::string_view subsquare);

// The telemetry message for a well-formed id and measured values (IdProblem and SubsquareProblem
// find nothing). Each value is clamped to its range, then rounded to its step, halves up.
Encoded Encode(std::string_view id, const Measured& measured);

// A call shaped as telemetry: six characters, the first 0, 1 or Q and the third a digit.
bool IsTelemetryCall(std::string_view call);

// The values a basic-telemetry message carries; nothing when the call is not shaped as
// telemetry, the power is not a WSPR power, the numbers fall outside the scheme's ranges, or
// the flag names another kind of telemetry (see CarriesBasicFlag).
std::optional<Telemetry> Decode(std::string_view call, std::string_view locator, int power_dbm);

// Whether a telemetry call's locator and power set the basic-telemetry flag; a tracker's
// extended telemetry clears it.
bool CarriesBasicFlag(std::string_view locator, int power_dbm);

// The text shown beside a decoded telemetry message:
// "telemetry 06: subsquare XS, 12360 m, -28 C, 3.35 V, 72 kn, GPS valid".
std::string Describe(const Telemetry& telemetry);

}  // namespace balloon
