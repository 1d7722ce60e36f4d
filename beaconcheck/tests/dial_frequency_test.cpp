// The dial frequency as typed: numbers in MHz up to 10 GHz taken, anything else refused.
#include "dial_frequency.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace beaconcheck {
namespace {

struct DialCase {
  std::string_view text;
  std::optional<double> mhz;
};

constexpr DialCase kDials[] = {
    {"14.0956", 14.0956},
    {"0.4742", 0.4742},
    {"10000", 10000.0},
    {"1e1", 10.0},
    {"14,0956", std::nullopt},
    {"14.0956 ", std::nullopt},
    {"", std::nullopt},
    {"0", std::nullopt},
    {"-7.0386", std::nullopt},
    {"10000.1", std::nullopt},
    {"nan", std::nullopt},
    {"inf", std::nullopt},
    {"1e400", std::nullopt},
    {"000000000000000000000000000000014", std::nullopt},  // longer than any frequency
};

class Dial : public ::testing::TestWithParam<DialCase> {};

TEST_P(Dial, IsReadOrRefused) { EXPECT_EQ(ParseDialMhz(GetParam().text), GetParam().mhz); }

INSTANTIATE_TEST_SUITE_P(Texts, Dial, ::testing::ValuesIn(kDials));

}  // namespace
}  // namespace beaconcheck
