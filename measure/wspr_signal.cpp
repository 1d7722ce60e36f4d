// Continuous-phase 4-FSK sample by sample, the frequency following the symbol and the drift.
#include "wspr_signal.hpp"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace measure {
namespace {

// A phase for symbol `slot`, in cycles: splitmix64's mixing of the slot, so that the phases of
// successive symbols bear no relation (a steady step between them would be a frequency).
double RandomCycle(std::size_t slot) {
  std::uint64_t z = (static_cast<std::uint64_t>(slot) + 1U) * 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  z ^= z >> 31U;
  return static_cast<double>(z >> 11U) * 0x1.0p-53;
}

}  // namespace

std::vector<double> WsprSignal(const tonepak::ChannelSymbols& symbols, const SignalShape& shape) {
  const auto count = static_cast<std::size_t>(std::llround(shape.seconds * shape.sample_rate_hz));
  std::vector<double> out(count, 0.0);
  const double dt = 1.0 / shape.sample_rate_hz;
  const double rate = shape.drift_hz / ((tonepak::kSymbolCount - 1) * shape.symbol_s);
  const double end_s = shape.start_s + static_cast<double>(shape.symbols_sent) * shape.symbol_s;
  double cycles = shape.phase_cycles;
  std::size_t last_slot = tonepak::kSymbolCount;
  for (std::size_t n = 0; n < count; ++n) {
    const double t = static_cast<double>(n) * dt;
    if (t < shape.start_s || t >= end_s) continue;
    const auto slot = static_cast<std::size_t>((t - shape.start_s) / shape.symbol_s);
    // The quotient can round up to the slot past the last one at the very end.
    if (slot >= shape.symbols_sent || slot >= tonepak::kSymbolCount) continue;
    if (shape.phase_jumps && slot != last_slot) {
      cycles = RandomCycle(slot);
    }
    last_slot = slot;
    const double hz = shape.ToneHz(symbols[slot] & 3U) + rate * (t - shape.start_s);
    out[n] = shape.amplitude * std::sin(2.0 * std::numbers::pi * cycles);
    cycles += hz * dt;
    cycles -= std::floor(cycles);
  }
  return out;
}

}  // namespace measure
