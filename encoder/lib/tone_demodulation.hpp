// Hearing the channel symbols in a.au again: the energy at each of the four tones in every symbol
// period, strongest wins. It shares nothing with the synthesiser but the WSPR numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "wspr_constants.hpp"
#include "wspr_types.hpp"

namespace tonepak {

using wspr::kSamplesPerSymbol;
// The samples that carry the 162 symbols; a.au goes on (silent) to two minutes.
inline constexpr std::size_t kMessageSampleCount = kSymbolCount * kSamplesPerSymbol;

// The big-endian 16-bit samples after the 24-byte header of tonepak's a.au.
std::vector<std::int16_t> AudioSamples(std::span<const std::uint8_t> file);

// One symbol per 8192-sample period, tones 1.46484375 Hz apart around 1500 Hz; periods that the
// samples do not reach give 0.
ChannelSymbols DemodulateSymbols(std::span<const std::int16_t> samples);

struct HeardSymbols {
  std::optional<ChannelSymbols> symbols;
  std::string problem;  // when there are none: what is wrong with the file
};

// Checks the header (16-bit linear PCM, 12000 Hz, mono), the length and that every symbol period
// holds one clear tone. Only the first 162 periods after the header are read.
HeardSymbols HearTestAudio(std::span<const std::uint8_t> file);

}  // namespace tonepak
