// Tests of a.au: its header and length, its first samples, and an independent demodulation of the
// whole signal back into the channel symbols.
#include "test_audio.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "encoding.hpp"
#include "message_fields.hpp"
#include "tone_demodulation.hpp"

namespace tonepak {
namespace {

ChannelSymbols Symbols(const char* call, const char* loc, const char* power) {
  return EncodeMessage(NormaliseMessage(call, loc, power)).symbols;
}

// The bits of a double (std::bit_cast, which Emscripten's C++ library lacks).
std::uint64_t Bits(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

ChannelSymbols Filled(std::uint8_t value) {
  ChannelSymbols s{};
  s.fill(value);
  return s;
}

TEST(TestAudioTest, TimingConstantsAreTheNearestDoubles) {
  EXPECT_EQ(Bits(kSampleIntervalS), 0x3F15D867C3ECE2A5u);
  EXPECT_EQ(Bits(wspr::kSymbolPeriodS), 0x3FE5D867C3ECE2A5u);
}

TEST(TestAudioTest, HeaderAndLengthWhateverTheMessage) {
  const std::vector<std::uint8_t> expected_header = {
      0x2E, 0x73, 0x6E, 0x64, 0x00, 0x00, 0x00, 0x18, 0xFF, 0xFF, 0xFF, 0xFF,
      0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x2E, 0xE0, 0x00, 0x00, 0x00, 0x01};
  for (const ChannelSymbols& s : {Filled(0), Filled(3), Symbols("Q1ABC", "AA00", "10")}) {
    const auto file = TestAudioFile(s);
    ASSERT_EQ(file.size(), 2'880'024u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 24), expected_header);
  }
}

TEST(TestAudioTest, FirstSamplesOfTheExampleAreTheNominalTopTone) {
  // Symbol 0 of ' Q1ABC' AA00 10 is 3: 1502.197265625 Hz, starting one phase step in.
  const auto file = TestAudioFile(Symbols("Q1ABC", "AA00", "10"));
  const std::vector<std::uint8_t> expected = {0x5A, 0x9C, 0x7F, 0xFE, 0x5A, 0x31, 0xFF, 0x6A,
                                              0xA4, 0xFA, 0x80, 0x02, 0xA6, 0x3A, 0x01, 0x2D};
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 24, file.begin() + 40), expected);
}

TEST(TestAudioTest, EachToneSoundsAtItsNominalFrequency) {
  // Count rising zero crossings over the 162 symbol periods of a one-tone message.
  const double nominal[] = {1497.802734375, 1499.267578125, 1500.732421875, 1502.197265625};
  for (std::uint8_t v = 0; v < 4; ++v) {
    const std::vector<std::int16_t> samples = AudioSamples(TestAudioFile(Filled(v)));
    std::size_t first = 0, last = 0, crossings = 0;
    for (std::size_t n = 1; n < kMessageSampleCount - 8; ++n) {
      if (samples[n - 1] < 0 && samples[n] >= 0) {
        if (crossings == 0) first = n;
        last = n;
        ++crossings;
      }
    }
    const double hz =
        static_cast<double>(crossings - 1) / (static_cast<double>(last - first) / 12000.0);
    EXPECT_NEAR(hz, nominal[v], 0.01) << "symbol " << int{v};
  }
}

TEST(TestAudioTest, DemodulatesBackToTheChannelSymbols) {
  for (const ChannelSymbols& sent :
       {Symbols("Q1ABC", "AA00", "10"), Symbols("QA1BCD", "LL55", "37"), Filled(0), Filled(3)}) {
    const std::vector<std::int16_t> samples = AudioSamples(TestAudioFile(sent));
    EXPECT_EQ(DemodulateSymbols(samples), sent);
  }
}

TEST(TestAudioTest, SilentAfterTheLastSymbolAndNeverFullNegativeScale) {
  const std::vector<std::int16_t> samples = AudioSamples(TestAudioFile(Filled(2)));
  ASSERT_EQ(samples.size(), kSampleCount);
  // 162 * T is reached at sample 1,327,103 or 1,327,104; from there on, nothing.
  for (std::size_t n = kMessageSampleCount; n < samples.size(); ++n) ASSERT_EQ(samples[n], 0) << n;
  int peak = 0;
  for (std::size_t n = 0; n + 1 < kMessageSampleCount; ++n) {
    ASSERT_NE(samples[n], -32768);
    peak = std::max(peak, std::abs(int{samples[n]}));
  }
  EXPECT_GE(peak, 32760);  // full scale, no ramp
}

TEST(TestAudioTest, TwoRunsGiveIdenticalFiles) {
  const ChannelSymbols s = Symbols("QA1BCD", "LL55", "37");
  EXPECT_EQ(TestAudioFile(s), TestAudioFile(s));
}

}  // namespace
}  // namespace tonepak
