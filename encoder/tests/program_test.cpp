// Tests of the program's own edges: the command line read once, and the console's colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_colour.hpp"
#include "options.hpp"

namespace tonepak {
namespace {

struct CommandLineCase {
  const char* name;
  std::vector<const char*> arguments;  // after the program's name
  Mode mode;
  bool c_header;
  const char* call;  // the message words' call, or nullptr when they must be asked for
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsTheModeAndTheWordsOnce) {
  const CommandLineCase& c = GetParam();
  std::vector<const char*> argv{"tonepak"};
  argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
  const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
  EXPECT_EQ(line.mode, c.mode);
  EXPECT_EQ(line.c_header, c.c_header);
  ASSERT_EQ(line.words.has_value(), c.call != nullptr);
  if (c.call == nullptr) return;
  EXPECT_EQ(line.words->callsign, c.call);
  EXPECT_EQ(line.words->locator, argv[argv.size() - 2]);
  EXPECT_EQ(line.words->power, argv.back());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    testing::Values(
        CommandLineCase{"Message", {"K1ABC", "FN42", "37"}, Mode::kEncode, false, "K1ABC"},
        CommandLineCase{
            "CHeader", {"--c-header", "K1ABC", "FN42", "37"}, Mode::kEncode, true, "K1ABC"},
        CommandLineCase{
            "CHeaderShort", {"--c-header", "K1ABC", "FN42"}, Mode::kUsageError, true, nullptr},
        CommandLineCase{"NoneAsks", {}, Mode::kEncode, false, nullptr},
        CommandLineCase{"TwoAsk", {"K1ABC", "FN42"}, Mode::kEncode, false, nullptr},
        CommandLineCase{
            "HelpWithMoreIsAMessage", {"--help", "FN42", "37"}, Mode::kEncode, false, "--help"},
        CommandLineCase{"Help", {"--help"}, Mode::kHelp, false, nullptr},
        CommandLineCase{"Version", {"--version"}, Mode::kVersion, false, nullptr},
        CommandLineCase{"Read", {"--read", "a.au"}, Mode::kRead, false, nullptr},
        CommandLineCase{"ReadNothing", {"--read"}, Mode::kUsageError, false, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConsoleColourTest, FiveAppearancesAreDistinctAnsiSequences) {
  EXPECT_EQ(AnsiSequence(kNormalGrey), "\x1b[0m");
  EXPECT_EQ(AnsiSequence(kErrorWhiteOnRed), "\x1b[0;97;41m");
  EXPECT_EQ(AnsiSequence(kPromptCyan), "\x1b[0;96m");
  EXPECT_EQ(AnsiSequence(kSummaryYellow), "\x1b[0;93m");
  EXPECT_EQ(AnsiSequence(kPackedBrightWhite), "\x1b[0;97m");
  EXPECT_EQ(AnsiSequence(0x1C), "\x1b[0;91;44m");  // bright red on blue: channels swapped right
}

}  // namespace
}  // namespace tonepak
