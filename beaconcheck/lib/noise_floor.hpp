// The noise a transmission is measured against, taken where no signal is: the quietest
// frequencies around it, not the tones beside it, where a crowded band's neighbours are.
#pragma once

#include "baseband.hpp"
#include "track.hpp"

namespace beaconcheck {

// Frequencies up to this far either side of the track's tones are looked at: about half of a
// 375 Hz baseband, the rest of it falling off too far (the passband is put right).
inline constexpr double kNoiseSpanHz = 90.0;
// The share of them taken as the quiet ones.
inline constexpr double kQuietShare = 0.2;

// The mean noise power in one tone of one slot of `track` (the units TonePowers gives), at the
// track's own frequency: each frequency's power averaged over the slots, the quietest
// kQuietShare of them (the track's own tones and 4 Hz around them left out, each slot tapered
// so that a strong neighbour's side lobes stay near it), put right for
// the bias that taking the quiet ones gives and for the band's passband.
double QuietNoisePower(const Baseband& baseband, const Track& track);

}  // namespace beaconcheck
