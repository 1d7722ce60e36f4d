// Benchmarks of the whole analysis: a two-minute 12000 Hz recording in noise (what WSJT-X saves
// and wsprd decodes: tools/beaconcheck-bench times wsprd on the same file), the same with a
// crowded band of 24 beacons (busy_band's seed 1, the file the bench script times wsprd on too),
// and a ten-minute 48000 Hz one with five transmissions; FST4W-120 and FST4W-1800 recordings of
// one transmission at -20 dB. Peak memory is reported as a counter (Linux).
#include <benchmark/benchmark.h>

#include <variant>
#include <vector>

#include "analysis.hpp"
#include "band_plan.hpp"
#include "band_recording.hpp"
#include "encoding.hpp"
#include "fst4w_analysis.hpp"
#include "fst4w_audio.hpp"
#include "fst4w_encoding.hpp"
#include "fst4w_packing.hpp"
#include "message_fields.hpp"
#include "noisy_signal.hpp"
#include "wspr_signal.hpp"

#if defined(__linux__)
#include <sys/resource.h>
#endif

namespace {

beaconcheck::Recording Make(double rate_hz, double seconds, int transmissions) {
  const tonepak::ChannelSymbols symbols =
      tonepak::EncodeMessage(tonepak::NormaliseMessage("K1ABC", "FN42", "37")).symbols;
  std::vector<double> sum(static_cast<std::size_t>(rate_hz * seconds), 0.0);
  measure::SignalShape shape;
  shape.sample_rate_hz = rate_hz;
  shape.seconds = seconds;
  for (int n = 0; n < transmissions; ++n) {
    shape.start_s = 1.0 + 120.0 * n;
    shape.tone0_hz = 1440.0 + 25.0 * n;
    const std::vector<double> one = measure::WsprSignal(symbols, shape);
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += one[i];
  }
  const std::vector<double> noisy = measure::AddWhiteNoise(
      sum, measure::NoiseSigma(measure::SignalPower(shape), -20.0, rate_hz), 3);
  beaconcheck::Recording recording;
  recording.sample_rate_hz = rate_hz;
  recording.audio.assign(noisy.begin(), noisy.end());
  return recording;
}

void ReportPeakMemory(benchmark::State& state) {
#if defined(__linux__)
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
#else
  (void)state;
#endif
}

void BM_TwoMinutes12kHz(benchmark::State& state) {
  const beaconcheck::Recording recording = Make(12000.0, 120.0, 1);
  for (auto _ : state) benchmark::DoNotOptimize(beaconcheck::Analyse(recording).transmissions);
  ReportPeakMemory(state);
}
BENCHMARK(BM_TwoMinutes12kHz)->Unit(benchmark::kMillisecond);

void BM_BusyBand24Beacons(benchmark::State& state) {
  measure::BandOptions options;
  const std::vector<double> samples = measure::BandSamples(measure::PlanBeacons(options), options);
  beaconcheck::Recording recording;
  recording.sample_rate_hz = options.sample_rate_hz;
  recording.audio.assign(samples.begin(), samples.end());
  for (auto _ : state) benchmark::DoNotOptimize(beaconcheck::Analyse(recording).transmissions);
  ReportPeakMemory(state);
}
BENCHMARK(BM_BusyBand24Beacons)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TenMinutes48kHz(benchmark::State& state) {
  const beaconcheck::Recording recording = Make(48000.0, 600.0, 5);
  for (auto _ : state) benchmark::DoNotOptimize(beaconcheck::Analyse(recording).transmissions);
  ReportPeakMemory(state);
}
BENCHMARK(BM_TenMinutes48kHz)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

beaconcheck::Recording Fst4w(beacon::Mode mode) {
  const fst4w::Period period = *beacon::Fst4wPeriodOf(mode);
  const auto packed = tonepak::fst4w::PackFst4wMessage("K1ABC FN42 37");
  const auto encoding =
      tonepak::fst4w::EncodeFst4w(std::get<tonepak::fst4w::PackedMessage>(packed), mode);
  const std::vector<float> clean = tonepak::fst4w::Fst4wSamples(encoding.symbols, period);
  const std::vector<double> signal(clean.begin(), clean.end());
  const std::vector<double> noisy =
      measure::AddWhiteNoise(signal, measure::NoiseSigma(0.5, -20.0, 12000.0), 3);
  beaconcheck::Recording recording;
  recording.sample_rate_hz = 12000.0;
  recording.audio.assign(noisy.begin(), noisy.end());
  return recording;
}

void BM_Fst4w120(benchmark::State& state) {
  const beaconcheck::Recording recording = Fst4w(beacon::Mode::kFst4w120);
  for (auto _ : state) {
    benchmark::DoNotOptimize(beaconcheck::AnalyseFst4w(recording, beacon::Mode::kFst4w120));
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_Fst4w120)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Fst4w1800(benchmark::State& state) {
  const beaconcheck::Recording recording = Fst4w(beacon::Mode::kFst4w1800);
  for (auto _ : state) {
    benchmark::DoNotOptimize(beaconcheck::AnalyseFst4w(recording, beacon::Mode::kFst4w1800));
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_Fst4w1800)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
