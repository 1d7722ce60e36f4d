// FST4W's waveform: the 160 symbols as continuous-phase four-tone keying with WSJT-X's Gaussian
// smoothing of each tone change, a period long at 12000 samples a second, and a.au made of it.
#include "fst4w_audio.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "test_audio.hpp"

namespace tonepak::fst4w {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kAmplitude = 32767.0;

// The tone of symbol j, with the first tone held for one symbol before the frame and the last
// for one after it, so that the smoothing at the edges settles on them.
int ToneAt(const ChannelSymbols& symbols, std::ptrdiff_t j) {
  const auto last = static_cast<std::ptrdiff_t>(kSymbolCount) - 1;
  return symbols[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(j, 0, last))] & 3;
}

// The frequency in tone steps at each sample of the transmission: every symbol's tone spread
// by the pulse over three symbol periods, or held flat over its own period when plain.
std::vector<double> ToneTrack(const ChannelSymbols& symbols, std::size_t nsps, Keying keying) {
  const std::size_t length = kSymbolCount * nsps;
  std::vector<double> track(length, 0.0);
  if (keying == Keying::kPlain) {
    for (std::size_t k = 0; k < length; ++k) track[k] = symbols[k / nsps] & 3;
    return track;
  }
  // The pulse sampled at the sample's end: sample i of a symbol's three periods lies
  // (i + 1 - 1.5 nsps) / nsps symbols from its centre, as WSJT-X samples it.
  std::vector<double> pulse(3 * nsps);
  for (std::size_t i = 0; i < pulse.size(); ++i) {
    pulse[i] = GaussianPulse((static_cast<double>(i) + 1.0 - 1.5 * static_cast<double>(nsps)) /
                             static_cast<double>(nsps));
  }
  // Symbol j's pulse starts a symbol period before its own period.
  const auto n = static_cast<std::ptrdiff_t>(nsps);
  for (std::ptrdiff_t j = -1; j <= static_cast<std::ptrdiff_t>(kSymbolCount); ++j) {
    const int tone = ToneAt(symbols, j);
    if (tone == 0) continue;
    const std::ptrdiff_t begin = (j - 1) * n;
    for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(0, -begin);
         i < 3 * n && begin + i < static_cast<std::ptrdiff_t>(length); ++i) {
      track[static_cast<std::size_t>(begin + i)] += tone * pulse[static_cast<std::size_t>(i)];
    }
  }
  return track;
}

}  // namespace

double GaussianPulse(double t_symbols) {
  // c * BT, with c = pi * sqrt(2 / ln 2) turning the bandwidth-time product into the Gaussian's
  // spread in symbols.
  const double c = std::numbers::pi * std::sqrt(2.0 / std::numbers::ln2) * ::fst4w::kGaussianBt;
  return 0.5 * (std::erf(c * (t_symbols + 0.5)) - std::erf(c * (t_symbols - 0.5)));
}

std::vector<float> Fst4wSamples(const ChannelSymbols& symbols, const ::fst4w::Period& period,
                                double tone_zero_hz, Shape shape) {
  const std::size_t nsps = period.samples_per_symbol;
  const auto total = static_cast<std::size_t>(period.seconds) * ::fst4w::kSampleRateHz;
  const auto start =
      static_cast<std::size_t>(std::lround(::fst4w::kStartS * ::fst4w::kSampleRateHz));
  std::vector<float> samples(total, 0.0F);

  const std::vector<double> track = ToneTrack(symbols, nsps, shape.keying);
  const double dt = 1.0 / ::fst4w::kSampleRateHz;
  const double step_phase = kTwoPi * ::fst4w::ToneStepHz(period) * shape.step_scale * dt;
  const double carrier_phase = kTwoPi * tone_zero_hz * dt;
  // The phase starts at 0 and each sample is the sine before the step, as WSJT-X's generator is.
  double phase = 0.0;
  const std::size_t ramp =
      shape.keying == Keying::kGaussian
          ? static_cast<std::size_t>(std::lround(static_cast<double>(nsps) / 4.0))
          : 0;
  for (std::size_t k = 0; k < track.size() && start + k < total; ++k) {
    double value = std::sin(phase);
    // The first and last quarter symbol rise and fall as a raised cosine.
    if (k < ramp) {
      value *=
          (1.0 - std::cos(kTwoPi * static_cast<double>(k) / (2.0 * static_cast<double>(ramp)))) /
          2.0;
    } else if (k + ramp >= track.size()) {
      const std::size_t i = k + ramp - track.size();
      value *=
          (1.0 + std::cos(kTwoPi * static_cast<double>(i) / (2.0 * static_cast<double>(ramp)))) /
          2.0;
    }
    samples[start + k] = static_cast<float>(value);
    phase = std::fmod(phase + carrier_phase + step_phase * track[k], kTwoPi);
  }
  return samples;
}

std::vector<std::uint8_t> Fst4wAudioFile(const ChannelSymbols& symbols,
                                         const ::fst4w::Period& period) {
  const std::vector<float> samples = Fst4wSamples(symbols, period);
  std::vector<std::uint8_t> file(kAudioHeaderBytes + 2 * samples.size(), 0);
  std::copy(kAudioHeader.begin(), kAudioHeader.end(), file.begin());
  std::uint8_t* out = file.data() + kAudioHeaderBytes;
  for (const float sample : samples) {
    const auto v = static_cast<std::int16_t>(std::lround(sample * kAmplitude));
    const auto u = static_cast<std::uint16_t>(v);
    *out++ = static_cast<std::uint8_t>(u >> 8);
    *out++ = static_cast<std::uint8_t>(u & 0xFF);
  }
  return file;
}

}  // namespace tonepak::fst4w
