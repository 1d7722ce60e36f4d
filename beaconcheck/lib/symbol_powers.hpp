// The power heard at chosen frequencies in each symbol slot of a track.
#pragma once

#include <array>
#include <complex>
#include <span>
#include <vector>

#include "baseband.hpp"
#include "track.hpp"

namespace beaconcheck {

// Power (|mean of x * e^-j2(pi)ft|^2, square baseband units) at tone k of `track` in each slot
// from `first_slot` on; a slot the baseband does not wholly hold gives -1 in every tone.
std::vector<std::array<double, 4>> TonePowers(const Baseband& baseband, const Track& track,
                                              long long first_slot, std::size_t slots);

// The power of each slot's own tone, symbols[i] in slot i from slot 0 on, summed: a quarter of
// TonePowers' work. With `only_tone` 0 to 3, the slots that send that tone alone.
double SentTonePower(const Baseband& baseband, const Track& track,
                     std::span<const std::uint8_t> symbols, int only_tone = -1);

// Mean of x * e^-j(phase) over slot i, the phase following tone `symbols[i]` continuously from
// the start of the track: the phasor that stays still when the track is exactly right. Slots
// not wholly in the baseband give 0.
std::vector<std::complex<double>> CoherentSums(const Baseband& baseband, const Track& track,
                                               std::span<const std::uint8_t> symbols);

// Power at `hz` (audio) over `seconds` from `begin_s`, the baseband's mean of x * e^-j2(pi)ft
// squared; 0 where the baseband does not reach.
double PowerAt(const Baseband& baseband, double begin_s, double seconds, double hz);

// Whether the recording holds enough of the slot to hear it.
bool SlotInside(const Baseband& baseband, const Track& track, long long slot);

// Baseband samples [first, end) of slot `slot`.
std::pair<std::size_t, std::size_t> SlotSamples(const Baseband& baseband, const Track& track,
                                                long long slot);

}  // namespace beaconcheck
