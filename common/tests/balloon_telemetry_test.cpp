// Basic telemetry and the channel plan against the scheme's published examples, and each
// field's ends, clamps and rounding halves.
#include "balloon_telemetry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "balloon_channels.hpp"

namespace balloon {
namespace {

struct Example {
  const char* id;
  Measured measured;
  const char* message;  // "CALL LOC POWER"
  double sentVolts;
};

std::string Text(const TelemetryMessage& m) {
  return m.call + " " + m.locator + " " + std::to_string(m.powerDbm);
}

// The worked examples of the Traquito encoder's documentation and tests.
const std::vector<Example> kExamples{
    {"06", {"XS", 12360, -28, 3.35, 72, true}, "0Y6RLQ EI27 33", 3.35},
    {"14", {"XR", 1000, -12, 4.95, 0, true}, "1Y4PAS HK08 10", 4.95},
    {"Q7", {"WR", 3000, 0, 3.18, 10, false}, "QX7DGS JQ97 33", 3.20},
    {"02", {"WS", 7000, 13, 3.00, 60, true}, "0X2FDM MI65 27", 3.00},
};

TEST(BalloonTelemetry, PublishedExamplesEncodeAndDecode) {
  for (const Example& e : kExamples) {
    const Encoded encoded = Encode(e.id, e.measured);
    EXPECT_EQ(Text(encoded.message), e.message) << e.id;
    EXPECT_TRUE(encoded.clamped.empty()) << e.id;
    const auto decoded =
        Decode(encoded.message.call, encoded.message.locator, encoded.message.powerDbm);
    ASSERT_TRUE(decoded.has_value()) << e.id;
    EXPECT_EQ(*decoded, encoded.sent) << e.id;
    EXPECT_EQ(decoded->subsquare, e.measured.subsquare);
    EXPECT_NEAR(decoded->volts, e.sentVolts, 1e-9) << e.id;
    EXPECT_EQ(decoded->altitudeM, static_cast<int>(e.measured.altitudeM));
    EXPECT_EQ(decoded->gpsValid, e.measured.gpsValid);
  }
  EXPECT_EQ(Describe(*Decode("0Y6RLQ", "EI27", 33)),
            "telemetry 06: subsquare XS, 12360 m, -28 C, 3.35 V, 72 kn, GPS valid");
}

struct Edge {
  const char* name;
  Measured measured;
  int altitude, temperature;
  double volts;
  int knots;
  std::vector<std::string> clamped;
};

TEST(BalloonTelemetry, RangeEndsClampsAndHalves) {
  const std::vector<Edge> edges{
      {"lowest", {"AA", 0, -50, 3.00, 0, false}, 0, -50, 3.00, 0, {}},
      {"highest", {"XX", 21340, 39, 4.95, 82, true}, 21340, 39, 4.95, 82, {}},
      {"below",
       {"AA", -5, -51, 2.95, -1, true},
       0,
       -50,
       3.00,
       0,
       {"altitude", "temperature", "voltage", "speed"}},
      {"above",
       {"AA", 21341, 40, 4.96, 83, true},
       21340,
       39,
       4.95,
       82,
       {"altitude", "temperature", "voltage", "speed"}},
      {"halves up", {"PP", 10, -12.5, 4.225, 1, true}, 20, -12, 4.25, 2, {}},
      {"more halves", {"PP", 30, 20.5, 4.475, 3, true}, 40, 21, 4.50, 4, {}},
      {"under halves", {"PP", 9.9, 0.49, 3.024, 0.99, true}, 0, 0, 3.00, 0, {}},
      {"not a number", {"PP", 100, 0, std::nan(""), 0, true}, 100, 0, 3.00, 0, {"voltage"}},
  };
  for (const Edge& e : edges) {
    const Encoded encoded = Encode("Q9", e.measured);
    EXPECT_EQ(encoded.sent.altitudeM, e.altitude) << e.name;
    EXPECT_EQ(encoded.sent.temperatureC, e.temperature) << e.name;
    EXPECT_NEAR(encoded.sent.volts, e.volts, 1e-9) << e.name;
    EXPECT_EQ(encoded.sent.knots, e.knots) << e.name;
    std::vector<std::string> fields;
    for (const Clamp& c : encoded.clamped) fields.emplace_back(c.field);
    EXPECT_EQ(fields, e.clamped) << e.name;
    const auto decoded =
        Decode(encoded.message.call, encoded.message.locator, encoded.message.powerDbm);
    ASSERT_TRUE(decoded.has_value()) << e.name;
    EXPECT_EQ(*decoded, encoded.sent) << e.name;
  }
}

TEST(BalloonTelemetry, WhatIsNotBasicTelemetry) {
  struct Case {
    const char *call, *locator;
    int power;
    bool shaped, basic;
  } const cases[]{
      {"K1JT", "FN20", 30, false, false},   // an ordinary call
      {"0Y6RLQ", "EI27", 30, true, false},  // flag cleared: another kind of telemetry
      {"0Y6RLQ", "EI27", 31, true, false},  // not a WSPR power
      {"0Z9ZZZ", "EI27", 33, true, false},  // subsquare beyond X
      {"1A2BCD", "RR99", 60, true, false},  // temperature beyond its 90 steps
      {"0y6rlq", "EI27", 33, true, false},  // lower case is not what a decoder shows
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsTelemetryCall(c.call), c.shaped) << c.call;
    EXPECT_EQ(Decode(c.call, c.locator, c.power).has_value(), c.basic) << c.call << c.power;
  }
  EXPECT_TRUE(CarriesBasicFlag("EI27", 33));
  EXPECT_FALSE(CarriesBasicFlag("EI27", 30));
}

TEST(BalloonTelemetry, MalformedIdsAndSubsquares) {
  for (const char* id : {"00", "19", "Q0"}) EXPECT_FALSE(IdProblem(id)) << id;
  for (const char* id : {"", "2", "20", "QA", "q1", "010", "A1"}) EXPECT_TRUE(IdProblem(id)) << id;
  for (const char* s : {"AA", "XX", "JM"}) EXPECT_FALSE(SubsquareProblem(s)) << s;
  for (const char* s : {"", "A", "AY", "YA", "xs", "A1", "AAA"}) {
    EXPECT_TRUE(SubsquareProblem(s)) << s;
  }
  EXPECT_EQ(*IdProblem("2"), "the channel id \"2\" is not 0, 1 or Q followed by a digit");
}

TEST(BalloonChannels, PublishedChannels) {
  struct Case {
    int number;
    const char* band;
    const char* id;
    int minute, lane;
    double hz;  // the lane centre, dial included
  } const cases[]{
      {0, "20m", "00", 8, 1, 14097020},   {1, "20m", "00", 0, 1, 14097020},
      {226, "20m", "11", 0, 2, 14097060}, {452, "20m", "Q2", 2, 3, 14097140},
      {123, "20m", "06", 4, 1, 14097020}, {55, "20m", "02", 8, 4, 14097180},
      {584, "10m", "Q9", 2, 1, 28126020}, {248, "20m", "12", 4, 2, 14097060},
      {599, "20m", "Q9", 6, 4, 14097180},
  };
  for (const Case& c : cases) {
    const auto ch = ChannelOn(c.number, c.band);
    ASSERT_TRUE(ch.has_value()) << c.number;
    EXPECT_EQ(ch->id, c.id) << c.number;
    EXPECT_EQ(ch->regularMinute, c.minute) << c.number;
    EXPECT_EQ(ch->telemetryMinute, (c.minute + 2) % 10) << c.number;
    EXPECT_EQ(ch->lane, c.lane) << c.number;
    EXPECT_DOUBLE_EQ(ch->dialHz + ch->laneCentreHz, c.hz) << c.number;
  }
  EXPECT_FALSE(ChannelOn(600, "20m"));
  EXPECT_FALSE(ChannelOn(-1, "20m"));
  EXPECT_FALSE(ChannelOn(0, "21m"));
}

TEST(BalloonChannels, IdLaneAndMinuteNameEachChannelOnce) {
  for (const char* band : {"2200m", "80m", "20m", "10m", "23cm"}) {
    for (int n = 0; n < kChannelCount; ++n) {
      const Channel c = *ChannelOn(n, band);
      EXPECT_EQ(ChannelNamed(c.id, c.lane, c.regularMinute, band), n) << band << " " << n;
      EXPECT_EQ(LaneAt(c.laneCentreHz), c.lane);
    }
  }
  EXPECT_FALSE(ChannelNamed("06", 1, 7, "20m"));
  EXPECT_FALSE(ChannelNamed("06", 5, 8, "20m"));
  EXPECT_FALSE(ChannelNamed("26", 1, 8, "20m"));
}

TEST(BalloonChannels, LaneEdgesAndTheUnusedMiddle) {
  struct Case {
    double hz;
    int lane;  // 0: none
  } const cases[]{{1399.9, 0}, {1400, 1}, {1440, 1}, {1440.1, 2}, {1480, 2},  {1490, 0},
                  {1500, 0},   {1520, 3}, {1560, 3}, {1600, 4},   {1600.1, 0}};
  for (const Case& c : cases) EXPECT_EQ(LaneAt(c.hz).value_or(0), c.lane) << c.hz;
}

}  // namespace
}  // namespace balloon
