// The busy band's beacons hold the SNR, frequencies and times its truth states, and are what the
// truth says they are: distinct standard messages, crowded as asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "band_plan.hpp"
#include "band_recording.hpp"
#include "fading.hpp"
#include "intended_transmissions.hpp"
#include "message_unpacking.hpp"
#include "noisy_signal.hpp"
#include "random_message.hpp"
#include "receiver_audio.hpp"

namespace measure {
namespace {

BandOptions Options(std::uint64_t seed, std::size_t beacons) {
  BandOptions o;
  o.seed = seed;
  o.beacons = beacons;
  return o;
}

// The SNR in WSPR's convention, from the samples: mean power while sounding over the noise
// power that 2500 Hz of the white noise carry.
double MeasuredSnrDb(const std::vector<double>& s, SampleSpan span, double rate_hz) {
  const double power =
      MeanPower(std::span<const double>(s).subspan(span.begin, span.end - span.begin));
  const double noise_in_2500 = kBandNoiseSigma * kBandNoiseSigma * 2500.0 / (rate_hz / 2.0);
  return 10.0 * std::log10(power / noise_in_2500);
}

struct SnrCase {
  const char* name;
  bool fading;
  double rate_hz;
  double ppm;
};

TEST(BusyBand, EachBeaconHasTheStatedSnrOnItsSamples) {
  for (const SnrCase c : {SnrCase{"plain", false, 12000.0, 0.0},
                          {"fading", true, 12000.0, 0.0},
                          {"48 kHz, card slow", false, 48000.0, -80.0}}) {
    BandOptions o = Options(11, 4);
    o.fading = c.fading;
    o.sample_rate_hz = c.rate_hz;
    o.ppm = c.ppm;
    for (const Beacon& b : PlanBeacons(o)) {
      if (b.start_s < 0.0) continue;  // part of it before the recording
      const double snr = MeasuredSnrDb(BeaconSamples(b, o), Sounding(b, o), c.rate_hz);
      EXPECT_NEAR(snr, b.snr_db, 0.2) << c.name << ": " << b.message;
    }
  }
}

// The first and one past the last sample that sound, and the mean frequency between them from
// the upward zero crossings.
struct Heard {
  std::size_t begin = 0;
  std::size_t end = 0;
  double mean_hz = 0.0;
};
Heard Hear(const std::vector<double>& s, double rate_hz) {
  Heard h;
  while (h.begin < s.size() && s[h.begin] == 0.0) ++h.begin;
  h.end = s.size();
  while (h.end > h.begin && s[h.end - 1] == 0.0) --h.end;
  std::size_t crossings = 0;
  for (std::size_t n = h.begin + 1; n < h.end; ++n) crossings += s[n - 1] < 0.0 && s[n] >= 0.0;
  h.mean_hz = static_cast<double>(crossings) * rate_hz / static_cast<double>(h.end - h.begin);
  return h;
}

TEST(BusyBand, TheCardsClockMovesTonesAndTimesByItsError) {
  BandOptions o = Options(5, 1);
  o.sample_rate_hz = 48000.0;
  const Beacon nominal = PlanBeacons(o).front();
  const Heard on_time = Hear(BeaconSamples(nominal, o), o.sample_rate_hz);
  EXPECT_NEAR(static_cast<double>(on_time.begin) / o.sample_rate_hz, nominal.start_s, 1e-4);
  for (const double ppm : {100.0, -100.0}) {
    o.ppm = ppm;
    const Beacon b = PlanBeacons(o).front();
    const Heard h = Hear(BeaconSamples(b, o), o.sample_rate_hz);
    const double scale = 1.0 + ppm * 1e-6;
    EXPECT_NEAR(b.centre_hz / nominal.centre_hz, scale, 1e-9) << ppm;
    EXPECT_NEAR(h.mean_hz / on_time.mean_hz, scale, 2e-5) << ppm;
    EXPECT_NEAR(static_cast<double>(h.begin) / static_cast<double>(on_time.begin), 1.0 / scale,
                1.0 / static_cast<double>(on_time.begin))
        << ppm;
    const auto length = [](const Heard& x) { return static_cast<double>(x.end - x.begin); };
    EXPECT_NEAR(length(h) / length(on_time), 1.0 / scale, 3.0 / length(on_time)) << ppm;
  }
}

TEST(BusyBand, BeaconsAreDistinctStandardMessagesCrowdedAsAsked) {
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    const std::vector<Beacon> beacons = PlanBeacons(Options(seed, 24));
    ASSERT_EQ(beacons.size(), 24U);
    std::set<std::string> messages;
    std::size_t close = 0;
    for (const Beacon& b : beacons) {
      messages.insert(b.message);
      const tonepak::IntendedTransmissions sent = tonepak::IntendedFromText(b.message);
      ASSERT_EQ(sent.count, 1U) << b.message;
      EXPECT_EQ(tonepak::MessageText(sent.messages[0]), b.message);
      const int power = std::stoi(b.message.substr(b.message.rfind(' ') + 1));
      EXPECT_TRUE(std::ranges::find(kStandardPowersDbm, power) != kStandardPowersDbm.end());
      EXPECT_GE(b.centre_hz, kLowestCentreHz);
      EXPECT_LE(b.centre_hz, kHighestCentreHz);
      EXPECT_GE(b.snr_db, -30.0);
      EXPECT_LE(b.snr_db, -5.0);
      close += std::ranges::any_of(beacons, [&b](const Beacon& other) {
        const double gap = std::abs(other.centre_hz - b.centre_hz);
        return gap >= kPairNearestHz && gap <= kPairFarthestHz;
      });
    }
    EXPECT_EQ(messages.size(), beacons.size()) << "seed " << seed;
    EXPECT_GE(close, beacons.size() / 4) << "seed " << seed;
  }
}

TEST(BusyBand, TheSameSeedMakesTheSameRecordingAndTheNoiseIsAtItsLevel) {
  BandOptions o = Options(3, 2);
  o.seconds = 20.0;
  const std::vector<double> band = BandSamples(PlanBeacons(o), o);
  EXPECT_EQ(band, BandSamples(PlanBeacons(o), o));
  o.seed = 4;
  EXPECT_NE(band, BandSamples(PlanBeacons(o), o));
  EXPECT_NEAR(MeanPower(BandSamples({}, o)), kBandNoiseSigma * kBandNoiseSigma, 0.01);
}

TEST(BusyBand, FadingKeepsTheMeanPowerAndFadesDeep) {
  const std::vector<double> a =
      FadingEnvelope(std::size_t{110} * 12000, 12000.0, kFadingCoherenceS, 9);
  EXPECT_NEAR(MeanPower(a), 1.0, 1e-9);
  EXPECT_LT(*std::ranges::min_element(a), 0.4);
  EXPECT_GT(*std::ranges::max_element(a), 1.4);
}

// The receiver's passband: flat where WSPR sits, the hum's frequencies and the top cut off.
TEST(BusyBand, TheSsbPassbandKeepsTheWsprWindowAndCutsItsEdges) {
  const double rate = 12000.0;
  const auto gain_db = [rate](double hz) {
    std::vector<double> s(24000, 0.0);
    AddSine(s, rate, hz, 1.0);
    SsbPassband(s, rate);
    return 10.0 * std::log10(2.0 * MeanPower(std::span<const double>(s).subspan(12000)));
  };
  EXPECT_NEAR(gain_db(1500.0), -1.1, 0.5);
  EXPECT_NEAR(gain_db(1600.0) - gain_db(1400.0), -0.6, 0.4);  // gently sloping
  EXPECT_LT(gain_db(100.0), -30.0);
  EXPECT_LT(gain_db(4000.0), -15.0);
}

}  // namespace
}  // namespace measure
