// One transmission's neighbourhood mixed down to complex baseband at about 375 Hz.
#pragma once

#include <complex>
#include <vector>

#include "recording.hpp"

namespace beaconcheck {

inline constexpr double kBasebandRateHz = 375.0;  // 256 samples a symbol

struct Baseband {
  double rate_hz = 0.0;
  double centre_hz = 0.0;             // audio frequency mixed to 0 Hz
  double first_s = 0.0;               // time of samples[0] from the start of the recording
  bool from_recording_start = false;  // nothing of the recording lies before samples[0]
  bool to_recording_end = false;      // nor after the last sample
  std::vector<std::complex<float>> samples;
  std::vector<MixStage> mixed;  // every stage from the recording's own samples to these

  // Power gain at `audio_hz` (1 at the centre): a level read away from the centre is divided
  // by it.
  double GainAt(double audio_hz) const { return PassbandGain(mixed, audio_hz); }
  double TimeS(std::size_t n) const { return first_s + static_cast<double>(n) / rate_hz; }
};

// The recording from `begin_s` to `end_s` (clipped to it) with `centre_hz` mixed to 0 Hz and
// decimated to about `rate_hz` (375 Hz unless asked) by three cascaded running sums, which keep
// +-rate/6 flat within 0.2 dB and put their nulls on the frequencies that would fold onto it.
Baseband MixDown(const Recording& recording, double centre_hz, double begin_s, double end_s,
                 double rate_hz = kBasebandRateHz);

// A baseband mixed down again by `factor` around its own centre: for the fits that look at the
// few hertz a transmission's tones occupy.
Baseband Narrowed(const Baseband& baseband, std::size_t factor = 4);

// A band mixed down, as a recording of complex samples that can be searched and mixed down
// again (its time and its passband carried along).
Recording AsRecording(Baseband band);

}  // namespace beaconcheck
