// fst4w_noisy_wav: one period of tonepak's FST4W signal, Gaussian-keyed as WSJT-X sends it or in
// plain tone steps as a DDS given only the tones sends it, in white noise at an SNR in 2500 Hz,
// as a 16-bit WAV file for jt9 -W. --step SCALE makes the tone step SCALE times the true one (1
// is right), as a DDS whose tuning-word step is off does. Used by tools/measure-fst4w-plain and
// tools/measure-jt9-limits.
//   fst4w_noisy_wav [--step SCALE] PERIOD_S gaussian|plain SNR_DB SEED OUT.wav MESSAGE...
#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "beacon_mode.hpp"
#include "fst4w_audio.hpp"
#include "fst4w_encoding.hpp"
#include "noisy_signal.hpp"
#include "number_argument.hpp"
#include "output_file.hpp"
#include "wav_file.hpp"

int main(int argc, char** argv) {
  double step_scale = 1.0;
  bool step_ok = true;
  if (argc > 2 && std::string(argv[1]) == "--step") {
    step_ok = measure::ParseNumber(argv[2], step_scale) && step_scale > 0.0;
    argc -= 2;
    argv += 2;
  }
  int period_s = 0;
  double snr_db = 0.0;
  std::uint64_t seed = 0;
  const std::string keying = argc > 2 ? argv[2] : "";
  const auto mode = argc > 1 && measure::ParseNumber(argv[1], period_s)
                        ? beacon::Fst4wModeOf(period_s)
                        : std::nullopt;
  if (!step_ok || argc < 7 || !mode || (keying != "gaussian" && keying != "plain") ||
      !measure::ParseNumber(argv[3], snr_db) || !measure::ParseNumber(argv[4], seed)) {
    std::fputs(
        "usage: fst4w_noisy_wav [--step SCALE] PERIOD_S gaussian|plain SNR_DB SEED OUT.wav "
        "MESSAGE...\n",
        stderr);
    return 2;
  }
  std::string text;
  for (int i = 6; i < argc; ++i) text += std::string(i > 6 ? " " : "") + argv[i];
  const auto packed = tonepak::fst4w::PackFst4wMessage(text);
  if (const auto* refusal = std::get_if<tonepak::fst4w::PackingRefusal>(&packed)) {
    std::fprintf(stderr, "fst4w_noisy_wav: %s: %s\n", refusal->field.c_str(),
                 refusal->reason.c_str());
    return 2;
  }
  const auto e =
      tonepak::fst4w::EncodeFst4w(std::get<tonepak::fst4w::PackedMessage>(packed), *mode);
  const tonepak::fst4w::Shape shape{
      keying == "plain" ? tonepak::fst4w::Keying::kPlain : tonepak::fst4w::Keying::kGaussian,
      step_scale};
  const std::vector<float> clean = tonepak::fst4w::Fst4wSamples(e.symbols, e.period, 1500.0, shape);
  std::vector<double> samples(clean.begin(), clean.end());

  // The SNR counts the signal's power while it is on the air: a sine of amplitude 1, 0.5.
  const double sigma = measure::NoiseSigma(0.5, snr_db, ::fst4w::kSampleRateHz);
  samples = measure::AddWhiteNoise(samples, sigma, seed);
  // The noise at a tenth of full scale: clipped beyond 10 sigma, never in practice.
  const double gain = 3276.7 / sigma;
  const std::vector<std::uint8_t> wav =
      measure::WavFile(measure::ToPcm16(samples, gain), ::fst4w::kSampleRateHz);
  if (const auto failure = tonepak::WriteWholeFile(argv[5], wav)) {
    std::fprintf(stderr, "fst4w_noisy_wav: %s\n", failure->c_str());
    return 1;
  }
  return 0;
}
