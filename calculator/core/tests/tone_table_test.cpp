// MakeToneTable: the bytes for the firmware are the report's words, in each chip's order.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

// The hex word after `label` in the report.
std::uint64_t ReportWord(const std::string& report, std::string_view label) {
  const std::size_t at = report.find(label);
  EXPECT_NE(at, std::string::npos) << label;
  return std::stoull(report.substr(at + label.size(), report.find('\r', at) - at - label.size()),
                     nullptr, 16);
}

struct TableCase {
  const char* name;
  CalcInputs inputs;
  ToneTableKind kind;
  std::size_t bytes;
  std::uint8_t control;  // the AD9850/51's last byte
};

const TableCase kCases[] = {
    {"Pic24At2200m", {"1", "1", "137.5", "1", 2, 1, 0}, ToneTableKind::kPic24, 3, 0},
    {"Ad9850At40m", {"125", "1", "7.0401", "1", 2, 2, 1}, ToneTableKind::kAd985x, 5, 0},
    {"Ad9851TimesSix", {"30", "6", "10.1402", "1", 2, 2, 1}, ToneTableKind::kAd985x, 5, 1},
    {"Ad9851NotSix", {"30", "4", "10.1402", "1", 2, 2, 1}, ToneTableKind::kAd985x, 5, 0},
    {"Ad9852At20m", {"300", "1", "14.0971", "1", 2, 2, 2}, ToneTableKind::kAd9852, 6, 0},
    {"Ad9852Doubled", {"100", "1", "28.1261", "2", 2, 2, 2}, ToneTableKind::kAd9852, 6, 0},
};

TEST(MakeToneTable, BytesAreTheReportsWordsInTheChipsOrder) {
  for (const TableCase& c : kCases) {
    SCOPED_TRACE(c.name);
    CalcState state;
    const CalcOutputs out = Calculate(c.inputs, state);
    const std::uint64_t low = ReportWord(*out.Results, "WSPR     Setting   0x ");
    const std::uint64_t interval = ReportWord(*out.Results, "WSPR Interval      0x ");
    const ToneTableResult made = MakeToneTable(c.inputs);
    ASSERT_TRUE(made.table) << made.problem;
    const ToneTable& table = *made.table;
    EXPECT_EQ(table.kind, c.kind);
    ASSERT_EQ(table.bytesPerTone, c.bytes);
    for (std::size_t k = 0; k < 4; ++k) {
      const auto& bytes = table.toneBytes[k];
      std::uint64_t word = 0;
      if (c.kind == ToneTableKind::kAd985x) {  // low byte first, then the control byte
        for (std::size_t b = 0; b < 4; ++b) word |= std::uint64_t{bytes[b]} << (8 * b);
        EXPECT_EQ(bytes[4], c.control);
      } else {  // most significant byte first
        for (std::size_t b = 0; b < c.bytes; ++b) word = word << 8 | bytes[b];
      }
      EXPECT_EQ(word, low + k * interval) << "tone " << k;
      EXPECT_EQ(table.words[k], low + k * interval) << "tone " << k;
    }
  }
}

TEST(MakeToneTable, NoTableSaysWhy) {
  const struct {
    CalcInputs inputs;
    const char* why;
  } cases[] = {
      {{"20", "1", "30", "1", 2, 2, 1}, "alias"},
      {{"", "1", "7", "1", 2, 2, 1}, "no tones to put in a table"},
      {{"100", "1", "1", "1", 2, 2, 0},
       "5.960464 Hz (+306.90 %), is one a WSPR decoder cannot follow"},
  };
  for (const auto& c : cases) {
    const ToneTableResult made = MakeToneTable(c.inputs);
    EXPECT_FALSE(made.table) << c.why;
    EXPECT_NE(made.problem.find(c.why), std::string::npos) << made.problem;
  }
}

// The Si5351: the block that steps gives each tone's bytes, the other is written once.
TEST(MakeToneTable, Si5351StepsOneBlockAndSetsTheOtherOnce) {
  const struct {
    CalcInputs inputs;
    Si5351Method method;
  } cases[] = {
      {{"25", "1", "7.0401", "1", 2, 2, kSi5351Resolution}, Si5351Method::kPll},
      {{"40", "1", "35", "1", 2, 2, kSi5351Resolution}, Si5351Method::kMultisynth},
  };
  for (const auto& c : cases) {
    const ToneTableResult made = MakeToneTable(c.inputs);
    ASSERT_TRUE(made.table && made.table->si5351) << made.problem;
    const ToneTable& table = *made.table;
    const Si5351Plan& plan = *table.si5351;
    ASSERT_EQ(plan.method, c.method);
    const bool pll = c.method == Si5351Method::kPll;
    EXPECT_EQ(table.bytesPerTone, 8u);
    EXPECT_EQ(table.toneFirstRegister, pll ? 26 : 42);
    EXPECT_EQ(table.sharedFirstRegister, pll ? 42 : 26);
    for (std::size_t k = 0; k < 4; ++k) {
      const Si5351Tone& tone = plan.tones[k];
      EXPECT_EQ(table.toneBytes[k], pll ? tone.pllRegisters : tone.multisynthRegisters);
      EXPECT_EQ(table.sharedBytes, pll ? tone.multisynthRegisters : tone.pllRegisters);
    }
  }
  EXPECT_NE(MakeToneTable({"25", "1", "144.4905", "1", 2, 2, kSi5351Resolution}).problem, "");
}

}  // namespace
}  // namespace tuneworks
