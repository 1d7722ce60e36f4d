// FST4W's symbols heard from a complex band: each symbol's four tone amplitudes at a start time
// and tone-0 frequency, and the soft bits the LDPC decoder takes from them.
#pragma once

#include <array>
#include <complex>
#include <cstddef>

#include "baseband.hpp"
#include "fst4w_constants.hpp"
#include "fst4w_types.hpp"
#include "ldpc_decoder.hpp"

namespace beaconcheck {

using Fst4wAmplitudes = std::array<std::array<std::complex<double>, 4>, fst4w::kSymbolCount>;

// Symbol n is taken from start_s + n symbol periods over one symbol period (unit-free complex
// sums of the band's samples, not scaled by their number); a symbol partly outside the band is 0.
Fst4wAmplitudes SymbolAmplitudes(const Baseband& band, const fst4w::Period& period, double start_s,
                                 double tone_zero_hz);

// The power in tone `tones[n]` of symbols first..last (inclusive), at tone 0 = tone_zero_hz:
// what a fit of time or frequency maximises. The keying keeps the phase from one symbol to the
// next (a whole number of cycles a symbol), so runs of `coherent` symbols are summed as
// amplitudes before their power is taken; the sync groups (`sync_only`) are summed whole.
double KnownTonePower(const Baseband& band, const fst4w::Period& period, double start_s,
                      double tone_zero_hz, const tonepak::fst4w::ChannelSymbols& tones,
                      std::size_t first, std::size_t last, bool sync_only,
                      std::size_t coherent = 1);

// The strongest tone of each symbol.
tonepak::fst4w::ChannelSymbols StrongestTones(const Fst4wAmplitudes& amplitudes);

// The 240 code bits' log-likelihood ratios from the symbols' tone amplitudes, `span` (1, 2 or 4)
// symbols at a time summed coherently: for each bit the strongest sum of tones that has it 0
// against the strongest that has it 1, the sync symbols in a span held to their own tones.
// Scaled to `scale` over the ratios' spread.
tonepak::fst4w::BitLlrs BitRatios(const Fst4wAmplitudes& amplitudes, std::size_t span,
                                  double scale);

// The same ratios heard coherently: the sync symbols give the carrier's phase, and its turn per
// symbol (what is left of the frequency error) from the 40 of them together; each data symbol's
// tones are then projected onto the phase of the sync groups on either side, taken in
// proportion to how near each lies. Worth about a dB over the spans' when the phase holds.
tonepak::fst4w::BitLlrs CoherentBitRatios(const Fst4wAmplitudes& amplitudes, double scale);

}  // namespace beaconcheck
