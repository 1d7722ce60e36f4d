// Known-answer tests of the source coder: N1, N2, the compact locator and the packed bytes.
#include "source_coding.hpp"

#include <gtest/gtest.h>

#include "message_fields.hpp"

namespace tonepak {
namespace {

struct SourceCase {
  const char* name;
  const char* call;
  const char* locator;
  const char* power;
  std::uint32_t compact_locator;
  std::uint32_t n1;
  std::uint32_t n2;
  SourceBytes bytes;
};

class SourceCodingTest : public testing::TestWithParam<SourceCase> {};

TEST_P(SourceCodingTest, KnownAnswers) {
  const SourceCase& c = GetParam();
  const SourceCode code = EncodeSource(NormaliseMessage(c.call, c.locator, c.power));
  EXPECT_EQ(code.compact_locator, c.compact_locator);
  EXPECT_EQ(code.n1, c.n1);
  EXPECT_EQ(code.n2, c.n2);
  EXPECT_EQ(code.bytes, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SourceCodingTest,
    testing::Values(SourceCase{"Q1ABC_AA00_10",
                               "Q1ABC",
                               "AA00",
                               "10",
                               32220,
                               260228972,
                               4124234,
                               {0xF8, 0x2C, 0x76, 0xCF, 0xBB, 0x92, 0x80, 0, 0, 0, 0}},
                    SourceCase{"QA1BCD_LL55_37",
                               "QA1BCD",
                               "LL55",
                               "37",
                               11635,
                               186221649,
                               1489381,
                               {0xB1, 0x98, 0x45, 0x15, 0xAE, 0x79, 0x40, 0, 0, 0, 0}},
                    // The largest N1 that expected characters give, still below 2^28.
                    SourceCase{"LargestCallsignNumber",
                               "  9",
                               "AA00",
                               "70",
                               32220,
                               262374389,
                               (32220u << 7) | 134u,
                               {0xFA, 0x38, 0x3F, 0x5F, 0xBB, 0xA1, 0x80, 0, 0, 0, 0}},
                    // 70 + 64 = 134 sets bit 7, which ORs into the odd locator's lowest bit.
                    SourceCase{"PowerCodeSpillsIntoLocator",
                               "Q1ABC",
                               "AA01",
                               "70",
                               32221,
                               260228972,
                               4124294,
                               {0xF8, 0x2C, 0x76, 0xCF, 0xBB, 0xA1, 0x80, 0, 0, 0, 0}},
                    // 000AAA RA90 -64 codes to nothing at all.
                    SourceCase{"AllZero", "000AAA", "RA90", "-64", 0, 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceCodingTest, OutOfRangeCharactersWrapInThirtyTwoBits) {
  // Bytes far outside the expected classes must code without undefined behaviour and keep the
  // tail zero whatever they give.
  const SourceCode code =
      EncodeSource(NormaliseMessage("\xff\xff\xff\xff\xff\xff", "\xff\xff\xff\xff", "-2147483648"));
  for (std::size_t i = 7; i < code.bytes.size(); ++i) EXPECT_EQ(code.bytes[i], 0) << i;
  EXPECT_EQ(code.bytes[6] & 0x3F, 0);
}

}  // namespace
}  // namespace tonepak
