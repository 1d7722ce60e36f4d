// The numbers of a WSPR transmission on the air, as the receiver sees them.
#pragma once

#include <cstddef>

namespace beaconcheck {

inline constexpr std::size_t kSymbols = 162;
inline constexpr double kSymbolS = 8192.0 / 12000.0;           // 0.682666... s
inline constexpr double kToneStepHz = 12000.0 / 8192.0;        // 1.46484375 Hz
inline constexpr double kTransmissionS = kSymbols * kSymbolS;  // 110.592 s
// WSJT-X shows DT as the start less one second, for a file that begins at the even minute.
inline constexpr double kDtOffsetS = 1.0;
inline constexpr double kSlotS = 120.0;  // transmissions begin at even minutes
// WSPR's SNR is the signal over the noise in 2500 Hz.
inline constexpr double kSnrBandwidthHz = 2500.0;
// The window of audio the WSPR band occupies with the dial at the band's WSPR frequency.
inline constexpr double kWindowLowHz = 1400.0;
inline constexpr double kWindowHighHz = 1600.0;

}  // namespace beaconcheck
