// Mixing down and decimating: a phasor stepped in double precision, three running sums.
#include "baseband.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace beaconcheck {

Baseband MixDown(const Recording& recording, double centre_hz, double begin_s, double end_s,
                 double rate_hz) {
  const double rate = recording.sample_rate_hz;
  const auto factor = static_cast<std::size_t>(std::max(1L, std::lround(rate / rate_hz)));
  const auto count = static_cast<long long>(recording.SampleCount());
  const long long begin =
      std::clamp(std::llround((begin_s - recording.first_s) * rate), 0LL, count);
  const long long end = std::clamp(std::llround((end_s - recording.first_s) * rate), begin, count);

  Baseband out;
  out.rate_hz = rate / static_cast<double>(factor);
  out.centre_hz = centre_hz;
  out.from_recording_start = begin == 0;
  out.to_recording_end = end == count;
  const double shift_hz = centre_hz - recording.centre_hz;
  const double step = -2.0 * std::numbers::pi * shift_hz / rate;
  const std::complex<double> turn(std::cos(step), std::sin(step));
  const double start_phase = step * static_cast<double>(begin);
  std::complex<double> phasor(std::cos(start_phase), std::sin(start_phase));

  // Three boxcars of `factor` samples one after another, streamed through ring buffers; every
  // factor-th output kept once all three are full.
  const auto length = static_cast<std::size_t>(end - begin);
  const std::size_t skip = 3 * (factor - 1);
  out.first_s = recording.first_s + (static_cast<double>(begin + static_cast<long long>(skip)) -
                                     1.5 * static_cast<double>(factor - 1)) /
                                        rate;
  out.mixed = recording.mixed;
  out.mixed.push_back({centre_hz, rate, factor});
  std::array<std::vector<std::complex<double>>, 3> ring;
  std::array<std::complex<double>, 3> sum{};
  for (auto& r : ring) r.assign(factor, {});
  out.samples.reserve(length / factor + 1);
  // The sums are kept unscaled; each kept output is divided by factor^3 once.
  const double scale = 1.0 / std::pow(static_cast<double>(factor), 3.0);
  const auto run = [&](auto sample_at) {
    std::size_t slot = 0;
    std::size_t until_kept = skip;  // samples until the next kept output
    for (std::size_t n = 0; n < length; ++n) {
      std::complex<double> value = sample_at(static_cast<std::size_t>(begin) + n) * phasor;
      phasor *= turn;
      if ((n & 1023U) == 0) phasor /= std::abs(phasor);
      for (std::size_t stage = 0; stage < 3; ++stage) {
        std::complex<double>& old = ring[stage][slot];
        sum[stage] += value - old;
        old = value;
        value = sum[stage];
      }
      if (++slot == factor) slot = 0;
      if (until_kept == 0) {
        out.samples.emplace_back(value * scale);
        until_kept = factor;
      }
      --until_kept;
    }
  };
  if (recording.IsComplex()) {
    run([&](std::size_t at) { return std::complex<double>(recording.baseband[at]); });
  } else {
    run([&](std::size_t at) { return std::complex<double>(recording.audio[at], 0.0); });
  }
  return out;
}

double PassbandGain(const std::vector<MixStage>& stages, double audio_hz) {
  double gain = 1.0;
  for (const MixStage& stage : stages) {
    if (stage.factor <= 1) continue;
    // One running sum of F samples: |sin(pi f F / fs) / (F sin(pi f / fs))|, cubed.
    const double x = std::numbers::pi * (audio_hz - stage.centre_hz) / stage.input_rate_hz;
    const auto f = static_cast<double>(stage.factor);
    const double denominator = f * std::sin(x);
    const double amplitude = std::abs(denominator) < 1e-12 ? 1.0 : std::sin(f * x) / denominator;
    gain *= std::pow(amplitude * amplitude, 3.0);
  }
  return gain;
}

Baseband Narrowed(const Baseband& baseband, std::size_t factor) {
  Baseband copy = baseband;
  const double first_s = copy.first_s;
  const double end_s = copy.TimeS(copy.samples.size());
  const double centre_hz = copy.centre_hz;
  const double rate_hz = copy.rate_hz / static_cast<double>(factor);
  Baseband out = MixDown(AsRecording(std::move(copy)), centre_hz, first_s, end_s + 1.0, rate_hz);
  out.from_recording_start = baseband.from_recording_start;
  out.to_recording_end = baseband.to_recording_end;
  return out;
}

Recording AsRecording(Baseband band) {
  Recording out;
  out.sample_rate_hz = band.rate_hz;
  out.centre_hz = band.centre_hz;
  out.first_s = band.first_s;
  out.baseband = std::move(band.samples);
  out.mixed = std::move(band.mixed);
  return out;
}

}  // namespace beaconcheck
