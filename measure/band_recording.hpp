// The samples of a crowded band: every beacon of the plan, white noise, and what the receiver
// adds, as the sound card would write them.
#pragma once

#include <cstdint>
#include <vector>

#include "band_plan.hpp"

namespace measure {

// The noise's standard deviation in the recording's units (before the 16-bit scaling); every
// beacon's amplitude follows from it and its SNR.
inline constexpr double kBandNoiseSigma = 1.0;

// One beacon alone, faded when it fades, at its SNR against kBandNoiseSigma.
std::vector<double> BeaconSamples(const Beacon& beacon, const BandOptions& options);

// The first and one past the last sample of the beacon's transmission in the recording.
struct SampleSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};
SampleSpan Sounding(const Beacon& beacon, const BandOptions& options);

// The whole recording: the beacons, the noise, the SSB passband and hum, the carrier.
std::vector<double> BandSamples(const std::vector<Beacon>& beacons, const BandOptions& options);

// 16-bit scaling: the noise at kNoiseLsb, less when the loudest sample would clip.
inline constexpr double kNoiseLsb = 1000.0;
double PcmGain(const std::vector<double>& samples);

}  // namespace measure
