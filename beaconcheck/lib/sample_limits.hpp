// The sample rates and lengths beaconcheck reads, and the sentence for one outside them.
#pragma once

#include <cstddef>
#include <string>

#include "recording.hpp"

namespace beaconcheck {

// Empty when the rate lies between 8000 and 192000 Hz.
inline std::string SampleRateProblem(double rate_hz) {
  if (rate_hz >= kLowestSampleRateHz && rate_hz <= kHighestSampleRateHz) return {};
  return "its sample rate of " + std::to_string(static_cast<long long>(rate_hz)) +
         " Hz is outside 8000 to 192000 Hz";
}

// Empty when `frames` at `rate_hz` last no longer than 30 minutes.
inline std::string LengthProblem(std::size_t frames, double rate_hz) {
  if (static_cast<double>(frames) / rate_hz <= kLongestRecordingS) return {};
  return "it is longer than 30 minutes";
}

}  // namespace beaconcheck
