// The FST4W bands: the USB dial frequencies WSJT-X 2.6 lists for FST4W, and the window above the
// dial that jt9 searches with WSJT-X's FST4W settings.
#pragma once

#include <array>

#include "wspr_bands.hpp"

namespace fst4w {

// WSJT-X's default frequency list gives FST4W 2200 m and 630 m, on the WSPR dials, and 160 m,
// 200 Hz above WSPR's. No other band has an FST4W dial there.
inline constexpr std::array<wspr::WsprBand, 3> kFst4wBands{{
    {"2200m", "2200 m", 136000.0},
    {"630m", "630 m", 474200.0},
    {"160m", "160 m", 1836800.0},
}};

// WSJT-X listens for FST4W at 1500 Hz with a tolerance of 100 Hz (jt9 -f 1500 -F 100), which
// jt9 reads as tone 0 between dial + 1400 and dial + 1600 Hz (data/jt9_limits.tsv measures where
// it really stops). A beacon puts its four tones in that window.
inline constexpr double kWindowLowHz = 1400.0;     // above the dial
inline constexpr double kWindowHighHz = 1600.0;    // above the dial
inline constexpr double kWindowCentreHz = 1500.0;  // above the dial: tone 0, as jt9 shows it

}  // namespace fst4w
