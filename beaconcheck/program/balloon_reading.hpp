// Pico-balloon frames among a recording's transmissions: the telemetry frames (a type-1 message
// whose call is shaped as telemetry) with their values and frequency lane, each paired with the
// tracker's regular frame two minutes before it in the same lane, and what does not fit the
// channel plan: a telemetry frame in no lane, one two minutes off its regular frame, and, with
// an expected channel, an id, lane or minute other than that channel's.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "balloon_channels.hpp"
#include "balloon_telemetry.hpp"
#include "transmission.hpp"

namespace beaconcheck {

// A telemetry frame follows its regular frame by 120 s; a tracker's two frames start this close
// to that, whatever their DT.
inline constexpr double kPairSpacingS = 120.0;
inline constexpr double kPairToleranceS = 3.0;

struct TelemetryFrame {
  std::size_t transmission = 0;                 // index in the report's transmissions
  std::string call;                             // "0Y6RLQ"
  std::optional<balloon::Telemetry> telemetry;  // nothing: shaped as telemetry, not basic
  double centre_hz = 0.0;      // audio above the band's dial, the middle of the four tones
  std::optional<int> lane;     // 1-4; nothing in the window's middle fifth or outside it
  std::optional<int> minute;   // of the hour it began, when the recording's start is known
  std::optional<int> channel;  // the one its id, lane and regular minute name on the band
};

struct BalloonPair {
  std::size_t regular = 0;    // index in the report's transmissions
  std::size_t telemetry = 0;  // index in the report's transmissions
  std::size_t frame = 0;      // index in BalloonReading::frames
  int lane = 1;
  double seconds_apart = 0.0;
  std::string locator;  // the regular frame's four characters and the telemetry's subsquare
};

struct BalloonReading {
  std::vector<TelemetryFrame> frames;
  std::vector<BalloonPair> pairs;
  std::vector<std::string> faults;           // each a sentence naming the transmission
  std::string band;                          // "20m" from the dial frequency; empty when not known
  std::optional<balloon::Channel> expected;  // --channel's, on that band

  // Whether the report has anything of balloons to say.
  bool Shown() const { return !frames.empty() || expected.has_value(); }
  // The telemetry frame a transmission is, if it is one.
  const TelemetryFrame* FrameOf(std::size_t transmission) const {
    for (const TelemetryFrame& f : frames) {
      if (f.transmission == transmission) return &f;
    }
    return nullptr;
  }
};

// The minute of the hour a recording began, from a file name as wsprd writes them, whose name
// ends in "YYMMDD_HHMM" before ".wav" or ".c2" ("240611_1430.wav": 30); nothing otherwise.
std::optional<int> StartMinuteFromName(std::string_view file);

// The band name the dial frequency is a WSPR dial of ("20m"), or empty.
std::string BandAtDial(double dial_mhz);

// The telemetry frame a decoded message ("0Y6RLQ EI27 33") centred `audio_centre_hz` above the
// receiver's dial is, with its values and lane (no minute, no channel); nothing when it is no
// type-1 message with a call shaped as telemetry. WSPR's and FST4W's alike.
std::optional<TelemetryFrame> TelemetryFrameOf(std::string_view message, double audio_centre_hz,
                                               std::optional<double> dial_mhz);

// A telemetry frame's lines in a transmission's block of the text report: "balloon" (its values),
// "lane" and, when its channel is named, "channel" on `band`.
std::string TelemetryLines(const TelemetryFrame& frame, const std::string& band);

// `expected_channel` is judged only on a known band (BandAtDial of `dial_mhz`).
BalloonReading ReadBalloon(const std::vector<Transmission>& transmissions,
                           std::optional<double> dial_mhz, std::optional<int> start_minute,
                           std::optional<int> expected_channel);

}  // namespace beaconcheck
