// Balloon telemetry through the program: single frames that WSJT-X's wsprsim writes as .c2 files
// in a lane (and one FST4W frame of its fst4sim), and pairs of fault_wav frames joined end to end
// by sox, with and without --channel. Python checks the telemetry and pair objects of the --json
// report, keys and values.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace beaconcheck {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each telemetry frame's keys exactly; `want` the telemetry values of the first frame (or None)
// and the pairs as (regular, telemetry, lane, locator).
constexpr const char* kJsonCheck = R"(
import json, sys
r = json.load(open(sys.argv[1])); want, pairs = eval(sys.argv[2]), eval(sys.argv[3])
keys = {"altitudeM", "temperatureC", "volts", "knots", "gpsValid", "id", "subsquare"}
frames = [t for t in r["transmissions"] if "telemetry" in t]
assert frames and all(t["telemetry"] is None or set(t["telemetry"]) == keys for t in frames), frames
assert frames[0]["telemetry"] == want, frames[0]["telemetry"]
got = [(p["regular"], p["telemetry"], p["lane"], p["locator"])
       for p in r.get("balloon", {}).get("pairs", [])]
assert got == pairs, got
)";

struct BalloonRun {
  const char* name;
  // Shell commands writing the recording: `sim OUT ARGS` wsprsim, $T fst4sim, $S sox, $F fault_wav
  // and `pair`: r.wav and t.wav.
  const char* make;
  const char* recording;
  const char* args;
  int status;
  const char* shown;      // a line of the text report
  const char* telemetry;  // the first frame's "telemetry", as Python
  const char* pairs;      // the "pairs", as Python
};

// A regular frame and its telemetry frame in lane 2, as r.wav and t.wav; wsprsim's exit status is
// 1 when it has written its file.
constexpr const char* kTools =
    "pair() { $F --snr -15 --seed 3 --tone0 1457.8 'K1ABC FN42 37' r.wav && "
    "$F --snr -15 --seed 4 --tone0 1457.8 '0Y6RLQ EI27 33' t.wav; } && "
    "sim() { o=$1; shift; $W -o \"$o\" \"$@\"; test -s \"$o\"; } && ";
constexpr const char* kXs =
    "{'id': '06', 'subsquare': 'XS', 'altitudeM': 12360, 'temperatureC': -28, 'volts': 3.35, "
    "'knots': 72, 'gpsValid': True}";

const BalloonRun kRuns[] = {
    {"TelemetryInLaneOne", "sim 261210_1400.c2 -f -80 -s -20 '0Y6RLQ EI27 33'", "261210_1400.c2",
     "", 0, "  lane        1, 1420.0 Hz above the dial\n", kXs, "[]"},
    {"TelemetryInLaneThree", "sim a.c2 -f 40 -s -20 '0X2FDM MI65 27'", "a.c2", "", 0,
     "  balloon     telemetry 02: subsquare WS, 7000 m, 13 C, 3.00 V, 60 kn, GPS valid\n",
     "{'id': '02', 'subsquare': 'WS', 'altitudeM': 7000, 'temperatureC': 13, 'volts': 3.0, "
     "'knots': 60, 'gpsValid': True}",
     "[]"},
    {"BetweenTheLanes", "sim a.c2 -f 0 -s -20 '0Y6RLQ EI27 33'", "a.c2", "", 1,
     "in the middle fifth of the window, between the lanes\n", kXs, "[]"},
    {"NoBasicTelemetry", "sim a.c2 -f 40 -s -20 '0Y6RLQ EI27 30'", "a.c2", "", 0,
     "  balloon     0Y6RLQ is shaped as telemetry, but is no basic telemetry\n", "None", "[]"},
    {"Pair", "pair && $S r.wav t.wav 261210_1408.wav", "261210_1408.wav",
     "--dial 14.0956 --channel 125", 0, "  locator     FN42XS\n", kXs, "[(0, 1, 2, 'FN42XS')]"},
    {"PairOffItsChannel", "pair && $S r.wav t.wav 261210_1408.wav", "261210_1408.wav",
     "--dial 14.0956 --channel 123", 1,
     "began at minute 10; channel 123 sends telemetry at minute 6 of every ten (its regular "
     "frame at 4)\n",
     kXs, "[(0, 1, 2, 'FN42XS')]"},
    {"FourMinutesApart",
     "pair && $F --snr -15 --seed 5 --sent 0 'K1ABC FN42 37' q.wav && $S r.wav q.wav t.wav a.wav",
     "a.wav", "", 1, "began 240.0 s after the regular frame nearest it in lane 2", kXs, "[]"},
    {"Fst4wTelemetry", "$T '0Y6RLQ EI27 33' 120 1540 0 0 0 1 -15 T", "000000_0001.wav",
     "--mode fst4w-120", 0, "  lane        3, 154", kXs, "[]"},
    {"ChannelWithoutDial", "pair && $S r.wav t.wav a.wav", "a.wav", "--channel 125", 2, "", "", ""},
};

class BalloonProcess : public ::testing::TestWithParam<BalloonRun> {};

TEST_P(BalloonProcess, ShowsTelemetryAndPairs) {
  if (std::string(WSPRSIM_EXE).empty() || std::string(FST4SIM_EXE).empty() ||
      std::string(SOX_EXE).empty()) {
    GTEST_SKIP() << "wsprsim or fst4sim (wsjtx) or sox is not installed";
  }
  const BalloonRun& r = GetParam();
  const fs::path dir =
      fs::temp_directory_path() / ("balloon-" + std::to_string(::getpid()) + "-" + r.name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string in = "cd '" + dir.string() + "' && W='" + WSPRSIM_EXE + "' && F='" +
                         FAULT_WAV_EXE + "' && S='" + SOX_EXE + "' && T='" + FST4SIM_EXE + "' && ";
  const std::string setup = in + kTools + r.make + " >/dev/null";
  ASSERT_EQ(std::system(setup.c_str()), 0) << setup;
  const std::string run = "cd '" + dir.string() + "' && '" BEACONCHECK_EXE "' " + r.args + " ";
  const int raw = std::system((run + r.recording + " >text 2>&1").c_str());
  EXPECT_EQ(std::system((run + "--json " + r.recording + " >json 2>/dev/null").c_str()), raw);
  const std::string text = Read(dir / "text");
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, r.status) << text;
  EXPECT_NE(text.find(r.shown), std::string::npos) << text;
  if (r.status != 2) {
    const std::string check = "python3 -c '" + std::string(kJsonCheck) + "' json \"" + r.telemetry +
                              "\" \"" + r.pairs + "\" 2>&1";
    EXPECT_EQ(std::system(("cd '" + dir.string() + "' && " + check).c_str()), 0)
        << Read(dir / "json");
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Runs, BalloonProcess, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck
