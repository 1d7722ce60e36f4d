// Recordings made in memory for the tests of the analysis' stages: WSPR beacons and steady
// tones at chosen SNRs (WSPR's, in 2500 Hz) in one white noise, and the truths they imply.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "intended_transmissions.hpp"
#include "noisy_signal.hpp"
#include "recording.hpp"
#include "track.hpp"
#include "wspr_signal.hpp"

namespace beaconcheck::stage_test {

inline constexpr double kRateHz = 12000.0;
// Noise of this sigma puts a signal of amplitude 1 (power 1/2) at 0 dB.
inline const double kSigma = measure::NoiseSigma(0.5, 0.0, kRateHz);
// That noise in one tone of one slot, at a band's 0 Hz (TonePowers' units): real white noise
// mixed down has the density sigma^2 / rate, and a slot's mean keeps 1 / symbol of it.
inline const double kNoisePerTone = kSigma * kSigma / (kRateHz * kSymbolPeriodS);

inline double Amplitude(double snr_db) { return std::pow(10.0, snr_db / 20.0); }

inline tonepak::ChannelSymbols Symbols(const char* message) {
  return tonepak::IntendedFromText(message).symbols[0];
}

// A beacon at `snr_db` with tone 0 at `tone0_hz`, in a recording of `seconds`.
inline measure::SignalShape Beacon(double tone0_hz, double snr_db, double start_s = 1.0,
                                   double seconds = 116.0) {
  measure::SignalShape s;
  s.tone0_hz = tone0_hz;
  s.amplitude = Amplitude(snr_db);
  s.start_s = start_s;
  s.seconds = seconds;
  return s;
}

// The track a shape was made with.
inline Track TrackOf(const measure::SignalShape& s) {
  return {s.start_s, s.symbol_s, {s.ToneHz(0), s.ToneHz(1), s.ToneHz(2), s.ToneHz(3)}, s.drift_hz};
}

inline void Add(std::vector<double>& sum, const std::vector<double>& one) {
  sum.resize(std::max(sum.size(), one.size()), 0.0);
  for (std::size_t i = 0; i < one.size(); ++i) sum[i] += one[i];
}

// A steady tone from `start_s` for `seconds`.
inline void AddTone(std::vector<double>& sum, double hz, double snr_db, double start_s,
                    double seconds) {
  const double a = Amplitude(snr_db);
  for (std::size_t n = 0; n < sum.size(); ++n) {
    const double t = static_cast<double>(n) / kRateHz;
    if (t >= start_s && t < start_s + seconds)
      sum[n] += a * std::sin(2.0 * std::numbers::pi * hz * t);
  }
}

inline Recording Noisy(const std::vector<double>& clean, std::uint64_t seed) {
  const std::vector<double> noisy = measure::AddWhiteNoise(clean, kSigma, seed);
  Recording r;
  r.sample_rate_hz = kRateHz;
  r.audio.assign(noisy.begin(), noisy.end());
  return r;
}

inline double Db(double ratio) { return 10.0 * std::log10(ratio); }

}  // namespace beaconcheck::stage_test
