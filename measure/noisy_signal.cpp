// White Gaussian noise at a WSPR signal-to-noise ratio.
#include "noisy_signal.hpp"

#include <algorithm>
#include <cmath>

#include "seeded_random.hpp"
#include "wspr_constants.hpp"

namespace measure {

double MeanPower(std::span<const double> samples) {
  if (samples.empty()) return 0.0;
  double sum = 0.0;
  for (const double s : samples) sum += s * s;
  return sum / static_cast<double>(samples.size());
}

double NoiseSigma(double signal_power, double snr_db) {
  return NoiseSigma(signal_power, snr_db, wspr::kSampleRateHz);
}

double NoiseSigma(double signal_power, double snr_db, double sample_rate_hz) {
  // The noise spreads over half the sample rate; only 2500 Hz of it count for the SNR.
  const double noise_in_reference = signal_power / std::pow(10.0, snr_db / 10.0);
  return std::sqrt(noise_in_reference * (sample_rate_hz / 2.0) / kSnrReferenceBandwidthHz);
}

std::vector<double> AddWhiteNoise(std::span<const double> signal, double sigma,
                                  std::uint64_t seed) {
  SeededRandom random(seed);
  std::vector<double> noisy(signal.begin(), signal.end());
  for (std::size_t i = 0; i < noisy.size(); i += 2) {
    const SeededRandom::Pair g = random.Gaussians(sigma);
    noisy[i] += g.a;
    if (i + 1 < noisy.size()) noisy[i + 1] += g.b;
  }
  return noisy;
}

double SignalPowerAt(double noise_sigma, double snr_db, double sample_rate_hz) {
  const double sigma_per_unit_power = NoiseSigma(1.0, snr_db, sample_rate_hz);
  return (noise_sigma * noise_sigma) / (sigma_per_unit_power * sigma_per_unit_power);
}

std::vector<std::int16_t> ToPcm16(std::span<const double> samples, double gain) {
  std::vector<std::int16_t> pcm(samples.size());
  std::transform(samples.begin(), samples.end(), pcm.begin(), [gain](double s) {
    return static_cast<std::int16_t>(std::clamp(std::round(s * gain), -32768.0, 32767.0));
  });
  return pcm;
}

}  // namespace measure
