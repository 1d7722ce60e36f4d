// The WSPR window and the room around it as one complex band: searched finely, and where the
// decoded signals are taken out.
#pragma once

#include "recording.hpp"
#include "wspr_bands.hpp"

namespace beaconcheck {

// About 750 samples a second: a symbol is 512 of them at 12000 Hz, and the three running sums
// keep +-200 Hz within 3.2 dB (put right by the passband's gain) with what folds onto the
// middle 200 Hz down by 49 dB.
inline constexpr double kWindowBandRateHz = 750.0;
inline constexpr double kWindowBandCentreHz = wspr::kWindowCentreHz;
// Tone 0 is searched for in the band from here to there; the rest of the audio coarsely.
inline constexpr double kFineLowHz = 1300.0;
inline constexpr double kFineHighHz = 1700.0;

// The band around 1500 Hz of audio mixed down; a recording that is complex already (wsprd's
// .c2 file) as it is.
Recording WindowBand(const Recording& recording);

// Whether tone 0 at `hz` belongs to the fine search of `band`.
bool InFineSearch(const Recording& band, double hz);

}  // namespace beaconcheck
