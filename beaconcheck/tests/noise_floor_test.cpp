// The noise under a track read off the quiet frequencies around it, against the noise the
// recording was made with; and the window band's passband against a tone put through it.
#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

#include "baseband.hpp"
#include "noise_floor.hpp"
#include "stage_signals.hpp"
#include "window_band.hpp"

namespace beaconcheck {
namespace {

using namespace stage_test;

struct FloorCase {
  const char* name;
  double tone0_hz;
  double own_snr_db;               // the track's own signal; below -90: none
  std::vector<double> neighbours;  // other beacons at -10 dB, tone 0 this far from the track's
  double tolerance_db;
};

const FloorCase kFloors[] = {
    {"NoiseAlone", 1498.5, -99.0, {}, 0.3},
    {"EightNeighbours", 1498.5, -10.0, {-40.0, -29.0, -19.0, -10.0, 10.0, 17.0, 27.0, 38.0}, 0.5},
    {"Off150Hz", 1647.8, -15.0, {}, 0.3},
};

class QuietNoise : public ::testing::TestWithParam<FloorCase> {};

TEST_P(QuietNoise, IsTheNoiseTheRecordingWasMadeWith) {
  const FloorCase& c = GetParam();
  std::vector<double> clean(static_cast<std::size_t>(116.0 * kRateHz), 0.0);
  const char* const messages[] = {"K9XYZ EM10 30", "W1AW FN31 33",  "G4ABC IO91 23",
                                  "DL1AA JO62 30", "F5XYZ JN18 27", "VK2AB QF56 37",
                                  "JA1XY PM95 33", "ON4AA JO20 37"};
  for (std::size_t i = 0; i < c.neighbours.size(); ++i) {
    const double start = 0.5 + 0.25 * static_cast<double>(i);
    Add(clean, measure::WsprSignal(Symbols(messages[i]),
                                   Beacon(c.tone0_hz + c.neighbours[i], -10.0, start)));
  }
  const measure::SignalShape own = Beacon(c.tone0_hz, c.own_snr_db);
  if (c.own_snr_db > -90.0) Add(clean, measure::WsprSignal(Symbols("K1ABC FN42 37"), own));
  const Track track = TrackOf(own);
  const double centre = c.tone0_hz + 1.5 * kToneSpacingHz;
  for (const std::uint64_t seed : {1, 2, 3, 4, 5}) {
    const Recording band = WindowBand(Noisy(clean, seed));
    const Baseband baseband =
        MixDown(band, centre, track.start_s - 16.0, track.start_s + kTransmissionS + 16.0);
    const double truth = kNoisePerTone * baseband.GainAt(centre);
    EXPECT_NEAR(Db(QuietNoisePower(baseband, track) / truth), 0.0, c.tolerance_db)
        << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Tracks, QuietNoise, ::testing::ValuesIn(kFloors),
                         [](const auto& info) { return std::string(info.param.name); });

// A steady tone through the window band and a second mixing down to 0 Hz at its own frequency:
// the power it keeps is the gain the bands state, which levels off-centre are divided by.
class WindowPassband : public ::testing::TestWithParam<double> {};

TEST_P(WindowPassband, IsTheGainATonePassesWith) {
  const double hz = GetParam();
  std::vector<double> clean(static_cast<std::size_t>(20.0 * kRateHz), 0.0);
  AddTone(clean, hz, 0.0, 0.0, 20.0);
  Recording recording;
  recording.sample_rate_hz = kRateHz;
  recording.audio.assign(clean.begin(), clean.end());
  const Baseband baseband = MixDown(WindowBand(recording), hz, 2.0, 18.0);
  std::complex<double> mean{};
  for (const std::complex<float> x : baseband.samples) mean += std::complex<double>(x);
  mean /= static_cast<double>(baseband.samples.size());
  // A real tone of amplitude 1 is a phasor of 1/2 in a complex band.
  EXPECT_NEAR(Db(std::norm(mean) / 0.25), Db(baseband.GainAt(hz)), 0.1);
}

INSTANTIATE_TEST_SUITE_P(AroundTheCentre, WindowPassband,
                         ::testing::Values(1300.0, 1350.0, 1400.0, 1600.0, 1650.0, 1700.0),
                         [](const auto& info) {
                           return "At" + std::to_string(static_cast<int>(info.param)) + "Hz";
                         });

}  // namespace
}  // namespace beaconcheck
