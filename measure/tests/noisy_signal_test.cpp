// The noise of the decoder measurement: WSPR's SNR convention and the noise actually made.
#include "noisy_signal.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace measure {
namespace {

TEST(NoiseSigma, FollowsWsprsConventionOf2500Hz) {
  // A sine of amplitude 1 (power 0.5) at 0 dB: 0.5 in 2500 Hz, so 1.2 over the 6000 Hz of
  // 12000 samples per second.
  EXPECT_DOUBLE_EQ(NoiseSigma(0.5, 0.0), std::sqrt(1.2));
  EXPECT_NEAR(NoiseSigma(0.5, -30.0), std::sqrt(1200.0), 1e-9);
}

TEST(AddWhiteNoise, HasTheAskedPowerAndRepeatsForASeed) {
  const std::vector<double> silence(200001, 0.0);  // odd: the last sample has no partner
  const std::vector<double> noise = AddWhiteNoise(silence, 3.0, 7);
  double sum = 0.0;
  for (const double n : noise) sum += n;
  EXPECT_NEAR(sum / static_cast<double>(noise.size()), 0.0, 0.03);
  EXPECT_NEAR(MeanPower(noise), 9.0, 0.1);
  EXPECT_NE(noise.back(), 0.0);
  EXPECT_EQ(noise, AddWhiteNoise(silence, 3.0, 7));
  EXPECT_NE(noise, AddWhiteNoise(silence, 3.0, 8));
}

}  // namespace
}  // namespace measure
