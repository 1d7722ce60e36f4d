// NumberText, table-driven.
#include <gtest/gtest.h>

#include <limits>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

struct TextRow {
  double value;
  const char* text;
};

class NumberTextTable : public testing::TestWithParam<TextRow> {};

TEST_P(NumberTextTable, Writes) { EXPECT_EQ(NumberText(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTable,
    testing::Values(
        TextRow{20000000, " 20000000"}, TextRow{1000000, " 1000000"}, TextRow{0, " 0"},
        TextRow{-0.0, " 0"}, TextRow{0.5, " .5"}, TextRow{-0.5, "-.5"}, TextRow{1.5, " 1.5"},
        TextRow{-1.5, "-1.5"}, TextRow{0.02, " .02"}, TextRow{100, " 100"}, TextRow{-20, "-20"},
        TextRow{1e15, " 1E+15"}, TextRow{-1e15, "-1E+15"}, TextRow{1.5e15, " 1.5E+15"},
        TextRow{1e100, " 1E+100"}, TextRow{1.7976931348623157e308, " 1.79769313486232E+308"},
        TextRow{999999999999999, " 999999999999999"},
        TextRow{999999999999999.9, " 1E+15"},  // rounds up into the exponent form
        TextRow{123456789012345678.0, " 1.23456789012346E+17"},
        TextRow{1.0 / 3.0, " .333333333333333"}, TextRow{2.0 / 3.0, " .666666666666667"},
        TextRow{1234.5678, " 1234.5678"}, TextRow{0.1 + 0.2, " .3"},
        TextRow{100000000000000.5, " 100000000000000"},  // tie to even
        TextRow{100000000000001.5, " 100000000000002"}));

INSTANTIATE_TEST_SUITE_P(
    SmallNumbers, NumberTextTable,
    testing::Values(TextRow{0.0001, " .0001"}, TextRow{0.00012345, " .00012345"},
                    TextRow{0.00009999999999999999, " .0001"},  // rounds up to 10^-4
                    TextRow{0.00001, " 1E-05"}, TextRow{-0.000015, "-1.5E-05"},
                    TextRow{1.5e-7, " 1.5E-07"}, TextRow{1e-100, " 1E-100"},
                    TextRow{4.9406564584124654e-324, " 4.94065645841247E-324"}));

TEST(NumberText, NotANumberAndInfinities) {
  EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), " NaN");
  EXPECT_EQ(NumberText(std::numeric_limits<double>::infinity()), " Inf");
  EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity()), "-Inf");
}

}  // namespace
}  // namespace tuneworks
