// tunecalc's command line, without a process.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "arguments.hpp"

namespace tunecalc {
namespace {

using tuneworks::CalcInputs;

ParseResult ParseLine(std::vector<const char*> values) {
  values.insert(values.begin(), "tunecalc");
  return ParseArguments(static_cast<int>(values.size()), values.data());
}

std::optional<Arguments> Parse(std::vector<const char*> values) {
  return ParseLine(std::move(values)).arguments;
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
  // Options stand anywhere; after "--" a word is a box's text, even one that starts "--".
  EXPECT_TRUE(Parse({"20", "1", "1", "1", "2", "2", "1", "--json"})->json);
  EXPECT_EQ(Parse({"--json", "--", "--json", "1", "1", "1", "2", "2", "1"})->inputs.Ref, "--json");
}

TEST(Arguments, NamedOptionsSetTheBoxesAsAUserWould) {
  const struct {
    std::vector<const char*> words;
    CalcInputs inputs;
  } cases[] = {
      {{"--ref", "20MHz", "--pll", "6", "--fout", "7.0401MHz", "--dds", "ad9850"},
       {"20", "6", "7.0401", "1", 2, 2, 1}},
      {{"--ref=125 mhz", "--fout", "10140200hz", "--dds=AD9851", "--rf", "2"},
       {"125", "1", "10140200", "2", 2, 0, 1}},
      {{"--ref", " 4.5e3 kHz ", "--fout", "-1.5GHZ", "--dds", "48"},
       {"4.5e3", "1", "-1.5", "1", 1, 3, 2}},
      {{"--dds", "pic24", "--band", "30m"}, {"20", "1", "10140200", "1", 2, 0, 0}},
      {{"--band", "70CM"}, {"20", "1", "432301500", "1", 2, 0, 1}},
      {{"--band", "40", "--fout", "7.0386"}, {"20", "1", "7.0386", "1", 2, 2, 1}},
      {{"--ref", "27MHz", "--band", "20m", "--dds", "SI5351"},
       {"27", "1", "14097100", "1", 2, 0, 3}},
      // A balloon channel: the first dial of its band plus its lane's centre, in Hz.
      {{"--channel", "599", "--band", "80m"}, {"20", "1", "3570180", "1", 2, 0, 1}},
      {{"--band=23CM", "--channel=+452", "--mode", "wspr"},
       {"20", "1", "1296501540", "1", 2, 0, 1}},
  };
  for (const auto& c : cases) {
    const ParseResult parsed = ParseLine(c.words);
    ASSERT_TRUE(parsed.arguments) << c.words[0] << ": " << parsed.error;
    const CalcInputs& in = parsed.arguments->inputs;
    EXPECT_EQ(
        std::tie(in.Ref, in.PLLMult, in.Fout, in.RFMult, in.ClkUnits, in.Funits, in.Resolution),
        std::tie(c.inputs.Ref, c.inputs.PLLMult, c.inputs.Fout, c.inputs.RFMult, c.inputs.ClkUnits,
                 c.inputs.Funits, c.inputs.Resolution))
        << c.words[0] << ' ' << c.words[1];
  }
  EXPECT_EQ(Parse({"--band", "40", "--fout", "7.0386"})->bandList, std::vector<std::string>{"40"});
  EXPECT_TRUE(Parse({"--bands"})->bands);
  // Several bands leave the inputs to each band's run; the files and the timer clock are kept.
  const auto hop = Parse({"--band", "40m,30m", "--inc", "a.inc", "--c-header=a.h"});
  EXPECT_EQ(hop->bandList, (std::vector<std::string>{"40m", "30m"}));
  EXPECT_EQ(hop->inputs.Fout, "1");
  EXPECT_EQ(AtBandCentre(hop->inputs, "30m").Fout, "10140200");
  EXPECT_EQ(hop->includeFile + hop->cHeaderFile, "a.inca.h");
  EXPECT_EQ(Parse({"--timer-clock", "16 MHz", "--json"})->timerClockHz, 16e6);
  EXPECT_EQ(Parse({"--timer-clock=32768hz"})->timerClockHz, 32768);
}

TEST(Arguments, WrongWordsAreQuotedInOneLine) {
  const struct {
    std::vector<const char*> words;
    const char* quoted;
  } cases[] = {
      {{"--xml"}, "\"--xml\""},
      {{"--ref"}, "\"--ref\" needs a value"},
      {{"--ref", "20 MHzz"}, "\"20 MHzz\" is not a frequency"},
      {{"--fout=1.2.3"}, "\"1.2.3\""},
      {{"--pll", "x6"}, "\"x6\" is not a number"},
      {{"--dds", "ad9999"}, "\"ad9999\" is not a DDS"},
      {{"--band", "41m"}, "\"41m\" is not a WSPR band"},
      {{"--json=yes"}, "\"--json\" takes no value"},
      {{"--ref", "20", "20", "1", "1", "1", "2", "2", "1"}, "\"--ref\" cannot be mixed"},
      {{"20", "1"}, "2 values given, starting \"20\""},
      {{"20", "1", "1", "1", "MHz", "2", "1"}, "\"MHz\" is not a whole number for CLKUNITS"},
      {{"--band", "40m,41m"}, "\"41m\" is not a WSPR band"},
      {{"--band", "40m,"}, "\"\" is not a WSPR band"},
      {{"--band", "40m,40"}, R"("40" names a band given before in "40m,40")"},
      {{"--band", "40m,30m", "--fout", "7MHz"}, "\"--fout\" cannot go with several bands"},
      {{"--timer-clock", "-1MHz"}, "\"-1MHz\" is not a timer clock"},
      {{"--timer-clock", "1e400"}, "\"1e400\" is not a timer clock"},
      {{"--timer-clock", "16MHz", "--dds", "48"}, "cannot be mixed with \"--dds\""},
      {{"--inc", "t.inc", "--timer-clock", "16MHz"}, "cannot be mixed with \"--inc or"},
      {{"--timer-clock", "1", "20", "1", "1", "1", "2", "2", "1"}, "\"--timer-clock\" cannot be"},
      {{"--c-header="}, "\"--c-header\" needs a file name"},
      {{"--channel", "600", "--band", "20m"}, "\"600\" is not a channel"},
      {{"--channel=-1", "--band", "20m"}, "\"-1\" is not a channel"},
      {{"--channel", "12.0", "--band", "20m"}, "\"12.0\" is not a channel"},
      {{"--channel", "", "--band", "20m"}, "\"\" is not a channel"},
      {{"--channel", "5"}, "\"--channel 5\" needs one band (--band NAME)"},
      {{"--band", "40m,20m", "--channel", "5"}, "\"--channel 5\" needs one band, not 2"},
      {{"--channel", "5", "--band", "41m"}, "\"41m\" is not a WSPR band"},
      {{"--channel", "5", "--band", "20m", "--fout", "14.0971"},
       R"("--fout" cannot go with "--channel 5")"},
      {{"--mode", "fst4w-120", "--channel", "5", "--band", "20m"},
       R"("--channel" cannot go with "--mode fst4w-120")"},
      {{"--channel", "5", "--band", "20m", "--timer-clock", "16MHz"}, "cannot be mixed with"},
  };
  for (const auto& c : cases) {
    const ParseResult parsed = ParseLine(c.words);
    EXPECT_FALSE(parsed.arguments) << c.words[0];
    EXPECT_NE(parsed.error.find(c.quoted), std::string::npos) << parsed.error;
    EXPECT_TRUE(parsed.error.starts_with("tunecalc: ")) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
  }
}

}  // namespace
}  // namespace tunecalc
