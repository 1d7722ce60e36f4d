// The numbers of a mode's signal that the tools compute with: the tone step, the symbol's length
// in samples, the symbols a transmission has, and where the frequency a decoder reports lies
// among the four tones.
#pragma once

#include <cstddef>

#include "beacon_mode.hpp"
#include "fst4w_constants.hpp"
#include "wspr_constants.hpp"

namespace beacon {

// One symbol at 12000 samples a second: 8192 for WSPR, 8200 to 134400 for FST4W.
constexpr std::size_t SamplesPerSymbol(Mode mode) {
  const auto period = Fst4wPeriodOf(mode);
  return period ? period->samples_per_symbol : wspr::kSamplesPerSymbol;
}

constexpr std::size_t SymbolCount(Mode mode) {
  return Fst4wPeriodOf(mode) ? fst4w::kSymbolCount : wspr::kSymbolCount;
}

// One over the symbol period: 12000/8192 Hz for WSPR, 12000/8200 Hz to 12000/134400 Hz for FST4W.
constexpr double ToneStepHz(Mode mode) {
  return static_cast<double>(wspr::kSampleRateHz) / static_cast<double>(SamplesPerSymbol(mode));
}

// How far tone 0 lies below the frequency the decoder reports. wsprd reports the centre of
// WSPR's four tones; jt9 reports FST4W's tone 0, which is also the frequency fst4sim's F0 sets
// (measured: fst4sim's tones at F0 + 0, 1, 2 and 3 steps, and jt9 shows F0).
constexpr double LowToneBelowReportedHz(Mode mode) {
  return Fst4wPeriodOf(mode) ? 0.0 : wspr::kLowToneOffsetHz;
}

}  // namespace beacon
