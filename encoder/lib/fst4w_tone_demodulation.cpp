// FST4W's a.au heard again. Over a whole symbol the four tones are orthogonal; the Gaussian
// keying spills a little of each neighbour into a symbol's edges, never a quarter of its power.
#include "fst4w_tone_demodulation.hpp"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "fst4w_audio.hpp"
#include "tone_demodulation.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::array<beacon::Mode, 4> kModes{beacon::Mode::kFst4w120, beacon::Mode::kFst4w300,
                                             beacon::Mode::kFst4w900, beacon::Mode::kFst4w1800};

// The header's fields, big-endian words: data offset, size, encoding (3: 16-bit linear), rate
// and channels.
bool HeaderFits(std::span<const std::uint8_t> file) {
  if (file.size() < 24 || file[0] != '.' || file[1] != 's' || file[2] != 'n' || file[3] != 'd') {
    return false;
  }
  const auto word = [&](std::size_t at) {
    return (std::uint32_t{file[at]} << 24U) | (std::uint32_t{file[at + 1]} << 16U) |
           (std::uint32_t{file[at + 2]} << 8U) | std::uint32_t{file[at + 3]};
  };
  return word(4) == 24 && word(12) == 3 &&
         word(16) == static_cast<std::uint32_t>(::fst4w::kSampleRateHz) && word(20) == 1;
}

double PowerAt(std::span<const std::int16_t> samples, std::size_t begin, std::size_t count,
               double hz) {
  const double step = 2.0 * std::numbers::pi * hz / ::fst4w::kSampleRateHz;
  double re = 0.0;
  double im = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double phase = step * static_cast<double>(begin + i);
    re += samples[begin + i] * std::cos(phase);
    im -= samples[begin + i] * std::sin(phase);
  }
  return re * re + im * im;
}

}  // namespace

std::optional<beacon::Mode> Fst4wModeOfSampleCount(std::size_t samples) {
  for (beacon::Mode mode : kModes) {
    const auto period = beacon::Fst4wPeriodOf(mode);
    if (samples == static_cast<std::size_t>(period->seconds) * ::fst4w::kSampleRateHz) {
      return mode;
    }
  }
  return std::nullopt;
}

HeardFst4w HearFst4wTestAudio(std::span<const std::uint8_t> file) {
  HeardFst4w heard;
  if (!HeaderFits(file)) {
    heard.problem = "it is not 16-bit mono audio at 12000 Hz";
    return heard;
  }
  const std::vector<std::int16_t> samples = AudioSamples(file);
  heard.mode = Fst4wModeOfSampleCount(samples.size());
  if (!heard.mode) {
    heard.problem = "its length, " + std::to_string(samples.size()) +
                    " samples, is no FST4W period of 120, 300, 900 or 1800 s";
    return heard;
  }
  const ::fst4w::Period period = *beacon::Fst4wPeriodOf(*heard.mode);
  const std::size_t nsps = period.samples_per_symbol;
  const auto start = static_cast<std::size_t>(::fst4w::kStartS * ::fst4w::kSampleRateHz);
  ChannelSymbols symbols{};
  for (std::size_t n = 0; n < kSymbolCount; ++n) {
    const std::size_t begin = start + n * nsps;
    std::array<double, 4> power{};
    for (unsigned tone = 0; tone < 4; ++tone) {
      power[tone] = PowerAt(samples, begin, nsps, ToneHz(tone, period, kAudioToneZeroHz));
    }
    unsigned best = 0;
    for (unsigned tone = 1; tone < 4; ++tone) {
      best = power[tone] > power[best] ? tone : best;
    }
    // A clear tone stands far above the other three; silence or noise does not.
    for (unsigned tone = 0; tone < 4; ++tone) {
      if (tone != best && power[tone] * 4.0 > power[best]) {
        heard.problem = "symbol " + std::to_string(n + 1) + " holds no clear FST4W tone";
        return heard;
      }
    }
    symbols[n] = static_cast<std::uint8_t>(best);
  }
  heard.symbols = symbols;
  return heard;
}

}  // namespace tonepak::fst4w
