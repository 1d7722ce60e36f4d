// a.au: two minutes of the four-tone WSPR signal around 1500 Hz, for playing into a decoder.
#include "test_audio.hpp"

#include <array>
#include <cmath>
#include <numbers>

namespace tonepak {
namespace {

constexpr double kAmplitude = 32767.0;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

std::vector<std::uint8_t> TestAudioFile(const ChannelSymbols& symbols, double tone_spacing_hz) {
  std::vector<std::uint8_t> file(kTestAudioFileBytes, 0);
  std::copy(kAudioHeader.begin(), kAudioHeader.end(), file.begin());

  // The time is accumulated, not n * dt: symbol changes fall where a beacon that counts the same
  // way would make them, at sample 8192 * m - 1 or 8192 * m.
  double sample_time = 0.0;
  double tone_phase = 0.0;  // never wrapped: the phase runs on across symbol changes
  double phase_step = 0.0;
  std::size_t current_symbol = kSymbolCount;  // none yet
  std::uint8_t* out = file.data() + kAudioHeaderBytes;
  for (std::size_t n = 0; n < kSampleCount; ++n, out += 2) {
    sample_time += kSampleIntervalS;
    const auto k = static_cast<std::size_t>(sample_time / wspr::kSymbolPeriodS);
    if (k >= kSymbolCount) break;  // the message is over: silence (already zero) to the end
    if (k != current_symbol) {
      current_symbol = k;
      phase_step = (kTwoPi * kSampleIntervalS) * ToneHz(symbols[k] & 3U, tone_spacing_hz);
    }
    tone_phase += phase_step;
    const auto v = static_cast<std::int16_t>(std::sin(tone_phase) * kAmplitude);
    const auto u = static_cast<std::uint16_t>(v);
    out[0] = static_cast<std::uint8_t>(u >> 8);
    out[1] = static_cast<std::uint8_t>(u & 0xFF);
  }
  return file;
}

}  // namespace tonepak
