// tunecalc's command line, without a process.
#include <gtest/gtest.h>

#include <vector>

#include "arguments.hpp"

namespace tunecalc {
namespace {

std::optional<Arguments> Parse(std::vector<const char*> values) {
  values.insert(values.begin(), "tunecalc");
  return ParseArguments(static_cast<int>(values.size()), values.data());
}

TEST(Arguments, Defaults) {
  const auto arguments = Parse({});
  ASSERT_TRUE(arguments);
  EXPECT_FALSE(arguments->json);
  EXPECT_EQ(arguments->inputs.Ref, "20");
  EXPECT_EQ(arguments->inputs.PLLMult, "1");
  EXPECT_EQ(arguments->inputs.Fout, "1");
  EXPECT_EQ(arguments->inputs.RFMult, "1");
  EXPECT_EQ(arguments->inputs.ClkUnits, 2);
  EXPECT_EQ(arguments->inputs.Funits, 2);
  EXPECT_EQ(arguments->inputs.Resolution, 1);
  EXPECT_TRUE(Parse({"--json"})->json);
}

TEST(Arguments, SevenValues) {
  const auto arguments = Parse({"--json", "", " 7 ", "x", "-", "-1", "+3", "0"});
  ASSERT_TRUE(arguments);
  EXPECT_TRUE(arguments->json);
  EXPECT_EQ(arguments->inputs.Ref, "");
  EXPECT_EQ(arguments->inputs.PLLMult, " 7 ");
  EXPECT_EQ(arguments->inputs.Fout, "x");
  EXPECT_EQ(arguments->inputs.RFMult, "-");
  EXPECT_EQ(arguments->inputs.ClkUnits, -1);
  EXPECT_EQ(arguments->inputs.Funits, 3);
  EXPECT_EQ(arguments->inputs.Resolution, 0);
}

TEST(Arguments, Indexes) {
  EXPECT_EQ(ParseIndex("2"), 2);
  EXPECT_EQ(ParseIndex("-1"), -1);
  EXPECT_EQ(ParseIndex("+1"), 1);
  EXPECT_EQ(ParseIndex("32767"), 32767);
  EXPECT_EQ(ParseIndex("-32768"), -32768);
  for (const char* wrong : {"", "+", "-", "32768", "-32769", "1.0", " 1", "1 ", "MHz", "0x1",
                            "99999999999999999999", "++1"}) {
    EXPECT_FALSE(ParseIndex(wrong).has_value()) << '"' << wrong << '"';
  }
}

TEST(Arguments, WrongCounts) {
  EXPECT_FALSE(Parse({"20"}));
  EXPECT_FALSE(Parse({"--json", "20", "1", "1", "1", "2", "2"}));
  EXPECT_FALSE(Parse({"20", "1", "1", "1", "2", "2", "1", "1"}));
  // Only the first argument can be the option: a later "--json" is a text for a box.
  EXPECT_TRUE(Parse({"--json", "--json", "20", "1", "1", "2", "2", "1"}));
}

}  // namespace
}  // namespace tunecalc
