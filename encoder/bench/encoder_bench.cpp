// Benchmarks of the encoding stages and of the test-audio synthesis, the one heavy stage.
#include <benchmark/benchmark.h>

#include "convolution.hpp"
#include "include_file.hpp"
#include "interleaver.hpp"
#include "message_fields.hpp"
#include "packing.hpp"
#include "source_coding.hpp"
#include "sync.hpp"
#include "test_audio.hpp"

namespace tonepak {
namespace {

ChannelSymbols ExampleSymbols() {
  const MessageFields fields = NormaliseMessage("Q1ABC", "AA00", "10");
  return MergeSync(Interleave(Convolve(EncodeSource(fields).bytes).bits));
}

void BM_EncodeMessage(benchmark::State& state) {
  for (auto _ : state) {
    const MessageFields fields = NormaliseMessage("Q1ABC", "AA00", "10");
    const ChannelSymbols symbols = MergeSync(Interleave(Convolve(EncodeSource(fields).bytes).bits));
    benchmark::DoNotOptimize(IncludeFileText(fields, PackSymbols(symbols)));
  }
}
BENCHMARK(BM_EncodeMessage);

void BM_TestAudioFile(benchmark::State& state) {
  const ChannelSymbols symbols = ExampleSymbols();
  for (auto _ : state) benchmark::DoNotOptimize(TestAudioFile(symbols));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSampleCount));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kTestAudioFileBytes));
}
BENCHMARK(BM_TestAudioFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tonepak

BENCHMARK_MAIN();
