// Benchmarks of the encoding, the test-audio synthesis (the one heavy stage) and reading back.
#include <benchmark/benchmark.h>

#include "decoding.hpp"
#include "encoding.hpp"
#include "include_reading.hpp"
#include "message_fields.hpp"
#include "test_audio.hpp"
#include "tone_demodulation.hpp"

namespace tonepak {
namespace {

Encoding Example() { return EncodeMessage(NormaliseMessage("Q1ABC", "AA00", "10")); }

void BM_EncodeMessage(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeMessage(NormaliseMessage("Q1ABC", "AA00", "10")));
  }
}
BENCHMARK(BM_EncodeMessage);

void BM_TestAudioFile(benchmark::State& state) {
  const ChannelSymbols symbols = Example().symbols;
  for (auto _ : state) benchmark::DoNotOptimize(TestAudioFile(symbols));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSampleCount));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kTestAudioFileBytes));
}
BENCHMARK(BM_TestAudioFile)->Unit(benchmark::kMillisecond);

void BM_ReadIncludeFile(benchmark::State& state) {
  const std::string text = Example().include_file;
  for (auto _ : state) benchmark::DoNotOptimize(DecodePacked(*ReadIncludeText(text).packed));
}
BENCHMARK(BM_ReadIncludeFile);

void BM_HearTestAudio(benchmark::State& state) {
  const std::vector<std::uint8_t> file = TestAudioFile(Example().symbols);
  for (auto _ : state) benchmark::DoNotOptimize(HearTestAudio(file));
}
BENCHMARK(BM_HearTestAudio)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tonepak

BENCHMARK_MAIN();
