// Steady carriers (mains hum and its harmonics, a birdie, a beacon that sends one tone) found at
// their frequencies and times; a WSPR signal is no carrier; the analysis sorts them.
#include <gtest/gtest.h>

#include <string>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis.hpp"
#include "carrier_search.hpp"
#include "stage_signals.hpp"

namespace beaconcheck {
namespace {

using namespace stage_test;

struct Line {
  double hz;
  double snr_db;
  double start_s;
  double seconds;
};

constexpr double kSeconds = 120.0;
const Line kHum[] = {{50.0, 10.0, 0.0, kSeconds},
                     {100.0, 3.0, 0.0, kSeconds},
                     {150.0, 0.0, 0.0, kSeconds},
                     {250.0, -10.0, 0.0, kSeconds}};
const Line kBirdie{1480.0, -10.0, 0.0, kSeconds};
const Line kOneTone{1520.0, -5.0, 1.0, kTransmissionS};

std::vector<Line> AllLines() {
  std::vector<Line> lines(std::begin(kHum), std::end(kHum));
  lines.push_back(kBirdie);
  lines.push_back(kOneTone);
  return lines;
}

Recording Lines(std::uint64_t seed) {
  std::vector<double> clean(static_cast<std::size_t>(kSeconds * kRateHz), 0.0);
  for (const Line& l : kHum) AddTone(clean, l.hz, l.snr_db, l.start_s, l.seconds);
  AddTone(clean, kBirdie.hz, kBirdie.snr_db, kBirdie.start_s, kBirdie.seconds);
  // The one-tone beacon as its firmware sends it: a WSPR transmission with no tone step.
  measure::SignalShape one = Beacon(kOneTone.hz, kOneTone.snr_db, kOneTone.start_s, kSeconds);
  one.step_hz = 0.0;
  Add(clean, measure::WsprSignal(Symbols("K1ABC FN42 37"), one));
  return Noisy(clean, seed);
}

std::vector<Carrier> CarriersOf(const Recording& recording) {
  PowerFrames frames;
  MakePowerFrames(recording, 0, FrameCount(recording), 10.0, 2000.0, frames);
  return FindCarriers(frames);
}

const Carrier* At(const std::vector<Carrier>& carriers, double hz) {
  const auto it = std::find_if(carriers.begin(), carriers.end(), [&](const Carrier& c) {
    return std::abs(c.frequency_hz - hz) < 0.1;
  });
  return it == carriers.end() ? nullptr : &*it;
}

TEST(CarrierSearch, FindsEachLineWhereAndWhenItIsOn) {
  for (const std::uint64_t seed : {1, 2, 3}) {
    const std::vector<Carrier> found = CarriersOf(Lines(seed));
    EXPECT_EQ(found.size(), AllLines().size()) << "seed " << seed;
    for (const Line& l : AllLines()) {
      const Carrier* c = At(found, l.hz);
      ASSERT_NE(c, nullptr) << l.hz << " Hz, seed " << seed;
      EXPECT_NEAR(c->start_s, l.start_s, 1.0) << l.hz << " Hz, seed " << seed;
      EXPECT_NEAR(c->seconds, l.seconds, 1.0) << l.hz << " Hz, seed " << seed;
    }
  }
}

TEST(CarrierSearch, TakesNoWsprSignalForACarrier) {
  for (const std::uint64_t seed : {1, 2, 3}) {
    const Recording recording =
        Noisy(measure::WsprSignal(Symbols("K1ABC FN42 37"), Beacon(1480.0, -10.0)), seed);
    EXPECT_TRUE(CarriersOf(recording).empty()) << "seed " << seed;
  }
}

// Hum and birdie are carriers of the band; the one-tone beacon, on for a transmission inside
// the window, is a transmission with a carrier.
TEST(CarrierSearch, AnalysisTellsTheOneToneBeaconFromHumAndBirdies) {
  const Analysis analysis = Analyse(Lines(1));
  std::string heard;
  for (const Carrier& c : analysis.carriers) heard += " " + std::to_string(c.frequency_hz);
  for (const Transmission& t : analysis.transmissions) {
    heard += " t" + std::to_string(t.tones_hz[0]) + "/" + std::to_string(t.start_s);
  }
  SCOPED_TRACE("heard:" + heard);
  for (const Line& l : kHum) EXPECT_NE(At(analysis.carriers, l.hz), nullptr) << l.hz << " Hz";
  EXPECT_NE(At(analysis.carriers, kBirdie.hz), nullptr);
  EXPECT_EQ(At(analysis.carriers, kOneTone.hz), nullptr);
  ASSERT_EQ(analysis.transmissions.size(), 1U);
  const Transmission& t = analysis.transmissions[0];
  EXPECT_TRUE(t.carrier);
  EXPECT_NEAR(t.tones_hz[0], kOneTone.hz, 0.1);
  EXPECT_NEAR(t.start_s, kOneTone.start_s, 1.0);
}

}  // namespace
}  // namespace beaconcheck
