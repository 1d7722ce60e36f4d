// A recording as read from a file: audio samples at their rate, or wsprd's complex baseband.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace beaconcheck {

// Longest recording analysed: 30 minutes and a little slack for a recorder's late stop.
inline constexpr double kLongestRecordingS = 1830.0;
inline constexpr double kLowestSampleRateHz = 8000.0;
inline constexpr double kHighestSampleRateHz = 192000.0;

// One mixing and decimating stage a band went through: its 0 Hz was `centre_hz` of audio, and
// `factor` samples at `input_rate_hz` were summed into one, three times over.
struct MixStage {
  double centre_hz = 0.0;
  double input_rate_hz = 0.0;
  std::size_t factor = 1;
};

// The power gain (1 at the centre) at `audio_hz` of the stages a band went through: the three
// running sums' sinc-cubed shape, so that a level read off the band's edge can be put right.
double PassbandGain(const std::vector<MixStage>& stages, double audio_hz);

// One channel of samples. Audio from a receiver is real; a .c2 file holds complex samples
// of the band around `centre_hz` of audio (wsprd mixes 1500 Hz down to 0 Hz).
struct Recording {
  double sample_rate_hz = 0.0;
  std::vector<float> audio;                   // real samples, when `baseband` is empty
  std::vector<std::complex<float>> baseband;  // complex samples, when `audio` is empty
  double centre_hz = 0.0;                     // audio frequency of the baseband's 0 Hz
  double dial_mhz = 0.0;                      // the dial frequency a .c2 file states, else 0
  double first_s = 0.0;                       // time of sample 0: 0 but for a band mixed down
  std::vector<MixStage> mixed;                // how a band mixed down here came to be

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
