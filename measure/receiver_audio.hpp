// What a receiver and its sound card add to the band: an SSB receiver's passband, mains hum and
// a steady carrier.
#pragma once

#include <span>
#include <vector>

namespace measure {

// Mains hum: 50 Hz and its harmonics to 250 Hz, the fundamental 20 times the noise's standard
// deviation. Frequencies in Hz as the sound card hears them, times `clock_scale`.
inline constexpr double kMainsHz = 50.0;

// The audio of an SSB receiver: a passband of about 300 to 2700 Hz (fourth-order Butterworth
// edges) that slopes gently down towards its top (a pole at 2500 Hz), applied in place.
void SsbPassband(std::span<double> samples, double sample_rate_hz);

// Adds the hum of mains at `kMainsHz` and harmonics, loud against `noise_sigma`.
void AddMainsHum(std::span<double> samples, double sample_rate_hz, double clock_scale,
                 double noise_sigma);

// Adds a steady sine of `amplitude` at `hz`.
void AddSine(std::span<double> samples, double sample_rate_hz, double hz, double amplitude);

}  // namespace measure
