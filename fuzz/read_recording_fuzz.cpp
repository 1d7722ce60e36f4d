// Fuzz target: any bytes as a recording. The reader must not crash or hang, and whatever it
// accepts must hold together: a rate in range, no more than 30 minutes, finite samples.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "c2_reading.hpp"
#include "recording_reading.hpp"

namespace {

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "read_recording_fuzz: invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const beaconcheck::ReadResult read = beaconcheck::ReadRecording(std::span(data, size));
  Check(read.recording.has_value() == read.problem.empty(),
        "a recording and a problem, or neither");
  if (!read.recording) return 0;
  const beaconcheck::Recording& r = *read.recording;
  // Audio at a rate in range; wsprd's .c2 band at its own 375 Hz.
  Check(r.IsComplex() ? r.sample_rate_hz == beaconcheck::kC2SampleRateHz
                      : r.sample_rate_hz >= beaconcheck::kLowestSampleRateHz &&
                            r.sample_rate_hz <= beaconcheck::kHighestSampleRateHz,
        "a sample rate in range");
  Check(r.Seconds() <= beaconcheck::kLongestRecordingS, "no longer than 30 minutes");
  Check(r.SampleCount() <= size, "no more samples than bytes");
  for (const float s : r.audio) Check(std::isfinite(s), "finite audio samples");
  for (const auto& s : r.baseband)
    Check(std::isfinite(s.real()) && std::isfinite(s.imag()), "finite baseband");
  return 0;
}
