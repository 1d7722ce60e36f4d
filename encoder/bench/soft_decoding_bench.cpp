// Benchmarks of the soft-decision decoder: tone powers in noise at several SNRs, and noise alone
// (the cost of giving up).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "encoding.hpp"
#include "message_fields.hpp"
#include "soft_decoding.hpp"

namespace tonepak {
namespace {

// Es/N0 = SNR in 2500 Hz + 10 log10(2500 / 1.4648) dB.
constexpr double kEsN0OverSnr2500 = 32.32;

// A set of differently seeded transmissions at `snr_db` in 2500 Hz, or noise alone (signal off).
std::vector<TonePowers> Recordings(double snr_db, bool signal) {
  const ChannelSymbols sent = EncodeMessage(NormaliseMessage("Q1ABC", "AA00", "10")).symbols;
  const double amplitude = std::pow(10.0, (snr_db + kEsN0OverSnr2500) / 20.0);
  std::mt19937 rng(5);
  std::normal_distribution<double> noise(0.0, std::sqrt(0.5));
  std::vector<TonePowers> out(16);
  for (TonePowers& p : out) {
    for (std::size_t i = 0; i < kSymbolCount; ++i) {
      for (std::size_t t = 0; t < 4; ++t) {
        const double a = signal && t == sent[i] ? amplitude : 0.0;
        const double re = a + noise(rng);
        const double im = noise(rng);
        p[i][t] = static_cast<float>(re * re + im * im);
      }
    }
  }
  return out;
}

void BM_DecodeTonePowers(benchmark::State& state) {
  const auto snr = static_cast<double>(state.range(0));
  const std::vector<TonePowers> recordings = Recordings(snr, true);
  std::size_t n = 0;
  std::int64_t decoded = 0;
  for (auto _ : state) {
    const auto result = DecodeTonePowers(recordings[n++ % recordings.size()]);
    decoded += result ? 1 : 0;
    benchmark::DoNotOptimize(result);
  }
  state.counters["decoded"] =
      benchmark::Counter(static_cast<double>(decoded), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DecodeTonePowers)
    ->Arg(-20)
    ->Arg(-24)
    ->Arg(-27)
    ->Arg(-29)
    ->Unit(benchmark::kMillisecond);

void BM_GiveUpOnNoise(benchmark::State& state) {
  const std::vector<TonePowers> recordings = Recordings(0.0, false);
  std::size_t n = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeTonePowers(recordings[n++ % recordings.size()]));
  }
}
BENCHMARK(BM_GiveUpOnNoise)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tonepak
