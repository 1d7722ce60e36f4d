// A WSPR transmission as a beacon with faults would send it: continuous-phase 4-FSK with the
// tone step, drift, symbol period, start, length and tone spacing chosen.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "wspr_types.hpp"

namespace measure {

struct SignalShape {
  double sample_rate_hz = 12000.0;
  double seconds = 120.0;  // length of the recording
  double start_s = 1.0;    // the first symbol; WSJT-X shows DT = start - 1 s
  double tone0_hz = 1500.0 - 1.5 * 12000.0 / 8192.0;
  double step_hz = 12000.0 / 8192.0;
  double drift_hz = 0.0;  // linear, from the first symbol's middle to the last's
  double symbol_s = 8192.0 / 12000.0;
  std::size_t symbols_sent = 162;           // fewer: cut short
  std::array<double, 4> tone_offsets_hz{};  // a tone off the others' grid
  double amplitude = 1.0;
  double phase_cycles = 0.0;  // the phase of the first sample sent, in cycles
  bool phase_jumps = false;   // each symbol starts at an unrelated phase, as a DDS reset per symbol

  double ToneHz(std::size_t k) const {
    return tone0_hz + static_cast<double>(k) * step_hz + tone_offsets_hz[k];
  }
};

// The samples of the whole recording: silence but for the transmission. The phase runs on
// without a jump from symbol to symbol (unless `phase_jumps`), and the drift moves every tone
// alike.
std::vector<double> WsprSignal(const tonepak::ChannelSymbols& symbols, const SignalShape& shape);

// The signal's own mean power while it sounds: amplitude^2 / 2.
inline double SignalPower(const SignalShape& shape) {
  return shape.amplitude * shape.amplitude / 2.0;
}

}  // namespace measure
