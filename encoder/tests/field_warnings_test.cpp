// Tests of the warnings for messages a standard WSPR decoder cannot read back.
#include "field_warnings.hpp"

#include <gtest/gtest.h>

#include "message_fields.hpp"

namespace tonepak {
namespace {

struct WarningCase {
  const char* name;
  const char* call;
  const char* locator;
  const char* power;
  std::vector<std::string> warnings;
};

class FieldWarningsTest : public testing::TestWithParam<WarningCase> {};

TEST_P(FieldWarningsTest, OneLinePerFieldNamingValueAndReason) {
  const WarningCase& c = GetParam();
  EXPECT_EQ(FieldWarnings(NormaliseMessage(c.call, c.locator, c.power)), c.warnings);
}

const std::string kCall = "warning: call sign ";
const std::string kCarried = " cannot be carried by a standard WSPR message: ";

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldWarningsTest,
    testing::Values(
        WarningCase{"StandardMessage", "Q1ABC", "AA00", "10", {}},
        WarningCase{"EdgesOfTheStandardRanges", "9Z9ZZZ", "RR99", "60", {}},
        WarningCase{"ZeroAndThreeAndSevenEndings", "QA1BCD", "JO01", "37", {}},
        WarningCase{"NoCallAreaDigit",
                    "Q",
                    "AA00",
                    "0",
                    {kCall + "' Q    '" + kCarried + "position 2 must be a digit"}},
        WarningCase{"SpaceInPosition1",
                    "Q 1ABC",
                    "AA00",
                    "0",
                    {kCall + "'Q 1ABC'" + kCarried + "position 1 must be a letter or a digit"}},
        WarningCase{"DigitInSuffix",
                    "QA1BC7",
                    "AA00",
                    "0",
                    {kCall + "'QA1BC7'" + kCarried + "position 5 must be a letter or a space"}},
        WarningCase{"UnprintableShownEscaped",
                    "Q1\x1b",
                    "AA00",
                    "0",
                    {kCall + "' Q1\\x1B  '" + kCarried + "position 3 must be a letter or a space"}},
        WarningCase{"LocatorBeyondR",
                    "Q1ABC",
                    "SS00",
                    "10",
                    {"warning: locator 'SS00' is outside AA00 to RR99, the squares a standard "
                     "WSPR message carries"}},
        // Folding the square digits makes a valid square of what was typed.
        WarningCase{"LocatorDigitsFolded", "Q1ABC", "AAxy", "10", {}},
        WarningCase{"PowerTooHigh",
                    "Q1ABC",
                    "AA00",
                    "70",
                    {"warning: power 70 dBm: it is outside 0 to 60 dBm"}},
        WarningCase{"PowerLastDigit",
                    "Q1ABC",
                    "AA00",
                    "12",
                    {"warning: power 12 dBm: its last digit is not 0, 3 or 7, so standard "
                     "decoders read it as another message type"}},
        WarningCase{"NegativePowerBothReasons",
                    "Q1ABC",
                    "AA00",
                    "-1",
                    {"warning: power -1 dBm: it is outside 0 to 60 dBm, and its last digit is "
                     "not 0, 3 or 7, so standard decoders read it as another message type"}},
        WarningCase{"EveryFieldWrong",
                    "",
                    "",
                    "x5",
                    {kCall + "'      '" + kCarried + "position 1 must be a letter or a digit",
                     "warning: locator '\\x00\\x0000' is outside AA00 to RR99, the squares a "
                     "standard WSPR message carries"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonepak
