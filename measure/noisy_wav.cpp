// noisy_wav: the test signal of one WSPR message with its tone step off by a given percentage,
// in white noise at a given SNR, as a WAV file for wsprd. Used by tools/measure-wsprd-limits.
//   noisy_wav CALL LOC POWER STEP_ERROR_PERCENT SNR_DB|clean SEED OUT.wav
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "encoding.hpp"
#include "message_fields.hpp"
#include "noisy_signal.hpp"
#include "number_argument.hpp"
#include "output_file.hpp"
#include "test_audio.hpp"
#include "wav_file.hpp"

namespace {

constexpr std::size_t kSignalSamples = tonepak::kSymbolCount * 8192;  // 162 symbol periods
constexpr double kFullScale = 32767.0;
constexpr double kHeadroomSigmas = 5.0;  // noise peaks beyond 5 sigma are clipped (about 1 in 10^6)

// The samples of tonepak's test audio, as doubles.
std::vector<double> Signal(const tonepak::ChannelSymbols& symbols, double tone_spacing_hz) {
  const std::vector<std::uint8_t> file = tonepak::TestAudioFile(symbols, tone_spacing_hz);
  std::vector<double> samples(tonepak::kSampleCount);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    const std::uint8_t* p = file.data() + tonepak::kAudioHeaderBytes + 2 * n;
    samples[n] = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] << 8 | p[1]));
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  double error_percent = 0.0;
  double snr_db = 0.0;
  std::uint64_t seed = 0;
  const bool clean = argc == 8 && std::string_view(argv[5]) == "clean";
  if (argc != 8 || !measure::ParseNumber(argv[4], error_percent) ||
      !(clean || measure::ParseNumber(argv[5], snr_db)) || !measure::ParseNumber(argv[6], seed)) {
    std::fputs("usage: noisy_wav CALL LOC POWER STEP_ERROR_PERCENT SNR_DB|clean SEED OUT.wav\n",
               stderr);
    return 2;
  }
  const tonepak::MessageFields fields = tonepak::NormaliseMessage(argv[1], argv[2], argv[3]);
  const tonepak::ChannelSymbols symbols = tonepak::EncodeMessage(fields).symbols;
  const double spacing_hz = wspr::kToneSpacingHz * (1.0 + error_percent / 100.0);
  std::vector<double> samples = Signal(symbols, spacing_hz);

  double gain = 1.0;
  if (!clean) {
    const double power = measure::MeanPower({samples.data(), kSignalSamples});
    const double sigma = measure::NoiseSigma(power, snr_db);
    samples = measure::AddWhiteNoise(samples, sigma, seed);
    gain = kFullScale / (kFullScale + kHeadroomSigmas * sigma);
  }
  const std::vector<std::uint8_t> wav =
      measure::WavFile(measure::ToPcm16(samples, gain), wspr::kSampleRateHz);
  if (const auto error = tonepak::WriteWholeFile(argv[7], wav)) {
    std::fprintf(stderr, "noisy_wav: %s\n", error->c_str());
    return 1;
  }
  return 0;
}
