// The WSPR bands: each band's USB dial frequency as WSPR software lists it, and the 200 Hz window
// above the dial in which WSPR transmits.
#pragma once

#include <array>
#include <string_view>

namespace wspr {

// A band's WSPR dial frequency. Its transmit window runs from dial + 1400 Hz to dial + 1600 Hz;
// a beacon centres its four tones on dial + 1500 Hz.
struct WsprBand {
  std::string_view name;   // "40m", "70cm": what tunecalc --band takes and the JSON reports show
  std::string_view label;  // "40 m", "70 cm": what the texts show
  double dialHz;
};

inline constexpr double kWindowLowHz = 1400.0;     // above the dial
inline constexpr double kWindowHighHz = 1600.0;    // above the dial
inline constexpr double kWindowCentreHz = 1500.0;  // above the dial

// The 17 bands in rising dial frequency, from WSJT-X's default frequency list. A band with more
// than one dial has its most used one first: 80 m keeps the older 3.5926 MHz and 60 m the
// 5.3647 MHz channel after them, both still used in some regions.
inline constexpr std::array<WsprBand, 19> kWsprBands{{
    {"2200m", "2200 m", 136000.0},   {"630m", "630 m", 474200.0}, {"160m", "160 m", 1836600.0},
    {"80m", "80 m", 3568600.0},      {"80m", "80 m", 3592600.0},  {"60m", "60 m", 5287200.0},
    {"60m", "60 m", 5364700.0},      {"40m", "40 m", 7038600.0},  {"30m", "30 m", 10138700.0},
    {"20m", "20 m", 14095600.0},     {"17m", "17 m", 18104600.0}, {"15m", "15 m", 21094600.0},
    {"12m", "12 m", 24924600.0},     {"10m", "10 m", 28124600.0}, {"6m", "6 m", 50293000.0},
    {"4m", "4 m", 70091000.0},       {"2m", "2 m", 144489000.0},  {"70cm", "70 cm", 432300000.0},
    {"23cm", "23 cm", 1296500000.0},
}};

// The table's entry whose dial a receiver's dial is, within half a kilohertz; nothing for a dial
// on no band. Of a band's two dials this is the one named.
constexpr const WsprBand* BandAtDial(double dial_hz) {
  constexpr double kToleranceHz = 500.0;
  for (const WsprBand& band : kWsprBands) {
    if (band.dialHz - dial_hz < kToleranceHz && dial_hz - band.dialHz < kToleranceHz) {
      return &band;
    }
  }
  return nullptr;
}

// Whether an entry is its band's first, most used dial.
constexpr bool IsFirstDial(const WsprBand& entry) {
  for (const WsprBand& band : kWsprBands) {
    if (band.name == entry.name) return &band == &entry;
  }
  return false;
}

}  // namespace wspr
