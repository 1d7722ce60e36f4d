// fault_wav: a recording of a WSPR beacon with chosen faults, in white noise, as a WAV file:
// for checking beaconcheck against the truth and against wsprd. A developer's tool.
//   fault_wav [--rate HZ] [--float] [--snr DB] [--seed N] [--tone0 HZ] [--step-percent E]
//             [--drift HZ] [--start S] [--symbol-ms MS] [--sent N] [--seconds S]
//             [--fault reversed-in-byte|bits-swapped|tones-inverted|shifted:K] [--phase-jumps]
//             MESSAGE OUT.wav
// MESSAGE as a decoder shows it, "K1ABC FN42 37"; a pair's second transmission with --second.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "intended_transmissions.hpp"
#include "noisy_signal.hpp"
#include "output_file.hpp"
#include "symbol_faults.hpp"
#include "wav_file.hpp"
#include "wspr_signal.hpp"

namespace {

constexpr double kFullScale = 32767.0;
constexpr double kHeadroomSigmas = 5.0;

int Usage() {
  std::fputs(
      "usage: fault_wav [--rate HZ] [--float] [--snr DB] [--seed N] [--tone0 HZ]\n"
      "  [--step-percent E] [--drift HZ] [--start S] [--symbol-ms MS] [--sent N]\n"
      "  [--seconds S] [--second] [--fault NAME[:K]] [--phase-jumps] MESSAGE OUT.wav\n",
      stderr);
  return 2;
}

bool Number(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  measure::SignalShape shape;
  double snr_db = 0.0;
  bool noisy = false;
  bool as_float = false;
  bool second = false;
  double seed = 1.0;
  double step_percent = 0.0;
  std::string fault;
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    double value = 0.0;
    if (arg == "--float") {
      as_float = true;
    } else if (arg == "--phase-jumps") {
      shape.phase_jumps = true;
    } else if (arg == "--second") {
      second = true;
    } else if (arg == "--fault" && i + 1 < argc) {
      fault = argv[++i];
    } else if (arg.starts_with("--") && i + 1 < argc && Number(argv[i + 1], value)) {
      ++i;
      if (arg == "--rate")
        shape.sample_rate_hz = value;
      else if (arg == "--snr") {
        snr_db = value;
        noisy = true;
      } else if (arg == "--seed")
        seed = value;
      else if (arg == "--tone0")
        shape.tone0_hz = value;
      else if (arg == "--step-percent")
        step_percent = value;
      else if (arg == "--drift")
        shape.drift_hz = value;
      else if (arg == "--start")
        shape.start_s = value;
      else if (arg == "--symbol-ms")
        shape.symbol_s = value / 1000.0;
      else if (arg == "--sent")
        shape.symbols_sent = static_cast<std::size_t>(value);
      else if (arg == "--seconds")
        shape.seconds = value;
      else
        return Usage();
    } else if (arg.starts_with("--")) {
      return Usage();
    } else {
      words.emplace_back(arg);
    }
  }
  if (words.size() != 2 || shape.symbols_sent > tonepak::kSymbolCount) return Usage();
  shape.step_hz *= 1.0 + step_percent / 100.0;
  const tonepak::IntendedTransmissions intended = tonepak::IntendedFromText(words[0]);
  if (intended.count == 0 || (second && intended.count < 2)) {
    std::fprintf(stderr, "fault_wav: %s\n", intended.problem.c_str());
    return 2;
  }
  tonepak::ChannelSymbols symbols = intended.symbols[second ? 1 : 0];
  if (!fault.empty()) {
    const auto colon = fault.find(':');
    const std::string name = fault.substr(0, colon);
    const int shift = colon == std::string::npos ? 0 : std::atoi(fault.c_str() + colon + 1);
    bool known = false;
    for (const auto f : {tonepak::SymbolFault::kReversedInByte, tonepak::SymbolFault::kBitsSwapped,
                         tonepak::SymbolFault::kTonesInverted, tonepak::SymbolFault::kShifted}) {
      if (tonepak::FaultName(f) == name) {
        symbols = tonepak::WithFault(symbols, f, shift);
        known = true;
      }
    }
    if (!known) return Usage();
  }
  std::vector<double> samples = measure::WsprSignal(symbols, shape);
  double gain = kFullScale;
  if (noisy) {
    const double sigma =
        measure::NoiseSigma(measure::SignalPower(shape), snr_db, shape.sample_rate_hz);
    samples = measure::AddWhiteNoise(samples, sigma, static_cast<std::uint64_t>(seed));
    gain = kFullScale / (1.0 + kHeadroomSigmas * sigma);
  }
  const auto rate = static_cast<std::uint32_t>(shape.sample_rate_hz);
  std::vector<std::uint8_t> wav;
  if (as_float) {
    std::vector<float> f(samples.size());
    for (std::size_t n = 0; n < f.size(); ++n)
      f[n] = static_cast<float>(samples[n] * gain / kFullScale);
    wav = measure::FloatWavFile(f, rate);
  } else {
    wav = measure::WavFile(measure::ToPcm16(samples, gain), rate);
  }
  if (const auto error = tonepak::WriteWholeFile(words[1].c_str(), wav)) {
    std::fprintf(stderr, "fault_wav: %s\n", error->c_str());
    return 1;
  }
  return 0;
}
