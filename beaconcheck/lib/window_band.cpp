// The window's band: the recording mixed down once for all passes.
#include "window_band.hpp"

#include <algorithm>

#include "baseband.hpp"

namespace beaconcheck {

Recording WindowBand(const Recording& recording) {
  if (recording.IsComplex() && recording.sample_rate_hz <= 2.0 * kWindowBandRateHz) {
    return recording;
  }
  return AsRecording(MixDown(recording, kWindowBandCentreHz, recording.first_s,
                             recording.first_s + recording.Seconds() + 1.0, kWindowBandRateHz));
}

bool InFineSearch(const Recording& band, double hz) {
  const double low = std::max(kFineLowHz, band.centre_hz - band.sample_rate_hz / 2.0);
  const double high = std::min(kFineHighHz, band.centre_hz + band.sample_rate_hz / 2.0);
  return hz >= low && hz < high;
}

}  // namespace beaconcheck
