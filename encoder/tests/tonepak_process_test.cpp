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

#include "project_version.hpp"
#include "tone_demodulation.hpp"
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

TEST_F(TonepakProcessTest, HelpAndVersionAloneAreOptions) {
  const ProcessResult help = Tonepak({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("usage: tonepak CALL LOC POWER\n")) << help.out;
  EXPECT_EQ(help.err, "");
  const ProcessResult version = Tonepak({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out,
            std::string("tonepak (wspr-beacon-tools) ") + wspr_beacon_tools::kVersion + "\n");
  EXPECT_FALSE(fs::exists(dir_ / "a.au"));
  // Any other word, or the options with another argument count, still means prompting.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-h"}, {"--help", "x"}, {"--version", "--help"}}) {
    const ProcessResult run = Tonepak(args, "Q1ABC\nAA00\n10\n");
    EXPECT_EQ(run.out, kPromptHead + Golden("q1abc_aa00_10.stdout")) << args[0];
  }
}

TEST_F(TonepakProcessTest, ReadsItsOwnFilesBack) {
  ASSERT_EQ(Tonepak({"k1abc", "fn42", "37"}).status, 0);
  for (const char* file : {"wsptones.inc", "a.au"}) {
    const ProcessResult run = Tonepak({"--read", file});
    EXPECT_EQ(run.status, 0) << file << run.err;
    EXPECT_EQ(run.out, "K1ABC FN42 37\n");
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(TonepakProcessTest, RefusesDamagedAndForeignFiles) {
  std::string inc = Golden("q1abc_aa00_10.inc");
  inc[inc.find("0x6A") + 3] = 'B';  // symbols 8..11: 1 2 2 2 becomes 1 2 2 3
  std::ofstream(dir_ / "damaged.inc", std::ios::binary) << inc;
  std::ofstream(dir_ / "notes.txt") << "73 de Q1ABC\n";
  std::ofstream(dir_ / "short.au", std::ios::binary) << std::string(".snd\0\0\0\x18", 8);
  const struct {
    const char* file;
    std::string err;
  } cases[] = {
      {"damaged.inc",
       "tonepak: damaged.inc: the sync bit of symbol 11 disagrees with the WSPR synchronisation "
       "vector\ntonepak: damaged.inc: the data bits alone carry Q1ABC AA00 10\n"},
      {"notes.txt", "tonepak: notes.txt: it holds no \"de\" lines: not a WSPR include file\n"},
      {"short.au", "tonepak: short.au: not a Sun/NeXT audio file (no \".snd\" header)\n"},
      {"missing.inc", "tonepak: cannot read missing.inc: No such file or directory\n"},
      {".", "tonepak: cannot read .: Is a directory\n"},
  };
  for (const auto& c : cases) {
    const ProcessResult run = Tonepak({"--read", c.file});
    EXPECT_EQ(run.status, 1) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_EQ(run.err, c.err);
  }
}

TEST_F(TonepakProcessTest, CompoundCallWithSixCharacterLocatorMakesAPair) {
  const ProcessResult run = Tonepak({"pj4/k1abc", "fk52ud", "37"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string second =
      "\nSecond transmission, for wsptones2.inc and a2.au:  "
      "<PJ4/K1ABC> FK52UD 37\n";
  ASSERT_NE(run.out.find(second), std::string::npos);
  // The second trace in the same form as the first, then the closing lines.
  EXPECT_NE(run.out.find("Packed Symbols for Export", run.out.find(second)), std::string::npos);
  EXPECT_TRUE(
      run.out.ends_with("  1  wsptones.inc   a.au    PJ4/K1ABC 37\n"
                        "  2  wsptones2.inc  a2.au   <PJ4/K1ABC> FK52UD 37\n"
                        "The firmware must send the two tables in turn, wsptones.inc "
                        "first, each transmission\nfrom the start of an even minute; a "
                        "decoder fills in the call of the second\nonly after it has heard "
                        "the first.\n\n"))
      << run.out.substr(run.out.size() - 300);
  EXPECT_NE(Read(dir_ / "wsptones.inc").find("  ;PJ4/K1ABC 37    "), std::string::npos);
  EXPECT_NE(Read(dir_ / "wsptones2.inc").find("  ;<PJ4/K1ABC> FK52UD 37    "), std::string::npos);

  // Read back alone, in pairs, and as a pair that does not belong together.
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
  } reads[] = {
      {{"--read", "a2.au"}, 0, "<...> FK52UD 37\n"},
      {{"--read", "wsptones.inc", "a2.au"}, 0, "PJ4/K1ABC 37\n<PJ4/K1ABC> FK52UD 37\n"},
      {{"--read", "a.au", "wsptones2.inc"}, 0, "PJ4/K1ABC 37\n<PJ4/K1ABC> FK52UD 37\n"},
      {{"--read", "other.inc", "wsptones2.inc"}, 1, "K1ABC FN42 37\n<...> FK52UD 37\n"},
  };
  ASSERT_EQ(Tonepak({"K1ABC", "FN42", "37"}).status, 0);
  fs::rename(dir_ / "wsptones.inc", dir_ / "other.inc");
  ASSERT_EQ(Tonepak({"PJ4/K1ABC", "FK52UD", "37"}).status, 0);
  for (const auto& r : reads) {
    const ProcessResult read = Tonepak(r.args);
    EXPECT_EQ(read.status, r.status) << r.args[1];
    EXPECT_EQ(read.out, r.out) << read.err;
  }
  EXPECT_EQ(Tonepak(reads[3].args).err,
            "tonepak: wsptones2.inc: its call hash 19735 is not that of K1ABC in other.inc (6521): "
            "the two are not a pair\n");
}

TEST_F(TonepakProcessTest, CompoundCallAloneAndPlainCallPair) {
  const ProcessResult alone = Tonepak({"K1ABC/P", "FN42", "33"});
  EXPECT_EQ(alone.status, 0);
  EXPECT_NE(alone.err.find("tonepak: note: "), std::string::npos);
  EXPECT_NE(alone.out.find("|   Call K1ABC/P   |\n     |   Loc  (not sent)|"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "wsptones2.inc"));
  EXPECT_EQ(Tonepak({"--read", "a.au"}).out, "K1ABC/P 33\n");

  const ProcessResult pair = Tonepak({"K1ABC", "FN42AX", "30"});
  EXPECT_EQ(pair.status, 0);
  EXPECT_EQ(pair.err, "");
  EXPECT_EQ(Tonepak({"--read", "a.au", "a2.au"}).out, "K1ABC FN42 30\n<K1ABC> FN42AX 30\n");
}

TEST_F(TonepakProcessTest, RefusalsAndUsageErrorsWriteNothing) {
  std::ofstream(dir_ / "wsptones.inc") << "kept";
  const struct {
    std::vector<std::string> args;
    std::string err_start;
  } cases[] = {
      {{"ABCD/K1ABC", "FK52UD", "37"}, "tonepak: cannot send call sign 'ABCD/K1ABC': its prefix"},
      {{"--c-header", "K1ABC/AB", "FN42", "37"}, "tonepak: cannot send call sign 'K1ABC/AB'"},
      {{"PJ4/K1ABC/P", "FN42", "37"}, "tonepak: cannot send call sign 'PJ4/K1ABC/P'"},
      {{"--read"}, "usage: tonepak CALL LOC POWER\n"},
      {{"--read", "a", "b", "c"}, "usage: tonepak CALL LOC POWER\n"},
      {{"--c-header", "K1ABC", "FN42"}, "usage: tonepak CALL LOC POWER\n"},
      {{"--mode", "fst4w-300", "K1ABC/P/Q", "37"},
       "tonepak: cannot send \"K1ABC/P/Q 37\" in FST4W-300: call: "},
      {{"--mode", "fst4w-120", "--c-header", "K1ABC", "FN42", "61"},
       "tonepak: cannot send \"K1ABC FN42 61\" in FST4W-120: power: "},
      {{"--mode", "fst4w-12", "K1ABC", "FN42", "37"}, "tonepak: no mode is called \"fst4w-12\""},
      {{"--mode"}, "tonepak: --mode needs a name"},
  };
  for (const auto& c : cases) {
    const ProcessResult run = Tonepak(c.args, "Q1ABC\nAA00\n10\n");
    EXPECT_EQ(run.status, 2) << c.args[0];
    EXPECT_TRUE(run.err.starts_with(c.err_start)) << run.err;
    EXPECT_EQ(Read(dir_ / "wsptones.inc"), "kept");
    for (const char* file : {"a.au", "a2.au", "wsptones2.inc", "wsptones.h"}) {
      EXPECT_FALSE(fs::exists(dir_ / file)) << file;
    }
  }
}

TEST_F(TonepakProcessTest, Fst4wWritesItsPeriodAndReadsBack) {
  const ProcessResult run = Tonepak({"--mode=FST4W-300", "--c-header", "PJ4/K1ABC", "38"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "tonepak: 38 dBm is sent as 37 dBm: FST4W carries the power in steps of 10/3 dB\n");
  EXPECT_NE(run.out.find("|   Message  PJ4/K1ABC 37   |"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Tone step 0.5580 Hz (12000/21504), symbol period 1.7920 s"),
            std::string::npos);
  EXPECT_NE(run.out.find("  S  38  2 3 1 0 3 2 0 1\n"), std::string::npos);
  EXPECT_EQ(fs::file_size(dir_ / "a.au"), 24U + 2U * 300U * 12000U);
  for (const char* file : {"wsptones.inc", "wsptones.h", "a.au"}) {
    const ProcessResult back = Tonepak({"--read", file});
    EXPECT_EQ(back.status, 0) << file << ": " << back.err;
    EXPECT_EQ(back.out,
              "PJ4/K1ABC 37\nFST4W-300 (300 s period): sync 40 of 40, LDPC parity checks 166 of "
              "166, CRC-24 matches\n");
  }
  // The prompt takes the whole message on one line.
  const ProcessResult asked = Tonepak({"--mode", "fst4w-120"}, "<PJ4/K1ABC> FK52UD\n");
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_NE(asked.out.find("Message  <PJ4/K1ABC> FK52UD"), std::string::npos);
  // Two minutes of FST4W-120 are as long as WSPR's a.au: heard as FST4W all the same.
  const ProcessResult heard = Tonepak({"--read", "a.au"});
  EXPECT_EQ(heard.status, 0) << heard.err;
  EXPECT_EQ(heard.out.substr(0, heard.out.find('\n') + 10), "<...> FK52UD\nFST4W-120");
}

TEST_F(TonepakProcessTest, CHeaderIsWrittenBesideTheUsualFiles) {
  const ProcessResult run = Tonepak({"--c-header", "Q1ABC", "AA00", "10"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Golden("q1abc_aa00_10.stdout") +
                         " Symbols and packed bytes as C arrays stored in  wsptones.h - include "
                         "in the firmware \n\n");
  EXPECT_EQ(Read(dir_ / "wsptones.inc"), Golden("q1abc_aa00_10.inc"));
  const std::string header = Read(dir_ / "wsptones.h");
  EXPECT_NE(
      header.find("const uint8_t wspr_packed[WSPR_PACKED_COUNT] WSPR_ROM = {\n  0xF0, 0xA0, "),
      std::string::npos);
  EXPECT_EQ(header.find("wspr_symbols_2"), std::string::npos);
}

// A telemetry run's lines, then exactly the run and the files of its message typed in.
TEST_F(TonepakProcessTest, TelemetryRunsAsItsMessageTypedIn) {
  const struct {
    std::vector<std::string> options;
    std::vector<std::string> values;
    std::string head;
  } cases[] = {
      {{},
       {"06", "xs", "12360", "-28", "3.35", "72", "1"},
       "Telemetry message: 0Y6RLQ EI27 33\n  id           06\n  subsquare    XS\n"
       "  altitude     12360 m\n  temperature  -28 C\n  voltage      3.35 V\n"
       "  speed        72 kn\n  GPS          valid\n"},
      {{"--mode", "fst4w-300", "--c-header"},
       {"Q7", "WR", "3000", "0", "3.18", "10.9", "0"},
       "Telemetry message: QX7DGS JQ97 33\n  id           Q7\n  subsquare    WR\n"
       "  altitude     3000 m\n  temperature  0 C\n  voltage      3.20 V\n"
       "  speed        10 kn\n  GPS          not valid\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.options;
    args.emplace_back("--telemetry");
    args.insert(args.end(), c.values.begin(), c.values.end());
    const ProcessResult run = Tonepak(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_TRUE(run.out.starts_with(c.head)) << run.out.substr(0, 400);
    const std::string inc = Read(dir_ / "wsptones.inc");
    const std::string audio = Read(dir_ / "a.au");

    std::vector<std::string> typed = c.options;
    const std::string message = c.head.substr(19, c.head.find('\n') - 19);
    typed.push_back(message.substr(0, 6));
    typed.push_back(message.substr(7, 4));
    typed.push_back(message.substr(12));
    EXPECT_EQ(run.out.substr(c.head.size()), Tonepak(typed).out) << message;
    EXPECT_EQ(Read(dir_ / "wsptones.inc"), inc) << message;
    EXPECT_EQ(Read(dir_ / "a.au"), audio) << message;

    const ProcessResult back = Tonepak({"--read", "a.au"});
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_TRUE(back.out.starts_with(message + "\ntelemetry " + c.values[0] + ": ")) << back.out;
  }
  EXPECT_EQ(
      Tonepak({"--read", "wsptones.h"}).out.substr(0, 94),
      "QX7DGS JQ97 33\ntelemetry Q7: subsquare WR, 3000 m, 0 C, 3.20 V, 10 kn, GPS not valid\n"
      "FST4W-300");
  ASSERT_EQ(Tonepak({"0Y6RLQ", "EI27", "30"}).status, 0);
  EXPECT_EQ(Tonepak({"--read", "a.au"}).out,
            "0Y6RLQ EI27 30\nnot basic telemetry: 0Y6RLQ is shaped as a telemetry call, but its "
            "locator and power clear the basic-telemetry flag\n");
}

TEST_F(TonepakProcessTest, TelemetryClampsAndWarnsOfEachValueOutOfRange) {
  const ProcessResult run = Tonepak({"--telemetry", "14", "AA", "-5", "40.4", "2.99", "83", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "tonepak: warning: altitude -5 m is outside 0 to 21340 m: sent as 0 m\n"
            "tonepak: warning: temperature 40.4 C is outside -50 to 39 C: sent as 39 C\n"
            "tonepak: warning: voltage 2.99 V is outside 3.00 to 4.95 V: sent as 3.00 V\n"
            "tonepak: warning: speed 83 kn is outside 0 to 82 kn: sent as 82 kn\n");
  EXPECT_NE(run.out.find("  altitude     0 m\n  temperature  39 C\n  voltage      3.00 V\n"
                         "  speed        82 kn\n"),
            std::string::npos);
}

TEST_F(TonepakProcessTest, TelemetryRefusalsNameTheFieldAndTouchNoFile) {
  const std::vector<std::string> good = {"06", "XS", "12360", "-28", "3.35", "72", "1"};
  const struct {
    std::size_t field;
    std::string value;
    std::string err;
  } cases[] = {
      {0, "X6", "tonepak: ID must be 0, 1 or Q then a digit, not \"X6\"\n"},
      {0, "0A", "tonepak: ID must be 0, 1 or Q then a digit, not \"0A\"\n"},
      {1, "XY", "tonepak: SUBSQUARE must be two letters A to X, not \"XY\"\n"},
      {1, "X", "tonepak: SUBSQUARE must be two letters A to X, not \"X\"\n"},
      {2, "12k", "tonepak: ALTITUDE must be a number, not \"12k\"\n"},
      {3, "--5", "tonepak: TEMPERATURE must be a number, not \"--5\"\n"},
      {4, "3.3.5", "tonepak: VOLTS must be a number, not \"3.3.5\"\n"},
      {5, "", "tonepak: KNOTS must be a number, not \"\"\n"},
      {6, "yes", "tonepak: GPS must be 1 or 0, not \"yes\"\n"},
      {7, "",
       "tonepak: --telemetry needs 7 values, ID SUBSQUARE ALTITUDE TEMPERATURE VOLTS KNOTS GPS, "
       "not 6\n"},
  };
  std::ofstream(dir_ / "wsptones.inc") << "kept";
  std::ofstream(dir_ / "a.au") << "kept too";
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--c-header", "--telemetry"};
    args.insert(args.end(), good.begin(), good.end());
    if (c.field < good.size())
      args[2 + c.field] = c.value;
    else
      args.pop_back();
    const ProcessResult run = Tonepak(args);
    EXPECT_EQ(run.status, 2) << c.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    EXPECT_EQ(Read(dir_ / "wsptones.inc"), "kept");
    EXPECT_EQ(Read(dir_ / "a.au"), "kept too");
    EXPECT_FALSE(fs::exists(dir_ / "wsptones.h"));
  }
}

}  // namespace
}  // namespace tonepak
