// A steady carrier: one tone that stays on, with no step and no symbols (mains hum, a birdie,
// a beacon whose firmware sends one tone only).
#pragma once

namespace beaconcheck {

struct Carrier {
  double frequency_hz = 0.0;  // audio, at the middle of the time it is heard
  double start_s = 0.0;       // where it comes on, from the start of the file
  double seconds = 0.0;       // how long it is heard
  double snr_db = 0.0;        // its power over the noise in 2500 Hz
};

}  // namespace beaconcheck
