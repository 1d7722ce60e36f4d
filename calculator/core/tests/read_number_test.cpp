// ReadNumber, table-driven, including texts typed mid-edit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

struct ReadRow {
  std::string_view text;
  double value;
};

class ReadNumberTable : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadNumberTable, Reads) {
  const ReadRow& row = GetParam();
  const double value = ReadNumber(row.text);
  EXPECT_EQ(value, row.value) << '"' << row.text << '"';
  EXPECT_FALSE(std::signbit(value) && value == 0) << "never negative zero";
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(MidEdit, ReadNumberTable,
                         testing::Values(ReadRow{"", 0}, ReadRow{"-", 0}, ReadRow{"+", 0},
                                         ReadRow{".", 0}, ReadRow{"-.", 0}, ReadRow{"1e", 1},
                                         ReadRow{"1e+", 1}, ReadRow{"1E-", 1}, ReadRow{"2 0", 20},
                                         ReadRow{"20 MHz", 20}, ReadRow{"1,5", 1},
                                         ReadRow{"&HFF", 255}, ReadRow{"1.", 1}, ReadRow{"-0", 0},
                                         ReadRow{"-0.0e5", 0}, ReadRow{" ", 0}, ReadRow{"abc", 0},
                                         ReadRow{"e5", 0}, ReadRow{"MHz 20", 0}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, ReadNumberTable,
    testing::Values(ReadRow{"20", 20}, ReadRow{"1.5", 1.5}, ReadRow{".5", 0.5},
                    ReadRow{"-.5", -0.5}, ReadRow{"+7", 7}, ReadRow{"007", 7},
                    ReadRow{"0.001", 0.001}, ReadRow{"1E200", 1e200}, ReadRow{"1e-3", 0.001},
                    ReadRow{"2.5D3", 2500}, ReadRow{"2.5d-1", 0.25}, ReadRow{"1E+2", 100},
                    ReadRow{"1.2.3", 1.2}, ReadRow{"--5", 0}, ReadRow{"+-5", 0},
                    ReadRow{"1e5.5", 1e5}, ReadRow{"1e5e3", 1e5}, ReadRow{"12abc", 12},
                    ReadRow{"0.1", 0.1}, ReadRow{"3.14159265358979323846", 3.14159265358979323846},
                    ReadRow{"1.7976931348623157e308", 1.7976931348623157e308},
                    ReadRow{"4.9406564584124654e-324", 4.9406564584124654e-324},
                    ReadRow{"1e-400", 0}, ReadRow{"-1e-400", 0}, ReadRow{"0e999999", 0},
                    ReadRow{"662258526.31578946", 662258526.31578946}));

INSTANTIATE_TEST_SUITE_P(Blanks, ReadNumberTable,
                         testing::Values(ReadRow{" 1 2 ", 12}, ReadRow{"\t1\n2", 12},
                                         ReadRow{"- 1 . 5 e 1", -15}, ReadRow{"1 E 2", 100},
                                         ReadRow{"1\r2", 1},
                                         ReadRow{"1\0"
                                                 "2"sv,
                                                 1},
                                         ReadRow{"\xC2\xA0"
                                                 "5",
                                                 0},
                                         ReadRow{"5\xFF", 5}, ReadRow{"& H F F", 255}));

INSTANTIATE_TEST_SUITE_P(
    RadixPrefixes, ReadNumberTable,
    testing::Values(ReadRow{"&H", 0}, ReadRow{"&h1f", 31}, ReadRow{"&HFFFF", 65535},
                    ReadRow{"&HFFFFFFFF", 4294967295.0},
                    ReadRow{"&H10000000000000", 4503599627370496.0},
                    ReadRow{"&H1FFFFFFFFFFFFF", 9007199254740991.0},
                    ReadRow{"&H20000000000001", 9007199254740992.0},  // tie, to even
                    ReadRow{"&H20000000000003", 9007199254740996.0},  // tie, to even
                    ReadRow{"&H2000000000000100001", 9007199254740994.0 * 1048576.0},
                    ReadRow{"&O17", 15}, ReadRow{"&o777", 511}, ReadRow{"&O8", 0},
                    ReadRow{"&HG", 0}, ReadRow{"&X5", 0}, ReadRow{"&", 0}, ReadRow{"-&HFF", 0},
                    ReadRow{"&HFF.5", 255}, ReadRow{"&H0000000000000000000000001", 1}));

TEST(ReadNumber, OverflowBeyondTheDoubleRange) {
  for (std::string_view text :
       {"1E309", "1.8e308", "-1e309", "1D400", "99999e304", "1e999999999999999999999"}) {
    EXPECT_THROW(ReadNumber(text), OverflowError) << text;
  }
  EXPECT_THROW(ReadNumber("&H" + std::string(257, 'F')), OverflowError);
  EXPECT_EQ(ReadNumber("&H1" + std::string(255, '0')), std::ldexp(1.0, 1020));
  EXPECT_THROW(ReadNumber(std::string(400, '9')), OverflowError);
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1e400"), 0.1);
}

TEST(ReadNumber, LongTextsAreReadCorrectlyRounded) {
  // 1 followed by a thousand zeros and a 1 far behind: the sticky digit decides nothing here...
  EXPECT_EQ(ReadNumber("1." + std::string(1000, '0') + "1"), 1.0);
  // ...but it does at a halfway point: 2^53 + 1 is a tie that goes to even 2^53, unless any
  // non-zero digit follows, however far behind.
  EXPECT_EQ(ReadNumber("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(ReadNumber("9007199254740993." + std::string(2000, '0')), 9007199254740992.0);
  EXPECT_EQ(ReadNumber("9007199254740993." + std::string(2000, '0') + "1"), 9007199254740994.0);
  // A megabyte of digits.
  EXPECT_EQ(ReadNumber("0." + std::string(1 << 20, '3')), 1.0 / 3.0);
  EXPECT_EQ(ReadNumber("1" + std::string(1 << 20, '0') + "e-1048576"), 1.0);
  // A thousand exponent digits.
  EXPECT_EQ(ReadNumber("1e-" + std::string(1000, '9')), 0.0);
  EXPECT_EQ(ReadNumber("1e" + std::string(1000, '0') + "5"), 1e5);
}

}  // namespace
}  // namespace tuneworks
