// ResolutionPicture, table-driven.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

struct PictureRow {
  double value;
  const char* separator;
  const char* text;
};

class ResolutionPictureTable : public testing::TestWithParam<PictureRow> {};

TEST_P(ResolutionPictureTable, Writes) {
  EXPECT_EQ(ResolutionPicture(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResolutionPictureTable,
                         testing::Values(PictureRow{20e6 / 4294967296.0, ".", ".00465661Hz"},
                                         PictureRow{20e6 / 16777216.0, ".", "1.1920929Hz"},
                                         PictureRow{20e6 / 281474976710656.0, ".", ".00000007Hz"},
                                         PictureRow{0, ".", ".Hz"}, PictureRow{1, ".", "1.Hz"},
                                         PictureRow{12.5, ".", "12.5Hz"},
                                         PictureRow{-12.5, ".", "-12.5Hz"},
                                         PictureRow{-0.25, ".", "-.25Hz"},
                                         PictureRow{1e20, ".", "100000000000000000000.Hz"},
                                         PictureRow{0.123456789, ".", ".12345679Hz"},
                                         PictureRow{0.000000004, ".", ".Hz"},
                                         PictureRow{0.000000006, ".", ".00000001Hz"},
                                         PictureRow{0.99999999999, ".", "1.Hz"}));

INSTANTIATE_TEST_SUITE_P(
    Choices, ResolutionPictureTable,
    testing::Values(PictureRow{0.001953125, ".", ".00195312Hz"},  // exactly halfway: to even
                    PictureRow{0.005859375, ".", ".00585938Hz"},  // exactly halfway: to even
                    PictureRow{-0.0, ".", ".Hz"}, PictureRow{-0.000000004, ".", ".Hz"},
                    PictureRow{-0.000000006, ".", "-.00000001Hz"}));

INSTANTIATE_TEST_SUITE_P(Separators, ResolutionPictureTable,
                         testing::Values(PictureRow{20e6 / 4294967296.0, ",", ",00465661Hz"},
                                         PictureRow{1.5, ",", "1,5Hz"}, PictureRow{0, ",", ",Hz"},
                                         PictureRow{2.25, "\xE2\x80\xA4",
                                                    "2\xE2\x80\xA4"
                                                    "25Hz"},
                                         PictureRow{2.25, "", "225Hz"}));

TEST(ResolutionPicture, LargestDoubleHasAllItsDigits) {
  const std::string text = ResolutionPicture(std::numeric_limits<double>::max());
  EXPECT_EQ(text.size(), 309u + 3u);
  EXPECT_EQ(text.substr(0, 6), "179769");
  EXPECT_EQ(text.substr(text.size() - 3), ".Hz");
}

TEST(ResolutionPicture, NotANumberAndInfinities) {
  EXPECT_EQ(ResolutionPicture(std::numeric_limits<double>::quiet_NaN()), "NaNHz");
  EXPECT_EQ(ResolutionPicture(std::numeric_limits<double>::infinity()), "InfHz");
  EXPECT_EQ(ResolutionPicture(-std::numeric_limits<double>::infinity()), "-InfHz");
}

}  // namespace
}  // namespace tuneworks
