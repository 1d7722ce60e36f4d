// busy_band: a recording of a crowded WSPR band, the beacons drawn from a seed, and its truth:
// a yardstick for beaconcheck's decoding against wsprd's. A developer's tool.
//   busy_band [--beacons N] [--snr-low DB] [--snr-high DB] [--fading] [--ssb] [--ppm X]
//             [--rate HZ] [--carrier HZ] [--truth FILE] SEED OUT.wav
// The truth goes to OUT.truth.tsv (OUT less its .wav) unless --truth names a file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "band_plan.hpp"
#include "band_recording.hpp"
#include "band_truth.hpp"
#include "noisy_signal.hpp"
#include "number_argument.hpp"
#include "output_file.hpp"
#include "wav_file.hpp"

namespace {

constexpr double kMostPpm = 100.0;
constexpr std::size_t kMostBeacons = 200;

int Usage() {
  std::fputs(
      "usage: busy_band [--beacons N] [--snr-low DB] [--snr-high DB] [--fading] [--ssb]\n"
      "  [--ppm X] [--rate HZ] [--carrier HZ] [--truth FILE] SEED OUT.wav\n",
      stderr);
  return 2;
}

std::string TruthPath(std::string_view wav) {
  if (wav.ends_with(".wav")) wav.remove_suffix(4);
  return std::string(wav) + ".truth.tsv";
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (const auto error = tonepak::WriteWholeFile(path.c_str(), bytes)) {
    std::fprintf(stderr, "busy_band: %s\n", error->c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  measure::BandOptions options;
  std::string truth_path;
  std::vector<std::string_view> words;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    double value = 0.0;
    if (arg == "--fading") {
      options.fading = true;
    } else if (arg == "--ssb") {
      options.ssb = true;
    } else if (arg == "--truth" && has_value) {
      truth_path = argv[++i];
    } else if (arg == "--beacons" && has_value &&
               measure::ParseNumber(argv[i + 1], options.beacons)) {
      ++i;
    } else if (arg.starts_with("--") && has_value && measure::ParseNumber(argv[i + 1], value)) {
      ++i;
      if (arg == "--snr-low") {
        options.snr_low_db = value;
      } else if (arg == "--snr-high") {
        options.snr_high_db = value;
      } else if (arg == "--ppm") {
        options.ppm = value;
      } else if (arg == "--rate") {
        options.sample_rate_hz = value;
      } else if (arg == "--carrier") {
        options.carrier_hz = value;
      } else {
        return Usage();
      }
    } else if (arg.starts_with("--")) {
      return Usage();
    } else {
      words.push_back(arg);
    }
  }
  if (words.size() != 2 || !measure::ParseNumber(words[0], options.seed) || options.beacons == 0 ||
      options.beacons > kMostBeacons || options.snr_low_db > options.snr_high_db ||
      options.ppm < -kMostPpm || options.ppm > kMostPpm || options.sample_rate_hz < 8000.0 ||
      options.sample_rate_hz > 192000.0 ||
      (options.carrier_hz &&
       (*options.carrier_hz <= 0.0 || *options.carrier_hz >= options.sample_rate_hz / 2.0))) {
    return Usage();
  }
  if (truth_path.empty()) truth_path = TruthPath(words[1]);

  const std::vector<measure::Beacon> beacons = measure::PlanBeacons(options);
  const std::vector<double> samples = measure::BandSamples(beacons, options);
  const double gain = measure::PcmGain(samples);
  const auto rate = static_cast<std::uint32_t>(options.sample_rate_hz);
  const std::string truth = measure::TruthText(options, beacons, gain * measure::kBandNoiseSigma);
  // The truth first: a recording is never left without it.
  if (!Write(truth_path, std::vector<std::uint8_t>(truth.begin(), truth.end())) ||
      !Write(std::string(words[1]), measure::WavFile(measure::ToPcm16(samples, gain), rate))) {
    return 1;
  }
  return 0;
}
