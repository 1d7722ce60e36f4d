// Runs the beaconcheck program on recordings that fault_wav writes to a fresh directory: its exit
// status, the line naming an unreadable file, the --json report's keys and types, what --plot
// writes, and the whole text report of two beacons on one band against a golden file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace beaconcheck {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The words here hold no single quote.
std::string Quote(const std::string& word) { return "'" + word + "'"; }

// The --json report's keys and their types, checked by Python's own JSON parser.
constexpr const char* kJsonCheck = R"(
import json, sys
r = json.load(sys.stdin); N = (int, float); S = str; B = bool; L = list
def check(o, keys):
    assert set(o) == set(keys), sorted(set(o) ^ set(keys))
    assert all(isinstance(o[k], t) for k, t in keys.items()), o
check(r, dict(file=S, sampleRate=N, seconds=N, transmissions=L, carriers=L))
t = r["transmissions"][0]
check(t, dict(carrier=B, startS=N, dtS=N, tonesHz=L, stepHz=N, stepErrorPercent=N, evenlySpaced=B,
  driftHz=N, symbolMs=N, symbolErrorPercent=N, symbolsSent=int,
  beginsBeforeRecording=B, endsAfterRecording=B, snrDb=N, syncAgreeing=int,
  symbols=L, message=(S, type(None)), window=dict, rf=type(None), expected=dict, decodable=B,
  problems=L))
check(t["window"], dict(inside=B, missHz=N))
check(t["expected"], dict(message=S, differing=L, fault=S, shift=int))
assert len(r["transmissions"]) == 1 and len(t["tonesHz"]) == 4 and len(t["symbols"]) == 162
)";

struct ProgramRun {
  const char* name;
  const char* recording;          // fault_wav's options
  bool cut;                       // the file cut inside its header
  std::vector<std::string> args;  // before the recording's name
  int status;
  bool plots;  // replaces the existing picture with a PNG
};

const ProgramRun kRuns[] = {
    {"Clean", "--snr -12", false, {}, 0, true},
    {"AsExpectedInJson", "--snr -12", false, {"--json", "--expect", "K1ABC FN42 37"}, 0, true},
    {"OtherMessageExpected", "--snr -12", false, {"--expect", "K1ABC FN42 30"}, 1, true},
    {"NoTransmission", "--snr -12 --sent 0", false, {}, 1, false},
    {"DriftingBeyondWsprd", "--snr -12 --drift 25", false, {}, 1, true},
    {"Truncated", "--snr -12", true, {}, 2, false},
    {"UnknownOption", "--snr -12", false, {"--loud"}, 2, false},
};

class BeaconcheckProcess : public ::testing::TestWithParam<ProgramRun> {};

// Every run also asks for a picture over an existing file: a run that finds a transmission
// replaces it with a PNG, any other leaves it as it was.
TEST_P(BeaconcheckProcess, ExitsWithItsStatus) {
  const ProgramRun& r = GetParam();
  const fs::path dir =
      fs::temp_directory_path() / ("beaconcheck-" + std::to_string(::getpid()) + "-" + r.name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "old.png") << "kept";
  std::string command = "cd " + Quote(dir.string()) + " && " + Quote(FAULT_WAV_EXE) + " " +
                        r.recording + " 'K1ABC FN42 37' rec.wav && " +
                        (r.cut ? "truncate -s 30 rec.wav && " : "") + Quote(BEACONCHECK_EXE);
  for (const std::string& a : r.args) command.append(" ").append(Quote(a));
  command += " --plot old.png rec.wav >stdout 2>stderr";
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const std::string err = Read(dir / "stderr");

  EXPECT_EQ(status, r.status) << err;
  if (r.cut) {
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("rec.wav"), std::string::npos) << err;
  }
  EXPECT_EQ(Read(dir / "old.png").substr(0, 8), r.plots ? "\x89PNG\r\n\x1a\n" : "kept");
  if (r.args.size() > 0 && r.args[0] == "--json") {
    const std::string check =
        "python3 -c " + Quote(kJsonCheck) + " <" + Quote((dir / "stdout").string()) + " 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0) << Read(dir / "stdout");
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Runs, BeaconcheckProcess, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

// Two beacons on one band, fixed seeds: K1ABC's tones upside down at 1490 Hz, K9XYZ drifting
// 1.5 Hz at 1530 Hz, K1ABC expected. The whole report must be golden/two_beacons.txt byte for
// byte. When the analysis changes its figures on purpose, write the file again with
//   BEACONCHECK_WRITE_GOLDEN=1 build/dev/bin/beaconcheck_process_tests --gtest_filter='*Golden*'
// and read the difference before committing it. By hand, in an empty folder (the first command
// on one line):
//   fault_wav --snr -15 --seed 1 --fault tones-inverted --start 1.0 --tone0 1490
//     'K1ABC FN42 37' a.wav
//   fault_wav --snr -15 --seed 2 --start 1.5 --tone0 1530 --drift 1.5 'K9XYZ EM10 23' b.wav
//   tools/mix_wav.py a.wav b.wav band.wav
//   beaconcheck --verbose --dial 14.0956 --expect 'K1ABC FN42 37' band.wav
TEST(BeaconcheckGolden, TwoBeaconsOnOneBand) {
  const fs::path dir =
      fs::temp_directory_path() / ("beaconcheck-" + std::to_string(::getpid()) + "-golden");
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string fault_wav = Quote(FAULT_WAV_EXE) + " --snr -15 ";
  const std::string command =
      "cd " + Quote(dir.string()) + " && " + fault_wav +
      "--seed 1 --fault tones-inverted --start 1.0 --tone0 1490 'K1ABC FN42 37' a.wav && " +
      fault_wav + "--seed 2 --start 1.5 --tone0 1530 --drift 1.5 'K9XYZ EM10 23' b.wav && " +
      "python3 " + Quote(MIX_WAV_PY) + " a.wav b.wav band.wav && " + Quote(BEACONCHECK_EXE) +
      " --verbose --dial 14.0956 --expect 'K1ABC FN42 37' band.wav >report.txt";
  const int raw = std::system(command.c_str());
  // Status 1: the expected beacon is heard with its tones upside down.
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
  const std::string report = Read(dir / "report.txt");
  const fs::path golden = fs::path(GOLDEN_DIR) / "two_beacons.txt";
  if (std::getenv("BEACONCHECK_WRITE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << report;
    GTEST_SKIP() << "wrote " << golden;
  }
  EXPECT_EQ(report, Read(golden)) << "the report now:\n" << report;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace beaconcheck
