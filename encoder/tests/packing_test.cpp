// Tests of packing the symbols four to a byte and of the include file built from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "include_file.hpp"
#include "message_fields.hpp"
#include "packing.hpp"

namespace tonepak {
namespace {

ChannelSymbols ExampleSymbols() {
  constexpr const char* kDigits =
      "330022001222113022302103311200220012010102022210312213232203321022013232101212210232330021"
      "323212201022003001221330130013012203112222032302330222220112303100031222";
  ChannelSymbols s{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) s[i] = static_cast<std::uint8_t>(kDigits[i] - '0');
  return s;
}

const PackedSymbols kExamplePacked = {
    0xF0, 0xA0, 0x6A, 0x5C, 0xAC, 0x93, 0xD6, 0x0A, 0x06, 0x11, 0x22, 0xA4, 0xDA, 0x7B,
    0xA3, 0xE4, 0xA1, 0xEE, 0x46, 0x69, 0x2E, 0xF0, 0x9E, 0xE6, 0x84, 0xA0, 0xC1, 0xA7,
    0xC7, 0x07, 0x1A, 0x35, 0xAA, 0x3B, 0x2F, 0x2A, 0xA1, 0x6C, 0xD0, 0x36, 0xA0};

std::string ReadGolden(const char* name) {
  std::ifstream in(std::string(TONEPAK_GOLDEN_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PackingTest, ExampleMessage) { EXPECT_EQ(PackSymbols(ExampleSymbols()), kExamplePacked); }

TEST(PackingTest, AllThreesAndAllZeros) {
  ChannelSymbols threes{};
  threes.fill(3);
  PackedSymbols expected{};
  expected.fill(0xFF);
  expected[40] = 0xF0;
  EXPECT_EQ(PackSymbols(threes), expected);
  EXPECT_EQ(PackSymbols(ChannelSymbols{}), PackedSymbols{});
}

TEST(PackingTest, EachSymbolLandsInItsOwnTwoBits) {
  // A single non-zero symbol anywhere shows up in exactly one byte and one bit pair.
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    ChannelSymbols s{};
    s[i] = 2;
    const PackedSymbols p = PackSymbols(s);
    for (std::size_t j = 0; j < kPackedByteCount; ++j) {
      const unsigned expected = j == i / 4 ? 2U << (6 - 2 * (i % 4)) : 0U;
      ASSERT_EQ(p[j], expected) << "symbol " << i << " byte " << j;
    }
  }
}

TEST(IncludeFileTest, ExampleFileByteForByte) {
  const MessageFields fields = NormaliseMessage("Q1ABC", "AA00", "10");
  EXPECT_EQ(IncludeFileText(fields, kExamplePacked), ReadGolden("q1abc_aa00_10.inc"));
}

TEST(IncludeFileTest, PowerHasNoMinimumWidth) {
  struct Case {
    const char* power;
    std::size_t size;
    const char* line2_tail;
  };
  for (const Case& c : {Case{"7", 428, " 7         (Generated"}, Case{"-10", 430, " -10         ("},
                        Case{"10", 429, " 10         ("}}) {
    const std::string text = IncludeFileText(NormaliseMessage("Q1ABC", "AA00", c.power), {});
    EXPECT_EQ(text.size(), c.size) << c.power;
    EXPECT_NE(text.find(std::string("  ; Q1ABC AA00") + c.line2_tail), std::string::npos)
        << c.power;
  }
}

TEST(IncludeFileTest, OnlyCrLfLineEndsAndNoTrailingComma) {
  const std::string text =
      IncludeFileText(NormaliseMessage("QA1BCD", "LL55", "37"), kExamplePacked);
  std::size_t lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(text[i - 1], '\r');
      EXPECT_NE(text[i - 2], ',');
      ++lines;
    } else if (text[i] == '\r') {
      ASSERT_LT(i + 1, text.size());
      EXPECT_EQ(text[i + 1], '\n');
    }
  }
  EXPECT_EQ(lines, 8u);
  EXPECT_TRUE(text.ends_with("  de 0xA0  ;  End of WSPR Data\r\n"));
}

}  // namespace
}  // namespace tonepak
