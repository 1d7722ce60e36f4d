// beaconcheck's report of a recording: plain text for people, or one JSON object.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "balloon_reading.hpp"
#include "beaconcheck.hpp"

namespace wspr {
class JsonWriter;
}

namespace beaconcheck {

struct Report {
  std::string file;
  double sample_rate_hz = 0.0;
  double seconds = 0.0;
  std::optional<double> dial_mhz;
  tonepak::IntendedTransmissions intended;  // --expect's transmissions (count 0 without)
  std::vector<Transmission> transmissions;
  std::vector<Verdict> verdicts;  // one for each transmission
  std::vector<Carrier> carriers;  // steady carriers that are no transmission
  BalloonReading balloon;         // the telemetry frames, their pairs and faults
};

// Finds and measures every transmission in `recording`, read from `file`, and judges each
// against `intended` (count 0: nothing expected). A .c2 file's own dial frequency serves when
// `dial_mhz` is not given. Balloon telemetry frames are judged against `balloon_channel` when
// given, and by their minutes when the file's name says when the recording began.
Report MakeReport(std::string file, const Recording& recording, std::optional<double> dial_mhz,
                  const tonepak::IntendedTransmissions& intended,
                  std::optional<int> balloon_channel = std::nullopt);

// With `verbose`, the steady carriers that are no transmission are listed at the end.
std::string TextReport(const Report& report, bool verbose = false);
std::string JsonReport(const Report& report);  // the program only: not in the web build
// A telemetry frame's keys in its transmission's JSON object (WSPR's and FST4W's): "lane" (1-4 or
// null), "channel" (the one its id, lane and minute name, or null) and "telemetry" (its values,
// or null when it is no basic telemetry). The program only.
void AddTelemetryKeys(wspr::JsonWriter& json, const TelemetryFrame& frame);

// With --expect, the transmissions of the expected beacon, in the order they begin: those whose
// message is one of the intended ones; if none, those whose symbols the verdict explains as the
// intended ones sent with a fault (the beacon is heard, broken); else none: it is not heard.
std::vector<std::size_t> ExpectedHeard(const Report& report);

// The transmissions in the order the report shows them: the expected beacon's first, then the
// others in the order they begin.
std::vector<std::size_t> ShownOrder(const Report& report);

// The message(s) --expect names, as a decoder shows them: "K1ABC FN42 37", a pair's "PJ4/K1ABC
// 37 and <PJ4/K1ABC> FK52UD 37".
std::string ExpectedText(const Report& report);

// Without --expect: 0 when every transmission is decodable with no problem, 1 when none was
// found or one has a problem. With --expect: 0 only when the expected beacon is heard and every
// transmission of it is decodable and as intended, whatever the other beacons do. Either way 1
// when a balloon's telemetry frame does not fit its channel.
int ExitStatus(const Report& report);

}  // namespace beaconcheck
