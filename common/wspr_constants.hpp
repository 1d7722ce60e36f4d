// The WSPR signal's fixed numbers: sample rate, symbol length, tone spacing, symbol count.
#pragma once

#include <cstddef>

namespace wspr {

inline constexpr std::size_t kSymbolCount = 162;            // channel symbols in one transmission
inline constexpr int kSampleRateHz = 12000;                 // the rate WSPR's timing is counted in
inline constexpr std::size_t kSamplesPerSymbol = 8192;      // one symbol at 12000 samples a second
inline constexpr double kSymbolPeriodS = 8192.0 / 12000.0;  // 0.682666... s
inline constexpr double kToneSpacingHz = 12000.0 / 8192.0;  // 1.46484375 Hz, one over the period
// Tone 0 lies one and a half spacings below the centre of the four tones: 2.197265625 Hz.
inline constexpr double kLowToneOffsetHz = 1.5 * kToneSpacingHz;

}  // namespace wspr
