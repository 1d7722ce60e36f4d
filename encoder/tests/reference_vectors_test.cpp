// Type-2 and type-3 messages against WSJT-X's own encoder, so that a fault made the same way in
// our encoder and decoder cannot pass the round trip.
//
// The numbers come from WSJT-X 2.6.1's `wsprcode` (Debian 12's wsjtx 2.6.1+repack-1), run as
//   wsprcode "PJ4/K1ABC 37"; wsprcode "K1ABC/P 37"; wsprcode "<PJ4/K1ABC> FK52UD 37"
// N1 and N2 are the 28 and 22 bits of its "Source-encoded message, 50 bits" (the Hex line's
// 56 bits less the six padding bits), the symbols its "Channel symbols", row after row.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "encoding.hpp"
#include "transmissions.hpp"

namespace tonepak {
namespace {

struct ReferenceCase {
  const char* name;
  const char* call;
  const char* locator;
  std::size_t index;  // which transmission of the pair
  MessageType type;
  std::uint32_t n1;
  std::uint32_t n2;
  const char* symbols;
};

class ReferenceVectorTest : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceVectorTest, EncodesAsWsjtxWsprcode) {
  const ReferenceCase& c = GetParam();
  const Transmissions plan = ChooseTransmissions(c.call, c.locator, "37");
  ASSERT_GT(plan.count, c.index) << plan.refusal;
  const Message& message = plan.messages[c.index];
  EXPECT_EQ(message.type, c.type);
  const Encoding e = EncodeMessage(message);
  EXPECT_EQ(e.source.n1, c.n1);
  EXPECT_EQ(e.source.n2, c.n2);
  std::string symbols;
  for (const std::uint8_t s : e.symbols) symbols += static_cast<char>('0' + s);
  EXPECT_EQ(symbols, c.symbols);
}

INSTANTIATE_TEST_SUITE_P(
    Wsprcode, ReferenceVectorTest,
    testing::Values(
        ReferenceCase{"PrefixType2", "PJ4/K1ABC", "FK52UD", 0, MessageType::kCompound, 259047992,
                      277095,
                      "3102200010221310201001231312202202300303220220101300310100033232220130103012"
                      "1003203211220332303022302202102300131031003123002133200001012011222222213232"
                      "3102011022"},
        ReferenceCase{"SuffixType2", "K1ABC/P", "FK52UD", 0, MessageType::kCompound, 259047992,
                      3488999,
                      "3102200010221110201001211132220200300121220222301300330100013232220130323012"
                      "1003223213020112323022302000102302131233001123002133200003012013200220233012"
                      "3122033020"},
        ReferenceCase{"HashedType3", "PJ4/K1ABC", "FK52UD", 1, MessageType::kHashed, 142755782,
                      2526106,
                      "3320222230021332023003031312202220120323002000103100132102031030002110101032"
                      "3021001013002112303220120222120302131013021101220111222203212231002000031010"
                      "1100011202"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonepak
