// The least-squares line: the step through four tones, its uncertainty, and a tone judged
// against the line of the other three.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "line_fit.hpp"

namespace beaconcheck {
namespace {

constexpr std::array<double, 4> kNumbers{0.0, 1.0, 2.0, 3.0};

TEST(LineFitTest, EvenTonesGiveTheirStep) {
  const std::array<double, 4> tones{1500.0, 1501.5, 1503.0, 1504.5};
  const Line line = FitLine(kNumbers, tones);
  EXPECT_DOUBLE_EQ(line.slope, 1.5);
  EXPECT_DOUBLE_EQ(line.At(0.0), 1500.0);
  EXPECT_DOUBLE_EQ(line.slope_sigma, 0.0);
}

TEST(LineFitTest, OneToneOffLeavesTheSlopeBetween) {
  // Tone 3 0.4 Hz high: the line through all four takes 3 * 0.4 / 10 of it.
  const std::array<double, 4> tones{1500.0, 1501.5, 1503.0, 1504.9};
  EXPECT_NEAR(FitLine(kNumbers, tones).slope, 1.5 + 0.12, 1e-9);
  // The other three's line predicts tone 3 where it belongs.
  const std::array<double, 3> numbers{0.0, 1.0, 2.0};
  const std::array<double, 3> others{1500.0, 1501.5, 1503.0};
  EXPECT_NEAR(tones[3] - FitLine(numbers, others).At(3.0), 0.4, 1e-9);
}

TEST(LineFitTest, SlopeSigmaFromThePoints) {
  // Each tone known to 0.1 Hz: the slope to sqrt(sum dx^2) * 0.1 / sum dx^2 = 0.1 / sqrt(5).
  const std::array<double, 4> tones{1500.0, 1501.4, 1503.1, 1504.5};
  const std::array<double, 4> sigma{0.1, 0.1, 0.1, 0.1};
  EXPECT_NEAR(FitLine(kNumbers, tones, sigma).slope_sigma, 0.1 / std::sqrt(5.0), 1e-12);
}

}  // namespace
}  // namespace beaconcheck
