// FST4W's fixed numbers: its four periods and the length of their symbols, the frame of 160
// four-tone symbols with its five sync groups, the code's sizes and the Gaussian keying.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace fst4w {

inline constexpr int kSampleRateHz = 12000;  // the rate FST4W's timing is counted in

// The frame: s8 d30 s8 d30 s8 d30 s8 d30 s8, 40 sync symbols and 120 data symbols.
inline constexpr std::size_t kSymbolCount = 160;
inline constexpr std::size_t kDataSymbolCount = 120;
inline constexpr std::size_t kSyncLength = 8;
inline constexpr std::size_t kDataRunLength = 30;
inline constexpr std::array<std::size_t, 5> kSyncStarts{0, 38, 76, 114, 152};
// Groups one, three and five send word A, groups two and four word B.
inline constexpr std::array<std::uint8_t, kSyncLength> kSyncWordA{0, 1, 3, 2, 1, 0, 2, 3};
inline constexpr std::array<std::uint8_t, kSyncLength> kSyncWordB{2, 3, 1, 0, 3, 2, 0, 1};

// Two code bits a symbol, the first the high bit, Gray mapped: 00 -> 0, 01 -> 1, 11 -> 2, 10 -> 3.
inline constexpr std::array<std::uint8_t, 4> kGrayTone{0, 1, 3, 2};

// The message: 50 bits, a 24-bit CRC after them, and the LDPC (240,74) code over the 74.
inline constexpr std::size_t kMessageBitCount = 50;
inline constexpr std::size_t kCrcBitCount = 24;
inline constexpr std::size_t kInfoBitCount = 74;
inline constexpr std::size_t kCodewordBitCount = 240;
inline constexpr std::size_t kParityCheckCount = 166;

// The transmission starts one second into its period.
inline constexpr double kStartS = 1.0;
// WSJT-X smooths each tone change with a Gaussian frequency pulse of bandwidth-time product 2,
// and ramps the first and last quarter symbol up and down.
inline constexpr double kGaussianBt = 2.0;
// FST4W's SNR is the signal over the noise in 2500 Hz, as WSPR's is.
inline constexpr double kSnrBandwidthHz = 2500.0;

// One of FST4W's periods: how long it is and how long each of its symbols lasts.
struct Period {
  int seconds;                     // 120, 300, 900 or 1800: the T/R period
  std::size_t samples_per_symbol;  // at 12000 samples a second
};

inline constexpr std::array<Period, 4> kPeriods{{
    {120, 8200},
    {300, 21504},
    {900, 66560},
    {1800, 134400},
}};

// The tone step is one over the symbol period: 1.4634 Hz at 120 s down to 0.0893 Hz at 1800 s.
constexpr double ToneStepHz(const Period& period) {
  return static_cast<double>(kSampleRateHz) / static_cast<double>(period.samples_per_symbol);
}
constexpr double SymbolPeriodS(const Period& period) {
  return static_cast<double>(period.samples_per_symbol) / static_cast<double>(kSampleRateHz);
}
// On the air: 109.33 s of a 120 s period, up to 1792 s of 1800 s.
constexpr double TransmissionS(const Period& period) {
  return static_cast<double>(kSymbolCount) * SymbolPeriodS(period);
}

}  // namespace fst4w
