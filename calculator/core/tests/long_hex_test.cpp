// LongHex and HexDigits: the table for all three widths, the by-reference half, the
// failure contract and the carry from the low part into the high part.
#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

struct LongHexRow {
  double value;
  const char* bits24;
  const char* bits32;
  const char* bits48;
};

class LongHexTable : public testing::TestWithParam<LongHexRow> {};

TEST_P(LongHexTable, AllThreeWidthsAndNothingSelected) {
  const LongHexRow& row = GetParam();
  const std::pair<std::int16_t, const char*> widths[] = {
      {0, row.bits24}, {1, row.bits32}, {2, row.bits48}, {-1, row.bits48}};
  for (const auto& [index, expected] : widths) {
    double value = row.value;
    std::string text = "untouched";
    LongHex(value, text, index);
    EXPECT_EQ(text, expected) << "value " << row.value << " index " << index;
    EXPECT_EQ(value, row.value + 0.5) << "the caller's variable keeps the added half";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongHexTable,
    testing::Values(LongHexRow{0, "000000", "00000000", "000000000000"},
                    LongHexRow{10, "00000A", "0000000A", "00000000000A"},
                    LongHexRow{10.2, "00000B", "0000000B", "00000000000B"},
                    LongHexRow{10.6, "00000B", "0000000B", "00000000000B"},
                    LongHexRow{11, "00000C", "0000000C", "00000000000C"},
                    LongHexRow{214748364.8, "CCCCCD", "0CCCCCCD", "00000CCCCCCD"},
                    LongHexRow{1099511627781.0, "000006", "00000006", "010000000006"},
                    LongHexRow{-100.3, "FFFF9C", "FFFFFF9C", "FFFFFFFFFFFF9C"},
                    LongHexRow{-471.86, "FFFE29", "FFFFFE29", "FFFFFFFFFFFE29"},
                    LongHexRow{1125899906842624.0, "000000", "00000000", "4000000000000"}));

TEST(LongHex, OverflowAtTwoToThe55LeavesTextAndKeepsTheHalf) {
  for (const std::int16_t index : std::initializer_list<std::int16_t>{0, 1, 2, -1}) {
    double value = 4e16;
    std::string text = "before";
    EXPECT_THROW(LongHex(value, text, index), OverflowError);
    EXPECT_EQ(text, "before");
    EXPECT_EQ(value, 4e16 + 0.5);
  }
  double below = 36028797018963968.0 - 8.0;  // 2^55 - 8: adding the half leaves it unchanged
  std::string text;
  EXPECT_NO_THROW(LongHex(below, text, 2));
  EXPECT_EQ(text, "7FFFFFFFFFFFF8");
  double at = 36028797018963968.0;
  EXPECT_THROW(LongHex(at, text, 2), OverflowError);
  double lowest = -36028797018963968.0;  // -2^55 + 1/2 rounds to -2^55, still inside
  EXPECT_NO_THROW(LongHex(lowest, text, 2));
  EXPECT_EQ(text, "80000000000000");
  double beyond = -36028797018963968.0 - 8.0;
  EXPECT_THROW(LongHex(beyond, text, 2), OverflowError);
}

TEST(LongHex, NanAndInfinityAreOverflow) {
  std::string text = "x";
  double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(LongHex(nan, text, 1), OverflowError);
  double inf = std::numeric_limits<double>::infinity();
  EXPECT_THROW(LongHex(inf, text, 1), OverflowError);
  double minus_inf = -inf;
  EXPECT_THROW(LongHex(minus_inf, text, 1), OverflowError);
  EXPECT_EQ(text, "x");
}

TEST(LongHex, TwiceOnTheSameVariableAddsOneHalfTwice) {
  double value = 10;
  std::string text;
  LongHex(value, text, 1);
  EXPECT_EQ(text, "0000000A");
  LongHex(value, text, 1);  // formed from 10 + 1/2 + 1/2 = 11
  EXPECT_EQ(text, "0000000B");
  EXPECT_EQ(value, 11.0);
}

// The low part rounding up to 2^24 carries into the high part.
TEST(LongHex, CarryIntoTheHighPart) {
  struct Row {
    double value;
    const char* bits24;
    const char* bits32;
    const char* bits48;
  };
  const Row rows[] = {
      {33554431.3, "000000", "02000000", "000002000000"},     // 2^25 - 0.7
      {16777215.2, "000000", "01000000", "000001000000"},     // 2^24 - 0.8
      {16777215.0, "000000", "01000000", "000001000000"},     // 16777215.5: tie to even, carries
      {16777214.7, "FFFFFF", "00FFFFFF", "000000FFFFFF"},     // no carry: 16777215.2
      {16777214.4, "FFFFFF", "00FFFFFF", "000000FFFFFF"},     // no carry: 16777214.9
      {-0.6, "000000", "00000000", "000000000000"},           // -0.1 rounds to 0
      {-16777216.6, "000000", "FF000000", "FFFFFFFF000000"},  // -2^24 - 0.1 rounds to -2^24
      {-33554432.7, "000000", "FE000000", "FFFFFFFE000000"},
      {281474976710655.3, "000000", "00000000", "1000000000000"},  // 2^48 - 0.7: rounds to 2^48
  };
  for (const Row& row : rows) {
    const std::pair<std::int16_t, const char*> widths[] = {
        {0, row.bits24}, {1, row.bits32}, {2, row.bits48}};
    for (const auto& [index, expected] : widths) {
      double value = row.value;
      std::string text;
      LongHex(value, text, index);
      EXPECT_EQ(text, expected) << "value " << row.value << " index " << index;
    }
  }
}

TEST(HexDigits, RoundsHalfToEvenAndWritesTwosComplement) {
  const std::pair<double, const char*> rows[] = {
      {0, "0"},
      {0.5, "0"},
      {1.5, "2"},
      {2.5, "2"},
      {11.5, "C"},
      {0.49, "0"},
      {0.51, "1"},
      {255, "FF"},
      {-0.5, "0"},
      {-1, "FFFFFFFF"},
      {-1.5, "FFFFFFFE"},
      {-0.51, "FFFFFFFF"},
      {16777216, "1000000"},
      {2147483647, "7FFFFFFF"},
      {2147483647.4, "7FFFFFFF"},
      {-2147483648.0, "80000000"},
      {-2147483648.5, "80000000"},
      {-0.0, "0"},
  };
  for (const auto& [value, expected] : rows) EXPECT_EQ(HexDigits(value), expected) << value;
}

TEST(HexDigits, OverflowOutsideTheSigned32BitRange) {
  for (double value :
       {2147483647.5, 2147483648.0, -2147483648.51, -2147483649.0, 1e300, -1e300,
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    EXPECT_THROW(HexDigits(value), OverflowError) << value;
  }
}

}  // namespace
}  // namespace tuneworks
