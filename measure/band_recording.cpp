// Beacons summed one at a time into the noise, then the receiver's chain.
#include "band_recording.hpp"

#include <algorithm>
#include <cmath>

#include "fading.hpp"
#include "intended_transmissions.hpp"
#include "noisy_signal.hpp"
#include "receiver_audio.hpp"
#include "wspr_signal.hpp"

namespace measure {
namespace {

constexpr double kFullScale = 32767.0;

SignalShape Shape(const Beacon& beacon, const BandOptions& options) {
  SignalShape shape;
  shape.sample_rate_hz = options.sample_rate_hz;
  shape.seconds = options.seconds;
  shape.start_s = beacon.start_s;
  shape.tone0_hz = beacon.tone0_hz;
  shape.step_hz = beacon.step_hz;
  shape.drift_hz = beacon.drift_hz;
  shape.symbol_s = beacon.symbol_s;
  shape.phase_cycles = beacon.phase_cycles;
  const double power = SignalPowerAt(kBandNoiseSigma, beacon.snr_db, options.sample_rate_hz);
  shape.amplitude = std::sqrt(2.0 * power);
  return shape;
}

std::size_t SampleCount(const BandOptions& options) {
  return static_cast<std::size_t>(std::llround(options.seconds * options.sample_rate_hz));
}

std::size_t SampleAt(double t, const BandOptions& options, std::size_t count) {
  const double n = std::ceil(std::max(t, 0.0) * options.sample_rate_hz);
  return std::min(static_cast<std::size_t>(n), count);
}

}  // namespace

SampleSpan Sounding(const Beacon& beacon, const BandOptions& options) {
  const std::size_t count = SampleCount(options);
  const double end_s = beacon.start_s + static_cast<double>(wspr::kSymbolCount) * beacon.symbol_s;
  return {SampleAt(beacon.start_s, options, count), SampleAt(end_s, options, count)};
}

std::vector<double> BeaconSamples(const Beacon& beacon, const BandOptions& options) {
  const tonepak::IntendedTransmissions intended = tonepak::IntendedFromText(beacon.message);
  std::vector<double> samples = WsprSignal(intended.symbols[0], Shape(beacon, options));
  if (beacon.fading) {
    const SampleSpan span = Sounding(beacon, options);
    const std::vector<double> envelope = FadingEnvelope(
        span.end - span.begin, options.sample_rate_hz, kFadingCoherenceS, beacon.fading_seed);
    for (std::size_t n = span.begin; n < span.end; ++n) samples[n] *= envelope[n - span.begin];
  }
  return samples;
}

std::vector<double> BandSamples(const std::vector<Beacon>& beacons, const BandOptions& options) {
  const std::size_t count = SampleCount(options);
  std::vector<double> band(count, 0.0);
  for (const Beacon& beacon : beacons) {
    const std::vector<double> one = BeaconSamples(beacon, options);
    for (std::size_t n = 0; n < count; ++n) band[n] += one[n];
  }
  if (options.carrier_hz) {
    const double power = SignalPowerAt(kBandNoiseSigma, kCarrierSnrDb, options.sample_rate_hz);
    AddSine(band, options.sample_rate_hz, *options.carrier_hz, std::sqrt(2.0 * power));
  }
  // The noise gets a seed of its own, so that the beacons do not shift it.
  band = AddWhiteNoise(band, kBandNoiseSigma, options.seed ^ 0x5DEECE66DULL);
  if (options.ssb) {
    // The passband shapes signals and noise alike, so each beacon keeps its SNR; the hum comes
    // in after it, in the audio lead.
    SsbPassband(band, options.sample_rate_hz);
    AddMainsHum(band, options.sample_rate_hz, options.ClockScale(), kBandNoiseSigma);
  }
  return band;
}

double PcmGain(const std::vector<double>& samples) {
  double peak = 0.0;
  for (const double s : samples) peak = std::max(peak, std::abs(s));
  const double gain = kNoiseLsb / kBandNoiseSigma;
  return peak * gain > kFullScale ? kFullScale / peak : gain;
}

}  // namespace measure
