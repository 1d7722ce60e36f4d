// Runs the beaconcheck program on recordings written to a fresh directory: its exit status, the
// line naming an unreadable file, the --json report's keys and types, and what --plot writes.
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

#include "intended_transmissions.hpp"
#include "noisy_signal.hpp"
#include "wav_file.hpp"
#include "wspr_signal.hpp"

namespace beaconcheck {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Quote(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

enum class Audio { kClean, kNoiseOnly, kDrifting, kTruncated };

// A 12 kHz recording of "K1ABC FN42 37" at -12 dB (or of the noise alone), as a 16-bit WAV.
std::string Recording(Audio audio) {
  measure::SignalShape shape;
  shape.seconds = 116.0;
  shape.drift_hz = audio == Audio::kDrifting ? 25.0 : 0.0;
  shape.amplitude = audio == Audio::kNoiseOnly ? 0.0 : 1.0;
  const auto symbols = tonepak::IntendedFromText("K1ABC FN42 37").symbols[0];
  const double sigma = measure::NoiseSigma(0.5, -12.0, shape.sample_rate_hz);
  const auto samples = measure::AddWhiteNoise(measure::WsprSignal(symbols, shape), sigma, 3);
  const auto wav = measure::WavFile(measure::ToPcm16(samples, 32767.0 / (1.0 + 5.0 * sigma)),
                                    static_cast<std::uint32_t>(shape.sample_rate_hz));
  std::string bytes(wav.begin(), wav.end());
  if (audio == Audio::kTruncated) bytes.resize(30);  // cut inside the header
  return bytes;
}

// The --json report's keys and their types, checked by Python's own JSON parser.
constexpr const char* kJsonCheck = R"(
import json, sys
r = json.load(sys.stdin)
num = (int, float)
def check(obj, keys):
    assert set(obj) == set(keys), sorted(set(obj) ^ set(keys))
    for k, t in keys.items():
        assert isinstance(obj[k], t), (k, obj[k])
check(r, {"file": str, "sampleRate": num, "seconds": num, "transmissions": list})
assert len(r["transmissions"]) == 1
t = r["transmissions"][0]
check(t, {"startS": num, "dtS": num, "tonesHz": list, "stepHz": num, "stepErrorPercent": num,
          "evenlySpaced": bool, "driftHz": num, "symbolMs": num, "symbolErrorPercent": num,
          "symbolsSent": int, "snrDb": num, "syncAgreeing": int, "symbols": list,
          "message": (str, type(None)), "window": dict, "rf": type(None), "expected": dict,
          "decodable": bool, "problems": list})
assert len(t["tonesHz"]) == 4 and len(t["symbols"]) == 162
check(t["window"], {"inside": bool, "missHz": num})
check(t["expected"], {"message": str, "differing": list, "fault": str, "shift": int})
)";

struct ProgramRun {
  const char* name;
  Audio audio;
  std::vector<std::string> args;  // before the recording's name
  int status;
  bool check_json;
};

const ProgramRun kRuns[] = {
    {"Clean", Audio::kClean, {}, 0, false},
    {"CleanAsExpectedInJson", Audio::kClean, {"--json", "--expect", "K1ABC FN42 37"}, 0, true},
    {"OtherMessageExpected", Audio::kClean, {"--expect", "K1ABC FN42 30"}, 1, false},
    {"NoTransmission", Audio::kNoiseOnly, {}, 1, false},
    {"DriftingBeyondWsprd", Audio::kDrifting, {}, 1, false},
    {"Truncated", Audio::kTruncated, {}, 2, false},
    {"UnknownOption", Audio::kClean, {"--loud"}, 2, false},
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
  std::ofstream(dir / "rec.wav", std::ios::binary) << Recording(r.audio);
  std::ofstream(dir / "old.png") << "kept";
  std::string command = "cd " + Quote(dir.string()) + " && " + Quote(BEACONCHECK_EXE);
  for (const std::string& a : r.args) command.append(" ").append(Quote(a));
  command += " --plot old.png rec.wav >stdout 2>stderr";
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const std::string err = Read(dir / "stderr");

  EXPECT_EQ(status, r.status) << err;
  if (r.audio == Audio::kTruncated) {
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("rec.wav"), std::string::npos) << err;
  }
  const std::string png = Read(dir / "old.png");
  if (r.status == 2 || r.audio == Audio::kNoiseOnly) {
    EXPECT_EQ(png, "kept");
  } else {
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  }
  if (r.check_json) {
    const std::string check =
        "python3 -c " + Quote(kJsonCheck) + " <" + Quote((dir / "stdout").string()) + " 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0) << Read(dir / "stdout");
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Runs, BeaconcheckProcess, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace beaconcheck
