// A recording as read from a file: audio samples at their rate, or wsprd's complex baseband.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace beaconcheck {

// Longest recording analysed: 30 minutes and a little slack for a recorder's late stop.
inline constexpr double kLongestRecordingS = 1830.0;
inline constexpr double kLowestSampleRateHz = 8000.0;
inline constexpr double kHighestSampleRateHz = 192000.0;

// One channel of samples. Audio from a receiver is real; a .c2 file holds complex samples
// of the band around `centre_hz` of audio (wsprd mixes 1500 Hz down to 0 Hz).
struct Recording {
  double sample_rate_hz = 0.0;
  std::vector<float> audio;                   // real samples, when `baseband` is empty
  std::vector<std::complex<float>> baseband;  // complex samples, when `audio` is empty
  double centre_hz = 0.0;                     // audio frequency of the baseband's 0 Hz
  double dial_mhz = 0.0;                      // the dial frequency a .c2 file states, else 0

  bool IsComplex() const { return !baseband.empty(); }
  std::size_t SampleCount() const { return IsComplex() ? baseband.size() : audio.size(); }
  double Seconds() const { return static_cast<double>(SampleCount()) / sample_rate_hz; }
};

// A recording, or the one-line reason it cannot be read.
struct ReadResult {
  std::optional<Recording> recording;
  std::string problem;
};

}  // namespace beaconcheck
