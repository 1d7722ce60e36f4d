// a.au: two minutes of the four-tone WSPR signal around 1500 Hz, for playing into a decoder.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "wspr_constants.hpp"
#include "wspr_types.hpp"

namespace tonepak {

inline constexpr std::size_t kSampleCount = 1'440'000;  // 120 s, one WSPR transmission period
inline constexpr std::size_t kAudioHeaderBytes = 24;
inline constexpr std::size_t kTestAudioFileBytes = kAudioHeaderBytes + 2 * kSampleCount;

// The Sun/NeXT header every a.au starts with, WSPR's and FST4W's.
inline constexpr std::array<std::uint8_t, kAudioHeaderBytes> kAudioHeader = {
    0x2E, 0x73, 0x6E, 0x64,  // ".snd"
    0x00, 0x00, 0x00, 0x18,  // sample data starts after these 24 bytes
    0xFF, 0xFF, 0xFF, 0xFF,  // data size not given
    0x00, 0x00, 0x00, 0x03,  // 16-bit linear PCM
    0x00, 0x00, 0x2E, 0xE0,  // 12000 samples per second
    0x00, 0x00, 0x00, 0x01,  // mono
};

inline constexpr double kSampleIntervalS = 1.0 / wspr::kSampleRateHz;  // dt
inline constexpr double kCentreHz = 1500.0;

// Tone of a symbol value 0..3, centred on 1500 Hz: 1497.802734375 Hz up to 1502.197265625 Hz at
// the nominal spacing.
constexpr double ToneHz(unsigned symbol, double tone_spacing_hz = wspr::kToneSpacingHz) {
  return (symbol - 1.5) * tone_spacing_hz + kCentreHz;
}

// The whole file: a 24-byte Sun/NeXT header (".snd", 16-bit linear PCM, 12000 Hz, mono, size not
// given) and 1,440,000 big-endian samples of continuous-phase 4-FSK at amplitude 32767.
// Symbol period p sounds symbol p; after the 162nd period the rest of the two minutes is silence.
// A tone spacing other than the nominal one imitates a DDS whose tuning-word step is off, for
// measuring how far off a decoder still follows.
std::vector<std::uint8_t> TestAudioFile(const ChannelSymbols& symbols,
                                        double tone_spacing_hz = wspr::kToneSpacingHz);

}  // namespace tonepak
