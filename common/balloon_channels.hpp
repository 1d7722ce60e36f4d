// The balloon channel plan: 600 channels a band, each fixing the telemetry call's id characters,
// the even minute of the regular message (telemetry follows two minutes later, every ten minutes)
// and one of four 40 Hz frequency lanes in the band's WSPR window. The middle fifth of the
// window, around dial + 1500 Hz, is no channel's lane.
//
//   channel = 200 * idIndex(c1: 0, 1, Q) + 20 * c3 + 5 * (lane - 1) + slot
//   regular minute = (band's first minute + 2 * slot) mod 10
//   lane centres above the dial: 1420, 1460, 1540, 1580 Hz
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace balloon {

inline constexpr int kChannelCount = 600;  // 0 to 599
inline constexpr int kLaneCount = 4;
inline constexpr double kLaneWidthHz = 40.0;

struct Channel {
  int number = 0;
  std::string band;           // "20m", as the band table names it
  std::string id;             // "06": telemetry call characters 1 and 3
  int regularMinute = 0;      // 0, 2, 4, 6 or 8: the regular message, repeating every 10 minutes
  int telemetryMinute = 0;    // two minutes later
  int lane = 1;               // 1 to 4, from the window's low edge
  double laneCentreHz = 0.0;  // above the dial: 1420, 1460, 1540 or 1580
  double dialHz = 0.0;
};

// The channel on a band the band table names ("20m"); nothing for a channel outside 0-599 or a
// band the plan does not cover.
std::optional<Channel> ChannelOn(int number, std::string_view band);

// The lane (1-4) a transmission centred this far above the dial lies in; nothing for the middle
// fifth of the window or outside it.
std::optional<int> LaneAt(double audio_hz);

// The channel a telemetry id, lane and regular-message minute name on a band; nothing when the
// id is malformed, the lane outside 1-4, the minute odd or the band not covered.
std::optional<int> ChannelNamed(std::string_view id, int lane, int regular_minute,
                                std::string_view band);

}  // namespace balloon
