// The WSPR signal's fixed numbers: sample rate, symbol length, tone spacing, symbol count, the
// transmission's length and slot, and the bandwidth its SNR is stated in.
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
inline constexpr double kTransmissionS = kSymbolCount * kSymbolPeriodS;  // 110.592 s on the air
inline constexpr double kSlotS = 120.0;  // transmissions begin at even minutes
// WSJT-X shows DT as the start less one second, for a file that begins at the even minute.
inline constexpr double kDtOffsetS = 1.0;
// WSPR's SNR is the signal over the noise in 2500 Hz.
inline constexpr double kSnrBandwidthHz = 2500.0;

}  // namespace wspr
