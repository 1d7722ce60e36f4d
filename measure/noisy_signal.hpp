// A received WSPR signal imitated: white Gaussian noise added at a given signal-to-noise ratio.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace measure {

// WSPR states SNR as signal power over the noise power in 2500 Hz, whatever the audio bandwidth.
inline constexpr double kSnrReferenceBandwidthHz = 2500.0;

// Mean power of `samples`, in square sample units; 0 for none.
double MeanPower(std::span<const double> samples);

// Standard deviation of white noise (flat from 0 to half the sample rate) that puts a signal of
// `signal_power` at `snr_db` in WSPR's convention.
double NoiseSigma(double signal_power, double snr_db);
// The same for samples at `sample_rate_hz`.
double NoiseSigma(double signal_power, double snr_db, double sample_rate_hz);

// The signal power that stands at `snr_db` over white noise of `noise_sigma`: NoiseSigma's inverse.
double SignalPowerAt(double noise_sigma, double snr_db, double sample_rate_hz);

// `signal` plus white Gaussian noise of `sigma`, the same for the same seed on every platform
// (a 64-bit Mersenne Twister and the Box-Muller transform, no library distribution).
std::vector<double> AddWhiteNoise(std::span<const double> signal, double sigma, std::uint64_t seed);

// 16-bit samples scaled by `gain`, rounded and clipped to the 16-bit range.
std::vector<std::int16_t> ToPcm16(std::span<const double> samples, double gain);

}  // namespace measure
