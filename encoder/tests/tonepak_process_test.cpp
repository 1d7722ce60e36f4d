// Runs the tonepak program as a user would: arguments or prompts, a fresh directory, and checks
// everything it prints and writes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "wspr_demodulator.hpp"
#include "wspr_types.hpp"

namespace tonepak {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Golden(const char* name) { return Read(fs::path(TONEPAK_GOLDEN_DIR) / name); }

// Single-quotes a word for the shell.
std::string Quote(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

class TonepakProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ =
        fs::temp_directory_path() / ("tonepak-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs tonepak in the test's directory with these arguments and standard input.
  ProcessResult Tonepak(const std::vector<std::string>& args, const std::string& input = "") {
    std::ofstream(dir_ / "stdin", std::ios::binary) << input;
    std::string command = "cd " + Quote(dir_.string()) + " && " + Quote(TONEPAK_EXE);
    // Appended piece by piece: " " + Quote(a) trips GCC 12's false -Wrestrict alarm at -O2.
    for (const std::string& a : args) command.append(" ").append(Quote(a));
    command += " <stdin >stdout 2>stderr";
    ProcessResult run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Read(dir_ / "stdout");
    run.err = Read(dir_ / "stderr");
    return run;
  }

  fs::path dir_;
};

const std::string kPromptHead =
    "\nIncorrect number of arguments.   Usage ...  'TONEPAK CALL LOC POWER'"
    "\n\n     Callsign         Locator          Power       \n";

TEST_F(TonepakProcessTest, ExampleMessageFromArguments) {
  const ProcessResult run = Tonepak({"Q1ABC", "AA00", "10"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Golden("q1abc_aa00_10.stdout"));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Read(dir_ / "wsptones.inc"), Golden("q1abc_aa00_10.inc"));

  const std::string audio = Read(dir_ / "a.au");
  ASSERT_EQ(audio.size(), 2'880'024u);
  const std::vector<std::uint8_t> bytes(audio.begin(), audio.end());
  const ChannelSymbols heard = DemodulateSymbols(AudioSamples(bytes));
  std::string digits;
  for (std::uint8_t s : heard) digits += static_cast<char>('0' + s);
  EXPECT_EQ(digits,
            "330022001222113022302103311200220012010102022210312213232203321022013232101212210232"
            "330021323212201022003001221330130013012203112222032302330222220112303100031222");
}

TEST_F(TonepakProcessTest, WrongArgumentCountsPromptForAllThreeFields) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"Q9XYZ", "JO01"}, {"Q9XYZ", "JO01", "20", "extra"}}) {
    const ProcessResult run = Tonepak(args, "Q1ABC\nAA00\n10\n");
    EXPECT_EQ(run.status, 0) << args.size();
    EXPECT_EQ(run.out, kPromptHead + Golden("q1abc_aa00_10.stdout")) << args.size();
    EXPECT_EQ(Read(dir_ / "wsptones.inc"), Golden("q1abc_aa00_10.inc"));
  }
}

TEST_F(TonepakProcessTest, EndOfInputAtAPromptLeavesTheFieldEmpty) {
  const ProcessResult run = Tonepak({}, "  q1ab \t");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("|   Call  Q1AB     |"), std::string::npos);
  EXPECT_NE(run.out.find("|   dBm   0        |"), std::string::npos);
  // The empty locator is reported, but the run goes on to both files.
  EXPECT_NE(run.err.find("warning: locator"), std::string::npos);
  EXPECT_EQ(fs::file_size(dir_ / "a.au"), 2'880'024u);
  EXPECT_EQ(fs::file_size(dir_ / "wsptones.inc"), 428u);
}

TEST_F(TonepakProcessTest, HugeAndBinaryWordsAreCutNotFatal) {
  std::string huge(3 << 20, 'k');
  huge[1] = '1';
  const ProcessResult run =
      Tonepak({}, huge + "\n\x01\xff\x7f\x80\x1b\n" + std::string(100000, '7') + "\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("|   Call  K1KKK    |"), std::string::npos);
  EXPECT_NE(run.out.find("|   dBm  2147483647        |"), std::string::npos);
  EXPECT_EQ(fs::file_size(dir_ / "a.au"), 2'880'024u);
}

TEST_F(TonepakProcessTest, WarnsOnStandardErrorOnlyAndStillEncodes) {
  const ProcessResult run = Tonepak({"Q1ABC", "AA00", "12"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "tonepak: warning: power 12 dBm: its last digit is not 0, 3 or 7, so standard "
            "decoders read it as another message type\n");
  EXPECT_EQ(run.out.find("warning"), std::string::npos);
}

TEST_F(TonepakProcessTest, ReplacesEarlierFiles) {
  std::ofstream(dir_ / "wsptones.inc") << std::string(5000, 'x');
  Tonepak({"QA1BCD", "LL55", "37"});
  const ProcessResult run = Tonepak({"Q1ABC", "AA00", "10"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Read(dir_ / "wsptones.inc"), Golden("q1abc_aa00_10.inc"));
}

TEST_F(TonepakProcessTest, IncludeFileThatCannotBeCreatedIsReportedAndAudioStillWritten) {
  fs::create_directory(dir_ / "wsptones.inc");  // fails to open even for root
  const ProcessResult run = Tonepak({"Q1ABC", "AA00", "10"});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, Golden("q1abc_aa00_10.stdout"));
  EXPECT_NE(run.err.find("tonepak: cannot create wsptones.inc: Is a directory"), std::string::npos)
      << run.err;
  EXPECT_EQ(fs::file_size(dir_ / "a.au"), 2'880'024u);
}

TEST_F(TonepakProcessTest, AudioThatCannotBeWrittenFullyFailsTheRun) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  fs::create_symlink("/dev/full", dir_ / "a.au");  // every write fails: no space left
  const ProcessResult run = Tonepak({"Q1ABC", "AA00", "10"});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("tonepak: cannot write a.au: No space left on device"), std::string::npos)
      << run.err;
  EXPECT_EQ(Read(dir_ / "wsptones.inc"), Golden("q1abc_aa00_10.inc"));
}

TEST_F(TonepakProcessTest, UnwritableDirectoryFailsBothFiles) {
  fs::create_directory(dir_ / "a.au");
  fs::create_directory(dir_ / "wsptones.inc");
  const ProcessResult run = Tonepak({"Q1ABC", "AA00", "10"});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("cannot create wsptones.inc"), std::string::npos);
  EXPECT_NE(run.err.find("cannot create a.au"), std::string::npos);
}

TEST_F(TonepakProcessTest, ColoursOnlyOnATerminalAndNormalAtTheEnd) {
  // A file gets plain text (checked against the golden output above); a terminal gets colours.
  if (std::system("script --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
  const std::string command = "cd " + Quote(dir_.string()) + " && script -qec " +
                              Quote(Quote(TONEPAK_EXE) + " Q1ABC AA00 10") + " /dev/null >tty.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string tty = Read(dir_ / "tty.txt");
  const std::size_t yellow = tty.find("\x1b[0;93m");
  const std::size_t box = tty.find("|   Call  Q1ABC    |");
  const std::size_t white = tty.find("\x1b[0;97mPacked Symbols for Export");
  ASSERT_NE(yellow, std::string::npos);
  EXPECT_LT(yellow, box);
  EXPECT_NE(white, std::string::npos);
  EXPECT_TRUE(tty.ends_with("\x1b[0m")) << "the terminal is left coloured";
}

}  // namespace
}  // namespace tonepak
