// Tests of the drawn icon at every size it is used at: a greyscale picture on a transparent
// ground, with the dark sine over the light wheel.
#include <gtest/gtest.h>

#include <cstddef>

#include "tuneworks_icon.hpp"

namespace {

using tuneworks::RgbaImage;

class TuneworksIconTest : public testing::TestWithParam<int> {};

TEST_P(TuneworksIconTest, IsAGreyscaleWheelOnATransparentGround) {
  const int size = GetParam();
  const RgbaImage icon = tuneworks::DrawTuneworksIcon(size);
  ASSERT_EQ(icon.size, size);
  ASSERT_EQ(icon.rgba.size(), static_cast<std::size_t>(size * size * 4));
  int dark = 0;
  int light = 0;
  int transparent = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::size_t at = icon.Offset(x, y);
      const int grey = icon.rgba[at];
      const int alpha = icon.rgba[at + 3];
      if (alpha == 0) {
        ++transparent;
        continue;
      }
      // Blended edges are grey too.
      ASSERT_EQ(icon.rgba[at + 1], grey) << "pixel " << x << "," << y;
      ASSERT_EQ(icon.rgba[at + 2], grey) << "pixel " << x << "," << y;
      dark += alpha == 255 && grey < 64 ? 1 : 0;
      light += alpha == 255 && grey > 192 ? 1 : 0;
    }
  }
  // Shares of the area, so that every size shows the same picture: the sine covers about a
  // twentieth, the light face about half, the four corners outside the wheel about a sixth.
  const int area = size * size;
  EXPECT_GT(dark, area / 40);
  EXPECT_GT(light, area / 4);
  EXPECT_GT(transparent, area / 8);
  EXPECT_EQ(icon.rgba[icon.Offset(0, 0) + 3], 0);
  EXPECT_EQ(icon.rgba[icon.Offset(size - 1, size - 1) + 3], 0);
  // The sine crosses the centre line at the wheel's middle.
  EXPECT_LT(icon.rgba[icon.Offset(size / 2, size / 2)], 64);
}

INSTANTIATE_TEST_SUITE_P(WindowsAndDesktopSizes, TuneworksIconTest,
                         testing::Values(16, 32, 48, 256));

}  // namespace
