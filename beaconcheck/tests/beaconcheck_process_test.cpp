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

// The words here hold no single quote.
std::string Quote(const std::string& word) { return "'" + word + "'"; }

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
r = json.load(sys.stdin); N = (int, float); S = str; B = bool; L = list
def check(o, keys):
    assert set(o) == set(keys), sorted(set(o) ^ set(keys))
    assert all(isinstance(o[k], t) for k, t in keys.items()), o
check(r, dict(file=S, sampleRate=N, seconds=N, transmissions=L))
t = r["transmissions"][0]
check(t, dict(startS=N, dtS=N, tonesHz=L, stepHz=N, stepErrorPercent=N, evenlySpaced=B,
  driftHz=N, symbolMs=N, symbolErrorPercent=N, symbolsSent=int, snrDb=N, syncAgreeing=int,
  symbols=L, message=(S, type(None)), window=dict, rf=type(None), expected=dict, decodable=B,
  problems=L))
check(t["window"], dict(inside=B, missHz=N))
check(t["expected"], dict(message=S, differing=L, fault=S, shift=int))
assert len(r["transmissions"]) == 1 and len(t["tonesHz"]) == 4 and len(t["symbols"]) == 162
)";

struct ProgramRun {
  const char* name;
  Audio audio;
  std::vector<std::string> args;  // before the recording's name
  int status;
};

const ProgramRun kRuns[] = {
    {"Clean", Audio::kClean, {}, 0},
    {"CleanAsExpectedInJson", Audio::kClean, {"--json", "--expect", "K1ABC FN42 37"}, 0},
    {"OtherMessageExpected", Audio::kClean, {"--expect", "K1ABC FN42 30"}, 1},
    {"NoTransmission", Audio::kNoiseOnly, {}, 1},
    {"DriftingBeyondWsprd", Audio::kDrifting, {}, 1},
    {"Truncated", Audio::kTruncated, {}, 2},
    {"UnknownOption", Audio::kClean, {"--loud"}, 2},
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
  const bool plotted = r.status != 2 && r.audio != Audio::kNoiseOnly;
  EXPECT_EQ(Read(dir / "old.png").substr(0, 8), plotted ? "\x89PNG\r\n\x1a\n" : "kept");
  if (r.args.size() > 0 && r.args[0] == "--json") {
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
