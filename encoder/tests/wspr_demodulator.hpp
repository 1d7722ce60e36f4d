// A plain non-coherent WSPR demodulator for the tests: energy at the four tones in each symbol
// period, strongest wins. It shares nothing with the synthesiser but the WSPR numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

// The big-endian 16-bit samples of an .au file with a 24-byte header.
std::vector<std::int16_t> AudioSamples(const std::vector<std::uint8_t>& file);

// One symbol per 8192-sample period of 12 kHz audio, tones 1.46484375 Hz apart around 1500 Hz.
ChannelSymbols DemodulateSymbols(const std::vector<std::int16_t>& samples);

}  // namespace tonepak
