// Tests of the console trace pieces whose layout a user compares with other encoders.
#include "trace.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "message_fields.hpp"

namespace tonepak {
namespace {

TEST(TraceTest, SummaryBoxKeepsItsWidthForANegativePower) {
  EXPECT_EQ(SummaryBox(NormaliseMessage("q1ab", "aa0", "-10")),
            "\n\n\n\n     |------------------|\n"
            "     |   Call  Q1AB     |\n"
            "     |   Loc  AA00      |\n"
            "     |   dBm  -10        |\n"
            "     |------------------|\n");
  EXPECT_NE(SummaryBox(NormaliseMessage("Q1ABC", "AA00", "7")).find("|   dBm   7        |"),
            std::string::npos);
}

TEST(TraceTest, ValueListsBreakAfterEveryThirtySecondValue) {
  ChannelSymbols symbols{};
  symbols.fill(3);
  const std::string text = ChannelSymbolsTrace(symbols);
  std::string row32;
  for (int i = 0; i < 32; ++i) row32 += "3 ";
  std::string expected = "\n\nEncoded Symbols\n";
  for (int r = 0; r < 5; ++r) expected += row32 + "\n";
  expected += "3 3 \n\n";
  EXPECT_EQ(text, expected);
}

TEST(TraceTest, PackedDumpIsFiveRowsOfEightAndTheLastByte) {
  PackedSymbols packed{};
  for (std::size_t i = 0; i < packed.size(); ++i) packed[i] = static_cast<std::uint8_t>(i * 6);
  const std::string text = PackedSymbolsTrace(packed);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
  EXPECT_TRUE(text.starts_with("Packed Symbols for Export   \n00 06 0C 12 18 1E 24 2A \n30 "));
  EXPECT_TRUE(text.ends_with("\nF0 \n"));
}

}  // namespace
}  // namespace tonepak
