// Continuous-phase 4-FSK sample by sample, the frequency following the symbol and the drift.
#include "wspr_signal.hpp"

#include <cmath>
#include <numbers>

namespace measure {

std::vector<double> WsprSignal(const tonepak::ChannelSymbols& symbols, const SignalShape& shape) {
  const auto count = static_cast<std::size_t>(std::llround(shape.seconds * shape.sample_rate_hz));
  std::vector<double> out(count, 0.0);
  const double dt = 1.0 / shape.sample_rate_hz;
  const double rate = shape.drift_hz / ((tonepak::kSymbolCount - 1) * shape.symbol_s);
  const double end_s = shape.start_s + static_cast<double>(shape.symbols_sent) * shape.symbol_s;
  // Phases for the jumps, spread over the cycle without a pattern the tones could lock to: the
  // fractional parts of multiples of the plastic number's reciprocal.
  constexpr double kPhaseStride = 0.7548776662466927;
  double cycles = 0.0;
  std::size_t last_slot = tonepak::kSymbolCount;
  for (std::size_t n = 0; n < count; ++n) {
    const double t = static_cast<double>(n) * dt;
    if (t < shape.start_s || t >= end_s) continue;
    const auto slot = static_cast<std::size_t>((t - shape.start_s) / shape.symbol_s);
    if (shape.phase_jumps && slot != last_slot) {
      const auto k = static_cast<double>(slot + 1);
      cycles = k * kPhaseStride - std::floor(k * kPhaseStride);
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
