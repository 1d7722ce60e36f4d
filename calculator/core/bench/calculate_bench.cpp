// One recalculation on the window's default inputs, as every keystroke runs it, alone and with
// the actual frequencies and their status line.
#include <benchmark/benchmark.h>

#include "tuneworks_core.hpp"

namespace {

void BM_CalculateDefaults(benchmark::State& bench) {
  const tuneworks::CalcInputs inputs{"20", "1", "1", "1", 2, 2, 1};
  tuneworks::CalcState state;
  for (auto _ : bench) {
    tuneworks::CalcOutputs out = tuneworks::Calculate(inputs, state);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_CalculateDefaults);

// What a keystroke now costs: the recalculation, the frequencies its words give, the line
// below Results and the band the tones land in (20 m, from a 40 MHz clock).
void BM_CalculateWithActual(benchmark::State& bench) {
  const tuneworks::CalcInputs inputs{"20", "2", "14.0971", "1", 2, 2, 1};
  tuneworks::CalcState state;
  for (auto _ : bench) {
    tuneworks::CalcOutputs out = tuneworks::Calculate(inputs, state);
    const auto actual = tuneworks::CalculateActual(inputs);
    tuneworks::ActualSummary line = tuneworks::ActualStatusLine(actual);
    auto band = tuneworks::CheckBand(*actual);
    benchmark::DoNotOptimize(out);
    benchmark::DoNotOptimize(line);
    benchmark::DoNotOptimize(band);
  }
}
BENCHMARK(BM_CalculateWithActual);

// The same keystroke with the Si5351 selected: its plan, report, tones, line and band. 2200 m
// searches the most even multisynths (R 4); a 25.000123 MHz crystal finds no exact step, so
// every divider is tried.
void BM_CalculateSi5351(benchmark::State& bench, const char* crystal_mhz, const char* fout_mhz) {
  const tuneworks::CalcInputs inputs{
      crystal_mhz, "1", fout_mhz, "1", 2, 2, tuneworks::kSi5351Resolution};
  tuneworks::CalcState state;
  for (auto _ : bench) {
    tuneworks::CalcOutputs out = tuneworks::Calculate(inputs, state);
    tuneworks::ActualSummary line = tuneworks::ActualStatusLine(out.Tones.frequencies);
    auto band = tuneworks::CheckBand(*out.Tones.frequencies);
    benchmark::DoNotOptimize(out);
    benchmark::DoNotOptimize(line);
    benchmark::DoNotOptimize(band);
  }
}
BENCHMARK_CAPTURE(BM_CalculateSi5351, 20m, "25", "14.0971");
BENCHMARK_CAPTURE(BM_CalculateSi5351, 2200m, "25", ".1375");
BENCHMARK_CAPTURE(BM_CalculateSi5351, 2200m_uncalibrated, "25.000123", ".1375");
BENCHMARK_CAPTURE(BM_CalculateSi5351, 6m, "25", "50.2945");

void BM_ReadNumber(benchmark::State& bench) {
  for (auto _ : bench) benchmark::DoNotOptimize(tuneworks::ReadNumber("20.000125"));
}
BENCHMARK(BM_ReadNumber);

void BM_LongHex48(benchmark::State& bench) {
  std::string text;
  for (auto _ : bench) {
    double word = 56294995342131.2;
    tuneworks::LongHex(word, text, 2);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_LongHex48);

}  // namespace

BENCHMARK_MAIN();
