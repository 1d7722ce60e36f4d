// Tests of the normalisation of typed call signs, locators and powers.
#include "message_fields.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tonepak {
namespace {

std::string Text(const CallsignField& f) { return {f.begin(), f.end()}; }
std::string Text(const LocatorField& f) { return {f.begin(), f.end()}; }

struct CallsignCase {
  const char* name;
  std::string typed;
  std::string field;
};

class CallsignTest : public testing::TestWithParam<CallsignCase> {};

TEST_P(CallsignTest, AlignsPadsAndUpperCases) {
  EXPECT_EQ(Text(NormaliseCallsign(GetParam().typed)), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CallsignTest,
    testing::Values(CallsignCase{"DigitInPosition1Shifts", "Q1ABC", " Q1ABC"},
                    CallsignCase{"DigitInPosition2Stays", "QA1BCD", "QA1BCD"},
                    CallsignCase{"ShortLowerCaseIsShiftedFilledAndUpperCased", "q1ab", " Q1AB "},
                    CallsignCase{"LongerThanSixIsCut", "QA1BCDEFG", "QA1BCD"},
                    CallsignCase{"ShiftedLongerThanSixIsCut", "Q1ABCDEF", " Q1ABC"},
                    CallsignCase{"Empty", "", "      "},
                    CallsignCase{"TwoCharacters", "AB", " AB   "},
                    CallsignCase{"OnlyAsciiLettersChange", "k9\xe9x", " K9\xe9X "},
                    CallsignCase{"NulEndsTheText", std::string("QA1\0BC", 6), "QA1   "},
                    CallsignCase{"ControlCharactersPassUnchanged", "\x1b[1", "\x1b[1   "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CallsignTest, MegabyteCallSignIsCutToSix) {
  const std::string huge(1 << 20, 'x');
  EXPECT_EQ(Text(NormaliseCallsign(huge)), " XXXXX");
}

struct LocatorCase {
  const char* name;
  std::string typed;
  std::string field;
};

class LocatorTest : public testing::TestWithParam<LocatorCase> {};

TEST_P(LocatorTest, UpperCasesLettersAndFoldsDigits) {
  EXPECT_EQ(Text(NormaliseLocator(GetParam().typed)), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocatorTest,
    testing::Values(LocatorCase{"LowerCase", "aa00", "AA00"},
                    LocatorCase{"MissingDigitBecomesZero", "AA0", "AA00"},
                    LocatorCase{"LettersInDigitPlacesAreFolded", "AAxy", "AA89"},
                    LocatorCase{"LongerIsCut", "jo01ab", "JO01"},
                    LocatorCase{"HighBytesFoldIntoRange", "RR\xff\x80", "RR?0"},
                    LocatorCase{"EmptyGivesNulLettersAndZeroDigits", "",
                                std::string("\0\0"
                                            "00",
                                            4)}),
    [](const auto& info) { return std::string(info.param.name); });

struct PowerCase {
  const char* name;
  std::string typed;
  std::int32_t dbm;
};

class PowerTest : public testing::TestWithParam<PowerCase> {};

TEST_P(PowerTest, ConvertsLikeAtoi) { EXPECT_EQ(ParsePowerDbm(GetParam().typed), GetParam().dbm); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PowerTest,
    testing::Values(PowerCase{"Plain", "10", 10}, PowerCase{"NotANumber", "x", 0},
                    PowerCase{"Negative", "-10", -10}, PowerCase{"WithUnit", "10dBm", 10},
                    PowerCase{"LeadingWhiteSpaceAndPlus", " \t+37", 37}, PowerCase{"Empty", "", 0},
                    PowerCase{"SignOnly", "-", 0},
                    PowerCase{"LargestInt", "2147483647", 2147483647},
                    PowerCase{"SaturatesHigh", "99999999999999999999", 2147483647},
                    PowerCase{"SmallestInt", "-2147483648", -2147483647 - 1},
                    PowerCase{"SaturatesLow", "-99999999999999999999", -2147483647 - 1},
                    PowerCase{"LeadingZeros", "0000000000000000000000000000000007", 7}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonepak
