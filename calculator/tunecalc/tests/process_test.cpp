// tunecalc run as a process: arguments, plain and JSON output, exit status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace {

namespace fs = std::filesystem;

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& text) {
#if defined(_WIN32)
  std::string quoted(1, '"');
  for (char c : text) {
    if (c == '"') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
#else
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
#endif
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  std::string bytes = text.str();
#if defined(_WIN32)  // the terminal's line ends back to "\n"
  for (std::size_t at; (at = bytes.find("\r\n")) != std::string::npos;) bytes.erase(at, 1);
#endif
  return bytes;
}

// A new folder of its own under the temporary folder: other builds may run the same tests.
fs::path NewTempDir() {
  static std::mt19937_64 random{std::random_device{}()};
  fs::path dir = fs::temp_directory_path() / ("tunecalc_test_" + std::to_string(random()));
  fs::create_directories(dir);
  return dir;
}

ProcessResult RunTunecalc(const std::vector<std::string>& arguments) {
  const fs::path dir = NewTempDir();
  std::string command = Quote(TUNECALC_PATH);
  for (const std::string& argument : arguments) {
    command += ' ';
    command += Quote(argument);
  }
  command += " >";
  command += Quote((dir / "out").string());
  command += " 2>";
  command += Quote((dir / "err").string());
#if defined(_WIN32)
  command.insert(command.begin(), '"');  // cmd /c strips one pair of quotes
  command.push_back('"');
#endif
  ProcessResult run;
  const int raw = std::system(command.c_str());
#if defined(_WIN32)
  run.status = raw;
#else
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  run.out = ReadFile(dir / "out");
  run.err = ReadFile(dir / "err");
  fs::remove_all(dir);
  return run;
}

const char kDefaultsPlain[] =
    "DDS Clock      20000000\n"
    "DDS Output Hz  1000000\n"
    "\n"
    "DDS Setting           0x 0CCCCCCD\n"
    "WSPR Interval      0x 0000013B\n"
    "WSPR     Setting   0x 0CCCCAF5\n"
    "\n"
    "Resolution    .00465661Hz\n"
    "\n"
    "What these words give at the RF output:\n"
    "DDS setting gives  1000000.0009 Hz (+0.000931 Hz from wanted)\n"
    "WSPR tones         999997.8030 / 999999.2698 / 1000000.7367 / 1000002.2035 Hz\n"
    "Tone step          1.466833 Hz (+0.14 % from 1.46484375 Hz)\n"
    "Tone centre        +0.003260 Hz from wanted\n"
    "Decoder (wsprd)    needs 0.0 dB more signal than with an exact step\n";

const char kDefaultsJson[] =
    "{\"clock\":\" 20000000\",\"ddsFreq\":\" 1000000\",\"colour\":0,"
    "\"results\":\"DDS Setting           0x 0CCCCCCD\\r\\nWSPR Interval      0x 0000013B\\r\\n"
    "WSPR     Setting   0x 0CCCCAF5\\r\\n\\r\\nResolution    .00465661Hz\",\"overflow\":false,"
    "\"actual\":{\"settingHz\":1000000.0009313226,\"settingErrorHz\":0.0009313225746154785,"
    "\"tonesHz\":[999997.8030100465,999999.2698431015,1000000.7366761565,1000002.2035092115],"
    "\"stepHz\":1.4668330550193787,\"stepErrorPercent\":0.13580322265625,"
    "\"centreErrorHz\":0.003259629011154175,\"decoderLossDb\":0,\"decodable\":true},\"band\":null,"
    "\"si5351\":null}"
    "\n";

TEST(TunecalcProcess, NoArgumentsCalculatesTheWindowDefaults) {
  const ProcessResult run = RunTunecalc({});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kDefaultsPlain);
  EXPECT_EQ(run.err, "");
}

TEST(TunecalcProcess, ExplicitDefaultsGiveTheSame) {
  const ProcessResult run = RunTunecalc({"20", "1", "1", "1", "2", "2", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kDefaultsPlain);
}

TEST(TunecalcProcess, JsonOfTheDefaults) {
  EXPECT_EQ(RunTunecalc({"--json"}).out, kDefaultsJson);
  const ProcessResult run = RunTunecalc({"--json", "20", "1", "1", "1", "2", "2", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kDefaultsJson);
}

TEST(TunecalcProcess, EmptyTextsAndRedWarning) {
  const ProcessResult run = RunTunecalc({"", "1", "8", "1", "2", "2", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "DDS Clock      0\n"
            "DDS Output Hz  8000000\n"
            "\n"
            "DDS Setting           0x 00000000\n"
            "\n"
            "\n"
            "Resolution    .Hz\n");
  const ProcessResult red = RunTunecalc({"20", "1", "8", "1", "2", "2", "1"});
  EXPECT_NE(red.out.find("DDS Output Hz  8000000\nWarning: "), std::string::npos) << red.out;
  const ProcessResult json = RunTunecalc({"--json", "", "1", "8", "", "2", "2", "1"});
  EXPECT_EQ(json.out.substr(0, 46), "{\"clock\":\" 0\",\"ddsFreq\":\" 0\",\"colour\":null,\"re");
}

TEST(TunecalcProcess, TextsAsTyped) {
  const ProcessResult run = RunTunecalc({"--json", "2 0 MHz", "1,5", "&H1", "1e", "2", "2", "-1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.substr(0, 48), "{\"clock\":\" 20000000\",\"ddsFreq\":\" 1000000\",\"colou");
}

TEST(TunecalcProcess, OverflowInStep2PrintsNothingProducedAndExits3) {
  const ProcessResult run = RunTunecalc({"1E200", "1E200", "1", "1", "2", "2", "1"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("Overflow"), std::string::npos);
  const ProcessResult json = RunTunecalc({"--json", "1E200", "1E200", "1", "1", "2", "2", "1"});
  EXPECT_EQ(json.status, 3);
  EXPECT_EQ(json.out,
            "{\"clock\":null,\"ddsFreq\":null,\"colour\":null,\"results\":null,\"overflow\":true,"
            "\"actual\":null,\"band\":null,\"si5351\":null}\n");
}

TEST(TunecalcProcess, OverflowInStep14PrintsWhatWasProduced) {
  const ProcessResult run = RunTunecalc({"--json", "1", "1", "1", "0.001", "0", "2", "2"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out,
            "{\"clock\":\" 1\",\"ddsFreq\":\" 1000000000\",\"colour\":255,"
            "\"results\":\"DDS Setting           0x 000000000000\\r\\n\",\"overflow\":true,"
            "\"actual\":null,\"band\":null,\"si5351\":null}\n");
  const ProcessResult plain = RunTunecalc({"1", "1", "1", "0.001", "0", "2", "2"});
  EXPECT_EQ(plain.status, 3);
  const std::string last = "\n\nDDS Setting           0x 000000000000\n";
  ASSERT_GE(plain.out.size(), last.size());
  EXPECT_EQ(plain.out.substr(plain.out.size() - last.size()), last);
  EXPECT_NE(plain.err.find("Overflow"), std::string::npos);
}

TEST(TunecalcProcess, WrongArgumentsExit2WithUsage) {
  const std::vector<std::vector<std::string>> wrong = {
      {"20"},
      {"20", "1", "1", "1", "2", "2"},
      {"20", "1", "1", "1", "2", "2", "1", "extra"},
      {"--json", "20", "1", "1", "1", "2", "2"},
      {"20", "1", "1", "1", "MHz", "2", "1"},
      {"20", "1", "1", "1", "2", "", "1"},
      {"20", "1", "1", "1", "2", "2", "1.0"},
      {"20", "1", "1", "1", "2", "2", "40000"},
      {"--xml", "20", "1", "1", "1", "2", "2", "1"},
      {"--ref", "20 MHzz"},
      {"--band", "41m"},
      {"--fout"},
      {"--timer-clock", "0"},
      {"--band", "40m,30m", "--fout", "7MHz"},
      {"--channel", "600", "--band", "20m"},
      {"--channel", "1", "--band", "20m", "--mode", "fst4w-300"},
  };
  for (const auto& arguments : wrong) {
    const ProcessResult run = RunTunecalc(arguments);
    EXPECT_EQ(run.status, 2) << arguments.size();
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: tunecalc"), std::string::npos);
  }
}

TEST(TunecalcProcess, NamedOptionsGiveTheBandLineAndMember) {
  const ProcessResult plain =
      RunTunecalc({"--ref", "20MHz", "--fout", "7.0401MHz", "--dds", "ad9850"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, RunTunecalc({"20", "1", "7.0401", "1", "2", "2", "1"}).out);
  const std::string line = "\nWSPR band          The tones lie in the 40 m WSPR window, ";
  EXPECT_NE(plain.out.find(line), std::string::npos) << plain.out;
  const ProcessResult json =
      RunTunecalc({"--json", "--ref=125MHz", "--band", "30m", "--dds", "32"});
  EXPECT_NE(json.out.find(",\"band\":{\"name\":\"30m\",\"dialHz\":10138700,\"windowLowHz\":"
                          "10140100,\"windowHighHz\":10140300,\"audioHz\":1500"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"inside\":true,\"marginHz\":9"), std::string::npos) << json.out;
  // Above half the clock: no tones, and why.
  EXPECT_NE(RunTunecalc({"--fout", "30", "--json"})
                .out.find("\"actual\":null,\"band\":null,\"si5351\":null}"),
            std::string::npos);
  EXPECT_NE(RunTunecalc({"--fout", "30"}).out.find("\nNo WSPR tones: at or above half its clock"),
            std::string::npos);
  EXPECT_NE(RunTunecalc({"--mode", "fst4w-300", "--fout", "30"})
                .out.find("\nNo FST4W-300 tones: at or above half its clock"),
            std::string::npos);
}

// A balloon channel is its lane centre as --fout, after the lines that name the channel; its
// table files are that frequency's too.
TEST(TunecalcProcess, ChannelRunsAtItsLaneCentre) {
  for (const char* dds : {"ad9850", "si5351"}) {
    SCOPED_TRACE(dds);
    const ProcessResult at_lane =
        RunTunecalc({"--ref", "25MHz", "--dds", dds, "--fout", "14097020Hz", "--band", "20m"});
    const ProcessResult channel =
        RunTunecalc({"--ref", "25MHz", "--dds", dds, "--channel", "0", "--band", "20m"});
    EXPECT_EQ(channel.status, 0) << channel.err;
    const std::string head =
        "Balloon channel    0 on 20 m\n"
        "Telemetry ID       00 (the telemetry call's first and third characters: 0?0??"
        "?)\n"
        "Regular message    minute 8 of every ten (08, 18, 28, 38, 48, 58)\n"
        "Telemetry message  minute 0 of every ten (00, 10, 20, 30, 40, 50)\n"
        "Lane               1 of 4, centred on 14.097020 MHz (dial + 1420 Hz)\n\n";
    EXPECT_EQ(channel.out, head + at_lane.out);
  }
  const ProcessResult json = RunTunecalc({"--json", "--channel", "452", "--band", "20m"});
  EXPECT_NE(json.out.find(",\"channel\":{\"number\":452,\"band\":\"20m\",\"id\":\"Q2\","
                          "\"regularMinute\":2,\"telemetryMinute\":4,\"lane\":3,"
                          "\"laneCentreHz\":14097140,\"laneAudioHz\":1540}}\n"),
            std::string::npos)
      << json.out;
  const fs::path dir = NewTempDir();
  for (const auto& [file, frequency] :
       {std::pair{"c.h", "--channel=226"}, {"f.h", "--fout=14097060Hz"}}) {
    EXPECT_EQ(
        RunTunecalc({"--ref=125MHz", frequency, "--band=20m", "--c-header", (dir / file).string()})
            .status,
        0);
  }
  EXPECT_EQ(ReadFile(dir / "c.h"), ReadFile(dir / "f.h"));
  fs::remove_all(dir);
}

// The Si5351 plan for 40 m from a 25 MHz crystal: PLL A 28 + 164241/1024000 is P1 = 128 x 28 +
// floor(128 x 164241 / 1024000) - 512 = 3092, P2 = 542848, P3 = 1024000; multisynth 100 is
// P1 = 12288, P3 = 1. And 2 m, which the chip cannot reach with a usable step: red, no tones.
TEST(TunecalcProcess, Si5351PlanInJson) {
  const ProcessResult run =
      RunTunecalc({"--json", "--ref", "25MHz", "--band", "40m", "--dds", "si5351"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"si5351\":{\"method\":\"pll\",\"crystalHz\":2.5e+07,\"rDivider\":1,"
                         "\"tones\":[{\"hz\":7040097.900390625,\"pll\":[28,164241,1024000],"
                         "\"multisynth\":[100,0,1],\"pllRegisters\":[160,0,0,12,20,248,72,128],"
                         "\"multisynthRegisters\":[0,1,0,48,0,0,0,0]},"),
            std::string::npos)
      << run.out;
  EXPECT_TRUE(run.out.ends_with(
      "\"stepHz\":1.46484375,\"stepErrorPercent\":0,\"exactStep\":true,\"problem\":null}}\n"));
  const ProcessResult two_metres =
      RunTunecalc({"--ref", "25MHz", "--band", "2m", "--dds", "si5351"});
  EXPECT_NE(two_metres.out.find("Warning: the Si5351 cannot make these tones"), std::string::npos);
  EXPECT_NE(
      RunTunecalc({"--json", "--ref", "25MHz", "--band", "2m", "--dds", "si5351"})
          .out.find("\"actual\":null,\"band\":null,\"si5351\":{\"method\":\"pll\",\"crystalHz\":"
                    "2.5e+07,\"rDivider\":1,\"tones\":[],"),
      std::string::npos);
}

TEST(TunecalcProcess, HelpAndVersionGoToStandardOutput) {
  const ProcessResult run = RunTunecalc({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("usage: tunecalc", 0), 0u);
  const ProcessResult version = RunTunecalc({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tunecalc (wspr-beacon-tools) " PROJECT_VERSION "\n");
  EXPECT_EQ(RunTunecalc({"--version", "--json"}).status, 2);
}

TEST(TunecalcProcess, IndexOutsideTheListsReachesTheCore) {
  const ProcessResult run = RunTunecalc({"--json", "20", "1", "1", "1", "20000", "2", "1"});
  EXPECT_EQ(run.status, 3);  // 3 x 20000 does not fit in 16 bits
  EXPECT_NE(run.out.find("\"overflow\":true"), std::string::npos);
}

const char kTimer16MHzJson[] =
    "{\"clockHz\":16000000,\"timer\":["
    "{\"prescaler\":256,\"count\":42667,\"periodMs\":682.672,\"errorPpm\":7.8125,"
    "\"driftPerTransmissionMs\":0.864,\"driftPerHourMs\":28.125,"
    "\"pattern\":[42666,42667,42667],\"patternErrorPpm\":0},"
    "{\"prescaler\":1024,\"count\":10667,\"periodMs\":682.688,\"errorPpm\":31.25,"
    "\"driftPerTransmissionMs\":3.456,\"driftPerHourMs\":112.5,"
    "\"pattern\":[10666,10667,10667],\"patternErrorPpm\":0}]}\n";

TEST(TunecalcProcess, SymbolTimer) {
  const ProcessResult json = RunTunecalc({"--json", "--timer-clock", "16MHz"});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out, kTimer16MHzJson);
  const ProcessResult plain = RunTunecalc({"--timer-clock=1MHz"});
  EXPECT_NE(plain.out.find("\n       16  42667   682.672000    +7.8125"), std::string::npos)
      << plain.out;
  EXPECT_NE(plain.out.find("\n       16  42666  42667  42667\n"), std::string::npos);
}

// A hop table for an AD9851 with its 6x multiplier on two bands, both files as committed in
// golden/ (their bytes assemble and compile in tools/table-check). Written in golden/ with
//   tunecalc --ref 30MHz --pll 6 --dds ad9851 --band 40m,30m --inc hop_ad9851.inc
//            --c-header hop_ad9851.h
TEST(TunecalcProcess, HopTableFiles) {
  const fs::path dir = NewTempDir();
  const ProcessResult run =
      RunTunecalc({"--json", "--ref", "30MHz", "--pll", "6", "--dds", "ad9851", "--band", "40m,30m",
                   "--inc", (dir / "hop.inc").string(), "--c-header", (dir / "hop.h").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 11), "[{\"clock\":\"");
  EXPECT_NE(run.out.find("},{\"clock\":\""), std::string::npos);
  EXPECT_EQ(ReadFile(dir / "hop.inc"), ReadFile(TUNECALC_GOLDEN_DIR "/hop_ad9851.inc"));
  EXPECT_EQ(ReadFile(dir / "hop.h"), ReadFile(TUNECALC_GOLDEN_DIR "/hop_ad9851.h"));
  fs::remove_all(dir);
}

// No table, or a file that cannot be written: exit 1, and no file changed or left half-written.
TEST(TunecalcProcess, NoTableLeavesTheFilesAlone) {
  const fs::path dir = NewTempDir();
  const fs::path old = dir / "old.inc";
  std::ofstream(old) << "old";
  const struct {
    std::vector<std::string> arguments;
    const char* error;
  } cases[] = {
      {{"--fout", "30", "--inc", old.string()}, "no table written: at or above half its clock"},
      {{"--band", "40m,2m", "--inc", old.string()}, "no table written (2m): at or above"},
      {{"--inc", old.string(), "--c-header", (dir / "no" / "t.h").string()}, "cannot write "},
  };
  for (const auto& c : cases) {
    const ProcessResult run = RunTunecalc(c.arguments);
    EXPECT_EQ(run.status, 1) << c.error;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(old), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  }
  fs::remove_all(dir);
}

TEST(TunecalcProcess, ModeNamesFst4wInEveryOutput) {
  const struct {
    std::vector<std::string> arguments;
    std::vector<std::string> shown;  // each somewhere in the standard output
  } cases[] = {
      {{"--mode", "fst4w-300", "--band", "630m"},
       {"FST4W Interval     0x 00000078\n", "FST4W-300 tones    475700.0040 / ",
        "% from 0.55803571 Hz)", "Decoder (jt9)      ",
        "FST4W band         The tones lie in the 630 m FST4W-300 window, 0.475600 to 0.475800"}},
      {{"--json", "--mode", "FST4W-120", "--fout", "137.5kHz"},
       {R"({"mode":"fst4w-120","clock")", R"("name":"2200m")"}},
      {{"--mode", "fst4w-1800", "--timer-clock", "1MHz"},
       {"an FST4W-1800 symbol lasts 134400/12000 s = 11200.000000 ms",
        "      256  43750 11200.000000", "A transmission is 160 symbols (1792.0 s)",
        "the 30-minute slots"}},
      {{"--json", "--mode", "fst4w-900", "--timer-clock", "1MHz"}, {R"({"mode":"fst4w-900")"}},
      {{"--bands", "--mode", "fst4w-120"},
       {"FST4W window MHz\n", "160m     1.836800      1.838200 to    1.838400\n"}},
  };
  for (const auto& c : cases) {
    const ProcessResult run = RunTunecalc(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments[1] << run.err;
    for (const std::string& text : c.shown)
      EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
  const ProcessResult wspr = RunTunecalc({"--mode", "wspr", "--band", "630m"});
  EXPECT_EQ(wspr.out, RunTunecalc({"--band", "630m"}).out);

  const std::vector<std::vector<std::string>> wrong = {
      {"--mode", "fst4w-60"}, {"--mode", "fst4w-120", "--band", "40m"}, {"--mode"}};
  for (const auto& arguments : wrong) {
    const ProcessResult run = RunTunecalc(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunTunecalc({"--mode", "fst4w-120", "--band", "40m"})
                .err.rfind(
                    "tunecalc: \"40m\" is not an FST4W-120 band (tunecalc --bands --mode fst4w-120 "
                    "lists them)\n",
                    0),
            0U);

  const fs::path dir = NewTempDir();
  const ProcessResult table = RunTunecalc(
      {"--mode", "fst4w-120", "--band", "2200m,630m", "--inc", (dir / "hop.inc").string()});
  EXPECT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(ReadFile(dir / "hop.inc").rfind("  ; FST4W-120 tone table for ", 0), 0U);
  fs::remove_all(dir);
}

}  // namespace
