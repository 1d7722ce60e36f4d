// Pairing and lanes on hand-made transmissions at the edges of the tolerance, and the start
// minute read from file names.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "balloon_reading.hpp"
#include "intended_transmissions.hpp"

namespace beaconcheck {
namespace {

Transmission Heard(const char* message, double start_s, double centre_hz) {
  Transmission t;
  t.start_s = start_s;
  for (std::size_t k = 0; k < 4; ++k)
    t.tones_hz[k] = centre_hz + (static_cast<double>(k) - 1.5) * 12000.0 / 8192.0;
  t.message = tonepak::IntendedFromText(message).messages[0];
  return t;
}

struct PairCase {
  double telemetry_start_s;
  double regular_hz, telemetry_hz;  // audio, above the receiver's dial
  double dial_mhz;
  int lane;  // the telemetry frame's, 0 for none
  bool paired;
  std::size_t faults;
};

TEST(BalloonReading, PairsOnlyTwoMinutesApartInOneLane) {
  const PairCase cases[] = {
      {121.0, 1460, 1460, 14.0956, 2, true, 0},  {124.0, 1460, 1460, 14.0956, 2, true, 0},
      {124.5, 1460, 1460, 14.0956, 2, false, 1}, {1.5, 1460, 1460, 14.0956, 2, false, 0},
      {121.0, 1420, 1460, 14.0956, 2, false, 0}, {121.0, 1500, 1500, 14.0956, 0, false, 1},
      {121.0, 1430, 1430, 14.09563, 2, true, 0},  // a dial 30 Hz above the band's
  };
  for (const PairCase& c : cases) {
    const BalloonReading r =
        ReadBalloon({Heard("K1ABC FN42 37", 1.0, c.regular_hz),
                     Heard("0Y6RLQ EI27 33", c.telemetry_start_s, c.telemetry_hz)},
                    c.dial_mhz, std::nullopt, std::nullopt);
    ASSERT_EQ(r.frames.size(), 1u);
    EXPECT_EQ(r.frames[0].lane.value_or(0), c.lane) << c.telemetry_start_s << " " << c.telemetry_hz;
    EXPECT_EQ(r.pairs.size(), c.paired ? 1u : 0u) << c.telemetry_start_s;
    EXPECT_EQ(r.faults.size(), c.faults) << c.telemetry_start_s << " " << c.telemetry_hz;
    if (c.paired) {
      EXPECT_EQ(r.pairs[0].locator, "FN42XS");
    }
  }
}

TEST(BalloonReading, StartMinuteFromWsprdNames) {
  const std::pair<const char*, std::optional<int>> names[] = {
      {"261210_1408.wav", 8},  {"rec/x261210_2359.C2", 59}, {"261210_2408.wav", {}},
      {"261210_1460.wav", {}}, {"26121_1408.wav", {}},      {"261210-1408.wav", {}},
      {"261210_1408.au", {}},  {"261210_1408", {}},         {"_1408.wav", {}}};
  for (const auto& [name, minute] : names) EXPECT_EQ(StartMinuteFromName(name), minute) << name;
}

}  // namespace
}  // namespace beaconcheck
