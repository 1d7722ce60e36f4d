// Hearing the channel symbols in a.au again: the energy at each of the four tones in every symbol
// period, strongest wins. It shares nothing with the synthesiser but the WSPR numbers.
#include "tone_demodulation.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tonepak {
namespace {

constexpr std::size_t kHeaderBytes = 24;
constexpr std::size_t kGuard = 16;  // keep clear of the sample where the tone changes
constexpr std::size_t kWindow = kSamplesPerSymbol - 2 * kGuard;
// A clear tone has this many times the energy of the next strongest; and more than a tone of
// amplitude 1 would have.
constexpr double kClearRatio = 16.0;
constexpr double kSilence = (kWindow / 2.0) * (kWindow / 2.0);

// Goertzel: power of one frequency over a block of samples.
double TonePower(const std::int16_t* x, std::size_t count, double hz) {
  const double w = 2.0 * std::numbers::pi * hz / wspr::kSampleRateHz;
  const double coeff = 2.0 * std::cos(w);
  double s1 = 0.0;
  double s2 = 0.0;
  for (std::size_t n = 0; n < count; ++n) {
    const double s0 = x[n] + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

struct PeriodTone {
  std::uint8_t symbol = 0;
  bool clear = false;
};

PeriodTone StrongestTone(const std::int16_t* period) {
  std::array<double, 4> power{};
  PeriodTone out;
  for (unsigned tone = 0; tone < 4; ++tone) {
    power[tone] = TonePower(period + kGuard, kWindow, 1500.0 + (tone - 1.5) * wspr::kToneSpacingHz);
    if (power[tone] > power[out.symbol]) out.symbol = static_cast<std::uint8_t>(tone);
  }
  double second = 0.0;
  for (unsigned tone = 0; tone < 4; ++tone) {
    if (tone != out.symbol) second = std::max(second, power[tone]);
  }
  out.clear = power[out.symbol] > kSilence && power[out.symbol] >= kClearRatio * second;
  return out;
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

std::vector<std::int16_t> Samples(std::span<const std::uint8_t> data, std::size_t limit) {
  std::vector<std::int16_t> samples(std::min(data.size() / 2, limit));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<std::int16_t>((data[2 * i] << 8) | data[2 * i + 1]);
  }
  return samples;
}

}  // namespace

std::vector<std::int16_t> AudioSamples(std::span<const std::uint8_t> file) {
  if (file.size() < kHeaderBytes) return {};
  return Samples(file.subspan(kHeaderBytes), file.size());
}

ChannelSymbols DemodulateSymbols(std::span<const std::int16_t> samples) {
  ChannelSymbols symbols{};
  for (std::size_t p = 0; p < kSymbolCount && (p + 1) * kSamplesPerSymbol <= samples.size(); ++p) {
    symbols[p] = StrongestTone(samples.data() + p * kSamplesPerSymbol).symbol;
  }
  return symbols;
}

HeardSymbols HearTestAudio(std::span<const std::uint8_t> file) {
  HeardSymbols out;
  if (file.size() < kHeaderBytes || BigEndian32(file, 0) != 0x2E736E64) {
    out.problem = "not a Sun/NeXT audio file (no \".snd\" header)";
    return out;
  }
  const std::uint32_t offset = BigEndian32(file, 4);
  const std::uint32_t encoding = BigEndian32(file, 12);
  const std::uint32_t rate = BigEndian32(file, 16);
  const std::uint32_t channels = BigEndian32(file, 20);
  if (encoding != 3) {
    out.problem = "audio encoding " + std::to_string(encoding) +
                  "; tonepak's a.au is 16-bit linear PCM (encoding 3)";
  } else if (rate != static_cast<std::uint32_t>(wspr::kSampleRateHz)) {
    out.problem = "sample rate " + std::to_string(rate) + " Hz; tonepak's a.au has 12000 Hz";
  } else if (channels != 1) {
    out.problem = std::to_string(channels) + " channels; tonepak's a.au is mono";
  } else if (offset < kHeaderBytes || offset > file.size()) {
    out.problem = "the sample data would start at byte " + std::to_string(offset) +
                  ", outside the header and the file";
  }
  if (!out.problem.empty()) return out;

  const std::vector<std::int16_t> samples = Samples(file.subspan(offset), kMessageSampleCount);
  if (samples.size() < kMessageSampleCount) {
    out.problem = "it holds " + std::to_string(samples.size()) + " samples, the 162 symbols need " +
                  std::to_string(kMessageSampleCount) + ": the file is cut short";
    return out;
  }
  ChannelSymbols symbols{};
  std::size_t unclear = 0;
  std::size_t first_unclear = 0;
  for (std::size_t p = 0; p < kSymbolCount; ++p) {
    const PeriodTone tone = StrongestTone(samples.data() + p * kSamplesPerSymbol);
    symbols[p] = tone.symbol;
    if (!tone.clear && unclear++ == 0) first_unclear = p;
  }
  if (unclear > 0) {
    out.problem =
        "symbol period " + std::to_string(first_unclear) +
        " holds no clear one of the four WSPR tones around 1500 Hz" +
        (unclear > 1 ? " (" + std::to_string(unclear) + " of the 162 periods hold none)" : "");
    return out;
  }
  out.symbols = symbols;
  return out;
}

}  // namespace tonepak
