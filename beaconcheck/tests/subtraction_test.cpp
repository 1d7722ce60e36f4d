// A decoded beacon rebuilt from its true track and symbols and taken out of the window's band:
// what is left in its tones against the noise, and a weak neighbour against the same band made
// without the beacon.
#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <string>

#include "baseband.hpp"
#include "stage_signals.hpp"
#include "subtraction.hpp"
#include "symbol_powers.hpp"
#include "window_band.hpp"

namespace beaconcheck {
namespace {

using namespace stage_test;

struct SubtractionCase {
  const char* name;
  double drift_hz;
  bool phase_jumps;
};

const SubtractionCase kSubtractions[] = {
    {"Steady", 0.0, false},
    {"DriftingDown4Hz", -4.0, false},
    {"PhaseJumps", 0.0, true},
};

// The mean power of the sent tone of each slot, in a band mixed down around the track.
double SentPower(const Recording& band, const Track& track, const tonepak::ChannelSymbols& tones) {
  const Baseband bb = MixDown(band, track.tones_hz[0] + 1.5 * kToneSpacingHz, track.start_s - 16.0,
                              track.start_s + kTransmissionS + 16.0);
  return SentTonePower(bb, track, tones) / static_cast<double>(kSymbolCount);
}

class Subtraction : public ::testing::TestWithParam<SubtractionCase> {};

TEST_P(Subtraction, LeavesTheNoiseAndTheNeighbour) {
  const SubtractionCase& c = GetParam();
  measure::SignalShape strong = Beacon(1490.0, -5.0);
  strong.drift_hz = c.drift_hz;
  strong.phase_jumps = c.phase_jumps;
  const measure::SignalShape weak = Beacon(1497.0, -25.0, 1.5);
  const tonepak::ChannelSymbols strong_tones = Symbols("K1ABC FN42 37");
  const tonepak::ChannelSymbols weak_tones = Symbols("K9XYZ EM10 30");
  std::vector<double> neighbour = measure::WsprSignal(weak_tones, weak);
  std::vector<double> both = neighbour;
  Add(both, measure::WsprSignal(strong_tones, strong));
  const SentSignal sent{TrackOf(strong), strong_tones, 0, kSymbolCount, !c.phase_jumps};
  for (const std::uint64_t seed : {1, 2, 3}) {
    Recording band = WindowBand(Noisy(both, seed));
    const Recording without = WindowBand(Noisy(neighbour, seed));
    const Recording before = band;
    const double on_air = SentPower(band, sent.track, strong_tones);
    const Rebuilt rebuilt = Subtract(band, sent);
    // A -5 dB beacon stands 27 dB above the noise in its tones; what is left is the noise's.
    const double left = SentPower(band, sent.track, strong_tones);
    EXPECT_GT(on_air, 100.0 * kNoisePerTone) << "seed " << seed;
    EXPECT_LT(left, 1.3 * kNoisePerTone) << "seed " << seed;
    const double weak_without = SentPower(without, TrackOf(weak), weak_tones);
    EXPECT_NEAR(SentPower(band, TrackOf(weak), weak_tones) / weak_without, 1.0, 0.1)
        << "seed " << seed;
    // Put back and taken out again with the same estimate: the same band, to float rounding.
    const Recording after = band;
    AddBack(band, sent, rebuilt);
    float worst = 0.0F;
    float largest = 0.0F;
    for (std::size_t n = 0; n < band.baseband.size(); ++n) {
      worst = std::max(worst, std::abs(band.baseband[n] - before.baseband[n]));
      largest = std::max(largest, std::abs(before.baseband[n]));
    }
    EXPECT_LT(worst, 1e-6F * largest) << "seed " << seed;
    TakeOut(band, sent, rebuilt);
    for (std::size_t n = 0; n < band.baseband.size(); n += 97) {
      ASSERT_LT(std::abs(band.baseband[n] - after.baseband[n]), 1e-6F * largest) << n;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Beacons, Subtraction, ::testing::ValuesIn(kSubtractions),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck
